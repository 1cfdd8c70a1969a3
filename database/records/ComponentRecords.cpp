#include "database/records/ComponentRecords.h"

#include "database/records/DatabaseChangeNotice.h"
#include "platform/odbc/OZUStatement.h"

#include <cstdlib>

namespace {

// Column names of "Components", as the table names them and as the tape
// join selects them.
struct ColumnName
{
    LPCSTR plain;
    LPCSTR joined;
};

const ColumnName kComponentColumns[ComponentFields::FieldCount] = {
    {"[Component Key]", "C.[Component Key]"}, {"[Old id1]", "C.[Old id1]"},
    {"[Old id2]", "C.[Old id2]"}, {"[Old id3]", "C.[Old id3]"},
    {"[Database Number]", "C.[Database Number]"}, {"[Description]", "C.[Description]"},
    {"[Warehouse Code]", "C.[Warehouse Code]"}, {"[Supplier Code]", "C.[Supplier Code]"},
    {"[Usage]", "C.[Usage]"}, {"[Major1]", "C.[Major1]"}, {"[Minor1]", "C.[Minor1]"},
    {"[Major2]", "C.[Major2]"}, {"[Minor2]", "C.[Minor2]"},
    {"[Reals1]", "C.[Reals1]"}, {"[Reals2]", "C.[Reals2]"}, {"[Reals3]", "C.[Reals3]"},
    {"[Reals4]", "C.[Reals4]"}, {"[Reals5]", "C.[Reals5]"}, {"[Reals6]", "C.[Reals6]"},
    {"[Reals7]", "C.[Reals7]"}, {"[Reals8]", "C.[Reals8]"},
    {"[Rextra1]", "C.[Rextra1]"}, {"[Rextra2]", "C.[Rextra2]"},
    {"[Rextra3]", "C.[Rextra3]"}, {"[Rextra4]", "C.[Rextra4]"},
    {"[Document Index]", "C.[Document Index]"}, {"[Linetype]", "C.[Linetype]"},
    {"[Symbol]", "C.[Symbol]"}, {"[Symbol Size]", "C.[Symbol Size]"},
    {"[Symbol File]", "C.[Symbol File]"}, {"[Colour1]", "C.[Colour1]"},
    {"[Colour2]", "C.[Colour2]"}, {"[Default Nozzle]", "C.[Default Nozzle]"},
    {"[Item Type]", "C.[Item Type]"}, {"[Flags]", "C.[Flags]"}, {"[Order]", "C.[Order]"},
};

const ColumnName kTapeColumns[TapeFields::FieldCount] = {
    {"[Pipe Key]", "T.[Pipe Key]"}, {"[Flow Calc Type]", "T.[Flow Calc Type]"},
    {"[Reals1]", "T.[Reals1]"}, {"[Reals2]", "T.[Reals2]"}, {"[Reals3]", "T.[Reals3]"},
    {"[Reals4]", "T.[Reals4]"}, {"[Reals5]", "T.[Reals5]"}, {"[Reals6]", "T.[Reals6]"},
    {"[Rextra1]", "T.[Rextra1]"}, {"[Rextra2]", "T.[Rextra2]"},
    {"[Rextra3]", "T.[Rextra3]"}, {"[Rextra4]", "T.[Rextra4]"},
};

// Every text column is bound with a maximum length of 255 as variable-length
// character data, whatever its width in the file.
void TextField(CFieldExchange* pFX, LPCSTR lpszName, CString& value)
{
    RFX_Text(pFX, lpszName, value, 255, SQL_VARCHAR, 0);
}

CString FormatKeyFilter(LPCSTR lpszFormat, long nKey)
{
    CString text;
    text.Format(lpszFormat, nKey);
    return text;
}

} // namespace

