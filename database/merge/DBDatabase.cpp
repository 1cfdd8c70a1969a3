#include "database/merge/DBDatabase.h"

#include "database/merge/MergeRes.h"

#include <algorithm>
#include <cstdlib>
#include <list>
#include <shlobj.h>

namespace {

CString ExceptionText(CException* e)
{
    char message[1024] = {};
    if (!e->GetErrorMessage(message, sizeof(message)) || message[0] == 0)
        return "An unexpected error occurred.";
    return message;
}

// Opens a recordset on a filter, or requeries it with the filter when it is
// open already. TRUE when it stands on a row.
BOOL OpenOnFilter(CRecordset& rs, const CString& filter, DWORD dwOptions)
{
    rs.m_strFilter = filter;
    if (rs.IsOpen())
        rs.Requery();
    else
        rs.Open(CRecordset::dynaset, nullptr, dwOptions);
    return !rs.IsEOF() && !rs.IsDeleted();
}

// The folder of the running program, ending in a backslash ("" when the
// program has not given it).
CString& ProgramFolder()
{
    static CString folder;
    return folder;
}

// A folder of the user's own, where the report goes when the program folder
// cannot be written ("" when there is none).
CString UserReportFolder()
{
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return CString();
    CString folder = CString(path) + "\\Kelvaron";
    ::CreateDirectoryA(folder, nullptr);
    return folder + "\\";
}

const char kDashRule[] = "----------------------------";
const char kClosingRule[] = "============================";

} // namespace

IMPLEMENT_DYNAMIC(DBDatabase, CDatabase)

DBDatabase::DBDatabase(LPCSTR lpszPath, DWORD dwFlags)
    : m_dwFlags(dwFlags), m_strPath(lpszPath != nullptr ? lpszPath : ""), m_pMergeSource(nullptr),
      m_nOutcome(mergeNotRun), m_pReportFile(nullptr), m_bReportComplete(TRUE)
{
    if (!(dwFlags & openFile))
        return;
    // The connect string names the Access driver by the extension; where
    // that driver is missing, the connection layer picks the driver by what
    // the file holds (a SQLite file, or an Access file read only).
    CString connect = GetComponentConnectString(m_strPath);
    DWORD dwOptions = noOdbcDialog | ((dwFlags & openAsReadOnly) ? CDatabase::openReadOnly : 0);
    if (!OpenEx(connect, dwOptions))
        return;
    OpenTables((dwFlags & openAsReadOnly) != 0);
}

DBDatabase::~DBDatabase()
{
    CloseReport();
    for (CRecordset* rs : std::initializer_list<CRecordset*>{
             m_pCandidates.get(), m_pItemAssemblies.get(), m_pItemNozzles.get(), m_pNozzles.get(),
             m_pAssemblies.get(), m_pComponents.get(), m_pPipeTypes.get(), m_pTapes.get(), m_pSuppliers.get()}) {
        if (rs == nullptr || !rs->IsOpen())
            continue;
        try {
            rs->Close();
        } catch (CException* e) {
            ShowError(e);
            e->Delete();
        }
    }
    m_pCandidates.reset();
    m_pItemAssemblies.reset();
    m_pItemNozzles.reset();
    m_pNozzles.reset();
    m_pAssemblies.reset();
    m_pComponents.reset();
    m_pPipeTypes.reset();
    m_pTapes.reset();
    m_pSuppliers.reset();
}

void DBDatabase::OpenTables(BOOL bReadOnly)
{
    DWORD dwOptions = bReadOnly ? CRecordset::readOnly : CRecordset::none;
    m_pNozzles = std::make_unique<DBNozzleTable>(this);
    m_pAssemblies = std::make_unique<DBAssemblyTable>(this);
    m_pComponents = std::make_unique<DBComponentTable>(this);
    m_pPipeTypes = std::make_unique<DBPipeTable>(this);
    m_pTapes = std::make_unique<DBTapeTable>(this);
    m_pSuppliers = std::make_unique<DBSupplierTable>(this);
    // Components are taken in the order they were made.
    m_pComponents->m_strSort = "[Component Key]";
    DBRecordBase* tables[] = {m_pNozzles.get(),  m_pAssemblies.get(), m_pComponents.get(),
                              m_pPipeTypes.get(), m_pTapes.get(),    m_pSuppliers.get()};
    for (DBRecordBase* rs : tables) {
        try {
            rs->Open(CRecordset::dynaset, nullptr, dwOptions);
        } catch (CException* e) {
            // A file without the tables of a component database: say so,
            // and leave nothing open on it.
            CString detail = ExceptionText(e);
            e->Delete();
            CString table = rs->GetDefaultSQL();
            CString message;
            message.Format(IDS_MERGE_NOT_COMPONENT_DATABASE, (LPCSTR)m_strPath, (LPCSTR)table, (LPCSTR)detail);
            for (DBRecordBase* other : tables)
                other->CloseQuietly();
            try {
                Close();
            } catch (CException* e2) {
                e2->Delete();
            }
            AfxThrowDBException(AFX_SQL_ERROR, message);
        }
    }
    m_pItemAssemblies = std::make_unique<DBAssemblyTable>(this);
    m_pItemNozzles = std::make_unique<DBNozzleTable>(this);
    m_pCandidates = std::make_unique<DBComponentTable>(this);
}

