// CGridWindow: construction, tables and recordsets, rows and the record hooks.
#include "grids/window/GridWindow.h"
#include "database/records/ComponentTexts.h"
#include "grids/core/CellText.h"
#include "grids/core/ColumnTitles.h"
#include "grids/window/SideGrids.h"
#include "units/RegistrySettings.h"

using namespace kvgrid;

IMPLEMENT_DYNAMIC(CGridWindow, CGRRecordWnd)

BEGIN_MESSAGE_MAP(CGridWindow, CGRRecordWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Closes a recordset when it is open; a failure reports itself.
void CloseRecordset(CRecordset* prs)
{
    if (!prs)
        return;
    try
    {
        if (prs->IsOpen())
            prs->Close();
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
    }
}

} // namespace

CGridWindow::CGridWindow(CGridView* pView) : m_pView(pView)
{
    CDatabase* pDb = pView ? pView->GetDatabase() : nullptr;
    m_pParam = new CGRDbParam;
    m_pQueryRecordset = new CGRDynamicRecordsetEx(pDb);
    m_pComponentRecordset = new CRecords(pDb);
    m_pTapeRecordset = new CTapeRecords(pDb);
    m_pTapeExtras = new CTapeExtras(pDb);
    m_pAssemRecords = new CAssemRecords(pDb);
    m_pNozzleRecs = new CNozzleRecs(pDb);
    m_pWorkRecord = new CRecords(pDb);
    m_pBeamFont = new CFont;
    BuildColumnMap();
    if (!LoadSortOrders())
        SetDefaultSortOrders();
}

CGridWindow::~CGridWindow()
{
    // The window goes first, while everything its messages reach still lives.
    if (GetSafeHwnd())
        DestroyWindow();
    SetRecordset(nullptr);
    CRecordset* sets[] = { m_pComponentRecordset, m_pTapeRecordset, m_pTapeExtras, m_pAssemRecords,
                           m_pNozzleRecs,         m_pQueryRecordset, m_pWorkRecord };
    for (CRecordset* prs : sets)
    {
        CloseRecordset(prs);
        delete prs;
    }
    m_pComponentRecordset = nullptr;
    m_pTapeRecordset = nullptr;
    m_pTapeExtras = nullptr;
    m_pAssemRecords = nullptr;
    m_pNozzleRecs = nullptr;
    m_pQueryRecordset = nullptr;
    m_pWorkRecord = nullptr;
    // Once given to the grid, the parameter object is the grid's to delete.
    if (!m_bParamGiven)
        delete m_pParam;
    m_pParam = nullptr;
    delete m_pBeamFont;
    m_pBeamFont = nullptr;
    SaveColumnMap();
}

kvgrid::CGridSettingsStore& CGridWindow::Store()
{
    return m_registryStore;
}

/////////////////////////////////////////////////////////////////////////////
// Tables and recordsets

void CGridWindow::InitGrid()
{
    SetParam(m_pParam, TRUE);
    m_bParamGiven = TRUE;
    SetTable(TABLE_PIPE, TRUE);
    SetRecordset(m_pComponentRecordset);
    LoadColumnMap();
    Initialize();
    SetUpTable(TABLE_PIPE);

    EnableGridToolTips(TRUE);
    m_pParam->SetNewGridLineMode(TRUE);

    // Headers without borders; column headers bold, wrapped over two lines.
    CGRStyle headers;
    headers.SetBorders(grBorderAll, CGRPen(PS_NULL));
    ChangeRowHeaderStyle(headers, grOverride, 0);
    CGRStyle colHeaders(headers);
    CGRFont bold;
    bold.SetBold(TRUE);
    colHeaders.SetFont(bold).SetWrapText(TRUE).SetAutoSize(TRUE);
    ChangeColHeaderStyle(colHeaders, grOverride, 0);

    m_pParam->EnableSelection(GR_SELROW | GR_SELCELL | GR_SELMULTIPLE | GR_SELSHIFT);
    m_pParam->SetActivateCellFlags(GR_ACTIVATE_CLICKONCELL);
    m_pParam->EnableThumbTrack(TRUE);
    m_pParam->EnableTrackColWidth(1);
    m_pParam->EnableTrackRowHeight(0);
    m_pParam->SetSortRowsOnDblClk(TRUE);
    m_pParam->SetSmartResize(TRUE);
    // Records are counted without reading them, and the texts of many rows
    // are kept once read.
    m_pParam->SetRecordCountMode(1);
    m_pParam->SetMaxCachedRows(20000);

    // Two-line titles show whole.
    SetRowHeight(0, 0, 2 * GetRowHeight(0), nullptr, 0);

    int nCharSet = 0;
    if (!CRegistrySettings().ReadSetting("AppSettings\\Misc\\CharSet", &nCharSet, CRegistrySettings::typeInt32,
                                         sizeof(nCharSet)))
        nCharSet = 0;
    LoadStandardFont((BYTE)nCharSet);
    m_pParam->SetExcelLikeFillFlags(GR_FILL_COPY);
    m_bInitTableOpen = TRUE;
}

