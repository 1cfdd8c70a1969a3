// Reading 100,000 rows of a Components-shaped table (36 columns) through the
// program's recordset, against the same reading with plain ODBC calls on the
// same driver: bound columns fetched a rowset of 100 rows at a time (the
// anchor), and one row per SQLFetch. Each in turns with the anchor; the
// dynaset (the grids' kind of set) must stay within 1.1 times the rowset
// fetch.
//
// The database is made once, beside this program (bench_data\components.sqlite).
#include "platform/odbc/OZU_DB_RS.h"
#include "benchmarks/support/Bench.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRows = 100000;
using namespace bench;

const char* const kCreate =
    "CREATE TABLE Components ([Component Key] INTEGER PRIMARY KEY, [Old id1] INTEGER, [Old id2] INTEGER, "
    "[Old id3] INTEGER, [Database Number] TINYINT, [Description] VARCHAR(64), [Warehouse Code] VARCHAR(32), "
    "[Supplier Code] VARCHAR(10), [Usage] VARCHAR(3), [Major1] VARCHAR(6), [Minor1] VARCHAR(6), [Major2] VARCHAR(6), "
    "[Minor2] VARCHAR(6), [Reals1] REAL, [Reals2] REAL, [Reals3] REAL, [Reals4] REAL, [Reals5] REAL, [Reals6] REAL, "
    "[Reals7] REAL, [Reals8] REAL, [Rextra1] REAL, [Rextra2] REAL, [Rextra3] REAL, [Rextra4] REAL, "
    "[Document Index] INTEGER, [Linetype] INTEGER, [Symbol] INTEGER, [Symbol Size] REAL, [Symbol File] INTEGER, "
    "[Colour1] INTEGER, [Colour2] INTEGER, [Default Nozzle] VARCHAR(10), [Item Type] VARCHAR(3), [Flags] INTEGER, "
    "[Order] INTEGER)";

// Makes the table when the file does not hold it yet.
void MakeDatabase(const std::string& file)
{
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        OZUDatabase db;
        db.OpenEx(Connect(file).c_str(), OZUDatabase::noOdbcDialog);
        HSTMT h = SQL_NULL_HSTMT;
        SQLAllocStmt(db.m_hdbc, &h);
        long count = 0;
        SQLLEN ind = 0;
        if (SQL_SUCCEEDED(SQLExecDirect(h, (SQLCHAR*)"SELECT count(*) FROM Components", SQL_NTS)) &&
            SQLFetch(h) == SQL_SUCCESS)
            SQLGetData(h, 1, SQL_C_SLONG, &count, 0, &ind);
        SQLFreeStmt(h, SQL_DROP);
        if (count == kRows)
            return;
        db.Close();
        DeleteFileA(file.c_str());
    }
    std::printf("making %d rows in %s\n", kRows, file.c_str());
    HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(f);
    OZUDatabase db;
    db.OpenEx(Connect(file).c_str(), OZUDatabase::noOdbcDialog);
    db.ExecuteSQL(kCreate);
    db.BeginTrans();
    HSTMT h = SQL_NULL_HSTMT;
    SQLAllocStmt(db.m_hdbc, &h);
    std::string insert = "INSERT INTO Components VALUES (?";
    for (int i = 1; i < 36; ++i)
        insert += ",?";
    insert += ")";
    SQLPrepare(h, (SQLCHAR*)insert.c_str(), SQL_NTS);
    long key = 0, zero = 0, colour = 16777215, order = 10000, flags = 0, linetype = 1;
    unsigned char number = 0;
    float reals[13] = {};
    char description[64], code[32];
    const char* supplier = "SUP01";
    const char* usage = "ABC";
    const char* six = "PE    ";
    const char* ten = "          ";
    const char* three = "   ";
    SQLLEN nts = SQL_NTS;
    auto text = [&](int n, const char* p) {
        SQLBindParameter(h, (SQLUSMALLINT)n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 64, 0, (SQLPOINTER)p, 0, &nts);
    };
    auto whole = [&](int n, long* p) {
        SQLBindParameter(h, (SQLUSMALLINT)n, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, p, 0, nullptr);
    };
    auto single = [&](int n, float* p) {
        SQLBindParameter(h, (SQLUSMALLINT)n, SQL_PARAM_INPUT, SQL_C_FLOAT, SQL_REAL, 0, 0, p, 0, nullptr);
    };
    whole(1, &key);
    whole(2, &zero);
    whole(3, &zero);
    whole(4, &zero);
    SQLBindParameter(h, 5, SQL_PARAM_INPUT, SQL_C_UTINYINT, SQL_TINYINT, 0, 0, &number, 0, nullptr);
    text(6, description);
    text(7, code);
    text(8, supplier);
    text(9, usage);
    for (int n = 10; n <= 13; ++n)
        text(n, six);
    for (int n = 14; n <= 25; ++n)
        single(n, &reals[n - 14]);
    whole(26, &zero);
    whole(27, &linetype);
    whole(28, &zero);
    single(29, &reals[12]);
    whole(30, &zero);
    whole(31, &colour);
    whole(32, &colour);
    text(33, ten);
    text(34, three);
    whole(35, &flags);
    whole(36, &order);
    for (key = 1; key <= kRows; ++key) {
        number = (unsigned char)(key % 25);
        std::snprintf(description, sizeof(description), "Component number %ld", key);
        std::snprintf(code, sizeof(code), "WH%06ld", key);
        for (int i = 0; i < 13; ++i)
            reals[i] = (float)((key * 7 + i * 13) % 1000) / 10.0f;
        if (!SQL_SUCCEEDED(SQLExecute(h))) {
            std::printf("insert failed at row %ld\n", key);
            break;
        }
    }
    SQLFreeStmt(h, SQL_DROP);
    db.CommitTrans();
}

