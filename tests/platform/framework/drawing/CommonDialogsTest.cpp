// The file, colour and find dialogs, driven from their own message loops.
#include <gtest/gtest.h>
#include "tests/platform/framework/drawing/ControlTestSupport.h"
#include "tests/support/TestSupport.h"

#include <string>

using kvctl::RunSoon;

namespace {

const int kFileNameEdit = 0x480;    // the dialog's file name field
const int kFileNameCombo = 0x47C;   // the same in dialogs that use a combo box
const int kFolderCombo = 1137;      // "Look in"
const int kFindWhatEdit = 0x480;

// A file dialog that, once open, types a name and presses a button.
class CTypingFileDialog : public CFileDialog
{
public:
    using CFileDialog::CFileDialog;
    CString typed;
    int button = IDOK;
    bool sawFolderCombo = false;
    bool initialised = false;

    BOOL OnInitDialog() override
    {
        CFileDialog::OnInitDialog();
        initialised = true;
        CWnd* pFileDialog = GetParent();
        sawFolderCombo = pFileDialog != nullptr && pFileDialog->GetDlgItem(kFolderCombo) != nullptr;
        HWND hFileDialog = pFileDialog->GetSafeHwnd();
        CString name = typed;
        int press = button;
        RunSoon([hFileDialog, name, press] {
            ::SendMessage(hFileDialog, CDM_SETCONTROLTEXT, kFileNameEdit, (LPARAM)(LPCSTR)name);
            ::SendMessage(hFileDialog, CDM_SETCONTROLTEXT, kFileNameCombo, (LPARAM)(LPCSTR)name);
            ::PostMessage(hFileDialog, WM_COMMAND, press, 0);
        });
        return TRUE;
    }
};

std::string MakeFile(const std::string& dir, const char* name)
{
    std::string path = dir + "\\" + name;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
    return path;
}

bool SameText(const CString& a, const std::string& b)
{
    return lstrcmpiA(a, b.c_str()) == 0;
}

} // namespace

TEST(FileDialog, ArgumentsBecomeTheSystemsStructure)
{
    CFileDialog dlg(TRUE, ".accdb", "C:\\data\\Sample.mdb", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Access Files (*.accdb; *.mdb)|*.accdb; *.mdb|All Files (*.*)|*.*||");
    const char expected[] = "Access Files (*.accdb; *.mdb)\0*.accdb; *.mdb\0All Files (*.*)\0*.*\0\0";
    EXPECT_EQ(std::string(dlg.m_ofn.lpstrFilter, sizeof(expected)), std::string(expected, sizeof(expected)));
    EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, "accdb");   // the system adds the dot itself
    EXPECT_STREQ(dlg.m_ofn.lpstrFile, "C:\\data\\Sample.mdb");
    EXPECT_EQ(dlg.m_ofn.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLEHOOK),
              static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLEHOOK));

    EXPECT_EQ(dlg.GetPathName(), "C:\\data\\Sample.mdb");
    EXPECT_EQ(dlg.GetFileName(), "Sample.mdb");
    EXPECT_EQ(dlg.GetFileTitle(), "Sample");
    EXPECT_EQ(dlg.GetFileExt(), "mdb");
    EXPECT_EQ(dlg.GetFolderPath(), "C:\\data");

    // A filter without the closing "||" still ends as the system needs.
    CFileDialog symbols(TRUE, nullptr, nullptr, 0x2100C, "Symbols (*.dwg)|*.dwg");
    const char twoNuls[] = "Symbols (*.dwg)\0*.dwg\0";
    EXPECT_EQ(std::string(symbols.m_ofn.lpstrFilter, sizeof(twoNuls)), std::string(twoNuls, sizeof(twoNuls)));
    EXPECT_EQ(symbols.m_ofn.lpstrDefExt, nullptr);
    EXPECT_TRUE(symbols.GetFileTitle().IsEmpty());
}

TEST(FileDialog, OpenRunsTheHookAndReturnsTheChosenFile)
{
    std::string dir = kvtest::ScratchDir("drawing_file_open");
    std::string path = MakeFile(dir, "Valve.dwg");
    CTypingFileDialog dlg(TRUE, nullptr, nullptr,
                          OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST, "Symbols (*.dwg)|*.dwg||");
    dlg.m_ofn.lpstrInitialDir = dir.c_str();
    dlg.typed = "Valve.dwg";
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.initialised);
    EXPECT_TRUE(dlg.sawFolderCombo);
    EXPECT_EQ(dlg.m_hWnd, nullptr);    // the hooked box is gone with the dialog
    EXPECT_TRUE(SameText(dlg.GetPathName(), path)) << (LPCSTR)dlg.GetPathName();
    EXPECT_EQ(dlg.GetFileTitle(), "Valve");
    EXPECT_EQ(dlg.GetFileExt(), "dwg");
    EXPECT_TRUE(SameText(dlg.GetFolderPath(), dir));
}

