#include "toolbars/menubar/OZWMDIMenuBar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(OZWMDIMenuBar, OZWMenuBar)

BEGIN_MESSAGE_MAP(OZWMDIMenuBar, OZWMenuBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

OZWMDIMenuBar::OZWMDIMenuBar()
{
    for (OZWStdBtn* pButton : {(OZWStdBtn*)&m_btnCaption, (OZWStdBtn*)&m_btnSysMenu}) {
        pButton->m_nID = 0x80000000;
        pButton->m_nImage = 0;
        pButton->SetStyle(0x30000000 | TBB_HIDDEN);
    }
}

OZWMDIMenuBar::~OZWMDIMenuBar()
{
    TakeOutMembers();
}

void OZWMDIMenuBar::TakeOutMembers()
{
    // The dropped button is followed by its object: a member's drop is
    // remembered until the member is back.
    OZWStdBtn* pDropped = GetButton(m_nDropped);
    auto& a = m_arrButtons;
    a.erase(std::remove(a.begin(), a.end(), (OZWStdBtn*)&m_btnSysMenu), a.end());
    a.erase(std::remove(a.begin(), a.end(), (OZWStdBtn*)&m_btnCaption), a.end());
    if (pDropped == &m_btnSysMenu || pDropped == &m_btnCaption)
        m_pDroppedMember = pDropped;
    m_nDropped = pDropped != nullptr ? FindButton(pDropped) : -1;
}

void OZWMDIMenuBar::PutBackMembers()
{
    // Operations of the toolbar nest (setting the buttons removes them
    // all first): the members go in once, whatever came before.
    OZWStdBtn* pDropped = m_pDroppedMember != nullptr ? m_pDroppedMember : GetButton(m_nDropped);
    m_pDroppedMember = nullptr;
    auto& a = m_arrButtons;
    a.erase(std::remove(a.begin(), a.end(), (OZWStdBtn*)&m_btnSysMenu), a.end());
    a.erase(std::remove(a.begin(), a.end(), (OZWStdBtn*)&m_btnCaption), a.end());
    a.insert(a.begin(), &m_btnSysMenu);
    a.push_back(&m_btnCaption);
    m_nDropped = pDropped != nullptr ? FindButton(pDropped) : -1;
}

BOOL OZWMDIMenuBar::SetButtons(const UINT* pIDs, int nCount)
{
    TakeOutMembers();
    const BOOL bResult = OZWMenuBar::SetButtons(pIDs, nCount);
    m_btnCaption.Init(this, nullptr);
    m_btnCaption.SetMode(IsVertical());
    m_btnSysMenu.Init(this, nullptr);
    m_btnSysMenu.SetMode(IsVertical());
    m_nDropped = -1;
    m_pDroppedMember = nullptr;
    PutBackMembers();
    UpdateCaptionButtons(FALSE);
    return bResult;
}

void OZWMDIMenuBar::RemoveAllButtons()
{
    TakeOutMembers();
    OZWMenuBar::RemoveAllButtons();
    PutBackMembers();
}

void OZWMDIMenuBar::ResetButtons(BOOL bNoRedraw)
{
    OZWMenuBar::ResetButtons(bNoRedraw);
}

BOOL OZWMDIMenuBar::SaveExtraInfo(OZWControlBarInfo* pInfo)
{
    TakeOutMembers();
    const BOOL bResult = OZWMenuBar::SaveExtraInfo(pInfo);
    PutBackMembers();
    return bResult;
}

CSize OZWMDIMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = OZWMenuBar::CalcFixedLayout(bStretch, bHorz);
    if (bHorz)
        PlaceCaptionButton(size.cx);
    return size;
}

CSize OZWMDIMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // The frame lays docked and stretched bars out through this one.
    const CSize size = OZWMenuBar::CalcDynamicLayout(nLength, dwMode);
    if (dwMode & LM_HORZ)
        PlaceCaptionButton(size.cx);
    return size;
}

void OZWMDIMenuBar::PlaceCaptionButton(int cxWindow)
{
    // The caption button sits flush right, 2 pixels from the edge of the
    // bar's client area, however wide the bar is made.
    if (m_btnCaption.IsHidden() || GetSafeHwnd() == nullptr)
        return;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int cxClient = cxWindow - (window.Width() - client.Width());
    const int x = cxClient - m_btnCaption.m_cx - 2;
    if (x > m_btnCaption.m_x)
        m_btnCaption.SetPos(x, m_btnCaption.m_y);
}

