// The dynamic recordset: columns found at run time, described by type, read
// and written as text.
#include "platform/grid/GRDynamicRecordset.h"
#include "tests/support/ScratchDatabase.h"
#include "platform/odbc/ODBCApi.h"

#include <cstring>

using namespace odbctest;
using kvtest::ConnectStringFor;

TEST(OdbcDynamic, ValueKindBySQLType)
{
    struct
    {
        int sqlType;
        int kind;
    } cases[] = {
        {SQL_GUID, AFX_RFX_TEXT},     {SQL_WLONGVARCHAR, AFX_RFX_TEXT}, {SQL_WVARCHAR, AFX_RFX_TEXT},
        {SQL_WCHAR, AFX_RFX_TEXT},    {SQL_BIGINT, AFX_RFX_TEXT},       {SQL_LONGVARCHAR, AFX_RFX_TEXT},
        {SQL_CHAR, AFX_RFX_TEXT},     {SQL_VARCHAR, AFX_RFX_TEXT},      {SQL_NUMERIC, AFX_RFX_TEXT},
        {SQL_DECIMAL, AFX_RFX_TEXT},  {SQL_BIT, AFX_RFX_BOOL},          {SQL_TINYINT, AFX_RFX_BYTE},
        {SQL_SMALLINT, AFX_RFX_INT},  {SQL_INTEGER, AFX_RFX_LONG},      {SQL_REAL, AFX_RFX_SINGLE},
        {SQL_FLOAT, AFX_RFX_DOUBLE},  {SQL_DOUBLE, AFX_RFX_DOUBLE},     {SQL_DATE, AFX_RFX_TIMESTAMP},
        {SQL_TIME, AFX_RFX_TIMESTAMP}, {SQL_TIMESTAMP, AFX_RFX_TIMESTAMP}, {SQL_VARBINARY, AFX_RFX_BINARY},
        {SQL_BINARY, AFX_RFX_BINARY}, {SQL_LONGVARBINARY, AFX_RFX_LONGBINARY}, {SQL_INTERVAL_YEAR, AFX_RFX_NO_TYPE},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.kind, CGRDynamicRecordsetEx::ValueKindForSQLType(c.sqlType)) << c.sqlType;
}

namespace {

std::vector<std::string> AllTypes()
{
    return {"CREATE TABLE AllTypes ([Id] INTEGER PRIMARY KEY, [Small Number] SMALLINT, [Tiny] TINYINT, [Flag] BIT, "
            "[Real Value] DOUBLE, [Name Text] VARCHAR(20), [Memo] TEXT, [Stamp] TIMESTAMP, [Data] BLOB)",
            "INSERT INTO AllTypes VALUES (1, -12, 200, 1, 0.1, 'Ann''s', 'long text', '2021-03-04 05:06:07', "
            "x'00FF10')",
            "INSERT INTO AllTypes ([Id]) VALUES (2)"};
}

} // namespace

