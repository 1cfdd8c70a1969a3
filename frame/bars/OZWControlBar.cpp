// OZWControlBar: creation, sizes, styles, caption buttons and the mouse, the
// context menu and its commands, tool tips, and leaving every list when the
// bar goes.
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockContext.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/bars/OZWMiniDockFrameWnd.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <set>

/////////////////////////////////////////////////////////////////////////////
// OZWGripperInfo

IMPLEMENT_DYNAMIC(OZWGripperInfo, CObject)

OZWGripperInfo::OZWGripperInfo()
{
    m_strHideTip.LoadString(IDS_OZW_HIDE_DOCKED);
    m_strExpandTip.LoadString(IDS_OZW_EXPAND_DOCKED);
    m_strContractTip.LoadString(IDS_OZW_CONTRACT_DOCKED);
}

int OZWGripperInfo::GetGripperWidth() const
{
    return m_horz.Sum();
}

int OZWGripperInfo::GetGripperHeight() const
{
    return m_vert.Sum();
}

/////////////////////////////////////////////////////////////////////////////
// OZWControlBar

namespace {
BOOL g_bNoRedrawWhileSizing = TRUE;
} // namespace

const CSize OZWControlBar::s_sizeDefault(300, 180);

IMPLEMENT_DYNCREATE(OZWControlBar, CControlBar)

BEGIN_MESSAGE_MAP(OZWControlBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_KILLFOCUS()
    ON_WM_THEMECHANGED()
    ON_COMMAND(ID_OZW_ALLOW_DOCKING, OnAllowDocking)
    ON_UPDATE_COMMAND_UI(ID_OZW_ALLOW_DOCKING, OnUpdateAllowDocking)
    ON_COMMAND(ID_OZW_HIDE_BAR, OnHideBar)
    ON_COMMAND(ID_OZW_FLOAT_IN_MAIN_WINDOW, OnFloatInMainWindow)
END_MESSAGE_MAP()

OZWControlBar::OZWControlBar() = default;

OZWControlBar::~OZWControlBar()
{
    // The window goes while this is still a toolkit bar, so that it leaves
    // its dock bar, its strip and its frame as one.
    if (m_hWnd != nullptr)
        DestroyWindow();
    CloseBarTheme();
}

BOOL OZWControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                           CCreateContext* pContext)
{
    const CRect rect(0, 0, 0, 0);
    return CreateEx(nullptr, lpszWindowName, nID, dwStyle, dwExStyle, rect, pParentWnd, pContext);
}

BOOL OZWControlBar::CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle,
                             DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_dwExStyle = dwExStyle;
    // The bar bits share the low word with the window's class styles.
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID, pContext))
        return FALSE;
    if (UXIsAppThemed())
        OpenBarTheme();
    if (m_dwExStyle & SCBX_PROPORTIONAL_CHILDREN)
        RecordChildLayout();
    m_szHorzDock = m_szVertDock = m_szFloat = s_sizeDefault;
    EnableToolTips(TRUE);
    m_pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (m_pFrameWnd == nullptr && pParentWnd != nullptr)
        m_pFrameWnd = pParentWnd->GetParentFrame();
    return TRUE;
}

void OZWControlBar::GetBarClientRect(CRect& rect)
{
    CRect client;
    GetClientRect(&client);
    rect = ozwbar::GetBarClientRect(GetBarFrame(), client, IsHorzBar());
}

void OZWControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = CreateDockContext();
    if (m_hWnd != nullptr && ::GetWindow(m_hWnd, GW_OWNER) == nullptr && GetParent() != nullptr)
        SetOwner(GetParent());
}

CDockContext* OZWControlBar::CreateDockContext()
{
    return new OZWDockContext(this);
}

void OZWControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw)
{
    const DWORD dwOld = m_dwExStyle;
    // A floating bar's frame sizes by its edges unless the bar keeps its size.
    if (m_hWnd != nullptr && IsFloating()) {
        if (CFrameWnd* pFloat = GetParentFrame()) {
            // The thin frame instead of the sizing one: the sizing border
            // goes, or the frame would still size a bar that keeps its size.
            if (dwExStyle & SCBX_FIXED_SIZE)
                pFloat->ModifyStyle(WS_THICKFRAME | MFS_THICKFRAME, MFS_4THICKFRAME, SWP_FRAMECHANGED);
            else
                pFloat->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, SWP_FRAMECHANGED);
        }
    }
    const bool bOldProp = (dwOld & SCBX_PROPORTIONAL_CHILDREN) != 0;
    const bool bNewProp = (dwExStyle & SCBX_PROPORTIONAL_CHILDREN) != 0;
    if (bOldProp != bNewProp) {
        if (bNewProp) {
            m_dwExStyle = dwExStyle;
            RecordChildLayout();
        } else {
            m_childLayout.clear();
        }
    }
    m_dwExStyle = dwExStyle | (dwOld & SCBX_THEMED_GRIPPER);
    if (m_dwExStyle != dwOld && bRedraw && m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OZWControlBar::ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
}

void OZWControlBar::SetExtendedStyle(DWORD dwExStyle)
{
    SetExBarStyle(dwExStyle, FALSE);
}

ozwbar::BarFrame OZWControlBar::GetBarFrame() const
{
    ozwbar::BarFrame bar;
    bar.dwStyle = m_dwStyle;
    bar.dwExStyle = m_dwExStyle;
    bar.cxLeftBorder = m_cxLeftBorder;
    bar.cyTopBorder = m_cyTopBorder;
    bar.cxRightBorder = m_cxRightBorder;
    bar.cyBottomBorder = m_cyBottomBorder;
    bar.nGripperWidth = m_gripperInfo.GetGripperWidth();
    bar.nGripperHeight = m_gripperInfo.GetGripperHeight();
    bar.nMargin = m_gripperInfo.m_nMargin;
    bar.rectInset = m_rectInsetMargins;
    bar.bFloating = m_hWnd != nullptr && IsFloatingBar();
    bar.bAutoHideMode = m_bAutoHideMode;
    bar.bPinned = m_bPinned;
    bar.bHasGripperCaption = HasCaptionButtons();
    return bar;
}

void OZWControlBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bForLayout) const
{
    if (!(m_dwExStyle & SCBX_BORDERS)) {
        CControlBar::CalcInsideRect(rect, bHorz);
        return;
    }
    ozwbar::CalcInsideRect(GetBarFrame(), rect, bHorz, bForLayout);
}

void OZWControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CalcInsideRect(rect, bHorz, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Hooks with empty defaults

void OZWControlBar::BeforeDock()
{
    DockNotify();
}
void OZWControlBar::DockNotify() {}
void OZWControlBar::AfterDock() {}
void OZWControlBar::BeforeFloat()
{
    FloatNotify();
}
void OZWControlBar::FloatNotify() {}
void OZWControlBar::AfterFloat() {}
void OZWControlBar::BeforeMDIFloat()
{
    MDIFloatNotify();
}
void OZWControlBar::MDIFloatNotify() {}
void OZWControlBar::AfterMDIFloat() {}
BOOL OZWControlBar::SaveExtraInfo(OZWControlBarInfo*)
{
    return TRUE;
}
BOOL OZWControlBar::LoadExtraInfo(OZWControlBarInfo*, CFrameWnd*)
{
    return TRUE;
}
void OZWControlBar::AddContextMenuItems(CMenu*) {}
BOOL OZWControlBar::CanClose()
{
    return TRUE;
}
BOOL OZWControlBar::CanExpand()
{
    return TRUE;
}
BOOL OZWControlBar::HasCaptionButtons() const
{
    return TRUE;
}

int OZWControlBar::AdjustSizeForGripper(CSize& size, BOOL bHorz)
{
    const int n = bHorz ? m_gripperInfo.GetGripperWidth() : m_gripperInfo.GetGripperHeight();
    (bHorz ? size.cx : size.cy) += n;
    return n;
}

void OZWControlBar::UpdateExpandState(BOOL bRowOrientation)
{
    m_bRowOrientation = bRowOrientation;
    if (OZWDockBar* pDockBar = GetOZWDockBar()) {
        m_bNotExpanded = !pDockBar->IsLastResizableInRow(this);
        m_bExpandEnabled = !pDockBar->IsAloneInRow(this);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Sizes

CSize OZWControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? m_szHorzDock : m_szVertDock;
}

CSize OZWControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    ozwbar::BarSizes sizes;
    sizes.sizeHorzDock = m_szHorzDock;
    sizes.sizeVertDock = m_szVertDock;
    sizes.sizeFloat = m_szFloat;
    sizes.nMRUWidth = m_nMRUWidth;
    sizes.fShare = m_fShare;
    ozwbar::CommitLayout(sizes, nLength, dwMode);
    m_szHorzDock = sizes.sizeHorzDock;
    m_szVertDock = sizes.sizeVertDock;
    m_szFloat = sizes.sizeFloat;
    m_nMRUWidth = sizes.nMRUWidth;
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);

    // Slid out of its tab: as long as the dock bar of its side, as wide as
    // it is docked less the strip.
    if (m_bAutoHideMode && m_hWnd != nullptr && IsFloating() && m_dwAutoHideSide != 0) {
        CFrameWnd* pFrame = m_pFrameWnd != nullptr ? m_pFrameWnd : GetDockingFrame();
        CControlBar* pDockBar =
            pFrame != nullptr ? pFrame->GetControlBar(ozwbar::SideToDockBarID(m_dwAutoHideSide)) : nullptr;
        if (pDockBar != nullptr && pDockBar->m_hWnd != nullptr) {
            CRect rect;
            pDockBar->GetWindowRect(&rect);
            m_szFloat = ozwbar::AutoHideFloatSize(sizes, m_dwAutoHideSide, rect.Width(), rect.Height());
        }
    }
    return m_szFloat;
}

void OZWControlBar::RecordChildLayout()
{
    m_childLayout.clear();
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_childLayout.push_back({ nullptr, client });
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(&rect);
        m_childLayout.push_back({ hChild, rect });
    }
}

void OZWControlBar::OnSize(UINT nType, int cx, int cy)
{
    CRect rectChild;
    if (nType != SIZE_MINIMIZED && ozwbar::CalcChildPlacement(GetBarFrame(), cx, cy, IsHorzBar(), rectChild)) {
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (g_bNoRedrawWhileSizing)
            nFlags |= SWP_NOREDRAW;
        if ((m_dwExStyle & SCBX_PROPORTIONAL_CHILDREN) && m_childLayout.size() > 1) {
            // Every recorded child scaled with the bar.
            const CRect& rectOld = m_childLayout[0].rect;
            const int cxOld = std::max(1, rectOld.Width()), cyOld = std::max(1, rectOld.Height());
            const int dx = (m_dwExStyle & SCBX_INSET_MARGINS) ? m_rectInsetMargins.left : 0;
            const int dy = (m_dwExStyle & SCBX_INSET_MARGINS) ? m_rectInsetMargins.top : 0;
            HDWP hDWP = ::BeginDeferWindowPos((int)m_childLayout.size() - 1);
            for (size_t i = 1; i < m_childLayout.size() && hDWP != nullptr; ++i) {
                const ChildRecord& rec = m_childLayout[i];
                if (!::IsWindow(rec.hWnd))
                    continue;
                const int x = MulDiv(rec.rect.left, rectChild.Width(), cxOld) + dx;
                const int y = MulDiv(rec.rect.top, rectChild.Height(), cyOld) + dy;
                const int w = MulDiv(rec.rect.Width(), rectChild.Width(), cxOld);
                const int h = MulDiv(rec.rect.Height(), rectChild.Height(), cyOld);
                hDWP = ::DeferWindowPos(hDWP, rec.hWnd, nullptr, x, y, w, h, nFlags);
            }
            if (hDWP != nullptr)
                ::EndDeferWindowPos(hDWP);
            if (IsFloating())
                Invalidate();
        } else if (m_dwExStyle & SCBX_FILL_CHILD) {
            if (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD))
                ::SetWindowPos(hChild, nullptr, rectChild.left, rectChild.top, rectChild.Width(),
                               rectChild.Height(), nFlags);
        }
    }
    CControlBar::OnSize(nType, cx, cy);
}

