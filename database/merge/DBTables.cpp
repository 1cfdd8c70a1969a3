#include "database/merge/DBTables.h"

#include "database/merge/DBMergeState.h"
#include "database/merge/MergeRes.h"

#include <cstring>

namespace {

std::string FloatBits(float value)
{
    return std::string((const char*)&value, sizeof(value));
}

// Appends a part of a key: its length first, so that no two different
// lists of parts make the same key.
void AppendPart(std::string& key, const void* data, size_t size)
{
    unsigned length = (unsigned)size;
    key.append((const char*)&length, sizeof(length));
    key.append((const char*)data, size);
}

} // namespace

std::string DBFoldCase(const CString& text, bool bTrim)
{
    std::string folded = text.str();
    if (bTrim)
        folded.erase(folded.find_last_not_of(' ') + 1);
    bool ascii = true;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
        else if ((unsigned char)c >= 0x80)
            ascii = false;
    }
    if (ascii)
        return folded;
    // Beyond ASCII: every letter through the system's case tables.
    int n = ::MultiByteToWideChar(CP_UTF8, 0, folded.data(), (int)folded.size(), nullptr, 0);
    if (n <= 0)
        return folded;
    std::wstring wide((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, folded.data(), (int)folded.size(), &wide[0], n);
    ::CharUpperBuffW(&wide[0], (DWORD)n);
    int m = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string upper((size_t)m, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &upper[0], m, nullptr, nullptr);
    return upper;
}

std::string DBComponentMatchKey(long nDatabaseNumber, long nFlags, const double reals[6], const CString* texts[5])
{
    std::string key;
    key.reserve(128);
    AppendPart(key, &nDatabaseNumber, sizeof(nDatabaseNumber));
    AppendPart(key, &nFlags, sizeof(nFlags));
    for (int i = 0; i < 6; ++i) {
        double value = reals[i] == 0.0 ? 0.0 : reals[i];  // -0 is 0
        AppendPart(key, &value, sizeof(value));
    }
    for (int i = 0; i < 5; ++i) {
        std::string text = DBFoldCase(*texts[i], true);
        AppendPart(key, text.data(), text.size());
    }
    return key;
}

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

void* DBRecordBase::GetAssignedKey()
{
    return nullptr;
}

void DBRecordBase::CopyFrom(DBRecordBase* pSource, DBRowInsert& insert)
{
    insert.SetValues(*pSource);
}

void DBRecordBase::MergeFrom(DBRecordBase* pSource)
{
    if (!pSource->IsOpen() || (pSource->IsBOF() && pSource->IsEOF()))
        return;
    pSource->MoveFirst();
    BOOL bComponents = IsKindOf(RUNTIME_CLASS(DBComponentTable));
    while (!pSource->IsEOF() && !m_pDBDatabase->IsMergeStopped()) {
        if (!pSource->IsDeleted())
            m_pDBDatabase->RunMergeUnit(pSource->GetReportText(), bComponents, [&] { MergeRecord(pSource); },
                                        !bComponents);
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
        m_pDBDatabase->WriteItemLine("Matched: ", pSource->GetReportText());
        return;
    }
    InsertCopyOf(pSource);
    m_pDBDatabase->WriteItemLine("Added:   ", pSource->GetReportText());
    AfterAdd(pSource);
}

void DBRecordBase::InsertCopyOf(DBRecordBase* pSource)
{
    DBRowInsert& insert = m_pDBDatabase->RowInsert(*this);
    CopyFrom(pSource, insert);
    insert.Execute();
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
            m_rows[DBFoldCase(GetMatchKey())].push_back(GetRowValues());
        MoveNext();
    }
    m_bRowsRead = TRUE;
}

BOOL DBKeyedTable::FindMatch(DBRecordBase* pSource)
{
    if (!m_bRowsRead)
        ReadRows();
    DBKeyedTable* pSourceTable = static_cast<DBKeyedTable*>(pSource);
    auto found = m_rows.find(DBFoldCase(pSourceTable->GetMatchKey()));
    if (found == m_rows.end())
        return FALSE;
    std::vector<std::string> values = pSourceTable->GetRowValues();
    for (const std::vector<std::string>& row : found->second)
        if (row == values)
            return TRUE;
    // The same key with other values: not merged, reported as a conflict.
    CString message;
    message.Format(GetConflictMessage(), (LPCSTR)DBDatabase::ReportName(pSourceTable->GetMatchKey()));
    m_pDBDatabase->WriteDatabaseError(message);
    return TRUE;
}

