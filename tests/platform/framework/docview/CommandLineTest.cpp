// The command line: splitting, what the arguments ask for, and carrying it out.
#include "tests/platform/framework/docview/DocViewFixture.h"

namespace {

std::vector<std::string> Split(const char* line)
{
    std::vector<std::string> result;
    for (const CString& s : AfxSplitCommandLine(line))
        result.push_back(std::string(s));
    return result;
}

// Sets the application's command line for one test.
class CommandLineScope
{
public:
    explicit CommandLineScope(const std::string& line) : m_line(line), m_pOld(theApp.m_lpCmdLine)
    {
        theApp.m_lpCmdLine = m_line.data();
    }
    ~CommandLineScope() { theApp.m_lpCmdLine = m_pOld; }

private:
    std::string m_line;
    LPTSTR m_pOld;
};

} // namespace

TEST(CommandLine, SplitsLikeWindowsPrograms)
{
    struct Case
    {
        const char* line;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        { "", {} },
        { "   ", {} },
        { "a.note b.note", { "a.note", "b.note" } },
        { "  a.note\t b.note  ", { "a.note", "b.note" } },
        { "\"C:\\My Notes\\a.note\" /p", { "C:\\My Notes\\a.note", "/p" } },
        { "C:\\dir\\a.note", { "C:\\dir\\a.note" } },
        { "\"C:\\dir\\\\\" x", { "C:\\dir\\", "x" } },
        { "a\\\"b", { "a\"b" } },
        { "\"say \"\"hi\"\"\"", { "say \"hi\"" } },
        { "\"\" x", { "", "x" } },
        { "ab\"c d\"e", { "abc de" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.line), c.args) << "line: [" << c.line << "]";
}

TEST(CommandLine, ArgumentsChooseTheShellCommand)
{
    struct Case
    {
        const char* line;
        int command;
        const char* file;
        const char* printer;
        BOOL splash;
        BOOL embedded;
    };
    const Case cases[] = {
        { "", CCommandLineInfo::FileNew, "", "", TRUE, FALSE },
        { "a.note", CCommandLineInfo::FileOpen, "a.note", "", TRUE, FALSE },
        { "\"my a.note\" b.note", CCommandLineInfo::FileOpen, "my a.note", "", TRUE, FALSE },
        { "/p a.note", CCommandLineInfo::FilePrint, "a.note", "", TRUE, FALSE },
        { "-pt a.note Printer Driver Port", CCommandLineInfo::FilePrintTo, "a.note", "Printer", TRUE, FALSE },
        { "/dde", CCommandLineInfo::FileDDE, "", "", TRUE, FALSE },
        { "/Embedding", CCommandLineInfo::FileNew, "", "", FALSE, TRUE },
        { "/unregserver", CCommandLineInfo::AppUnregister, "", "", TRUE, FALSE },
        { "/Register", CCommandLineInfo::AppRegister, "", "", TRUE, FALSE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CommandLineScope scope(c.line);
        CCommandLineInfo info;
        theApp.ParseCommandLine(info);
        EXPECT_EQ((int)info.m_nShellCommand, c.command);
        EXPECT_STREQ(info.m_strFileName, c.file);
        EXPECT_STREQ(info.m_strPrinterName, c.printer);
        EXPECT_EQ(info.m_bShowSplash, c.splash);
        EXPECT_EQ(info.m_bRunEmbedded, c.embedded);
    }
}

TEST_F(DocViewTest, ShellCommandOpensNewOrNamedDocument)
{
    CCommandLineInfo newInfo;
    EXPECT_TRUE(theApp.ProcessShellCommand(newInfo));
    EXPECT_EQ(DocumentCount(), 1);

    std::string path = NoteFile("named.note", "named");
    CommandLineScope scope("\"" + path + "\"");
    CCommandLineInfo openInfo;
    theApp.ParseCommandLine(openInfo);
    ASSERT_EQ(openInfo.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_TRUE(theApp.ProcessShellCommand(openInfo));
    ASSERT_EQ(DocumentCount(), 2);
    EXPECT_STREQ(m_pMain->MDIGetActive()->GetActiveDocument()->GetTitle(), "named.note");

    // A named file that cannot be opened fails the start-up.
    CCommandLineInfo missingInfo;
    missingInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
    missingInfo.m_strFileName = (m_dir + "\\missing.note").c_str();
    theApp.m_answers = { IDOK };
    EXPECT_FALSE(theApp.ProcessShellCommand(missingInfo));
    EXPECT_EQ(DocumentCount(), 2);
}
