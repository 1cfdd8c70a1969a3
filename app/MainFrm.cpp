#include "app/MainFrm.h"

#include "app/AppRes.h"
#include "app/CleanDlg.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/MergeDlg.h"
#include "app/OptionsDlg.h"
#include "app/UnitsDlg.h"
#include "app/Utilities.h"
#include "grids/window/GridWindow.h"
#include "platform/theme/ThemeLib.h"
#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/buttons/WndBtn.h"

#include <htmlhelp.h>

#include <memory>
#include <vector>

namespace {
const char kCharSetPath[] = "AppSettings\\Misc\\CharSet";

// The toolbars' ids (the customisable toolbars and any bar of that range).
const UINT kFirstToolBarID = 59397;
const UINT kLastToolBarID = 59648;
const UINT kFirstRecentFile = 57616;
const UINT kLastRecentFile = 57631;
// Events of the toolbars' window buttons (the find box).
const UINT g_msgToolBarWndNotify = OZWGetToolBarWndNotifyMessage();
} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, OZWMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, OZWMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_WM_NCACTIVATE()
    ON_COMMAND(ID_FILE_MERGE, OnMerge)
    ON_COMMAND(ID_TOOLS_CLEAN_FIELDS, OnCleanFields)
    ON_COMMAND(ID_TOOLS_OPTIONS, OnOptions)
    ON_COMMAND(ID_TOOLS_UNITS, OnUnits)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelp)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CURVE_FIT, OnCurveFit)
    ON_COMMAND(ID_COPY_COMPONENT, OnCopyComponent)
    ON_COMMAND(ID_PASTE_COMPONENT, OnPasteComponent)
    ON_UPDATE_COMMAND_UI(ID_COPY_COMPONENT, OnUpdateCopyComponent)
    ON_UPDATE_COMMAND_UI(ID_PASTE_COMPONENT, OnUpdatePasteComponent)
    ON_UPDATE_COMMAND_UI(ID_CURVE_FIT, OnUpdateCurveFit)
    ON_COMMAND_EX_RANGE(kFirstToolBarID, kLastToolBarID, OnToolBarCommand)
    ON_REGISTERED_MESSAGE(g_msgToolBarWndNotify, OnToolBarWndNotify)
    ON_CBN_KILLFOCUS(IDC_FIND_BOX, OnFindBoxKillFocus)
    ON_CBN_SELCHANGE(IDC_FIND_BOX, OnFindBoxSelChange)
    ON_UPDATE_COMMAND_UI(ID_FIND_BOX, OnUpdateFindBox)
    ON_COMMAND(ID_CUSTOMIZE, OnCustomize)
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, OnToolTipText)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_CLEAN_FIELDS, OnUpdateSettingsCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_OPTIONS, OnUpdateSettingsCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_UNITS, OnUpdateSettingsCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_LANGUAGE, OnUpdateLanguage)
    ON_UPDATE_COMMAND_UI_RANGE(CUILanguageManager::FirstCommandId, CUILanguageManager::LastCommandId,
                               OnUpdateLanguage)
    ON_COMMAND_RANGE(CUILanguageManager::FirstCommandId, CUILanguageManager::LastCommandId, OnLanguage)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_pMergeDialog(nullptr), m_pCleanDialog(nullptr)
{
    SetControlBarManager(new OZWToolBarManager(this, nullptr));
    EnableBmpMenus(TRUE, TRUE);
    // The find box's bold font.
    LOGFONT lf = {};
    HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == nullptr)
        hFont = ::GetStockObject(SYSTEM_FONT);
    if (hFont != nullptr && ::GetObject(hFont, sizeof(lf), &lf) != 0) {
        lf.lfWeight = FW_BOLD;
        m_hFindFont = ::CreateFontIndirect(&lf);
    }
    LoadFindList();
    UXSetVisualStyle(1);
    m_copied.MakeCurrent();
}

