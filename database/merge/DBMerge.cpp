// The database merge: sections, units, the transaction it writes in, the
// matching of components, and the rows that hang off an added component.
#include "database/merge/DBMergeState.h"

#include "database/merge/DBComponentRows.h"
#include "database/merge/DBPragmaScope.h"
#include "database/merge/MergeRes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <list>

namespace {

// A transaction is committed once it is this old (milliseconds).
const ULONGLONG kBatchMilliseconds = 1000;

// The columns of a component that decide its match, read for every target
// component when the merge begins. Reals are read as doubles, so that a
// value that is no single can be told.
class DBMatchRows : public CRecordset
{
public:
    explicit DBMatchRows(CDatabase* pDatabase) : CRecordset(pDatabase) { m_nFields = 14; }
    CString GetDefaultSQL() override { return "[Components]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[Component Key]", m_nKey);
        RFX_Long(pFX, "[Database Number]", m_nDatabaseNumber);
        RFX_Long(pFX, "[Flags]", m_nFlags);
        static const char* const reals[6] = {"[Reals1]", "[Reals2]", "[Reals3]", "[Reals4]", "[Reals5]", "[Reals6]"};
        for (int i = 0; i < 6; ++i)
            RFX_Double(pFX, reals[i], m_reals[i]);
        RFX_Text(pFX, "[Description]", m_texts[0], 255);
        RFX_Text(pFX, "[Warehouse Code]", m_texts[1], 255);
        RFX_Text(pFX, "[Major1]", m_texts[2], 255);
        RFX_Text(pFX, "[Minor1]", m_texts[3], 255);
        RFX_Text(pFX, "[Item Type]", m_texts[4], 255);
    }

    long m_nKey = 0;
    long m_nDatabaseNumber = 0;
    long m_nFlags = 0;
    double m_reals[6] = {};
    CString m_texts[5];
};

} // namespace

// ---------------------------------------------------------------------------
// The merge and its sections

