// OZWDockBar: dragging its splitters, painting, the splitter cursors and the
// optional menu of the frame's bars.
#include "frame/bars/BarHelpers.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <windowsx.h>

using ozwbars::FillColour;
using ozwbars::IsKindOfName;

namespace {

// The band shown while a splitter is dragged, drawn and erased alike.
void InvertBand(HDC hdc, const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = ::SelectObject(hdc, pBrush != nullptr ? (HBRUSH)*pBrush : ::GetStockObject(GRAY_BRUSH));
    ::PatBlt(hdc, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(hdc, hOld);
}

} // namespace

OZWDockBar::Splitter* OZWDockBar::SplitterAt(CPoint point)
{
    for (Splitter* p : m_splitters) {
        if (p->m_rect.PtInRect(point))
            return p;
    }
    return nullptr;
}

int OZWDockBar::GetFreeClientLength()
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CFrameWnd* pFrame = GetDockingFrameOf();
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return 0;
    // The client area the bars leave: the MDI client or the view.
    HWND hPane = nullptr;
    if (CMDIFrameWnd* pMDI = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame))
        hPane = pMDI->m_hWndMDIClient;
    if (hPane == nullptr)
        hPane = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane != nullptr && ::IsWindowVisible(hPane)) {
        CRect rect;
        ::GetWindowRect(hPane, &rect);
        return bHorz ? rect.Height() : rect.Width();
    }
    // No pane: the client area less the dock bars across it.
    CRect client;
    pFrame->GetClientRect(&client);
    int nFree = bHorz ? client.Height() : client.Width();
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr || !pBar->IsWindowVisible() || ::GetParent(pBar->m_hWnd) != pFrame->m_hWnd)
            continue;
        if (((pBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0) != bHorz)
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        nFree -= bHorz ? rect.Height() : rect.Width();
    }
    return std::max(nFree, 0);
}

void OZWDockBar::GetSplitterLimits(Splitter* pSplitter)
{
    if (pSplitter == nullptr)
        return;
    OZWDockRows rows = Snapshot();
    CRect client;
    GetClientRect(&client);
    const bool bHorz = rows.IsHorz();
    rows.GetSplitterLimits(pSplitter->Info(), bHorz ? client.left : client.top, bHorz ? client.right : client.bottom,
                           GetFreeClientLength(), pSplitter->m_nMin, pSplitter->m_nMax);
}

int OZWDockBar::TrackSplitter(Splitter* pSplitter, CPoint point)
{
    if (pSplitter == nullptr || ::GetCapture() != nullptr || m_hWnd == nullptr)
        return 0;
    CFrameWnd* pFrame = GetDockingFrameOf();
    if (pFrame == nullptr)
        return 0;
    GetSplitterLimits(pSplitter);
    const bool bAlongX = pSplitter->m_nOrientation == 1;
    const CRect rectStart = pSplitter->m_rect;
    const int nStart = bAlongX ? rectStart.left : rectStart.top;
    const int nGrab = (bAlongX ? point.x : point.y) - nStart;
    int nNear = nStart;

    SetCapture();
    s_bSplitterDragging = TRUE;
    HDC hdc = ::GetDCEx(pFrame->m_hWnd, nullptr, DCX_CACHE);
    // The band in the frame's client coordinates, a pixel short of the
    // splitter's ends.
    auto band = [&](int nAt) {
        CRect r = rectStart;
        if (bAlongX)
            r.SetRect(nAt, r.top + 1, nAt + 5, r.bottom - 1);
        else
            r.SetRect(r.left + 1, nAt, r.right - 1, nAt + 5);
        MapWindowPoints(pFrame, r);
        return r;
    };
    CRect rectBand = band(nNear);
    InvertBand(hdc, rectBand);

    bool bApply = false;
    MSG msg;
    for (;;) {
        if (::GetCapture() != m_hWnd)
            break; // the capture went elsewhere: nothing changes
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE)
                break;
            continue;
        }
        if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP ||
            msg.message == WM_TIMER)
            continue;
        if (msg.message == WM_RBUTTONDOWN)
            break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (msg.hwnd != m_hWnd)
                ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            int nAt = (bAlongX ? pt.x : pt.y) - nGrab;
            nAt = std::max(nAt, pSplitter->m_nMin);
            if (nAt + ozwdock::kSplitterSize > pSplitter->m_nMax)
                nAt = std::max(pSplitter->m_nMax - ozwdock::kSplitterSize, pSplitter->m_nMin);
            if (nAt != nNear) {
                InvertBand(hdc, rectBand);
                nNear = nAt;
                rectBand = band(nNear);
                InvertBand(hdc, rectBand);
            }
            if (msg.message == WM_LBUTTONUP) {
                bApply = true;
                break;
            }
            continue;
        }
        ::DispatchMessage(&msg);
    }
    InvertBand(hdc, rectBand);
    ::ReleaseDC(pFrame->m_hWnd, hdc);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    s_bSplitterDragging = FALSE;

    const int nDelta = bApply ? nNear - nStart : 0;
    if (nDelta == 0)
        return 0;
    const int nResult = ResizeBySplitter(pSplitter, nDelta);
    pFrame->DelayRecalcLayout();
    if (CFrameWnd* pParentFrame = GetParentFrame(); pParentFrame != nullptr && pParentFrame != pFrame)
        pParentFrame->DelayRecalcLayout();
    return nResult;
}