// ---------------------------------------------------------------------------
ComponentFields::ComponentFields()
    : m_nComponentKey(0), m_nOldId1(0), m_nOldId2(0), m_nOldId3(0), m_nDatabaseNumber(0),
      m_strMajor1("      "), m_strMinor1("      "), m_strMajor2("      "), m_strMinor2("      "),
      m_fReals1(0.0f), m_fReals2(0.0f), m_fReals3(0.0f), m_fReals4(0.0f), m_fReals5(0.0f),
      m_fReals6(0.0f), m_fReals7(0.0f), m_fReals8(0.0f), m_fRextra1(0.0f), m_fRextra2(0.0f),
      m_fRextra3(0.0f), m_fRextra4(0.0f), m_nDocumentIndex(0), m_nLinetype(0), m_nSymbol(0),
      m_fSymbolSize(0.0f), m_nSymbolFile(0), m_nColour1(COMPONENT_DEFAULT_COLOUR),
      m_nColour2(COMPONENT_DEFAULT_COLOUR), m_strDefaultNozzle("          "),
      m_strItemType("   "), m_nFlags(0), m_nOrder(COMPONENT_DEFAULT_ORDER)
{
}

void ComponentFields::ExchangeComponentFields(CFieldExchange* pFX, bool bJoined)
{
    const ColumnName* c = kComponentColumns;
    auto name = [&](int i) { return bJoined ? c[i].joined : c[i].plain; };
    RFX_Long(pFX, name(0), m_nComponentKey);
    RFX_Long(pFX, name(1), m_nOldId1);
    RFX_Long(pFX, name(2), m_nOldId2);
    RFX_Long(pFX, name(3), m_nOldId3);
    RFX_Byte(pFX, name(4), m_nDatabaseNumber);
    TextField(pFX, name(5), m_strDescription);
    TextField(pFX, name(6), m_strWarehouseCode);
    TextField(pFX, name(7), m_strSupplierCode);
    TextField(pFX, name(8), m_strUsage);
    TextField(pFX, name(9), m_strMajor1);
    TextField(pFX, name(10), m_strMinor1);
    TextField(pFX, name(11), m_strMajor2);
    TextField(pFX, name(12), m_strMinor2);
    RFX_Single(pFX, name(13), m_fReals1);
    RFX_Single(pFX, name(14), m_fReals2);
    RFX_Single(pFX, name(15), m_fReals3);
    RFX_Single(pFX, name(16), m_fReals4);
    RFX_Single(pFX, name(17), m_fReals5);
    RFX_Single(pFX, name(18), m_fReals6);
    RFX_Single(pFX, name(19), m_fReals7);
    RFX_Single(pFX, name(20), m_fReals8);
    RFX_Single(pFX, name(21), m_fRextra1);
    RFX_Single(pFX, name(22), m_fRextra2);
    RFX_Single(pFX, name(23), m_fRextra3);
    RFX_Single(pFX, name(24), m_fRextra4);
    RFX_Long(pFX, name(25), m_nDocumentIndex);
    RFX_Long(pFX, name(26), m_nLinetype);
    RFX_Long(pFX, name(27), m_nSymbol);
    RFX_Single(pFX, name(28), m_fSymbolSize);
    RFX_Long(pFX, name(29), m_nSymbolFile);
    RFX_Long(pFX, name(30), m_nColour1);
    RFX_Long(pFX, name(31), m_nColour2);
    TextField(pFX, name(32), m_strDefaultNozzle);
    TextField(pFX, name(33), m_strItemType);
    RFX_Long(pFX, name(34), m_nFlags);
    RFX_Long(pFX, name(35), m_nOrder);
}

TapeFields::TapeFields()
    : m_nPipeKey(0), m_fTapeReals1(0.0f), m_fTapeReals2(0.0f), m_fTapeReals3(0.0f),
      m_fTapeReals4(0.0f), m_fTapeReals5(0.0f), m_fTapeReals6(0.0f), m_fTapeRextra1(0.0f),
      m_fTapeRextra2(0.0f), m_fTapeRextra3(0.0f), m_fTapeRextra4(0.0f)
{
}

void TapeFields::ExchangeTapeFields(CFieldExchange* pFX, bool bJoined)
{
    const ColumnName* c = kTapeColumns;
    auto name = [&](int i) { return bJoined ? c[i].joined : c[i].plain; };
    RFX_Long(pFX, name(0), m_nPipeKey);
    TextField(pFX, name(1), m_strFlowCalcType);
    RFX_Single(pFX, name(2), m_fTapeReals1);
    RFX_Single(pFX, name(3), m_fTapeReals2);
    RFX_Single(pFX, name(4), m_fTapeReals3);
    RFX_Single(pFX, name(5), m_fTapeReals4);
    RFX_Single(pFX, name(6), m_fTapeReals5);
    RFX_Single(pFX, name(7), m_fTapeReals6);
    RFX_Single(pFX, name(8), m_fTapeRextra1);
    RFX_Single(pFX, name(9), m_fTapeRextra2);
    RFX_Single(pFX, name(10), m_fTapeRextra3);
    RFX_Single(pFX, name(11), m_fTapeRextra4);
}

