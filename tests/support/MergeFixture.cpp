#include "tests/support/MergeFixture.h"

#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstring>

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

std::string FixtureText(const std::string& relative)
{
    std::string text = FileBytes(kvtest::SourcePath("tests/database/merge/" + relative));
    if (text.empty())
        ADD_FAILURE() << "missing fixture " << relative;
    return text;
}

void MergeTest::SetUp()
{
    m_dir = kvtest::ScratchDir(kvtest::TestName());
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

std::string MergeTest::Merge(DBProgressSink* pProgress)
{
    DBDatabase target(m_target.c_str(), DBDatabase::openFile);
    DBDatabase source(m_source.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
    EXPECT_TRUE(target.IsOpen());
    EXPECT_TRUE(source.IsOpen());
    Attach(target);
    Attach(source);
    target.SetSinks(pProgress, &m_messages);
    std::string sourceName = source.GetDatabaseName().str();
    std::string targetName = target.GetDatabaseName().str();
    target.Merge(&source);
    m_outcome = target.GetMergeOutcome();
    m_failures = target.GetFailureCount();
    m_reportPath = target.GetReportPath().str();
    if (m_reportPath.empty())
        return std::string();
    std::string report = FileBytes(m_reportPath);
    ReplaceAll(report, "taken from: " + sourceName + "\r\n", "taken from: <source>\r\n");
    ReplaceAll(report, "added to: " + targetName + "\r\n", "added to: <target>\r\n");
    return report;
}

} // namespace mergetest