void CGridWindow::SetTable(int nTableType, BOOL bNoSetUp)
{
    if (nTableType < 0 || nTableType >= TableTypeCount)
        return;
    m_bInitTableOpen = FALSE;
    CloseRecordset(m_pComponentRecordset);
    CloseRecordset(m_pTapeRecordset);
    CloseRecordset(m_pTapeExtras);
    CloseRecordset(m_pQueryRecordset);
    m_nTableType = nTableType;
    CRecordset* pShown = nullptr;
    try
    {
        if (nTableType == TABLE_QUERY)
        {
            pShown = m_pQueryRecordset;
            m_pQueryRecordset->m_strFilter.Empty();
            m_pQueryRecordset->m_strSort.Empty();
            SetRecordset(pShown);
            for (ROWCOL c = 1; c <= ComponentColumnCount && c <= GetColCount(); c++)
                StoreHeader(c, GetColumnMapTitle(TABLE_QUERY, (int)c));
        }
        else if (nTableType == TABLE_TAPE)
        {
            pShown = m_pTapeRecordset;
            m_pTapeRecordset->m_strFilter = GetTableFilter(TABLE_TAPE);
            m_pTapeRecordset->m_strSort = ShownSortOrder(TABLE_TAPE);
            m_pTapeRecordset->Open(AFX_DB_USE_DEFAULT_TYPE, nullptr, CRecordset::none);
            m_pTapeExtras->Open(AFX_DB_USE_DEFAULT_TYPE, nullptr, CRecordset::none);
            SetRecordset(pShown);
        }
        else
        {
            pShown = m_pComponentRecordset;
            m_pComponentRecordset->m_strFilter = GetTableFilter(nTableType);
            m_pComponentRecordset->m_strSort = ShownSortOrder(nTableType);
            m_pComponentRecordset->Open(AFX_DB_USE_DEFAULT_TYPE, nullptr, CRecordset::none);
            SetRecordset(pShown);
        }
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        SetRecordset(pShown);
    }
    // The header's arrow shows the order the user chose for this table.
    const UserSort& user = m_aUserSorts[nTableType];
    Param()->SetLastSort(user.sort.IsEmpty() ? 0 : user.nCol, user.bAscending);
    if (!bNoSetUp)
        SetUpTable(nTableType);
}

CString CGridWindow::ShownSortOrder(int nTableType) const
{
    const CString& user = m_aUserSorts[nTableType].sort;
    return user.IsEmpty() ? GetSortOrder(nTableType) : user;
}

void CGridWindow::KeepUserSort(const CString& sort, ROWCOL nCol, BOOL bAscending)
{
    // The Query table's order is its statement's.
    if (!IsComponentTable(m_nTableType))
        return;
    m_aUserSorts[m_nTableType] = UserSort{ sort, nCol, bAscending };
}

