#include "tests/app/ProgramTestSupport.h"
#include "app/Utilities.h"
#include "tests/support/RegistryHelpers.h"

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
    if (app.m_pMainWnd != nullptr && app.m_pMainWnd->GetSafeHwnd() != nullptr)
        app.m_pMainWnd->SendMessage(WM_CLOSE);
    Pump();
    app.ExitInstance();
}

} // namespace programtest