TEST(OdbcDynamic, DescribesAndReadsAnySelect)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_dynamic", AllTypes());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CGRDynamicRecordsetEx rs(&db);
        rs.SetSqlQuery("SELECT * FROM AllTypes");
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        ASSERT_EQ(9, rs.GetColumnCount());
        EXPECT_EQ(9u, rs.m_nFields);
        const int kinds[] = {AFX_RFX_LONG,   AFX_RFX_INT,  AFX_RFX_BYTE,      AFX_RFX_BOOL,  AFX_RFX_DOUBLE,
                             AFX_RFX_TEXT,   AFX_RFX_TEXT, AFX_RFX_TIMESTAMP, AFX_RFX_BINARY};
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(kinds[i], rs.GetField(i).m_nValueKind) << i;
        EXPECT_STREQ("[Small Number]", rs.GetField(1).m_strName);
        // A long text column binds at most 32767 characters.
        EXPECT_EQ(32767, rs.m_rgFieldInfos[6].m_nMaxLength);
        EXPECT_EQ(20, rs.m_rgFieldInfos[5].m_nMaxLength);

        CString list;
        rs.FillChoiceList(list, TRUE);
        EXPECT_STREQ("Id\tSmall Number\tTiny\tFlag\tReal Value\tName Text\tMemo\tStamp\tData\n"
                     "1\t-12\t200\t1\t0.1\tAnn's\tlong text\t2021-03-04 05:06:07\t00FF10\n"
                     "2\t\t\t\t\t\t\t\t\n",
                     list);

        // Column numbers are checked.
        EXPECT_EQ(AFX_SQL_ERROR_FIELD_NOT_FOUND, CatchDB([&] { rs.GetField(9); }).code);
        CString text;
        EXPECT_EQ(AFX_SQL_ERROR_FIELD_NOT_FOUND, CatchDB([&] { rs.GetFieldData(-1, text, 0); }).code);

        // Opened again on another SELECT, it describes the new columns.
        rs.Close();
        EXPECT_EQ(0, rs.GetColumnCount());
        // A bare table name has no columns to select before opening.
        EXPECT_EQ(AFX_SQL_ERROR_EMPTY_COLUMN_LIST, CatchDB([&] { rs.Open(CRecordset::snapshot, "AllTypes"); }).code);
        EXPECT_FALSE(rs.IsOpen());
        ASSERT_TRUE(rs.Open(CRecordset::snapshot, "SELECT [Name Text], [Id] * 2 AS Twice FROM AllTypes"));
        ASSERT_EQ(2, rs.GetColumnCount());
        EXPECT_STREQ("[Twice]", rs.GetField(1).m_strName);
        rs.FillChoiceList(list, FALSE);
        EXPECT_STREQ("Ann's\t2\n\t4\n", list);
    });
}

TEST(OdbcDynamic, WritesEveryKindFromText)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_dynamic_write", AllTypes());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        const char* values[] = {"3", "-7", "9", "0", "1.25", "Zoë", "more", "1999-12-31 23:59:58", "0102"};
        {
            CGRDynamicRecordsetEx rs(&db);
            ASSERT_TRUE(rs.Open(CRecordset::dynaset, "SELECT * FROM AllTypes"));
            rs.AddNew();
            for (int i = 0; i < 9; ++i) {
                CString error;
                EXPECT_EQ(1, rs.SetFieldData(i, values[i], &error, 0)) << i << (LPCSTR)error;
            }
            // Text that is not a value of the column is refused with a message.
            CString error;
            EXPECT_EQ(0, rs.SetFieldData(2, "300", &error, 0));
            EXPECT_NE(-1, error.Find("300"));
            EXPECT_EQ(0, rs.SetFieldData(7, "yesterday", &error, 0));
            ASSERT_TRUE(rs.Update());

            // Editing a row: empty text makes a number null.
            rs.MoveFirst();
            rs.Edit();
            EXPECT_EQ(1, rs.SetFieldData(1, "", &error, 0));
            EXPECT_EQ(1, rs.SetFieldData(5, "Bob", &error, 0));
            ASSERT_TRUE(rs.Update());
        }
        CGRDynamicRecordsetEx rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot, "SELECT * FROM AllTypes ORDER BY [Id] DESC"));
        for (int i = 0; i < 9; ++i) {
            CString text;
            rs.GetFieldData(i, text, 1);
            EXPECT_STREQ(values[i], text) << i;
        }
        EXPECT_STREQ("NULL", Scalar(db, "SELECT [Small Number] FROM AllTypes WHERE Id = 1"));
        EXPECT_STREQ("Bob", Scalar(db, "SELECT [Name Text] FROM AllTypes WHERE Id = 1"));
    });
}

// Without a connection the recordset opens one of its own from its connect
// string, and deletes it with itself.
TEST(OdbcDynamic, OpensItsOwnConnectionFromItsConnectString)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_own", AllTypes());
        {
            CGRDynamicRecordsetEx rs(nullptr);
            EXPECT_STREQ("ODBC;", rs.GetDefaultConnect());
            rs.SetConnectString(("ODBC;" + ConnectStringFor(path)).c_str());
            rs.SetSqlQuery("SELECT [Id], [Name Text] FROM AllTypes ORDER BY [Id]");
            ASSERT_TRUE(rs.Open(CRecordset::dynaset));
            ASSERT_NE(nullptr, rs.m_pDatabase);
            EXPECT_TRUE(rs.m_pDatabase->IsOpen());
            CString list;
            rs.FillChoiceList(list, FALSE);
            EXPECT_STREQ("1\tAnn's\n2\t\n", list);
        }
        EXPECT_EQ(0, AfxGetDbState()->m_nAllocatedConnections);
    });
}

