#include "pickers/controls/ColourWells.h"
#include "pickers/core/Colour.h"
#include "platform/grid/GRCore.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <new>

using namespace dedaride::foundation;

/////////////////////////////////////////////////////////////////////////////
// OZU_PopupColorWell

IMPLEMENT_DYNAMIC(OZU_PopupColorWell, OZWPopupColorWell)

OZU_PopupColorWell::OZU_PopupColorWell() = default;
OZU_PopupColorWell::~OZU_PopupColorWell() = default;

void OZU_PopupColorWell::SetGridSize()
{
    m_geometry.nCols = 16;
    m_geometry.nRows = 16;
}

void OZU_PopupColorWell::FillPaletteEntries(PALETTEENTRY* pEntries, int nCount, int)
{
    const OZU_ColourArray& palette = ColourPalette();
    int n = std::min(nCount, (int)std::min(palette.GetSize(), (uint32_t)PALETTE_SIZE));
    for (int i = 0; i < n; ++i) {
        const OZU_Colour& colour = palette[(uint32_t)i];
        pEntries[i] = { colour.GetRed(), colour.GetGreen(), colour.GetBlue(), 0 };
    }
}

BOOL OZU_PopupColorWell::Create(DWORD dwStyle, const RECT* prcButton, CWnd* pParent, BOOL bShowOther,
                                LPVOID lpParam)
{
    CWnd* pOwner = pParent;
    char className[16] = {};
    BOOL bDialog = pParent != nullptr && pParent->GetSafeHwnd() != nullptr &&
                   ::GetClassNameA(pParent->m_hWnd, className, sizeof(className)) > 0 &&
                   std::strcmp(className, "#32770") == 0;
    if (!bDialog && pParent != nullptr && pParent->GetParent() != nullptr)
        pOwner = pParent->GetParent();
    return OZWPopupColorWell::Create(dwStyle, prcButton, pOwner, bShowOther, lpParam);
}

/////////////////////////////////////////////////////////////////////////////
// OZU_WellButton

IMPLEMENT_DYNAMIC(OZU_WellButton, OZWWellButton)
IMPLEMENT_GRCONTROL(OZU_WellButton, CGRControl)

BEGIN_MESSAGE_MAP(OZU_WellButton, OZWWellButton)
    ON_MESSAGE(WM_OZW_COLORSELECTED, OnCellColorSelected)
END_MESSAGE_MAP()

namespace {
// The button window's id in the grid window.
const UINT kCellButtonId = 0xEFF0;
}

OZU_WellButton::OZU_WellButton(CGRGridCore* pGrid) : CGRControl(pGrid)
{
    SetPopupWell(new OZU_PopupColorWell);
}

OZU_WellButton::~OZU_WellButton()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL OZU_WellButton::EnsureWindow()
{
    if (m_hWnd != nullptr)
        return TRUE;
    HWND hGrid = m_pGrid != nullptr ? m_pGrid->GetGridHwnd() : nullptr;
    if (hGrid == nullptr)
        return FALSE;
    CRect rc(0, 0, 0, 0);
    return OZWOwnerDrawButton::Create("", WS_CHILD | BS_PUSHBUTTON, rc, CWnd::FromHandle(hGrid), kCellButtonId, 0);
}

void OZU_WellButton::PaintInto(CDC* pDC, const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = kCellButtonId;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = m_hWnd;
    dis.hDC = pDC->GetSafeHdc();
    dis.rcItem = CRect(0, 0, rect.Width(), rect.Height());
    int saved = pDC->SaveDC();
    pDC->OffsetViewportOrg(rect.left, rect.top);
    pDC->IntersectClipRect(0, 0, rect.Width(), rect.Height());
    DrawItem(&dis);
    pDC->RestoreDC(saved);
}

CRect OZU_WellButton::ScrollingArea()
{
    CRect area = m_pGrid->GetGridRect();
    area.top = std::max(area.top, m_pGrid->CalcRectFromRowCol(m_pGrid->GetFrozenRows(), 0).bottom);
    area.left = std::max(area.left, m_pGrid->CalcRectFromRowCol(0, m_pGrid->GetFrozenCols()).right);
    return area;
}

