// An owner-drawn drop-down list of line widths: each item shows a line as
// thick as its item data (pixels) under its text. Whoever hosts it adds the
// items. The mouse wheel moves the selection one item at a time.
#pragma once

#include "platform/framework/Framework.h"

class CLineWidthCombo : public CComboBox
{
    DECLARE_DYNAMIC(CLineWidthCombo)
public:
    CLineWidthCombo();
    ~CLineWidthCombo() override;

    int GetItemHeightSetting() const { return m_nItemHeight; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

protected:
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    int m_nItemHeight = 16;
    float m_fScale = 1.0f;

    DECLARE_MESSAGE_MAP()
};
