// Geometry of the list model: row walks over rows of different heights,
// scrolling, column fitting and divider drags, and the hit test.
#include "tests/listtree/list/model/ListModelFixture.h"

#include <gtest/gtest.h>

using lmtest::TestModel;

namespace {

// The client is 200 x 120 with a 20-pixel header: the rows area is 101
// pixels high (its bottom is one below the client's).
void FillHeights(TestModel& m, const std::vector<int>& heights)
{
    m.AddColumn("Name", LVCFMT_LEFT, 100);
    m.Fill((int)heights.size());
    for (size_t i = 0; i < heights.size(); ++i)
        m.SetRowHeight((int)i, heights[i]);
}

} // namespace

TEST(ListGeometry, RowWalksOverRowsOfDifferentHeights)
{
    TestModel m;
    FillHeights(m, { 10, 30, 20, 10, 40, 10, 10, 25 });
    EXPECT_EQ(4, m.GetBottomIndex());
    EXPECT_EQ(3, m.GetLastFullyVisible());
    EXPECT_EQ(3, m.GetMaxTopIndex());
    EXPECT_EQ(4, m.GetFirstFullPage());
    EXPECT_EQ(50, m.GetHeightBetween(1, 3, FALSE));
    EXPECT_EQ(60, m.GetHeightBetween(1, 3, TRUE));
    EXPECT_EQ(-50, m.GetHeightBetween(3, 1, FALSE));
    EXPECT_EQ(2, m.GetRowsInHeight(45, 1, TRUE));
    EXPECT_EQ(3, m.GetRowsInHeight(45, 3, FALSE));
    EXPECT_EQ(0, m.GetRowAtY(20));
    EXPECT_EQ(1, m.GetRowAtY(30));
    EXPECT_EQ(2, m.GetRowAtY(60));
    EXPECT_EQ(-1, m.GetRowAtY(10)) << "the header band";
    m.m_nTopIndex = 2;
    EXPECT_EQ(7, m.GetBottomIndex());
    EXPECT_EQ(2, m.GetRowAtY(20));
    m.m_nTopIndex = 5;
    EXPECT_EQ(1, m.GetPageUpIndex());
    EXPECT_EQ(4, m.GetRowsAboveTop());
}

TEST(ListGeometry, EnsureVisibleTable)
{
    struct Case
    {
        const char* name;
        int top, item, wantTop;
    };
    const Case cases[] = {
        { "top row of a scrolled list: one row up", 5, 5, 4 },
        { "row 0: to the top", 5, 0, 0 },
        { "below the last visible row: aligned at the bottom", 0, 12, 3 },
        { "last item already at the bottom", 10, 19, 10 },
        { "a visible row", 0, 5, 0 },
    };
    for (const Case& c : cases) {
        TestModel m;
        FillHeights(m, std::vector<int>(20, 10));
        m.m_nTopIndex = c.top;
        m.EnsureVisible(c.item, FALSE);
        EXPECT_EQ(c.wantTop, m.GetTopIndex()) << c.name;
    }
}

TEST(ListGeometry, AListWhoseRowsAllFitHasNoBarAndTopZero)
{
    TestModel m;
    FillHeights(m, std::vector<int>(5, 10));
    m.m_nTopIndex = 3;
    m.RecalcLayout();
    EXPECT_EQ(0, m.GetTopIndex());
    EXPECT_FALSE(m.GetScrollState() & OZWSB_VERTSHOWN);
    m.Fill(20);
    m.RecalcLayout();
    EXPECT_TRUE(m.GetScrollState() & OZWSB_VERTSHOWN);
    // Scrolled past the end: the last row comes back to the bottom.
    m.m_nTopIndex = 24;
    m.RecalcLayout();
    EXPECT_EQ(15, m.GetTopIndex());
}

TEST(ListGeometry, NoScrollStyleNeverShowsABar)
{
    TestModel m;
    m.ModifyListStyle(0, OZWLS_NOSCROLL, FALSE);
    FillHeights(m, std::vector<int>(50, 10));
    m.SetColumnWidth(0, 900);
    m.RecalcLayout();
    EXPECT_EQ(0u, m.GetScrollState());
}

TEST(ListGeometry, VerticalScrollCodes)
{
    struct Case
    {
        int top;
        UINT code;
        int track, wantTop;
    };
    const Case cases[] = {
        { 0, SB_LINEDOWN, 0, 1 },
        { 0, SB_LINEUP, 0, 0 },
        { 20, SB_LINEDOWN, 0, 20 },
        { 15, SB_PAGEDOWN, 0, 20 },
        { 3, SB_PAGEDOWN, 0, 13 },
        { 15, SB_PAGEUP, 0, 5 },
        { 4, SB_THUMBTRACK, 7, 7 },
        { 4, SB_THUMBPOSITION, 27, 20 },
        { 9, SB_TOP, 0, 0 },
        { 9, SB_BOTTOM, 0, 20 },
    };
    for (const Case& c : cases) {
        TestModel m;
        FillHeights(m, std::vector<int>(30, 10));
        m.RecalcLayout();
        m.m_nTopIndex = c.top;
        m.VScroll(c.code, c.track);
        EXPECT_EQ(c.wantTop, m.GetTopIndex()) << "code " << c.code << " from " << c.top;
    }
}