CMainFrame::~CMainFrame()
{
    if (m_hFindFont != nullptr)
        ::DeleteObject(m_hFindFont);
    delete GetControlBarManager();
    SetControlBarManager(nullptr);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!OZWMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
               WS_CLIPSIBLINGS | FWS_ADDTOTITLE;
    // The editor's class, which start-up registers (a frame made without
    // the start-up keeps the framework's).
    WNDCLASSA wc;
    if (::GetClassInfoA(AfxGetInstanceHandle(), CKelvaronApp::kWindowClass, &wc))
        cs.lpszClass = CKelvaronApp::kWindowClass;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    // The client area gets the scroll bars.
    lpcs->style |= WS_HSCROLL | WS_VSCROLL;
    if (OZWMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    // The status line: the message pane and the lock indicators. Made before
    // the dock bars, so that it spans the whole width below them.
    static const UINT indicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, (int)(sizeof(indicators) / sizeof(indicators[0]))))
        return -1;

    // The toolbars: a frame without them still works.
    CreateToolBars();
    HoldLayout(TRUE);

    // The curve-fit bar, docked on the right in auto-hide mode: pinned there
    // until the user unpins it (or the saved layout has it as a tab).
    m_wndCurveFitBar.SetHost(this);
    UINT nBarID = kCurveFitBarBaseID;
    while (GetControlBar(nBarID) != nullptr)
        ++nBarID;
    if (!m_wndCurveFitBar.Create(this, IDD_CURVEFIT, WS_VISIBLE | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT | CBRS_SIZE_DYNAMIC,
                                 nBarID))
        return -1;
    m_wndCurveFitBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    DockControlBarEx(&m_wndCurveFitBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    m_wndCurveFitBar.SetAutoHideMode(TRUE);

    LoadBarState(kBarLayoutName);
    GetToolBarManager()->LoadState(kBarLayoutName);
    HoldLayout(FALSE);
    CheckHtmlHelp();
    return 0;
}

void CMainFrame::RecalcLayout(BOOL bNotify)
{
    if (m_bHoldLayout) {
        m_bLayoutDue = TRUE;
        return;
    }
    OZWMDIFrameWnd::RecalcLayout(bNotify);
}

void CMainFrame::HoldLayout(BOOL bHold)
{
    m_bHoldLayout = bHold;
    if (!bHold && m_bLayoutDue) {
        m_bLayoutDue = FALSE;
        RecalcLayout();
    }
}

void CMainFrame::CheckHtmlHelp()
{
    m_bHtmlHelp = FALSE;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Internet Explorer", 0, KEY_READ, &hKey) !=
        ERROR_SUCCESS)
        return;
    char buffer[256] = {};
    DWORD cb = 255;
    if (::RegQueryValueExA(hKey, "Version", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &cb) ==
        ERROR_SUCCESS) {
        m_bHtmlHelp = TRUE;
    } else {
        cb = 255;
        memset(buffer, 0, sizeof(buffer));
        if (::RegQueryValueExA(hKey, "Build", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &cb) ==
                ERROR_SUCCESS &&
            atol(buffer) >= 1300)
            m_bHtmlHelp = TRUE;
    }
    ::RegCloseKey(hKey);
}

void CMainFrame::StepProgress()
{
    if (m_pMergeDialog != nullptr)
        m_pMergeDialog->StepProgress();
    else if (m_pCleanDialog != nullptr)
        m_pCleanDialog->StepProgress();
}

CKelvaronView* CMainFrame::GetActiveDatabaseView() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != nullptr ? dynamic_cast<CKelvaronView*>(pChild->GetActiveView()) : nullptr;
}

const CViewState* CMainFrame::GetActiveViewState() const
{
    CKelvaronView* pView = GetActiveDatabaseView();
    return pView != nullptr ? &pView->GetViewState() : nullptr;
}

CString CMainFrame::GetActiveDatabasePath()
{
    if (m_hWnd == nullptr)
        return CString();
    CMDIChildWnd* pChild = MDIGetActive();
    CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
    return pDoc != nullptr ? pDoc->GetPathName() : CString();
}

/////////////////////////////////////////////////////////////////////////////
// Find list

void CMainFrame::LoadFindList()
{
    m_findList.clear();
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    // Read until the first empty entry; a list stored longer than the frame
    // keeps is cut to its newest entries.
    for (int n = 1;; ++n) {
        CString strEntry;
        strEntry.Format("Item%d", n);
        const CString strText = pApp->GetProfileString(kFindListSection, strEntry, "");
        if (strText.IsEmpty())
            break;
        if ((int)m_findList.size() < MaxFindTexts)
            m_findList.push_back(strText);
    }
}

