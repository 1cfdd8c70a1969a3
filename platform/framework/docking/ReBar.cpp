// CReBar: a rebar control holding other bars in bands, as a bar of its frame.
#include "platform/framework/Framework.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CReBar::CReBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CReBar::~CReBar() = default;

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_COOL_CLASSES };
    if (!::InitCommonControlsEx(&icc))
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    // The frame places the rebar; it only tells when its height changes.
    const DWORD dwWindowStyle =
        (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
    const CRect rect(0, 0, 0, 0);
    return CWnd::Create(REBARCLASSNAMEA, nullptr, dwWindowStyle, rect, pParentWnd, nID);
}

BOOL CReBar::AddBand(CWnd* pBar, REBARBANDINFOA& rbbi)
{
    if (m_hWnd == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr)
        return FALSE;
    pBar->SetParent(this);
    // The band is as large as the bar asks for, or as the window is.
    CSize size;
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        CControlBar* pControlBar = static_cast<CControlBar*>(pBar);
        size = pControlBar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    } else {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    rbbi.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    rbbi.hwndChild = pBar->m_hWnd;
    rbbi.cxMinChild = (UINT)std::max(0L, (long)size.cx);
    rbbi.cyMinChild = (UINT)std::max(0L, (long)size.cy);
    rbbi.cx = rbbi.cxMinChild;
    rbbi.wID = (UINT)pBar->GetDlgCtrlID();
    if (!::SendMessage(m_hWnd, RB_INSERTBANDA, (WPARAM)-1, (LPARAM)&rbbi))
        return FALSE;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFOA rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_STYLE;
    rbbi.fStyle = dwStyle;
    if (pszText != nullptr) {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = const_cast<LPSTR>(pszText);
    }
    if (pbmp != nullptr) {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return AddBand(pBar, rbbi);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle)
{
    REBARBANDINFOA rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_STYLE | RBBIM_COLORS;
    rbbi.fStyle = dwStyle;
    rbbi.clrFore = clrFore;
    rbbi.clrBack = clrBack;
    if (pszText != nullptr) {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = const_cast<LPSTR>(pszText);
    }
    return AddBand(pBar, rbbi);
}

UINT CReBar::GetBandCount() const
{
    return m_hWnd != nullptr ? (UINT)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0) : 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // Across the side: the height of the rebar's rows.
    const int nRows = m_hWnd != nullptr ? (int)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0) : 0;
    if (bHorz)
        return CSize(bStretch ? 32767 : 0, nRows);
    return CSize(nRows, bStretch ? 32767 : 0);
}

CSize CReBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The bars in the bands update themselves.
}

BOOL CReBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == RBN_HEIGHTCHANGE) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->DelayRecalcLayout();
    }
    return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
}

void CReBar::OnPaint()
{
    Default(); // the control paints itself
}

BOOL CReBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
