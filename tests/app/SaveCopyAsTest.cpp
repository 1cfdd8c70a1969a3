// Save Copy As: by file where the formats match, table by table (the nine
// tables, every value exact) otherwise, from an Access database into SQLite,
// and the copies it refuses.
#include "app/AppRes.h"
#include "tests/app/DocumentFixture.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using doctest::DocumentFixture;
using doctest::Exists;
using doctest::FilesStartingWith;
using doctest::ReadRows;
using doctest::Rows;
using doctest::SameBytes;
using doctest::SameRows;
using kvtest::FileBytes;

namespace {

class SaveCopyAsTest : public DocumentFixture
{
protected:
    // Values a copy through text could get wrong: NULLs beside empty texts,
    // single-precision values to their last bit (the smallest and largest
    // there are), quotes and non-ASCII text, blanks at the end, and keys
    // with gaps and far from the others.
    void AddHardValues(const std::string& path)
    {
        kvtest::RunSqlOn(path,
                         "UPDATE Components SET [Reals3] = NULL WHERE [Component Key] % 3 = 0;\n"
                         "UPDATE Components SET [Supplier Code] = NULL WHERE [Component Key] % 4 = 0;\n"
                         "UPDATE Components SET [Supplier Code] = '' WHERE [Component Key] % 4 = 1;\n"
                         "UPDATE Components SET [Reals4] = 0.100000001490116119384765625, "
                         "[Reals5] = 3.4028234663852886e38, [Reals6] = 1.401298464324817e-45, "
                         "[Reals7] = -2.5, [Major1] = 'AB    ' WHERE [Component Key] % 5 = 0;\n"
                         "UPDATE Components SET [Description] = 'O''Brien Düse Ø 20 mm – ½\"' "
                         "WHERE [Component Key] = (SELECT MIN([Component Key]) FROM Components);\n"
                         "DELETE FROM Components WHERE [Component Key] % 7 = 3;\n"
                         "INSERT INTO Components ([Component Key], [Description], [Reals1]) "
                         "VALUES (2000000000, 'Far key', NULL);\n"
                         "UPDATE Assemblies SET [Number/Length] = 0.333333343267440796 WHERE rowid % 2 = 0;\n");
    }
};

} // namespace

// Between formats the nine tables are copied one by one into a database made
// from the target format's skeleton; the copy holds exactly the rows of the
// source, keys, NULLs and single-precision values included.
TEST_F(SaveCopyAsTest, BetweenFormatsEveryRowIsCopiedExactly)
{
    // A SQLite database under another extension: a different format as far
    // as the names go, so the copy goes table by table.
    const std::string source = m_data + "Parts.db";
    ASSERT_TRUE(::MoveFileA(m_database.c_str(), source.c_str()));
    AddHardValues(source);
    const std::string target = m_dir + "\\Copy.sqlite";
    kvtest::MessageBoxWatcher boxes;
    CKelvaronDoc doc;
    ASSERT_TRUE(doc.OpenDatabase(source.c_str(), FALSE));
    EXPECT_TRUE(doc.SaveCopyAs(target.c_str()));
    EXPECT_TRUE(boxes.Texts().empty());
    for (const char* table : CKelvaronDoc::kCopiedTables) {
        SCOPED_TRACE(table);
        const std::string sql = std::string("SELECT * FROM ") + table + " ORDER BY rowid";
        const Rows rows = ReadRows(source, sql);
        std::string why;
        // The SQLite driver writes reals to 15 digits: single-precision
        // values, which are all the program keeps, come through exactly.
        EXPECT_TRUE(SameRows(rows, ReadRows(target, sql), &why, true)) << why;
        // Every table of the sample has rows.
        EXPECT_FALSE(rows.empty());
    }
    EXPECT_EQ(kvtest::QueryRows(source, "SELECT COUNT(*) FROM Components WHERE [Supplier Code] IS NULL"),
              kvtest::QueryRows(target, "SELECT COUNT(*) FROM Components WHERE [Supplier Code] IS NULL"));
    // The copy is a database of its own that can be written, whose new
    // components get keys after the copied ones.
    CDatabase copy;
    copy.OpenEx(kvtest::ConnectStringFor(target).c_str(), CDatabase::noOdbcDialog);
    EXPECT_TRUE(copy.CanUpdate());
    copy.ExecuteSQL("INSERT INTO Components ([Description]) VALUES ('New')");
    EXPECT_EQ("2000000001", kvtest::QueryText(copy, "SELECT [Component Key] FROM Components WHERE [Description] = 'New'"));
    copy.Close();
    // Nothing else is left beside the copy; the source is as it was.
    EXPECT_EQ(std::vector<std::string>{"Copy.sqlite"}, FilesStartingWith(m_dir, ""));
    EXPECT_TRUE(doc.CloseRestoringBackup());
}

