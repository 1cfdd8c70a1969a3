#include "tests/app/ProgramTestSupport.h"
#include "app/Utilities.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/app/DocumentFixture.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TestSupport.h"

namespace programtest {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void ClearSettings()
{
    for (const char* key : { "VisualSettings", "Units", "AppSettings", "DatabaseSettings" })
        kvtest::DeleteProductSubKey(key);
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kvtest::kProductKey, "KelVaron Settings");
}

std::string ProfilePath()
{
    return (GetModuleFolder(nullptr) + "config\\test_app.INI").str();
}

BOOL Start(CKelvaronApp& app, std::string& commandLine)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    BOOL started = app.InitInstance();
    Pump();
    return started;
}

void Stop(CKelvaronApp& app)
{
    if (app.m_pMainWnd != nullptr && app.m_pMainWnd->GetSafeHwnd() != nullptr) {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({IDYES});
        app.m_pMainWnd->SendMessage(WM_CLOSE);
    }
    Pump();
    app.ExitInstance();
}

BEGIN_MESSAGE_MAP(FailingFrame, CMainFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL ProgramFixture::Start(const std::string& commandLine)
{
    Stop();
    m_commandLine = commandLine;
    m_app = std::make_unique<TestApp>();
    m_app->executablePath = m_executablePath;
    m_app->failingFrame = m_failingFrame;
    BOOL started = programtest::Start(*m_app, m_commandLine);
    EXPECT_FALSE(m_app->IsStartingUp());
    return started;
}

void ProgramFixture::Stop()
{
    if (!m_app)
        return;
    programtest::Stop(*m_app);
    m_app.reset();
    Pump();
}

CKelvaronDoc* ProgramFixture::ActiveDocument()
{
    CMainFrame* pFrame = Frame();
    CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
    return pChild != nullptr ? dynamic_cast<CKelvaronDoc*>(pChild->GetActiveDocument()) : nullptr;
}

CKelvaronView* ProgramFixture::ActiveView()
{
    CMainFrame* pFrame = Frame();
    CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
    return pChild != nullptr ? dynamic_cast<CKelvaronView*>(pChild->GetActiveView()) : nullptr;
}

void ProgramFolderFixture::SetUp()
{
    m_dir = kvtest::ScratchDir(kvtest::TestName());
    doctest::MakeProgramFolders(m_dir, m_program, m_data);
    for (const char* key : {"VisualSettings", "DatabaseSettings"})
        kvtest::DeleteProductSubKey(key);
    kvtest::StoreText("", "KelVaron Settings", "0");
    kvtest::StoreText("VisualSettings\\HydraulicDesign", "DbsName", m_data + "QUORVEX.MDB");
    m_executablePath = (m_program + "Kelvaron.exe").c_str();
}

void ProgramProfileFixture::SetUp()
{
    ProgramFolderFixture::SetUp();
    m_profile = ProfilePath();
    ::DeleteFileA(m_profile.c_str());
}

void ProgramProfileFixture::TearDown()
{
    ProgramFixture::TearDown();
    ::DeleteFileA(m_profile.c_str());
}

std::string ProgramFolderFixture::CopyAndOpenSample(const std::string& name)
{
    const std::string path = m_data + name;
    EXPECT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), path));
    m_app->chosenFile = path.c_str();
    m_app->OnFileOpen();
    Pump();
    return path;
}

} // namespace programtest