TEST(ListGeometry, HorizontalScrollingAndTheWheel)
{
    TestModel m;
    FillHeights(m, std::vector<int>(30, 10));
    m.SetColumnWidth(0, 300);
    m.RecalcLayout();
    ASSERT_TRUE(m.GetScrollState() & OZWSB_HORZSHOWN);
    CRect rows;
    m.GetRowsArea(rows);
    EXPECT_EQ(185, rows.right) << "the vertical bar takes its width less one";
    m.HScroll(SB_LINERIGHT);
    EXPECT_EQ(15, m.GetHorzOffset());
    m.HScroll(SB_RIGHT);
    EXPECT_EQ(300 - 185, m.GetHorzOffset());
    m.HScroll(SB_LINELEFT);
    EXPECT_EQ(300 - 185 - 15, m.GetHorzOffset());
    EXPECT_EQ(-(300 - 185 - 15), m.GetColumnLeft(0));
    m.HScroll(SB_LEFT);
    EXPECT_EQ(0, m.GetHorzOffset());

    m.MouseWheel(-120);
    EXPECT_EQ(1, m.GetTopIndex());
    m.MouseWheel(60);
    EXPECT_EQ(1, m.GetTopIndex());
    m.MouseWheel(60);
    EXPECT_EQ(0, m.GetTopIndex());
    m.MouseWheel(240);
    EXPECT_EQ(0, m.GetTopIndex());
}

TEST(ListGeometry, FitColumnsGivesTheMainColumnAtLeastTwentyPixels)
{
    TestModel m;
    m.client = CRect(0, 0, 110, 120);
    m.AddColumn("A", LVCFMT_LEFT, 50);
    m.AddColumn("B", LVCFMT_LEFT, 100);
    m.AddColumn("C", LVCFMT_LEFT, 50);
    m.FitColumns();
    EXPECT_EQ(20, m.GetColumnWidth(0));
    EXPECT_EQ(60, m.GetColumnWidth(1));
    EXPECT_EQ(30, m.GetColumnWidth(2));
    m.SetColumnWidth(1, 10);
    m.SetColumnWidth(2, 10);
    m.FitColumns();
    EXPECT_EQ(90, m.GetColumnWidth(0)) << "room enough: the main column takes the rest";
}

TEST(ListGeometry, DraggingADividerWithTheLastColumnFillingLeavesNoColumnUnderFivePixels)
{
    TestModel m;
    m.AddColumn("A", LVCFMT_LEFT, 80);
    m.AddColumn("B", LVCFMT_LEFT, 60);
    m.AddColumn("C", LVCFMT_LEFT, 60);
    m.ModifyListStyleEx(0, OZWLS_EX_LASTCOLFILLS, FALSE);
    m.ResizeColumnBy(1, 50);
    EXPECT_EQ((std::vector<int>{ 80, 110, 10 }),
              (std::vector<int>{ m.GetColumnWidth(0), m.GetColumnWidth(1), m.GetColumnWidth(2) }));
    m.ResizeColumnBy(1, 30);
    EXPECT_EQ((std::vector<int>{ 55, 140, 5 }),
              (std::vector<int>{ m.GetColumnWidth(0), m.GetColumnWidth(1), m.GetColumnWidth(2) }));
    m.ResizeColumnBy(1, 200);
    EXPECT_EQ((std::vector<int>{ 5, 190, 5 }),
              (std::vector<int>{ m.GetColumnWidth(0), m.GetColumnWidth(1), m.GetColumnWidth(2) }));
    EXPECT_FALSE(m.IsResizableColumn(2));
    EXPECT_TRUE(m.IsResizableColumn(1));
}

TEST(ListGeometry, SwitchingOnLastColumnFillsFitsItAtOnce)
{
    TestModel m;
    m.AddColumn("A", LVCFMT_LEFT, 80);
    m.AddColumn("B", LVCFMT_LEFT, 30);
    m.ModifyListStyleEx(0, OZWLS_EX_LASTCOLFILLS, FALSE);
    EXPECT_EQ(120, m.GetColumnWidth(1));
}