void CGridWindow::SetUpTable(int nTableType)
{
    BOOL bLock = LockUpdate(TRUE);
    m_nTableType = nTableType;
    m_nLastRow = 0;
    m_bRestoreRow = TRUE;
    if (nTableType != TABLE_QUERY)
    {
        HideCols(1, MaxGridColumn, TRUE, nullptr, 0);
        for (const auto& kv : m_settings.GetTableColumns(nTableType))
        {
            int c = kv.second.column;
            if (c >= 1 && c <= MaxGridColumn)
                HideCols((ROWCOL)c, (ROWCOL)c, kv.second.visible ? FALSE : TRUE, nullptr, 0);
        }
    }
    else
    {
        HideCols(1, MaxGridColumn, FALSE, nullptr, 0);
    }
    if (CGRRecordInfoBeam* pBeam = GetBeam())
        pBeam->SetTitle(GetTableTitle(nTableType));
    LockUpdate(bLock);
}

void CGridWindow::StoreHeader(ROWCOL nCol, const CString& text)
{
    CGRStyle style;
    style.SetValue(text);
    StoreStyleRowCol(0, nCol, &style, grOverride);
}

CRecordset* CGridWindow::OnGetRecordset()
{
    if (m_nTableType == TABLE_QUERY)
        return m_pQueryRecordset;
    if (m_nTableType == TABLE_TAPE)
        return m_pTapeRecordset;
    return m_pComponentRecordset;
}

void CGridWindow::OpenRecordset()
{
    CGRODBCGrid::OpenRecordset();
    if (m_bFirstOpen)
    {
        // The Query table starts from the columns of the first table shown.
        m_settings.RemoveTableColumns(TABLE_QUERY);
        for (ROWCOL c = 1; c <= (ROWCOL)MaxGridColumn && c <= GetColCount(); c++)
        {
            GridColumnEntry& e = m_settings.Entry(TABLE_QUERY, (int)c);
            e.title = GetValueRowCol(0, c);
            e.visible = 1;
        }
        m_bFirstOpen = FALSE;
    }
    if (m_nTableType != TABLE_QUERY)
    {
        for (ROWCOL c = 1; c <= GetColCount(); c++)
        {
            CString title = GetColumnMapTitle(m_nTableType, (int)c);
            if (!title.IsEmpty())
                StoreHeader(c, title);
        }
    }
}

CRecordset* CGridWindow::GetRecordset()
{
    ROWCOL row = 0, col = 0;
    if (!GetCurrentCell(row, col))
        row = GetBrowseParam()->m_nCurrentRow;
    if (row >= 1)
        MoveTo(row);
    return OnGetRecordset();
}

long CGridWindow::GetCurrentKey()
{
    ROWCOL row = 0, col = 0;
    if (!GetCurrentCell(row, col) || !IsRecordRow(row) || !MoveTo(row))
        return -1;
    return ComponentKeyOf(OnGetRecordset());
}

