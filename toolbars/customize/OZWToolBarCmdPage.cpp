#include "toolbars/customize/OZWToolBarCmdPage.h"

#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/customize/OZWToolBarsPage.h"
#include "toolbars/menubar/OZWMenuBar.h"
#include "toolbars/menus/OZWTBMenuBtn.h"
#include "toolbars/model/ClearPlace.h"
#include "toolbars/model/ToolBarIds.h"

#include <algorithm>

namespace {
const UINT s_nBarNotify = OZWGetBarNotifyMessage();
const UINT s_nStyleChanging = OZWGetToolBarStyleChangingMessage();
// Posted to the sheet to bring it back above its frame.
const UINT s_nKeepAbove = ::RegisterWindowMessageA("OZW_KEEPABOVEFRAME");
// While the sheet is open it looks this often whether its frame came above
// it: the frame is enabled and can be clicked, and the system does not
// always keep an owned window above its owner then.
const UINT_PTR kKeepAboveTimer = 0x4B41;
const UINT kKeepAboveMs = 200;
// The first control id of the palettes (counting down, past the dock bars).
const UINT kFirstGroupID = 59646;
// The size of the button a command dragged from a menu list stands for.
const int kMenuDragWidth = 23;
const int kMenuDragHeight = 22;
// The longest caption a menu list shows.
const int kMaxCaption = 256;
} // namespace

const OZWBtnMapEntry* OZWFindBtnMapEntry(const OZWToolBarManager* pManager, UINT nID)
{
    if (pManager == nullptr)
        return nullptr;
    for (const OZWBtnMapEntry* pMap : {pManager->GetButtonMap(), pManager->GetMenuBarButtonMap()})
        for (const OZWBtnMapEntry* p = pMap; p != nullptr && p->pClass != nullptr; ++p)
            if (p->nID == nID)
                return p;
    return nullptr;
}

