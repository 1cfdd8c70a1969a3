// Drawing into a memory bitmap, checked at a few pixels: cell interiors,
// hidden columns, the current cell's frame, the selection, owner-drawn cells
// and a control class of the program's own.
#include "GridTestSupport.h"
#include "tests/support/MemoryBitmap.h"

#include <algorithm>

using namespace gridtest;

namespace {

// A cell control of the program's own kind: fills its cell with the cell's
// value taken as a colour.
class CSwatchControl : public CGRControl
{
    DECLARE_GRCONTROL(CSwatchControl)
public:
    using CGRControl::CGRControl;
    int nDrawn = 0;
    BOOL CanActivate() const override { return FALSE; }
    void Draw(CDC* pDC, CRect rect, ROWCOL, ROWCOL, const CGRStyle& style, const CGRStyle*) override
    {
        nDrawn++;
        HBRUSH h = ::CreateSolidBrush((COLORREF)style.GetLongValue());
        ::FillRect(pDC->GetSafeHdc(), &rect, h);
        ::DeleteObject(h);
    }
};
IMPLEMENT_GRCONTROL(CSwatchControl, CGRControl)

const WORD kSwatchId = 30001;

// A grid whose column 2 is owner-drawn green on odd rows; the rest is the
// library's drawing.
struct DrawGrid : CGRGridCore
{
    DrawGrid() { LayOut(*this, 20, 5, 300, 200); }
    void OnDrawItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rect, const CGRStyle& style) override
    {
        if (nCol == 2 && nRow >= 1 && nRow % 2 == 1)
        {
            CGRStyle copy = style;
            copy.SetInterior(RGB(0, 160, 0));
            CGRGridCore::OnDrawItem(pDC, nRow, nCol, rect, copy);
            return;
        }
        CGRGridCore::OnDrawItem(pDC, nRow, nCol, rect, style);
    }
};

using Bitmap = kvtest::MemoryBitmap;

} // namespace

TEST(GridDrawing, InteriorsColumnsHiddenColumnsAndGridLines)
{
    DrawGrid g;
    g.ChangeStandardStyle(CGRStyle().SetInterior(RGB(255, 255, 255)));
    g.SetStyleRange(CGRRange().SetCols(3), CGRStyle().SetInterior(RGB(200, 0, 0)));
    g.SetStyleRange(CGRRange(2, 4), CGRStyle().SetInterior(RGB(0, 0, 200)));
    g.Param()->SetNewGridLineMode(TRUE);
    Bitmap bmp(300, 200);
    g.OnGridDraw(bmp.DC());
    // Column 1: 30..80, column 2: 80..130, column 3: 130..180, column 4: 180..230.
    EXPECT_EQ(RGB(255, 255, 255), bmp.At(50, 50));       // row 2, column 1
    EXPECT_EQ(RGB(200, 0, 0), bmp.At(150, 50));          // column 3's style
    EXPECT_EQ(RGB(0, 0, 200), bmp.At(200, 50));          // the cell's own style
    EXPECT_EQ(RGB(192, 192, 192), bmp.At(79, 50));       // the grid line at its right edge
    EXPECT_EQ(RGB(0, 160, 0), bmp.At(100, 30));          // owner-drawn: row 1, column 2
    EXPECT_EQ(RGB(255, 255, 255), bmp.At(100, 50));      // row 2 is the library's
    g.HideCols(3, 3);
    g.OnGridDraw(bmp.DC());
    EXPECT_EQ(RGB(0, 0, 200), bmp.At(150, 50));          // column 4 moved left
}

TEST(GridDrawing, CurrentCellFrameAndSelection)
{
    DrawGrid g;
    g.SetCurrentCell(3, 4);
    g.SelectRange(CGRRange(5, 3, 6, 4));
    Bitmap bmp(300, 200);
    g.OnGridDraw(bmp.DC());
    // Current cell (3, 4): x 180..230, y 60..80, framed in black.
    EXPECT_EQ(RGB(0, 0, 0), bmp.At(180, 70));
    EXPECT_EQ(RGB(0, 0, 0), bmp.At(205, 60));
    EXPECT_NE(RGB(0, 0, 0), bmp.At(205, 70));
    // Selected cell (5, 3): grey.
    EXPECT_EQ(RGB(192, 192, 192), bmp.At(155, 110));
    // A cell outside the selection is not.
    EXPECT_NE(RGB(192, 192, 192), bmp.At(155, 150));
    // The frame goes away with the current cell.
    g.ResetCurrentCell();
    g.OnGridDraw(bmp.DC());
    EXPECT_NE(RGB(0, 0, 0), bmp.At(180, 70));
}