CTapeExtras* CGridWindow::FindTapeExtras(long nPipeKey)
{
    if (!m_pTapeExtras || !m_pTapeExtras->IsOpen())
        return nullptr;
    CString filter;
    filter.Format("[Pipe Key] = Val('%ld')", nPipeKey);
    try
    {
        if (m_pTapeExtras->GetEditMode() != CRecordset::noMode)
            m_pTapeExtras->CancelUpdate();
        return m_pTapeExtras->FindWithFilter(filter) ? m_pTapeExtras : nullptr;
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

void CGridWindow::SaveCurrentRow()
{
    int t = m_nTableType;
    if (t < 0 || t >= TableTypeCount)
        return;
    if (State().bAssemblyMode && State().nAssemblyTab == t)
    {
        // The assembly being built: its own row when it is stored, else the
        // new row just above the append row.
        ROWCOL append = GetAppendRow();
        m_aCurrentRows[t] = (append == GR_INVALID || append < 1) ? 0 : (long)append - 1;
        m_aCurrentKeys[t] = State().nAssemblyKey > 0 ? State().nAssemblyKey : 0;
        return;
    }
    ROWCOL row = 0, col = 0;
    m_aCurrentRows[t] = GetCurrentCell(row, col) ? (long)row : 0;
    const long nKey = m_aCurrentRows[t] != 0 && t != TABLE_QUERY ? GetCurrentKey() : -1;
    m_aCurrentKeys[t] = nKey > 0 ? nKey : 0;
}

void CGridWindow::SwitchTable(int nTableType)
{
    SaveCurrentRow();
    // The table the grid was made with is open as this would open it.
    if (!m_bInitTableOpen || nTableType != m_nTableType)
        SetTable(nTableType);
    m_bInitTableOpen = FALSE;
    SetReadOnly(State().bAssemblyMode || State().bNozzleMode || State().nEditorTableType != -1);
    OpenRecordset();
    FitColumnWidths();
    // The grid takes this table's remembered row instead of the first one.
    SetCurrentCell(1, nTableType == TABLE_QUERY ? 1 : COL_DESCRIPTION);
}

long CGridWindow::GetRememberedRow(int nTableType) const
{
    if (nTableType < 0 || nTableType >= TableTypeCount)
        return 0;
    return m_aCurrentRows[nTableType];
}

CString CGridWindow::MakeUniqueDescription(const CString& text)
{
    int width = m_pView ? m_pView->GetFieldLength(COL_DESCRIPTION) : 0;
    if (width <= 0)
        width = GetTextColumnWidth(COL_DESCRIPTION);
    return kvgrid::MakeUniqueDescription(text, width);
}

CString CGridWindow::PadToLength(const CString& text, int nLength)
{
    return kvrecords::PadToLength(text, nLength);
}

void CGridWindow::DetachRecordBeam()
{
    if (!m_pBeamFont)
        return;
    CGRRecordInfoBeam* pBeam = GetBeam();
    HFONT hFont = (HFONT)m_pBeamFont->GetSafeHandle();
    if (pBeam && pBeam->GetSafeHwnd() && hFont && (HFONT)pBeam->SendMessage(WM_GETFONT) == hFont)
        pBeam->SendMessage(WM_SETFONT, 0, TRUE);
    delete m_pBeamFont;
    m_pBeamFont = nullptr;
}

BOOL CGridWindow::IsRecordRow(ROWCOL nRow)
{
    if (nRow < 1 || nRow > GetRowCount())
        return FALSE;
    ROWCOL append = GetAppendRow();
    return append == GR_INVALID || nRow < append;
}

/////////////////////////////////////////////////////////////////////////////
// Rows

BOOL CGridWindow::SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    // A row or column never set is ignored.
    if (nRow == 0xCDCDCDCD || nCol == 0xCDCDCDCD)
        return TRUE;
    if (m_bRestoreRow && nRow != 0)
    {
        // Back to the component the user left, wherever its row is now;
        // the row number only when its component is gone.
        long remembered = GetRememberedRow(m_nTableType);
        long nKey = m_aCurrentKeys[m_nTableType];
        if (remembered != 0 || nKey > 0)
        {
            m_bRestoreRow = FALSE;
            ROWCOL keyRow = nKey > 0 ? FindRowOfKey(nKey) : 0;
            if (keyRow != 0)
            {
                nRow = keyRow;
            }
            else if (remembered != 0)
            {
                OnTestGridDimension((ROWCOL)remembered, 0);
                if ((ROWCOL)remembered <= GetRowCount())
                    nRow = (ROWCOL)remembered;
            }
        }
    }
    return CGRBrowserGrid::SetCurrentCell(nRow, nCol, flags);
}

void CGridWindow::OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol)
{
    if (!IsSelectingCells())
        SetSelection(nullptr);
    if (nRow != 0 && nRow != m_nLastRow)
    {
        if (m_bSkipFirstMove)
        {
            m_bSkipFirstMove = FALSE;
        }
        else
        {
            m_nLastRow = nRow;
            RefreshSideGrids(nRow);
        }
    }
    CGRODBCGrid::OnMovedCurrentCell(nRow, nCol);
    NotifyComponentChanged(OnGetRecordset());
}

void CGridWindow::RefreshSideGrids(ROWCOL nRow)
{
    if (nRow != GetAppendRow())
    {
        if (!MoveTo(nRow))
            return;
        CRecordset* prs = OnGetRecordset();
        if (!State().bAssemblyMode && m_pAssemWnd)
            m_pAssemWnd->Refresh(prs);
        long key = ComponentKeyOf(prs);
        if (m_nTableType == TABLE_OUTLET && m_pNozzleWnd)
            m_pNozzleWnd->FillNozzles(key);
        else if (m_nTableType == TABLE_NOZZLE && m_pOutletWnd)
            m_pOutletWnd->FillOutlets(key);
    }
    else
    {
        if (m_pAssemWnd)
            m_pAssemWnd->ClearGrid();
        if (m_nTableType == TABLE_OUTLET && m_pNozzleWnd)
            m_pNozzleWnd->ClearGrid();
    }
}