AssemblyFields::AssemblyFields() : m_nAssemblyKey(0), m_nItemKey(0), m_fNumberLength(0.0f)
{
}

void AssemblyFields::ExchangeAssemblyFields(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Long(pFX, "[Assembly Key]", m_nAssemblyKey);
    RFX_Long(pFX, "[Item Key]", m_nItemKey);
    RFX_Single(pFX, "[Number/Length]", m_fNumberLength);
}

NozzleFields::NozzleFields() : m_nEmitterKey(0), m_nNozzleKey(0)
{
}

void NozzleFields::ExchangeNozzleFields(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Long(pFX, "[Emitter Key]", m_nEmitterKey);
    RFX_Long(pFX, "[Nozzle Key]", m_nNozzleKey);
}

PipeTypeFields::PipeTypeFields()
    : m_fBendAngle(0.0f), m_fExtraAllowance(0.0f), m_fRounding(0.0f), m_fRollLength(0.0f)
{
}

void PipeTypeFields::SetDefaultsFor(const CString& type)
{
    m_strType = type;
    m_strGender = "F";
    m_strConnection = "S";
    m_strFitting1 = type;
    m_strFitting2 = m_strFitting3 = m_strFitting4 = m_strFitting5 = "\t    ";
    m_fBendAngle = 0.0f;
    m_fExtraAllowance = 0.0f;
    m_fRounding = 1.0f;
    m_fRollLength = 0.0f;
}

void PipeTypeFields::ExchangePipeTypeFields(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    TextField(pFX, "[Type]", m_strType);
    TextField(pFX, "[Gender]", m_strGender);
    TextField(pFX, "[Connection]", m_strConnection);
    TextField(pFX, "[Fitting1]", m_strFitting1);
    TextField(pFX, "[Fitting2]", m_strFitting2);
    TextField(pFX, "[Fitting3]", m_strFitting3);
    TextField(pFX, "[Fitting4]", m_strFitting4);
    TextField(pFX, "[Fitting5]", m_strFitting5);
    RFX_Single(pFX, "[Bend Angle]", m_fBendAngle);
    RFX_Single(pFX, "[Extra Allowance]", m_fExtraAllowance);
    RFX_Single(pFX, "[Rounding]", m_fRounding);
    RFX_Single(pFX, "[Roll Length]", m_fRollLength);
}

SupplierFields::SupplierFields()
    : m_fMultiplierA(0.0f), m_fMultiplierB(0.0f), m_fMultiplierC(0.0f), m_fMultiplierD(0.0f)
{
}

void SupplierFields::SetDefaultsFor(const CString& code)
{
    m_strDescription = code;
    m_strCode = code;
    m_strBasePrice = "R";
    m_fMultiplierA = m_fMultiplierB = m_fMultiplierC = m_fMultiplierD = 1.0f;
}

void SupplierFields::ExchangeSupplierFields(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    TextField(pFX, "[Description]", m_strDescription);
    TextField(pFX, "[Code]", m_strCode);
    TextField(pFX, "[Base Price]", m_strBasePrice);
    RFX_Single(pFX, "[Multiplier A]", m_fMultiplierA);
    RFX_Single(pFX, "[Multiplier B]", m_fMultiplierB);
    RFX_Single(pFX, "[Multiplier C]", m_fMultiplierC);
    RFX_Single(pFX, "[Multiplier D]", m_fMultiplierD);
}

// ---------------------------------------------------------------------------
CString GetComponentConnectString(LPCSTR lpszPath)
{
    CString path(lpszPath != nullptr ? lpszPath : "");
    // The extension is the text from the last dot, as the file dialogs give it.
    int dot = path.ReverseFind('.');
    CString connect;
    connect.Format(dot >= 0 && path.Mid(dot).CompareNoCase(".mdb") == 0
                       ? "Driver={Microsoft Access Driver (*.mdb)};Dbq=%s;"
                       : "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=%s;",
                   (LPCSTR)path);
    return connect;
}

