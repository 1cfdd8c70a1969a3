// The browse state machine of a grid over records: editing, storing once
// when the row is left, cancelling, refused stores, the append row and
// reading only the rows shown.
#include "GridTestSupport.h"

using namespace gridtest;

TEST(GridBrowse, AnEditedRowIsStoredOnceWhenLeftAndShowsItsValueAfter)
{
    CMemoryBrowser g(10, 3);
    g.SetCurrentCell(2, 2);
    Type(g, "X");
    Key(g, VK_TAB);                       // same row: nothing stored yet
    Type(g, "Y");
    EXPECT_EQ(0, g.nFlushes);
    EXPECT_EQ(GR_EDITMODE_EDIT, g.GetEditMode());
    Key(g, VK_DOWN);                      // leaving the row stores it
    ASSERT_EQ(1, g.nFlushes);
    EXPECT_EQ(2u, g.flushedRows[0]);
    EXPECT_EQ((std::map<ROWCOL, CString>{ { 2, "X" }, { 3, "Y" } }), g.flushedValues[0]);
    EXPECT_EQ(GR_EDITMODE_NONE, g.GetEditMode());
    // Coming back and moving about stores nothing more.
    Key(g, VK_UP);
    Key(g, VK_LEFT);
    Key(g, VK_DOWN);
    Key(g, VK_DOWN);
    EXPECT_EQ(1, g.nFlushes);
    EXPECT_EQ(CString("X"), g.GetValueRowCol(2, 2));
    EXPECT_EQ(CString("Y"), g.GetValueRowCol(2, 3));
    EXPECT_EQ(CString("r1c2"), g.records[0][1]);
    EXPECT_EQ(CString("r3c2"), g.records[2][1]);
}

TEST(GridBrowse, EscapeCancelsTheCellThenTheRecord)
{
    CMemoryBrowser g(5, 3);
    g.SetCurrentCell(1, 1);
    Type(g, "A");
    Key(g, VK_TAB);
    Type(g, "B");
    Key(g, VK_ESCAPE);                    // the open cell only
    EXPECT_FALSE(g.IsActiveCurrentCell());
    EXPECT_EQ(CString("A"), g.GetValueRowCol(1, 1));
    EXPECT_EQ(CString("r1c2"), g.GetValueRowCol(1, 2));
    EXPECT_EQ(GR_EDITMODE_EDIT, g.GetEditMode());
    Key(g, VK_ESCAPE);                    // then the whole record
    EXPECT_EQ(GR_EDITMODE_NONE, g.GetEditMode());
    EXPECT_EQ(CString("r1c1"), g.GetValueRowCol(1, 1));
    Key(g, VK_DOWN);
    EXPECT_EQ(0, g.nFlushes);
    EXPECT_EQ(CString("r1c1"), g.records[0][0]);
}

TEST(GridBrowse, ARefusedStoreKeepsTheTypedTextAndTheRow)
{
    MessageBoxRecorder boxes;
    CMemoryBrowser g(5, 2);
    g.bRefuseFlush = TRUE;
    g.strRefusal = "The description cannot be blank.";
    g.SetCurrentCell(3, 1);
    Type(g, "typed");
    Key(g, VK_DOWN);
    EXPECT_EQ("3,1", Cur(g));
    ASSERT_EQ(1u, boxes.texts.size());
    EXPECT_EQ("The description cannot be blank.", boxes.texts[0]);
    EXPECT_EQ(CString("typed"), g.GetValueRowCol(3, 1));
    EXPECT_EQ(GR_EDITMODE_EDIT, g.GetEditMode());
    EXPECT_FALSE(g.SetCurrentCell(1, 1));
    CString err;
    EXPECT_FALSE(g.Update(&err));
    EXPECT_EQ(CString("The description cannot be blank."), err);
    EXPECT_EQ(CString("typed"), g.GetValueRowCol(3, 1));
    // Once the store is accepted the same values go in, once.
    g.bRefuseFlush = FALSE;
    EXPECT_TRUE(g.SetCurrentCell(1, 1));
    ASSERT_EQ(1, g.nFlushes);
    EXPECT_EQ(CString("typed"), g.records[2][0]);
}

