// CKelvaronView: construction, the services the grids call, the start of
// the view, the tabs, the side panes and the layout.
#include "app/KelvaronView.h"
#include "app/AppRes.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "app/MainFrm.h"
#include "app/OptionsDlg.h"
#include "app/QueriesAndPasteRes.h"
#include "database/records/ComponentRecords.h"
#include "pickers/controls/ColourWells.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "grids/window/TabWnd.h"

#include <algorithm>

using namespace kvgrid;

IMPLEMENT_DYNCREATE(CKelvaronView, CFormView)

BEGIN_MESSAGE_MAP(CKelvaronView, CFormView)
    ON_WM_SIZE()
    ON_WM_MOUSEWHEEL()
    ON_WM_DESTROY()
    ON_NOTIFY(TCN_SELCHANGING, IDC_VIEW_TABS, OnTabSelChanging)
    ON_NOTIFY(TCN_SELCHANGE, IDC_VIEW_TABS, OnTabSelChange)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnTabToolTip)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, OnTabToolTip)
    ON_MESSAGE(dedaride::foundation::WM_OZW_COLORSELECTED, OnColourChosen)
    ON_COMMAND(ID_ADD_COMPONENT, OnAddComponentCommand)
    ON_COMMAND(ID_EDIT_COMPONENT, OnEditComponentCommand)
    ON_COMMAND(ID_DELETE_COMPONENT, OnDeleteComponent)
    ON_COMMAND(ID_NEW_ASSEMBLY, OnNewAssembly)
    ON_COMMAND(ID_EDIT_ASSEMBLY, OnEditAssembly)
    ON_COMMAND(ID_ADD_TO_ASSEMBLY, OnAddToAssemblyCommand)
    ON_COMMAND(ID_REMOVE_FROM_ASSEMBLY, OnRemoveFromAssembly)
    ON_COMMAND(ID_FINISH_ASSEMBLY, OnFinishAssembly)
    ON_COMMAND(ID_EDIT_NOZZLES, OnEditNozzles)
    ON_COMMAND(ID_ADD_NOZZLE, OnAddNozzleCommand)
    ON_COMMAND(ID_REMOVE_NOZZLE, OnRemoveNozzleCommand)
    ON_COMMAND(ID_EDIT_ASSEMBLY_ITEM, OnEditItem)
    ON_COMMAND(ID_EDIT_NOZZLE_ITEM, OnEditItem)
    ON_COMMAND(ID_EDIT_OUTLET_ITEM, OnEditItem)
    ON_UPDATE_COMMAND_UI(ID_ADD_COMPONENT, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_ADD_NOZZLE, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_ADD_TO_ASSEMBLY, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_NEW_ASSEMBLY, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_DELETE_COMPONENT, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_ASSEMBLY, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COMPONENT, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NOZZLES, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_FINISH_ASSEMBLY, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_REMOVE_FROM_ASSEMBLY, OnUpdateComponentCommand)
    ON_UPDATE_COMMAND_UI(ID_REMOVE_NOZZLE, OnUpdateComponentCommand)
    ON_COMMAND(ID_CLOSE_KEEPING, OnCloseKeeping)
    ON_COMMAND(ID_CLOSE_RESTORING, OnCloseRestoring)
    // The user's queries (ViewQueries.cpp).
    ON_COMMAND(ID_EXECUTE_QUERY, OnExecuteQuery)
    ON_COMMAND(ID_SAVE_QUERY, OnSaveQuery)
    ON_COMMAND(ID_DELETE_QUERY, OnDeleteQuery)
    ON_COMMAND(ID_RELOAD_QUERIES, OnReloadQueries)
    ON_UPDATE_COMMAND_UI(ID_EXECUTE_QUERY, OnUpdateExecuteQuery)
    ON_UPDATE_COMMAND_UI(ID_SAVE_QUERY, OnUpdateSaveQuery)
    ON_UPDATE_COMMAND_UI(ID_DELETE_QUERY, OnUpdateDeleteQuery)
    ON_UPDATE_COMMAND_UI(ID_RELOAD_QUERIES, OnUpdateReloadQueries)
    ON_CBN_SELCHANGE(IDC_VIEW_QUERIES, OnQuerySelChange)
    ON_CBN_EDITCHANGE(IDC_VIEW_QUERIES, OnQueryEditChange)
    // Clipboard, find, undo, the Columns menu and orphan nozzles
    // (ViewClipboard.cpp).
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_UNDO_RECORD, OnUndoRecord)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
    ON_COMMAND(ID_FIND_NEXT, OnFindNext)
    ON_COMMAND(ID_FIND_PREVIOUS, OnFindPrevious)
    ON_COMMAND(ID_DELETE_ORPHAN_NOZZLES, OnDeleteOrphanNozzles)
    ON_COMMAND_RANGE(ID_COLUMN_FIRST, ID_COLUMN_LAST, OnColumnMenu)
    ON_COMMAND(ID_FIT_TO_CONTENT, OnFitToContent)
    ON_COMMAND(ID_FIT_TO_WINDOW, OnFitToWindow)
    ON_COMMAND(ID_STRETCH_TO_FIT, OnStretchToFit)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_UPDATE_COMMAND_UI(ID_UNDO_RECORD, OnUpdateUndoRecord)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateNeedsNoDialog)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateNeedsNoDialog)
    ON_UPDATE_COMMAND_UI(ID_FIND_NEXT, OnUpdateNeedsNoDialog)
    ON_UPDATE_COMMAND_UI(ID_FIND_PREVIOUS, OnUpdateNeedsNoDialog)
    ON_UPDATE_COMMAND_UI(ID_DELETE_ORPHAN_NOZZLES, OnUpdateNeedsNoDialog)
    ON_UPDATE_COMMAND_UI(ID_FIT_TO_CONTENT, OnUpdateFit)
    ON_UPDATE_COMMAND_UI(ID_FIT_TO_WINDOW, OnUpdateFit)
    ON_UPDATE_COMMAND_UI(ID_STRETCH_TO_FIT, OnUpdateFit)
