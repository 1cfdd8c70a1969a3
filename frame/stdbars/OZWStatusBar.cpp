#include "frame/stdbars/OZWStatusBar.h"

#include "frame/framemodel/OZWFrameModel.h"
#include "platform/theme/ThemeLib.h"

#include <commctrl.h>

namespace {

const UINT kStretch = 0x08000000;  // SBPS_STRETCH
const UINT kDisabled = 0x04000000; // SBPS_DISABLED
const UINT kPending = 0x1;

BOOL FlatLook()
{
    OZW_AUX_DATA* pData = UXGetSysData();
    return pData != nullptr && pData->bFlatLook;
}

} // namespace

IMPLEMENT_DYNCREATE(OZWStatusBar, OZWControlBar)

BEGIN_MESSAGE_MAP(OZWStatusBar, OZWControlBar)
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

OZWStatusBar::OZWStatusBar()
{
    if (FlatLook()) {
        m_cyTopBorder = 2;
        m_cxLeftBorder = m_cxRightBorder = m_cyBottomBorder = 0;
    } else {
        m_cyTopBorder = 2;
        m_cxLeftBorder = 2;
        m_cxRightBorder = 2;
        m_cyBottomBorder = 1;
    }
}

OZWStatusBar::~OZWStatusBar()
{
    m_panes.clear();
}

BOOL OZWStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL OZWStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & 0x40FFFF;
    DWORD dwWndStyle = (dwStyle & ~(DWORD)0x40FFB1) | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    dwWndStyle |= dwCtrlStyle;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_pFrameWnd = dynamic_cast<CFrameWnd*>(pParentWnd);
    return CWnd::Create(STATUSCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL OZWStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (FlatLook() && ((m_dwStyle >> 8) & 0xFF) == 0x82)
        m_dwStyle &= ~(DWORD)0xF80;
    return OZWControlBar::PreCreateWindow(cs);
}

BOOL OZWStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.assign((size_t)std::max(nIDCount, 0), Pane());
    m_nCount = (int)m_panes.size();
    if (lpIDArray == nullptr) {
        UpdateAllPanes(TRUE, TRUE);
        return TRUE;
    }
    BOOL bResult = TRUE;
    HDC hDC = ::GetDC(nullptr);
    HFONT hFont = m_hWnd != nullptr ? (HFONT)SendMessage(WM_GETFONT) : nullptr;
    HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[(size_t)i];
        pane.nFlags |= kPending;
        pane.nID = lpIDArray[i];
        if (pane.nID != 0) {
            CString strText;
            if (!strText.LoadString(pane.nID) || strText.IsEmpty())
                strText = "  ";
            SIZE size = {};
            ::GetTextExtentPoint32A(hDC, strText, strText.GetLength(), &size);
            pane.cxText = size.cx;
            if (!SetPaneText(i, strText, FALSE)) {
                bResult = FALSE;
                break;
            }
        } else {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.nStyle |= SBT_NOBORDERS | kStretch;
        }
    }
    // The screen device context goes back whatever happened.
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(nullptr, hDC);
    if (bResult)
        UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int OZWStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    return -1;
}

UINT OZWStatusBar::GetItemID(int nIndex) const
{
    return IsValidPane(nIndex) ? m_panes[(size_t)nIndex].nID : 0;
}

void OZWStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (m_hWnd != nullptr && IsValidPane(nIndex))
        ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

CString OZWStatusBar::GetPaneText(int nIndex) const
{
    return IsValidPane(nIndex) ? m_panes[(size_t)nIndex].strText : CString();
}

BOOL OZWStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (!IsValidPane(nIndex))
        return FALSE;
    Pane& pane = m_panes[(size_t)nIndex];
    const CString strNew(lpszNewText != nullptr ? lpszNewText : "");
    if ((pane.nFlags & kPending) == 0 && pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    if (!bUpdate) {
        pane.nFlags |= kPending;
        return TRUE;
    }
    pane.nFlags &= ~kPending;
    if (m_hWnd != nullptr) {
        const BOOL bDisabled = (pane.nStyle & kDisabled) != 0;
        ::SendMessageA(m_hWnd, SB_SETTEXTA, (WPARAM)((UINT)nIndex | (pane.nStyle & 0xFFFF)),
                       bDisabled ? (LPARAM)"" : (LPARAM)(LPCTSTR)pane.strText);
    }
    return TRUE;
}

UINT OZWStatusBar::GetPaneStyle(int nIndex) const
{
    return IsValidPane(nIndex) ? m_panes[(size_t)nIndex].nStyle : 0;
}

void OZWStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsValidPane(nIndex))
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    if (pane.nStyle == nStyle)
        return;
    if ((pane.nStyle ^ nStyle) & kStretch) {
        pane.nStyle = nStyle;
        UpdateAllPanes(TRUE, FALSE);
    }
    pane.nFlags |= kPending;
    pane.nStyle = nStyle;
    const CString strText = pane.strText;
    SetPaneText(nIndex, strText, TRUE);
}

void OZWStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (!IsValidPane(nIndex)) {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_panes[(size_t)nIndex].nID;
    nStyle = m_panes[(size_t)nIndex].nStyle;
    cxWidth = m_panes[(size_t)nIndex].cxText;
}

void OZWStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsValidPane(nIndex))
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    pane.nID = nID;
    BOOL bRelayout = FALSE;
    if (pane.nStyle != nStyle) {
        if ((pane.nStyle ^ nStyle) & kStretch) {
            pane.nStyle = nStyle;
            bRelayout = TRUE;
        } else {
            SetPaneStyle(nIndex, nStyle);
        }
    }
    if (pane.cxText != cxWidth) {
        pane.cxText = cxWidth;
        bRelayout = TRUE;
    }
    if (bRelayout)
        UpdateAllPanes(TRUE, FALSE);
}

void OZWStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (bUpdateRects && m_hWnd != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        int borders[3] = {0, 0, 0};
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
        std::vector<ozwframe::StatusPane> panes;
        for (const Pane& pane : m_panes)
            panes.push_back({pane.cxText, (pane.nStyle & kStretch) != 0});
        std::vector<int> edges = ozwframe::StatusPaneEdges(rect.left, rect.Width(), borders[2], panes);
        if (!edges.empty())
            ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)edges.size(), (LPARAM)edges.data());
    }
    if (bUpdateText) {
        for (size_t i = 0; i < m_panes.size(); ++i) {
            if (m_panes[i].nFlags & kPending) {
                const CString strText = m_panes[i].strText;
                SetPaneText((int)i, strText, TRUE);
            }
        }
    }
}

CSize OZWStatusBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (!bHorz)
        return CSize(0, 0);
    int cyText = 0;
    if (m_hWnd != nullptr) {
        HDC hDC = ::GetDC(m_hWnd);
        HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
        HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        if (hOld != nullptr)
            ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
        cyText = tm.tmHeight - tm.tmInternalLeading - 1;
    }
    int borders[3] = {0, 0, 0};
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, TRUE);
    int cy = cyText + 2 * (borders[1] + ::GetSystemMetrics(SM_CYBORDER)) - rectInside.Height();
    cy = std::max(cy, m_nMinHeight);
    return CSize(32767, cy);
}

void OZWStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    OZWControlBar::CalcInsideRect(rect, bHorz);
    if ((GetStyle() & SBARS_SIZEGRIP) == 0)
        return;
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsZoomed())
        return;
    rect.right -= m_cxRightBorder + 2 * ::GetSystemMetrics(SM_CXBORDER) + ::GetSystemMetrics(SM_CXVSCROLL);
}

void OZWStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & 0xF00))
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void OZWStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    OZWStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        if (state.m_nID == 0)
            continue;
        // The bar answers first, then the frame's route.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL OZWStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return OZWControlBar::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

void OZWStatusBar::DrawItem(LPDRAWITEMSTRUCT)
{
}

const OZWStatusBar::Pane* OZWStatusBar::PaneOfId0() const
{
    const int nIndex = CommandToIndex(0);
    return nIndex >= 0 ? &m_panes[(size_t)nIndex] : nullptr;
}

LRESULT OZWStatusBar::OnNcHitTest(CPoint)
{
    const LRESULT nHit = Default();
    return nHit == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void OZWStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    OZWControlBar::CalcInsideRect(rect, TRUE);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top - 2;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void OZWStatusBar::OnNcPaint()
{
    OZWControlBar::OnNcPaint();
}

void OZWStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

void OZWStatusBar::OnSize(UINT nType, int cx, int cy)
{
    OZWControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

void OZWStatusBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    // The base's handling goes by the border bits; the status control draws
    // its own.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~(DWORD)0xF00;
    OZWControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
}

BOOL OZWStatusBar::OnEraseBkgnd(CDC* pDC)
{
    if (!UXIsOfc2003StyleEnabled())
        return OZWControlBar::OnEraseBkgnd(pDC);
    CRect rect;
    GetClientRect(&rect);
    HBRUSH hBrush = ::CreateSolidBrush(UXGetO2K3Color(2));
    ::FillRect(pDC->m_hDC, &rect, hBrush);
    ::DeleteObject(hBrush);
    return TRUE;
}

// The window text is the message pane's text. The answers are those of
// any window (TRUE when the text was set; the number of characters copied),
// so that SetWindowText and GetWindowText report what happened.
LRESULT OZWStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE);
}

LRESULT OZWStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const int nMax = (int)wParam;
    if (nMax <= 0 || lParam == 0)
        return 0;
    const Pane* pPane = PaneOfId0();
    const CString strText = pPane != nullptr ? pPane->strText : CString();
    const int nCopy = std::min(nMax - 1, strText.GetLength());
    char* pBuffer = reinterpret_cast<char*>(lParam);
    memcpy(pBuffer, (LPCTSTR)strText, (size_t)nCopy);
    pBuffer[nCopy] = '\0';
    return nCopy;
}

LRESULT OZWStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const Pane* pPane = PaneOfId0();
    return pPane != nullptr ? pPane->strText.GetLength() : 0;
}

LRESULT OZWStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// OZWStatusCmdUI

void OZWStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    OZWStatusBar* pBar = static_cast<OZWStatusBar*>(m_pOther);
    const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
    pBar->SetPaneStyle((int)m_nIndex, bOn ? (nStyle & ~kDisabled) : (nStyle | kDisabled));
}

void OZWStatusCmdUI::SetCheck(int nCheck)
{
    OZWStatusBar* pBar = static_cast<OZWStatusBar*>(m_pOther);
    const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
    pBar->SetPaneStyle((int)m_nIndex, nCheck != 0 ? (nStyle | SBT_POPOUT) : (nStyle & ~(UINT)SBT_POPOUT));
}

void OZWStatusCmdUI::SetText(LPCTSTR lpszText)
{
    static_cast<OZWStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText, TRUE);
}
