#include "tests/support/MergeFixture.h"

#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace mergetest {

int TestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    prompts.push_back(lpszPrompt != nullptr ? lpszPrompt : "");
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    UINT buttons = nType & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDNO : IDOK;
}

void RunSql(CDatabase& db, const std::string& sql)
{
    std::istringstream in(sql);
    std::string line, statement;
    bool inTrigger = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (statement.empty() && (line.empty() || line.rfind("--", 0) == 0))
            continue;
        statement += line + "\n";
        if (line.rfind("CREATE TRIGGER", 0) == 0)
            inTrigger = true;
        bool ends = !line.empty() && line.back() == ';';
        if (inTrigger)
            ends = line == "END;";
        if (ends) {
            statement.pop_back();
            statement.pop_back();  // the ";"
            db.ExecuteSQL(statement.c_str());
            statement.clear();
            inTrigger = false;
        }
    }
}

void RunSqlOn(const std::string& path, const std::string& sql)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog));
    try {
        RunSql(db, sql);
    } catch (CException* e) {
        char message[1024] = {};
        e->GetErrorMessage(message, sizeof(message));
        e->Delete();
        ADD_FAILURE() << "fixture SQL failed: " << message;
    }
    db.Close();
}

std::string QueryRows(const std::string& path, const std::string& sql)
{
    CDatabase db;
    if (!db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog))
        return "<cannot open>";
    std::string rows;
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::readOnly);
    for (bool first = true; !rs.IsEOF(); rs.MoveNext(), first = false) {
        if (!first)
            rows += ";";
        for (short i = 0; i < rs.GetODBCFieldCount(); ++i) {
            CString value;
            rs.GetFieldValue(i, value);
            rows += (i ? "," : "") + value.str();
        }
    }
    rs.Close();
    db.Close();
    return rows;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string FixtureText(const std::string& relative)
{
    std::string text = FileBytes(kvtest::SourcePath("tests/database/merge/" + relative));
    if (text.empty())
        ADD_FAILURE() << "missing fixture " << relative;
    return text;
}

void MergeTest::SetUp()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    m_dir = kvtest::ScratchDir(name);
    DBDatabase::SetProgramFolder(m_app.GetRootPath());
    m_source = m_dir + "\\Source.sqlite";
    m_target = m_dir + "\\Target.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Skeleton.sqlite"), m_source));
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Skeleton.sqlite"), m_target));
}

namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string MergeTest::Merge()
{
    DBDatabase target(m_target.c_str(), DBDatabase::openFile);
    DBDatabase source(m_source.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
    EXPECT_TRUE(target.IsOpen());
    EXPECT_TRUE(source.IsOpen());
    Attach(target);
    Attach(source);
    std::string sourceName = source.GetDatabaseName().str();
    std::string targetName = target.GetDatabaseName().str();
    target.Merge(&source);
    m_outcome = target.GetMergeOutcome();
    m_reportPath = target.GetReportPath().str();
    if (m_reportPath.empty())
        return std::string();
    std::string report = FileBytes(m_reportPath);
    ReplaceAll(report, "taken from: " + sourceName + "\r\n", "taken from: <source>\r\n");
    ReplaceAll(report, "added to: " + targetName + "\r\n", "added to: <target>\r\n");
    return report;
}

} // namespace mergetest