TEST(GridBrowse, TheAppendRowAddsARecord)
{
    CMemoryBrowser g(3, 2);
    EXPECT_EQ(4u, g.GetRowCount());
    EXPECT_EQ(4u, g.GetAppendRow());
    {
        KeysDown ctrl({ VK_CONTROL });
        Key(g, VK_END);
    }
    EXPECT_EQ("4,2", Cur(g));
    EXPECT_TRUE(g.IsOnLastRecord());
    Key(g, VK_HOME);
    Type(g, "new");
    Key(g, VK_RETURN);                    // stores the cell; there is no row below
    EXPECT_EQ(GR_EDITMODE_ADDNEW, g.GetEditMode());
    EXPECT_EQ(0, g.nFlushes);
    Key(g, VK_UP);
    ASSERT_EQ(1, g.nFlushes);
    EXPECT_EQ(1, g.nAddedNew);
    ASSERT_EQ(4u, g.records.size());
    EXPECT_EQ(CString("new"), g.records[3][0]);
    EXPECT_EQ(5u, g.GetRowCount());
    EXPECT_EQ(5u, g.GetAppendRow());
    EXPECT_EQ(CString("new"), g.GetValueRowCol(4, 1));
}

TEST(GridBrowse, LeavingAnUntouchedAppendRowAddsNothing)
{
    CMemoryBrowser g(2, 2);
    g.SetCurrentCell(3, 1);
    EXPECT_TRUE(g.Edit(3));
    EXPECT_EQ(GR_EDITMODE_ADDNEW, g.GetEditMode());
    EXPECT_TRUE(g.SetCurrentCell(1, 1));
    EXPECT_EQ(0, g.nFlushes);
    EXPECT_EQ(2u, g.records.size());
    EXPECT_EQ(GR_EDITMODE_NONE, g.GetEditMode());
}

TEST(GridBrowse, EnterStoresADirtyRecordAndTypingMarksIt)
{
    CMemoryBrowser g(4, 2);
    g.SetCurrentCell(2, 1);
    EXPECT_FALSE(g.IsRecordDirty());
    Type(g, "Z");
    // Typed but not yet stored in the cell: the record is already being edited.
    EXPECT_EQ(GR_EDITMODE_EDIT, g.GetEditMode());
    EXPECT_TRUE(g.IsRecordDirty());
    Key(g, VK_RETURN);                    // stores the cell, moves down: stores the record
    EXPECT_EQ(1, g.nFlushes);
    g.SetCurrentCell(1, 1);
    g.SetValueRange(CGRRange(1, 2), "prog");  // the program's own change
    EXPECT_EQ(GR_EDITMODE_EDIT, g.GetEditMode());
    Key(g, VK_RETURN);                    // no open cell: Enter stores the record
    EXPECT_EQ(2, g.nFlushes);
    EXPECT_EQ(CString("prog"), g.records[0][1]);
    EXPECT_TRUE(g.Update());              // nothing pending
    EXPECT_EQ(2, g.nFlushes);
}

TEST(GridBrowse, ValuesForAnotherRowStoreThePendingRecordFirst)
{
    CMemoryBrowser g(4, 2);
    g.SetValueRange(CGRRange(1, 1), "one");
    g.SetValueRange(CGRRange(3, 1), "three");
    ASSERT_EQ(1, g.nFlushes);
    EXPECT_EQ(1u, g.flushedRows[0]);
    EXPECT_EQ(3u, g.GetBrowseParam()->m_nEditRow);
    g.UndoRecord();
    EXPECT_EQ(CString("r3c1"), g.GetValueRowCol(3, 1));
    EXPECT_EQ(CString("one"), g.GetValueRowCol(1, 1));
}

