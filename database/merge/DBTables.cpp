#include "database/merge/DBTables.h"

#include "database/merge/DBDatabase.h"
#include "database/merge/MergeRes.h"

#include <algorithm>
#include <cstring>

namespace {

// Key texts are compared as the Access engine compares text: without regard
// to case.
std::string UpperKey(const CString& text)
{
    std::string key = text.str();
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    return key;
}

std::string FloatBits(float value)
{
    return std::string((const char*)&value, sizeof(value));
}

// Texts of a component that take part in its match: equal when they differ
// only in case or in trailing blanks (a missing value reads as empty).
bool SameMatchText(const CString& a, const CString& b)
{
    std::string x = UpperKey(a), y = UpperKey(b);
    x.erase(x.find_last_not_of(' ') + 1);
    y.erase(y.find_last_not_of(' ') + 1);
    return x == y;
}

} // namespace

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBRecordBase, CADORSBase)

DBRecordBase::DBRecordBase(DBDatabase* pDatabase) : CADORSBase(pDatabase), m_pDBDatabase(pDatabase)
{
    m_nDefaultType = dynaset;
}

DBRecordBase::~DBRecordBase() = default;

CString DBRecordBase::GetReportText()
{
    return CString();
}

BOOL DBRecordBase::FindMatch(DBRecordBase*)
{
    return FALSE;
}

void DBRecordBase::AfterAdd(DBRecordBase*)
{
}

void DBRecordBase::MergeFrom(DBRecordBase* pSource)
{
    if (!pSource->IsOpen() || (pSource->IsBOF() && pSource->IsEOF()))
        return;
    pSource->MoveFirst();
    while (!pSource->IsEOF() && !m_pDBDatabase->IsMergeStopped()) {
        if (!pSource->IsDeleted())
            MergeRecord(pSource);
        if (m_pDBDatabase->IsMergeStopped())
            break;
        pSource->MoveNext();
        m_pDBDatabase->StepProgress();
    }
}

void DBRecordBase::MergeRecord(DBRecordBase* pSource)
{
    CString filter = m_strFilter;
    BOOL bMatched = FindMatch(pSource);
    m_strFilter = filter;
    if (bMatched) {
        m_pDBDatabase->WriteReport("Matched: [" + pSource->GetReportText() + "]\n");
        return;
    }
    InsertCopyOf(pSource);
    m_pDBDatabase->WriteReport("Added:   [" + pSource->GetReportText() + "]\n");
    AfterAdd(pSource);
}

void DBRecordBase::MarkCopiedFields(DBRecordBase* pSource, std::initializer_list<void*> skip)
{
    const BYTE both = AFX_SQL_FIELD_FLAG_DIRTY | AFX_SQL_FIELD_FLAG_NULL;
    size_t n = std::min(m_rgFieldFlags.size(), pSource->m_rgFieldFlags.size());
    for (size_t i = 0; i < n; ++i)
        m_rgFieldFlags[i] = (BYTE)((m_rgFieldFlags[i] & ~both) | AFX_SQL_FIELD_FLAG_DIRTY |
                                   (pSource->m_rgFieldFlags[i] & AFX_SQL_FIELD_FLAG_NULL));
    for (void* pv : skip) {
        int i = FieldIndexOf(pv);
        if (i >= 0 && (size_t)i < m_rgFieldFlags.size())
            m_rgFieldFlags[(size_t)i] = (BYTE)((m_rgFieldFlags[(size_t)i] & ~both) | AFX_SQL_FIELD_FLAG_NULL);
    }
}

void DBRecordBase::InsertCopyOf(DBRecordBase* pSource)
{
    AddNew();
    CopyFrom(pSource);
    MarkCopiedFields(pSource);
    Update();
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBKeyedTable, DBRecordBase)

DBKeyedTable::DBKeyedTable(DBDatabase* pDatabase) : DBRecordBase(pDatabase), m_bRowsRead(FALSE)
{
}

DBKeyedTable::~DBKeyedTable() = default;

void DBKeyedTable::ReadRows()
{
    m_rows.clear();
    m_strFilter.Empty();
    Requery();
    while (!IsEOF()) {
        if (!IsDeleted())
            m_rows.push_back({UpperKey(GetMatchKey()), GetRowValues()});
        MoveNext();
    }
    m_bRowsRead = TRUE;
}

BOOL DBKeyedTable::FindMatch(DBRecordBase* pSource)
{
    if (!m_bRowsRead)
        ReadRows();
    DBKeyedTable* pSourceTable = static_cast<DBKeyedTable*>(pSource);
    std::string key = UpperKey(pSourceTable->GetMatchKey());
    std::vector<std::string> values = pSourceTable->GetRowValues();
    bool bFound = false;
    for (const KeptRow& row : m_rows) {
        if (row.key != key)
            continue;
        if (row.values == values)
            return TRUE;
        bFound = true;
    }
    if (!bFound)
        return FALSE;
    // The same key with other values: not merged, reported as a conflict.
    CString message;
    message.Format(GetConflictMessage(), (LPCSTR)pSourceTable->GetMatchKey());
    m_pDBDatabase->WriteDatabaseError(message);
    return TRUE;
}

