#include "toolbars/buttons/WellButton.h"

namespace dedaride {
namespace foundation {

IMPLEMENT_DYNAMIC(OZWWellButton, OZWOwnerDrawButton)

BEGIN_MESSAGE_MAP(OZWWellButton, OZWOwnerDrawButton)
    ON_MESSAGE(WM_OZW_COLORSELECTED, OnColorSelected)
    ON_MESSAGE(WM_OZW_COLORDIALOG, OnColorDialog)
END_MESSAGE_MAP()

OZWWellButton::OZWWellButton()
{
    CreatePalette();
    m_pPopup = new OZWPopupColorWell;
}

OZWWellButton::~OZWWellButton()
{
    delete m_pPopup;
    m_palette.DeleteObject();
}

BOOL OZWWellButton::CreatePalette()
{
    struct
    {
        LOGPALETTE header;
    } log = {};
    log.header.palVersion = 0x300;
    log.header.palNumEntries = 1;
    log.header.palPalEntry[0] = { 0, 0, 0, 0 };
    if (m_palette.GetSafeHandle() != nullptr)
        m_palette.DeleteObject();
    return m_palette.CreatePalette(&log.header);
}

void OZWWellButton::SetColor(COLORREF colour)
{
    PALETTEENTRY entry = { GetRValue(colour), GetGValue(colour), GetBValue(colour), 0 };
    m_palette.SetPaletteEntries(0, 1, &entry);
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

COLORREF OZWWellButton::GetColor() const
{
    PALETTEENTRY entry = {};
    m_palette.GetPaletteEntries(0, 1, &entry);
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

void OZWWellButton::SetPopupWell(OZWPopupColorWell* pPopup)
{
    if (pPopup == m_pPopup)
        return;
    delete m_pPopup;
    m_pPopup = pPopup;
}

DWORD OZWWellButton::SetColorDialogFlags(DWORD dwFlags)
{
    m_dwColorDialogFlags = dwFlags;
    return dwFlags;
}

COLORREF* OZWWellButton::SetCustomColors(COLORREF* pColors)
{
    m_pCustomColors = pColors;
    return pColors;
}

void OZWWellButton::OnClicked()
{
    if (m_pPopup != nullptr && m_pPopup->IsTracking())
        return;
    m_bHot = FALSE;
    DropPopup();
}

void OZWWellButton::DropPopup()
{
    if (m_pPopup == nullptr)
        return;
    CRect rc;
    GetWindowRect(&rc);
    m_pPopup->Reset();
    if (!m_pPopup->Create(WS_VISIBLE, &rc, GetParent(), m_bShowOther, nullptr))
        return;
    m_pPopup->SetColor(GetColor());
    m_pPopup->SetPaletteMode(m_bPaletteMode);
    m_pPopup->SetNotifyWnd(this);
}

LRESULT OZWWellButton::OnColorSelected(WPARAM, LPARAM lParam)
{
    COLORREF colour = (COLORREF)lParam & 0x00FFFFFF;
    SetColor(colour);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_OZW_COLORSELECTED, (WPARAM)GetDlgCtrlID(), (LPARAM)colour);
    return 0;
}

LRESULT OZWWellButton::OnColorDialog(WPARAM, LPARAM)
{
    COLORREF colour = GetColor();
    if (RunColourDialog(colour, GetColorDialogFlags(), m_pCustomColors))
        OnColorSelected(0, (LPARAM)colour);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void OZWWellButton::PreDrawItem(CDC* pScreenDC, CDC* pDrawDC)
{
    if (!m_bPaletteMode)
        return;
    m_pOldPaletteScreen = pScreenDC->SelectPalette(&m_palette, TRUE);
    pScreenDC->RealizePalette();
    m_pOldPaletteDraw = pDrawDC->SelectPalette(&m_palette, FALSE);
    pDrawDC->RealizePalette();
}

void OZWWellButton::PostDrawItem(CDC* pScreenDC, CDC* pDrawDC)
{
    if (!m_bPaletteMode)
        return;
    if (m_pOldPaletteDraw != nullptr)
        pDrawDC->SelectPalette(m_pOldPaletteDraw, FALSE);
    if (m_pOldPaletteScreen != nullptr)
        pScreenDC->SelectPalette(m_pOldPaletteScreen, FALSE);
    m_pOldPaletteDraw = m_pOldPaletteScreen = nullptr;
}

void OZWWellButton::DrawFocusIndicator(CDC* pDC, CRect& rc)
{
    rc.DeflateRect(1, 1);
    pDC->DrawFocusRect(&rc);
}

void OZWWellButton::DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, CRect& rc)
{
    BOOL bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    if (!bFocused || m_bFlat)
        rc.DeflateRect(1, 1);

    // The drop-down arrow at the right.
    int m = rc.top + (rc.bottom - rc.top - 3) / 2;
    POINT arrow[3] = { { rc.right - 7, m }, { rc.right - 3, m }, { rc.right - 5, m + 2 } };
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    CGdiObject* pOldBrush = pDC->SelectStockObject(BLACK_BRUSH);
    int oldFill = pDC->SetPolyFillMode(WINDING);
    pDC->Polygon(arrow, 3);
    pDC->SetPolyFillMode(oldFill);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);

    // The divider left of it.
    const Colours& colours = GetColours();
    int height = rc.bottom - rc.top - 4;
    pDC->FillSolidRect(rc.right - 10, rc.top + 2, 1, height, colours.shadow);
    pDC->FillSolidRect(rc.right - 9, rc.top + 2, 1, height, colours.highlight);

    // The swatch, only while the button is enabled.
    if (lpDIS->itemState & ODS_DISABLED)
        return;
    CRect swatch(rc.left + 3, rc.top + 2, rc.right - 13, rc.bottom - 2);
    pDC->FrameRect(&swatch, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
    swatch.DeflateRect(1, 1);
    CBrush fill(m_bPaletteMode ? PALETTEINDEX(0) : GetColor());
    pDC->FillRect(&swatch, &fill);
}

void AFXAPI DDX_WellButtonColor(CDataExchange* pDX, OZWWellButton& button, COLORREF& value)
{
    if (pDX->m_bSaveAndValidate)
        value = button.GetColor();
    else
        button.SetColor(value);
}

} // namespace foundation
} // namespace dedaride