int OZWMDIMenuBar::GetStdButtonHeight() const
{
    LOGFONTA lf = {};
    HGDIOBJ hFont = m_hMenuFont != nullptr ? (HGDIOBJ)m_hMenuFont : ::GetStockObject(SYSTEM_FONT);
    ::GetObjectA(hFont, sizeof(lf), &lf);
    return std::abs((int)lf.lfHeight) + 12;
}

void OZWMDIMenuBar::SetMenuBitsAndCaption(DWORD dwBits)
{
    SetMenuBits(dwBits, FALSE);
    UpdateCaptionButtons(FALSE);
}

CMDIChildWnd* OZWMDIMenuBar::GetActiveChild() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetAncestor(m_hWnd, GA_ROOT)));
    return pFrame != nullptr && pFrame->m_hWndMDIClient != nullptr ? pFrame->MDIGetActive() : nullptr;
}

BOOL OZWMDIMenuBar::UpdateCaptionButtons(BOOL bHide)
{
    CMDIChildWnd* pChild = GetActiveChild();
    BOOL bChanged = FALSE;
    const int nSys = FindButton(&m_btnSysMenu), nCaption = FindButton(&m_btnCaption);
    if (!bHide && pChild != nullptr && ::IsZoomed(pChild->m_hWnd) && (pChild->GetStyle() & WS_SYSMENU)) {
        if (m_btnSysMenu.IsHidden()) {
            HideButton(nSys, FALSE);
            bChanged = TRUE;
        }
        HICON hIcon = (HICON)pChild->SendMessage(WM_GETICON, ICON_BIG);
        if (hIcon == nullptr)
            hIcon = (HICON)pChild->SendMessage(WM_GETICON, ICON_SMALL);
        if (hIcon == nullptr)
            hIcon = (HICON)::GetClassLongPtrA(pChild->m_hWnd, GCLP_HICONSM);
        if (hIcon != m_btnSysMenu.m_hIcon) {
            m_btnSysMenu.m_hIcon = hIcon;
            InvalidateButton(nSys);
            bChanged = TRUE;
        }
        const DWORD dwStyle = pChild->GetStyle() & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
        if (m_btnCaption.IsHidden() || m_btnCaption.m_dwWndStyle != dwStyle) {
            m_btnCaption.m_dwWndStyle = dwStyle;
            HideButton(nCaption, FALSE);
            bChanged = TRUE;
        }
    } else {
        if (!m_btnSysMenu.IsHidden()) {
            HideButton(nSys, TRUE);
            bChanged = TRUE;
        }
        if (!m_btnCaption.IsHidden()) {
            HideButton(nCaption, TRUE);
            bChanged = TRUE;
        }
    }
    return bChanged;
}

BOOL OZWMDIMenuBar::FilterMenuLoopMouse(const MSG* pMsg)
{
    // The second press of a double click on the button whose menu the
    // first one opened (as on the child's icon) neither closes that menu
    // nor opens it again.
    if (pMsg != nullptr && pMsg->message == WM_LBUTTONDOWN && m_dwLastLButtonDown != 0 &&
        ::GetTickCount() - m_dwLastLButtonDown < ::GetDoubleClickTime()) {
        POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
        if (pMsg->hwnd != m_hWnd)
            ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);
        if (m_nDropped >= 0 && HitTest(pt.x, pt.y) == m_nDropped)
            return TRUE;
    }
    return OZWMenuBar::FilterMenuLoopMouse(pMsg);
}

void OZWMDIMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_dwLastLButtonDown = ::GetTickCount();
    OZWMenuBar::OnLButtonDown(nFlags, point);
    m_dwLastLButtonDown = 0;
}

void OZWMDIMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex >= 0 && GetButton(nIndex) == &m_btnSysMenu) {
        if (CMDIChildWnd* pChild = GetActiveChild()) {
            HMENU hSysMenu = ::GetSystemMenu(pChild->m_hWnd, FALSE);
            const UINT nDefault = hSysMenu != nullptr ? ::GetMenuDefaultItem(hSysMenu, FALSE, 0) : (UINT)-1;
            if (nDefault != (UINT)-1)
                pChild->SendMessage(WM_SYSCOMMAND, nDefault, 0);
        }
        return;
    }
    OZWMenuBar::OnLButtonDblClk(nFlags, point);
}