/////////////////////////////////////////////////////////////////////////////
// Where it is

OZWDockBar* OZWControlBar::GetOZWDockBar() const
{
    return DYNAMIC_DOWNCAST(OZWDockBar, m_pDockBar);
}

IOZWDockingFrame* OZWControlBar::GetToolkitFrame() const
{
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : m_pFrameWnd;
    if (pFrame == nullptr && m_hWnd != nullptr)
        pFrame = GetDockingFrame();
    return dynamic_cast<IOZWDockingFrame*>(pFrame);
}

OZWAutoHideBar* OZWControlBar::GetSideStrip() const
{
    IOZWDockingFrame* pFrame = GetToolkitFrame();
    return pFrame != nullptr && m_dwAutoHideSide != 0 ? pFrame->GetAutoHideBar(m_dwAutoHideSide) : nullptr;
}

BOOL OZWControlBar::IsMDIFloating() const
{
    if (const OZWDockBar* pSelf = DYNAMIC_DOWNCAST(OZWDockBar, const_cast<OZWControlBar*>(this)))
        return pSelf->m_bMDIChild;
    OZWDockBar* pDockBar = GetOZWDockBar();
    return pDockBar != nullptr && pDockBar->m_bMDIChild;
}

namespace {
BOOL ParentHasID(const CWnd* pWnd, UINT nID)
{
    HWND hParent = pWnd->m_hWnd != nullptr ? ::GetParent(pWnd->m_hWnd) : nullptr;
    return hParent != nullptr && (UINT)::GetDlgCtrlID(hParent) == nID;
}
} // namespace

BOOL OZWControlBar::IsDockedLeft() const
{
    return ParentHasID(this, AFX_IDW_DOCKBAR_LEFT);
}
BOOL OZWControlBar::IsDockedRight() const
{
    return ParentHasID(this, AFX_IDW_DOCKBAR_RIGHT);
}
BOOL OZWControlBar::IsDockedTop() const
{
    return ParentHasID(this, AFX_IDW_DOCKBAR_TOP);
}
BOOL OZWControlBar::IsDockedBottom() const
{
    return ParentHasID(this, AFX_IDW_DOCKBAR_BOTTOM);
}

UINT OZWControlBar::GetUniqueBarID(CFrameWnd* pFrame, UINT nBaseID)
{
    if (pFrame == nullptr)
        return 0;
    std::set<UINT> used;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr)
            used.insert((UINT)pBar->GetDlgCtrlID());
    }
    return ozwbar::FirstFreeID(used, nBaseID);
}

BOOL OZWControlBar::IsBarIDFree(CFrameWnd* pFrame, UINT nID)
{
    if (pFrame == nullptr || nID == 0)
        return FALSE;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && !pBar->IsDockBar() && (UINT)pBar->GetDlgCtrlID() == nID)
            return FALSE;
    }
    return TRUE;
}

BOOL OZWControlBar::GetNoRedrawWhileSizing()
{
    return g_bNoRedrawWhileSizing;
}

void OZWControlBar::SetNoRedrawWhileSizing(BOOL bNoRedraw)
{
    g_bNoRedrawWhileSizing = bNoRedraw;
}

/////////////////////////////////////////////////////////////////////////////
// Caption buttons and the mouse

void OZWControlBar::RedrawButtonsFlat()
{
    m_bClosePressed = m_bExpandPressed = FALSE;
    if (m_hWnd == nullptr)
        return;
    CClientDC dc(this);
    if (HasCloseButton() && !m_rectCloseButton.IsRectEmpty())
        DrawCloseButtonFlat(&dc);
    if (HasExpandButton() && !m_rectExpandButton.IsRectEmpty())
        DrawExpandButtonFlat(&dc);
}

void OZWControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The slid-out window of an unpinned auto-hide bar floats, but its
    // buttons work as on a docked bar.
    const BOOL bSlidOut = m_bAutoHideMode && !m_bPinned;
    const BOOL bFloating = IsFloating() && !bSlidOut;

    if (HasCloseButton() && m_rectCloseButton.PtInRect(point)) {
        if (bFloating) {
            m_bClosePressed = FALSE;
            return;
        }
        if (m_bClosePressed || !CanClose())
            return;
        CClientDC dc(this);
        DrawCloseButtonPressed(&dc);
        m_bClosePressed = TRUE;
        SetCapture();
        return;
    }
    if (HasExpandButton() && m_bExpandEnabled && m_rectExpandButton.PtInRect(point)) {
        if (bFloating) {
            m_bExpandPressed = FALSE;
            return;
        }
        if (m_bExpandPressed || !CanExpand())
            return;
        CClientDC dc(this);
        DrawExpandButtonPressed(&dc);
        m_bExpandPressed = TRUE;
        SetCapture();
        return;
    }
    if (HasPinButton() && m_rectPinButton.PtInRect(point)) {
        SetCapture();
        return;
    }
    if (m_bAutoHideMode && IsFloating())
        return;
    if (m_bClosePressed || m_bExpandPressed)
        RedrawButtonsFlat();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsFloating() && (pParentFrame == nullptr || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void OZWControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    IOZWDockingFrame* pToolkit = GetToolkitFrame();
    if (pToolkit == nullptr) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    CFrameWnd* pFrame = pToolkit->GetFrame();

    if (m_bClosePressed && m_rectCloseButton.PtInRect(point)) {
        {
            CClientDC dc(this);
            DrawCloseButtonFlat(&dc);
        }
        m_bClosePressed = FALSE;
        SendMessage(WM_COMMAND, ID_OZW_HIDE_BAR);
        // An unpinned bar goes back to its dock bar first (hidden there);
        // a pinned one is there already.
        if (m_hWnd != nullptr && m_bAutoHideMode && m_dwAutoHideSide != 0 && !m_bPinned) {
            const DWORD dwSide = m_dwAutoHideSide;
            if (OZWAutoHideBar* pStrip = GetSideStrip())
                pStrip->RemoveBar(this);
            pToolkit->DockControlBar(this, ozwbar::SideToDockBarID(dwSide), nullptr);
            m_dwAutoHideSide = 0;
            m_bPinned = TRUE;
        }
        if (m_hWnd != nullptr) {
            if (CFrameWnd* pDockFrame = GetDockingFrame())
                pDockFrame->ShowControlBar(this, FALSE, FALSE);
            SendMessage(WM_NCPAINT);
            if (CFrameWnd* pDockFrame = GetDockingFrame())
                pDockFrame->RecalcLayout();
        }
        return;
    }
    if (m_bExpandPressed && m_rectExpandButton.PtInRect(point)) {
        {
            CClientDC dc(this);
            DrawExpandButtonFlat(&dc);
        }
        m_bExpandPressed = FALSE;
        OZWDockBar* pDockBar = GetOZWDockBar();
        if (m_bNotExpanded) {
            m_bExpandRequest = TRUE;
            if (pDockBar != nullptr)
                pDockBar->ExpandBar(this, 1);
        } else {
            m_bExpandRequest = FALSE;
            if (pDockBar != nullptr)
                pDockBar->ExpandBar(this, 2);
        }
        if (CFrameWnd* pDockFrame = GetDockingFrame())
            pDockFrame->Invalidate();
        return;
    }
    if (HasPinButton() && m_rectPinButton.PtInRect(point))
        SetPinned(!m_bPinned);

    if (m_hWnd == nullptr)
        return;
    RedrawButtonsFlat();
    if (m_bAutoHideMode) {
        if (CFrameWnd* pDockFrame = GetDockingFrame())
            pDockFrame->RecalcLayout();
    }
    pFrame->RecalcLayout();
    CWnd::OnLButtonUp(nFlags, point);
}

void OZWControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if ((HasCloseButton() && m_rectCloseButton.PtInRect(point)) ||
        (HasExpandButton() && m_rectExpandButton.PtInRect(point)) || (m_bAutoHideMode && !m_bPinned))
        return;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsFloating() && (pParentFrame == nullptr || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    CControlBar::OnLButtonDblClk(nFlags, point);
}

INT_PTR OZWControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (!(m_dwStyle & CBRS_TOOLTIPS) || pTI == nullptr || m_hWnd == nullptr || IsFloating())
        return -1;
    // The tool-tip control copies the text; the bar's strings outlive it.
    const CString* pText = nullptr;
    CRect rect;
    INT_PTR nID = -1;
    if (HasCloseButton() && m_rectCloseButton.PtInRect(point)) {
        nID = OZW_TOOL_CLOSE_BUTTON;
        rect = m_rectCloseButton;
        pText = &m_gripperInfo.m_strHideTip;
    } else if (HasExpandButton() && m_rectExpandButton.PtInRect(point)) {
        nID = OZW_TOOL_EXPAND_BUTTON;
        rect = m_rectExpandButton;
        pText = m_bNotExpanded ? &m_gripperInfo.m_strExpandTip : &m_gripperInfo.m_strContractTip;
    }
    if (nID == -1)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)nID;
    pTI->rect = rect;
    pTI->lpszText = const_cast<LPSTR>((LPCSTR)*pText);
    return nID;
}

/////////////////////////////////////////////////////////////////////////////
// Context menu and commands

void OZWControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!(m_dwExStyle & SCBX_CONTEXT_MENU) || m_bAutoHideMode) {
        CControlBar::OnContextMenu(pWnd, point);
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    CString text;
    text.LoadString(ID_OZW_ALLOW_DOCKING);
    menu.AppendMenu(MF_STRING | ((m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : 0), ID_OZW_ALLOW_DOCKING, text);
    text.LoadString(ID_OZW_HIDE_BAR);
    menu.AppendMenu(MF_STRING, ID_OZW_HIDE_BAR, text);
    AddContextMenuItems(&menu);
    // The frame may change the menu (MDI floating, "Float In Main Window").
    if (m_pDockContext != nullptr && m_pDockContext->m_pDockSite != nullptr &&
        m_pDockContext->m_pDockSite->m_hWnd != nullptr)
        m_pDockContext->m_pDockSite->SendMessage(WM_OZW_BARCONTEXTMENU, (WPARAM)this, (LPARAM)&menu);
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: a quarter across the window, 10 pixels down.
        CWnd* pOn = pWnd != nullptr ? pWnd : this;
        CRect client;
        pOn->GetClientRect(&client);
        point = CPoint(client.Width() / 4, 10);
        pOn->ClientToScreen(&point);
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void OZWControlBar::OnAllowDocking()
{
    if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        m_dwSavedDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
        if (m_pDockContext != nullptr && m_pDockBar != nullptr && !IsFloating())
            m_pDockContext->ToggleDocking();
        EnableDocking(0);
    } else {
        EnableDocking(m_dwSavedDockStyle);
    }
}

void OZWControlBar::OnUpdateAllowDocking(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((m_dwDockStyle & CBRS_ALIGN_ANY) != 0);
}

void OZWControlBar::OnHideBar()
{
    // A bar floating in a maximised MDI child: the child comes back first.
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && pParentFrame->IsZoomed()) {
        if (HWND hClient = ::GetParent(pParentFrame->m_hWnd))
            ::SendMessage(hClient, WM_MDIRESTORE, (WPARAM)pParentFrame->m_hWnd, 0);
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    pFrame->ShowControlBar(this, FALSE, FALSE);
    CFrameWnd* pActive = pFrame->GetActiveFrame();
    CView* pView = pActive != nullptr ? pActive->GetActiveView() : pFrame->GetActiveView();
    if (pView != nullptr && pView->m_hWnd != nullptr)
        pView->SetFocus();
}

void OZWControlBar::OnFloatInMainWindow()
{
    if (OZWDockContext* pContext = dynamic_cast<OZWDockContext*>(m_pDockContext))
        pContext->ToggleMDIFloat();
}

/////////////////////////////////////////////////////////////////////////////
// Idle update, timer, focus

void OZWControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    HWND hFocus = ::GetFocus();
    const BOOL bInside = hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bInside && !m_bCaptionActive) {
        // This bar's caption shows active, every other bar's inactive.
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != nullptr) {
            for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
                CControlBar* pDock = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
                CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pDock);
                if (pDockBar == nullptr || pDockBar->m_hWnd == nullptr || !pDockBar->IsWindowVisible())
                    continue;
                for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i) {
                    OZWControlBar* pBar = DYNAMIC_DOWNCAST(OZWControlBar, pDockBar->GetDockedControlBar((int)i));
                    if (pBar == nullptr || pBar->m_hWnd == nullptr || !pBar->IsWindowVisible())
                        continue;
                    pBar->m_bCaptionActive = pBar == this;
                    pBar->SendMessage(WM_NCPAINT);
                }
            }
        }
        m_bCaptionActive = TRUE;
    }
    m_bFocusInside = bInside;
}

void OZWControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 2 && m_hWnd != nullptr) {
        const DWORD dwPos = ::GetMessagePos();
        CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
        ScreenToClient(&pt);
        if (!m_rectPinButton.PtInRect(pt))
            SendMessage(WM_NCPAINT);
    }
    CWnd::OnTimer(nIDEvent);
}

void OZWControlBar::OnKillFocus(CWnd* pNewWnd)
{
    CControlBar::OnKillFocus(pNewWnd);
    // The focus leaving a slid-out bar (not for one of its own children)
    // sends it back.
    const HWND hNew = pNewWnd != nullptr ? pNewWnd->m_hWnd : nullptr;
    const BOOL bStaysInside = hNew != nullptr && (hNew == m_hWnd || ::IsChild(m_hWnd, hNew));
    if (m_bAutoHideMode && !m_bPinned && !bStaysInside && IsWindowVisible())
        SlideIn();
}

LRESULT OZWControlBar::OnThemeChanged()
{
    CloseBarTheme();
    return 0;
}

HTHEME OZWControlBar::OpenBarTheme()
{
    if (m_hTheme == nullptr)
        m_hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Rebar");
    return m_hTheme;
}

void OZWControlBar::CloseBarTheme()
{
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Going away

void OZWControlBar::LeaveDockBarsAndStrips()
{
    // Out of the dock bar that holds it, with no frame destroyed meanwhile.
    if (OZWDockBar* pDockBar = GetOZWDockBar())
        pDockBar->ForgetBar(this);
    // Out of every strip of its frame, and no place kept for it anywhere.
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : m_pFrameWnd;
    if (IOZWDockingFrame* pToolkit = dynamic_cast<IOZWDockingFrame*>(pFrame)) {
        for (DWORD dwSide : { CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM }) {
            if (OZWAutoHideBar* pStrip = pToolkit->GetAutoHideBar(dwSide))
                pStrip->RemoveBar(this);
        }
    }
    if (pFrame != nullptr && m_hWnd != nullptr) {
        for (UINT nDock : { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT }) {
            if (OZWDockBar* pDock = DYNAMIC_DOWNCAST(OZWDockBar, pFrame->GetControlBar(nDock)))
                pDock->RemovePlaceHolder(this);
        }
    }
}

void OZWControlBar::OnDestroy()
{
    LeaveDockBarsAndStrips();
    m_childLayout.clear();
    CloseBarTheme();
    CFrameWnd* pFrame = m_pDockSite;
    CControlBar::OnDestroy();
    if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    // The frame may go before this object does (a bar kept as a member of
    // its frame, say): nothing of it is used once the window is gone.
    m_pFrameWnd = nullptr;
}