TEST(GridDrawing, AControlClassOfTheProgramDrawsItsCells)
{
    DrawGrid g;
    CSwatchControl* pSwatch = new CSwatchControl(&g);
    g.RegisterControl(kSwatchId, pSwatch);
    EXPECT_TRUE(pSwatch->IsKindOf(&CGRControl::ctrlCGRControl));
    EXPECT_STREQ("CSwatchControl", pSwatch->GetControlClass()->m_lpszClassName);
    g.SetStyleRange(CGRRange(1, 5), CGRStyle().SetControl(kSwatchId).SetValue((long)RGB(10, 20, 30)));
    Bitmap bmp(300, 200);
    g.OnGridDraw(bmp.DC());
    EXPECT_EQ(1, pSwatch->nDrawn);
    EXPECT_EQ(RGB(10, 20, 30), bmp.At(255, 30));         // row 1, column 5: 230..280
    g.SetCurrentCell(1, 5);
    EXPECT_EQ(pSwatch, g.GetCurrentCellControl());
    EXPECT_FALSE(g.ActivateCurrentCell());
}

TEST(GridDrawing, HeadersAndBordersFromTheStyles)
{
    DrawGrid g;
    g.Param()->Set3dHeaders(FALSE);
    g.ChangeColHeaderStyle(CGRStyle().SetInterior(RGB(0, 100, 100)).SetBorders(grBorderAll, CGRPen(PS_NULL)));
    g.SetStyleRange(CGRRange(4, 1), CGRStyle().SetBorders(grBorderRight, CGRPen(PS_SOLID, 1, RGB(255, 0, 0))));
    Bitmap bmp(300, 200);
    g.OnGridDraw(bmp.DC());
    EXPECT_EQ(RGB(0, 100, 100), bmp.At(100, 10));         // column header interior
    EXPECT_EQ(RGB(0, 100, 100), bmp.At(129, 10));         // no border line at its edge
    EXPECT_EQ(RGB(255, 0, 0), bmp.At(79, 90));            // row 4's own red border
}

// The title of the column the rows were last sorted by carries an arrow
// at its right: its point up for ascending order, down for descending.
TEST(GridDrawing, TheSortedColumnsTitleShowsTheOrderWithAnArrow)
{
    DrawGrid g;
    g.Param()->Set3dHeaders(FALSE);
    g.ChangeColHeaderStyle(CGRStyle().SetInterior(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 160)));
    Bitmap bmp(300, 200);
    // The arrow's pixels in its top and its bottom line, in a column's title.
    auto arrow = [&](ROWCOL col) {
        const CRect r = CGRHeader::SortArrowRect(g.CalcRectFromRowCol(0, col));
        std::pair<int, int> n(0, 0);
        for (int x = r.left; x < r.right; x++)
        {
            n.first += bmp.At(x, r.top) == RGB(0, 0, 160);
            n.second += bmp.At(x, r.bottom - 1) == RGB(0, 0, 160);
        }
        return n;
    };
    g.OnGridDraw(bmp.DC());
    EXPECT_EQ(std::make_pair(0, 0), arrow(2));

    g.Param()->SetLastSort(2, TRUE);
    g.OnGridDraw(bmp.DC());
    auto up = arrow(2);
    EXPECT_GE(up.first, 1);
    EXPECT_GT(up.second, up.first);
    EXPECT_EQ(std::make_pair(0, 0), arrow(3));

    g.Param()->SetLastSort(3, FALSE);
    g.OnGridDraw(bmp.DC());
    auto down = arrow(3);
    EXPECT_GE(down.second, 1);
    EXPECT_GT(down.first, down.second);
    EXPECT_EQ(std::make_pair(0, 0), arrow(2));
}

// Drawn onto a printer's device context the grid says it is printing, and
// leaves out what belongs to the screen, such as the current cell's frame.
TEST(GridDrawing, OnAPrintingDeviceTheGridIsPrinting)
{
    struct PrintGrid : DrawGrid
    {
        std::vector<BOOL> printing;
        void OnDrawItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rect, const CGRStyle& style) override
        {
            printing.push_back(IsPrinting());
            DrawGrid::OnDrawItem(pDC, nRow, nCol, rect, style);
        }
    } g;
    g.SetCurrentCell(3, 4);
    Bitmap bmp(300, 200);
    CDC dc;
    dc.Attach(bmp.hdc());
    g.OnGridDraw(&dc);
    ASSERT_FALSE(g.printing.empty());
    EXPECT_EQ(g.printing.size(), (size_t)std::count(g.printing.begin(), g.printing.end(), FALSE));
    EXPECT_EQ(RGB(0, 0, 0), bmp.At(180, 70));            // the current cell's frame

    g.printing.clear();
    dc.m_bPrinting = TRUE;
    g.OnGridDraw(&dc);
    dc.Detach();
    ASSERT_FALSE(g.printing.empty());
    EXPECT_EQ(g.printing.size(), (size_t)std::count(g.printing.begin(), g.printing.end(), TRUE));
    EXPECT_NE(RGB(0, 0, 0), bmp.At(180, 70));
    EXPECT_FALSE(g.IsPrinting());
}