void CGridWindow::NotifyComponentChanged(CRecordset* pRecordset)
{
    if (CGridFrame* pFrame = m_pView ? m_pView->GetGridFrame() : nullptr)
        pFrame->NotifyComponentChanged(pRecordset);
}

void CGridWindow::AddFindText(LPCTSTR lpszFind)
{
    if (CGridFrame* pFrame = m_pView ? m_pView->GetGridFrame() : nullptr)
        pFrame->AddFindText(lpszFind);
}

BOOL CGridWindow::ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT flags)
{
    const BOOL bDeleteKey = nMessage == WM_KEYDOWN && (nChar == VK_BACK || nChar == VK_DELETE);
    if (bDeleteKey && m_nTableType != TABLE_QUERY &&
        (State().nEditorTableType != -1 || State().bAssemblyMode || State().bNozzleMode))
    {
        // An editor dialog has a component of this grid open, or the grid's
        // rows are being picked for an assembly or an outlet: its rows and
        // cells stay as they are.
        return TRUE;
    }
    if (bDeleteKey && m_nEditState != editExisting && m_nTableType != TABLE_QUERY)
    {
        DeleteSelected();
        return TRUE;
    }
    return CGRBrowserGrid::ProcessKeys(pSender, nMessage, nChar, nRepCnt, flags);
}

void CGridWindow::OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase)
{
    CGRODBCGrid::OnFindNext(lpszFind, bNext, bCase);
    AddFindText(lpszFind);
}

/////////////////////////////////////////////////////////////////////////////
// Record hooks

BOOL CGridWindow::Edit(ROWCOL nRow)
{
    if (m_nTableType == TABLE_TAPE && m_pTapeExtras && m_pTapeExtras->IsOpen())
    {
        try
        {
            if (MoveTo(nRow))
            {
                CString filter;
                filter.Format("[Pipe Key] = %ld", m_pTapeRecordset->m_nComponentKey);
                if (m_pTapeExtras->GetEditMode() != CRecordset::noMode)
                    m_pTapeExtras->CancelUpdate();
                if (m_pTapeExtras->FindWithFilter(filter))
                    m_pTapeExtras->Edit();
            }
        }
        catch (CException* e)
        {
            ReportDatabaseException(e);
        }
    }
    return CGRODBCGrid::Edit(nRow);
}

BOOL CGridWindow::Update(CString* pErrorText)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (m_nTableType != TABLE_QUERY && TransferCurrentCell() && bp->m_nEditMode == GR_EDITMODE_ADDNEW &&
        !State().bAssemblyMode)
    {
        ROWCOL row = bp->m_nEditRow;
        CString number = GetRowValue(row, COL_DATABASE_NUMBER);
        number.Trim();
        if (number.IsEmpty() || std::atol(number) == 0)
        {
            // A new row takes the kind of its tab.
            BYTE nDatabaseNumber = 0;
            long nFlags = std::atol(GetRowValue(row, COL_FLAGS));
            TabToComponentType(m_nTableType, nDatabaseNumber, nFlags);
            CGRStyle style;
            style.SetValue(CString(std::to_string((int)nDatabaseNumber)));
            StoreStyleRowCol(row, COL_DATABASE_NUMBER, &style, grOverride);
            style.SetValue(CString(std::to_string(nFlags)));
            StoreStyleRowCol(row, COL_FLAGS, &style, grOverride);
        }
    }
    BOOL bResult = CGRBrowserGrid::Update(pErrorText);
    m_nRememberedRow = 0;
    return bResult;
}

void CGridWindow::PreUpdateRecordset()
{
    CGRODBCGrid::PreUpdateRecordset();
    HoldNewTapeValues();
}

