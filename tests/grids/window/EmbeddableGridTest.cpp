// The embeddable grid: its window class, the objects it makes for the
// controls of a dialog, its wrap-around moves and its text export.
#include "grids/window/OZU_GridWnd.h"
#include "tests/grids/window/GridsWindowTestRes.h"
#include "tests/support/KeysDown.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A grid without a window, of a size and with texts in its cells.
class TextGrid : public OZU_GridWnd
{
public:
    TextGrid(ROWCOL nRows, ROWCOL nCols)
    {
        OnGridInitialUpdate();
        SetGridRect(TRUE, CRect(0, 0, 600, 400));
        SetRowCount(nRows, 0);
        SetColCount(nCols, 0);
    }
    void Set(ROWCOL nRow, ROWCOL nCol, const char* text) { SetValueRange(CGRRange(nRow, nCol), text, grOverride, 0, 0); }
    std::string Copy(const CGRRange& range)
    {
        CGRRangeList list;
        list.AddTail(range);
        CMemFile file;
        m_bWritten = CopyTextToFile(file, list);
        ULONGLONG n = file.GetLength();
        std::string text((size_t)n, '\0');
        file.SeekToBegin();
        file.Read(text.data(), (UINT)n);
        return text;
    }
    std::string Current()
    {
        ROWCOL row = 0, col = 0;
        GetCurrentCell(row, col);
        return std::to_string(row) + "," + std::to_string(col);
    }
    BOOL m_bWritten = FALSE;
};

// Every grid the window class made for a dialog's controls, while it lives.
int CountClassObjects()
{
    return (int)GRGetAppState()->m_pWindowMap->GetCount();
}

} // namespace

TEST(EmbeddableGrid, RegistersItsClassOnce)
{
    EXPECT_STREQ("OZU_GridWnd", OZU_GridWnd::RegisterClass());
    EXPECT_STREQ("OZU_GridWnd", OZU_GridWnd::RegisterClass());
    WNDCLASSA wc = {};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "OZU_GridWnd", &wc));
    EXPECT_EQ((UINT)CS_DBLCLKS, wc.style);
    OZU_GridWnd::UnregisterClass();
    EXPECT_FALSE(::GetClassInfoA(AfxGetInstanceHandle(), "OZU_GridWnd", &wc));
}

// A dialog with two grid controls gets two grids of their own, the first
// with the parameters its text names; both go with the dialog.
TEST(EmbeddableGrid, DialogControlsGetGridsOfTheirOwn)
{
    OZU_GridWnd::RegisterClass();
    const int before = CountClassObjects();
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_GRID_CONTROLS_TEST, nullptr));
    EXPECT_EQ(before + 2, CountClassObjects());
    auto* pFirst = dynamic_cast<OZU_GridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_GRID_CONTROL_A)));
    auto* pSecond = dynamic_cast<OZU_GridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_GRID_CONTROL_B)));
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_NE(pFirst, pSecond);
    EXPECT_TRUE(pFirst->IsInitialized());
    EXPECT_EQ(3u, pFirst->GetRowCount());
    EXPECT_EQ(2u, pFirst->GetColCount());
    EXPECT_EQ(CString("first"), pFirst->GetValueRowCol(1, 1));
    // No parameters named: the library's own.
    EXPECT_TRUE(pSecond->IsInitialized());
    dialog.DestroyWindow();
    EXPECT_EQ(before, CountClassObjects());

    // A grid made by code is its maker's: its window goes, the object stays.
    ASSERT_TRUE(dialog.Create(IDD_GRID_CONTROLS_TEST, nullptr));
    OZU_GridWnd* pMade = new OZU_GridWnd;
    ASSERT_TRUE(pMade->Create(0, CRect(0, 0, 50, 50), &dialog, 31599));
    pMade->Initialize();
    EXPECT_EQ(before + 2, CountClassObjects());
    dialog.DestroyWindow();
    EXPECT_EQ(before, CountClassObjects());
    EXPECT_EQ(nullptr, pMade->GetSafeHwnd());
    delete pMade;
}

