#include "platform/grid/GRBeamFrame.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CGRBeamFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CGRBeamFrameWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMsg)
END_MESSAGE_MAP()

CGRBeamFrameWnd::CGRBeamFrameWnd(CRuntimeClass* pBeamClass, CRuntimeClass* pBaseBeamClass)
    : m_pBeamClass(pBeamClass && pBeamClass->IsDerivedFrom(pBaseBeamClass) ? pBeamClass : pBaseBeamClass)
{
}

CGRBeamFrameWnd::~CGRBeamFrameWnd()
{
    if (m_pBeamWnd)
    {
        if (m_pBeamWnd->GetSafeHwnd())
            m_pBeamWnd->DestroyWindow();
        delete m_pBeamWnd;
    }
}

BOOL CGRBeamFrameWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CWnd::CreateEx(0, cls, "", dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    return CreateBeam();
}

void CGRBeamFrameWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    ModifyStyle(0, WS_CLIPCHILDREN);
    CreateBeam();
}

BOOL CGRBeamFrameWnd::CreateBeam()
{
    if (m_pBeamWnd && m_pBeamWnd->GetSafeHwnd())
        return TRUE;
    if (!m_pBeamWnd)
        m_pBeamWnd = static_cast<CWnd*>(m_pBeamClass->CreateObject());
    if (!m_pBeamWnd)
        return FALSE;
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    CRect rc(0, 0, 1, 1);
    if (!m_pBeamWnd->CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, rc, this, AFX_IDW_STATUS_BAR))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

void CGRBeamFrameWnd::RecalcLayout()
{
    if (!GetSafeHwnd())
        return;
    CRect rc;
    GetClientRect(&rc);
    int hBeam = 0;
    if (m_pBeamWnd && m_pBeamWnd->GetSafeHwnd())
    {
        hBeam = std::min<int>(CalcBeamHeight(), rc.Height());
        m_pBeamWnd->MoveWindow(rc.left, rc.bottom - hBeam, rc.Width(), hBeam, TRUE);
    }
    CWnd* pPane = GetPaneWnd();
    if (pPane && pPane->GetSafeHwnd())
        pPane->MoveWindow(rc.left, rc.top, rc.Width(), std::max(0, (int)rc.Height() - hBeam), TRUE);
}

int CGRBeamFrameWnd::CalcStripHeight(HFONT hFont)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    int h = 18;
    if (hdc)
    {
        HGDIOBJ hOld = ::SelectObject(hdc, hFont ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRIC tm = {};
        if (::GetTextMetrics(hdc, &tm))
            h = std::max(h, (int)tm.tmHeight + 6);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
    }
    return h;
}

void CGRBeamFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

BOOL CGRBeamFrameWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGRBeamFrameWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    HDC hdc = dc.GetSafeHdc();
    COLORREF old = ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

LRESULT CGRBeamFrameWnd::OnNcHitTestMsg(WPARAM, LPARAM)
{
    // A subclassed static control would let clicks through to the form.
    return HTCLIENT;
}

void CGRBeamFrameWnd::OnSetFocus(CWnd*)
{
    CWnd* pPane = GetPaneWnd();
    if (pPane && pPane->GetSafeHwnd())
        pPane->SetFocus();
}