namespace {
// The Tapes columns of the Tape table after [Pipe Key]: grid column 38 is
// [Flow Calc Type], 39 to 48 the ten numbers.
float TapeFields::*const kTapeNumbers[10] = {
    &TapeFields::m_fTapeReals1,  &TapeFields::m_fTapeReals2,  &TapeFields::m_fTapeReals3,
    &TapeFields::m_fTapeReals4,  &TapeFields::m_fTapeReals5,  &TapeFields::m_fTapeReals6,
    &TapeFields::m_fTapeRextra1, &TapeFields::m_fTapeRextra2, &TapeFields::m_fTapeRextra3,
    &TapeFields::m_fTapeRextra4,
};
} // namespace

void CGridWindow::HoldNewTapeValues()
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (m_nTableType != TABLE_TAPE || bp->m_nEditMode != GR_EDITMODE_ADDNEW || !m_pTapeRecordset->IsOpen())
        return;
    // The join would insert a Tapes row of its own, without the tape's key:
    // its Tapes values wait until the Components row has its key.
    m_bNewTapeHeld = TRUE;
    m_newTapeColumns.clear();
    m_newTapeValues = *static_cast<TapeFields*>(m_pTapeRecordset);
    for (int c = COL_PIPE_KEY + 1; c <= COL_LAST_TAPE; c++)
        if (bp->IsFieldEdited((ROWCOL)c))
            m_newTapeColumns.push_back(c);
    for (int f = COL_PIPE_KEY - 1; f < COL_LAST_TAPE && f < m_pTapeRecordset->GetBoundFieldCount(); f++)
    {
        void* pv = m_pTapeRecordset->GetBoundFieldAddress(f);
        m_pTapeRecordset->SetFieldNull(pv, TRUE);
        m_pTapeRecordset->SetFieldDirty(pv, FALSE);
    }
}

void CGridWindow::OnAddedNewRecord()
{
    CGRODBCGrid::OnAddedNewRecord();
    if (m_nTableType != TABLE_TAPE)
        return;
    ROWCOL row = 0, col = 0;
    if (GetCurrentCell(row, col))
        MoveTo(row);
    CreateNewTapeRow();
}

void CGridWindow::CreateNewTapeRow()
{
    long key = m_nNewTapeKey;
    m_nNewTapeKey = 0;
    BOOL bHeld = m_bNewTapeHeld;
    m_bNewTapeHeld = FALSE;
    if (key <= 0 || !m_pTapeExtras || !m_pTapeExtras->IsOpen())
        return;
    try
    {
        if (m_pTapeExtras->GetEditMode() != CRecordset::noMode)
            m_pTapeExtras->CancelUpdate();
        if (State().bTapeExtrasReady)
        {
            m_pTapeExtras->AddForPipe(key);
            State().bTapeExtrasReady = FALSE;
        }
        else if (bHeld && !m_newTapeColumns.empty())
        {
            m_pTapeExtras->Clear();
            for (int c : m_newTapeColumns)
            {
                if (c == COL_PIPE_KEY + 1)
                    m_pTapeExtras->m_strFlowCalcType = m_newTapeValues.m_strFlowCalcType;
                else
                    m_pTapeExtras->*kTapeNumbers[c - COL_PIPE_KEY - 2] = m_newTapeValues.*kTapeNumbers[c - COL_PIPE_KEY - 2];
            }
            m_pTapeExtras->AddForPipe(key);
        }
        else
        {
            m_pTapeExtras->CreateForPipe(key);
        }
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
    }
    // The tape join shows the new tape once its Tapes row exists.
    Requery();
}

/////////////////////////////////////////////////////////////////////////////
// Settings

BOOL CGridWindow::LoadSortOrders()
{
    return m_settings.LoadSortOrders(Store());
}

void CGridWindow::BuildColumnMap()
{
    m_settings.BuildColumnMap([this](int t, int c) { return GetColumnTitle(t, c); });
}

BOOL CGridWindow::LoadColumnMap()
{
    // Each table's columns are read when the table is first shown.
    return m_settings.StartColumnMapLoad(Store());
}

BOOL CGridWindow::SaveColumnMap()
{
    return m_settings.SaveColumnMap(Store());
}