TEST(ListGeometry, HitTestTable)
{
    TestModel m;
    m.AddColumn("A", LVCFMT_LEFT, 80);
    m.AddColumn("B", LVCFMT_LEFT, 60);
    m.AddColumn("C", LVCFMT_LEFT, 40);
    m.Fill(5);
    for (int i = 0; i < 5; ++i) {
        m.SetRowHeight(i, 10);
        m.GetItemRecord(i)->m_rcLabel = CRect(20, 0, 60, 10);
        m.GetItemRecord(i)->m_rcIcon = CRect(2, 0, 18, 10);
    }
    struct Case
    {
        int x, y;
        int wantItem;
        UINT wantFlags;
        int wantColumn;
    };
    const UINT ROW = OZWHT_ONROW;
    const Case cases[] = {
        { -1, 50, -1, OZWHT_TOLEFT, -1 },
        { 50, -1, -1, OZWHT_ABOVE, -1 },
        { 250, 50, -1, OZWHT_TORIGHT, -1 },
        { 50, 130, -1, OZWHT_BELOW, -1 },
        { 30, 25, 0, ROW | OZWHT_ONLABEL, 0 },
        { 10, 35, 1, ROW | OZWHT_ONICON, 0 },
        { 1, 35, 1, ROW | OZWHT_LEFTOFLABEL, 0 },
        { 70, 35, 1, ROW | OZWHT_RIGHTOFLABEL, 0 },
        { 100, 35, 1, ROW, 1 },
        { 50, 100, -1, OZWHT_NOWHERE, 0 },
        { 84, 5, 0, OZWHT_ONDIVIDER, 1 },
        { 76, 5, 0, OZWHT_ONDIVIDER, 0 },
        { 85, 5, 1, OZWHT_ONHEADER, 1 },
        { 190, 5, -1, OZWHT_NOWHERE, -1 },
    };
    for (const Case& c : cases) {
        UINT nFlags = 0;
        int nColumn = -2;
        EXPECT_EQ(c.wantItem, m.HitTest(c.x, c.y, &nFlags, &nColumn)) << c.x << "," << c.y;
        EXPECT_EQ(c.wantFlags, nFlags) << c.x << "," << c.y;
        EXPECT_EQ(c.wantColumn, nColumn) << c.x << "," << c.y;
    }
    // The last column keeps its header button when it fills the width;
    // only its divider goes.
    m.ModifyListStyleEx(0, OZWLS_EX_LASTCOLFILLS, FALSE);
    UINT nFlags = 0;
    EXPECT_EQ(2, m.HitTest(m.GetColumnRight(2) - 2, 5, &nFlags, nullptr));
    EXPECT_EQ((UINT)OZWHT_ONHEADER, nFlags);
}

TEST(ListGeometry, HitTestWithoutColumns)
{
    TestModel m;
    UINT nFlags = 0;
    EXPECT_EQ(-1, m.HitTest(10, 30, &nFlags, nullptr));
    EXPECT_EQ((UINT)OZWHT_NOWHERE, nFlags);
}

TEST(ListGeometry, ClickDecisionTable)
{
    TestModel m;
    m.AddColumn("A", LVCFMT_LEFT, 80);
    m.AddColumn("B", LVCFMT_LEFT, 60);
    m.Fill(2);
    m.GetItemRecord(0)->m_rcIcon = CRect(2, 0, 18, 10);
    struct Case
    {
        int x;
        int item;
        UINT flags;
        DWORD exStyle;
        BOOL wantPending, wantSelect;
    };
    const UINT ROW = OZWHT_ONROW;
    const Case cases[] = {
        { 30, 0, ROW | OZWHT_ONLABEL, 0, TRUE, TRUE },
        { 10, 0, ROW | OZWHT_ONICON, 0, TRUE, TRUE },
        { 19, 0, ROW | OZWHT_LEFTOFLABEL, 0, TRUE, TRUE },
        { 1, 0, ROW | OZWHT_LEFTOFLABEL, 0, FALSE, FALSE },
        { 70, 0, ROW | OZWHT_RIGHTOFLABEL, 0, FALSE, FALSE },
        { 100, 0, ROW, OZWLS_EX_FULLROWSELECT, TRUE, TRUE },
        { 100, 0, ROW | OZWHT_ONSTATEICON, OZWLS_EX_FULLROWSELECT, FALSE, FALSE },
        { 100, 1, OZWHT_ONHEADER, OZWLS_EX_HEADERDRAGDROP, TRUE, FALSE },
        { 10, 0, OZWHT_ONHEADER, OZWLS_EX_HEADERDRAGDROP, FALSE, FALSE },
    };
    for (const Case& c : cases) {
        m.m_dwListStyleEx = c.exStyle;
        BOOL bPending = -1, bSelect = -1;
        m.OnClickDecision(CPoint(c.x, 25), c.item, c.flags, &bPending, &bSelect);
        EXPECT_EQ(c.wantPending, bPending) << c.x << " flags " << std::hex << c.flags;
        EXPECT_EQ(c.wantSelect, bSelect) << c.x << " flags " << std::hex << c.flags;
    }
}

