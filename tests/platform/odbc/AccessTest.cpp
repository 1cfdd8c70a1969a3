// Real Access files open read-only through the MDB Tools driver; every write
// is refused with a clear message and leaves the file as it was.
#include "tests/support/ScratchDatabase.h"

using namespace odbctest;
using kvtest::ConnectStringFor;

namespace {

class CCustomers : public CRecordset
{
public:
    explicit CCustomers(CDatabase* pdb) : CRecordset(pdb)
    {
        m_nFields = 3;
        m_nDefaultType = dynaset;
    }
    CString m_strID, m_strCompany, m_strCity;
    CString GetDefaultSQL() override { return "[Customers]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Text(pFX, "[CustomerID]", m_strID);
        RFX_Text(pFX, "[CompanyName]", m_strCompany);
        RFX_Text(pFX, "[City]", m_strCity);
    }
};

} // namespace

TEST(OdbcAccess, NorthwindCustomersReadOnly)
{
    Guarded([] {
        std::string file = kvtest::DataPath("access/nwind.mdb");
        std::string before = FileBytes(file);
        ASSERT_FALSE(before.empty());
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(ConnectStringFor(file).c_str(), CDatabase::noOdbcDialog));
        EXPECT_FALSE(db.CanUpdate());
        EXPECT_FALSE(db.IsSQLite());
        EXPECT_NE(-1, db.GetReadOnlyReason().Find("read-only"));

        CCustomers rs(&db);
        ASSERT_TRUE(rs.Open());
        EXPECT_FALSE(rs.CanUpdate());
        EXPECT_FALSE(rs.CanAppend());
        int rows = 0;
        CString anatrCity, anatrCompany;
        while (!rs.IsEOF()) {
            ++rows;
            if (rs.m_strID == "ANATR") {
                anatrCity = rs.m_strCity;
                anatrCompany = rs.m_strCompany;
            }
            rs.MoveNext();
        }
        EXPECT_EQ(91, rows);
        EXPECT_STREQ("México D.F.", anatrCity);
        EXPECT_STREQ("Ana Trujillo Emparedados y helados", anatrCompany);

        // It scrolls both ways.
        rs.MoveLast();
        CString last = rs.m_strID;
        rs.MovePrev();
        EXPECT_NE(last, rs.m_strID);
        rs.MoveFirst();
        EXPECT_STREQ("ALFKI", rs.m_strID);

        // Writes are refused, with the reason.
        DbError add = CatchDB([&] { rs.AddNew(); });
        EXPECT_EQ(AFX_SQL_ERROR_RECORDSET_READONLY, add.code);
        EXPECT_NE(-1, add.message.Find("Access")) << (LPCSTR)add.message;
        EXPECT_EQ(AFX_SQL_ERROR_RECORDSET_READONLY, CatchDB([&] { rs.Edit(); }).code);
        EXPECT_EQ(AFX_SQL_ERROR_RECORDSET_READONLY, CatchDB([&] { rs.Delete(); }).code);
        for (const char* sql : {"UPDATE Customers SET City = 'x' WHERE CustomerID = 'ANATR'",
                                "DELETE FROM Customers", "INSERT INTO Customers (CustomerID) VALUES ('ZZZZZ')",
                                "ALTER TABLE Customers ALTER COLUMN [City] Text(32)", "DROP TABLE Customers"}) {
            DbError e = CatchDB([&] { db.ExecuteSQL(sql); });
            EXPECT_EQ(AFX_SQL_ERROR_READONLY_DATABASE, e.code) << sql;
            EXPECT_NE(-1, e.message.Find("read-only")) << (LPCSTR)e.message;
        }
        // Reading through ExecuteSQL is allowed.
        db.ExecuteSQL("SELECT * FROM Customers");
        rs.Close();
        db.Close();
        EXPECT_TRUE(before == FileBytes(file));
    });
}

TEST(OdbcAccess, ValuesAreReadWithoutBoundColumns)
{
    Guarded([] {
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(ConnectStringFor(kvtest::DataPath("access/nwind.mdb")).c_str(), CDatabase::noOdbcDialog));
        CRecordset count(&db);
        count.Open(CRecordset::forwardOnly, "SELECT COUNT(*) FROM Customers", CRecordset::readOnly);
        ASSERT_FALSE(count.IsEOF());
        CString value;
        count.GetFieldValue((short)0, value);
        EXPECT_STREQ("91", value);
        count.Close();

        // Several columns, moved through, by index and by name; a null.
        CRecordset rows(&db);
        rows.Open(CRecordset::forwardOnly, "SELECT CustomerID, City, Region FROM Customers",
                  CRecordset::readOnly);
        ASSERT_FALSE(rows.IsEOF());
        rows.GetFieldValue((short)0, value);
        EXPECT_STREQ("ALFKI", value);
        rows.GetFieldValue("City", value);
        EXPECT_STREQ("Berlin", value);
        rows.GetFieldValue("Region", value);
        EXPECT_STREQ("", value);
        rows.MoveNext();
        rows.GetFieldValue((short)1, value);
        EXPECT_STREQ("México D.F.", value);
        int n = 2;
        for (rows.MoveNext(); !rows.IsEOF(); rows.MoveNext())
            ++n;
        EXPECT_EQ(91, n);
        rows.Close();

        // A null in a bound column reads as null, not as the row before's.
        CCustomers bound(&db);
        bound.m_strFilter = "CustomerID = 'ANTON' OR CustomerID = 'ALFKI'";
        ASSERT_TRUE(bound.Open(CRecordset::forwardOnly, "SELECT CustomerID, Region, City FROM Customers"));
        int nulls = 0;
        for (; !bound.IsEOF(); bound.MoveNext(), ++nulls) {
            EXPECT_TRUE(bound.IsFieldNull(&bound.m_strCompany)) << (LPCSTR)bound.m_strID;
            EXPECT_STREQ("", bound.m_strCompany) << (LPCSTR)bound.m_strID;
        }
        EXPECT_EQ(2, nulls);
        bound.Close();
        db.Close();
    });
}

// Access "Single" columns, which the driver describes as 4-byte FLOATs and
// fills with 4 bytes whatever is asked for, are described as singles and
// read as their values.
TEST(OdbcAccess, SinglesReadAsTheyAre)
{
    class CDiscounts : public CRecordset
    {
    public:
        explicit CDiscounts(CDatabase* pdb) : CRecordset(pdb) { m_nFields = 1; }
        float m_fDiscount = -1;
        CString GetDefaultSQL() override { return "SELECT [Discount] FROM [Order Details]"; }
        void DoFieldExchange(CFieldExchange* pFX) override
        {
            pFX->SetFieldType(CFieldExchange::outputColumn);
            RFX_Single(pFX, "[Discount]", m_fDiscount);
        }
    };
    Guarded([] {
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(ConnectStringFor(kvtest::DataPath("access/nwind.mdb")).c_str(),
                              CDatabase::noOdbcDialog));
        CDiscounts discounts(&db);
        ASSERT_TRUE(discounts.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly));
        CODBCFieldInfo info;
        discounts.GetODBCFieldInfo((short)0, info);
        EXPECT_EQ(SQL_REAL, info.m_nSQLType);
        // The first discount given is 15 %.
        while (!discounts.IsEOF() && discounts.m_fDiscount == 0.0f)
            discounts.MoveNext();
        ASSERT_FALSE(discounts.IsEOF());
        EXPECT_EQ(0.15f, discounts.m_fDiscount);
        discounts.Close();
        db.Close();
    });
}