void DBKeyedTable::AfterAdd(DBRecordBase* pSource)
{
    DBKeyedTable* pSourceTable = static_cast<DBKeyedTable*>(pSource);
    if (m_bRowsRead)
        m_rows.push_back({UpperKey(pSourceTable->GetMatchKey()), pSourceTable->GetRowValues()});
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBComponentTable, DBRecordBase)

DBComponentTable::DBComponentTable(DBDatabase* pDatabase) : DBRecordBase(pDatabase)
{
    m_nFields = ComponentFields::FieldCount;
    ClearRecord();
}

DBComponentTable::~DBComponentTable() = default;

CString DBComponentTable::GetDefaultSQL()
{
    return "[Components]";
}

void DBComponentTable::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeComponentFields(pFX, false);
}

void DBComponentTable::ClearRecord()
{
    ComponentFields& r = Record();
    r.m_nComponentKey = r.m_nOldId1 = r.m_nOldId2 = r.m_nOldId3 = 0;
    r.m_nDatabaseNumber = 0;
    for (CString* s : {&r.m_strDescription, &r.m_strWarehouseCode, &r.m_strSupplierCode, &r.m_strUsage,
                       &r.m_strMajor1, &r.m_strMinor1, &r.m_strMajor2, &r.m_strMinor2, &r.m_strDefaultNozzle,
                       &r.m_strItemType})
        s->Empty();
    for (float* f : {&r.m_fReals1, &r.m_fReals2, &r.m_fReals3, &r.m_fReals4, &r.m_fReals5, &r.m_fReals6,
                     &r.m_fReals7, &r.m_fReals8, &r.m_fRextra1, &r.m_fRextra2, &r.m_fRextra3, &r.m_fRextra4,
                     &r.m_fSymbolSize})
        *f = 0.0f;
    for (long* n : {&r.m_nDocumentIndex, &r.m_nLinetype, &r.m_nSymbol, &r.m_nSymbolFile, &r.m_nColour1,
                    &r.m_nColour2, &r.m_nFlags, &r.m_nOrder})
        *n = 0;
}

CString DBComponentTable::GetReportText()
{
    return m_strDescription;
}

BOOL DBComponentTable::FindMatch(DBRecordBase* pSource)
{
    return m_pDBDatabase->FindComponentMatch(*static_cast<DBComponentTable*>(pSource)) != 0;
}

void DBComponentTable::CopyFrom(DBRecordBase* pSource)
{
    // Every column but the key, which keeps what AddNew left so that the
    // database gives the new row its key. A [Symbol File] that names a
    // source symbol known under another key in the target takes the
    // target's key.
    long nKey = m_nComponentKey;
    Record() = static_cast<DBComponentTable*>(pSource)->Record();
    m_nComponentKey = nKey;
    long nMapped = 0;
    if (m_pDBDatabase->MapSymbolKey(m_nSymbolFile, nMapped))
        m_nSymbolFile = nMapped;
}

void DBComponentTable::MergeRecord(DBRecordBase* pSource)
{
    DBComponentTable* pSourceTable = static_cast<DBComponentTable*>(pSource);
    m_pDBDatabase->RunComponentUnit(pSourceTable->m_strDescription,
                                    [&] { MergeSubComponent(pSourceTable, FALSE); });
}

long DBComponentTable::MergeSubComponent(DBComponentTable* pSource, BOOL bItem)
{
    DBDatabase* pDB = m_pDBDatabase;
    long nKey = pDB->FindComponentMatch(*pSource);
    CString line;
    if (nKey != 0) {
        line = bItem ? LoadText(IDS_MERGE_MATCHED, "Matched") + ": [" : CString("Matched: [");
        pDB->WriteReport(line + pSource->m_strDescription + "]\n");
        return nKey;
    }

    AddNew();
    CopyFrom(pSource);
    BOOL bRemapped = m_nSymbolFile != pSource->m_nSymbolFile;
    MarkCopiedFields(pSource, {&m_nComponentKey});
    if (bRemapped)
        SetFieldNull(&m_nSymbolFile, FALSE);
    Update();
    // The new row is the one this connection inserted last: its key is read
    // back, never guessed from the row order.
    long nNewKey = ReadInsertedKey(m_pDatabase);
    if (nNewKey == 0)
        AfxThrowDBException(AFX_SQL_ERROR, "The key of the component just added could not be read.");
    line = bItem ? LoadText(IDS_MERGE_ADDED, "Added") + ":   [" : CString("Added:   [");
    pDB->WriteReport(line + pSource->m_strDescription + "]\n");
    pDB->NoteAddedComponent(nNewKey, pSource->m_strDescription, bRemapped);
    return pDB->MergeDependentRows(*pSource, nNewKey) ? nNewKey : 0;
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBAssemblyTable, DBRecordBase)

DBAssemblyTable::DBAssemblyTable(DBDatabase* pDatabase)
    : DBRecordBase(pDatabase)
{
    m_nFields = AssemblyFields::FieldCount;
}

