// The main frame's toolbars: the four default toolbars (File, Find,
// Component and the hidden Query bar) with their images, the find box on
// the Find toolbar and its history, the toolbars' context menu and the
// Customize sheet.
#include "app/AppRes.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/ToolBarImagesRes.h"
#include "grids/core/GridsCoreRes.h"
#include "toolbars/bar/OZWCustomToolBar.h"
#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/buttons/ComboBtn.h"
#include "toolbars/customize/OZWToolBarCmdPage.h"
#include "toolbars/customize/OZWToolBarsPage.h"
#include "toolbars/menus/OZWBmpMenuPlugIn.h"

namespace {

// The default toolbars' buttons (0: a separator). The manager keeps the
// pointers.
UINT g_fileButtons[] = { ID_FILE_NEW,      ID_FILE_OPEN,      ID_FILE_SAVE_COPY_AS, 0, ID_FILE_MERGE,
                         0,                ID_EDIT_CUT,       ID_EDIT_COPY,         ID_EDIT_PASTE,
                         0,                ID_COPY_COMPONENT, ID_PASTE_COMPONENT,   0, ID_APP_ABOUT };
UINT g_findButtons[] = { ID_EDIT_FIND, ID_FIND_PREVIOUS, ID_FIND_NEXT, ID_FIND_BOX };
UINT g_componentButtons[] = { ID_ADD_COMPONENT,        ID_EDIT_COMPONENT,  ID_DELETE_COMPONENT, 0,
                              ID_NEW_ASSEMBLY,         ID_EDIT_ASSEMBLY,   ID_ADD_TO_ASSEMBLY,
                              ID_REMOVE_FROM_ASSEMBLY, ID_FINISH_ASSEMBLY, 0,
                              ID_EDIT_NOZZLES,         ID_ADD_NOZZLE,      ID_REMOVE_NOZZLE };
UINT g_queryButtons[] = { ID_EXECUTE_QUERY, ID_SAVE_QUERY, ID_DELETE_QUERY, ID_RELOAD_QUERIES };

template <size_t N> constexpr int Count(const UINT (&)[N])
{
    return (int)N;
}

// The find box: a drop-down combo box 200 wide (at least 40), 200 high when
// dropped, enabled by the frame's handler alone.
const OZWBtnMapEntry g_buttonMap[] = {
    { OZWBTN_CLASS(OZWComboBtn), ID_FIND_BOX, TBB_KEEPENABLED | TBB_CENTERVERT,
      { IDC_FIND_BOX, CBS_DROPDOWN, 0x2800C8, 200, 0 } },
    { nullptr, 0, 0, { 0, 0, 0, 0, 0 } },
};

struct ToolBarDefinition
{
    UINT nID;
    UINT nTitle;
    UINT nSmallImages;
    UINT nLargeImages;
    UINT* pButtons;
    int nButtons;
    UINT nNextTo;
    BOOL bVisible;
};

const ToolBarDefinition g_toolBars[] = {
    { IDW_TOOLBAR_FILE, IDS_TOOLBAR_FILE, IDR_TOOLBAR_FILE, IDR_TOOLBAR_FILE_LARGE, g_fileButtons,
      Count(g_fileButtons), 0, TRUE },
    { IDW_TOOLBAR_FIND, IDS_TOOLBAR_FIND, IDR_TOOLBAR_FIND, IDR_TOOLBAR_FIND_LARGE, g_findButtons,
      Count(g_findButtons), IDW_TOOLBAR_FILE, TRUE },
    { IDW_TOOLBAR_COMPONENT, IDS_TABLE_COMPONENT, IDR_TOOLBAR_COMPONENT, IDR_TOOLBAR_COMPONENT_LARGE,
      g_componentButtons, Count(g_componentButtons), IDW_TOOLBAR_FIND, TRUE },
    { IDW_TOOLBAR_QUERY, IDS_TABLE_QUERY, IDR_TOOLBAR_QUERY, IDR_TOOLBAR_QUERY_LARGE, g_queryButtons,
      Count(g_queryButtons), IDW_TOOLBAR_COMPONENT, FALSE },
};

// The tips of Add, Edit and Delete by the view's table type; 0: the
// command's own tip.
struct ComponentTips
{
    UINT nAdd, nEdit, nDelete;
};
ComponentTips TipsForTable(int nTableType)
{
    switch (nTableType) {
    case 0: return { IDS_TIP_ADD_PIPE, IDS_TIP_EDIT_PIPE, IDS_TIP_DELETE_PIPE };
    case 1: return { IDS_TIP_ADD_TAPE, IDS_TIP_EDIT_TAPE, IDS_TIP_DELETE_TAPE };
    case 2: return { IDS_TIP_ADD_VALVE, IDS_TIP_EDIT_VALVE, IDS_TIP_DELETE_VALVE };
    case 3:
    case 15:
    case 16: return { IDS_TIP_ADD_ITEM, IDS_TIP_EDIT_ITEM, IDS_TIP_DELETE_ITEM };
    case 4: return { IDS_TIP_ADD_LTO, IDS_TIP_EDIT_LTO, IDS_TIP_DELETE_LTO };
    case 5: return { IDS_TIP_ADD_COUPLER, IDS_TIP_EDIT_COUPLER, IDS_TIP_DELETE_COUPLER };
    case 6: return { IDS_TIP_ADD_BEND, IDS_TIP_EDIT_BEND, IDS_TIP_DELETE_BEND };
    case 7: return { IDS_TIP_ADD_TEE, IDS_TIP_EDIT_TEE, IDS_TIP_DELETE_TEE };
    case 8: return { IDS_TIP_ADD_CROSS, IDS_TIP_EDIT_CROSS, IDS_TIP_DELETE_CROSS };
    case 9: return { IDS_TIP_ADD_PUMP, IDS_TIP_EDIT_PUMP, IDS_TIP_DELETE_PUMP };
    case 10: return { IDS_TIP_ADD_OUTLET, IDS_TIP_EDIT_OUTLET, IDS_TIP_DELETE_OUTLET };
    case 11: return { IDS_TIP_ADD_OUT_CON, IDS_TIP_EDIT_OUT_CON, IDS_TIP_DELETE_OUT_CON };
    case 12: return { IDS_TIP_ADD_WIRE, IDS_TIP_EDIT_WIRE, IDS_TIP_DELETE_WIRE };
    case 13: return { IDS_TIP_ADD_CONTROLLER, IDS_TIP_EDIT_CONTROLLER, IDS_TIP_DELETE_CONTROLLER };
    case 14: return { IDS_TIP_ADD_LIGHT, IDS_TIP_EDIT_LIGHT, IDS_TIP_DELETE_LIGHT };
    case 17: return { IDS_TIP_ADD_NOZZLE, IDS_TIP_EDIT_NOZZLE, IDS_TIP_DELETE_NOZZLE };
    default: return { 0, 0, 0 };
    }
}

// The find box's text.
CString BoxText(HWND hBox)
{
    CString text;
    if (hBox != nullptr)
        CWnd::FromHandle(hBox)->GetWindowText(text);
    return text;
}

} // namespace