END_MESSAGE_MAP()

namespace {

// The margin around and between the view's windows (pixels).
const int kMargin = 5;
// The query combo's list shows this many lines.
const int kComboLines = 21;
// The titles of the tabs of the component tables, in tab order.
const UINT kTabTitles[ComponentTableCount] = {
    IDS_TAB_PIPES,          IDS_TAB_TAPES,     IDS_TAB_VALVES,           IDS_TAB_OTHER_HYDRAULICS,
    IDS_TAB_LATERAL_TAKE_OFFS, IDS_TAB_COUPLERS, IDS_TAB_ELBOWS,         IDS_TAB_TEES,
    IDS_TAB_CROSSES,        IDS_TAB_PUMPS,     IDS_TAB_OUTLETS,          IDS_TAB_OUTLET_CONNECTIONS,
    IDS_TAB_WIRES,          IDS_TAB_CONTROLLERS, IDS_TAB_LIGHTS,         IDS_TAB_OTHER_ELECTRICS,
    IDS_TAB_MISCELLANEOUS,  IDS_TAB_NOZZLES,
};
// A tab title shows at most this many characters in its tool tip.
const int kMaxTipTitle = 32;

} // namespace

CKelvaronView::CKelvaronView()
    : CFormView((UINT)IDD), m_queryPane(*this, m_queryCombo), m_clipboard(*this), m_editors(*this)
{
    m_pColourPopup = new OZU_PopupColorWell;
    LOGFONT lf = {};
    HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hStock == nullptr)
        hStock = ::GetStockObject(SYSTEM_FONT);
    ::GetObjectA(hStock, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    m_hBoldFont = ::CreateFontIndirectA(&lf);
    m_pBeamFonts[0] = new CFont;
    m_pBeamFonts[1] = new CFont;
}