int OZWDockBar::ResizeBySplitter(Splitter* pSplitter, int nDelta)
{
    if (pSplitter == nullptr)
        return 0;
    OZWDockRows rows = Snapshot();
    const bool bHorz = rows.IsHorz();
    CRect client;
    GetClientRect(&client);
    std::vector<int> lengths, thickness;
    rows.ResizeBySplitter(pSplitter->Info(), nDelta, bHorz ? client.Width() : client.Height(), lengths, thickness);
    const DWORD dwLength = LM_COMMIT | (bHorz ? (LM_HORZDOCK | LM_HORZ) : (LM_VERTDOCK | LM_LENGTHY));
    const DWORD dwThick = LM_COMMIT | (bHorz ? (LM_HORZDOCK | LM_HORZ | LM_LENGTHY) : LM_VERTDOCK);
    for (int j = 0; j < rows.GetSize(); ++j) {
        if (!rows.IsBar(j))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(rows.m_entries[j].pBar);
        if (lengths[j] >= 0)
            pBar->CalcDynamicLayout(lengths[j], dwLength);
        if (thickness[j] >= 0)
            pBar->CalcDynamicLayout(thickness[j], dwThick);
    }
    Apply(rows);
    return nDelta;
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

BOOL OZWDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this)
        return TRUE; // the mouse-move handler sets it
    return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void OZWDockBar::OnMouseMove(UINT nFlags, CPoint point)
{
    const OZW_AUX_DATA* pData = UXGetSysData();
    HCURSOR hCursor = pData->hcurArrow != nullptr ? pData->hcurArrow : ::LoadCursor(nullptr, IDC_ARROW);
    if (Splitter* p = SplitterAt(point))
        hCursor = p->m_nOrientation == 1 ? pData->hcurSizeWE : pData->hcurSizeNS;
    if (hCursor != nullptr)
        ::SetCursor(hCursor);
    CDockBar::OnMouseMove(nFlags, point);
}

void OZWDockBar::OnLButtonDown(UINT, CPoint point)
{
    if (Splitter* p = SplitterAt(point))
        TrackSplitter(p, point);
}

void OZWDockBar::OnLButtonDblClk(UINT, CPoint) {}

/////////////////////////////////////////////////////////////////////////////
// Painting

