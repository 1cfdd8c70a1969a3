#include "app/MainFrm.h"

#include "app/AppRes.h"
#include "app/CleanDlg.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/MergeDlg.h"
#include "app/OptionsDlg.h"
#include "app/UnitsDlg.h"
#include "grids/window/GridWindow.h"

#include <memory>
#include <vector>

namespace {
const char kCharSetPath[] = "AppSettings\\Misc\\CharSet";
// The saved placement waits for the first activation of the frame.
BOOL s_bPlacementPending = TRUE;
} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_FILE_MERGE, OnMerge)
    ON_COMMAND(ID_TOOLS_CLEAN_FIELDS, OnCleanFields)
    ON_COMMAND(ID_TOOLS_OPTIONS, OnOptions)
    ON_COMMAND(ID_TOOLS_UNITS, OnUnits)
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
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::StepProgress()
{
    if (m_pMergeDialog != nullptr)
        m_pMergeDialog->StepProgress();
    else if (m_pCleanDialog != nullptr)
        m_pCleanDialog->StepProgress();
}

CString CMainFrame::GetActiveDatabasePath()
{
    if (m_hWnd == nullptr)
        return CString();
    CMDIChildWnd* pChild = MDIGetActive();
    CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
    return pDoc != nullptr ? pDoc->GetPathName() : CString();
}

void CMainFrame::AddFindText(LPCTSTR lpszText)
{
    const CString text(lpszText != nullptr ? lpszText : "");
    if (text.IsEmpty())
        return;
    for (const CString& entry : m_findList)
        if (entry == text)
            return;
    if ((int)m_findList.size() >= MaxFindTexts)
        m_findList.resize(MaxFindTexts - 1);
    m_findList.insert(m_findList.begin(), text);
}

CString CMainFrame::GetFindText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_findList.size())
        return CString();
    return m_findList[(size_t)nIndex];
}

void CMainFrame::NotifyComponentChanged(CRecordset*)
{
}

void CMainFrame::SetCurveType(int)
{
}

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

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
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

void CMainFrame::SetStatusText(LPCTSTR lpszText)
{
    if (m_hWnd != nullptr && GetMessageBar() != nullptr)
        SetMessageText(lpszText);
}

void CMainFrame::OnClose()
{
    if (MDIGetActive() != nullptr) {
        const int answer = AfxMessageBox(IDS_SAVE_ALL_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES && answer != IDNO)
            return;
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
    CMDIFrameWnd::OnClose();
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE || !s_bPlacementPending)
        return;
    CWinApp* pApp = AfxGetApp();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (pApp == nullptr || !pApp->GetProfileBinary("MainFrame", "WP", &pData, &nBytes))
        return;
    s_bPlacementPending = FALSE;
    // Only a whole placement is applied.
    if (nBytes == sizeof(WINDOWPLACEMENT)) {
        WINDOWPLACEMENT placement;
        memcpy(&placement, pData, sizeof(placement));
        placement.length = sizeof(placement);
        // "Maximize application on startup" holds over the last session's
        // state; the saved place stays the one it is restored to.
        CKelvaronApp* pKelvaron = CKelvaronApp::Get();
        if (pKelvaron != nullptr && (pKelvaron->GetOptions() & OPTION_MAXIMIZE_APP))
            placement.showCmd = SW_SHOWMAXIMIZED;
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
            pApp->WriteProfileBinary("MainFrame", "WP", reinterpret_cast<LPBYTE>(&placement), sizeof(placement));
    }
    CMDIFrameWnd::OnDestroy();
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
    if (charSet == charSetBefore)
        return;
    ForEachDatabaseView([charSet](CKelvaronView* pView) {
        if (CGridWindow* pGrid = pView->GetGrid(); pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr)
            pGrid->LoadStandardFont((BYTE)charSet);
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
    pCmdUI->Enable(TRUE);
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