CKelvaronView::~CKelvaronView()
{
    ReleaseGrids();
    // The curve-fit bar lets go of the record before it goes.
    m_editors.ReleaseCurveFitRecord();
    delete m_pColourPopup;
    m_pColourPopup = nullptr;
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
    for (CFont*& pFont : m_pBeamFonts) {
        delete pFont;
        pFont = nullptr;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Services

CKelvaronDoc* CKelvaronView::GetDocument() const
{
    return dynamic_cast<CKelvaronDoc*>(m_pDocument);
}

CDatabase* CKelvaronView::GetDatabase() const
{
    CKelvaronDoc* pDoc = GetDocument();
    return pDoc ? pDoc->GetDatabase() : nullptr;
}

OZU_DiameterValue& CKelvaronView::ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                                 int nUnit)
{
    // Without a document the result is left as it was given (a new value is
    // not valid).
    if (CKelvaronDoc* pDoc = GetDocument())
        result = pDoc->ConvertDiameter(diameter, nUnit);
    return result;
}

void CKelvaronView::TabToComponentType(int nTab, BYTE& nDatabaseNumber, long& nFlags)
{
    kvgrid::TabToComponentType(nTab, nDatabaseNumber, nFlags);
}

int CKelvaronView::ComponentToTab(const ComponentFields& record)
{
    return kvgrid::ComponentToTab(record.m_nDatabaseNumber, record.m_nFlags);
}

void CKelvaronView::ReadFieldLengths()
{
    m_fieldWidths = kvrecords::ComponentTextWidths();
    CDatabase* pDb = GetDatabase();
    if (!pDb || !pDb->IsOpen())
        return;
    try {
        CRecordset rs(pDb);
        rs.Open(CRecordset::forwardOnly, "SELECT TOP 1 * FROM Components", CRecordset::readOnly);
        m_fieldWidths = kvrecords::ComponentTextWidths(rs);
        rs.Close();
    }
    catch (CException* e) {
        ReportDatabaseException(e);
    }
}

int CKelvaronView::GetFieldLength(int nColumn) const
{
    return m_fieldWidths.Of(nColumn);
}

BOOL CKelvaronView::IsStartingUp() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return pApp != nullptr && pApp->IsStartingUp();
}

DWORD CKelvaronView::GetOptions() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return pApp != nullptr ? pApp->GetOptions() : 0;
}

CGridFrame* CKelvaronView::GetGridFrame()
{
    return dynamic_cast<CGridFrame*>(AfxGetMainWnd());
}

CString CKelvaronView::GetTableSortOrder(int nTableType)
{
    return m_pGrid != nullptr ? m_pGrid->GetSortOrder(nTableType) : CString();
}

/////////////////////////////////////////////////////////////////////////////
// The start of the view

void CKelvaronView::OnDraw(CDC*)
{
}

void CKelvaronView::DoDataExchange(CDataExchange* pDX)
{
    m_bExchangeFailed = FALSE;
    CFormView::DoDataExchange(pDX);
    try {
        DDX_Control(pDX, IDC_VIEW_QUERIES, m_queryCombo);
        DDX_Control(pDX, IDC_VIEW_NAME, m_nameStatic);
        DDX_Control(pDX, IDC_VIEW_CAPTION, m_captionStatic);
        DDX_Control(pDX, IDC_VIEW_TABS, m_tabCtrl);
        DDX_Text(pDX, IDC_VIEW_CAPTION, m_strCaption);
        DDX_Text(pDX, IDC_VIEW_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 40);
    }
    catch (CException*) {
        m_bExchangeFailed = pDX->m_bSaveAndValidate;
        throw;
    }
}

