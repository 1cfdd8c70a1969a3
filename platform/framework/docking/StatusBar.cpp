// CStatusBar: the status line of a frame, a status control with panes.
#include "platform/framework/Framework.h"

#include <algorithm>

namespace {
// Room around a pane's text inside its borders.
constexpr int kPanePadding = 6;
} // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (!AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG))
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar lays itself out; a frame that can be sized gets the grip.
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE |
                          dwCtrlStyle;
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWindowStyle |= SBARS_SIZEGRIP;
    const CRect rect(0, 0, 0, 0);
    return CWnd::Create(STATUSCLASSNAMEA, nullptr, dwWindowStyle, rect, pParentWnd, nID);
}

int CStatusBar::TextWidth(LPCTSTR lpsz) const
{
    if (m_hWnd == nullptr || lpsz == nullptr)
        return 0;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = nullptr;
    if (HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0))
        hOldFont = ::SelectObject(hDC, hFont);
    const CSize size = CDC::FromHandle(hDC)->GetTextExtent(lpsz, (int)std::strlen(lpsz));
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    m_panes.assign((size_t)nIDCount, Pane());
    m_nCount = nIDCount;
    BOOL bResult = TRUE;
    if (lpIDArray != nullptr) {
        for (int i = 0; i < nIDCount; ++i) {
            Pane& pane = m_panes[(size_t)i];
            pane.nID = lpIDArray[i];
            if (pane.nID == ID_SEPARATOR) {
                // The message pane: the first one takes the room left over.
                if (i == 0) {
                    pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
                    pane.cxText = 1;
                }
                continue;
            }
            // An indicator is as wide as its text; one without a string is
            // two spaces wide and shows nothing.
            CString strText;
            if (strText.LoadString(pane.nID)) {
                pane.strText = strText;
                pane.cxText = TextWidth(strText);
            } else {
                pane.cxText = TextWidth("  ");
                bResult = FALSE;
            }
        }
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return IsValidPane(nIndex) ? m_panes[(size_t)nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (IsValidPane(nIndex) && m_hWnd != nullptr)
        ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return IsValidPane(nIndex) ? m_panes[(size_t)nIndex].strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

void CStatusBar::SendPaneText(int nIndex)
{
    Pane& pane = m_panes[(size_t)nIndex];
    pane.bPending = false;
    if (m_hWnd == nullptr)
        return;
    // A disabled pane shows nothing.
    LPCTSTR lpszText = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pane.strText;
    const WPARAM wParam = (WPARAM)nIndex | (pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW));
    // An owner-drawn pane's "text" is the pane's own data: its index.
    if (pane.nStyle & SBT_OWNERDRAW)
        ::SendMessage(m_hWnd, SB_SETTEXTA, wParam, (LPARAM)nIndex);
    else
        ::SendMessage(m_hWnd, SB_SETTEXTA, wParam, (LPARAM)lpszText);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (!IsValidPane(nIndex))
        return FALSE;
    if (lpszNewText == nullptr)
        lpszNewText = "";
    Pane& pane = m_panes[(size_t)nIndex];
    if (pane.strText == lpszNewText && !pane.bPending)
        return TRUE; // nothing changes on screen
    pane.strText = lpszNewText;
    if (bUpdate)
        SendPaneText(nIndex);
    else
        pane.bPending = true;
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    if (!IsValidPane(nIndex))
        return;
    const Pane& pane = m_panes[(size_t)nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsValidPane(nIndex))
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    const bool bRects = pane.cxText != cxWidth || ((pane.nStyle ^ nStyle) & SBPS_STRETCH);
    const bool bText = (pane.nStyle ^ nStyle) & ~SBPS_STRETCH;
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
    if (bRects)
        UpdateAllPanes(TRUE, FALSE);
    if (bText)
        SendPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return IsValidPane(nIndex) ? m_panes[(size_t)nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsValidPane(nIndex))
        return;
    SetPaneInfo(nIndex, m_panes[(size_t)nIndex].nID, nStyle, m_panes[(size_t)nIndex].cxText);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr)
        return;
    if (bUpdateRects && !m_panes.empty()) {
        // Each pane its text width and borders; the stretching ones share
        // what is left of the bar's width (less the sizing grip).
        int borders[3] = {}; // horizontal, vertical, between panes
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
        CRect rectClient;
        GetClientRect(&rectClient);
        int cxAvailable = rectClient.Width() - borders[0];
        if (GetStyle() & SBARS_SIZEGRIP)
            cxAvailable -= ::GetSystemMetrics(SM_CXVSCROLL);
        std::vector<int> widths(m_panes.size());
        int cxUsed = 0, nStretch = 0;
        for (size_t i = 0; i < m_panes.size(); ++i) {
            widths[i] = m_panes[i].cxText + kPanePadding + borders[2];
            cxUsed += widths[i];
            if (m_panes[i].nStyle & SBPS_STRETCH)
                ++nStretch;
        }
        int cxExtra = std::max(0, cxAvailable - cxUsed);
        for (size_t i = 0; i < m_panes.size() && nStretch > 0; ++i) {
            if (!(m_panes[i].nStyle & SBPS_STRETCH))
                continue;
            const int cxShare = cxExtra / nStretch;
            widths[i] += cxShare;
            cxExtra -= cxShare;
            --nStretch;
        }
        std::vector<int> rights(m_panes.size());
        int x = borders[0];
        for (size_t i = 0; i < m_panes.size(); ++i) {
            x += widths[i];
            rights[i] = x;
        }
        ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)rights.size(), (LPARAM)rights.data());
        bUpdateText = TRUE; // the control forgets the texts of parts it rebuilds
    }
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (bUpdateText || m_panes[i].bPending)
            SendPaneText((int)i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // A status line lies along a horizontal side only.
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (!bHorz || m_hWnd == nullptr)
        return CSize(0, 0);
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = nullptr;
    if (HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0))
        hOldFont = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    int borders[3] = {};
    ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    const int cyText = tm.tmHeight + tm.tmExternalLeading;
    size.cy = std::max(size.cy + cyText + 2 * borders[1] + 4, (long)m_nMinHeight);
    if (bStretch)
        size.cx = 32767;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        // Panes without an update handler stay as they are.
        state.DoUpdate(pTarget, FALSE);
    }
    // Texts set without an update go out now.
    UpdateAllPanes(FALSE, FALSE);
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
}

