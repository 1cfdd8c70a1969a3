// The query edit: what the user's typing does to the saved query's title,
// the view's flag and the shared text, and the text kept between visits of
// the Query tab.
#include "PickerTestSupport.h"
#include "pickers/controls/QueryWnd.h"

#include <gtest/gtest.h>

using namespace pickertest;

namespace {

class CTestQueryView : public CQueryView
{
public:
    CComboBox combo;
    int nModified = 0;
    CComboBox* GetSavedQueryCombo() override { return &combo; }
    void SetQueryModified() override { nModified++; }
};

class QueryWndTest : public HostedTest
{
protected:
    CTestQueryView view;
    CQueryWnd edit{ &view };

    void SetUp() override
    {
        HostedTest::SetUp();
        g_QueryText.Empty();
        ASSERT_TRUE(view.combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(0, 0, 200, 200),
                                      &host, 1433));
        view.combo.AddString("Pipes");
        view.combo.AddString("Valves");
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                CRect(0, 30, 300, 200), &host, 1434));
    }
    void TearDown() override
    {
        g_QueryText.Empty();
        HostedTest::TearDown();
    }
    // A character typed into the edit.
    void TypeChar(char ch)
    {
        edit.SendMessage(WM_CHAR, (WPARAM)(unsigned char)ch, 1);
        Pump();
    }
    CString ComboText()
    {
        CString text;
        view.combo.GetWindowText(text);
        return text;
    }
};

} // namespace

TEST_F(QueryWndTest, TypingMarksTheChosenQueryModifiedOnce)
{
    view.combo.SetCurSel(1);
    TypeChar('S');
    EXPECT_EQ(CString("Valves*"), ComboText());
    EXPECT_EQ(1, view.nModified);
    EXPECT_EQ(CString("S"), g_QueryText);
    TypeChar('E');
    EXPECT_EQ(CString("Valves*"), ComboText());
    EXPECT_EQ(2, view.nModified);
    EXPECT_EQ(CString("SE"), g_QueryText);
}

TEST_F(QueryWndTest, TypingWithNoQueryChosenLeavesTheComboAlone)
{
    view.combo.SetWindowText("my query");
    TypeChar('X');
    EXPECT_EQ(CString("my query"), ComboText());
    EXPECT_EQ(1, view.nModified);
    EXPECT_EQ(CString("X"), g_QueryText);
}

TEST_F(QueryWndTest, TheTextComesBackWithoutCountingAsAChange)
{
    view.combo.SetCurSel(0);
    g_QueryText = "SELECT * FROM Components";
    edit.RestoreText();
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(g_QueryText, text);
    EXPECT_EQ(0, view.nModified);
    EXPECT_EQ(CString("Pipes"), ComboText());

    // The view loads a saved query into the edit, then keeps it.
    edit.SetWindowText("SELECT 1");
    edit.SaveText();
    EXPECT_EQ(CString("SELECT 1"), g_QueryText);

    // Without its window the edit neither gives nor takes text.
    CQueryWnd unmade(&view);
    unmade.SaveText();
    unmade.RestoreText();
    EXPECT_EQ(CString("SELECT 1"), g_QueryText);
}