void ReportDatabaseException(CException* e)
{
    if (e == nullptr)
        return;
    e->ReportError();
    e->Delete();
}

long ReadInsertedKey(CDatabase* pDatabase)
{
    if (pDatabase == nullptr || !pDatabase->IsOpen())
        return 0;
    try {
        // The identity of the last insert on this connection, not the
        // highest key: another program or an explicit key may have made a
        // higher one.
        std::vector<long> keys = QueryKeys(pDatabase, "SELECT @@IDENTITY");
        return keys.empty() ? 0 : keys.front();
    } catch (CException* e) {
        ReportDatabaseException(e);
        return 0;
    }
}

std::vector<long> QueryKeys(CDatabase* pDatabase, LPCTSTR lpszSQL)
{
    std::vector<long> keys;
    CRecordset rs(pDatabase);
    try {
        rs.Open(CRecordset::forwardOnly, lpszSQL, CRecordset::readOnly);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            CString value;
            rs.GetFieldValue((short)0, value);
            keys.push_back(std::atol(value));
        }
    } catch (...) {
        if (rs.IsOpen())
            rs.Close();
        throw;
    }
    rs.Close();
    return keys;
}

namespace kvrecords {
const char kNozzleLinkInsert[] = "INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) VALUES (?, ?)";
}

void AddNozzleLinks(CDatabase* pDatabase, long nEmitterKey, const std::vector<long>& nozzleKeys, size_t* pnAdded)
{
    if (pnAdded != nullptr)
        *pnAdded = 0;
    if (nozzleKeys.empty())
        return;
    OZUStatement insert(pDatabase, kvrecords::kNozzleLinkInsert);
    AddNozzleLinks(insert, nEmitterKey, nozzleKeys, pnAdded);
}

void AddNozzleLinks(OZUStatement& insert, long nEmitterKey, const std::vector<long>& nozzleKeys, size_t* pnAdded)
{
    if (pnAdded != nullptr)
        *pnAdded = 0;
    insert.SetLong(1, nEmitterKey);
    for (long nNozzleKey : nozzleKeys) {
        insert.SetLong(2, nNozzleKey);
        insert.Execute();
        if (pnAdded != nullptr)
            ++*pnAdded;
    }
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CADORSBase, CRecordset)

CADORSBase::CADORSBase(CDatabase* pDatabase) : CRecordset(pDatabase) {}

CADORSBase::~CADORSBase() = default;

void CADORSBase::ThrowDBException(RETCODE nRetCode, HSTMT hstmt)
{
    AfxThrowDBException(nRetCode, m_pDatabase, hstmt != SQL_NULL_HSTMT ? hstmt : m_hstmt);
}

CString CADORSBase::GetDatabaseName() const
{
    return m_pDatabase != nullptr ? m_pDatabase->GetDatabaseName() : CString();
}

BOOL CADORSBase::RequeryWithFilter(LPCSTR lpszFilter)
{
    m_strFilter = lpszFilter;
    return Requery() && GetRecordCount() > 0;
}

BOOL CADORSBase::FindWithFilter(LPCSTR lpszFilter)
{
    if (GetRecordCount() == 0)
        RequeryWithFilter(lpszFilter);
    if (GetRecordCount() <= 0)
        return FALSE;
    MoveFirst();
    return RequeryWithFilter(lpszFilter);
}

BOOL CADORSBase::MoveNextValid()
{
    if (IsEOF())
        return FALSE;
    MoveNext();
    return !IsEOF();
}

BOOL CADORSBase::HasCurrentRow() const
{
    return IsOpen() && !IsBOF() && !IsEOF() && !IsDeleted();
}

BOOL CADORSBase::OpenWithFilter(const CString& strFilter, BOOL bEmptySort)
{
    try {
        m_strFilter = strFilter;
        if (bEmptySort)
            m_strSort.Empty();
        Open(AFX_DB_USE_DEFAULT_TYPE, nullptr, none);
        if (!IsBOF() || !IsEOF())
            return TRUE;
    } catch (CException* e) {
        ReportDatabaseException(e);
    }
    CloseQuietly();
    return FALSE;
}

void CADORSBase::CloseQuietly()
{
    try {
        if (IsOpen())
            Close();
    } catch (CException* e) {
        e->Delete();
    }
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CRecords, CADORSBase)