// Tab and the arrow keys move around the grid's edges; Shift with an arrow
// is the library's selection.
TEST(EmbeddableGrid, KeysWrapAroundTheEdges)
{
    struct Case
    {
        const char* from;
        UINT key;
        bool shift;
        const char* to;
    };
    const Case cases[] = {
        { "3,4", VK_TAB, false, "1,1" },   { "1,1", VK_TAB, true, "3,4" },    { "2,4", VK_TAB, false, "3,1" },
        { "2,1", VK_TAB, true, "1,4" },    { "2,2", VK_TAB, false, "2,3" },   { "3,2", VK_DOWN, false, "1,2" },
        { "1,2", VK_UP, false, "3,2" },    { "2,2", VK_DOWN, false, "3,2" },  { "2,4", VK_RIGHT, false, "3,1" },
        { "1,1", VK_LEFT, false, "3,4" },  { "3,4", VK_RIGHT, false, "1,1" }, { "2,3", VK_LEFT, false, "2,2" },
    };
    for (const Case& c : cases)
    {
        TextGrid grid(3, 4);
        unsigned row = 0, col = 0;
        sscanf(c.from, "%u,%u", &row, &col);
        ASSERT_TRUE(grid.SetCurrentCell(row, col));
        {
            kvtest::KeysDown keys(c.shift ? std::initializer_list<int>{ VK_SHIFT } : std::initializer_list<int>{});
            EXPECT_TRUE(grid.ProcessKeys(nullptr, WM_KEYDOWN, c.key));
        }
        EXPECT_EQ(c.to, grid.Current()) << c.from << " key " << c.key << (c.shift ? " shift" : "");
    }
    // Shift+Right extends the selection as the library does, in the row.
    TextGrid grid(3, 4);
    ASSERT_TRUE(grid.SetCurrentCell(2, 4));
    {
        kvtest::KeysDown keys({ VK_SHIFT });
        grid.ProcessKeys(nullptr, WM_KEYDOWN, VK_RIGHT);
    }
    EXPECT_EQ("2,4", grid.Current());
}

// The copied text: " :: " inside a cell is a tab, line breaks become blanks
// (or escapes with the escape flag), a cell's own tab becomes \t, and a
// block of more than one cell ends with CR LF.
TEST(EmbeddableGrid, CopiedTextByTable)
{
    struct Case
    {
        const char* a;
        const char* b;
        DWORD flags;
        const char* separator;
        CGRRange range;
        const char* text;
    };
    const Case cases[] = {
        { "a", "b :: c", GR_CLIP_TEXT, "", CGRRange(1, 1, 1, 2), "a\tb\tc\r\n" },
        { "line\r\nbreak", "", GR_CLIP_TEXT, "", CGRRange(1, 1), "line break" },
        { "one\rtwo\nthree", "", GR_CLIP_TEXT, "", CGRRange(1, 1), "one two three" },
        { "line\r\nbreak", "", GR_CLIP_TEXT | GR_CLIP_ESCAPE, "", CGRRange(1, 1), "line\\r\\nbreak" },
        { "tab\there", "", GR_CLIP_TEXT, "", CGRRange(1, 1), "tab\\there" },
        { "tab\there", "", GR_CLIP_TEXT | GR_CLIP_ESCAPE, "", CGRRange(1, 1), "tab\\there" },
        { "tab\there :: x", "", GR_CLIP_TEXT, "", CGRRange(1, 1), "tab\there\tx" },
        { "a", "b", GR_CLIP_TEXT, ";", CGRRange(1, 1, 1, 2), "a;b\r\n" },
        { "a", "b", GR_CLIP_TEXT, "", CGRRange(1, 1, 2, 2), "a\tb\r\n\t\r\n" },
        { "é", "ü :: ß", GR_CLIP_TEXT, "", CGRRange(1, 1, 1, 2), "é\tü\tß\r\n" },
    };
    for (const Case& c : cases)
    {
        TextGrid grid(2, 2);
        grid.Set(1, 1, c.a);
        grid.Set(1, 2, c.b);
        grid.Param()->SetClipboardFlags(c.flags);
        grid.Param()->SetCopySeparator(c.separator);
        EXPECT_EQ(c.text, grid.Copy(c.range)) << c.a << " | " << c.b;
        EXPECT_TRUE(grid.m_bWritten);
    }
    TextGrid grid(2, 3);
    grid.Copy(CGRRange(1, 1, 2, 3));
    EXPECT_EQ(2u, grid.m_nClipRows);
    EXPECT_EQ(3u, grid.m_nClipCols);
}