// ---------------------------------------------------------------------------
// Counts

long DBDatabase::CountRows(DBRecordBase* pTable)
{
    if (pTable == nullptr || !pTable->IsOpen())
        return 0;
    // The number of rows as the database counts them; where it cannot,
    // by moving through them.
    try {
        CRecordset count(this);
        count.Open(CRecordset::forwardOnly, "SELECT COUNT(*) FROM " + pTable->GetDefaultSQL(), CRecordset::readOnly);
        CString value;
        if (!count.IsEOF())
            count.GetFieldValue((short)0, value);
        count.Close();
        if (!value.IsEmpty())
            return std::atol(value);
    } catch (CException* e) {
        e->Delete();
    }
    if (!pTable->m_strFilter.IsEmpty()) {
        pTable->m_strFilter.Empty();
        pTable->Requery();
    }
    if (pTable->IsBOF() && pTable->IsEOF())
        return 0;
    long n = 0;
    pTable->MoveFirst();
    for (; !pTable->IsEOF(); pTable->MoveNext())
        if (!pTable->IsDeleted())
            ++n;
    return n;
}

long DBDatabase::GetComponentCount()
{
    return CountRows(m_pComponents.get());
}

long DBDatabase::GetPipeTableCount()
{
    return CountRows(m_pPipeTypes.get());
}

long DBDatabase::GetSupplierCount()
{
    return CountRows(m_pSuppliers.get());
}

long DBDatabase::CountComponentRows()
{
    return CountRows(m_pComponents.get());
}

long DBDatabase::GetWarehouseCodeSize()
{
    CODBCFieldInfo info;
    m_pComponents->GetODBCFieldInfo((short)6, info);
    return info.m_nPrecision > 0x7FFFFFFF ? 0x7FFFFFFF : (long)info.m_nPrecision;
}

void DBDatabase::SetSinks(DBProgressSink* pProgress, DBMessageSink* pMessages)
{
    m_pProgress = pProgress;
    m_pMessages = pMessages;
}

void DBDatabase::SetProgramFolder(LPCSTR lpszFolder)
{
    ProgramFolder() = lpszFolder != nullptr ? lpszFolder : "";
}

void DBDatabase::StepProgress()
{
    if (m_pProgress != nullptr)
        m_pProgress->StepProgress();
}

int DBDatabase::ShowMessage(LPCSTR lpszText, UINT nType)
{
    return m_pMessages != nullptr ? m_pMessages->ShowMessage(lpszText, nType) : IDOK;
}

void DBDatabase::ShowError(CException* e)
{
    if (m_pMessages != nullptr)
        m_pMessages->ShowError(e);
}

// ---------------------------------------------------------------------------
// Merge

void DBDatabase::OpenMergeTables()
{
    DWORD dwOptions = (m_dwFlags & openAsReadOnly) ? CRecordset::readOnly : CRecordset::none;
    m_pItemAssemblies->Open(CRecordset::dynaset, nullptr, dwOptions);
    m_pItemNozzles->Open(CRecordset::dynaset, nullptr, dwOptions);
}

void DBDatabase::CloseMergeTables()
{
    for (DBRecordBase* rs : {static_cast<DBRecordBase*>(m_pItemAssemblies.get()),
                             static_cast<DBRecordBase*>(m_pItemNozzles.get()),
                             static_cast<DBRecordBase*>(m_pCandidates.get())})
        if (rs != nullptr)
            rs->CloseQuietly();
}

