#include "editors/pickers/controls/ColourWells.h"
#include "editors/pickers/core/Colour.h"
#include "platform/grid/GRCore.h"

#include <algorithm>
#include <cstring>

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
    int n = std::min(nCount, (int)std::min(ColourPalette.GetSize(), (uint32_t)PALETTE_SIZE));
    for (int i = 0; i < n; ++i) {
        const OZU_Colour& colour = ColourPalette[(uint32_t)i];
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
