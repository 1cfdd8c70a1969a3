// The current cell, keyboard navigation, selection and in-place editing of a
// grid without a window.
#include "GridTestSupport.h"

using namespace gridtest;

namespace {

// A plain grid that records its editing hooks and can refuse a value.
struct HookedGrid : CGRGridCore
{
    std::vector<std::string> calls;
    CString refuseText;       // OnValidateCell refuses this text
    BOOL bRefuseStart = FALSE;
    BOOL bRefuseLeave = FALSE;

    HookedGrid(ROWCOL nRows, ROWCOL nCols) { LayOut(*this, nRows, nCols); }
    BOOL OnStartEditing(ROWCOL r, ROWCOL c) override
    {
        calls.push_back("start " + std::to_string(r) + "," + std::to_string(c));
        return !bRefuseStart;
    }
    BOOL OnValidateCell(ROWCOL r, ROWCOL c) override
    {
        CString t;
        GetCurrentCellControl()->GetCurrentText(t);
        calls.push_back("validate " + std::string(t.GetString()));
        if (!refuseText.IsEmpty() && t == refuseText)
            return FALSE;
        return CGRGridCore::OnValidateCell(r, c);
    }
    BOOL OnEndEditing(ROWCOL r, ROWCOL c) override
    {
        calls.push_back("end");
        return TRUE;
    }
    BOOL OnCancelEditing(ROWCOL r, ROWCOL c) override
    {
        calls.push_back("cancel");
        return TRUE;
    }
    BOOL OnLeftCell(ROWCOL r, ROWCOL c, ROWCOL nr, ROWCOL nc) override
    {
        return !bRefuseLeave;
    }
    void OnMovedCurrentCell(ROWCOL r, ROWCOL c) override
    {
        calls.push_back("moved " + std::to_string(r) + "," + std::to_string(c));
    }
};

} // namespace

TEST(GridCurrentCell, RefusesHeadersHiddenAndOutOfRangeCells)
{
    HookedGrid g(5, 5);
    EXPECT_TRUE(g.SetCurrentCell(2, 3));
    EXPECT_EQ("2,3", Cur(g));
    EXPECT_FALSE(g.SetCurrentCell(0, 3));
    EXPECT_FALSE(g.SetCurrentCell(2, 0));
    EXPECT_FALSE(g.SetCurrentCell(6, 1));
    EXPECT_FALSE(g.SetCurrentCell(GR_INVALID, 1));
    g.HideCols(4, 4);
    EXPECT_FALSE(g.SetCurrentCell(1, 4));
    g.SetStyleRange(CGRRange(1, 5), CGRStyle().SetEnabled(FALSE));
    EXPECT_FALSE(g.SetCurrentCell(1, 5));
    EXPECT_EQ("2,3", Cur(g));
}

TEST(GridCurrentCell, HidingTheCurrentColumnMovesTheCurrentCell)
{
    HookedGrid g(3, 5);
    g.SetCurrentCell(2, 3);
    g.HideCols(3, 3);
    EXPECT_EQ("2,4", Cur(g));
    g.HideCols(4, 5);
    EXPECT_EQ("2,2", Cur(g));
}

namespace {

// A key pressed, the keys held with it, and the current cell after it.
struct KeyStep
{
    UINT vk;
    std::initializer_list<int> held;
    const char* expect;
};

void PressKeys(CGRGridCore& g, std::initializer_list<KeyStep> steps)
{
    for (const KeyStep& s : steps)
    {
        KeysDown held(s.held);
        EXPECT_TRUE(Key(g, s.vk));
        EXPECT_EQ(s.expect, Cur(g)) << "key " << s.vk;
    }
}

} // namespace