LPCTSTR OZWMenuEntryCaption(const OZWBtnMapEntry* pEntry)
{
    if (pEntry == nullptr || pEntry->pClass != OZWBTN_CLASS(OZWTBMenuBtn))
        return nullptr;
    LPCTSTR lpszCaption = reinterpret_cast<LPCTSTR>(pEntry->params[2]);
    return lpszCaption != nullptr && *lpszCaption != '\0' ? lpszCaption : nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// OZWCustomizeToolBar

IMPLEMENT_DYNCREATE(OZWCustomizeToolBar, OZWCustomToolBar)

OZWCustomizeToolBar::OZWCustomizeToolBar()
{
    m_bConfigMode = TRUE;
}

void OZWCustomizeToolBar::FitToRect(const RECT* pRect)
{
    if (pRect == nullptr)
        return;
    const CRect rect(pRect);
    m_nMRUWidth = rect.Width();
    CalcLayout(nullptr, -1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

/////////////////////////////////////////////////////////////////////////////
// Groups

IMPLEMENT_DYNAMIC(OZWBtnGroup, CObject)

OZWBtnGroup::OZWBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs) : m_strTitle(lpszTitle), m_nCount(nCount), m_pIDs(pIDs)
{
}

OZWBtnGroup::~OZWBtnGroup()
{
    if (m_pControl != nullptr && m_pControl->GetSafeHwnd() != nullptr)
        m_pControl->DestroyWindow();
    delete m_pControl;
}

IMPLEMENT_DYNAMIC(OZWTBBtnGroup, OZWBtnGroup)

BOOL OZWTBBtnGroup::Create(CWnd* pParent, OZWToolBarManager* pManager, UINT nID)
{
    if (pManager == nullptr)
        return FALSE;
    OZWCustomizeToolBar* pPalette = new OZWCustomizeToolBar;
    pPalette->SetManager(pManager);
    pPalette->SetBmpMgr(pManager->GetBmpMgr());
    if (CFrameWnd* pFrame = pManager->GetFrameWnd())
        pPalette->SetOwner(pFrame);
    const CSize size = pManager->GetImageSize();
    pPalette->UpdateButtonSize(size.cx, size.cy);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BORDER_3D | CBRS_SIZE_DYNAMIC | CBRS_FLOATING;
    if (pManager->IsFlyByEnabled())
        dwStyle |= CBRS_FLYBY;
    if (pManager->IsToolTipsEnabled())
        dwStyle |= CBRS_TOOLTIPS;
    if (!pPalette->CreateEx(pManager->IsCoolLookEnabled() ? 0x300 : 0, pParent, dwStyle, nID)) {
        delete pPalette;
        return FALSE;
    }
    m_pControl = pPalette;
    pPalette->SetButtons(m_pIDs, m_nCount);
    return pPalette->GetButtonCount() > 0;
}

void OZWTBBtnGroup::FitToRect(const RECT* pRect)
{
    if (OZWCustomizeToolBar* pPalette = GetPalette())
        pPalette->FitToRect(pRect);
}

void OZWTBBtnGroup::EnableConfig(BOOL bEnable)
{
    if (OZWCustomizeToolBar* pPalette = GetPalette())
        pPalette->SetConfigMode(bEnable);
}

IMPLEMENT_DYNAMIC(OZWMenuBtnGroup, OZWBtnGroup)

BOOL OZWMenuBtnGroup::Create(CWnd* pParent, OZWToolBarManager* pManager, UINT nID)
{
    if (pParent == nullptr)
        return FALSE;
    OZWMenuListBox* pList = new OZWMenuListBox;
    const DWORD dwStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    if (!pList->CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, dwStyle, CRect(0, 0, 0, 0), pParent, nID)) {
        delete pList;
        return FALSE;
    }
    m_pControl = pList;
    pList->SetFont(pParent->GetFont(), FALSE);
    pList->SetManager(pManager);
    for (int i = 0; i < m_nCount; ++i) {
        LPCTSTR lpszCaption = m_pIDs != nullptr ? OZWMenuEntryCaption(OZWFindBtnMapEntry(pManager, m_pIDs[i])) : nullptr;
        if (lpszCaption == nullptr)
            continue;
        // The caption without its first mnemonic mark.
        CString text(lpszCaption);
        text = text.Left(kMaxCaption);
        const int nMark = text.Find('&');
        if (nMark >= 0)
            text.Delete(nMark);
        const int nItem = pList->AddString(text);
        if (nItem >= 0)
            pList->SetItemData(nItem, m_pIDs[i]);
    }
    return TRUE;
}

void OZWMenuBtnGroup::FitToRect(const RECT* pRect)
{
    OZWMenuListBox* pList = GetList();
    if (pRect == nullptr || pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    CRect rect(pRect);
    rect.top += 2;
    pList->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), std::max(0, rect.Height()),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

/////////////////////////////////////////////////////////////////////////////
// OZWMenuListBox

IMPLEMENT_DYNAMIC(OZWMenuListBox, CListBox)

BEGIN_MESSAGE_MAP(OZWMenuListBox, CListBox)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int OZWMenuListBox::ItemAtPoint(CPoint point)
{
    if (GetSafeHwnd() == nullptr || GetCount() <= 0)
        return -1;
    CRect rectClient;
    GetClientRect(&rectClient);
    if ((GetStyle() & LBS_OWNERDRAWVARIABLE) != 0) {
        // Items of their own heights: walked from the top one down, with
        // the point kept inside the client area.
        point.x = std::clamp(point.x, rectClient.left, rectClient.right - 1);
        point.y = std::clamp(point.y, rectClient.top, rectClient.bottom - 1);
        int y = 0;
        for (int i = GetTopIndex(); i < GetCount(); ++i) {
            y += GetItemHeight(i);
            if (point.y < y)
                return i;
        }
        return GetCount() - 1;
    }
    BOOL bOutside = FALSE;
    const UINT nItem = ItemFromPoint(point, bOutside);
    return bOutside ? -1 : (int)nItem;
}

void OZWMenuListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nItem = ItemAtPoint(point);
    if (nItem < 0) {
        CListBox::OnLButtonDown(nFlags, point);
        return;
    }
    SetCurSel(nItem);
    const UINT nID = (UINT)GetItemData(nItem);
    if (OZWToolBarCmdPage* pPage = dynamic_cast<OZWToolBarCmdPage*>(GetParent()))
        pPage->ShowDescription(nID);
    // A button of the command stands for it while it is dragged; the mouse
    // move posted first sets the tracker going at once.
    OZWStdBtn button;
    button.m_nID = nID;
    button.m_cx = kMenuDragWidth;
    button.m_cy = kMenuDragHeight;
    PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x - 1, point.y - 1));
    OZWCustomToolBar::DragButtonTo(m_pManager, &button, -1, point.x, point.y, nullptr, this, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarCmdPage

IMPLEMENT_DYNAMIC(OZWToolBarCmdPage, CPropertyPage)

BEGIN_MESSAGE_MAP(OZWToolBarCmdPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_OZW_TB_LIST, OnCategoryChange)
    ON_REGISTERED_MESSAGE(s_nBarNotify, OnBarNotify)
    ON_REGISTERED_MESSAGE(s_nStyleChanging, OnToolBarStyleChanging)
END_MESSAGE_MAP()

OZWToolBarCmdPage::OZWToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption)
{
}