void CStatusBar::OnPaint()
{
    Default(); // the control paints itself
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnNcHitTest(CPoint point)
{
    // The grip sizes the frame only while the frame can be sized.
    LRESULT nHit = (LRESULT)Default();
    if (nHit == HTBOTTOMRIGHT) {
        CWnd* pParent = GetParent();
        if (pParent == nullptr || pParent->IsZoomed() || !(pParent->GetStyle() & WS_THICKFRAME))
            return HTCLIENT;
    }
    (void)point;
    return nHit;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The bar's text is the message pane's.
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, (LPCTSTR)lParam, TRUE);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    const CString strText = nIndex >= 0 ? GetPaneText(nIndex) : CString();
    LPTSTR lpszDest = (LPTSTR)lParam;
    const int nMax = (int)wParam;
    if (lpszDest == nullptr || nMax <= 0)
        return 0;
    const int nCopy = std::min(strText.GetLength(), nMax - 1);
    std::memcpy(lpszDest, (LPCTSTR)strText, (size_t)nCopy);
    lpszDest[nCopy] = '\0';
    return nCopy;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex >= 0 ? GetPaneText(nIndex).GetLength() : 0;
}

/////////////////////////////////////////////////////////////////////////////
// CStatusCmdUI

void CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
    const UINT nOld = pBar->GetPaneStyle((int)m_nIndex);
    const UINT nNew = bOn ? (nOld & ~SBPS_DISABLED) : (nOld | SBPS_DISABLED);
    if (nNew != nOld)
        pBar->SetPaneStyle((int)m_nIndex, nNew);
}

void CStatusCmdUI::SetCheck(int nCheck)
{
    CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
    const UINT nOld = pBar->GetPaneStyle((int)m_nIndex);
    const UINT nNew = nCheck ? (nOld | SBPS_POPOUT) : (nOld & ~SBPS_POPOUT);
    if (nNew != nOld)
        pBar->SetPaneStyle((int)m_nIndex, nNew);
}

void CStatusCmdUI::SetText(LPCTSTR lpszText)
{
    static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText, TRUE);
}
