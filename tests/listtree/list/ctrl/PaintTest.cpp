// What the list control paints, read back from a memory bitmap at a few
// pixels: the header, selected and plain rows, grid lines, a disabled list.
#include "tests/listtree/list/ctrl/ListWindowFixture.h"
#include "tests/support/MemoryBitmap.h"

using namespace lctest;

namespace {

const COLORREF kWindow = RGB(255, 255, 255);
const COLORREF kSelected = RGB(200, 0, 0);
const COLORREF kText = RGB(0, 0, 128);

class ListPaintTest : public ListWindowTest
{
protected:
    void SetUp() override
    {
        MakeList();
        Fill(6);
        list->SetBkColor(kWindow);
        list->SetTextColor(kText);
        list->SetSelBkColor(kSelected);
        list->SetSelTextColor(RGB(255, 255, 0));
        list->SetFocusAndSelect(2, TRUE);
        list->DeselectAllExcept(2);
        list->SetFocus();
    }
    // Paints the list into a bitmap as large as its client area.
    void Paint(kvtest::MemoryBitmap& bitmap) { list->DoPaint(bitmap.DC()); }
    // A point in the empty right part of the main cell of a row.
    CPoint EmptyPartOf(int nItem)
    {
        CRect rc;
        list->GetSubItemRect(nItem, 0, &rc, 0);
        return CPoint(rc.right - 4, (rc.top + rc.bottom) / 2);
    }
};

} // namespace

TEST_F(ListPaintTest, RowsHeaderAndSelection)
{
    kvtest::MemoryBitmap bitmap(400, 300);
    Paint(bitmap);
    EXPECT_EQ(kSelected, bitmap.At(EmptyPartOf(2))) << "the selected row's cell";
    EXPECT_EQ(kWindow, bitmap.At(EmptyPartOf(1)));
    EXPECT_EQ(kWindow, bitmap.At(EmptyPartOf(3)));
    // The sub-item cell of the selected row is plain without full-row selection.
    CRect cell;
    list->GetSubItemRect(2, 1, &cell, 0);
    EXPECT_EQ(kWindow, bitmap.At(cell.left + 4, (cell.top + cell.bottom) / 2));
    // The header: its buttons (themed or classic) with their titles.
    const int nHeaderPixels = 400 * list->GetHeaderHeight();
    EXPECT_LT(bitmap.Count(CRect(0, 0, 400, list->GetHeaderHeight()), kWindow), nHeaderPixels);
    EXPECT_GT(bitmap.Count(CRect(0, 0, 100, list->GetHeaderHeight()), ::GetSysColor(COLOR_BTNTEXT)), 0) << "\"Name\"";
    // Text of row 1 is drawn in the text colour.
    CRect label;
    list->GetItemRect(1, &label, 2);
    EXPECT_GT(bitmap.Count(label, kText), 0);
    // Below the last row: the window's background.
    EXPECT_EQ(kWindow, bitmap.At(100, 280));
}

TEST_F(ListPaintTest, FullRowSelectionAndGridLines)
{
    list->ModifyListStyleEx(0, OZWLS_EX_FULLROWSELECT | OZWLS_EX_VERTGRID | OZWLS_EX_HORZGRID, TRUE);
    kvtest::MemoryBitmap bitmap(400, 300);
    Paint(bitmap);
    CRect cell;
    list->GetSubItemRect(2, 1, &cell, 0);
    EXPECT_EQ(kSelected, bitmap.At(cell.left + 4, (cell.top + cell.bottom) / 2));
    CRect row;
    list->GetSubItemRect(3, 0, &row, 0);
    const COLORREF grid = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(grid, bitmap.At(row.right - 1, (row.top + row.bottom) / 2)) << "vertical line at the column's edge";
    EXPECT_EQ(grid, bitmap.At(row.left + 60, row.bottom - 1)) << "horizontal line under the row";
}

TEST_F(ListPaintTest, ADisabledListIsGreyWhateverTheSelection)
{
    list->EnableWindow(FALSE);
    kvtest::MemoryBitmap bitmap(400, 300);
    Paint(bitmap);
    const COLORREF disabled = list->GetSharedColor(OZWListModel::sharedDisabledBk);
    EXPECT_EQ(disabled, bitmap.At(EmptyPartOf(2)));
    EXPECT_EQ(disabled, bitmap.At(EmptyPartOf(1)));
}

TEST_F(ListPaintTest, ASelectionWithoutFocusShowsOnlyWhenAskedTo)
{
    ::SetFocus(parent.m_hWnd);
    kvtest::MemoryBitmap bitmap(400, 300);
    Paint(bitmap);
    EXPECT_EQ(kWindow, bitmap.At(EmptyPartOf(2)));
    list->ModifyListStyle(0, OZWLS_SHOWSELALWAYS, FALSE);
    Paint(bitmap);
    EXPECT_EQ(list->GetSharedColor(OZWListModel::sharedDisabledBk), bitmap.At(EmptyPartOf(2)));
}

TEST_F(ListPaintTest, PaintingAPageDoesNotMeasureRowsBelowIt)
{
    Fill(5000);
    for (int i = 0; i < list->GetItemCount(); ++i)
        list->GetItemRecord(i)->m_bNeedsMeasure = TRUE;
    kvtest::MemoryBitmap bitmap(400, 300);
    Paint(bitmap);
    EXPECT_FALSE(list->GetItemRecord(0)->m_bNeedsMeasure);
    EXPECT_TRUE(list->GetItemRecord(200)->m_bNeedsMeasure);
}
