// CColorStatic: a static text that paints itself in a background and a text
// colour the program chooses (the main view's assembly and nozzle lines).
#pragma once

#include "platform/framework/Framework.h"

class CColorStatic : public CStatic
{
    DECLARE_DYNAMIC(CColorStatic)
public:
    CColorStatic();
    ~CColorStatic() override;

    // Each repaints the control at once.
    void SetBkColor(COLORREF colour);
    void SetTextColor(COLORREF colour);
    // The control's font, in the weight given (FW_BOLD...).
    void SetFontWeight(int nWeight);

    COLORREF GetBkColor() const { return m_bkColour; }
    COLORREF GetTextColor() const { return m_textColour; }

protected:
    // The parent asks the control's colours: the control answers them itself.
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void Repaint();

    CBrush m_brush;
    COLORREF m_bkColour;
    COLORREF m_textColour = 0;
    CFont m_font;

    DECLARE_MESSAGE_MAP()
};