// The rows of an Access database, which this machine can only read, go into
// a SQLite database with their values: currency and single-precision
// numbers, NULLs and non-ASCII text.
TEST_F(SaveCopyAsTest, AccessTablesCopyIntoSqlite)
{
    const std::string access = m_data + "Northwind.mdb";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::DataPath("access/nwind.mdb"), access));
    const std::string target = odbctest::MakeDatabase(
        kvtest::TestName() + "_target",
        {"CREATE TABLE [Order Details] ([OrderID] INTEGER, [ProductID] INTEGER, [UnitPrice] DOUBLE, "
         "[Quantity] INTEGER, [Discount] REAL)",
         "CREATE TABLE [Customers] ([CustomerID] VARCHAR(5), [CompanyName] VARCHAR(40), [ContactName] VARCHAR(30), "
         "[ContactTitle] VARCHAR(30), [Address] VARCHAR(60), [City] VARCHAR(15), [Region] VARCHAR(15), "
         "[PostalCode] VARCHAR(10), [Country] VARCHAR(15), [Phone] VARCHAR(24), [Fax] VARCHAR(24))",
         "INSERT INTO [Customers] ([CustomerID]) VALUES ('GONE')"});
    kvtest::MessageBoxWatcher boxes;
    odbctest::Guarded([&] {
        CDatabase from, to;
        from.OpenEx(kvtest::ConnectStringFor(access).c_str(), CDatabase::noOdbcDialog);
        to.OpenEx(kvtest::ConnectStringFor(target).c_str(), CDatabase::noOdbcDialog);
        for (const char* table : {"[Order Details]", "Customers"}) {
            SCOPED_TRACE(table);
            EXPECT_TRUE(CKelvaronDoc::CopyTable(&from, &to, table));
            const std::string sql = std::string("SELECT * FROM ") + table;
            const Rows source = ReadRows(from, sql), copied = ReadRows(to, sql);
            EXPECT_GT(source.size(), 80u);
            std::string why;
            EXPECT_TRUE(SameRows(source, copied, &why)) << why;
        }
        // NULLs stayed NULL (the Customers rows without a region).
        size_t nulls = 0;
        for (const std::vector<doctest::Cell>& row : ReadRows(from, "SELECT [Region] FROM Customers"))
            nulls += row[0].null ? 1 : 0;
        EXPECT_GT(nulls, 0u);
        EXPECT_EQ(std::to_string(nulls), kvtest::QueryText(to, "SELECT COUNT(*) FROM Customers WHERE Region IS NULL"));
        to.Close();
        from.Close();
    });
    EXPECT_TRUE(boxes.Texts().empty());
}