void OZU_WellButton::ShowOver(const CRect& rect, BOOL bFocus)
{
    if (!EnsureWindow())
        return;
    m_nEditRow = m_nRow;
    m_nEditCol = m_nCol;
    // The part under frozen rows or columns is clipped away.
    CRect area = ScrollingArea();
    CRect visible;
    visible.IntersectRect(&rect, &area);
    if (visible != rect) {
        CRect local = visible;
        local.OffsetRect(-rect.left, -rect.top);
        ::SetWindowRgn(m_hWnd, ::CreateRectRgnIndirect(&local), FALSE);
    }
    else {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
    }
    SetWindowPos(&wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate(FALSE);
    UpdateWindow();
    if (bFocus)
        SetFocus();
}

void OZU_WellButton::Hide()
{
    if (m_hWnd == nullptr)
        return;
    HWND hFocus = ::GetFocus();
    SetWindowPos(nullptr, 32000, 32000, 0, 0, SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
    if (hFocus == m_hWnd && m_pGrid->GetGridHwnd() != nullptr)
        ::SetFocus(m_pGrid->GetGridHwnd());
}

void OZU_WellButton::SetActive(BOOL bActive)
{
    CGRControl::SetActive(bActive);
    if (!bActive) {
        Hide();
        return;
    }
    if (!IsInit())
        return;
    CGRStyle style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    SetColor((COLORREF)style.GetLongValue());
    CRect rect = m_pGrid->CalcRectFromRowCol(m_nRow, m_nCol);
    CRect area = ScrollingArea();
    CRect visible;
    if (visible.IntersectRect(&rect, &area))
        ShowOver(rect, ::GetFocus() == m_pGrid->GetGridHwnd());
}

void OZU_WellButton::SetControlFocus()
{
    if (m_hWnd != nullptr && IsWindowVisible())
        SetFocus();
}

void OZU_WellButton::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style, const CGRStyle*)
{
    SetColor((COLORREF)style.GetLongValue());
    // The cell shows the button's look whether or not the button is there.
    PaintInto(pDC, rect);
    CRect area = ScrollingArea();
    CRect visible;
    BOOL bInView = visible.IntersectRect(&rect, &area);
    if (IsActive() && IsInit(nRow, nCol) && m_pGrid->IsCurrentCell(nRow, nCol) && !m_pGrid->IsPrinting() &&
        bInView)
        ShowOver(rect, ::GetFocus() == m_pGrid->GetGridHwnd());
    else if (IsInit(nRow, nCol))
        Hide();
    pDC->ExcludeClipRect(&rect);
}

BOOL OZU_WellButton::LButtonUp(UINT, CPoint pt, UINT)
{
    ROWCOL row = 0, col = 0;
    CRect rect;
    if (m_pGrid == nullptr || m_pGrid->HitTest(pt, &row, &col, &rect) != GR_HT_CELL)
        return FALSE;
    m_nEditRow = row;
    m_nEditCol = col;
    CGRStyle style;
    m_pGrid->ComposeStyleRowCol(row, col, &style);
    SetColor((COLORREF)style.GetLongValue());
    if (!EnsureWindow())
        return FALSE;
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    OnClicked();
    return TRUE;
}

LRESULT OZU_WellButton::OnCellColorSelected(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = OnColorSelected(wParam, lParam);
    if (m_pGrid != nullptr && m_nEditRow > 0 && m_nEditCol > 0) {
        COLORREF colour = (COLORREF)lParam & 0x00FFFFFF;
        CGRStyle value;
        value.SetValue((long)colour);
        m_pGrid->SetStyleRange(CGRRange(m_nEditRow, m_nEditCol), value);
        m_pGrid->RedrawRowCol(m_nEditRow, m_nEditCol);
    }
    return result;
}

/////////////////////////////////////////////////////////////////////////////
// OZU_WellBtn

IMPLEMENT_DYNAMIC(OZU_WellBtn, OZWWellButton)
IMPLEMENT_OZWBTN_CLASS(OZU_WellBtn)

BEGIN_MESSAGE_MAP(OZU_WellBtn, OZWWellButton)
    ON_MESSAGE(WM_OZW_COLORSELECTED, OnColorChosen)
END_MESSAGE_MAP()

OZU_WellBtn::OZU_WellBtn() = default;

OZU_WellBtn::~OZU_WellBtn()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL OZU_WellBtn::CreateWnd(CWnd* pParent, DWORD dwStyle, const RECT& rect, UINT nID)
{
    if (!OZWOwnerDrawButton::Create("", dwStyle | WS_CHILD, rect, pParent, nID, 0))
        return FALSE;
    SetPopupWell(new OZU_PopupColorWell);
    SetPaletteMode(TRUE);
    SetShowOther(FALSE);
    SetColor(RGB(0, 0, 0));
    SetupFont();
    // A button map that gives no height: as high as the toolbar's buttons.
    if (m_nWndHeight == 0 && m_pToolBar != nullptr)
        m_nWndHeight = m_pToolBar->GetStdButtonHeight();
    return TRUE;
}

void OZU_WellBtn::SetupFont()
{
    m_font.DeleteObject();
    if (m_font.CreateFont(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif"))
        SetFont(&m_font, TRUE);
}

void OZU_WellBtn::FitToToolBar()
{
    if (m_pToolBar == nullptr)
        return;
    m_cx = m_pToolBar->GetStdButtonWidth();
    if (!m_bWndMode)
        return;
    m_nWndWidth = m_cx;
    if (m_hWnd != nullptr)
        CWnd::SetWindowPos(nullptr, 0, 0, m_cx, m_nWndHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OZU_WellBtn::SetMode(BOOL bVertical)
{
    OZWWndBtn::SetMode(bVertical);
    FitToToolBar();
}

void OZU_WellBtn::AdjustSize()
{
    OZWWndBtn::AdjustSize();
    FitToToolBar();
}

BOOL OZU_WellBtn::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd) {
        NotifyOwner(OZWWNDNOTIFY_RETURN);
        return TRUE;
    }
    return OZWWellButton::PreTranslateMessage(pMsg);
}

LRESULT OZU_WellBtn::OnColorChosen(WPARAM wParam, LPARAM lParam)
{
    OZWWellButton::OnColorSelected(wParam, lParam);
    NotifyOwner(OZWWNDNOTIFY_COLOR);
    return 0;
}

LRESULT OZU_WellBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        // A press that goes to the toolbar (customising, or Alt held) leaves
        // no capture of the button's behind.
        if ((IsConfigMode() || IsAltDown()) && ::GetCapture() != nullptr)
            ::ReleaseCapture();
        [[fallthrough]];
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        if (MouseHook(message, (UINT)wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            return 0;
        break;
    case WM_SETCURSOR:
        if (OZWWndBtn::SetCursor())
            return TRUE;
        break;
    case WM_PAINT: {
        PrePaint();
        LRESULT lResult = OZWWellButton::WindowProc(message, wParam, lParam);
        PostPaint();
        return lResult;
    }
    default:
        break;
    }
    return OZWWellButton::WindowProc(message, wParam, lParam);
}
