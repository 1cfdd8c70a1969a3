#include "platform/grid/GRTabWnd.h"

#include <algorithm>

/////////////////////////////////////////////////////////////////////////////
// CGRTabBeam

IMPLEMENT_DYNCREATE(CGRTabBeam, CWnd)

BEGIN_MESSAGE_MAP(CGRTabBeam, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CGRTabBeam::CGRTabBeam()
{
    CreateOwnFonts();
}

CGRTabBeam::~CGRTabBeam() = default;

void CGRTabBeam::CreateOwnFonts()
{
    LOGFONT lf = {};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    m_ownFonts[0].CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_ownFonts[1].CreateFontIndirect(&lf);
}

CFont* CGRTabBeam::GetBeamFont(int nWhich)
{
    nWhich = nWhich ? 1 : 0;
    return m_pFonts[nWhich] ? m_pFonts[nWhich] : &m_ownFonts[nWhich];
}

void CGRTabBeam::SetBeamFont(int nWhich, CFont* pFont, BOOL bRedraw)
{
    m_pFonts[nWhich ? 1 : 0] = pFont;
    if (bRedraw && GetSafeHwnd())
        Invalidate(FALSE);
}

CGRTabWnd* CGRTabBeam::TabWnd() const
{
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return hParent ? dynamic_cast<CGRTabWnd*>(CWnd::FromHandlePermanent(hParent)) : nullptr;
}

int CGRTabBeam::CalcHeight()
{
    return CGRBeamFrameWnd::CalcStripHeight((HFONT)GetBeamFont(1)->GetSafeHandle());
}

CRect CGRTabBeam::GetTabRect(int nTab)
{
    CGRTabWnd* pTabs = TabWnd();
    if (!pTabs || nTab < 0 || nTab >= pTabs->GetTabCount())
        return CRect(0, 0, 0, 0);
    CRect rc;
    GetClientRect(&rc);
    HDC hdc = ::GetDC(m_hWnd);
    int x = rc.left + 2;
    CRect result(0, 0, 0, 0);
    for (int i = 0; i <= nTab; i++)
    {
        HGDIOBJ hOld = ::SelectObject(hdc, GetBeamFont(i == pTabs->GetActiveTab())->GetSafeHandle());
        CString label = pTabs->GetTabLabel(i);
        const int w = (int)CDC::FromHandle(hdc)->GetTextExtent(label).cx + 16;
        ::SelectObject(hdc, hOld);
        if (i == nTab)
            result = CRect(x, rc.top, x + w, rc.bottom);
        x += w;
    }
    ::ReleaseDC(m_hWnd, hdc);
    return result;
}

int CGRTabBeam::HitTab(CPoint pt)
{
    CGRTabWnd* pTabs = TabWnd();
    if (!pTabs)
        return -1;
    for (int i = 0; i < pTabs->GetTabCount(); i++)
        if (GetTabRect(i).PtInRect(pt))
            return i;
    return -1;
}

void CGRTabBeam::OnPaint()
{
    CPaintDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    CRect rc;
    GetClientRect(&rc);
    COLORREF old = ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
    CGRTabWnd* pTabs = TabWnd();
    if (!pTabs)
        return;
    ::SetBkMode(hdc, TRANSPARENT);
    for (int i = 0; i < pTabs->GetTabCount(); i++)
    {
        CRect tab = GetTabRect(i);
        BOOL bActive = i == pTabs->GetActiveTab();
        if (bActive)
        {
            COLORREF o = ::SetBkColor(hdc, ::GetSysColor(COLOR_WINDOW));
            ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &tab, nullptr, 0, nullptr);
            ::SetBkColor(hdc, o);
        }
        CRect edge = tab;
        ::DrawEdge(hdc, &edge, bActive ? EDGE_SUNKEN : EDGE_RAISED, BF_LEFT | BF_RIGHT | BF_BOTTOM);
        HGDIOBJ hOld = ::SelectObject(hdc, GetBeamFont(bActive)->GetSafeHandle());
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
        CString label = pTabs->GetTabLabel(i);
        dc.DrawText(label, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(hdc, hOld);
    }
}

BOOL CGRTabBeam::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGRTabBeam::OnLButtonDown(UINT, CPoint point)
{
    int nTab = HitTab(point);
    CGRTabWnd* pTabs = TabWnd();
    if (nTab >= 0 && pTabs)
        pTabs->SendMessage(GRM_TABSWITCH, (WPARAM)nTab, 0);
}

/////////////////////////////////////////////////////////////////////////////
// CGRTabWnd

IMPLEMENT_DYNCREATE(CGRTabWnd, CGRBeamFrameWnd)

BEGIN_MESSAGE_MAP(CGRTabWnd, CGRBeamFrameWnd)
    ON_MESSAGE(GRM_TABSWITCH, OnTabSwitchMsg)
END_MESSAGE_MAP()

CGRTabWnd::CGRTabWnd(CRuntimeClass* pBeamClass) : CGRBeamFrameWnd(pBeamClass, RUNTIME_CLASS(CGRTabBeam))
{
}

void CGRTabWnd::InvalidateBeam()
{
    if (m_pBeamWnd && m_pBeamWnd->GetSafeHwnd())
        m_pBeamWnd->Invalidate(FALSE);
}

int CGRTabWnd::AttachWnd(CWnd* pWnd, LPCTSTR lpszLabel)
{
    if (!pWnd)
        return -1;
    if (pWnd->GetSafeHwnd() && ::GetParent(pWnd->GetSafeHwnd()) != m_hWnd)
        pWnd->SetParent(this);
    m_tabs.push_back({ pWnd, CString(lpszLabel) });
    int nTab = (int)m_tabs.size() - 1;
    if (m_nActive < 0)
        m_nActive = nTab;
    if (pWnd->GetSafeHwnd())
        pWnd->ShowWindow(nTab == m_nActive ? SW_SHOW : SW_HIDE);
    RecalcLayout();
    InvalidateBeam();
    return nTab;
}

BOOL CGRTabWnd::RemoveTab(int nTab)
{
    if (nTab < 0 || nTab >= (int)m_tabs.size())
        return FALSE;
    CWnd* pWnd = m_tabs[(size_t)nTab].pWnd;
    m_tabs.erase(m_tabs.begin() + nTab);
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->DestroyWindow();
    if (m_tabs.empty())
        m_nActive = -1;
    else if (m_nActive == nTab)
    {
        m_nActive = -1;
        SwitchTab(std::max(0, nTab - 1));
    }
    else if (m_nActive > nTab)
        m_nActive--;
    InvalidateBeam();
    return TRUE;
}

BOOL CGRTabWnd::SwitchTab(int nTab)
{
    if (nTab < 0 || nTab >= (int)m_tabs.size())
        return FALSE;
    m_nActive = nTab;
    for (int i = 0; i < (int)m_tabs.size(); i++)
    {
        CWnd* pWnd = m_tabs[(size_t)i].pWnd;
        if (pWnd && pWnd->GetSafeHwnd() && i != nTab)
            pWnd->ShowWindow(SW_HIDE);
    }
    RecalcLayout();
    CWnd* pWnd = m_tabs[(size_t)nTab].pWnd;
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->ShowWindow(SW_SHOW);
    InvalidateBeam();
    return TRUE;
}

LRESULT CGRTabWnd::OnTabSwitch(WPARAM nTab, LPARAM)
{
    return SwitchTab((int)nTab) ? 0 : 1;
}

LRESULT CGRTabWnd::OnTabSwitchMsg(WPARAM wParam, LPARAM lParam)
{
    return OnTabSwitch(wParam, lParam);
}

CWnd* CGRTabWnd::GetTabWnd(int nTab) const
{
    if (nTab < 0 || nTab >= (int)m_tabs.size())
        return nullptr;
    return m_tabs[(size_t)nTab].pWnd;
}

CString CGRTabWnd::GetTabLabel(int nTab) const
{
    if (nTab < 0 || nTab >= (int)m_tabs.size())
        return CString();
    return m_tabs[(size_t)nTab].strLabel;
}

void CGRTabWnd::SetTabLabel(int nTab, LPCTSTR lpszLabel)
{
    if (nTab < 0 || nTab >= (int)m_tabs.size())
        return;
    m_tabs[(size_t)nTab].strLabel = lpszLabel;
    InvalidateBeam();
}