TEST(ListGeometry, SubItemRectangles)
{
    TestModel m;
    m.AddColumn("A", LVCFMT_LEFT, 80);
    m.AddColumn("B", LVCFMT_RIGHT, 60);
    m.Fill(3);
    for (int i = 0; i < 3; ++i) {
        m.SetRowHeight(i, 12);
        m.GetItemRecord(i)->m_rcLabel = CRect(6, 2, 40, 10);
        m.GetItemRecord(i)->m_cells[0]->m_rcText = CRect(6, 2, 26, 10);
    }
    CRect rc;
    ASSERT_TRUE(m.GetSubItemRect(1, 1, &rc, 0));
    EXPECT_EQ(CRect(80, 32, 140, 44), rc);
    ASSERT_TRUE(m.GetSubItemRect(1, 0, &rc, 2));
    EXPECT_EQ(CRect(6, 34, 40, 42), rc);
    ASSERT_TRUE(m.GetSubItemRect(1, 1, &rc, 2));
    EXPECT_EQ(CRect(80 + 60 - 5 - 20, 34, 80 + 60 - 5, 42), rc) << "right-aligned as drawn";
    m.m_nTopIndex = 2;
    EXPECT_FALSE(m.GetSubItemRect(1, 0, &rc, 0)) << "above the top row";
}

TEST(ListPaintRules, TextColoursTable)
{
    TestModel m;
    m.AddColumn("A");
    m.SetTextColor(RGB(1, 1, 1));
    m.SetTextBkColor(RGB(2, 2, 2));
    m.SetSelTextColor(RGB(3, 3, 3));
    m.SetSelBkColor(RGB(4, 4, 4));
    m.SetGrayTextColor(RGB(5, 5, 5));
    const COLORREF disabledBk = m.GetSharedColor(OZWListModel::sharedDisabledBk);
    const COLORREF menuText = m.GetSharedColor(OZWListModel::sharedNoFocusSelText);
    struct Case
    {
        const char* name;
        BOOL enabled, focused;
        DWORD style, exStyle;
        UINT state;
        int subItem;
        UINT rowFlags;
        COLORREF text, bk;
    };
    const UINT SEL = LVIS_SELECTED;
    const Case cases[] = {
        { "disabled", FALSE, TRUE, 0, 0, SEL, 0, 0, RGB(5, 5, 5), disabledBk },
        { "unselected", TRUE, TRUE, 0, 0, 0, 0, 0, RGB(1, 1, 1), RGB(2, 2, 2) },
        { "unselected greyed row", TRUE, TRUE, 0, 0, 0, 0, OZWROW_GRAYED, RGB(5, 5, 5), RGB(2, 2, 2) },
        { "selected, focused", TRUE, TRUE, 0, 0, SEL, 0, 0, RGB(3, 3, 3), RGB(4, 4, 4) },
        { "selected greyed row", TRUE, TRUE, 0, 0, SEL, 0, OZWROW_GRAYED, RGB(5, 5, 5), RGB(4, 4, 4) },
        { "selected, no focus", TRUE, FALSE, 0, 0, SEL, 0, 0, RGB(1, 1, 1), RGB(2, 2, 2) },
        { "selected, no focus, shown always", TRUE, FALSE, OZWLS_SHOWSELALWAYS, 0, SEL, 0, 0, menuText, disabledBk },
        { "sub-item of a selected row", TRUE, TRUE, 0, 0, SEL, 1, 0, RGB(1, 1, 1), RGB(2, 2, 2) },
        { "sub-item, full row", TRUE, TRUE, 0, OZWLS_EX_FULLROWSELECT, SEL, 1, 0, RGB(3, 3, 3), RGB(4, 4, 4) },
        { "drop-highlighted", TRUE, FALSE, 0, 0, LVIS_DROPHILITED, 0, 0, RGB(3, 3, 3), RGB(4, 4, 4) },
    };
    for (const Case& c : cases) {
        m.enabled = c.enabled;
        m.focused = c.focused;
        m.m_dwListStyle = OZWLS_REPORT | c.style;
        m.m_dwListStyleEx = c.exStyle;
        OZWListPaintContext ctx(nullptr);
        ctx.m_item.state = c.state;
        ctx.m_item.iSubItem = c.subItem;
        ctx.m_nRowFlags = c.rowFlags;
        m.ComputeTextColors(&ctx);
        EXPECT_EQ(c.text, ctx.m_crText) << c.name;
        EXPECT_EQ(c.bk, ctx.m_crTextBk) << c.name;
    }
}