CRecords::CRecords(CDatabase* pDatabase) : CADORSBase(pDatabase)
{
    m_nFields = ComponentFields::FieldCount;
    m_nDefaultType = dynaset;
}

CRecords::CRecords(const CRecords& other) : CADORSBase(nullptr), ComponentFields(other)
{
    m_nFields = other.m_nFields;
    m_nDefaultType = other.m_nDefaultType;
    m_bCheckCacheForDirtyFields = other.m_bCheckCacheForDirtyFields;
    m_pDatabase = other.m_pDatabase;
}

CRecords::~CRecords() = default;

CString CRecords::TapeFilter()
{
    CString filter;
    filter.Format("C.`Database Number` = %d AND C.`Flags` = %d", DBNUM_PIPE, COMPONENT_FLAG_TAPE);
    return filter;
}

CString CRecords::GetDefaultSQL()
{
    if (m_strFilter == TapeFilter())
        return "SELECT C.*, T.* FROM `Tapes` T INNER JOIN Components C ON T.`Pipe Key` = C.`Component Key`";
    return "[Components]";
}

void CRecords::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    ExchangeComponentFields(pFX, false);
}

float CRecords::GetAssemblyReal(int nColumn)
{
    if (nColumn != COLUMN_REALS7 && nColumn != COLUMN_REALS8)
        return 0.0f;
    if ((m_nFlags & COMPONENT_FLAG_ASSEMBLY) == 0)
        return nColumn == COLUMN_REALS7 ? m_fReals7 : m_fReals8;

    float fSum = 0.0f;
    CAssemRecords rows(m_pDatabase);
    CRecords items(m_pDatabase);
    try {
        if (!rows.OpenAssembly(m_nComponentKey))
            return 0.0f;
        if (!items.OpenAssemblyItems(m_nComponentKey))
            return 0.0f;
        // Each Assemblies row counts, duplicates included; an item that no
        // longer exists adds nothing, and an item that is itself an assembly
        // adds its own stored value.
        do {
            CString filter = FormatKeyFilter("[Component Key] = %ld", rows.m_nItemKey);
            if (items.FindWithFilter(filter)) {
                float fItem = nColumn == COLUMN_REALS7 ? items.m_fReals7 : items.m_fReals8;
                fSum += rows.m_fNumberLength * fItem;
            }
            rows.MoveNext();
        } while (!rows.IsEOF());
    } catch (CException* e) {
        ReportDatabaseException(e);
    }
    return fSum;
}

BOOL CRecords::OpenAssemblyItems(long nAssemblyKey)
{
    if (IsOpen())
        return FALSE;
    return OpenWithFilter(
        FormatKeyFilter("[Component Key] IN (SELECT [Item Key] FROM Assemblies WHERE [Assembly Key] = %ld)",
                        nAssemblyKey),
        FALSE);
}

BOOL CRecords::MarkAssemblyFromItems(long nAssemblyKey)
{
    BOOL bFound = FALSE;
    BOOL bHasNozzles = FALSE;
    CRecords outlets(m_pDatabase);
    CRecords assembly(m_pDatabase);
    try {
        CString sql;
        sql.Format("SELECT * FROM [Components] WHERE [Component Key] IN (SELECT [Item Key] FROM "
                   "[Assemblies] WHERE [Assembly Key] = %ld) AND [Database Number] = %ld",
                   nAssemblyKey, (long)DBNUM_OUTLET);
        outlets.Open(dynaset, sql, readOnly);
        if (!outlets.IsBOF() && !outlets.IsEOF()) {
            bFound = TRUE;
            bHasNozzles = (outlets.m_nFlags & COMPONENT_FLAG_HAS_NOZZLES) != 0;
        }
        outlets.Close();

        if (bHasNozzles) {
            sql.Format("SELECT * FROM [Components] WHERE [Component Key] = %ld", nAssemblyKey);
            assembly.Open(dynaset, sql, none);
            if (!assembly.IsBOF() && !assembly.IsEOF()) {
                assembly.Edit();
                assembly.m_nFlags |= COMPONENT_FLAG_HAS_NOZZLES;
                assembly.SetFieldDirty(&assembly.m_nFlags, TRUE);
                assembly.SetFieldNull(&assembly.m_nFlags, FALSE);
                assembly.Update();
            }
            assembly.Close();
        }
    } catch (CException* e) {
        outlets.CloseQuietly();
        assembly.CloseQuietly();
        ReportDatabaseException(e);
    }
    return bFound;
}

