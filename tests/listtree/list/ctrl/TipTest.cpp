// The tip over cut-off cell texts: shown on hover, replaced or kept as the
// mouse moves, hidden when the text fits or the mouse leaves, and clicks on
// it reaching the list.
#include "tests/listtree/list/ctrl/ListWindowFixture.h"

using namespace lctest;

namespace {

class ListTipTest : public ListWindowTest
{
protected:
    void SetUp() override
    {
        MakeList(OZWLS_REPORT | OZWLS_NOLABELWRAP, OZWLS_EX_HOVERTIPS);
        list->SetColumnWidth(0, 60);
        list->InsertItem(0, "A text far too long for its narrow column");
        list->InsertItem(1, "ok");
        list->InsertItem(2, "Another text far too long for the column");
        list->SetItem(1, 1, LVIF_TEXT | OZWLIF_STOREALWAYS, "A sub-item text too long for the column", 0, 0, 0, 0);
        list->RecalcLayout();
        ::SetActiveWindow(parent.m_hWnd);
    }
    OZWListTip* Tip() { return list->GetTip(); }
    bool TipShown() { return Tip()->m_hWnd != nullptr && ::IsWindowVisible(Tip()->m_hWnd); }
    void Move(CPoint pt) { list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)); }
};

} // namespace

TEST_F(ListTipTest, ACutOffLabelShowsItsTipOverTheCell)
{
    ASSERT_NE(nullptr, ::GetActiveWindow());
    Move(LabelPoint(0));
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(0, Tip()->m_nItem);
    EXPECT_EQ(0, Tip()->m_nSubItem);
    EXPECT_EQ("A text far too long for its narrow column", std::string(Tip()->m_strText));
    EXPECT_EQ(list->m_hWnd, ::GetCapture()) << "the list follows the mouse while the tip shows";
    CRect tip, cell, label;
    Tip()->GetWindowRect(&tip);
    list->ScreenToClient(&tip);
    list->GetSubItemRect(0, 0, &cell, 0);
    list->GetSubItemRect(0, 0, &label, 2);
    EXPECT_EQ(label.left - 3, tip.left);
    EXPECT_EQ(label.Width() + 7, tip.Width());
    EXPECT_EQ(label.top, tip.top);
    EXPECT_EQ(cell.Height(), tip.Height());
    // Moving over the same cell keeps the tip; over another cut-off one, it
    // moves there; over a text that fits, it goes.
    const HWND hTip = Tip()->m_hWnd;
    Move(LabelPoint(0) + CPoint(3, 0));
    EXPECT_TRUE(TipShown());
    EXPECT_EQ(hTip, Tip()->m_hWnd);
    Move(LabelPoint(2));
    EXPECT_TRUE(TipShown());
    EXPECT_EQ(2, Tip()->m_nItem);
    Move(LabelPoint(1));
    EXPECT_FALSE(TipShown());
    EXPECT_EQ(-1, Tip()->m_nItem);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ListTipTest, SubItemCellsShowTipsAnywhereOverTheCell)
{
    Move(CellPoint(1, 1, 5));
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(1, Tip()->m_nSubItem);
    // On the main cell only the label counts, not the margin left of it.
    const CPoint label = LabelPoint(0);
    Move(CPoint(2, label.y));
    EXPECT_FALSE(TipShown());
    Move(label);
    EXPECT_TRUE(TipShown());
}

TEST_F(ListTipTest, TheTipGoesWhenTheMouseLeavesAndOnStyleChanges)
{
    Move(LabelPoint(0));
    ASSERT_TRUE(TipShown());
    ::SetCursorPos(5000, 5000);
    Tip()->SendMessage(WM_TIMER, OZWListTip::TimerId);
    EXPECT_FALSE(TipShown());
    Move(LabelPoint(0));
    ASSERT_TRUE(TipShown());
    list->ModifyListStyleEx(0, OZWLS_EX_FULLROWSELECT, TRUE);
    EXPECT_FALSE(TipShown());
}

TEST_F(ListTipTest, AClickOnTheTipIsAClickOnTheList)
{
    Move(LabelPoint(2));
    ASSERT_TRUE(TipShown());
    MSG msg = {};
    msg.hwnd = Tip()->m_hWnd;
    msg.message = WM_LBUTTONDOWN;
    msg.wParam = MK_LBUTTON;
    msg.lParam = MAKELPARAM(4, 4);
    EXPECT_TRUE(Tip()->PreTranslateMessage(&msg));
    msg.message = WM_LBUTTONUP;
    msg.wParam = 0;
    EXPECT_TRUE(Tip()->PreTranslateMessage(&msg));
    EXPECT_EQ(std::vector<int>{ 2 }, list->GetSelection());
}

TEST(ListTipText, FirstLineUpTo259Characters)
{
    EXPECT_EQ("first", std::string(OZWListTip::FirstLine("first\nsecond")));
    EXPECT_EQ(259, OZWListTip::FirstLine(CString(std::string(300, 'x'))).GetLength());
    // Characters, not bytes.
    std::string umlauts;
    for (int i = 0; i < 300; ++i)
        umlauts += "ü";
    EXPECT_EQ(259 * 2, OZWListTip::FirstLine(CString(umlauts)).GetLength());
}

TEST(ListTipText, CutOffTable)
{
    const CRect inside(0, 20, 300, 200);
    struct Case
    {
        CRect cell, text;
        BOOL cut;
    };
    const Case cases[] = {
        { CRect(0, 20, 100, 40), CRect(6, 22, 80, 38), FALSE },
        { CRect(0, 20, 100, 40), CRect(6, 22, 120, 38), TRUE },
        { CRect(250, 20, 400, 40), CRect(256, 22, 320, 38), TRUE },  // past the list's width
        { CRect(-50, 20, 80, 40), CRect(-44, 22, 60, 38), TRUE },    // start scrolled off
        { CRect(-90, 20, -10, 40), CRect(-84, 22, -20, 38), FALSE }, // wholly off to the left
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cut, OZWListTip::IsCutOff(c.cell, c.text, inside)) << c.text.left << ".." << c.text.right;
}