// Texts are UTF-8: "ÂÂÂÂ" is four letters as wide as "AAAA" in a column
// title, in a cell and in a column fitted to its contents, not the eight
// characters its bytes would make in the code page of a Western font.
TEST(GridDrawing, TitlesCellsAndFittedColumnsReadTheirTextAsUtf8)
{
    const CString ascii("AAAA"), accented("\xC3\x82\xC3\x82\xC3\x82\xC3\x82");
    auto inkWidth = [](const CString& text, ROWCOL nRow) {
        DrawGrid g;
        g.Param()->Set3dHeaders(FALSE);
        const CGRStyle plain = CGRStyle().SetInterior(RGB(255, 255, 255)).SetBorders(grBorderAll, CGRPen(PS_NULL));
        g.ChangeStandardStyle(plain);
        g.ChangeColHeaderStyle(plain);
        g.SetColWidth(2, 2, 150);
        g.SetValueRange(CGRRange(nRow, 2), text);
        Bitmap bmp(300, 200);
        bmp.Fill(RGB(255, 255, 255));
        g.OnGridDraw(bmp.DC());
        CRect cell = g.CalcRectFromRowCol(nRow, 2);
        cell.DeflateRect(1, 1);
        int first = -1, last = -1;
        for (int x = cell.left; x < cell.right; x++)
            if (bmp.Count(CRect(x, cell.top, x + 1, cell.bottom), RGB(255, 255, 255)) < cell.Height()) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return first < 0 ? 0 : last - first + 1;
    };
    for (ROWCOL nRow : { (ROWCOL)0, (ROWCOL)3 }) {
        SCOPED_TRACE(nRow);
        const int width = inkWidth(ascii, nRow);
        ASSERT_GT(width, 10);
        EXPECT_NEAR(inkWidth(accented, nRow), width, 2);
    }

    auto fittedWidth = [](const CString& text) {
        DrawGrid g;
        g.SetValueRange(CGRRange(0, 2), text);
        g.ResizeColWidthsToFit(CGRRange().SetCols(2));
        return g.GetColWidth(2);
    };
    EXPECT_EQ(fittedWidth(accented), fittedWidth(ascii));
}

// The last glyph of a bold, right-aligned text reaches a pixel past its
// advance; the cell shows it whole, as the same text drawn without a clip.
TEST(GridDrawing, ABoldTextAtTheCellsRightMarginIsShownWhole)
{
    DrawGrid g;
    g.ChangeStandardStyle(CGRStyle().SetInterior(RGB(255, 255, 255)));
    CGRFont bold;
    bold.SetBold(TRUE);
    const CGRStyle style = CGRStyle().SetValue("104.79900").SetHorizontalAlignment(DT_RIGHT).SetFont(bold)
                               .SetTextColor(RGB(0, 0, 255));
    g.SetStyleRange(CGRRange(2, 4), style);
    Bitmap grid(300, 200);
    g.OnGridDraw(grid.DC());

    // Cell (2, 4) is x 180..230, y 40..60; its text ends 4 pixels inside.
    Bitmap alone(300, 200);
    alone.Fill(RGB(255, 255, 255));
    HGDIOBJ hOld = ::SelectObject(alone.hdc(), g.GetStyleFont(g.LookupStyleRowCol(2, 4)));
    ::SetTextColor(alone.hdc(), RGB(0, 0, 255));
    ::SetBkMode(alone.hdc(), TRANSPARENT);
    CRect text = CGRGridCore::CalcTextRect(CRect(180, 40, 230, 60));
    ::DrawTextA(alone.hdc(), "104.79900", -1, &text, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP);
    ::SelectObject(alone.hdc(), hOld);

    auto lastInk = [](const Bitmap& bmp) {
        int last = -1;
        for (int x = 180; x < 229; x++)
            for (int y = 41; y < 58; y++) {
                const COLORREF c = bmp.At(x, y);
                if (GetBValue(c) > GetRValue(c) + 60)
                    last = x;
            }
        return last;
    };
    ASSERT_GT(lastInk(alone), 0);
    EXPECT_EQ(lastInk(alone), lastInk(grid));
}