void CMainFrame::SaveFindList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (size_t i = 0; i < m_findList.size(); ++i) {
        CString strEntry;
        strEntry.Format("Item%d", (int)i + 1);
        pApp->WriteProfileString(kFindListSection, strEntry, m_findList[i]);
    }
    // An entry beyond the list ends it when it is read again.
    CString strEntry;
    strEntry.Format("Item%d", (int)m_findList.size() + 1);
    if (!pApp->GetProfileString(kFindListSection, strEntry, "").IsEmpty())
        pApp->WriteProfileString(kFindListSection, strEntry, "");
}

void CMainFrame::AddFindText(LPCTSTR lpszText)
{
    const CString text(lpszText != nullptr ? lpszText : "");
    if (text.IsEmpty())
        return;
    // A listed text is only selected in the find boxes.
    for (size_t i = 0; i < m_findList.size(); ++i) {
        if (m_findList[i] == text) {
            SendToFindBoxes(CB_SETCURSEL, i, 0);
            return;
        }
    }
    if ((int)m_findList.size() >= MaxFindTexts) {
        m_findList.resize(MaxFindTexts - 1);
        SendToFindBoxes(CB_DELETESTRING, MaxFindTexts - 1, 0);
    }
    m_findList.insert(m_findList.begin(), text);
    SendToFindBoxes(CB_INSERTSTRING, 0, (LPARAM)(LPCTSTR)text);
    SendToFindBoxes(CB_SETCURSEL, 0, 0);
}

CString CMainFrame::GetFindText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_findList.size())
        return CString();
    return m_findList[(size_t)nIndex];
}

/////////////////////////////////////////////////////////////////////////////
// Curve-fit bar

void CMainFrame::NotifyComponentChanged(CRecordset* pRecord)
{
    if (m_wndCurveFitBar.m_hWnd != nullptr)
        m_wndCurveFitBar.SetCurrentRecord(pRecord);
}

void CMainFrame::SetCurveType(int nCurveType)
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (m_wndCurveFitBar.m_hWnd == nullptr || (pApp != nullptr && (pApp->GetOptions() & OPTION_NO_CURVE_FROM_TAB)))
        return;
    m_wndCurveFitBar.FillGrids(nCurveType);
}

void CMainFrame::SetCurveFitDialog(CWnd* pDialog)
{
    if (m_wndCurveFitBar.m_hWnd != nullptr)
        m_wndCurveFitBar.SetDetailDialog(pDialog);
}

BOOL CMainFrame::KeepCurveFitUnits() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return pApp != nullptr && (pApp->GetOptions() & OPTION_NO_UNITS_FROM_CURVE) != 0;
}

void CMainFrame::ToggleCurveFitBar()
{
    if (m_wndCurveFitBar.m_hWnd == nullptr)
        return;
    // The bar's own toggle: an unpinned bar slides out of its tab or back
    // in, a pinned or floating one is shown or hidden in its place.
    if (!m_wndCurveFitBar.ToggleVisible())
        return;
    if (const CViewState* pState = GetActiveViewState()) {
        const int nCurveType = FrameCurveTypeOfTab(pState->GetCurrentTab());
        if (nCurveType != 0)
            SetCurveType(nCurveType);
    }
}

void CMainFrame::OnCurveFit()
{
    ToggleCurveFitBar();
}

void CMainFrame::OnUpdateCurveFit(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndCurveFitBar.m_hWnd != nullptr && m_wndCurveFitBar.IsVisible());
}

BOOL CMainFrame::OnToolBarCommand(UINT nID)
{
    if (CControlBar* pBar = GetControlBar(nID)) {
        ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
        RecalcLayout();
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Status line

void CMainFrame::SetStatusText(LPCTSTR lpszText)
{
    if (m_wndStatusBar.m_hWnd != nullptr)
        m_wndStatusBar.SetPaneText(0, lpszText, TRUE);
}

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    if (nID >= kFirstToolBarID && nID <= kLastToolBarID) {
        CControlBar* pBar = const_cast<CMainFrame*>(this)->GetControlBar(nID);
        if (pBar == nullptr || pBar->m_hWnd == nullptr)
            return;
        CString strTitle, strFormat;
        pBar->GetWindowText(strTitle);
        strFormat.LoadString(pBar->IsVisible() ? IDS_HIDE_TOOLBAR : IDS_SHOW_TOOLBAR);
        rMessage.Format(strFormat, (LPCTSTR)strTitle);
        return;
    }
    if (nID >= kFirstRecentFile && nID <= kLastRecentFile) {
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pRecentFileList != nullptr) {
            const int nIndex = (int)(nID - kFirstRecentFile);
            if (nIndex < pApp->m_pRecentFileList->GetSize())
                rMessage = (*pApp->m_pRecentFileList)[nIndex];
        }
        return;
    }
    OZWMDIFrameWnd::GetMessageString(nID, rMessage);
}