TEST(GridKeyboard, ArrowsTabPagesHomeAndEndMoveTheCurrentCell)
{
    HookedGrid g(100, 6);
    g.HideCols(3, 3);
    g.SetCurrentCell(5, 2);
    PressKeys(g, {
        { VK_RIGHT, {}, "5,4" },                   // skips the hidden column
        { VK_LEFT, {}, "5,2" },
        { VK_DOWN, {}, "6,2" },
        { VK_UP, {}, "5,2" },
        { VK_END, {}, "5,6" },
        { VK_TAB, {}, "6,1" },                     // Tab at the row's end goes on to the next row
        { VK_TAB, { VK_SHIFT }, "5,6" },           // and Shift+Tab back
        { VK_HOME, {}, "5,1" },
        { VK_NEXT, {}, "19,1" },                   // 280 / 20 = 14 rows a page
        { VK_PRIOR, {}, "5,1" },
        { VK_END, { VK_CONTROL }, "100,6" },
        { VK_HOME, { VK_CONTROL }, "1,1" },
        { VK_UP, {}, "1,1" },                      // nothing above the first row
    });
    EXPECT_TRUE(g.IsCellVisible(1, 1));
}

// Tables often hide their first and last columns (a key, say): the moves to
// a row's ends and the grid's corners then land on the shown columns.
TEST(GridKeyboard, CornersAndRowEndsSkipHiddenEdgeColumns)
{
    HookedGrid g(100, 6);
    g.HideCols(1, 1);
    g.HideCols(6, 6);
    g.HideRows(100, 100);
    g.SetCurrentCell(5, 3);
    PressKeys(g, {
        { VK_END, { VK_CONTROL }, "99,5" },
        { VK_HOME, { VK_CONTROL }, "1,2" },
        { VK_END, {}, "1,5" },
        { VK_TAB, {}, "2,2" },                     // on to the next row's first shown cell
        { VK_TAB, { VK_SHIFT }, "1,5" },           // and back to the last shown cell above
        { VK_HOME, {}, "1,2" },
    });
    // Without a current cell, the record beam's first and last records.
    g.ResetCurrentCell();
    EXPECT_TRUE(g.OnInfoWndMoveRecord(GR_MOVE_FIRST, 0));
    EXPECT_EQ("1,2", Cur(g));
    g.ResetCurrentCell();
    EXPECT_TRUE(g.OnInfoWndMoveRecord(GR_MOVE_LAST, 0));
    EXPECT_EQ("99,2", Cur(g));
    // With every column hidden there is no cell to go to.
    g.ResetCurrentCell();
    g.HideCols(1, 6);
    EXPECT_FALSE(g.MoveCurrentCell(GR_TOPLEFT));
    EXPECT_FALSE(g.MoveCurrentCell(GR_BOTTOMRIGHT));
}

TEST(GridKeyboard, ShiftWithArrowsExtendsTheSelection)
{
    HookedGrid g(10, 10);
    g.SetCurrentCell(2, 2);
    {
        KeysDown held({ VK_SHIFT });
        Key(g, VK_DOWN);
        Key(g, VK_DOWN);
        Key(g, VK_RIGHT);
    }
    ASSERT_EQ(1, g.GetSelectionList()->GetCount());
    EXPECT_EQ(CGRRange(2, 2, 4, 3), g.GetSelectionList()->GetHead());
    CRowColArray rows;
    EXPECT_TRUE(g.GetSelectedRows(rows));
    ASSERT_EQ(3, rows.GetSize());
    EXPECT_EQ(2u, rows[0]);
    EXPECT_EQ(4u, rows[2]);
    // A plain move ends the selection.
    Key(g, VK_DOWN);
    EXPECT_TRUE(g.GetSelectionList()->IsEmpty());
}