// The 36 columns, bound as the component records bind them.
class CComponentRows : public CRecordset
{
public:
    explicit CComponentRows(CDatabase* pdb) : CRecordset(pdb) { m_nFields = 36; }
    long m_nKey = 0, m_nOld[3] = {}, m_nDocument = 0, m_nLinetype = 0, m_nSymbol = 0, m_nSymbolFile = 0,
         m_nColour[2] = {}, m_nFlags = 0, m_nOrder = 0;
    BYTE m_nNumber = 0;
    CString m_strText[8], m_strNozzle, m_strItemType;
    float m_fReals[8] = {}, m_fRextra[4] = {}, m_fSymbolSize = 0;

    CString GetDefaultSQL() override { return "[Components]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        static const char* const texts[] = {"[Description]", "[Warehouse Code]", "[Supplier Code]", "[Usage]",
                                            "[Major1]",      "[Minor1]",         "[Major2]",        "[Minor2]"};
        static const char* const reals[] = {"[Reals1]", "[Reals2]", "[Reals3]", "[Reals4]",
                                            "[Reals5]", "[Reals6]", "[Reals7]", "[Reals8]"};
        static const char* const extras[] = {"[Rextra1]", "[Rextra2]", "[Rextra3]", "[Rextra4]"};
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[Component Key]", m_nKey);
        RFX_Long(pFX, "[Old id1]", m_nOld[0]);
        RFX_Long(pFX, "[Old id2]", m_nOld[1]);
        RFX_Long(pFX, "[Old id3]", m_nOld[2]);
        RFX_Byte(pFX, "[Database Number]", m_nNumber);
        for (int i = 0; i < 8; ++i)
            RFX_Text(pFX, texts[i], m_strText[i], 255, SQL_VARCHAR, 0);
        for (int i = 0; i < 8; ++i)
            RFX_Single(pFX, reals[i], m_fReals[i]);
        for (int i = 0; i < 4; ++i)
            RFX_Single(pFX, extras[i], m_fRextra[i]);
        RFX_Long(pFX, "[Document Index]", m_nDocument);
        RFX_Long(pFX, "[Linetype]", m_nLinetype);
        RFX_Long(pFX, "[Symbol]", m_nSymbol);
        RFX_Single(pFX, "[Symbol Size]", m_fSymbolSize);
        RFX_Long(pFX, "[Symbol File]", m_nSymbolFile);
        RFX_Long(pFX, "[Colour1]", m_nColour[0]);
        RFX_Long(pFX, "[Colour2]", m_nColour[1]);
        RFX_Text(pFX, "[Default Nozzle]", m_strNozzle, 255, SQL_VARCHAR, 0);
        RFX_Text(pFX, "[Item Type]", m_strItemType, 255, SQL_VARCHAR, 0);
        RFX_Long(pFX, "[Flags]", m_nFlags);
        RFX_Long(pFX, "[Order]", m_nOrder);
    }
};