OZWToolBarManager* CMainFrame::GetToolBarManager() const
{
    return static_cast<OZWToolBarManager*>(GetControlBarManager());
}

BOOL CMainFrame::CreateToolBars()
{
    OZWToolBarManager* pManager = GetToolBarManager();
    pManager->EnableCoolLook(TRUE, 0xF00);
    pManager->EnableToolTips(TRUE);
    pManager->GetBmpMgr()->SetSmallSize(16, 16);
    pManager->GetBmpMgr()->SetLargeSize(32, 32);
    for (const ToolBarDefinition& bar : g_toolBars)
        pManager->LoadToolBarResource(bar.nSmallImages, bar.nLargeImages);
    pManager->SetButtonMap(g_buttonMap);
    // The bitmap menus show the toolbars' images beside their commands.
    if (auto* pPlugIn = dynamic_cast<OZWBmpMenuPlugIn*>(GetPlugIn()))
        pPlugIn->SetBmpMgr(pManager->GetBmpMgr());
    for (const ToolBarDefinition& bar : g_toolBars) {
        CString strTitle;
        strTitle.LoadString(bar.nTitle);
        pManager->DefineDefaultToolBar(bar.nID, strTitle, bar.nButtons, bar.pButtons, CBRS_ALIGN_ANY,
                                       AFX_IDW_DOCKBAR_TOP, bar.nNextTo, TRUE, bar.bVisible);
    }
    // The dock bars are made hidden and laid out once; the toolbars are
    // docked each beside the one laid out before it.
    HoldLayout(TRUE);
    EnableDocking(CBRS_ALIGN_ANY);
    HoldLayout(FALSE);
    return pManager->SetupDefaultToolBars();
}