TEST(FileDialog, CancelReturnsIdCancel)
{
    std::string dir = kvtest::ScratchDir("drawing_file_cancel");
    CTypingFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, nullptr);
    dlg.m_ofn.lpstrInitialDir = dir.c_str();
    dlg.button = IDCANCEL;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.initialised);
}

TEST(FileDialog, SaveAddsTheDefaultExtensionOnce)
{
    std::string dir = kvtest::ScratchDir("drawing_file_save");
    CTypingFileDialog dlg(FALSE, ".accdb", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
    dlg.m_ofn.lpstrInitialDir = dir.c_str();
    dlg.typed = "Copy";
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(SameText(dlg.GetPathName(), dir + "\\Copy.accdb")) << (LPCSTR)dlg.GetPathName();
    EXPECT_EQ(dlg.GetFileExt(), "accdb");
}

namespace {

class CAnsweringColorDialog : public CColorDialog
{
public:
    using CColorDialog::CColorDialog;
    int button = IDOK;
    bool initialised = false;
    BOOL OnInitDialog() override
    {
        CColorDialog::OnInitDialog();
        initialised = true;
        HWND h = m_hWnd;
        int press = button;
        RunSoon([h, press] { ::PostMessage(h, WM_COMMAND, press, 0); });
        return TRUE;
    }
};

} // namespace

TEST(ColorDialog, OkGivesTheColourAndCancelKeepsNothing)
{
    CAnsweringColorDialog ok(RGB(10, 20, 30), CC_FULLOPEN);
    EXPECT_TRUE(ok.m_cc.Flags & CC_RGBINIT);
    EXPECT_EQ(ok.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
    ASSERT_EQ(ok.DoModal(), IDOK);
    EXPECT_TRUE(ok.initialised);
    EXPECT_EQ(ok.GetColor(), RGB(10, 20, 30));

    CAnsweringColorDialog cancel(0, 0);
    EXPECT_FALSE(cancel.m_cc.Flags & CC_RGBINIT);
    cancel.button = IDCANCEL;
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_TRUE(cancel.initialised);
}

namespace {

class CTrackedFindDialog : public CFindReplaceDialog
{
public:
    explicit CTrackedFindDialog(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CTrackedFindDialog() override { *m_pDeleted = true; }
private:
    bool* m_pDeleted;
};

} // namespace

TEST(FindReplaceDialog, ModelessDialogReportsToItsOwnerAndDeletesItself)
{
    kvctl::CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    bool deleted = false;
    auto* dlg = new CTrackedFindDialog(&deleted);
    ASSERT_TRUE(dlg->Create(TRUE, "valve", nullptr, FR_DOWN | FR_HIDEWHOLEWORD, &host));
    HWND hDlg = dlg->m_hWnd;
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hDlg), dlg);
    char text[64] = {};
    ::GetDlgItemTextA(hDlg, kFindWhatEdit, text, sizeof(text));
    EXPECT_STREQ(text, "valve");

    ::SendMessage(hDlg, WM_COMMAND, IDOK, 0);   // Find Next
    ASSERT_EQ(host.finds.size(), 1u);
    EXPECT_EQ(host.finds[0].pDialog, dlg);
    EXPECT_EQ(host.finds[0].text, "valve");
    EXPECT_TRUE(host.finds[0].findNext);
    EXPECT_TRUE(host.finds[0].down);
    EXPECT_FALSE(host.finds[0].matchCase);
    EXPECT_FALSE(host.finds[0].terminating);
    EXPECT_FALSE(deleted);

    ::SendMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    kvtest::PumpMessages();
    ASSERT_EQ(host.finds.size(), 2u);
    EXPECT_TRUE(host.finds[1].terminating);
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_TRUE(deleted);
    host.DestroyWindow();
}

TEST(FindReplaceDialog, LongTextsAreCutAndNoOwnerMeansNoDialog)
{
    kvctl::CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    bool deleted = false;
    auto* dlg = new CTrackedFindDialog(&deleted);
    std::string longText(300, 'x');
    ASSERT_TRUE(dlg->Create(FALSE, longText.c_str(), "pump", FR_DOWN, &host));
    EXPECT_EQ(dlg->GetFindString().GetLength(), 127);
    EXPECT_EQ(dlg->GetReplaceString(), "pump");
    dlg->SendMessage(WM_CLOSE);
    kvtest::PumpMessages();
    EXPECT_TRUE(deleted);
    host.DestroyWindow();

    // No parent and no main window: nothing to report to, so no dialog.
    ASSERT_EQ(AfxGetMainWnd(), nullptr);
    auto* orphan = new CFindReplaceDialog;
    EXPECT_FALSE(orphan->Create(TRUE, "x"));
    EXPECT_EQ(orphan->m_hWnd, nullptr);
    delete orphan;
}