DBAssemblyTable::~DBAssemblyTable() = default;

CString DBAssemblyTable::GetDefaultSQL()
{
    return "[Assemblies]";
}

void DBAssemblyTable::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeAssemblyFields(pFX);
}

void DBAssemblyTable::CopyFrom(DBRecordBase* pSource)
{
    static_cast<AssemblyFields&>(*this) = static_cast<const AssemblyFields&>(*static_cast<DBAssemblyTable*>(pSource));
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBNozzleTable, DBRecordBase)

DBNozzleTable::DBNozzleTable(DBDatabase* pDatabase) : DBRecordBase(pDatabase)
{
    m_nFields = NozzleFields::FieldCount;
}

DBNozzleTable::~DBNozzleTable() = default;

CString DBNozzleTable::GetDefaultSQL()
{
    return "[Nozzles]";
}

void DBNozzleTable::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeNozzleFields(pFX);
}

void DBNozzleTable::CopyFrom(DBRecordBase* pSource)
{
    static_cast<NozzleFields&>(*this) = static_cast<const NozzleFields&>(*static_cast<DBNozzleTable*>(pSource));
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBPipeTable, DBKeyedTable)

DBPipeTable::DBPipeTable(DBDatabase* pDatabase)
    : DBKeyedTable(pDatabase)
{
    m_nFields = PipeTypeFields::FieldCount;
}

DBPipeTable::~DBPipeTable() = default;

CString DBPipeTable::GetDefaultSQL()
{
    return "[PipeTable]";
}

void DBPipeTable::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangePipeTypeFields(pFX);
}

CString DBPipeTable::GetReportText()
{
    return m_strType;
}

void DBPipeTable::CopyFrom(DBRecordBase* pSource)
{
    static_cast<PipeTypeFields&>(*this) = static_cast<const PipeTypeFields&>(*static_cast<DBPipeTable*>(pSource));
}

CString DBPipeTable::GetMatchKey()
{
    return m_strType;
}

std::vector<std::string> DBPipeTable::GetRowValues()
{
    return {m_strType.str(),       m_strGender.str(),          m_strConnection.str(),   m_strFitting1.str(),
            m_strFitting2.str(),   m_strFitting3.str(),        m_strFitting4.str(),     m_strFitting5.str(),
            FloatBits(m_fBendAngle), FloatBits(m_fExtraAllowance), FloatBits(m_fRounding), FloatBits(m_fRollLength)};
}

UINT DBPipeTable::GetConflictMessage() const
{
    return IDS_MERGE_PIPE_CONFLICT;
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBSupplierTable, DBKeyedTable)

DBSupplierTable::DBSupplierTable(DBDatabase* pDatabase)
    : DBKeyedTable(pDatabase)
{
    m_nFields = SupplierFields::FieldCount;
}

DBSupplierTable::~DBSupplierTable() = default;

CString DBSupplierTable::GetDefaultSQL()
{
    return "[Suppliers]";
}

void DBSupplierTable::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeSupplierFields(pFX);
}

CString DBSupplierTable::GetReportText()
{
    return m_strDescription;
}

void DBSupplierTable::CopyFrom(DBRecordBase* pSource)
{
    static_cast<SupplierFields&>(*this) = static_cast<const SupplierFields&>(*static_cast<DBSupplierTable*>(pSource));
}

CString DBSupplierTable::GetMatchKey()
{
    return m_strCode;
}

std::vector<std::string> DBSupplierTable::GetRowValues()
{
    return {m_strDescription.str(),   m_strCode.str(),          m_strBasePrice.str(),    FloatBits(m_fMultiplierA),
            FloatBits(m_fMultiplierB), FloatBits(m_fMultiplierC), FloatBits(m_fMultiplierD)};
}

UINT DBSupplierTable::GetConflictMessage() const
{
    return IDS_MERGE_SUPPLIER_CONFLICT;
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(DBTapeTable, DBRecordBase)

DBTapeTable::DBTapeTable(DBDatabase* pDatabase) : DBRecordBase(pDatabase)
{
    m_nFields = TapeFields::FieldCount;
}

DBTapeTable::~DBTapeTable() = default;

CString DBTapeTable::GetDefaultSQL()
{
    return "[Tapes]";
}

void DBTapeTable::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeTapeFields(pFX, false);
}

void DBTapeTable::CopyFrom(DBRecordBase* pSource)
{
    static_cast<TapeFields&>(*this) = static_cast<const TapeFields&>(*static_cast<DBTapeTable*>(pSource));
}

// ---------------------------------------------------------------------------
// Matching helpers used by DBDatabase::FindComponentMatch.
bool DBSameComponentTexts(const ComponentFields& a, const ComponentFields& b)
{
    return SameMatchText(a.m_strDescription, b.m_strDescription) &&
           SameMatchText(a.m_strWarehouseCode, b.m_strWarehouseCode) && SameMatchText(a.m_strMajor1, b.m_strMajor1) &&
           SameMatchText(a.m_strMinor1, b.m_strMinor1) && SameMatchText(a.m_strItemType, b.m_strItemType);
}