BOOL CMainFrame::OnNcActivate(BOOL bActive)
{
    // While a grid's line-style popup is open the caption stays active.
    const CViewState* pState = GetActiveViewState();
    if (!bActive && pState != nullptr && pState->IsPopupOpen())
        return TRUE;
    return OZWMDIFrameWnd::OnNcActivate(bActive);
}

/////////////////////////////////////////////////////////////////////////////
// Window placement

BOOL CMainFrame::IsUsablePlacement(const BYTE* pData, UINT nBytes, WINDOWPLACEMENT* pPlacement)
{
    if (pData == nullptr || nBytes != sizeof(WINDOWPLACEMENT))
        return FALSE;
    WINDOWPLACEMENT placement;
    memcpy(&placement, pData, sizeof(placement));
    if (placement.length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    const RECT& rc = placement.rcNormalPosition;
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return FALSE;
    // A window that would lie on no screen is not put there.
    if (::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) == nullptr)
        return FALSE;
    *pPlacement = placement;
    return TRUE;
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    OZWMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE || !m_bPlacementPending)
        return;
    CWinApp* pApp = AfxGetApp();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (pApp == nullptr || !pApp->GetProfileBinary(kPlacementSection, kPlacementEntry, &pData, &nBytes))
        return;
    m_bPlacementPending = FALSE;
    WINDOWPLACEMENT placement;
    if (IsUsablePlacement(pData, nBytes, &placement)) {
        // "Maximize application on startup" holds over the last session's
        // state; the saved place stays the one it is restored to.
        CKelvaronApp* pKelvaron = CKelvaronApp::Get();
        if (pKelvaron != nullptr && (pKelvaron->GetOptions() & OPTION_MAXIMIZE_APP))
            placement.showCmd = SW_SHOWMAXIMIZED;
        if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE)
            placement.showCmd = SW_SHOWNORMAL;
        // The first activation comes while the start-up still builds the
        // frame and its database window: the frame takes its place hidden
        // and shows as it was left when the start-up shows it, built.
        if (!IsWindowVisible()) {
            m_nPlacementShow = (int)placement.showCmd;
            placement.showCmd = SW_HIDE;
        }
        SetWindowPlacement(&placement);
    }
    delete[] pData;
}

void CMainFrame::OnDestroy()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(&placement)) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->WriteProfileBinary(kPlacementSection, kPlacementEntry, reinterpret_cast<LPBYTE>(&placement),
                                     sizeof(placement));
    }
    OZWMDIFrameWnd::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// Closing

void CMainFrame::OnClose()
{
    if (MDIGetActive() != nullptr) {
        const int answer = AfxMessageBox(IDS_SAVE_ALL_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES && answer != IDNO)
            return;
        // The views are collected before any closes; each close destroys its
        // open editor before the view and the grids the editor works on.
        std::vector<CKelvaronView*> views;
        ForEachDatabaseView([&views](CKelvaronView* pView) { views.push_back(pView); });
        if (answer == IDYES) {
            for (CKelvaronView* pView : views)
                if (!pView->SettleChangedRecord())
                    return;
            for (CKelvaronView* pView : views)
                pView->CloseKeeping();
        } else {
            for (CKelvaronView* pView : views)
                pView->CloseRestoring();
        }
    }
    SaveFindList();
    SaveBarState(kBarLayoutName);
    GetToolBarManager()->SaveState(kBarLayoutName);
    OZWMDIFrameWnd::OnClose();
}

/////////////////////////////////////////////////////////////////////////////
// Commands

void CMainFrame::OnMerge()
{
    auto pDialog = std::make_unique<CMergeDialog>(GetActiveDatabasePath(), this);
    m_pMergeDialog = pDialog.get();
    pDialog->DoModal();
    m_pMergeDialog = nullptr;
    pDialog.reset();
    OnDatabaseMerged();
}