void CKelvaronView::OnInitialUpdate()
{
    CDatabase* pDatabase = GetDatabase();
    if (m_pGrid != nullptr || pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    ReadFieldLengths();

    m_pGrid = new CGridWindow(this);
    m_bOwnsGrid = TRUE;
    m_pAssemWnd = new CAssemWnd(this);
    m_pNozzleWnd = new CNozzleWnd(this);
    m_pOutletWnd = new COutletWnd(this);
    m_queryPane.Attach(m_pGrid);
    m_pTabWnd = new CTabWnd(this);
    m_pClickTarget = m_pGrid;
    m_bNozzlePaneShown = m_bOutletPaneShown = FALSE;
    m_viewState.Reset();
    ShowMode();
    m_bInitialising = TRUE;

    CFormView::OnInitialUpdate();

    // The line above the grid: empty until an assembly, an outlet's nozzles
    // or a query are worked on.
    for (CColorStatic* pStatic : { &m_captionStatic, &m_nameStatic })
        pStatic->SetBkColor(::GetSysColor(COLOR_WINDOW));
    SetModeLine(ModeLine::off);
    m_queryCombo.ShowWindow(SW_HIDE);

    for (int t = 0; t < ComponentTableCount; t++)
        m_tabCtrl.InsertItem(t, LoadText(kTabTitles[t]));
    AddQueryTab();
    m_viewState.SetCurrentTab(0);

    // The side tab window, with the items of the assembly as its first page.
    m_pTabWnd->SubclassDlgItem(IDC_VIEW_SIDE_TABS, this);
    m_pAssemWnd->Create(0, CRect(0, 0, 1, 1), m_pTabWnd, IDC_VIEW_SIDE_TABS);
    m_pTabWnd->AttachWnd(m_pAssemWnd, LoadText(IDS_ASSEMBLY_ITEMS));

    // The tab fonts in the character set the user chose.
    GRGetAppState()->m_bUseStyleCharSet = TRUE;
    const int nCharSet = CHeadGridWnd::ReadCharSetSetting();
    if (nCharSet != 0)
        MakeBeamFonts(nCharSet);

    m_pAssemWnd->Initialize();
    m_pGrid->SetAssemWnd(m_pAssemWnd);
    m_recordInfo.SubclassDlgItem(IDC_VIEW_MAIN_GRID, this);
    m_pGrid->Create(WS_VISIBLE, CRect(0, 0, 1, 1), &m_recordInfo, IDC_VIEW_MAIN_GRID);
    m_recordInfo.AttachWnd(m_pGrid);
    m_pGrid->InitGrid();
    // The wheel moves the current row of the grid under the focus (the
    // view's own handling).
    m_pGrid->EnableMouseWheel(FALSE);
    m_pAssemWnd->EnableMouseWheel(FALSE);

    LRESULT result = 0;
    OnTabSelChange(nullptr, &result);
    ResizeParentToFit(TRUE);
    // The view's windows fill it: the form needs no scrolling of its own.
    SetScrollSizes(MM_TEXT, CSize(1, 1));

    ROWCOL row = 0, col = 0;
    if (m_pGrid->GetCurrentCell(row, col))
        m_pGrid->SetCurrentCell(row, COL_DESCRIPTION);
    m_pGrid->SetFocus();
    for (CWnd* pWnd : { (CWnd*)&m_queryCombo, (CWnd*)&m_nameStatic, (CWnd*)&m_captionStatic })
        pWnd->SendMessage(WM_SETFONT, (WPARAM)m_hBoldFont, TRUE);
    m_bInitialising = FALSE;
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());

    // The database window places itself (maximised or sized as the options
    // say) when it first shows, and fits the columns again then.
    m_pGrid->FitColumnWidths();
}

void CKelvaronView::MakeBeamFonts(int nCharSet)
{
    CGRTabBeam* pBeam = m_pTabWnd->GetBeam();
    if (pBeam == nullptr)
        return;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    for (int i = 0; i < 2; i++) {
        LOGFONT lf = {};
        pBeam->GetBeamFont(i)->GetLogFont(&lf);
        lstrcpynA(lf.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
        lf.lfHeight = metrics.lfMessageFont.lfHeight;
        lf.lfCharSet = (BYTE)nCharSet;
        m_pBeamFonts[i]->DeleteObject();
        if (m_pBeamFonts[i]->CreateFontIndirect(&lf))
            pBeam->SetBeamFont(i, m_pBeamFonts[i], FALSE);
    }
    pBeam->Invalidate();
}

void CKelvaronView::OnUnitsChanged()
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    m_pGrid->UpdateColumnTitles();
    SwitchGridTable(GetCurrentTab());
}

void CKelvaronView::OnOptionsChanged(BOOL bCharSetChanged, int nCharSet)
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    if (GetOptions() & OPTION_SHOW_QUERY_TAB)
        AddQueryTab();
    else
        RemoveQueryTab();
    if (!bCharSetChanged)
        return;
    m_pGrid->LoadStandardFont((BYTE)nCharSet);
    m_pGrid->Redraw(GR_INVALIDATE);
    for (CHeadGridWnd* pSide : { (CHeadGridWnd*)m_pAssemWnd, (CHeadGridWnd*)m_pNozzleWnd, (CHeadGridWnd*)m_pOutletWnd })
        if (pSide != nullptr && pSide->GetSafeHwnd() != nullptr)
            pSide->SetCharSet(nCharSet);
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        MakeBeamFonts(nCharSet);
}