TEST(GridSelection, SelectedRowsAreAscendingAndUnique)
{
    HookedGrid g(20, 5);
    g.SetCurrentCell(7, 1);
    CRowColArray rows;
    EXPECT_TRUE(g.GetSelectedRows(rows));     // the current cell's row stands in
    ASSERT_EQ(1, rows.GetSize());
    EXPECT_EQ(7u, rows[0]);
    EXPECT_FALSE(g.GetSelectedRows(rows, FALSE, FALSE));
    // Ranges selected bottom-up and overlapping.
    g.SelectRange(CGRRange(12, 1, 10, 2));
    g.SelectRange(CGRRange().SetRows(3, 4));
    g.SelectRange(CGRRange(11, 4, 13, 4));
    EXPECT_TRUE(g.GetSelectedRows(rows));
    std::vector<ROWCOL> got(rows.Vector());
    EXPECT_EQ((std::vector<ROWCOL>{ 3, 4, 10, 11, 12, 13 }), got);
    EXPECT_TRUE(g.GetSelectedRows(rows, TRUE));
    EXPECT_EQ((std::vector<ROWCOL>{ 3, 4 }), rows.Vector());
    g.SetSelection(nullptr);
    EXPECT_TRUE(g.GetSelectionList()->IsEmpty());
}

TEST(GridEditing, TypingEditsAndEnterStoresThroughTheHooks)
{
    HookedGrid g(5, 5);
    g.SetValueRange(CGRRange(2, 2), "old");
    g.SetCurrentCell(2, 2);
    g.calls.clear();
    EXPECT_TRUE(Type(g, "new"));
    EXPECT_TRUE(g.IsActiveCurrentCell());
    EXPECT_EQ(CString("old"), g.GetValueRowCol(2, 2));   // not stored while typing
    Key(g, VK_RETURN);
    EXPECT_EQ(CString("new"), g.GetValueRowCol(2, 2));
    EXPECT_FALSE(g.IsActiveCurrentCell());
    EXPECT_EQ("3,2", Cur(g));                            // Enter moves down
    EXPECT_EQ((std::vector<std::string>{ "start 2,2", "validate new", "end", "moved 3,2" }), g.calls);
}

TEST(GridEditing, EscapeDropsTheTypedText)
{
    HookedGrid g(5, 5);
    g.SetValueRange(CGRRange(1, 1), "keep");
    g.SetCurrentCell(1, 1);
    Type(g, "xyz");
    g.calls.clear();
    Key(g, VK_ESCAPE);
    EXPECT_FALSE(g.IsActiveCurrentCell());
    EXPECT_EQ(CString("keep"), g.GetValueRowCol(1, 1));
    EXPECT_EQ((std::vector<std::string>{ "cancel", "end" }), g.calls);
    // F2 opens the control with the cell's text.
    Key(g, VK_F2);
    CString t;
    g.GetCurrentCellControl()->GetCurrentText(t);
    EXPECT_EQ(CString("keep"), t);
}

TEST(GridEditing, AnInvalidValueKeepsTheControlOpenAndTheCellCurrent)
{
    HookedGrid g(5, 5);
    g.refuseText = "bad";
    g.SetCurrentCell(3, 3);
    Type(g, "bad");
    EXPECT_FALSE(g.SetCurrentCell(4, 4));
    EXPECT_EQ("3,3", Cur(g));
    EXPECT_TRUE(g.IsActiveCurrentCell());
    Key(g, VK_DOWN);
    EXPECT_EQ("3,3", Cur(g));
    EXPECT_EQ(CString(""), g.GetValueRowCol(3, 3));
    // Corrected, the move goes through.
    g.GetCurrentCellControl()->SetCurrentText("good");
    EXPECT_TRUE(g.SetCurrentCell(4, 4));
    EXPECT_EQ(CString("good"), g.GetValueRowCol(3, 3));
}

TEST(GridEditing, ReadOnlyCellsAndRefusedStartsOpenNoControl)
{
    HookedGrid g(5, 5);
    g.SetStyleRange(CGRRange(1, 1), CGRStyle().SetReadOnly(TRUE));
    g.SetCurrentCell(1, 1);
    EXPECT_FALSE(g.ActivateCurrentCell());
    g.calls.clear();
    Type(g, "x");
    EXPECT_TRUE(g.calls.empty());                // OnStartEditing not even asked
    g.SetCurrentCell(2, 2);
    g.bRefuseStart = TRUE;
    EXPECT_FALSE(g.ActivateCurrentCell());
    EXPECT_FALSE(g.IsActiveCurrentCell());
    g.SetStyleRange(CGRRange(3, 3), CGRStyle().SetControl(GR_IDS_CTRL_STATIC));
    g.bRefuseStart = FALSE;
    g.SetCurrentCell(3, 3);
    EXPECT_FALSE(g.ActivateCurrentCell());       // static text is never edited
}

