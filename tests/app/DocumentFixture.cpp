#include "tests/app/DocumentFixture.h"
#include "platform/grid/GRODBCGrid.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>

namespace doctest {

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        at++;
    return ::testing::AssertionFailure() << "contents differ: " << expected.size() << " and " << actual.size()
                                         << " bytes, first difference at byte " << at;
}

std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA((folder + "\\" + prefix + "*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return names;
}

Rows ReadRows(CDatabase& db, const std::string& sql)
{
    Rows rows;
    CGRDynamicRecordset rs(&db);
    rs.SetSqlQuery(sql.c_str());
    rs.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::readOnly);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::vector<Cell> row;
        for (int i = 0; i < rs.GetColumnCount(); i++) {
            CString text;
            Cell cell;
            cell.null = rs.GetFieldData(i, text, 0) == 0;
            cell.text = text.str();
            row.push_back(cell);
        }
        rows.push_back(row);
    }
    rs.Close();
    return rows;
}

Rows ReadRows(const std::string& path, const std::string& sql)
{
    CDatabase db;
    db.OpenEx(kvtest::ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
    Rows rows = ReadRows(db, sql);
    db.Close();
    return rows;
}

namespace {

bool AsNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0';
}

} // namespace

bool SameRows(const Rows& a, const Rows& b, std::string* pWhy, bool bSingles)
{
    auto why = [&](const std::string& text) {
        if (pWhy != nullptr)
            *pWhy = text;
        return false;
    };
    if (a.size() != b.size())
        return why("row counts " + std::to_string(a.size()) + " and " + std::to_string(b.size()));
    for (size_t r = 0; r < a.size(); r++) {
        if (a[r].size() != b[r].size())
            return why("row " + std::to_string(r) + ": column counts differ");
        for (size_t c = 0; c < a[r].size(); c++) {
            const Cell& x = a[r][c];
            const Cell& y = b[r][c];
            double dx = 0, dy = 0;
            bool same = x.null == y.null &&
                        (x.null || x.text == y.text ||
                         (AsNumber(x.text, dx) && AsNumber(y.text, dy) &&
                          (bSingles ? (float)dx == (float)dy : dx == dy)));
            if (!same)
                return why("row " + std::to_string(r) + " column " + std::to_string(c) + ": " +
                           (x.null ? "NULL" : "'" + x.text + "'") + " and " + (y.null ? "NULL" : "'" + y.text + "'"));
        }
    }
    return true;
}

void MakeProgramFolders(const std::string& dir, std::string& program, std::string& data)
{
    program = dir + "\\program\\";
    data = dir + "\\data\\";
    ::CreateDirectoryA(program.c_str(), nullptr);
    ::CreateDirectoryA((program + "Database").c_str(), nullptr);
    ::CreateDirectoryA(data.c_str(), nullptr);
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Skeleton.sqlite"),
                                   program + "Database\\Skeleton.sqlite"));
}

void DocumentFixture::SetUp()
{
    m_dir = kvtest::ScratchDir(kvtest::TestName());
    MakeProgramFolders(m_dir, m_program, m_data);
    m_database = m_data + "Parts.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_database));
    m_app = std::make_unique<FolderApp>();
    m_app->SetFolders(m_program, m_data + "QUORVEX.MDB");
}

void DocumentFixture::ChangeFirstDescription(CKelvaronDoc& doc, const std::string& text)
{
    ASSERT_NE(nullptr, doc.GetDatabase());
    doc.GetDatabase()->ExecuteSQL(("UPDATE Components SET [Description] = '" + text +
                                   "' WHERE [Component Key] = (SELECT MIN([Component Key]) FROM Components)")
                                      .c_str());
}

std::string DocumentFixture::FirstDescription(const std::string& path)
{
    Rows rows = ReadRows(path, "SELECT TOP 1 [Description] FROM Components ORDER BY [Component Key]");
    return rows.empty() ? std::string("<none>") : rows[0][0].text;
}

std::string DocumentFixture::BackupOf(const std::string& path) const
{
    size_t slash = path.find_last_of('\\');
    return path.substr(0, slash + 1) + "~" + path.substr(slash + 1);
}

} // namespace doctest
