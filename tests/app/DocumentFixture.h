// Documents on scratch databases: an application object whose program folder
// (with its Database\Skeleton.sqlite) and default database folder lie in the
// test's scratch folder, a copy of the sample database to open, and helpers
// that read database files.
#pragma once

#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace doctest {

// The application object with the folders chosen by the test (nothing of it
// is started).
class FolderApp : public CKelvaronApp
{
public:
    void SetFolders(const std::string& root, const std::string& defaultDatabase)
    {
        m_strRootPath = root.c_str();
        m_strDefaultDatabasePath = defaultDatabase.c_str();
    }
};

bool Exists(const std::string& path);
// Whether two files hold the same bytes (a failure shows their sizes, not
// their bytes).
::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual);
// The files (not folders) of a folder whose names begin with the prefix.
std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix);

// One value of a table: NULL, or its text.
struct Cell
{
    bool null = true;
    std::string text;
};
using Rows = std::vector<std::vector<Cell>>;
// The rows of a query, each value with its type kept as the layer reads it.
Rows ReadRows(CDatabase& db, const std::string& sql);
Rows ReadRows(const std::string& path, const std::string& sql);
// Equal rows: NULL only equals NULL; values that both read as numbers are
// compared as numbers (an Access currency "9.8000" equals 9.8), with
// bSingles as the single-precision values the program keeps in its real
// columns; others as text. The first difference is described in *pWhy.
bool SameRows(const Rows& a, const Rows& b, std::string* pWhy, bool bSingles = false);

// A scratch folder laid out as the program sees it: dir\program\ (the
// program folder, with Database\Skeleton.sqlite) and dir\data\ (the
// default database's folder); both paths end in a backslash.
void MakeProgramFolders(const std::string& dir, std::string& program, std::string& data);

class DocumentFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // Changes the description of the first component through the document's
    // connection; the first description of a database file.
    static void ChangeFirstDescription(CKelvaronDoc& doc, const std::string& text);
    static std::string FirstDescription(const std::string& path);
    // "~" + the name of the database, beside it.
    std::string BackupOf(const std::string& path) const;

    std::unique_ptr<FolderApp> m_app;
    std::string m_dir;       // the test's scratch folder
    std::string m_program;   // the program folder, ending in a backslash
    std::string m_data;      // the default database's folder, ending in a backslash
    std::string m_database;  // a copy of the sample database in it
};

} // namespace doctest
