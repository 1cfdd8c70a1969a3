#include "pickers/controls/ColorStatic.h"

IMPLEMENT_DYNAMIC(CColorStatic, CStatic)

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorStatic::CColorStatic() : m_bkColour(::GetSysColor(COLOR_BTNFACE))
{
    m_brush.CreateSolidBrush(m_bkColour);
}

CColorStatic::~CColorStatic() = default;

void CColorStatic::Repaint()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CColorStatic::SetBkColor(COLORREF colour)
{
    m_bkColour = colour;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(colour);
    Repaint();
}

void CColorStatic::SetTextColor(COLORREF colour)
{
    m_textColour = colour;
    Repaint();
}

void CColorStatic::SetFontWeight(int nWeight)
{
    if (!GetSafeHwnd())
        return;
    HFONT hCurrent = (HFONT)SendMessage(WM_GETFONT);
    LOGFONT lf = {};
    if (!hCurrent || !::GetObjectA(hCurrent, sizeof(lf), &lf))
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = nWeight;
    // The old font stays alive until the control has the new one.
    CFont font;
    font.CreateFontIndirect(&lf);
    SendMessage(WM_SETFONT, (WPARAM)font.GetSafeHandle(), TRUE);
    m_font.DeleteObject();
    m_font.Attach(font.Detach());
}

HBRUSH CColorStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkColor(m_bkColour);
    pDC->SetTextColor(m_textColour);
    return (HBRUSH)m_brush.GetSafeHandle();
}