BOOL CRecords::OpenByKey(long nComponentKey)
{
    CloseQuietly();
    return OpenWithFilter(FormatKeyFilter("[Component Key] = %ld", nComponentKey), TRUE);
}

BOOL CRecords::IsAssemblyEmpty(long nAssemblyKey)
{
    CAssemRecords rows(m_pDatabase);
    try {
        CString sql = FormatKeyFilter("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld", nAssemblyKey);
        rows.Open(dynaset, sql, readOnly);
        BOOL bEmpty = rows.IsBOF() && rows.IsEOF();
        rows.Close();
        return bEmpty;
    } catch (CException* e) {
        rows.CloseQuietly();
        ReportDatabaseException(e);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CAssemRecords, CADORSBase)

CAssemRecords::CAssemRecords(CDatabase* pDatabase)
    : CADORSBase(pDatabase)
{
    m_nFields = AssemblyFields::FieldCount;
    m_nDefaultType = dynaset;
}

CAssemRecords::~CAssemRecords() = default;

CString CAssemRecords::GetDefaultSQL()
{
    return "[Assemblies]";
}

void CAssemRecords::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeAssemblyFields(pFX);
}

void CAssemRecords::Clear()
{
    AssemblyFields::operator=(AssemblyFields());
}

BOOL CAssemRecords::OpenAssembly(long nAssemblyKey)
{
    if (IsOpen())
        return FALSE;
    return OpenWithFilter(FormatKeyFilter("[Assembly Key] = %ld", nAssemblyKey), FALSE);
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CNozzleRecs, CADORSBase)

CNozzleRecs::CNozzleRecs(CDatabase* pDatabase) : CADORSBase(pDatabase)
{
    m_nFields = NozzleFields::FieldCount;
    m_nDefaultType = dynaset;
}

CNozzleRecs::~CNozzleRecs() = default;

CString CNozzleRecs::GetDefaultSQL()
{
    return "[Nozzles]";
}

void CNozzleRecs::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeNozzleFields(pFX);
}

void CNozzleRecs::Clear()
{
    NozzleFields::operator=(NozzleFields());
}

void CNozzleRecs::DeleteForEmitter(long nEmitterKey)
{
    if (IsOpen())
        return;
    try {
        Open(dynaset, FormatKeyFilter("SELECT * FROM Nozzles WHERE [Emitter Key] = %ld", nEmitterKey), none);
        // An outlet without nozzle rows has nothing to delete.
        while (!IsEOF()) {
            Delete();
            MoveNext();
        }
        Close();
    } catch (CException* e) {
        CloseQuietly();
        ReportDatabaseException(e);
    }
}

BOOL CNozzleRecs::OpenForEmitter(long nEmitterKey)
{
    if (IsOpen())
        return FALSE;
    BOOL bHasRow = FALSE;
    try {
        Open(dynaset, FormatKeyFilter("SELECT * FROM Nozzles WHERE [Emitter Key] = %ld", nEmitterKey), none);
        bHasRow = !IsBOF() && !IsEOF();
        Close();
    } catch (CException* e) {
        CloseQuietly();
        ReportDatabaseException(e);
    }
    return bHasRow;
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CSupplierRecs, CADORSBase)

CSupplierRecs::CSupplierRecs(CDatabase* pDatabase)
    : CADORSBase(pDatabase)
{
    m_nFields = SupplierFields::FieldCount;
    m_nDefaultType = dynaset;
}

CSupplierRecs::~CSupplierRecs() = default;

CString CSupplierRecs::GetDefaultSQL()
{
    return "[Suppliers]";
}

void CSupplierRecs::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangeSupplierFields(pFX);
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CSymbolRecords, CADORSBase)

CSymbolRecords::CSymbolRecords(CDatabase* pDatabase) : CADORSBase(pDatabase), m_nKey(0)
{
    m_nFields = 2;
    m_nDefaultType = dynaset;
}

CSymbolRecords::~CSymbolRecords() = default;

CString CSymbolRecords::GetDefaultSQL()
{
    return "[Symbols]";
}