void CMainFrame::SendToFindBoxes(UINT message, WPARAM wParam, LPARAM lParam)
{
    OZWToolBarManager* pManager = GetToolBarManager();
    if (pManager == nullptr || m_hWnd == nullptr)
        return;
    OZWInformMsg msg = { 0, message, wParam, lParam };
    pManager->InformBtn(ID_FIND_BOX, OZWWNDNOTIFY_CREATED, &msg);
}

LRESULT CMainFrame::OnToolBarWndNotify(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != IDC_FIND_BOX)
        return 0;
    HWND hBox = reinterpret_cast<HWND>(lParam);
    if (hBox == nullptr || !::IsWindow(hBox))
        return 0;
    switch (HIWORD(wParam)) {
    case OZWWNDNOTIFY_CREATED:
        if (m_hFindFont != nullptr)
            ::SendMessage(hBox, WM_SETFONT, (WPARAM)m_hFindFont, FALSE);
        for (const CString& entry : m_findList)
            ::SendMessage(hBox, CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)entry);
        ::SendMessage(hBox, CB_SETCURSEL, 0, 0);
        break;
    case OZWWNDNOTIFY_RETURN: {
        const CString text = BoxText(hBox);
        if (text.IsEmpty())
            break;
        AddFindText(text);
        if (CKelvaronView* pView = GetActiveDatabaseView()) {
            pView->SetFindText(text);
            pView->FindNextPrev(TRUE);
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

void CMainFrame::OnFindBoxKillFocus()
{
    const MSG* pMsg = GetCurrentMessage();
    HWND hBox = pMsg != nullptr ? reinterpret_cast<HWND>(pMsg->lParam) : nullptr;
    if (hBox == nullptr || !::IsWindow(hBox))
        return;
    const CString text = BoxText(hBox);
    if (text.IsEmpty()) {
        ::SendMessage(hBox, CB_SETCURSEL, 0, 0);
        return;
    }
    if (::SendMessage(hBox, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)text) != CB_ERR)
        return;
    AddFindText(text);
    if (CKelvaronView* pView = GetActiveDatabaseView())
        pView->SetFindText(text);
}

void CMainFrame::OnFindBoxSelChange()
{
    const MSG* pMsg = GetCurrentMessage();
    HWND hBox = pMsg != nullptr ? reinterpret_cast<HWND>(pMsg->lParam) : nullptr;
    if (hBox == nullptr || !::IsWindow(hBox))
        return;
    if (BoxText(hBox).IsEmpty()) {
        ::SendMessage(hBox, CB_SETCURSEL, 0, 0);
        return;
    }
    const LRESULT nSel = ::SendMessage(hBox, CB_GETCURSEL, 0, 0);
    if (nSel == CB_ERR)
        return;
    CString text;
    const LRESULT nLength = ::SendMessage(hBox, CB_GETLBTEXTLEN, (WPARAM)nSel, 0);
    if (nLength == CB_ERR)
        return;
    ::SendMessage(hBox, CB_GETLBTEXT, (WPARAM)nSel, (LPARAM)text.GetBuffer((int)nLength + 1));
    text.ReleaseBuffer();
    if (CKelvaronView* pView = GetActiveDatabaseView())
        pView->SetFindText(text);
}

void CMainFrame::OnUpdateFindBox(CCmdUI* pCmdUI)
{
    CMenu* pMenu = GetMenu();
    // A maximised database window puts its system menu in front of the
    // menus: the popups are counted after it.
    int nFirst = 0;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    if (pMenu != nullptr && pChild != nullptr && bMaximized) {
        CMenu* pSystem = pChild->GetSystemMenu(FALSE);
        CMenu* pLeading = pMenu->GetSubMenu(0);
        if (pSystem != nullptr && pLeading != nullptr && pLeading->m_hMenu == pSystem->m_hMenu)
            nFirst = 1;
    }
    CMenu* pPopup = pMenu != nullptr ? pMenu->GetSubMenu(nFirst + 2) : nullptr;
    pCmdUI->Enable(pPopup != nullptr && pPopup->GetMenuState(ID_EDIT_FIND, MF_BYCOMMAND) != (UINT)-1);
}

void CMainFrame::OnCustomize()
{
    OZWToolBarManager* pManager = GetToolBarManager();
    OZWToolBarSheet sheet(IDS_CUSTOMIZE, this);
    sheet.SetManager(pManager);
    OZWToolBarsPage toolbars;
    toolbars.SetManager(pManager);
    OZWToolBarCmdPage commands;
    commands.SetManager(pManager);
    for (const ToolBarDefinition& bar : g_toolBars) {
        CString strTitle;
        strTitle.LoadString(bar.nTitle);
        commands.DefineBtnGroup(strTitle, bar.nButtons, bar.pButtons);
    }
    sheet.AddPage(&toolbars);
    sheet.AddPage(&commands);
    sheet.DoModal();
}

void CMainFrame::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (dynamic_cast<CDockBar*>(pWnd) == nullptr)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_TOOLBAR_CONTEXT))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    UINT nPosition = 0;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = dynamic_cast<OZWCustomToolBar*>(static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
        if (pBar == nullptr || pBar->m_hWnd == nullptr)
            continue;
        CString strTitle;
        pBar->GetWindowText(strTitle);
        const UINT nFlags = MF_BYPOSITION | MF_STRING | (pBar->IsVisible() ? MF_CHECKED : MF_UNCHECKED);
        pPopup->InsertMenu(nPosition++, nFlags, pBar->GetDlgCtrlID(), strTitle);
    }
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