TEST(GridEditing, DeleteClearsTheSelectedEditableCells)
{
    HookedGrid g(5, 5);
    g.SetValueRange(CGRRange(1, 1, 3, 3), "v");
    g.SetStyleRange(CGRRange(2, 2), CGRStyle().SetReadOnly(TRUE));
    g.SetCurrentCell(1, 1);
    g.SelectRange(CGRRange(1, 1, 2, 2));
    Key(g, VK_DELETE);
    EXPECT_EQ(CString(""), g.GetValueRowCol(1, 1));
    EXPECT_EQ(CString(""), g.GetValueRowCol(2, 1));
    EXPECT_EQ(CString("v"), g.GetValueRowCol(2, 2));
    EXPECT_EQ(CString("v"), g.GetValueRowCol(3, 3));
}

TEST(GridEditing, CheckBoxToggledBySpace)
{
    HookedGrid g(3, 3);
    g.SetStyleRange(CGRRange().SetCols(2), CGRStyle().SetControl(GR_IDS_CTRL_CHECKBOX));
    g.SetValueRange(CGRRange(1, 2), "0");
    g.SetCurrentCell(1, 2);
    g.ProcessKeys(nullptr, WM_KEYDOWN, VK_SPACE, 1, 0);
    g.ProcessKeys(nullptr, WM_CHAR, ' ', 1, 0);
    EXPECT_EQ(CString("1"), g.GetValueRowCol(1, 2));
    g.ProcessKeys(nullptr, WM_CHAR, ' ', 1, 0);
    EXPECT_EQ(CString("0"), g.GetValueRowCol(1, 2));
}

TEST(GridEditing, DropDownListAcceptsOnlyItsEntries)
{
    HookedGrid g(3, 3);
    g.SetStyleRange(CGRRange(1, 1), CGRStyle().SetControl(GR_IDS_CTRL_CBS_DROPDOWNLIST).SetChoiceList("one\ntwo"));
    g.SetCurrentCell(1, 1);
    ASSERT_TRUE(g.ActivateCurrentCell());
    CGRControl* p = g.GetCurrentCellControl();
    ASSERT_TRUE(p->IsKindOf(GR_CONTROL_CLASS(CGRComboBox)));
    p->SetCurrentText("three");
    p->SetModify(TRUE);
    EXPECT_FALSE(g.TransferCurrentCell());
    p->SetCurrentText("two");
    EXPECT_TRUE(g.TransferCurrentCell());
    EXPECT_EQ(CString("two"), g.GetValueRowCol(1, 1));
}

TEST(GridEditing, UndoAndRedoRestoreCellValues)
{
    HookedGrid g(3, 3);
    g.SetValueRange(CGRRange(1, 1), "a");
    g.SetValueRange(CGRRange(1, 1, 1, 2), "b");
    EXPECT_TRUE(g.CanUndo());
    EXPECT_TRUE(g.Undo());
    EXPECT_EQ(CString("a"), g.GetValueRowCol(1, 1));
    EXPECT_EQ(CString(""), g.GetValueRowCol(1, 2));
    EXPECT_TRUE(g.Redo());
    EXPECT_EQ(CString("b"), g.GetValueRowCol(1, 2));
    EXPECT_TRUE(g.Undo());
    EXPECT_TRUE(g.Undo());
    EXPECT_EQ(CString(""), g.GetValueRowCol(1, 1));
    EXPECT_FALSE(g.Undo());
}