void CMainFrame::OnCleanFields()
{
    auto pDialog = std::make_unique<CCleanDialog>(GetActiveDatabasePath(), this);
    m_pCleanDialog = pDialog.get();
    pDialog->DoModal();
    m_pCleanDialog = nullptr;
}

void CMainFrame::OnDatabaseMerged()
{
    CMDIChildWnd* pChild = m_hWnd != nullptr ? MDIGetActive() : nullptr;
    if (CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr)
        pDoc->UpdateAllViews(nullptr);
}

template <class F>
void CMainFrame::ForEachDatabaseView(F f)
{
    // The views are collected first: what f does may change the lists.
    std::vector<CKelvaronView*> views;
    CWinApp* pApp = AfxGetApp();
    for (POSITION tpos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; tpos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos != nullptr;) {
            CDocument* pDoc = pTemplate->GetNextDoc(dpos);
            for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos != nullptr;) {
                if (CKelvaronView* pView = dynamic_cast<CKelvaronView*>(pDoc->GetNextView(vpos)))
                    views.push_back(pView);
            }
        }
    }
    for (CKelvaronView* pView : views)
        f(pView);
}

void CMainFrame::OnOptions()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    int charSetBefore = -1;
    if (pApp != nullptr)
        pApp->ReadSetting(kCharSetPath, &charSetBefore, CRegistrySettings::typeInt32, sizeof(charSetBefore));
    COptionsDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    int charSet = charSetBefore;
    if (pApp != nullptr)
        pApp->ReadSetting(kCharSetPath, &charSet, CRegistrySettings::typeInt32, sizeof(charSet));
    // Every open database takes the options at once, not only the active
    // one and not only at its next opening.
    const BOOL bCharSetChanged = charSet != charSetBefore;
    ForEachDatabaseView([bCharSetChanged, charSet](CKelvaronView* pView) {
        pView->OnOptionsChanged(bCharSetChanged, charSet);
    });
}

void CMainFrame::OnUnits()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp == nullptr)
        return;
    CUnitsDlg dialog(pApp->GetUnitSettings(), this);
    if (dialog.DoModal() != IDOK)
        return;
    // Every open database, not only the active one: its values are shown in
    // the new units, so its titles must name them.
    ForEachDatabaseView([](CKelvaronView* pView) { pView->OnUnitsChanged(); });
}

void CMainFrame::OnUpdateSettingsCommand(CCmdUI* pCmdUI)
{
    const CViewState* pState = GetActiveViewState();
    pCmdUI->Enable(pState == nullptr || !pState->IsEditorOpen());
}

void CMainFrame::OnUpdateLanguage(CCmdUI* pCmdUI)
{
    if (CKelvaronApp* pApp = CKelvaronApp::Get())
        pApp->GetLanguageManager()->UpdateLanguageMenu(pCmdUI, CUILanguageManager::FirstCommandId);
    else
        pCmdUI->Enable(FALSE);
}

void CMainFrame::OnLanguage(UINT nID)
{
    if (CKelvaronApp* pApp = CKelvaronApp::Get())
        pApp->GetLanguageManager()->OnLanguage(nID, FALSE, pApp->m_pszProfileName, "");
}

void CMainFrame::OnHelp()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    const CString strRoot = pApp != nullptr ? pApp->GetRootPath() : CString();
    const CString strHtmlFile = strRoot + "Help\\RuDezare.chm";
    const CString strWinFile = strRoot + "Help\\RuDezare.hlp";
    // A help file that is not there is not asked for: the help viewers
    // would each report it in a box of their own.
    const BOOL bHtml = m_bHtmlHelp && FindFileExists(strHtmlFile);
    const BOOL bWin = FindFileExists(strWinFile);
    if (bHtml) {
        if (::HtmlHelpA(m_hWnd, strHtmlFile, HH_DISPLAY_TOPIC, 0) != nullptr)
            return;
        if (bWin)
            AfxMessageBox(IDS_NO_HTML_HELP, MB_OK);
    }
    if (bWin) {
        ::WinHelpA(m_hWnd, strWinFile, HELP_CONTENTS, 0);
        return;
    }
    CString text;
    text.FormatMessage(IDS_NO_HELP, (LPCTSTR)(m_bHtmlHelp ? strHtmlFile : strWinFile));
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