void OZWDockBar::DoPaint(CDC* pDC)
{
    const HDC hdc = pDC->GetSafeHdc();
    const OZW_AUX_DATA* pData = UXGetSysData();
    const bool bOffice = UXIsOfc2003StyleEnabled() != FALSE;
    COLORREF clrFace = pData->clrBtnFace;
    if (UXIsVistaClassicStyleEnabled())
        clrFace = RGB(211, 218, 237);
    if (bOffice)
        clrFace = UXGetO2K3Color(2);

    for (const ClientEdge* p : m_edges) {
        if (bOffice)
            break;
        const CRect& r = p->m_rect;
        if (p->m_nOrientation == 0) {
            FillColour(hdc, CRect(r.left, r.top, r.right, r.top + 1), pData->clrBtnShadow);
            FillColour(hdc, CRect(r.left, r.top + 1, r.right, r.top + 2), pData->clrBtnHilite);
        } else {
            FillColour(hdc, CRect(r.left, r.top, r.left + 1, r.bottom), pData->clrBtnShadow);
            FillColour(hdc, CRect(r.left + 1, r.top, r.left + 2, r.bottom), pData->clrBtnHilite);
        }
    }
    for (const Splitter* p : m_splitters) {
        const CRect& r = p->m_rect;
        if (p->m_nOrientation == 1) {
            FillColour(hdc, CRect(r.left + 1, r.top, r.right - 2, r.bottom), clrFace);
            FillColour(hdc, CRect(r.left, r.top, r.left + 1, r.bottom), pData->clrBtnHilite);
            FillColour(hdc, CRect(r.right - 2, r.top, r.right - 1, r.bottom), pData->clrBtnShadow);
            FillColour(hdc, CRect(r.right - 1, r.top, r.right, r.bottom), pData->clrBtnDkShadow);
        } else {
            FillColour(hdc, CRect(r.left, r.top + 1, r.right, r.bottom - 2), clrFace);
            FillColour(hdc, CRect(r.left, r.top, r.right, r.top + 1), pData->clrBtnHilite);
            FillColour(hdc, CRect(r.left, r.bottom - 2, r.right, r.bottom - 1), pData->clrBtnShadow);
            FillColour(hdc, CRect(r.left, r.bottom - 1, r.right, r.bottom), pData->clrBtnDkShadow);
        }
    }
    if (m_bRedrawPending) {
        for (HWND hWnd : m_redraw) {
            if (::IsWindow(hWnd))
                ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
        m_redraw.clear();
        m_bRowsChanged = FALSE;
    }
    if (!bOffice)
        CDockBar::DoPaint(pDC);
}

BOOL OZWDockBar::OnEraseBkgnd(CDC* pDC)
{
    const HDC hdc = pDC->GetSafeHdc();
    CRect rect;
    GetClientRect(&rect);
    if (UXIsAppThemed() && UXIsThemeActive() && (UXIsDotNetStyleEnabled() || UXIsWindowsClassicStyleEnabled())) {
        FillColour(hdc, rect, UXGetDNETColor(0));
        return TRUE;
    }
    if (UXIsOfc2003StyleEnabled()) {
        FillColour(hdc, rect, UXGetO2K3Color(2));
        return TRUE;
    }
    if (UXIsVistaClassicStyleEnabled()) {
        if (m_hTheme == nullptr)
            m_hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Rebar");
        if (m_hTheme != nullptr && UXIsThemePartDefined(m_hTheme, 6, 0) >= 0) {
            HRESULT hr = S_OK;
            if (UXIsThemeBackgroundPartiallyTransparent(m_hTheme, 6, 0))
                hr = UXDrawThemeParentBackground(m_hWnd, hdc, &rect);
            else
                hr = UXDrawThemeBackground(m_hTheme, hdc, 6, 0, &rect, nullptr);
            if (hr >= 0)
                return TRUE;
        }
    }
    return CDockBar::OnEraseBkgnd(pDC);
}

/////////////////////////////////////////////////////////////////////////////
// The menu of the frame's bars

void OZWDockBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!s_bContextMenu) {
        CDockBar::OnContextMenu(pWnd, point);
        return;
    }
    CFrameWnd* pFrame = GetDockingFrameOf();
    if (pFrame == nullptr)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    m_mapCommands.clear();
    UINT nID = 57345;
    int nTop = 0;
    bool bToolBars = false;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr && nID <= 57599;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr || pBar->IsDockBar() || pBar->IsKindOf(RUNTIME_CLASS(CStatusBar)) ||
            IsKindOfName(pBar, "OZWStatusBar") || IsKindOfName(pBar, "OZWMenuBar") ||
            IsKindOfName(pBar, "OZWFrameBar"))
            continue;
        CString title;
        pBar->GetWindowText(title);
        if (title.IsEmpty())
            continue;
        const UINT nFlags = MF_STRING | (pBar->IsVisible() ? MF_CHECKED : MF_UNCHECKED);
        if (IsKindOfName(pBar, "OZWToolBar") || IsKindOfName(pBar, "OZWCustomToolBar")) {
            if (!bToolBars) {
                menu.AppendMenu(MF_SEPARATOR);
                bToolBars = true;
            }
            menu.AppendMenu(nFlags, nID, title);
        } else {
            menu.InsertMenu(nTop++, MF_BYPOSITION | nFlags, nID, title);
        }
        m_mapCommands[nID++] = pBar->m_hWnd;
    }
    // No separator at either end.
    if (menu.GetMenuItemCount() > 0 && menu.GetMenuItemID(0) == 0)
        menu.DeleteMenu(0, MF_BYPOSITION);
    const UINT nCount = menu.GetMenuItemCount();
    if (nCount > 0 && menu.GetMenuItemID((int)nCount - 1) == 0)
        menu.DeleteMenu(nCount - 1, MF_BYPOSITION);
    if (menu.GetMenuItemCount() == 0)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
}

void OZWDockBar::OnBarCommand(UINT nID)
{
    auto it = m_mapCommands.find(nID);
    HWND hBar = it != m_mapCommands.end() ? it->second : nullptr;
    m_mapCommands.clear();
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar));
    if (pBar == nullptr)
        return;
    if (OZWControlBar* pOZW = DYNAMIC_DOWNCAST(OZWControlBar, pBar)) {
        pOZW->ToggleVisible();
    } else if (CFrameWnd* pFrame = GetDockingFrameOf()) {
        pFrame->ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    }
}