void CKelvaronView::OnUpdate(CView*, LPARAM, CObject*)
{
    if (m_bInitialising || m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    if (GetCurrentTab() != TABLE_QUERY)
        SwitchGridTable(GetCurrentTab());
    // The side tabs are drawn again with their labels.
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        m_pTabWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKelvaronView::OnFrameActivated()
{
    CMainFrame* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pMainFrame == nullptr)
        return;
    if (int nCurveType = FrameCurveTypeOfTab(GetCurrentTab()))
        pMainFrame->SetCurveType(nCurveType);
    if (m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr)
        pMainFrame->NotifyComponentChanged(m_pGrid->GetRecordset());
}

void CKelvaronView::OnDestroy()
{
    // The editor works on the grids: it goes first.
    m_editors.CloseOpenEditor();
    ReleaseGrids();
    CFormView::OnDestroy();
}

void CKelvaronView::ReleaseGrids()
{
    m_viewState.Reset();
    ShowMode();
    m_pClickTarget = nullptr;
    if (m_pGrid != nullptr && m_bOwnsGrid) {
        m_pGrid->DetachRecordBeam();
        if (m_recordInfo.GetSafeHwnd() != nullptr)
            m_recordInfo.AttachWnd(nullptr);
        if (m_pGrid->GetSafeHwnd() != nullptr)
            m_pGrid->DestroyWindow();
        delete m_pGrid;
    }
    m_pGrid = nullptr;
    m_bOwnsGrid = FALSE;
    if (m_recordInfo.GetSafeHwnd() != nullptr)
        m_recordInfo.DestroyWindow();
    // The side tab window goes with the panes' windows; then their objects.
    if (m_pTabWnd != nullptr) {
        // The beam lets go of the view's fonts before they go.
        if (CGRTabBeam* pBeam = m_pTabWnd->GetSafeHwnd() != nullptr ? m_pTabWnd->GetBeam() : nullptr) {
            for (int i = 0; i < 2; i++)
                if (pBeam->GetBeamFont(i) == m_pBeamFonts[i])
                    pBeam->SetBeamFont(i, nullptr, FALSE);
        }
        if (m_pTabWnd->GetSafeHwnd() != nullptr)
            m_pTabWnd->DestroyWindow();
    }
    for (CHeadGridWnd** ppGrid :
         { (CHeadGridWnd**)&m_pNozzleWnd, (CHeadGridWnd**)&m_pAssemWnd, (CHeadGridWnd**)&m_pOutletWnd }) {
        delete *ppGrid;
        *ppGrid = nullptr;
    }
    m_queryPane.Release();
    m_bNozzlePaneShown = m_bOutletPaneShown = FALSE;
    delete m_pTabWnd;
    m_pTabWnd = nullptr;
    for (CFont*& pFont : m_pBeamFonts) {
        delete pFont;
        pFont = nullptr;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Tabs

void CKelvaronView::SwitchGridTable(int nTab)
{
    if (!m_pGrid)
        return;
    m_viewState.SetCurrentTab(nTab);
    m_pGrid->SwitchTable(nTab);
}

void CKelvaronView::SelectTab(int nTab)
{
    if (m_tabCtrl.GetSafeHwnd() == nullptr)
        return;
    m_tabCtrl.SetCurSel(nTab);
    NMHDR nmhdr = {};
    nmhdr.hwndFrom = m_tabCtrl.GetSafeHwnd();
    nmhdr.idFrom = IDC_VIEW_TABS;
    nmhdr.code = TCN_SELCHANGE;
    SendMessage(WM_NOTIFY, IDC_VIEW_TABS, (LPARAM)&nmhdr);
}

void CKelvaronView::AddQueryTab()
{
    if (m_viewState.ShowsQueryTab((GetOptions() & OPTION_SHOW_QUERY_TAB) != 0) &&
        m_tabCtrl.GetItemCount() <= ComponentTableCount)
        m_tabCtrl.InsertItem(TABLE_QUERY, GetTableTitle(TABLE_QUERY));
}

void CKelvaronView::RemoveQueryTab()
{
    if (m_tabCtrl.GetItemCount() != TableTypeCount)
        return;
    if (m_tabCtrl.GetCurSel() == TABLE_QUERY)
        SelectTab(0);
    m_tabCtrl.DeleteItem(TABLE_QUERY);
}

void CKelvaronView::OnTabSelChanging(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_viewState.CanLeaveTab()) {
        AfxMessageBox(IDS_FINISH_NOZZLES_FIRST, MB_ICONEXCLAMATION);
        *pResult = 1;
    }
}

void CKelvaronView::HidePane(CWnd* pPane, BOOL& bShown)
{
    if (m_pTabWnd != nullptr && pPane != nullptr) {
        int nTab = m_pTabWnd->FindTab(pPane);
        if (nTab >= 0)
            m_pTabWnd->RemoveTab(nTab);
    }
    bShown = FALSE;
}

void CKelvaronView::ShowGridPane(CHeadGridWnd* pPane, BOOL& bShown, UINT nLabelId, BOOL bSwitch)
{
    if (!bShown) {
        if (pPane->GetSafeHwnd() == nullptr)
            pPane->Create(0, CRect(0, 0, 1, 1), m_pTabWnd, IDC_VIEW_SIDE_TABS);
        pPane->Initialize();
        pPane->EnableMouseWheel(FALSE);
        m_pTabWnd->AttachWnd(pPane, LoadText(nLabelId));
        pPane->SetColumnWidths();
        bShown = TRUE;
    }
    if (bSwitch)
        m_pTabWnd->SwitchTab(m_pTabWnd->FindTab(pPane));
}

void CKelvaronView::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (m_pGrid == nullptr || m_pTabWnd == nullptr)
        return;
    int nTab = m_tabCtrl.GetCurSel();
    if (nTab < 0) {
        m_tabCtrl.SetCurSel(0);
        nTab = 0;
    }
    // While the database lacks what the program needs, the component tabs
    // would fail on every step: the Query tab stays, and the status line
    // says why.
    if (!m_viewState.CanShowTab(nTab) && m_tabCtrl.GetItemCount() > TABLE_QUERY) {
        m_tabCtrl.SetCurSel(TABLE_QUERY);
        if (CMainFrame* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
            pFrame->SetStatusText(LoadText(IDS_QUERY_TAB_ONLY));
        return;
    }
    m_viewState.SetCurrentTab(nTab);

    // The panes of the table left go.
    if (!m_viewState.IsNozzleMode())
        HidePane(m_pNozzleWnd, m_bNozzlePaneShown);
    if (nTab != TABLE_NOZZLE)
        HidePane(m_pOutletWnd, m_bOutletPaneShown);
    if (nTab != TABLE_QUERY)
        m_queryPane.Hide(*m_pTabWnd);

    m_nameStatic.ShowWindow(SW_SHOW);
    m_queryCombo.ShowWindow(SW_HIDE);
    if (m_viewState.GetMode() == ViewMode::normal)
        SetModeLine(ModeLine::off);

    if (int nCurveType = CurveTypeOfTab(nTab)) {
        if (CMainFrame* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
            pFrame->SetCurveType(nCurveType);
    }

    if (nTab == TABLE_OUTLET) {
        ShowGridPane(m_pNozzleWnd, m_bNozzlePaneShown, IDS_TAB_NOZZLES, !m_viewState.IsAssemblyMode());
        m_pGrid->SetNozzleWnd(m_pNozzleWnd);
    }
    else if (nTab == TABLE_NOZZLE) {
        // While nozzles are given to an outlet, its nozzles stay in view.
        ShowGridPane(m_pOutletWnd, m_bOutletPaneShown, IDS_TAB_OUTLETS, !m_viewState.IsNozzleMode());
        m_pGrid->SetOutletWnd(m_pOutletWnd);
        if (m_viewState.IsNozzleMode())
            m_pTabWnd->SwitchTab(m_pTabWnd->FindTab(m_pNozzleWnd));
    }
    else if (nTab == TABLE_QUERY) {
        SetModeLine(ModeLine::query);
        m_queryPane.Show(*m_pTabWnd);
    }

    SwitchGridTable(nTab);
    if (nTab == TABLE_QUERY)
        m_queryPane.OnTabShown();

    if (nTab == TABLE_OUTLET && m_bNozzlePaneShown)
        m_pNozzleWnd->FillNozzles(m_pGrid->GetCurrentKey());
    else if (nTab == TABLE_NOZZLE && m_bOutletPaneShown)
        m_pOutletWnd->FillOutlets(m_pGrid->GetCurrentKey());
    if (m_pGrid->GetSafeHwnd() != nullptr)
        m_pGrid->SetFocus();
}

CString CKelvaronView::GetTabToolTip(int nTab)
{
    char title[kMaxTipTitle + 1] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof(title);
    if (nTab < 0 || !m_tabCtrl.GetItem(nTab, &item))
        return CString();
    CString text;
    if (m_queryPane.IsShown())
        text.Format(IDS_TAB_DATABASE_NUMBER_TIP, title, GetTableDatabaseNumber(nTab));
    else
        text = title;
    return text;
}

BOOL CKelvaronView::OnTabToolTip(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    CToolTipCtrl* pTips = m_tabCtrl.GetSafeHwnd() ? m_tabCtrl.GetToolTips() : nullptr;
    if (pTips == nullptr || pNMHDR->hwndFrom != pTips->GetSafeHwnd())
        return FALSE;
    TCHITTESTINFO hit = {};
    ::GetCursorPos(&hit.pt);
    m_tabCtrl.ScreenToClient(&hit.pt);
    CString text = GetTabToolTip(m_tabCtrl.HitTest(&hit));
    lstrcpynA(m_szTipText, text, sizeof(m_szTipText));
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->lpszText = m_szTipText;
    }
    else {
        // The wide text lies in the second half of the buffer.
        wchar_t* pWide = reinterpret_cast<wchar_t*>(m_szTipText + sizeof(m_szTipText) / 2);
        const int nWide = (int)(sizeof(m_szTipText) / 2 / sizeof(wchar_t));
        ::MultiByteToWideChar(CP_UTF8, 0, text, -1, pWide, nWide);
        pWide[nWide - 1] = 0;
        reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->lpszText = pWide;
    }
    *pResult = 0;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Layout

void CKelvaronView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_bInitialising)
        return;
    LayOut(cx, cy);
}

void CKelvaronView::LayOut(int cx, int cy)
{
    if (m_tabCtrl.GetSafeHwnd() == nullptr || m_pTabWnd == nullptr || m_recordInfo.GetSafeHwnd() == nullptr)
        return;
    const int m = kMargin;
    CRect rcTabs(m, m, std::max(m, cx - m), std::max(m, cy - m));
    m_tabCtrl.MoveWindow(&rcTabs);
    CRect rcDisplay = rcTabs;
    m_tabCtrl.AdjustRect(FALSE, &rcDisplay);

    // The line: the caption as wide as its longest text, the name (or the
    // query combo) filling the rest.
    CRect rcCaption;
    m_captionStatic.GetWindowRect(&rcCaption);
    rcCaption.right = rcCaption.left + CaptionWidth();
    const int nLineTop = rcDisplay.top + m;
    const int nLeft = rcDisplay.left + m;
    const int nRight = std::max(nLeft, (int)rcDisplay.right - m);
    m_captionStatic.MoveWindow(nLeft, nLineTop, rcCaption.Width(), rcCaption.Height());
    const int nNameLeft = std::min(nRight, nLeft + (int)rcCaption.Width() + m);
    m_nameStatic.MoveWindow(nNameLeft, nLineTop, nRight - nNameLeft, rcCaption.Height());
    const int nFieldHeight = (int)m_queryCombo.SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1);
    m_queryCombo.MoveWindow(nNameLeft, nLineTop, nRight - nNameLeft, kComboLines * nFieldHeight);
    CRect rcCombo;
    m_queryCombo.GetWindowRect(&rcCombo);
    const int nLineHeight = std::max((int)rcCaption.Height(), (int)rcCombo.Height());

    // Below it the main grid and the side tab window share the height.
    const int nTop = nLineTop + nLineHeight + m;
    const int h = std::max(0, (int)rcDisplay.bottom - nTop);
    const int nGridHeight = (int)((1.0 - m_dSplit) * h);
    const int nSideHeight = std::max(0, (int)(m_dSplit * h) - 2 * m);
    m_recordInfo.MoveWindow(nLeft, nTop, nRight - nLeft, nGridHeight);
    m_pTabWnd->MoveWindow(nLeft, nTop + nGridHeight + m, nRight - nLeft, nSideHeight);

    ROWCOL row = 0, col = 0;
    if (m_pGrid != nullptr && m_pGrid->GetCurrentCell(row, col))
        m_pGrid->ScrollCellInView(row, col);
}