OZWToolBarCmdPage::~OZWToolBarCmdPage()
{
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeDlg(nullptr);
        // A palette's button may be the selection: it goes now.
        for (INT_PTR i = 0; i < m_groups.GetSize(); ++i) {
            OZWCustomToolBar* pPalette = dynamic_cast<OZWCustomToolBar*>(GetGroup((int)i)->m_pControl);
            if (pPalette != nullptr && m_pManager->GetSelectionOwner() == pPalette)
                m_pManager->SetSelectionOwner(nullptr);
        }
    }
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i)
        delete m_groups.GetAt(i);
    m_groups.RemoveAll();
}

void OZWToolBarCmdPage::SetManager(OZWToolBarManager* pManager)
{
    m_pManager = pManager;
    if (pManager != nullptr)
        pManager->AddNotifyWnd(this);
}

void OZWToolBarCmdPage::DefineBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs)
{
    m_groups.Add(new OZWTBBtnGroup(lpszTitle, nCount, pIDs));
}

void OZWToolBarCmdPage::DefineMenuBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs)
{
    m_groups.Add(new OZWMenuBtnGroup(lpszTitle, nCount, pIDs));
}

void OZWToolBarCmdPage::DefineMenuGroup(LPCTSTR lpszTitle)
{
    OZWMenuBar* pMenuBar =
        m_pManager != nullptr ? dynamic_cast<OZWMenuBar*>(m_pManager->ToolBarFromID(ozwtb::kMenuBarId)) : nullptr;
    if (pMenuBar == nullptr)
        return;
    // The menu buttons of the menu the bar shows, whose entry is a menu
    // button with a caption.
    std::vector<UINT> ids;
    const DWORD dwBits = pMenuBar->GetMenuBits();
    for (int i = 0; i < pMenuBar->GetButtonCount(); ++i) {
        const OZWTBMenuBtn* pButton = dynamic_cast<const OZWTBMenuBtn*>(pMenuBar->GetButton(i));
        if (pButton == nullptr || (pButton->m_nMenuParam4 & dwBits) == 0)
            continue;
        if (OZWMenuEntryCaption(OZWFindBtnMapEntry(m_pManager, pButton->m_nID)) != nullptr)
            ids.push_back(pButton->m_nID);
    }
    if (ids.empty())
        return;
    m_menuIDs.push_back(std::move(ids));
    DefineMenuBtnGroup(lpszTitle, (int)m_menuIDs.back().size(), m_menuIDs.back().data());
}

void OZWToolBarCmdPage::ShowDescription(UINT nID)
{
    CString text;
    if (nID != (UINT)-1 && nID != 0 && text.LoadString(nID)) {
        const int nBreak = text.Find('\n');
        if (nBreak >= 0)
            text = text.Left(nBreak);
    }
    else {
        text.Empty();
    }
    if (GetSafeHwnd() != nullptr)
        SetDlgItemText(IDC_OZW_TB_DESCRIPTION, text);
}

CRect OZWToolBarCmdPage::GroupArea()
{
    CRect area;
    if (CWnd* pFrame = GetDlgItem(IDC_OZW_TB_BUTTONS)) {
        pFrame->GetWindowRect(&area);
        ScreenToClient(&area);
    }
    CRect margins(3, 8, 3, 8);
    MapDialogRect(&margins);
    area.DeflateRect(margins.left, margins.top, margins.right, margins.bottom);
    return area;
}

