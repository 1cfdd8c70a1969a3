// Dialogs: data exchange both ways with its checks, a modal dialog driven
// from a timer (a refused OK keeps it open), a modeless dialog that deletes
// itself, and a property sheet.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>
#include <cstring>

using wndtest::ItemText;
using wndtest::PumpPending;
using wndtest::TestApp;
using wndtest::TimerScript;

namespace {

class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(IDD_WNDTEST_EXCHANGE) {}

    CString m_strText = "hello";
    int m_nInt = 5;
    double m_dValue = 0.1;
    float m_fValue = 2.5f;
    UINT m_uValue = 7;
    int m_nCheck = 1;
    int m_nRadio = 1;
    CString m_strListCombo = "Beta";
    CString m_strEditCombo = "free text";
    int m_nListIndex = 2;

    BOOL OnInitDialog() override
    {
        for (int nID : { IDC_WT_LIST_COMBO, IDC_WT_EDIT_COMBO }) {
            for (LPCSTR item : { "Alpha", "Beta", "Beta Max" })
                SendDlgItemMessage(nID, CB_ADDSTRING, 0, (LPARAM)item);
        }
        for (LPCSTR item : { "one", "two", "three" })
            SendDlgItemMessage(IDC_WT_LISTBOX, LB_ADDSTRING, 0, (LPARAM)item);
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_WT_TEXT, m_strText);
        DDV_MaxChars(pDX, m_strText, 10);
        DDX_Text(pDX, IDC_WT_INT, m_nInt);
        DDV_MinMaxInt(pDX, m_nInt, 0, 100);
        DDX_Text(pDX, IDC_WT_DOUBLE, m_dValue);
        DDX_Text(pDX, IDC_WT_FLOAT, m_fValue);
        DDX_Text(pDX, IDC_WT_UINT, m_uValue);
        DDX_Check(pDX, IDC_WT_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_WT_RADIO1, m_nRadio);
        DDX_CBString(pDX, IDC_WT_LIST_COMBO, m_strListCombo);
        DDX_CBString(pDX, IDC_WT_EDIT_COMBO, m_strEditCombo);
        DDX_LBIndex(pDX, IDC_WT_LISTBOX, m_nListIndex);
    }
};

LRESULT Item(CWnd& dlg, int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return dlg.SendDlgItemMessage(nID, message, wParam, lParam);
}

struct ExchangeFixture : public ::testing::Test
{
    TestApp app;
    CExchangeDialog dlg;
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(IDD_WNDTEST_EXCHANGE));
        dlg.ShowWindow(SW_SHOW); // checks put the focus on controls
    }
    void TearDown() override { dlg.DestroyWindow(); }
};

} // namespace

TEST_F(ExchangeFixture, ControlsShowTheMembersAndGiveBackWhatTheUserChanged)
{
    // Filled by OnInitDialog.
    EXPECT_EQ("hello", ItemText(&dlg, IDC_WT_TEXT));
    EXPECT_EQ("5", ItemText(&dlg, IDC_WT_INT));
    EXPECT_EQ("0.1", ItemText(&dlg, IDC_WT_DOUBLE));
    EXPECT_EQ("2.5", ItemText(&dlg, IDC_WT_FLOAT));
    EXPECT_EQ("7", ItemText(&dlg, IDC_WT_UINT));
    EXPECT_EQ(BST_CHECKED, Item(dlg, IDC_WT_CHECK, BM_GETCHECK));
    EXPECT_EQ(BST_UNCHECKED, Item(dlg, IDC_WT_RADIO1, BM_GETCHECK));
    EXPECT_EQ(BST_CHECKED, Item(dlg, IDC_WT_RADIO2, BM_GETCHECK));
    EXPECT_EQ(1, Item(dlg, IDC_WT_LIST_COMBO, CB_GETCURSEL));
    EXPECT_EQ("free text", ItemText(&dlg, IDC_WT_EDIT_COMBO));
    EXPECT_EQ(2, Item(dlg, IDC_WT_LISTBOX, LB_GETCURSEL));
    EXPECT_EQ(10, Item(dlg, IDC_WT_TEXT, EM_GETLIMITTEXT)); // the length check limits the edit

    dlg.SetDlgItemText(IDC_WT_TEXT, "changed");
    dlg.SetDlgItemText(IDC_WT_INT, " 42 ");
    dlg.SetDlgItemText(IDC_WT_DOUBLE, "-1.25e3");
    dlg.SetDlgItemText(IDC_WT_FLOAT, "0.5");
    dlg.SetDlgItemText(IDC_WT_UINT, "4000000000");
    Item(dlg, IDC_WT_CHECK, BM_SETCHECK, BST_UNCHECKED);
    Item(dlg, IDC_WT_RADIO2, BM_SETCHECK, BST_UNCHECKED);
    Item(dlg, IDC_WT_RADIO3, BM_SETCHECK, BST_CHECKED);
    Item(dlg, IDC_WT_LIST_COMBO, CB_SETCURSEL, 2);
    dlg.SetDlgItemText(IDC_WT_EDIT_COMBO, "typed");
    Item(dlg, IDC_WT_LISTBOX, LB_SETCURSEL, 0);

    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("changed", dlg.m_strText);
    EXPECT_EQ(42, dlg.m_nInt);
    EXPECT_EQ(-1250.0, dlg.m_dValue);
    EXPECT_EQ(0.5f, dlg.m_fValue);
    EXPECT_EQ(4000000000u, dlg.m_uValue);
    EXPECT_EQ(0, dlg.m_nCheck);
    EXPECT_EQ(2, dlg.m_nRadio);
    EXPECT_STREQ("Beta Max", dlg.m_strListCombo);
    EXPECT_STREQ("typed", dlg.m_strEditCombo);
    EXPECT_EQ(0, dlg.m_nListIndex);
    EXPECT_TRUE(app.messages.empty());

    // No radio button checked reads as -1.
    Item(dlg, IDC_WT_RADIO3, BM_SETCHECK, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_nRadio);
}