int CKelvaronView::CaptionWidth()
{
    CClientDC dc(&m_captionStatic);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), (HGDIOBJ)m_captionStatic.SendMessage(WM_GETFONT));
    int nWidth = 0;
    for (UINT nId : { IDS_CREATING_ASSEMBLY, IDS_EDITING_ASSEMBLY, IDS_ADDING_NOZZLES_TO, IDS_QUERY_NAME }) {
        CString text = LoadText(nId);
        nWidth = std::max(nWidth, (int)dc.GetTextExtent(text).cx);
    }
    if (hOld != nullptr)
        ::SelectObject(dc.GetSafeHdc(), hOld);
    return nWidth + 2 * kMargin;
}

BOOL CKelvaronView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    HWND hFocus = ::GetFocus();
    const BOOL bInSideTabs = m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr && hFocus != nullptr &&
                             (hFocus == m_pTabWnd->GetSafeHwnd() || ::IsChild(m_pTabWnd->GetSafeHwnd(), hFocus));
    if (GridOfWindow(hFocus) != nullptr || bInSideTabs) {
        // One row per notch, towards the user down.
        int nNotches = std::max(1, std::abs((int)zDelta) / WHEEL_DELTA);
        for (int i = 0; i < nNotches; i++)
            ::SendMessageA(hFocus, WM_KEYDOWN, zDelta < 0 ? VK_DOWN : VK_UP, 0);
    }
    return CFormView::OnMouseWheel(nFlags, zDelta, pt);
}