// Plain ODBC: 36 bound columns, `rowset` rows per SQLFetch, to the end.
// Returns the rows read and a checksum of the keys.
long PlainRead(OZUDatabase& db, SQLULEN rowset, long long& sum)
{
    HSTMT h = SQL_NULL_HSTMT;
    SQLAllocStmt(db.m_hdbc, &h);
    SQLULEN fetched = 0;
    if (rowset > 1) {
        SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)rowset, 0);
        SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    }
    SQLExecDirect(h, (SQLCHAR*)"SELECT * FROM Components", SQL_NTS);
    // Column-wise buffers of `rowset` values each.
    std::vector<long> whole(36 * rowset);
    std::vector<float> real(36 * rowset);
    std::vector<unsigned char> byte(rowset);
    const size_t textSize = 1021;
    std::vector<char> text(36 * rowset * textSize);
    std::vector<SQLLEN> ind(36 * rowset);
    for (int c = 1; c <= 36; ++c) {
        bool isText = (c >= 6 && c <= 13) || c == 33 || c == 34;
        bool isReal = (c >= 14 && c <= 25) || c == 29;
        SQLLEN* pInd = &ind[(c - 1) * rowset];
        if (c == 5)
            SQLBindCol(h, 5, SQL_C_UTINYINT, byte.data(), 1, pInd);
        else if (isText)
            SQLBindCol(h, (SQLUSMALLINT)c, SQL_C_CHAR, &text[(c - 1) * rowset * textSize], textSize, pInd);
        else if (isReal)
            SQLBindCol(h, (SQLUSMALLINT)c, SQL_C_FLOAT, &real[(c - 1) * rowset], 4, pInd);
        else
            SQLBindCol(h, (SQLUSMALLINT)c, SQL_C_SLONG, &whole[(c - 1) * rowset], 4, pInd);
    }
    long rows = 0;
    sum = 0;
    SQLRETURN r;
    while ((r = SQLFetch(h)) == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO) {
        SQLULEN n = rowset > 1 ? fetched : 1;
        for (SQLULEN i = 0; i < n; ++i) {
            ++rows;
            sum += whole[i];
        }
    }
    SQLFreeStmt(h, SQL_DROP);
    return rows;
}

long RecordsetRead(OZUDatabase& db, UINT type, DWORD options, long long& sum, bool& keyed)
{
    CComponentRows rs(&db);
    rs.Open(type, nullptr, options);
    keyed = rs.IsKeyed() != FALSE;
    long rows = 0;
    sum = 0;
    while (!rs.IsEOF()) {
        ++rows;
        sum += rs.m_nKey;
        rs.MoveNext();
    }
    rs.Close();
    return rows;
}

} // namespace

int main()
{
    try {
        std::string folder = HereFolder() + "\\bench_data";
        CreateDirectoryA(folder.c_str(), nullptr);
        std::string file = folder + "\\components.sqlite";
        MakeDatabase(file);

        OZUDatabase db;
        db.OpenEx(Connect(file).c_str(), OZUDatabase::noOdbcDialog);
        const int kRuns = 9;
        long long anchorSum = 0;
        long anchorRows = 0;
        auto rowsetRead = [&] {
            return TimeMs([&] { anchorRows = PlainRead(db, 100, anchorSum); });
        };

        struct
        {
            const char* name;
            UINT type;
            DWORD options;
            double goal;
        } sets[] = {
            {"dynaset (keys kept by the layer)", OZURecordset::dynaset, 0, 1.1},
            {"snapshot, read-only (driver's cursor)", OZURecordset::snapshot, OZURecordset::readOnly, 0},
            {"forward-only", OZURecordset::forwardOnly, 0, 0},
        };
        Print("Reading %d rows of 36 columns, %d runs each, against a plain rowset fetch of 100 rows", kRows, kRuns);
        {
            long long sum = 0;
            long rows = 0;
            Paired p = Interleave(kRuns, [&] { return TimeMs([&] { rows = PlainRead(db, 1, sum); }); }, rowsetRead);
            PrintRatio("plain ODBC, one row per SQLFetch", "rowset fetch", p, 0);
            Expect(anchorRows == kRows, "the rowset fetch read %ld rows", anchorRows);
            Expect(rows == kRows && sum == anchorSum, "the plain fetch read %ld rows", rows);
        }
        for (auto& set : sets) {
            long long sum = 0;
            long rows = 0;
            bool keyed = false;
            Paired p = Interleave(
                kRuns, [&] { return TimeMs([&] { rows = RecordsetRead(db, set.type, set.options, sum, keyed); }); },
                rowsetRead);
            std::string name = std::string("OZURecordset ") + set.name + (keyed ? " [keyed]" : "");
            PrintRatio(name.c_str(), "rowset fetch", p, set.goal);
            Expect(rows == kRows && sum == anchorSum, "%s read %ld rows (key sum %lld of %lld)", set.name, rows, sum,
                   anchorSum);
        }
        return ExitStatus();
    } catch (CException* e) {
        char message[1024] = {};
        e->GetErrorMessage(message, sizeof(message));
        std::printf("failed: %s\n", message);
        e->Delete();
        return 1;
    }
}