void DBKeyedTable::AfterAdd(DBRecordBase* pSource)
{
    DBKeyedTable* pSourceTable = static_cast<DBKeyedTable*>(pSource);
    if (m_bRowsRead)
        m_rows[DBFoldCase(pSourceTable->GetMatchKey())].push_back(pSourceTable->GetRowValues());
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
    return DBDatabase::ReportName(m_strDescription);
}

BOOL DBComponentTable::FindMatch(DBRecordBase* pSource)
{
    return m_pDBDatabase->FindComponentMatch(static_cast<DBComponentTable*>(pSource)->MatchKey()) != 0;
}

std::string DBComponentTable::MatchKey(long nFlags)
{
    auto real = [this](float& value) { return IsFieldNull(&value) ? 0.0 : (double)value; };
    const double reals[6] = {real(m_fReals1), real(m_fReals2), real(m_fReals3),
                             real(m_fReals4), real(m_fReals5), real(m_fReals6)};
    static const CString empty;
    auto text = [this](CString& value) { return IsFieldNull(&value) ? &empty : &value; };
    const CString* texts[5] = {text(m_strDescription), text(m_strWarehouseCode), text(m_strMajor1),
                               text(m_strMinor1), text(m_strItemType)};
    if (nFlags == -1)
        nFlags = IsFieldNull(&m_nFlags) ? 0 : m_nFlags;
    return DBComponentMatchKey((long)m_nDatabaseNumber, nFlags, reals, texts);
}

void DBComponentTable::CopyFrom(DBRecordBase* pSource, DBRowInsert& insert)
{
    DBComponentTable* pFrom = static_cast<DBComponentTable*>(pSource);
    DBRecordBase::CopyFrom(pSource, insert);
    if (!m_textWidths)
        m_textWidths.emplace(*this);
    for (int nColumn : kvrecords::kFixedWidthColumns)
        insert.SetText(FieldIndexOf(kvrecords::FixedWidthText(Record(), nColumn)),
                       m_textWidths->Padded(nColumn, *kvrecords::FixedWidthText(pFrom->Record(), nColumn)));
    long nMapped = 0;
    if (MapSymbolFile(pFrom, nMapped))
        insert.SetLong(FieldIndexOf(&m_nSymbolFile), nMapped);
}

BOOL DBComponentTable::MapSymbolFile(DBComponentTable* pSource, long& nTargetKey)
{
    return m_pDBDatabase->MapSymbolKey(pSource->m_nSymbolFile, nTargetKey) && nTargetKey != pSource->m_nSymbolFile;
}

void* DBComponentTable::GetAssignedKey()
{
    return &m_nComponentKey;
}

void DBComponentTable::MergeRecord(DBRecordBase* pSource)
{
    MergeSubComponent(static_cast<DBComponentTable*>(pSource), FALSE);
}

long DBComponentTable::MergeSubComponent(DBComponentTable* pSource, BOOL bItem)
{
    DBDatabase* pDB = m_pDBDatabase;
    std::string matchKey = pSource->MatchKey();
    long nKey = pDB->FindComponentMatch(matchKey);
    CString line;
    if (nKey != 0) {
        line = bItem ? LoadText(IDS_MERGE_MATCHED, "Matched") + ": " : CString("Matched: ");
        pDB->WriteItemLine(line, pSource->m_strDescription);
        return nKey;
    }

    DBRowInsert& insert = pDB->RowInsert(*this);
    CopyFrom(pSource, insert);
    insert.Execute();
    long nMapped = 0;
    BOOL bRemapped = MapSymbolFile(pSource, nMapped);
    // The new row is the one this connection inserted last: its key is read
    // back, never guessed from the row order.
    long nNewKey = pDB->ReadNewKey();
    if (nNewKey == 0)
        AfxThrowDBException(AFX_SQL_ERROR, "The key of the component just added could not be read.");
    line = bItem ? LoadText(IDS_MERGE_ADDED, "Added") + ":   " : CString("Added:   ");
    pDB->WriteItemLine(line, pSource->m_strDescription);
    pDB->NoteAddedComponent(nNewKey, matchKey, pSource->m_strDescription, bRemapped);
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