BOOL OZWToolBarCmdPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CRect area = GroupArea();
    CListBox* pCategories = static_cast<CListBox*>(GetDlgItem(IDC_OZW_TB_LIST));
    // The groups lie inside the "Buttons" frame: above it in the z-order,
    // and the frame clipped to what they leave of it. A palette (a control
    // bar, which clips its siblings) lying below the frame could draw
    // nothing of itself, though clicks reached it.
    CWnd* pFrame = GetDlgItem(IDC_OZW_TB_BUTTONS);
    if (pFrame != nullptr)
        pFrame->ModifyStyle(0, WS_CLIPSIBLINGS);
    UINT nID = kFirstGroupID;
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i) {
        while (nID >= ozwtb::kFirstDockBarId && nID <= ozwtb::kLastDockBarId)
            --nID;
        OZWBtnGroup* pGroup = GetGroup((int)i);
        if (!pGroup->Create(this, m_pManager, nID--))
            return FALSE;
        pGroup->FitToRect(&area);
        if (CWnd* pControl = pGroup->m_pControl) {
            if (pFrame != nullptr) {
                HWND hAbove = ::GetWindow(pFrame->m_hWnd, GW_HWNDPREV);
                ::SetWindowPos(pControl->m_hWnd, hAbove != nullptr ? hAbove : HWND_TOP, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            pControl->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
        }
        if (pCategories != nullptr)
            pCategories->AddString(pGroup->m_strTitle);
    }
    if (pCategories != nullptr && pCategories->GetCount() > 0) {
        pCategories->SetCurSel(0);
        m_nCurrent = 0;
    }
    return TRUE;
}

void OZWToolBarCmdPage::ShowGroup(int nIndex)
{
    if (nIndex == m_nCurrent || nIndex < 0 || nIndex >= GetGroupCount())
        return;
    if (m_nCurrent >= 0)
        GetGroup(m_nCurrent)->EnableConfig(FALSE);
    for (int i = 0; i < GetGroupCount(); ++i) {
        OZWBtnGroup* pGroup = GetGroup(i);
        if (pGroup->m_pControl == nullptr || pGroup->m_pControl->GetSafeHwnd() == nullptr)
            continue;
        if (i == nIndex) {
            pGroup->EnableConfig(TRUE);
            pGroup->m_pControl->ShowWindow(SW_SHOW);
        }
        else {
            pGroup->m_pControl->ShowWindow(SW_HIDE);
        }
    }
    m_nCurrent = nIndex;
    if (CListBox* pCategories = static_cast<CListBox*>(GetDlgItem(IDC_OZW_TB_LIST)))
        if (pCategories->GetCurSel() != nIndex)
            pCategories->SetCurSel(nIndex);
}

void OZWToolBarCmdPage::OnCategoryChange()
{
    if (CListBox* pCategories = static_cast<CListBox*>(GetDlgItem(IDC_OZW_TB_LIST)))
        ShowGroup(pCategories->GetCurSel());
}

BOOL OZWToolBarCmdPage::OnSetActive()
{
    if (m_pManager != nullptr) {
        m_pManager->EnableConfigMode(TRUE);
        m_pManager->EnterCustomizeMode();
        m_pManager->SetCustomizeDlg(GetParentSheet());
    }
    if (m_nCurrent >= 0)
        GetGroup(m_nCurrent)->EnableConfig(TRUE);
    return CPropertyPage::OnSetActive();
}

BOOL OZWToolBarCmdPage::OnKillActive()
{
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    OZWLeaveCustomizePage(m_pManager, GetParentSheet());
    if (m_nCurrent >= 0)
        GetGroup(m_nCurrent)->EnableConfig(FALSE);
    return TRUE;
}

void OZWToolBarCmdPage::OnReset()
{
    if (m_pManager != nullptr) {
        m_pManager->EnableConfigMode(FALSE);
        m_pManager->ExitCustomizeMode();
        m_pManager->SetCustomizeDlg(nullptr);
    }
    CPropertyPage::OnReset();
}

LRESULT OZWToolBarCmdPage::OnBarNotify(WPARAM, LPARAM lParam)
{
    if (lParam != OZWBAR_SELCHANGED || m_pManager == nullptr)
        return 0;
    OZWCustomToolBar* pOwner = m_pManager->GetSelectionOwner();
    BOOL bOurs = pOwner != nullptr && m_pManager->ToolBarFromID((UINT)pOwner->GetDlgCtrlID()) == pOwner;
    for (int i = 0; i < GetGroupCount() && !bOurs; ++i)
        bOurs = GetGroup(i)->m_pControl == pOwner;
    if (pOwner == nullptr)
        ShowDescription((UINT)-1);
    else if (bOurs)
        ShowDescription(pOwner->GetButtonID(pOwner->GetSelectedIndex()));
    return 0;
}

LRESULT OZWToolBarCmdPage::OnToolBarStyleChanging(WPARAM wParam, LPARAM)
{
    if (m_pManager == nullptr)
        return 0;
    const CSize size = m_pManager->GetImageSize();
    for (int i = 0; i < GetGroupCount(); ++i) {
        OZWCustomizeToolBar* pPalette = dynamic_cast<OZWCustomizeToolBar*>(GetGroup(i)->m_pControl);
        if (pPalette == nullptr || pPalette->GetSafeHwnd() == nullptr)
            continue;
        if (wParam == 1)
            pPalette->UpdateButtonSize(size.cx, size.cy);
        else if (wParam == 2)
            pPalette->ModifyExBarStyle(m_pManager->IsCoolLookEnabled() ? 0 : 0x300,
                                       m_pManager->IsCoolLookEnabled() ? 0x300 : 0, FALSE);
        CRect rect;
        pPalette->GetWindowRect(&rect);
        ScreenToClient(&rect);
        pPalette->FitToRect(&rect);
        pPalette->Invalidate();
    }
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarSheet

IMPLEMENT_DYNAMIC(OZWToolBarSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(OZWToolBarSheet, CPropertySheet)
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_REGISTERED_MESSAGE(s_nKeepAbove, OnKeepAboveFrame)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

OZWToolBarSheet::OZWToolBarSheet(UINT nIDCaption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParent, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

BOOL OZWToolBarSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    PlaceClearOfToolBars();
    SetTimer(kKeepAboveTimer, kKeepAboveMs, nullptr);
    return bResult;
}

void OZWToolBarSheet::PlaceClearOfToolBars()
{
    CFrameWnd* pFrame = m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
    if (GetSafeHwnd() == nullptr || pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    CenterWindow(pFrame);
    CRect rectSheet;
    GetWindowRect(&rectSheet);
    std::vector<RECT> docked;
    for (OZWCustomToolBar* pBar : m_pManager->GetToolBars()) {
        if (pBar->GetSafeHwnd() == nullptr || !pBar->IsWindowVisible() || pBar->IsFloating())
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        docked.push_back(rect);
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (!::GetMonitorInfo(::MonitorFromWindow(pFrame->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi))
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &mi.rcWork, 0);
    const RECT rect = ozwtb::PlaceClearOf(rectSheet, docked, mi.rcWork);
    SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OZWToolBarSheet::KeepAboveFrame(BOOL bRaise)
{
    HWND hFrame = ::GetWindow(GetSafeHwnd(), GW_OWNER);
    if (hFrame == nullptr || !IsWindowVisible())
        return;
    // Below the sheet in the z-order, the frame is where it belongs.
    if (!bRaise)
        for (HWND h = ::GetWindow(m_hWnd, GW_HWNDNEXT); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            if (h == hFrame)
                return;
    // To the top, not just above the frame: a display that stacks its
    // windows itself follows a window raised to the top, not one moved
    // between two others (a floating toolbar raised with the frame).
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OZWToolBarSheet::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kKeepAboveTimer)
        KeepAboveFrame(FALSE);
    else
        CPropertySheet::OnTimer(nIDEvent);
}

void OZWToolBarSheet::OnDestroy()
{
    KillTimer(kKeepAboveTimer);
    CPropertySheet::OnDestroy();
}

void OZWToolBarSheet::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CPropertySheet::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* pFrame = m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
}

LRESULT OZWToolBarSheet::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
    // The frame (enabled while its toolbars are customised) was activated
    // and raised above the sheet, on the display if not in the z-order:
    // once that is done, the sheet goes back to the top, or it would stay
    // hidden behind the frame while open.
    if ((wParam & FS_ACTIVATE) && ::GetActiveWindow() != m_hWnd)
        PostMessage(s_nKeepAbove, TRUE);
    return 0;
}

LRESULT OZWToolBarSheet::OnKeepAboveFrame(WPARAM wParam, LPARAM)
{
    KeepAboveFrame((BOOL)wParam);
    return 0;
}