TEST(GridBrowse, UndoWithinTheRecordBeingEdited)
{
    CMemoryBrowser g(3, 2);
    g.SetValueRange(CGRRange(2, 1), "a");
    g.SetValueRange(CGRRange(2, 2), "b");
    EXPECT_TRUE(g.Undo());
    EXPECT_EQ(CString("r2c2"), g.GetValueRowCol(2, 2));
    EXPECT_EQ(CString("a"), g.GetValueRowCol(2, 1));
    EXPECT_TRUE(g.Update());
    EXPECT_EQ((std::map<ROWCOL, CString>{ { 1, "a" } }), g.flushedValues.back());
    EXPECT_FALSE(g.CanUndo());            // a stored record has nothing to undo
}

TEST(GridBrowse, DeletingTheEditedRowCancelsItsEdit)
{
    CMemoryBrowser g(5, 2);
    g.SetValueRange(CGRRange(4, 1), "x");
    g.DeleteRows(3, 4);
    EXPECT_EQ(GR_EDITMODE_NONE, g.GetEditMode());
    EXPECT_EQ(0, g.nFlushes);
}

TEST(GridBrowse, ALargeSourceShowsItsFirstPageWithoutReadingEverything)
{
    CMemoryBrowser g(100000, 4);
    g.bLazyCount = TRUE;
    g.ResetRecordState();
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, 400, 300);
    ::ReleaseDC(nullptr, hScreen);
    ::SelectObject(hdc, hbm);
    g.OnGridDraw(CDC::FromHandle(hdc));
    ASSERT_FALSE(g.rowsRead.empty());
    EXPECT_LT(*g.rowsRead.rbegin(), 30u);
    EXPECT_FALSE(g.GetBrowseParam()->m_bRecordCountFinal);

    // Page to the end and back.
    g.SetCurrentCell(1, 1);
    for (int i = 0; i < 5; i++)
        Key(g, VK_NEXT);
    EXPECT_GT(g.GetTopRow(), 50u);
    EXPECT_LT(g.nMaxRowMovedTo, 200u);
    {
        KeysDown ctrl({ VK_CONTROL });
        Key(g, VK_END);
    }
    EXPECT_TRUE(g.GetBrowseParam()->m_bRecordCountFinal);
    EXPECT_EQ(100000, g.GetBrowseParam()->m_nRecordCount);
    EXPECT_EQ("100001,4", Cur(g));        // the append row
    g.rowsRead.clear();
    g.OnGridDraw(CDC::FromHandle(hdc));
    EXPECT_GE(*g.rowsRead.begin(), 99980u);
    {
        KeysDown ctrl({ VK_CONTROL });
        Key(g, VK_HOME);
    }
    EXPECT_EQ("1,1", Cur(g));
    EXPECT_EQ(1u, g.GetTopRow());
    ::DeleteDC(hdc);
    ::DeleteObject(hbm);
}

TEST(GridBrowse, RecordInfoFollowsTheCurrentRow)
{
    CMemoryBrowser g(7, 2);
    long rec, count;
    BOOL bFinal, bNew;
    g.SetCurrentCell(3, 1);
    g.GetRecordInfo(rec, count, bFinal, bNew);
    EXPECT_EQ(3, rec);
    EXPECT_EQ(7, count);
    EXPECT_TRUE(bFinal);
    EXPECT_FALSE(bNew);
    EXPECT_TRUE(g.OnInfoWndMoveRecord(GR_MOVE_NEW, 0));
    g.GetRecordInfo(rec, count, bFinal, bNew);
    EXPECT_TRUE(bNew);
    EXPECT_TRUE(g.OnInfoWndMoveRecord(GR_MOVE_FIRST, 0));
    EXPECT_EQ("1,1", Cur(g));
    EXPECT_TRUE(g.OnInfoWndMoveRecord(GR_MOVE_LAST, 0));
    EXPECT_EQ("7,1", Cur(g));
    EXPECT_TRUE(g.OnInfoWndMoveRecord(GR_MOVE_RECORD, 5));
    EXPECT_EQ("5,1", Cur(g));
    EXPECT_EQ(5u, g.GetBrowseParam()->m_nCurrentRow);
}