void DBDatabase::Merge(DBDatabase* pSource)
{
    CWaitCursor wait;
    m_nOutcome = mergeNotRun;
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
    try {
        OpenMergeTables();
        pSource->OpenMergeTables();
    } catch (CException* e) {
        ShowError(e);
        e->Delete();
        pSource->CloseMergeTables();
        CloseMergeTables();
        return;
    }
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
            m_pComponents->MergeFrom(pSource->m_pComponents.get());
        });
        if (bComponentsStarted)
            WriteSymbolUpdates();
    }
    CloseReport();
    m_pMergeSource = nullptr;
    pSource->CloseMergeTables();
    CloseMergeTables();
}

void DBDatabase::RunMergeStep(const std::function<void()>& step)
{
    if (IsMergeStopped())
        return;
    try {
        step();
    } catch (CException* e) {
        StopMerge(e, nullptr);
    }
}

void DBDatabase::StopMerge(CException* e, LPCSTR lpszWhat)
{
    CString detail = ExceptionText(e);
    CString text;
    if (lpszWhat != nullptr)
        text.Format(IDS_MERGE_COMPONENT_FAILED, lpszWhat, (LPCSTR)detail);
    else
        text.Format(IDS_MERGE_FAILED, (LPCSTR)detail);
    WriteDatabaseError(text);
    m_nOutcome = mergeStopped;
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        ShowError(e);
    e->Delete();
}

void DBDatabase::RunComponentUnit(const CString& strDescription, const std::function<void()>& merge)
{
    if (IsMergeStopped())
        return;
    size_t mark = m_added.size();
    BOOL bTransaction = CanTransact() && BeginTrans();
    try {
        merge();
        if (bTransaction) {
            bTransaction = FALSE;
            if (!CommitTrans()) {
                Rollback();
                AfxThrowDBException(AFX_SQL_ERROR, "The changes could not be saved in the database.");
            }
        }
    } catch (CException* e) {
        if (bTransaction) {
            Rollback();
        } else {
            // Without a transaction, whatever this unit added is removed by
            // hand, newest first.
            for (size_t i = m_added.size(); i > mark; --i) {
                try {
                    RemoveAddedComponent(m_added[i - 1].nKey);
                } catch (CException* e2) {
                    e2->Delete();
                }
            }
        }
        if (m_added.size() > mark)
            m_added.resize(mark);
        StopMerge(e, strDescription);
    }
}

long DBDatabase::FindComponentMatch(DBComponentTable& source)
{
    // The candidates are the target's components of the source's kind whose
    // numbers and flags equal the source's, compared as singles; a missing
    // number counts as 0. Their texts are then compared here.
    auto realCondition = [&source](LPCSTR column, float& value) {
        CString text;
        if (source.IsFieldNull(&value) || value == 0.0f)
            text.Format("(%s = 0 OR %s IS NULL)", column, column);
        else
            text.Format("%s = CSng('%.9g')", column, (double)value);
        return text;
    };
    CString filter;
    filter.Format("[Database Number] = %d", (int)source.m_nDatabaseNumber);
    struct RealColumn
    {
        LPCSTR name;
        float* value;
    } reals[] = {{"[Reals1]", &source.m_fReals1}, {"[Reals2]", &source.m_fReals2}, {"[Reals3]", &source.m_fReals3},
                 {"[Reals4]", &source.m_fReals4}, {"[Reals5]", &source.m_fReals5}, {"[Reals6]", &source.m_fReals6}};
    for (const RealColumn& c : reals)
        filter += " AND " + realCondition(c.name, *c.value);
    if (source.IsFieldNull(&source.m_nFlags) || source.m_nFlags == 0)
        filter += " AND ([Flags] = 0 OR [Flags] IS NULL)";
    else
        filter.AppendFormat(" AND [Flags] = %ld", source.m_nFlags);

    DBComponentTable& candidates = *m_pCandidates;
    try {
        // One forward pass over the few candidates: cheaper than a dynaset.
        candidates.CloseQuietly();
        candidates.m_strFilter = filter;
        candidates.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        for (; !candidates.IsEOF(); candidates.MoveNext())
            if (!candidates.IsDeleted() && DBSameComponentTexts(candidates.Record(), source.Record()))
                return candidates.m_nComponentKey;
    } catch (CException* e) {
        // The search failed: the component counts as not matched.
        WriteDatabaseError(ExceptionText(e));
        ShowError(e);
        e->Delete();
    }
    return 0;
}

