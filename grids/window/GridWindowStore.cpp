// CGridWindow: storing a component from its editor or as a copy, through the
// grid's row or by its key, and the bracket around an editor dialog.
#include "grids/window/GridWindow.h"
#include "database/records/DatabaseChangeNotice.h"
#include "grids/core/CellText.h"
#include "grids/core/ComponentStore.h"
#include "grids/window/GridsWindowRes.h"
#include "grids/window/SideGrids.h"

#include <algorithm>

using namespace kvgrid;

CDatabase* CGridWindow::Database() const
{
    return m_pView ? m_pView->GetDatabase() : nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// The editor bracket

void CGridWindow::BeginDialogEdit(int nEditState)
{
    m_nEditState = nEditState;
    SetReadOnly(TRUE);
    ROWCOL row = 0, col = 0;
    m_nRememberedRow = GetCurrentCell(row, col) ? (long)row : 0;
    if (row >= 1)
        MoveTo(row);
}

void CGridWindow::EndDialogEdit()
{
    // An assembly being built keeps the grid read-only.
    SetReadOnly(State().bAssemblyMode);
    m_nRememberedRow = 0;
    m_nEditState = editNone;
}

BOOL CGridWindow::PromptSaveRecord(LPCTSTR lpszText, BOOL bNoCancel)
{
    if (GetBrowseParam()->m_nEditMode == GR_EDITMODE_NONE)
        return TRUE;
    auto store = [this]() {
        CString error;
        if (Update(&error))
            return TRUE;
        ReportFlushError(error);
        return FALSE;
    };
    DWORD options = m_pView ? m_pView->GetOptions() : 0;
    if (options & GRID_OPTION_STORE_WITHOUT_ASKING)
        return store();
    int answer = GridMessageBox(lpszText, (bNoCancel ? MB_YESNO : MB_YESNOCANCEL) | MB_ICONQUESTION);
    if (answer == IDYES)
        return store();
    if (answer == IDNO)
    {
        UndoRecord();
        return TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Finding rows

ROWCOL CGridWindow::FindRowOfKey(long nKey)
{
    if (nKey < 0 || m_nTableType == TABLE_QUERY)
        return 0;
    auto keyOf = [this](ROWCOL row) { return IsRecordRow(row) && MoveTo(row) ? ComponentKeyOf(OnGetRecordset()) : -1; };
    // The row the editor was opened on, and the current row, first.
    ROWCOL current = 0, col = 0;
    GetCurrentCell(current, col);
    for (ROWCOL row : { (ROWCOL)std::max(m_nRememberedRow, 0L), current })
        if (row >= 1 && keyOf(row) == nKey)
            return row;
    OnTestGridDimension(GR_MAXROWCOL, 0);
    // A set that keeps its keys tells the key's place without reading rows.
    CRecordset* prs = OnGetRecordset();
    if (prs && prs->IsOpen() && prs->IsKeyed())
    {
        long nPlace = prs->FindKeyedRow("Components", nKey);
        ROWCOL row = nPlace >= 0 ? RowOfRecord(nPlace) : 0;
        return row >= 1 && keyOf(row) == nKey ? row : 0;
    }
    for (ROWCOL row = 1; IsRecordRow(row); row++)
        if (keyOf(row) == nKey)
            return row;
    return 0;
}

ROWCOL CGridWindow::FindKey(long nKey, BOOL bSetCell)
{
    ROWCOL r0 = 0, c0 = 0;
    const BOOL bCurrent = GetCurrentCell(r0, c0);
    ROWCOL row = FindRowOfKey(nKey);
    if (row == 0)
    {
        if (bCurrent)
            MoveTo(r0);
        return r0;
    }
    if (bSetCell)
    {
        // The key's own column is not shown: the row is selected in the
        // column the user was in, or at its description.
        ROWCOL col = (bCurrent && c0 >= 1 && !IsColHidden(c0)) ? c0 : (ROWCOL)COL_DESCRIPTION;
        SetCurrentCell(row, col);
        ScrollCellInView(row, col);
    }
    MoveTo(row);
    return row;
}

/////////////////////////////////////////////////////////////////////////////
// Duplicate tests

BOOL CGridWindow::CheckDuplicateRecord(const CRecords& record)
{
    return CheckDuplicate(record.m_nComponentKey, record.m_strDescription, record.m_strWarehouseCode,
                          record.m_nDatabaseNumber);
}

long CGridWindow::IsDuplicateComponent(const CRecords& record)
{
    CDatabase* pDb = Database();
    if (!pDb)
        return -1;
    try
    {
        return FindDuplicateComponent(pDb, record.m_strDescription, record.m_strWarehouseCode,
                                      record.m_nDatabaseNumber, -1);
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return -1;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Store through the grid's row

BOOL CGridWindow::WriteRecordToRow(ROWCOL nRow, const CRecords& record, const CTapeRecords* pTape)
{
    // The key is the database's; every other column comes from the record.
    for (int c = COL_COMPONENT_KEY + 1; c <= ComponentColumnCount; c++)
        if (!SetValueRange(CGRRange(nRow, (ROWCOL)c), ComponentColumnText(record, c), grOverride, 0, 0))
            return FALSE;
    if (m_nTableType == TABLE_TAPE && pTape)
    {
        for (int c = COL_PIPE_KEY + 1; c <= COL_LAST_TAPE; c++)
            if (!SetValueRange(CGRRange(nRow, (ROWCOL)c), TapeColumnText(*pTape, c - COL_PIPE_KEY + 1), grOverride, 0,
                               0))
                return FALSE;
        // The grid's tape extras hold the values too, for the Tapes row of a
        // new tape.
        long nPipeKey = m_pTapeExtras->m_nPipeKey;
        static_cast<TapeFields&>(*m_pTapeExtras) = *pTape;
        m_pTapeExtras->m_nPipeKey = nPipeKey;
    }
    return TRUE;
}

BOOL CGridWindow::DuplicateComponent(CRecords& record, const CTapeRecords* pTape)
{
    CDatabase* pDb = Database();
    if (!pDb || m_nTableType == TABLE_QUERY)
        return FALSE;
    CGridState& state = State();
    const long nSourceKey = record.m_nComponentKey;

    // Where it goes: an edited component into its own row, a new one (or one
    // whose row has gone meanwhile) into the append row.
    ROWCOL row = 0;
    BOOL bNew = m_nEditState == editAdding;
    if (!bNew)
    {
        row = FindRowOfKey(nSourceKey);
        bNew = row == 0;
    }
    if (bNew)
    {
        row = GetAppendRow();
        if (row == GR_INVALID || row < 1)
            return FALSE;
    }

    // The description must be one no other component of the kind has: a new
    // or edited component that equals another is stored under the unique
    // form of its description ("~" in front), whatever the duplicate-test
    // switch holds.
    long nDatabaseNumber = record.m_nDatabaseNumber ? record.m_nDatabaseNumber : GetTableDatabaseNumber(m_nTableType);
    CString trimmed = record.m_strDescription;
    trimmed.Trim();
    for (;;)
    {
        int r = TestDuplicate(bNew ? -1 : nSourceKey, record.m_strDescription, record.m_strWarehouseCode,
                              nDatabaseNumber);
        if (r < 0)
            return FALSE;
        if (r == 1)
            break;
        CString unique = MakeUniqueDescription(record.m_strDescription);
        if (unique == record.m_strDescription)
        {
            // A description of nothing but "~" cannot be made unique.
            CString message;
            message.Format(IDS_COMPONENT_EXISTS, (LPCTSTR)trimmed);
            GridMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        record.m_strDescription = unique;
    }

    // Written with the grid unlocked; an assembly being built keeps the
    // grid's read-only state.
    const BOOL bAssembly = state.bAssemblyMode;
    if (bAssembly)
        SetStyleReadOnly(FALSE);
    else
        SetReadOnly(FALSE);
    BOOL bLock = LockUpdate(TRUE);
    CString error;
    BOOL bStored = WriteRecordToRow(row, record, pTape) && Update(&error);
    if (bAssembly)
        SetStyleReadOnly(TRUE);
    LockUpdate(bLock);
    if (!bStored)
    {
        // Nothing half-written stays in the grid; the editor keeps the values.
        CancelRecord();
        SetReadOnly(TRUE);
        Redraw(GR_INVALIDATE);
        ReportFlushError(error);
        return FALSE;
    }

    const long nKey = m_nStoredKey > 0 ? m_nStoredKey : nSourceKey;
    m_nEditState = editNone;
    ROWCOL stored = FindKey(nKey, TRUE);
    Redraw(GR_INVALIDATE);
    if (bAssembly)
    {
        state.nAssemblyKey = nKey;
        state.nAssemblyRow = (long)stored;
    }

    // What the new component takes along from the one it was made from.
    if (state.bCopyAssemblyItems)
    {
        try
        {
            if (nSourceKey != nKey)
                CopyAssemblyRows(pDb, nSourceKey, nKey);
            state.bCopyAssemblyItems = FALSE;
            if (m_pAssemWnd && MoveTo(stored))
                m_pAssemWnd->Refresh(OnGetRecordset());
            FindKey(nKey, TRUE);
        }
        catch (CException* e)
        {
            // The flag stays: the copy can be made again.
            ReportDatabaseException(e);
        }
    }
    if (state.bCopyNozzles)
    {
        state.bCopyNozzles = FALSE;
        try
        {
            if (nSourceKey != nKey)
                CopyNozzleRows(pDb, nSourceKey, nKey);
            if (m_pNozzleWnd)
                m_pNozzleWnd->FillNozzles(nKey);
            FindKey(nKey, TRUE);
        }
        catch (CException* e)
        {
            ReportDatabaseException(e);
        }
    }
    return TRUE;
}

BOOL CGridWindow::CopyComponent(CRecords& record, const CTapeExtras* pTapeExtras)
{
    CTapeExtras none(nullptr);
    CTapeRecords tape(record, pTapeExtras ? *pTapeExtras : none);
    return DuplicateComponent(record, &tape);
}

/////////////////////////////////////////////////////////////////////////////
// Store by key

BOOL CGridWindow::SaveComponent(const CRecords& record, const CTapeRecords& tape)
{
    CDatabase* pDb = Database();
    if (!pDb)
        return FALSE;
    // The twin test runs when the switch asks for it (a component being
    // added); a twin is then refused with a message rather than dropped
    // without a word.
    const BOOL bTestDuplicate = !State().bSkipDuplicateTest;
    ComponentStoreResult result;
    try
    {
        result = StoreComponentByKey(pDb, record, tape, bTestDuplicate);
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return FALSE;
    }
    if (result.outcome == ComponentStoreResult::duplicate)
    {
        CString trimmed = record.m_strDescription, message;
        trimmed.Trim();
        message.Format(IDS_COMPONENT_EXISTS, (LPCTSTR)trimmed);
        GridMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (result.bAnnounce)
        AnnounceDatabaseChange();
    // The grid shows the stored values when it draws next.
    Redraw(GR_INVALIDATE);
    return TRUE;
}