void DBDatabase::Merge(DBDatabase* pSource)
{
    CWaitCursor wait;
    m_nOutcome = mergeNotRun;
    m_nFailures = 0;
    m_nFailuresShown = 0;
    m_bQuietFailures = FALSE;
    m_strReportPath.Empty();
    m_bReportComplete = TRUE;
    m_added.clear();
    m_mapSymbolKeys.RemoveAll();
    if (!IsOpen() || !m_pComponents || pSource == nullptr || !pSource->IsOpen() || !pSource->m_pComponents)
        return;
    if (!CanUpdate()) {
        CString message;
        message.Format(IDS_MERGE_TARGET_READ_ONLY, (LPCSTR)m_strPath, (LPCSTR)GetReadOnlyReason());
        ShowMessage(message, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_pMerge = std::make_unique<MergeState>();
    MergeState& state = *m_pMerge;
    state.mode = !CanTransact() ? MergeState::unitByHand
                 : IsSQLite()   ? MergeState::unitSavepoint
                                : MergeState::unitTransaction;
    // SQLite's temporary storage is kept in memory for the merge (2:
    // MEMORY). A unit's savepoint keeps a copy of every page the unit
    // changes; in a temporary file, SQLite's default, that doubles the cost
    // of each row the merge writes.
    DBPragmaScope memory(state.mode == MergeState::unitSavepoint ? this : nullptr, "temp_store", 2);
    m_pMergeSource = pSource;

    OpenReport(ReportFileName());
    WriteReportHeader(pSource);
    m_nOutcome = mergeCompleted;
    BOOL bRefused = FALSE;
    RunMergeStep([&] {
        // A source whose codes may be longer than the target can hold is
        // refused whole.
        if (pSource->GetWarehouseCodeSize() > GetWarehouseCodeSize()) {
            bRefused = TRUE;
            CString message = LoadText(IDS_MERGE_WAREHOUSE_CODE_TOO_LONG, "Warehouse code msimatch");
            ShowMessage(message, MB_OK | MB_ICONINFORMATION);
            WriteReport(message + "\n");
        }
    });
    BOOL bComponentsStarted = FALSE;
    if (bRefused)
        m_nOutcome = mergeRefused;
    else if (!IsMergeStopped()) {
        RunMergeStep([&] {
            WriteSectionHeader(sectionPipeTypes);
            m_pPipeTypes->ForgetRows();
            m_pPipeTypes->MergeFrom(pSource->m_pPipeTypes.get());
        });
        RunMergeStep([&] {
            WriteSectionHeader(sectionSuppliers);
            m_pSuppliers->ForgetRows();
            m_pSuppliers->MergeFrom(pSource->m_pSuppliers.get());
        });
        RunMergeStep([&] { MergeSymbolTable(pSource); });
        RunMergeStep([&] {
            WriteSectionHeader(sectionComponents);
            bComponentsStarted = TRUE;
            IndexTargetComponents();
            MergeSourceComponents(pSource);
        });
        if (bComponentsStarted)
            WriteSymbolUpdates();
    }
    CloseReport();
    m_pMergeSource = nullptr;
    m_pMerge.reset();
}

void DBDatabase::RunMergeStep(const std::function<void()>& step)
{
    if (IsMergeStopped())
        return;
    try {
        step();
    } catch (CException* e) {
        if (StopsTheMerge(e)) {
            StopMerge(e);
            return;
        }
        // The rest of this section is left out; the merge goes on.
        CString text;
        text.Format(IDS_MERGE_SECTION_FAILED, (LPCSTR)DBExceptionText(e));
        WriteDatabaseError(text);
        const BOOL bTell = !e->IsKindOf(RUNTIME_CLASS(CUserException));
        e->Delete();
        if (bTell)
            TellFailure(text);
    }
    // Each section ends committed (what it merged before a failure too): a
    // later failure does not undo it.
    try {
        CommitBatch(TRUE);
    } catch (CException* e) {
        StopMerge(e);
    }
}

void DBDatabase::MergeSourceComponents(DBDatabase* pSource)
{
    // The source's components in the order they were made, each a unit;
    // read forward rather than through the source's set, which fetches its
    // rows by key.
    ComponentRowsInKeyOrder rows(pSource);
    for (BOOL bRow = rows.Start(LONG_MIN); bRow && !IsMergeStopped();) {
        DBComponentTable& row = rows.Table();
        RunMergeUnit(row.GetReportText(), TRUE, [&] { m_pComponents->MergeRecord(&row); },
                     !BringsDependentRows(row));
        if (IsMergeStopped())
            break;
        bRow = rows.Next();
        StepProgress();
    }
}

BOOL DBDatabase::StopsTheMerge(CException* e)
{
    CDBException* db = dynamic_cast<CDBException*>(e);
    if (db != nullptr)
        return db->StopsEveryWrite();
    return e->IsKindOf(RUNTIME_CLASS(CMemoryException));
}

// ---------------------------------------------------------------------------
// Units and the transaction they are written in

void DBDatabase::ExecuteControl(LPCSTR lpszSQL)
{
    if (m_pMerge == nullptr)
        ExecuteSQL(lpszSQL);
    else
        MergeStatement(lpszSQL).Execute();
}

void DBDatabase::BeforeWrite()
{
    CDatabase::BeforeWrite();
    // A unit's first write opens its savepoint first (the flag goes before
    // the statement, which is a write of its own).
    if (m_pMerge != nullptr && m_pMerge->unitSavepointDue) {
        m_pMerge->unitSavepointDue = false;
        ExecuteControl("SAVEPOINT kv_merge_unit");
        m_pMerge->unitSavepointOpen = true;
    }
}

void DBDatabase::NoteUnitWrite()
{
    if (m_pMerge != nullptr)
        m_pMerge->unitWritten = true;
}

void DBDatabase::BeginBatch()
{
    MergeState& state = *m_pMerge;
    if (state.inBatch)
        return;
    ExecuteControl("BEGIN");
    state.inBatch = true;
    state.batchStart = ::GetTickCount64();
    state.batchAdded = m_added.size();
    state.batchFirst.Empty();
    m_bHoldReport = TRUE;
}

void DBDatabase::CommitBatch(BOOL bForce)
{
    MergeState* pState = m_pMerge.get();
    if (pState == nullptr || !pState->inBatch)
        return;
    if (!bForce && ::GetTickCount64() - pState->batchStart < kBatchMilliseconds)
        return;
    ExecuteControl("COMMIT");
    pState->inBatch = false;
    pState->batchFirst.Empty();
    m_bHoldReport = FALSE;
    FlushReport();
}

void DBDatabase::RollbackBatch()
{
    MergeState* pState = m_pMerge.get();
    if (pState == nullptr || !pState->inBatch)
        return;
    pState->inBatch = false;
    if (m_added.size() > pState->batchAdded)
        m_added.resize(pState->batchAdded);
    try {
        ExecuteControl("ROLLBACK");
    } catch (CException* e) {
        // SQLite has already undone a transaction it could not keep.
        e->Delete();
    }
}

void DBDatabase::RunMergeUnit(const CString& strName, BOOL bComponent, const std::function<void()>& merge,
                              BOOL bOneWrite)
{
    if (IsMergeStopped() || m_pMerge == nullptr)
        return;
    MergeState& state = *m_pMerge;
    const bool bSavepoint = state.mode == MergeState::unitSavepoint;
    size_t addedMark = m_added.size();
    state.indexLog.clear();
    state.logIndex = true;
    state.unitOneWrite = bSavepoint && bOneWrite;
    state.unitWritten = false;
    bool bOpen = false;
    try {
        if (bSavepoint) {
            BeginBatch();
            state.unitSavepointDue = !state.unitOneWrite;
            state.unitSavepointOpen = false;
        } else {
            // The unit's lines wait for its end.
            m_bHoldReport = TRUE;
            if (state.mode == MergeState::unitTransaction && !BeginTrans())
                state.mode = MergeState::unitByHand;
        }
        if (state.batchFirst.IsEmpty())
            state.batchFirst = strName;
        bOpen = true;
        merge();
        bOpen = false;
        state.unitSavepointDue = false;
        state.unitOneWrite = false;
        if (bSavepoint) {
            if (state.unitSavepointOpen) {
                state.unitSavepointOpen = false;
                ExecuteControl("RELEASE kv_merge_unit");
            }
        } else if (state.mode == MergeState::unitTransaction && !CommitTrans()) {
            Rollback();
            AfxThrowDBException(AFX_SQL_ERROR, "The changes could not be saved in the database.");
        }
    } catch (CException* e) {
        state.logIndex = false;
        state.unitSavepointDue = false;
        const bool bSavepointOpen = state.unitSavepointOpen;
        state.unitSavepointOpen = false;
        // The unit's changes in memory go with it.
        for (size_t i = state.indexLog.size(); i > 0; --i) {
            const MergeState::IndexChange& change = state.indexLog[i - 1];
            if (change.previous == 0)
                state.index.erase(change.key);
            else
                state.index[change.key] = change.previous;
        }
        state.indexLog.clear();
        // A unit without a savepoint that failed after it wrote is undone
        // with the transaction: the failure stops the merge.
        const bool bUnguarded = state.unitOneWrite && state.unitWritten;
        state.unitOneWrite = false;
        bool bStops = StopsTheMerge(e) || bUnguarded;
        CException* pUndoFailure = nullptr;
        if (bOpen) {
            try {
                if (bSavepoint && !bStops) {
                    if (bSavepointOpen) {
                        ExecuteControl("ROLLBACK TO kv_merge_unit");
                        ExecuteControl("RELEASE kv_merge_unit");
                    }
                } else if (state.mode == MergeState::unitTransaction) {
                    Rollback();
                } else if (!bSavepoint) {
                    // Without a transaction, whatever this unit added is
                    // removed by hand, newest first.
                    for (size_t i = m_added.size(); i > addedMark; --i)
                        RemoveAddedComponent(m_added[i - 1].nKey);
                }
            } catch (CException* e2) {
                pUndoFailure = e2;
            }
        }
        if (m_added.size() > addedMark)
            m_added.resize(addedMark);
        if (pUndoFailure != nullptr && !bStops) {
            // The unit cannot be undone: nothing more is written.
            e->Delete();
            e = pUndoFailure;
            bStops = true;
        } else if (pUndoFailure != nullptr) {
            pUndoFailure->Delete();
        }
        if (bStops) {
            StopMerge(e);
            return;
        }
        if (!bSavepoint) {
            m_bHoldReport = FALSE;
            FlushReport();
            state.batchFirst.Empty();
        }
        ReportUnitFailure(e, strName, bComponent);
        return;
    }
    state.logIndex = false;
    if (!bSavepoint) {
        m_bHoldReport = FALSE;
        FlushReport();
        state.batchFirst.Empty();
        return;
    }
    try {
        CommitBatch(FALSE);
    } catch (CException* e) {
        StopMerge(e);
    }
}

void DBDatabase::ReportUnitFailure(CException* e, const CString& strName, BOOL bComponent)
{
    CString text;
    text.Format(bComponent ? IDS_MERGE_COMPONENT_FAILED : IDS_MERGE_ROW_FAILED, (LPCSTR)strName,
                (LPCSTR)DBExceptionText(e));
    WriteDatabaseError(text);
    const BOOL bTell = !e->IsKindOf(RUNTIME_CLASS(CUserException));
    e->Delete();
    if (bTell)
        TellFailure(text);
}

void DBDatabase::TellFailure(const CString& strText)
{
    m_nFailures++;
    if (m_bQuietFailures || m_pMessages == nullptr)
        return;
    // The first few one by one; then, since one cause (a damaged source, a
    // full disk) often makes every later one fail too, the user answers
    // once for the rest.
    if (++m_nFailuresShown <= kFailuresShownEach) {
        ShowMessage(strText, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString question;
    question.Format(IDS_MERGE_MORE_FAILURES, (LPCSTR)strText);
    if (ShowMessage(question, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        m_bQuietFailures = TRUE;
        return;
    }
    // Stopped here: what was merged before is kept (committed with the
    // section), nothing more is merged.
    m_nOutcome = mergeStoppedByUser;
    WriteDatabaseError(LoadText(IDS_MERGE_STOPPED_BY_USER));
}

void DBDatabase::StopMerge(CException* e)
{
    // What is not committed is undone, and its lines of the report are
    // dropped: the report then lists exactly what was merged.
    CString first = m_pMerge != nullptr ? m_pMerge->batchFirst : CString();
    RollbackBatch();
    m_bHoldReport = FALSE;
    m_strPendingReport.clear();
    CString text;
    if (!first.IsEmpty())
        text.Format(IDS_MERGE_STOPPED_AT, (LPCSTR)DBExceptionText(e), (LPCSTR)first);
    else
        text.Format(IDS_MERGE_FAILED, (LPCSTR)DBExceptionText(e));
    WriteDatabaseError(text);
    m_nOutcome = mergeStopped;
    e->Delete();
    ShowMessage(text, MB_OK | MB_ICONEXCLAMATION);
}

// ---------------------------------------------------------------------------
// The statements run for every row

OZUStatement& DBDatabase::MergeStatement(LPCSTR lpszSQL)
{
    std::unique_ptr<OZUStatement>& statement = m_pMerge->statements[lpszSQL];
    if (!statement)
        statement = std::make_unique<OZUStatement>(this, lpszSQL);
    return *statement;
}

DBRowInsert& DBDatabase::RowInsert(DBRecordBase& table)
{
    std::unique_ptr<DBRowInsert>& insert = m_pMerge->inserts[table.GetDefaultSQL().str()];
    if (!insert)
        insert = std::make_unique<DBRowInsert>(this, table);
    return *insert;
}

long DBDatabase::ReadNewKey()
{
    std::unique_ptr<DBInsertedKey>& key = m_pMerge->insertedKey;
    if (!key)
        key = std::make_unique<DBInsertedKey>(this);
    return key->Read();
}

DBRowInsert::DBRowInsert(DBDatabase* pDatabase, DBRecordBase& table)
    : m_pDatabase(pDatabase), m_statement(pDatabase, BuildSQL(table, m_params))
{
}

void DBRowInsert::Execute()
{
    m_statement.Execute();
    m_pDatabase->NoteUnitWrite();
}

CString DBRowInsert::BuildSQL(DBRecordBase& table, std::vector<int>& params)
{
    const int nFields = table.GetBoundFieldCount();
    const int nKey = table.GetAssignedKey() != nullptr ? table.FieldIndexOf(table.GetAssignedKey()) : -1;
    params.assign((size_t)nFields, 0);
    CString columns, markers;
    int nParam = 0;
    for (int i = 0; i < nFields; ++i) {
        if (i == nKey)
            continue;
        switch (table.GetBoundFieldKind(i)) {
        case AFX_RFX_LONG:
        case AFX_RFX_BYTE:
        case AFX_RFX_SINGLE:
        case AFX_RFX_TEXT:
            break;
        default:
            // The merge tables bind no other kind of value.
            AfxThrowNotSupportedException();
        }
        params[(size_t)i] = ++nParam;
        columns += (nParam > 1 ? ", " : "") + table.GetBoundFieldName(i);
        markers += nParam > 1 ? ", ?" : "?";
    }
    return "INSERT INTO " + table.GetDefaultSQL() + " (" + columns + ") VALUES (" + markers + ")";
}

void DBRowInsert::SetValue(int nParam, int nKind, const void* pv, bool bNull)
{
    switch (nKind) {
    case AFX_RFX_LONG:
        m_statement.SetLong(nParam, *static_cast<const long*>(pv));
        break;
    case AFX_RFX_BYTE:
        m_statement.SetByte(nParam, *static_cast<const BYTE*>(pv));
        break;
    case AFX_RFX_SINGLE:
        m_statement.SetSingle(nParam, *static_cast<const float*>(pv));
        break;
    default:
        m_statement.SetText(nParam, *static_cast<const CString*>(pv));
        break;
    }
    if (bNull)
        m_statement.SetNull(nParam);
}

void DBRowInsert::SetValues(DBRecordBase& row)
{
    for (size_t i = 0; i < m_params.size(); ++i)
        if (const int nParam = m_params[i])
            SetValue(nParam, row.GetBoundFieldKind((int)i), row.GetBoundFieldAddress((int)i),
                     (row.m_rgFieldFlags[i] & AFX_SQL_FIELD_FLAG_NULL) != 0);
}

void DBRowInsert::SetValues(const DBRowValues& row)
{
    for (size_t i = 0; i < m_params.size() && i < row.fields.size(); ++i)
        if (const int nParam = m_params[i])
            SetValue(nParam, row.fields[i].nKind, row.fields[i].Address(), row.fields[i].bNull);
}

DBRowValues::DBRowValues(DBRecordBase& row)
{
    fields.resize((size_t)row.GetBoundFieldCount());
    for (size_t i = 0; i < fields.size(); ++i) {
        Field& f = fields[i];
        const void* pv = row.GetBoundFieldAddress((int)i);
        f.nKind = row.GetBoundFieldKind((int)i);
        f.bNull = (row.m_rgFieldFlags[i] & AFX_SQL_FIELD_FLAG_NULL) != 0;
        switch (f.nKind) {
        case AFX_RFX_LONG:
            f.nLong = *static_cast<const long*>(pv);
            break;
        case AFX_RFX_BYTE:
            f.nByte = *static_cast<const BYTE*>(pv);
            break;
        case AFX_RFX_SINGLE:
            f.fSingle = *static_cast<const float*>(pv);
            break;
        case AFX_RFX_TEXT:
            f.strText = *static_cast<const CString*>(pv);
            break;
        default:
            // The merge tables bind no other kind of value.
            AfxThrowNotSupportedException();
        }
    }
}

const void* DBRowValues::Field::Address() const
{
    switch (nKind) {
    case AFX_RFX_LONG:
        return &nLong;
    case AFX_RFX_BYTE:
        return &nByte;
    case AFX_RFX_SINGLE:
        return &fSingle;
    default:
        return &strText;
    }
}

int DBRowInsert::ParamOf(int nField) const
{
    return nField >= 0 && (size_t)nField < m_params.size() ? m_params[(size_t)nField] : 0;
}

void DBRowInsert::SetLong(int nField, long nValue)
{
    if (int nParam = ParamOf(nField))
        m_statement.SetLong(nParam, nValue);
}

void DBRowInsert::SetText(int nField, const CString& strValue)
{
    if (int nParam = ParamOf(nField))
        m_statement.SetText(nParam, strValue);
}

// ---------------------------------------------------------------------------
// Matching components

void DBDatabase::IndexTargetComponents()
{
    MergeState& state = *m_pMerge;
    state.index.clear();
    DBMatchRows rows(this);
    rows.m_strSort = "[Component Key]";
    rows.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
    for (; !rows.IsEOF(); rows.MoveNext()) {
        // A component without a number matches nothing.
        if (rows.IsFieldNull(&rows.m_nDatabaseNumber))
            continue;
        // A source real is compared as the single it is: a stored value
        // that is no single never equals it. (The driver gives doubles to
        // 15 digits, so a single is known by agreeing to those.)
        double reals[6];
        bool bSingles = true;
        for (int i = 0; i < 6 && bSingles; ++i) {
            double stored = rows.IsFieldNull(&rows.m_reals[i]) ? 0.0 : rows.m_reals[i];
            reals[i] = (double)(float)stored;
            bSingles = std::fabs(reals[i] - stored) <= std::fabs(stored) * 1e-14;
        }
        if (!bSingles)
            continue;
        static const CString empty;
        const CString* texts[5];
        for (int i = 0; i < 5; ++i)
            texts[i] = rows.IsFieldNull(&rows.m_texts[i]) ? &empty : &rows.m_texts[i];
        long nFlags = rows.IsFieldNull(&rows.m_nFlags) ? 0 : rows.m_nFlags;
        state.index.emplace(DBComponentMatchKey(rows.m_nDatabaseNumber, nFlags, reals, texts), rows.m_nKey);
    }
    rows.Close();
}

long DBDatabase::FindComponentMatch(const std::string& matchKey) const
{
    if (m_pMerge == nullptr)
        return 0;
    auto found = m_pMerge->index.find(matchKey);
    return found == m_pMerge->index.end() ? 0 : found->second;
}

void DBDatabase::NoteAddedComponent(long nKey, const std::string& matchKey, const CString& strDescription,
                                    BOOL bSymbolRemapped)
{
    m_added.push_back({nKey, matchKey, strDescription, bSymbolRemapped});
    if (m_pMerge == nullptr)
        return;
    // A new key is higher than every key before it: a component that
    // matches an earlier one was not added, so this one is the first.
    MergeState& state = *m_pMerge;
    if (state.index.emplace(matchKey, nKey).second && state.logIndex)
        state.indexLog.push_back({matchKey, 0});
}

// ---------------------------------------------------------------------------
// The rows that hang off an added component

namespace {

// A failure of a row that comes with a component: in the report, and told
// the user with the component's name; the caller goes on as the row had
// failed. One that stops the merge is passed on.
void ReportDependentFailure(DBDatabase* pDB, CException* e, const CString& strComponent)
{
    if (DBDatabase::StopsTheMerge(e))
        throw e;
    const CString cause = DBExceptionText(e);
    pDB->WriteDatabaseError(cause);
    e->Delete();
    CString text;
    text.Format(IDS_MERGE_PART_FAILED, (LPCSTR)strComponent, (LPCSTR)cause);
    pDB->TellFailure(text);
}

// The depth of nested items, for the time an item's rows are merged.
class DepthGuard
{
public:
    explicit DepthGuard(size_t& depth) : m_depth(depth), m_at(depth++) {}
    ~DepthGuard() { --m_depth; }
    size_t At() const { return m_at; }

private:
    size_t& m_depth;
    size_t m_at;
};

} // namespace

namespace {

bool BringsTape(const DBComponentTable& source)
{
    return source.m_nDatabaseNumber == DBNUM_PIPE && (source.m_nFlags & COMPONENT_FLAG_TAPE);
}

bool BringsNozzles(const DBComponentTable& source)
{
    return source.m_nDatabaseNumber == DBNUM_OUTLET && (source.m_nFlags & COMPONENT_FLAG_HAS_NOZZLES);
}

bool BringsItems(const DBComponentTable& source)
{
    return (source.m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0;
}

} // namespace

BOOL DBDatabase::BringsDependentRows(DBComponentTable& source)
{
    return BringsTape(source) || BringsNozzles(source) || BringsItems(source);
}

BOOL DBDatabase::MergeDependentRows(DBComponentTable& source, long nNewKey)
{
    if (BringsTape(source)) {
        if (!MergeTape(source, nNewKey)) {
            RemoveAddedComponent(nNewKey);
            WriteDatabaseError(LoadText(IDS_MERGE_TAPE_FAILED, ""));
            return FALSE;
        }
    }
    if (BringsNozzles(source)) {
        if (!MergeEmitterNozzles(source, nNewKey)) {
            CString message;
            message.Format(IDS_MERGE_NOZZLES_FAILED, (int)nNewKey);
            WriteDatabaseError(message);
        }
    }
    if (BringsItems(source)) {
        if (!MergeAssemblyItems(source, nNewKey)) {
            RemoveAddedComponent(nNewKey);
            WriteDatabaseError(LoadText(IDS_MERGE_ASSEMBLY_FAILED, ""));
            return FALSE;
        }
    }
    return TRUE;
}

BOOL DBDatabase::MergeTape(DBComponentTable& source, long nNewKey)
{
    MergeState& state = *m_pMerge;
    DBTapeTable& tapes = *m_pTapes;
    try {
        const DBRowValues* pTape = state.tapes.Find(
            m_pMergeSource, source.m_nComponentKey, [](DBTapeTable& row, std::unordered_map<long, DBRowValues>& rows) {
                if (!row.IsFieldNull(&row.m_nPipeKey))
                    rows.try_emplace(row.m_nPipeKey, row);
            });
        if (pTape == nullptr)
            return FALSE;
        DBRowInsert& insert = RowInsert(tapes);
        insert.SetValues(*pTape);
        insert.SetLong(tapes.FieldIndexOf(&tapes.m_nPipeKey), nNewKey);
        insert.Execute();
        return TRUE;
    } catch (CException* e) {
        ReportDependentFailure(this, e, source.GetReportText());
        return FALSE;
    }
}

namespace {

// The source's components by key at a depth of nesting.
DBRowsByKey<DBComponentTable>& SourceComponents(std::vector<std::unique_ptr<DBRowsByKey<DBComponentTable>>>& pool,
                                                size_t depth, DBDatabase* pSource)
{
    while (pool.size() <= depth)
        pool.push_back(std::make_unique<DBRowsByKey<DBComponentTable>>(pSource, "[Component Key]"));
    return *pool[depth];
}

} // namespace

BOOL DBDatabase::MergeEmitterNozzles(DBComponentTable& source, long nNewKey)
{
    MergeState& state = *m_pMerge;
    const long nSourceFlags = source.m_nFlags;
    BOOL bOK = TRUE;
    std::vector<long> sourceKeys;
    try {
        const std::vector<long>* pKeys = state.nozzles.Find(
            m_pMergeSource, source.m_nComponentKey,
            [](DBNozzleTable& row, std::unordered_map<long, std::vector<long>>& rows) {
                if (!row.IsFieldNull(&row.m_nEmitterKey))
                    rows[row.m_nEmitterKey].push_back(row.m_nNozzleKey);
            });
        if (pKeys != nullptr)
            sourceKeys = *pKeys;
    } catch (CException* e) {
        ReportDependentFailure(this, e, source.GetReportText());
        bOK = FALSE;
    }

    std::vector<long> targetKeys;
    {
        DepthGuard depth(state.depth);
        DBRowsByKey<DBComponentTable>& nozzle = SourceComponents(state.components, depth.At(), m_pMergeSource);
        for (long nKey : sourceKeys) {
            BOOL bFound = FALSE;
            try {
                bFound = nozzle.Find(nKey);
            } catch (CException* e) {
                ReportDependentFailure(this, e, source.GetReportText());
                bOK = FALSE;
                continue;
            }
            if (!bFound)
                continue;  // a nozzle missing from the source is passed over
            WriteReport("  ");
            long nTargetKey = m_pComponents->MergeSubComponent(&nozzle);
            if (nTargetKey != 0)
                targetKeys.push_back(nTargetKey);
        }
    }

    size_t nAdded = 0;
    try {
        if (!targetKeys.empty())
            AddNozzleLinks(MergeStatement(kvrecords::kNozzleLinkInsert), nNewKey, targetKeys, &nAdded);
    } catch (CException* e) {
        ReportDependentFailure(this, e, source.GetReportText());
        bOK = FALSE;
    }
    // An emitter whose nozzles could not be written does not claim to have
    // nozzles (an outlet assembly takes the flag from its items instead).
    if (!bOK && nAdded == 0 && !(nSourceFlags & COMPONENT_FLAG_ASSEMBLY)) {
        long nFlags = nSourceFlags & ~(long)COMPONENT_FLAG_HAS_NOZZLES;
        CString sql;
        sql.Format("UPDATE [Components] SET [Flags] = %ld WHERE [Component Key] = %ld", nFlags, nNewKey);
        ExecuteSQL(sql);
        // It is now found under its new flags.
        for (AddedComponent& added : m_added) {
            if (added.nKey != nNewKey)
                continue;
            auto found = state.index.find(added.matchKey);
            if (found != state.index.end() && found->second == nNewKey) {
                if (state.logIndex)
                    state.indexLog.push_back({added.matchKey, nNewKey});
                state.index.erase(found);
            }
            source.m_nFlags = nFlags;
            added.matchKey = source.MatchKey();
            source.m_nFlags = nSourceFlags;
            if (state.index.emplace(added.matchKey, nNewKey).second && state.logIndex)
                state.indexLog.push_back({added.matchKey, 0});
        }
    }
    return bOK;
}

BOOL DBDatabase::MergeAssemblyItems(DBComponentTable& source, long nNewKey)
{
    MergeState& state = *m_pMerge;
    std::list<DBAssemblyItem> items;
    try {
        const std::vector<DBAssemblyItem>* pItems = state.items.Find(
            m_pMergeSource, source.m_nComponentKey,
            [](DBAssemblyTable& row, std::unordered_map<long, std::vector<DBAssemblyItem>>& rows) {
                if (row.IsFieldNull(&row.m_nAssemblyKey))
                    return;
                DBAssemblyItem item;
                item.m_nAssemblyKey = row.m_nAssemblyKey;
                item.m_nItemKey = row.m_nItemKey;
                item.m_fNumberLength = row.m_fNumberLength;
                item.m_bNumberLengthNull = row.IsFieldNull(&row.m_fNumberLength);
                rows[row.m_nAssemblyKey].push_back(item);
            });
        if (pItems != nullptr)
            items.assign(pItems->begin(), pItems->end());
    } catch (CException* e) {
        ReportDependentFailure(this, e, source.GetReportText());
        return FALSE;
    }
    for (const DBAssemblyItem& item : items) {
        if (item.m_nItemKey == item.m_nAssemblyKey) {
            WriteDatabaseError(LoadText(IDS_MERGE_ASSEMBLY_CIRCULAR, ""));
            return FALSE;
        }
    }

    std::vector<DBAssemblyItem> merged;
    {
        DepthGuard depth(state.depth);
        DBRowsByKey<DBComponentTable>& component = SourceComponents(state.components, depth.At(), m_pMergeSource);
        while (!items.empty()) {
            DBAssemblyItem item = items.front();
            items.pop_front();
            BOOL bFound = FALSE;
            try {
                bFound = component.Find(item.m_nItemKey);
            } catch (CException* e) {
                ReportDependentFailure(this, e, source.GetReportText());
                return FALSE;
            }
            if (!bFound) {
                WriteDatabaseError(LoadText(IDS_MERGE_ASSEMBLY_ITEM_MISSING, ""));
                continue;
            }
            WriteReport("  ");
            long nItemKey = m_pComponents->MergeSubComponent(&component);
            if (nItemKey == 0)
                continue;  // the item was removed again; its own error block says why
            item.m_nAssemblyKey = nNewKey;
            item.m_nItemKey = nItemKey;
            merged.push_back(item);
        }
    }

    try {
        if (!merged.empty()) {
            OZUStatement& insert = MergeStatement(
                "INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (?, ?, ?)");
            for (const DBAssemblyItem& item : merged) {
                insert.SetLong(1, item.m_nAssemblyKey);
                insert.SetLong(2, item.m_nItemKey);
                insert.SetSingle(3, item.m_fNumberLength);
                if (item.m_bNumberLengthNull)
                    insert.SetNull(3);
                insert.Execute();
            }
        }
    } catch (CException* e) {
        ReportDependentFailure(this, e, source.GetReportText());
        return FALSE;
    }
    return TRUE;
}

void DBDatabase::RemoveAddedComponent(long nKey)
{
    // The key is new to this database (keys are never used twice), so every
    // row that names it was added by this merge.
    static const char* const statements[] = {
        "DELETE FROM [Tapes] WHERE [Pipe Key] = %ld",
        "DELETE FROM [Assemblies] WHERE [Assembly Key] = %ld",
        "DELETE FROM [Assemblies] WHERE [Item Key] = %ld",
        "DELETE FROM [Nozzles] WHERE [Emitter Key] = %ld",
        "DELETE FROM [Nozzles] WHERE [Nozzle Key] = %ld",
        "DELETE FROM [Components] WHERE [Component Key] = %ld",
    };
    for (const char* format : statements) {
        CString sql;
        sql.Format(format, nKey);
        ExecuteSQL(sql);
    }
    for (auto it = m_added.begin(); it != m_added.end();) {
        if (it->nKey != nKey) {
            ++it;
            continue;
        }
        if (m_pMerge != nullptr) {
            MergeState& state = *m_pMerge;
            auto found = state.index.find(it->matchKey);
            if (found != state.index.end() && found->second == nKey) {
                if (state.logIndex)
                    state.indexLog.push_back({it->matchKey, nKey});
                state.index.erase(found);
            }
        }
        it = m_added.erase(it);
    }
}

// ---------------------------------------------------------------------------
// Symbols

BOOL DBDatabase::MapSymbolKey(long nSourceKey, long& nTargetKey) const
{
    if (m_pMergeSource == nullptr)
        return FALSE;
    return const_cast<CMap<long, long, long, long>&>(m_mapSymbolKeys).Lookup(nSourceKey, nTargetKey);
}

void DBDatabase::MergeSymbolTable(DBDatabase* pSource)
{
    m_mapSymbolKeys.RemoveAll();
    WriteSectionHeader(sectionSymbols);

    // The target's symbols in [Key] order, found by their name written
    // exactly alike, else by their name without regard to case.
    std::unordered_map<std::string, long> exact, folded;
    CSymbolRecords target(this);
    target.m_strSort = "[Key]";
    target.Open(CRecordset::forwardOnly, "SELECT * FROM Symbols", CRecordset::readOnly);
    long nMaxKey = 0;
    auto keep = [&](const CString& name, long nKey) {
        exact.emplace(name.str(), nKey);
        folded.emplace(DBFoldCase(name), nKey);
    };
    for (; !target.IsEOF(); target.MoveNext()) {
        keep(target.m_strName, target.m_nKey);
        nMaxKey = std::max(nMaxKey, target.m_nKey);
    }
    target.Close();

    CSymbolRecords source(pSource);
    source.Open(CRecordset::dynaset, "SELECT * FROM Symbols", CRecordset::readOnly);
    for (; !source.IsEOF() && !IsMergeStopped(); source.MoveNext()) {
        if (source.IsDeleted())
            continue;
        RunMergeUnit(source.m_strName, FALSE, [&] {
            bool bFound = false;
            long nFound = 0;
            auto found = exact.find(source.m_strName.str());
            if (found != exact.end()) {
                bFound = true;
                nFound = found->second;
            } else if ((found = folded.find(DBFoldCase(source.m_strName))) != folded.end()) {
                bFound = true;
                nFound = found->second;
            }
            if (bFound) {
                if (nFound == source.m_nKey)
                    WriteItemLine("Matched: ", source.m_strName);
                else
                    m_mapSymbolKeys.SetAt(source.m_nKey, nFound);
                return;
            }
            // A new symbol gets the next free key of the target.
            long nNewKey = nMaxKey + 1;
            OZUStatement& insert = MergeStatement("INSERT INTO [Symbols] ([Key], [Name]) VALUES (?, ?)");
            insert.SetLong(1, nNewKey);
            insert.SetText(2, source.m_strName);
            insert.Execute();
            NoteUnitWrite();
            WriteItemLine("Added: ", source.m_strName);
            nMaxKey = nNewKey;
            keep(source.m_strName, nNewKey);
            m_mapSymbolKeys.SetAt(source.m_nKey, nNewKey);
        }, TRUE);
    }
    source.Close();
}

void DBDatabase::WriteSymbolUpdates()
{
    WriteSectionHeader(sectionSymbolUpdates);
    std::vector<AddedComponent> updated;
    for (const AddedComponent& a : m_added)
        if (a.bSymbolRemapped)
            updated.push_back(a);
    std::stable_sort(updated.begin(), updated.end(),
                     [](const AddedComponent& a, const AddedComponent& b) { return a.nKey < b.nKey; });
    for (const AddedComponent& a : updated)
        WriteItemLine("Updated: ", a.strDescription);
}