CString CMainFrame::GetToolTipText(UINT nID) const
{
    CString text;
    if (const CViewState* pState = GetActiveViewState()) {
        const ComponentTips tips = TipsForTable(pState->GetCurrentTab());
        UINT nString = 0;
        if (nID == ID_ADD_COMPONENT)
            nString = tips.nAdd;
        else if (nID == ID_EDIT_COMPONENT)
            nString = tips.nEdit;
        else if (nID == ID_DELETE_COMPONENT)
            nString = tips.nDelete;
        else if (nID == ID_EDIT_NOZZLES)
            nString = pState->IsNozzleMode() ? IDS_FINISH_EDITING : IDS_EDIT_NOZZLE;
        if (nString != 0 && text.LoadString(nString))
            return text;
    }
    // The command's own tip: its string after the status-line prompt.
    CString full;
    if (nID != 0 && full.LoadString(nID)) {
        const int nNewLine = full.Find('\n');
        if (nNewLine >= 0)
            text = full.Mid(nNewLine + 1);
    }
    return text;
}

BOOL CMainFrame::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        if (pInfo->uFlags & TTF_IDISHWND)
            nID = (UINT_PTR)::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
        const CString text = GetToolTipText((UINT)nID);
        // The text stays valid after the handler returns.
        lstrcpynA(m_szToolTip, text, (int)sizeof(m_szToolTip));
        pInfo->lpszText = m_szToolTip;
    } else {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        if (pInfo->uFlags & TTF_IDISHWND)
            nID = (UINT_PTR)::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
        const CString text = GetToolTipText((UINT)nID);
        ::MultiByteToWideChar(CP_UTF8, 0, text, -1, pInfo->szText, (int)(sizeof(pInfo->szText) / sizeof(WCHAR)));
        pInfo->szText[sizeof(pInfo->szText) / sizeof(WCHAR) - 1] = 0;
        pInfo->lpszText = pInfo->szText;
    }
    *pResult = 0;
    return TRUE;
}