BOOL DBDatabase::MergeDependentRows(DBComponentTable& source, long nNewKey)
{
    const long nFlags = source.m_nFlags;
    if (source.m_nDatabaseNumber == DBNUM_PIPE && (nFlags & COMPONENT_FLAG_TAPE)) {
        if (!MergeTape(source, nNewKey)) {
            RemoveAddedComponent(nNewKey);
            WriteDatabaseError(LoadText(IDS_MERGE_TAPE_FAILED, ""));
            return FALSE;
        }
    }
    if (source.m_nDatabaseNumber == DBNUM_OUTLET && (nFlags & COMPONENT_FLAG_HAS_NOZZLES)) {
        if (!MergeEmitterNozzles(source, nNewKey)) {
            CString message;
            message.Format(IDS_MERGE_NOZZLES_FAILED, (int)nNewKey);
            WriteDatabaseError(message);
        }
    }
    if (nFlags & COMPONENT_FLAG_ASSEMBLY) {
        if (!MergeAssemblyItems(source, nNewKey)) {
            RemoveAddedComponent(nNewKey);
            WriteDatabaseError(LoadText(IDS_MERGE_ASSEMBLY_FAILED, ""));
            return FALSE;
        }
    }
    return TRUE;
}

namespace {

// A failure of a dependent row: in the report and on screen; the caller
// goes on as the row had failed.
void ReportDependentFailure(DBDatabase* pDB, CException* e)
{
    pDB->WriteDatabaseError(ExceptionText(e));
    pDB->ShowError(e);
    e->Delete();
}

} // namespace

BOOL DBDatabase::MergeTape(DBComponentTable& source, long nNewKey)
{
    DBTapeTable& sourceTapes = *m_pMergeSource->m_pTapes;
    DBTapeTable& tapes = *m_pTapes;
    try {
        CString filter;
        filter.Format("[Pipe Key] = %ld", source.m_nComponentKey);
        if (!OpenOnFilter(sourceTapes, filter, CRecordset::readOnly))
            return FALSE;
        tapes.AddNew();
        tapes.CopyFrom(&sourceTapes);
        tapes.m_nPipeKey = nNewKey;
        tapes.MarkCopiedFields(&sourceTapes);
        tapes.SetFieldNull(&tapes.m_nPipeKey, FALSE);
        tapes.Update();
        return TRUE;
    } catch (CException* e) {
        if (tapes.GetEditMode() != CRecordset::noMode)
            tapes.CancelUpdate();
        ReportDependentFailure(this, e);
        return FALSE;
    }
}