TEST_F(ExchangeFixture, RefusedInputTellsTheUserAndPutsTheFocusOnTheControl)
{
    const std::string tenChars = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
    struct Case
    {
        int nID;
        std::string text;
        const char* message; // null: accepted
    } cases[] = {
        { IDC_WT_INT, "abc", "Please enter a whole number." },
        { IDC_WT_INT, "12abc", "Please enter a whole number." },
        { IDC_WT_INT, "", "Please enter a whole number." },
        { IDC_WT_INT, "99999999999", "Please enter a whole number." },
        { IDC_WT_INT, "150", "Please enter a whole number from 0 to 100." },
        { IDC_WT_INT, "-1", "Please enter a whole number from 0 to 100." },
        { IDC_WT_INT, "100", nullptr },
        { IDC_WT_DOUBLE, "1.5.2", "Please enter a number." },
        { IDC_WT_DOUBLE, "nan", "Please enter a number." },
        { IDC_WT_DOUBLE, "1e999", "Please enter a number." },
        { IDC_WT_FLOAT, "1e39", "Please enter a number." },
        { IDC_WT_UINT, "-1", "Please enter a whole number of zero or more." },
        { IDC_WT_UINT, "4294967296", "Please enter a whole number of zero or more." },
        { IDC_WT_TEXT, tenChars, nullptr }, // ten characters, twenty bytes
        { IDC_WT_TEXT, tenChars + "x", "Please enter no more than 10 characters." },
    };
    for (const Case& c : cases) {
        // All fields valid again.
        dlg.m_strText = "hello";
        dlg.m_nInt = 5;
        dlg.UpdateData(FALSE);
        app.messages.clear();
        // Limits of the edit control must not cut what a test types.
        Item(dlg, c.nID, EM_LIMITTEXT, 0);
        dlg.SetDlgItemText(c.nID, c.text.c_str());
        const int nIntBefore = dlg.m_nInt;
        ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDOK));

        BOOL bOK = dlg.UpdateData(TRUE);
        if (c.message == nullptr) {
            EXPECT_TRUE(bOK) << c.text;
            EXPECT_TRUE(app.messages.empty()) << c.text;
            continue;
        }
        EXPECT_FALSE(bOK) << c.text;
        ASSERT_EQ(1u, app.messages.size()) << c.text;
        EXPECT_EQ(c.message, app.messages[0]) << c.text;
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, c.nID), ::GetFocus()) << c.text;
        DWORD dwStart = 0, dwEnd = 0;
        Item(dlg, c.nID, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        EXPECT_EQ(0u, dwStart) << c.text; // the whole entry selected for retyping
        EXPECT_EQ((DWORD)::GetWindowTextLengthW(::GetDlgItem(dlg.m_hWnd, c.nID)), dwEnd) << c.text;
        if (strcmp(c.message, "Please enter a whole number.") == 0) {
            EXPECT_EQ(nIntBefore, dlg.m_nInt) << c.text; // text that is no number leaves the member alone
        }
    }
}