namespace {

// A driver that describes two text columns as NUMERIC(10, 2) and GUID.
SQLRETURN SQL_API RetypingDescribe(SQLHSTMT hstmt, SQLUSMALLINT column, SQLCHAR* name, SQLSMALLINT size,
                                   SQLSMALLINT* length, SQLSMALLINT* type, SQLULEN* precision, SQLSMALLINT* scale,
                                   SQLSMALLINT* nullable)
{
    SQLRETURN r = OdbcRealApi().DescribeCol(hstmt, column, name, size, length, type, precision, scale, nullable);
    if (strcmp((const char*)name, "Amount") == 0) {
        *type = SQL_NUMERIC;
        *precision = 10;
        *scale = 2;
    } else if (strcmp((const char*)name, "Guid") == 0) {
        *type = SQL_GUID;
        *precision = 36;
    }
    return r;
}

} // namespace

// NUMERIC and DECIMAL columns are read as text two characters longer than
// their precision (sign and decimal point); a GUID column is read as VARCHAR,
// in its description and in the recordset's column information alike.
TEST(OdbcDynamic, NumericAndGuidColumnsAreText)
{
    Guarded([] {
        std::string path = MakeDatabase(
            "odbc_dynamic_numeric",
            {"CREATE TABLE Money ([Amount] VARCHAR(20), [Guid] VARCHAR(40))",
             "INSERT INTO Money VALUES ('-1234567.89', '0F8FAD5B-D9CB-469F-A165-70867728950E')"});
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        OdbcApiOverride restore;
        g_odbc.DescribeCol = &RetypingDescribe;
        CGRDynamicRecordsetEx rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot, "SELECT [Amount], [Guid] FROM Money", CRecordset::readOnly));
        ASSERT_EQ(2, rs.GetColumnCount());
        EXPECT_EQ(AFX_RFX_TEXT, rs.GetField(0).m_nValueKind);
        EXPECT_EQ(12u, rs.GetField(0).m_nPrecision);
        EXPECT_EQ(2, rs.GetField(0).m_nScale);
        EXPECT_EQ(12, rs.m_rgFieldInfos[0].m_nMaxLength);
        EXPECT_EQ(SQL_VARCHAR, rs.GetField(1).m_nSQLType);
        EXPECT_EQ(SQL_VARCHAR, rs.m_rgODBCFieldInfos[1].m_nSQLType);
        CString text;
        rs.GetFieldData(0, text, 1);
        EXPECT_STREQ("-1234567.89", text);
        rs.GetFieldData(1, text, 1);
        EXPECT_STREQ("0F8FAD5B-D9CB-469F-A165-70867728950E", text);
    });
}

// An Access 2007 file read through the dynamic recordset: every row, and a
// refused write that leaves the file as it was.
TEST(OdbcAccess, AccessTwentyOhSevenFileReadsAllRows)
{
    Guarded([] {
        std::string file = kvtest::DataPath("access/ASampleDatabase.accdb");
        std::string before = FileBytes(file);
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(ConnectStringFor(file).c_str(), CDatabase::noOdbcDialog));
        CGRDynamicRecordsetEx rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset, "SELECT * FROM [Asset Items]"));
        EXPECT_GT(rs.GetColumnCount(), 1);
        int rows = 0;
        while (!rs.IsEOF()) {
            ++rows;
            rs.MoveNext();
        }
        EXPECT_EQ(65, rows);
        EXPECT_EQ(AFX_SQL_ERROR_RECORDSET_READONLY, CatchDB([&] { rs.AddNew(); }).code);
        rs.Close();
        db.Close();
        EXPECT_TRUE(before == FileBytes(file));
    });
}