BOOL DBDatabase::MergeEmitterNozzles(DBComponentTable& source, long nNewKey)
{
    DBDatabase* pSource = m_pMergeSource;
    BOOL bOK = TRUE;
    std::vector<long> sourceKeys;
    try {
        DBNozzleTable& rows = *pSource->m_pItemNozzles;
        CString filter;
        filter.Format("[Emitter Key] = %ld", source.m_nComponentKey);
        OpenOnFilter(rows, filter, CRecordset::readOnly);
        for (; !rows.IsEOF(); rows.MoveNext())
            if (!rows.IsDeleted())
                sourceKeys.push_back(rows.m_nNozzleKey);
    } catch (CException* e) {
        ReportDependentFailure(this, e);
        bOK = FALSE;
    }

    std::vector<long> targetKeys;
    DBComponentTable nozzle(pSource);
    for (long nKey : sourceKeys) {
        BOOL bFound = FALSE;
        try {
            CString filter;
            filter.Format("[Component Key] = %ld", nKey);
            bFound = OpenOnFilter(nozzle, filter, CRecordset::readOnly);
        } catch (CException* e) {
            ReportDependentFailure(this, e);
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
    nozzle.CloseQuietly();

    DBNozzleTable& nozzles = *m_pNozzles;
    size_t nAdded = 0;
    try {
        for (long nTargetKey : targetKeys) {
            nozzles.AddNew();
            nozzles.m_nEmitterKey = nNewKey;
            nozzles.m_nNozzleKey = nTargetKey;
            nozzles.SetFieldNull(nullptr, FALSE);
            nozzles.SetFieldDirty(nullptr, TRUE);
            nozzles.Update();
            ++nAdded;
        }
    } catch (CException* e) {
        if (nozzles.GetEditMode() != CRecordset::noMode)
            nozzles.CancelUpdate();
        ReportDependentFailure(this, e);
        bOK = FALSE;
    }
    // An emitter whose nozzles could not be written does not claim to have
    // nozzles (an outlet assembly takes the flag from its items instead).
    if (!bOK && nAdded == 0 && !(source.m_nFlags & COMPONENT_FLAG_ASSEMBLY)) {
        CString sql;
        sql.Format("UPDATE [Components] SET [Flags] = %ld WHERE [Component Key] = %ld",
                   source.m_nFlags & ~(long)COMPONENT_FLAG_HAS_NOZZLES, nNewKey);
        ExecuteSQL(sql);
    }
    return bOK;
}

BOOL DBDatabase::MergeAssemblyItems(DBComponentTable& source, long nNewKey)
{
    DBDatabase* pSource = m_pMergeSource;
    std::list<DBAssemblyItem> items;
    try {
        DBAssemblyTable& rows = *pSource->m_pItemAssemblies;
        CString filter;
        filter.Format("[Assembly Key] = %ld", source.m_nComponentKey);
        OpenOnFilter(rows, filter, CRecordset::readOnly);
        for (; !rows.IsEOF(); rows.MoveNext()) {
            if (rows.IsDeleted())
                continue;
            DBAssemblyItem item;
            item.m_nAssemblyKey = rows.m_nAssemblyKey;
            item.m_nItemKey = rows.m_nItemKey;
            item.m_fNumberLength = rows.m_fNumberLength;
            item.m_bNumberLengthNull = rows.IsFieldNull(&rows.m_fNumberLength);
            items.push_back(item);
        }
    } catch (CException* e) {
        ReportDependentFailure(this, e);
        return FALSE;
    }
    for (const DBAssemblyItem& item : items) {
        if (item.m_nItemKey == item.m_nAssemblyKey) {
            WriteDatabaseError(LoadText(IDS_MERGE_ASSEMBLY_CIRCULAR, ""));
            return FALSE;
        }
    }

    std::vector<DBAssemblyItem> merged;
    DBComponentTable component(pSource);
    while (!items.empty()) {
        DBAssemblyItem item = items.front();
        items.pop_front();
        BOOL bFound = FALSE;
        try {
            CString filter;
            filter.Format("[Component Key] = %ld", item.m_nItemKey);
            bFound = OpenOnFilter(component, filter, CRecordset::readOnly);
        } catch (CException* e) {
            ReportDependentFailure(this, e);
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
    component.CloseQuietly();

    DBAssemblyTable& assemblies = *m_pAssemblies;
    try {
        for (const DBAssemblyItem& item : merged) {
            assemblies.AddNew();
            assemblies.m_nAssemblyKey = item.m_nAssemblyKey;
            assemblies.m_nItemKey = item.m_nItemKey;
            assemblies.m_fNumberLength = item.m_fNumberLength;
            assemblies.SetFieldNull(nullptr, FALSE);
            assemblies.SetFieldDirty(nullptr, TRUE);
            if (item.m_bNumberLengthNull)
                assemblies.SetFieldNull(&assemblies.m_fNumberLength, TRUE);
            assemblies.Update();
        }
    } catch (CException* e) {
        if (assemblies.GetEditMode() != CRecordset::noMode)
            assemblies.CancelUpdate();
        ReportDependentFailure(this, e);
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
    m_added.erase(std::remove_if(m_added.begin(), m_added.end(),
                                 [nKey](const AddedComponent& a) { return a.nKey == nKey; }),
                  m_added.end());
}

void DBDatabase::NoteAddedComponent(long nKey, const CString& strDescription, BOOL bSymbolRemapped)
{
    m_added.push_back({nKey, strDescription, bSymbolRemapped});
}

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

    // The target's symbols, in [Key] order.
    struct Symbol
    {
        long nKey;
        CString strName;
    };
    std::vector<Symbol> symbols;
    CSymbolRecords target(this);
    target.m_strSort = "[Key]";
    target.Open(CRecordset::dynaset, "SELECT * FROM Symbols", CRecordset::none);
    long nMaxKey = 0;
    for (; !target.IsEOF(); target.MoveNext()) {
        if (target.IsDeleted())
            continue;
        symbols.push_back({target.m_nKey, target.m_strName});
        nMaxKey = std::max(nMaxKey, target.m_nKey);
    }

    CSymbolRecords source(pSource);
    source.Open(CRecordset::dynaset, "SELECT * FROM Symbols", CRecordset::readOnly);
    for (; !source.IsEOF(); source.MoveNext()) {
        if (source.IsDeleted())
            continue;
        // The target row of the same name: one written exactly alike first,
        // else one that differs only in case.
        const Symbol* pFound = nullptr;
        for (const Symbol& s : symbols)
            if (s.strName == source.m_strName) {
                pFound = &s;
                break;
            }
        if (pFound == nullptr)
            for (const Symbol& s : symbols)
                if (s.strName.CompareNoCase(source.m_strName) == 0) {
                    pFound = &s;
                    break;
                }
        if (pFound != nullptr) {
            if (pFound->nKey == source.m_nKey)
                WriteReport("Matched: [" + source.m_strName + "]\n");
            else
                m_mapSymbolKeys.SetAt(source.m_nKey, pFound->nKey);
            continue;
        }
        // A new symbol gets the next free key of the target.
        WriteReport("Added: [" + source.m_strName + "]\n");
        long nNewKey = nMaxKey + 1;
        target.AddNew();
        target.m_nKey = nNewKey;
        target.m_strName = source.m_strName;
        target.SetFieldNull(nullptr, FALSE);
        target.SetFieldDirty(nullptr, TRUE);
        target.Update();
        nMaxKey = nNewKey;
        symbols.push_back({nNewKey, source.m_strName});
        m_mapSymbolKeys.SetAt(source.m_nKey, nNewKey);
    }
    source.Close();
    target.Close();
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
        WriteReport("Updated: [" + a.strDescription + "]\n");
}

// ---------------------------------------------------------------------------
// Report

CString DBDatabase::ReportFileName()
{
    return LoadText(IDS_MERGE_REPORT_FILE, "DBMergeReport.txt");
}

BOOL DBDatabase::OpenReport(LPCSTR lpszFileName)
{
    CloseReport();
    m_strReportPath.Empty();
    m_bReportComplete = TRUE;
    CFileException error;
    BOOL bError = FALSE;
    for (const CString& folder : {ProgramFolder(), UserReportFolder()}) {
        if (folder.IsEmpty())
            continue;
        CString path = folder + lpszFileName;
        auto* pFile = new CStdioFile;
        CFileException fe;
        if (pFile->Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText, &fe)) {
            m_pReportFile = pFile;
            m_strReportPath = path;
            return TRUE;
        }
        delete pFile;
        if (!bError) {
            error.m_cause = fe.m_cause;
            error.m_lOsError = fe.m_lOsError;
            error.m_strFileName = fe.m_strFileName;
            bError = TRUE;
        }
    }
    m_bReportComplete = FALSE;
    ShowError(&error);
    return FALSE;
}

void DBDatabase::WriteReport(LPCSTR lpszText)
{
    if (m_pReportFile == nullptr || lpszText == nullptr)
        return;
    try {
        m_pReportFile->WriteString(lpszText);
    } catch (CException* e) {
        // Shown once; the report is then known to be incomplete.
        if (m_bReportComplete)
            ShowError(e);
        m_bReportComplete = FALSE;
        e->Delete();
    }
}

void DBDatabase::WriteReportHeader(DBDatabase* pSource)
{
    WriteReport("Database Merge Report\n=====================\n");
    WriteReport("New items taken from: " + pSource->GetDatabaseName() + "\n");
    WriteReport("and added to: " + GetDatabaseName() + "\n\n");
}

void DBDatabase::WriteSectionHeader(ReportSection nSection)
{
    static const struct
    {
        LPCSTR lead;
        LPCSTR title;
    } sections[] = {
        {"\n\n", "Merging Pipe Type Table"}, {"\n", "Merging Supplier Code Table"}, {"\n", "Merging Symbol Table"},
        {"\n\n", "Merging Component Table"}, {"\n", "Updating Symbol Table"},
    };
    const auto& s = sections[nSection];
    CString text;
    text.Format("%s%s\n%s\n%s\n", s.lead, kDashRule, s.title, kDashRule);
    WriteReport(text);
}

void DBDatabase::WriteDatabaseError(LPCSTR lpszText)
{
    CString text;
    text.Format("%s\nDatabase Error: %s\n%s\n", kDashRule, lpszText != nullptr ? lpszText : "", kDashRule);
    WriteReport(text);
}

void DBDatabase::CloseReport()
{
    if (m_pReportFile == nullptr)
        return;
    WriteReport(CString(kClosingRule) + "\n");
    try {
        m_pReportFile->Close();
    } catch (CException* e) {
        if (m_bReportComplete)
            ShowError(e);
        m_bReportComplete = FALSE;
        e->Delete();
    }
    delete m_pReportFile;
    m_pReportFile = nullptr;
}