TEST_F(ExchangeFixture, NumbersReadBackToExactlyTheValueShown)
{
    const double doubles[] = { 0.1, 1.0 / 3.0, 1e-300, -2.5e17, 123456.789, 0.1 + 0.2, 5e-324 };
    for (double d : doubles) {
        dlg.m_dValue = d;
        dlg.UpdateData(FALSE);
        std::string shown = ItemText(&dlg, IDC_WT_DOUBLE);
        dlg.m_dValue = 0;
        ASSERT_TRUE(dlg.UpdateData(TRUE)) << shown;
        EXPECT_EQ(0, memcmp(&d, &dlg.m_dValue, sizeof(d))) << shown;
    }
    const float floats[] = { 0.1f, 1.0f / 3.0f, 16777216.0f, 3.4e38f, -1e-38f };
    for (float f : floats) {
        dlg.m_fValue = f;
        dlg.UpdateData(FALSE);
        std::string shown = ItemText(&dlg, IDC_WT_FLOAT);
        dlg.m_fValue = 0;
        ASSERT_TRUE(dlg.UpdateData(TRUE)) << shown;
        EXPECT_EQ(f, dlg.m_fValue) << shown;
    }
    // The shortest such text.
    dlg.m_dValue = 0.1;
    dlg.m_fValue = 0.1f;
    dlg.UpdateData(FALSE);
    EXPECT_EQ("0.1", ItemText(&dlg, IDC_WT_DOUBLE));
    EXPECT_EQ("0.1", ItemText(&dlg, IDC_WT_FLOAT));
}

TEST_F(ExchangeFixture, ComboTextSelectsAnItemWithoutChangingTheText)
{
    struct Case
    {
        int nID;
        const char* value;
        int nSelected;
        const char* readBack;
    } cases[] = {
        { IDC_WT_LIST_COMBO, "Beta Max", 2, "Beta Max" },
        { IDC_WT_LIST_COMBO, "Beta", 1, "Beta" },
        { IDC_WT_LIST_COMBO, "Bet", 1, "Beta" }, // a drop-down list can only show an item
        { IDC_WT_LIST_COMBO, "", -1, "" },
        { IDC_WT_LIST_COMBO, "Gamma", -1, "" },
        { IDC_WT_EDIT_COMBO, "Beta Max", 2, "Beta Max" },
        { IDC_WT_EDIT_COMBO, "Bet", -1, "Bet" }, // not made into "Beta"
        { IDC_WT_EDIT_COMBO, "", -1, "" },
    };
    for (const Case& c : cases) {
        CString& member = c.nID == IDC_WT_LIST_COMBO ? dlg.m_strListCombo : dlg.m_strEditCombo;
        member = c.value;
        dlg.UpdateData(FALSE);
        EXPECT_EQ(c.nSelected, Item(dlg, c.nID, CB_GETCURSEL)) << c.value;
        ASSERT_TRUE(dlg.UpdateData(TRUE)) << c.value;
        EXPECT_STREQ(c.readBack, member) << c.value;
    }
}

TEST(Dialog, ModalDialogStaysOpenAfterARefusedOkAndReturnsTheEnteredValues)
{
    TestApp app;
    CExchangeDialog dlg;
    TimerScript script([&] { dlg.EndDialog(-2); });
    std::string shownText;
    bool bOpenAfterRefusal = false;
    HWND hFocus = nullptr, hIntEdit = nullptr;
    script.Add([&] {
        shownText = ItemText(&dlg, IDC_WT_TEXT);
        dlg.SetDlgItemText(IDC_WT_INT, "150");
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDOK));
    });
    script.Add([&] {
        bOpenAfterRefusal = ::IsWindow(dlg.m_hWnd) && dlg.ContinueModal();
        hFocus = ::GetFocus();
        hIntEdit = ::GetDlgItem(dlg.m_hWnd, IDC_WT_INT);
        dlg.SetDlgItemText(IDC_WT_INT, "42");
        dlg.SetDlgItemText(IDC_WT_TEXT, "changed");
        ::SendMessage(::GetDlgItem(dlg.m_hWnd, IDOK), BM_CLICK, 0, 0);
    });
    script.Start();

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ(nullptr, dlg.m_hWnd); // the window is gone, the object stays
    EXPECT_EQ("hello", shownText);
    EXPECT_TRUE(bOpenAfterRefusal);
    EXPECT_EQ(hIntEdit, hFocus);
    ASSERT_EQ(1u, app.messages.size());
    EXPECT_EQ("Please enter a whole number from 0 to 100.", app.messages[0]);
    EXPECT_EQ(42, dlg.m_nInt);
    EXPECT_STREQ("changed", dlg.m_strText);
}