CWnd* CKelvaronView::GridOfWindow(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    CWnd* grids[] = { m_pGrid, m_pAssemWnd, m_pNozzleWnd, m_pOutletWnd };
    for (CWnd* pGrid : grids) {
        HWND hGrid = pGrid != nullptr ? pGrid->GetSafeHwnd() : nullptr;
        if (hGrid != nullptr && (hWnd == hGrid || ::IsChild(hGrid, hWnd)))
            return pGrid;
    }
    return nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Closing

BOOL CKelvaronView::SettleChangedRecord()
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr || !m_pGrid->IsRecordDirty())
        return TRUE;
    if (!(GetOptions() & OPTION_NO_UPDATE_WARNING)) {
        switch (AfxMessageBox(IDS_SAVE_EDITED_COMPONENT, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            break;
        case IDNO:
            m_pGrid->UndoRecord();
            return TRUE;
        default:
            return FALSE;
        }
    }
    CString error;
    if (m_pGrid->Update(&error))
        return TRUE;
    if (!error.IsEmpty())
        AfxMessageBox(error, MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CKelvaronView::CloseKeeping()
{
    if (!SettleChangedRecord())
        return FALSE;
    m_editors.CloseOpenEditor();
    ReleaseGrids();
    if (CKelvaronDoc* pDoc = GetDocument())
        pDoc->CloseKeepingChanges();
    CloseDocumentWindow();
    return TRUE;
}

void CKelvaronView::CloseRestoring()
{
    m_editors.CloseOpenEditor();
    if (m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr && m_pGrid->IsRecordDirty())
        m_pGrid->UndoRecord();
    ReleaseGrids();
    if (CKelvaronDoc* pDoc = GetDocument())
        pDoc->CloseRestoringBackup();
    CloseDocumentWindow();
}

void CKelvaronView::CloseDocumentWindow()
{
    // The framework's close of the document: its windows, this view among
    // them, are destroyed and the document deleted.
    if (CDocument* pDoc = GetDocument())
        pDoc->OnCloseDocument();
    else if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DestroyWindow();
}