// A table whose values have no place in the target is not copied, and says
// so; the target's table stays as it was.
TEST_F(SaveCopyAsTest, TableWithoutPlaceForItsValuesIsNotCopied)
{
    const std::string from = odbctest::MakeDatabase(
        kvtest::TestName() + "_from", {"CREATE TABLE [Symbols] ([Key] INTEGER, [Name] VARCHAR(50), [Extra] INTEGER)",
                                       "INSERT INTO [Symbols] VALUES (1, 'Valve', 7)"});
    const std::string to = odbctest::MakeDatabase(
        kvtest::TestName() + "_to", {"CREATE TABLE [Symbols] ([Key] INTEGER, [Name] VARCHAR(50))",
                                     "INSERT INTO [Symbols] VALUES (5, 'Kept')"});
    kvtest::MessageBoxWatcher boxes;
    odbctest::Guarded([&] {
        CDatabase source, target;
        source.OpenEx(kvtest::ConnectStringFor(from).c_str(), CDatabase::noOdbcDialog);
        target.OpenEx(kvtest::ConnectStringFor(to).c_str(), CDatabase::noOdbcDialog);
        EXPECT_FALSE(CKelvaronDoc::CopyTable(&source, &target, "Symbols"));
        target.Close();
        source.Close();
    });
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("The table Symbols was not copied")) << boxes.Texts()[0];
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("[Extra]")) << boxes.Texts()[0];
    EXPECT_EQ("5,Kept", kvtest::QueryRows(to, "SELECT * FROM Symbols"));
}

// In the same format the file is copied (the extension's case does not
// matter), replacing a file the user agreed to replace; the open database
// and its backup are never overwritten.
TEST_F(SaveCopyAsTest, SameFormatCopiesTheFile)
{
    kvtest::MessageBoxWatcher boxes;
    CKelvaronDoc doc;
    ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
    ChangeFirstDescription(doc, "In the copy");
    const std::string target = m_dir + "\\Copy.SQLITE";
    ASSERT_TRUE(kvtest::CopyFileTo(m_program + "Database\\Skeleton.sqlite", target));
    EXPECT_TRUE(doc.SaveCopyAs(target.c_str()));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(SameBytes(FileBytes(m_database), FileBytes(target)));
    EXPECT_EQ("In the copy", FirstDescription(target));

    const std::string backup = BackupOf(m_database);
    const std::string database = FileBytes(m_database), copy = FileBytes(backup);
    for (const std::string& refused : {m_database, backup}) {
        EXPECT_FALSE(doc.SaveCopyAs(refused.c_str()));
        ASSERT_FALSE(boxes.Texts().empty());
        EXPECT_EQ(LoadText(IDS_SAVE_COPY_FAILED).str(), boxes.Texts().back());
    }
    EXPECT_TRUE(SameBytes(database, FileBytes(m_database)));
    EXPECT_TRUE(SameBytes(copy, FileBytes(backup)));
    EXPECT_TRUE(doc.CloseKeepingChanges());
}

// Formats this machine has no skeleton for, and ".mdb" to ".accdb", are
// refused with their messages and nothing is written.
TEST_F(SaveCopyAsTest, CopiesThatCannotBeMadeAreTold)
{
    kvtest::MessageBoxWatcher boxes;
    {
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        EXPECT_FALSE(doc.SaveCopyAs((m_dir + "\\Copy.accdb").c_str()));
        ASSERT_FALSE(boxes.Texts().empty());
        EXPECT_EQ("Failed to save database.\n\nSkeleton template does not exist.", boxes.Texts().back());
        EXPECT_TRUE(doc.CloseKeepingChanges());
    }
    // A component database named as an Access file.
    const std::string access = m_data + "Parts.mdb";
    ASSERT_TRUE(kvtest::CopyFileTo(m_database, access));
    CKelvaronDoc doc;
    ASSERT_TRUE(doc.OpenDatabase(access.c_str(), FALSE));
    EXPECT_FALSE(doc.SaveCopyAs((m_dir + "\\Copy.accdb").c_str()));
    EXPECT_EQ("Cannot save in accdb format in Quorvex Standalone.", boxes.Texts().back());
    EXPECT_TRUE(doc.CloseRestoringBackup());
    EXPECT_FALSE(Exists(m_dir + "\\Copy.accdb"));
}