void CSymbolRecords::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Long(pFX, "[Key]", m_nKey);
    TextField(pFX, "[Name]", m_strName);
}

BOOL CSymbolRecords::FindSymbol(long nKey, LPCSTR lpszName, BOOL bByName, BOOL bUseFilter)
{
    CString name = lpszName != nullptr ? lpszName : "";
    auto matches = [&]() { return bByName ? m_strName == name : m_nKey == nKey; };
    try {
        if (HasCurrentRow() && matches())
            return TRUE;
        if (bUseFilter) {
            CString filter;
            if (bByName) {
                filter.Format("[Name] = '%s'", (LPCSTR)QuoteSqlString(name));
            } else {
                filter.Format("[Key] = Val('%d')", (int)nKey);
            }
            return FindWithFilter(filter);
        }
        // Without a filter the rows are searched from the first one until a
        // row matches; reaching the end means there is none.
        if (IsBOF() && IsEOF())
            return FALSE;
        MoveFirst();
        while (!IsEOF()) {
            if (!IsDeleted() && matches())
                return TRUE;
            MoveNext();
        }
    } catch (CException* e) {
        ReportDatabaseException(e);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CTapeExtras, CADORSBase)

CTapeExtras::CTapeExtras(CDatabase* pDatabase) : CADORSBase(pDatabase)
{
    m_nFields = TapeFields::FieldCount;
    m_nDefaultType = dynaset;
    m_bCheckCacheForDirtyFields = FALSE;
}

CTapeExtras::CTapeExtras(const CTapeExtras& other) : CADORSBase(nullptr), TapeFields(other)
{
    m_nFields = other.m_nFields;
    m_nDefaultType = other.m_nDefaultType;
    m_bCheckCacheForDirtyFields = other.m_bCheckCacheForDirtyFields;
    m_pDatabase = other.m_pDatabase;
}

CTapeExtras& CTapeExtras::operator=(const CTapeExtras& other)
{
    if (this == &other)
        return *this;
    TapeFields::operator=(other);
    m_nFields = other.m_nFields;
    m_nDefaultType = other.m_nDefaultType;
    m_bCheckCacheForDirtyFields = other.m_bCheckCacheForDirtyFields;
    // An open recordset keeps the connection its statement belongs to.
    if (!IsOpen())
        m_pDatabase = other.m_pDatabase;
    return *this;
}

CTapeExtras::~CTapeExtras() = default;

CString CTapeExtras::GetDefaultSQL()
{
    return "[Tapes]";
}

void CTapeExtras::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    ExchangeTapeFields(pFX, false);
}

void CTapeExtras::Clear()
{
    TapeFields::operator=(TapeFields());
    m_strFlowCalcType = "    ";
}

BOOL CTapeExtras::AddForPipe(long nPipeKey)
{
    if (!IsOpen())
        return FALSE;
    try {
        // Add mode is set directly rather than through AddNew, which would
        // make every member null: the row takes the values the members hold.
        m_nEditMode = addnew;
        m_nPipeKey = nPipeKey;
        SetFieldNull(nullptr, FALSE);
        SetFieldDirty(nullptr, TRUE);
        Update();
    } catch (CException* e) {
        m_nEditMode = noMode;
        ReportDatabaseException(e);
        return FALSE;
    }
    AnnounceDatabaseChange();
    return TRUE;
}

BOOL CTapeExtras::CreateForPipe(long nPipeKey)
{
    Clear();
    return AddForPipe(nPipeKey);
}

BOOL CTapeExtras::OpenByPipeKey(long nPipeKey)
{
    CloseQuietly();
    return OpenWithFilter(FormatKeyFilter("[Pipe Key] = Val('%ld')", nPipeKey), TRUE);
}

// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CTypeRecords, CADORSBase)

CTypeRecords::CTypeRecords(CDatabase* pDatabase)
    : CADORSBase(pDatabase)
{
    m_nFields = PipeTypeFields::FieldCount;
    m_nDefaultType = dynaset;
}

CTypeRecords::~CTypeRecords() = default;

CString CTypeRecords::GetDefaultSQL()
{
    return "[PipeTable]";
}

void CTypeRecords::DoFieldExchange(CFieldExchange* pFX)
{
    ExchangePipeTypeFields(pFX);
}
