// The translated Access SQL on a real SQLite database.
#include "tests/support/ScratchDatabase.h"

using namespace odbctest;
using kvtest::ConnectStringFor;

namespace {

class CValues : public CRecordset
{
public:
    explicit CValues(CDatabase* pdb) : CRecordset(pdb)
    {
        m_nFields = 2;
        m_nDefaultType = dynaset;
    }
    long m_nId = 0;
    float m_fValue = 0;
    CString GetDefaultSQL() override { return "[Nums]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[Id]", m_nId);
        RFX_Single(pFX, "[Value]", m_fValue);
    }
};

// Opens with a filter; true when a row matches.
bool Finds(CDatabase& db, const char* filter)
{
    CValues rs(&db);
    rs.m_strFilter = filter;
    rs.Open();
    return !rs.IsEOF();
}

} // namespace

TEST(OdbcTranslation, SinglesWrittenAreFoundByTheirCSngFilter)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_csng", {"CREATE TABLE Nums ([Id] INTEGER PRIMARY KEY, [Value] REAL)"});
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        const float values[] = {0.1f, 1.0f / 3.0f, 123.456f, 2.5f};
        {
            CValues rs(&db);
            rs.Open();
            for (float v : values) {
                rs.AddNew();
                rs.m_fValue = v;
                rs.Update();
            }
        }
        for (float v : values) {
            char filter[128];
            snprintf(filter, sizeof(filter), "[Value] = CSng('%.10f')", (double)v);
            EXPECT_TRUE(Finds(db, filter)) << filter;
        }
        // The unrounded literal misses the stored single: the rounding matters.
        EXPECT_FALSE(Finds(db, "[Value] = CDbl('0.1000000000')"));
        EXPECT_TRUE(Finds(db, "[Value] = CDbl('2.5000')"));
        EXPECT_TRUE(Finds(db, "[Id] = Val('2')"));
        EXPECT_FALSE(Finds(db, "[Id] = Val('9')"));
    });
}

TEST(OdbcTranslation, AlterColumnRebuildsTheTable)
{
    Guarded([] {
        std::string path = MakeDatabase(
            "odbc_alter",
            {"CREATE TABLE Components ([Component Key] INTEGER PRIMARY KEY, [Description] VARCHAR(64), "
             "[Warehouse Code] VARCHAR(50) DEFAULT 'none', [Flags] INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX ByCode ON Components ([Warehouse Code])",
             "INSERT INTO Components VALUES (1, 'One', 'A-1', 0)",
             "INSERT INTO Components VALUES (7, 'Seven', 'A long warehouse code of forty characters!', 2)"});
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        auto width = [&] {
            CRecordset rs(&db);
            rs.Open(CRecordset::snapshot, "SELECT [Warehouse Code] FROM Components", CRecordset::readOnly);
            CODBCFieldInfo info;
            rs.GetODBCFieldInfo((short)0, info);
            return (int)info.m_nPrecision;
        };
        EXPECT_EQ(50, width());
        db.ExecuteSQL("ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(32)");
        EXPECT_EQ(32, width());
        // Nothing is lost: rows, the longer text, the index, defaults and the key.
        EXPECT_STREQ("2", Scalar(db, "SELECT count(*) FROM Components"));
        EXPECT_STREQ("A long warehouse code of forty characters!",
                     Scalar(db, "SELECT [Warehouse Code] FROM Components WHERE [Component Key] = 7"));
        EXPECT_STREQ("1", Scalar(db, "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = 'ByCode'"));
        db.ExecuteSQL("INSERT INTO Components ([Description]) VALUES ('Eight')");
        EXPECT_STREQ("8", Scalar(db, "SELECT [Component Key] FROM Components WHERE Description = 'Eight'"));
        EXPECT_STREQ("none", Scalar(db, "SELECT [Warehouse Code] FROM Components WHERE Description = 'Eight'"));
        // The rebuilt table's text columns compare without regard to case.
        EXPECT_STREQ("1", Scalar(db, "SELECT count(*) FROM Components C1, Components C2 WHERE "
                                     "C1.[Description] = UPPER(C2.[Description]) AND C1.[Component Key] = 1"));

        // A failing alteration leaves the table as it was.
        EXPECT_NE(0, CatchDB([&] { db.ExecuteSQL("ALTER TABLE Components ALTER COLUMN [Nothing] Text(32)"); }).code);
        EXPECT_NE(0, CatchDB([&] { db.ExecuteSQL("ALTER TABLE Nowhere ALTER COLUMN [Flags] Long"); }).code);
        EXPECT_EQ(32, width());
        EXPECT_STREQ("3", Scalar(db, "SELECT count(*) FROM Components"));
    });
}

TEST(OdbcTranslation, TextLiteralsCompareWithoutRegardToCaseOnAnyDatabase)
{
    Guarded([] {
        // A database whose columns compare with case, as made before.
        std::string path = MakeDatabase("odbc_nocase", {"CREATE TABLE Symbols ([Key] INTEGER, [Name] VARCHAR(50))",
                                                        "INSERT INTO Symbols VALUES (1, 'Gate Valve')",
                                                        "INSERT INTO Symbols VALUES (2, 'Øre')"});
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        struct
        {
            const char* where;
            const char* count;
        } cases[] = {
            {"[Name] = 'gate valve'", "1"},
            {"RTRIM([Name]) = 'GATE VALVE'", "1"},
            {"'gate VALVE' = [Name]", "1"},
            {"[Name] <> 'gate valve'", "1"},
            {"[Name] = 'gate valve' COLLATE BINARY", "0"},
            {"[Name] LIKE 'gate%'", "1"},
            {"[Name] = 'Øre'", "1"},
        };
        for (const auto& c : cases) {
            CString sql = CString("SELECT count(*) FROM Symbols WHERE ") + c.where;
            CRecordset rs(&db);
            rs.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
            CString value;
            rs.GetFieldValue((short)0, value);
            rs.Close();
            EXPECT_STREQ(c.count, value) << c.where;
        }
    });
}