TEST(Dialog, CancelledModalDialogLeavesTheMembersAlone)
{
    TestApp app;
    CExchangeDialog dlg;
    TimerScript script([&] { dlg.EndDialog(-2); });
    script.Add([&] {
        dlg.SetDlgItemText(IDC_WT_TEXT, "not kept");
        dlg.SendMessage(WM_CLOSE); // the close box cancels
    });
    script.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("hello", dlg.m_strText);

    CDialog missing(12345u);
    EXPECT_EQ(-1, missing.DoModal());
}

namespace {

class CModelessDialog : public CDialog
{
public:
    explicit CModelessDialog(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    ~CModelessDialog() override { (*m_pnDeleted)++; }
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }
    int* m_pnDeleted;
};

} // namespace

TEST(Dialog, ModelessDialogDeletesItselfWhenItsWindowCloses)
{
    TestApp app;
    int nDeleted = 0;
    CModelessDialog* pDlg = new CModelessDialog(&nDeleted);
    ASSERT_TRUE(pDlg->Create(IDD_WNDTEST_EXCHANGE));
    HWND hWnd = pDlg->m_hWnd;
    ASSERT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(pDlg, CWnd::FromHandlePermanent(hWnd));

    ::PostMessage(hWnd, WM_CLOSE, 0, 0);
    PumpPending();
    EXPECT_EQ(1, nDeleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

namespace {

class CTestPage : public CPropertyPage
{
public:
    CTestPage(UINT nIDTemplate, int nEditID, LPCSTR lpszValue)
        : CPropertyPage(nIDTemplate), m_nEditID(nEditID), m_strValue(lpszValue) {}
    int m_nEditID;
    CString m_strValue;
    int m_nApplied = 0;
    bool m_bRefuseLeave = false;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, m_nEditID, m_strValue); }
    BOOL OnKillActive() override { return m_bRefuseLeave ? FALSE : CPropertyPage::OnKillActive(); }
    BOOL OnApply() override
    {
        m_nApplied++;
        return CPropertyPage::OnApply();
    }
};

} // namespace

TEST(Dialog, PropertySheetPagesExchangeTheirDataAndApplyOnOk)
{
    TestApp app;
    CTestPage page1(IDD_WNDTEST_PAGE1, IDC_WT_PAGE_EDIT, "first");
    CTestPage page2(IDD_WNDTEST_PAGE2, IDC_WT_PAGE_EDIT2, "second");
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);

    std::string shown1;
    int nActiveAfterSwitch = -1;
    TimerScript script([&] { sheet.EndDialog(IDCANCEL); });
    script.Add([&] {
        shown1 = ItemText(&page1, IDC_WT_PAGE_EDIT);
        page1.SetDlgItemText(IDC_WT_PAGE_EDIT, "one");
        sheet.SetActivePage(1);
    });
    script.Add([&] {
        nActiveAfterSwitch = sheet.GetActiveIndex();
        page2.SetDlgItemText(IDC_WT_PAGE_EDIT2, "two");
        sheet.PressButton(PSBTN_OK);
    });
    script.Start();

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ("first", shown1);
    EXPECT_EQ(1, nActiveAfterSwitch);
    EXPECT_STREQ("one", page1.m_strValue);
    EXPECT_STREQ("two", page2.m_strValue);
    EXPECT_EQ(1, page1.m_nApplied);
    EXPECT_EQ(1, page2.m_nApplied);
}

TEST(Dialog, PageThatRefusesToBeLeftKeepsTheSheetOnIt)
{
    TestApp app;
    CTestPage page1(IDD_WNDTEST_PAGE1, IDC_WT_PAGE_EDIT, "first");
    CTestPage page2(IDD_WNDTEST_PAGE2, IDC_WT_PAGE_EDIT2, "second");
    page1.m_bRefuseLeave = true;
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);

    int nActive = -1;
    TimerScript script([&] { sheet.EndDialog(IDCANCEL); });
    script.Add([&] { sheet.SetActivePage(1); });
    script.Add([&] {
        nActive = sheet.GetActiveIndex();
        sheet.PressButton(PSBTN_CANCEL);
    });
    script.Start();

    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, nActive);
    EXPECT_EQ(0, page1.m_nApplied);
    EXPECT_EQ(0, page2.m_nApplied);
}
