// The chart: scales that enclose the data on round steps, and a known
// series drawn into a memory bitmap, checked at a few pixels (markers, the
// line between points, grid lines, titles, the background).
#include "platform/chart/Chart.h"
#include "tests/support/MemoryBitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(ChartScale, EnclosesTheDataOnRoundSteps)
{
    struct Case
    {
        double lo, hi;
        int steps;
        double minimum, maximum, step;
    };
    const Case cases[] = {
        { 0, 10, 5, 0, 10, 2 },
        { 0.3, 3.2, 5, 0, 4, 1 },
        { 48.2, 29.0, 4, 25, 50, 5 },        // given high to low
        { -3, 7, 10, -3, 7, 1 },
        { 0.0012, 0.0093, 4, 0, 0.01, 0.0025 },
        { 5, 5, 4, 4.5, 5.5, 0.25 },          // one value: a tenth either side
        { 0, 0, 4, -1, 1, 0.5 },
        { NAN, 3, 4, 0, 1, 0.2 },             // nothing to scale to
        { 100, 1e6, 1, 0, 1e6, 1e6 },
    };
    for (const Case& k : cases)
    {
        ChartScale s = ChartNiceScale(k.lo, k.hi, k.steps);
        EXPECT_NEAR(s.minimum, k.minimum, 1e-12) << k.lo << ".." << k.hi;
        EXPECT_NEAR(s.maximum, k.maximum, 1e-12) << k.lo << ".." << k.hi;
        EXPECT_NEAR(s.step, k.step, 1e-12) << k.lo << ".." << k.hi;
    }
}

TEST(ChartScale, ValuesShowTheDecimalsOfTheStep)
{
    EXPECT_EQ(ChartFormatValue(20, 5), "20");
    EXPECT_EQ(ChartFormatValue(2.5, 0.5), "2.5");
    EXPECT_EQ(ChartFormatValue(1.25, 0.25), "1.25");
    EXPECT_EQ(ChartFormatValue(0.0075, 0.0025), "0.0075");
    EXPECT_EQ(ChartFormatValue(0.30000000000000004, 0.1), "0.3");
    EXPECT_EQ(ChartFormatValue(-1.3877787807814457e-17, 0.1), "0.0");
    EXPECT_EQ(ChartFormatValue(4e7, 2e7), "4e+07");
}

using Bitmap = kvtest::MemoryBitmap;

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGrey = RGB(127, 127, 127);

// A chart window in a hidden top-level window, with the look the curve-fit
// bar gives it: black points as circles, a red line of width 2, grey grid
// lines and bold titles.
class ChartWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "chart test", WS_OVERLAPPEDWINDOW,
                                      0, 0, 500, 400, nullptr, nullptr));
        ASSERT_TRUE(m_chart.Create(WS_VISIBLE, CRect(0, 0, 400, 300), &m_parent, 1472));
        for (CChartAxis* axis : { &m_chart.GetLeftAxis(), &m_chart.GetBottomAxis() })
        {
            axis->SetGridColour(kGrey);
            axis->SetTitleFont(TRUE, 8);
        }
        m_chart.GetBottomAxis().SetTitle("Flow (lps)");
        m_chart.GetLeftAxis().SetTitle("Pressure (m)");
    }
    void TearDown() override
    {
        m_chart.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // Points (0, 0), (3, 40), (10, 100) as black circles; the line from
    // (0, 100) to (10, 0) in red.
    void AddKnownSeries()
    {
        long points = m_chart.AddSeries(chartSeriesPoints);
        CChartSeries* p = m_chart.GetSeries(points);
        p->SetMarker(chartMarkerCircle, 3);
        p->AddXY(0, 0, "", kBlack);
        p->AddXY(3, 40, "", kBlack);
        p->AddXY(10, 100, "", kBlack);
        long fit = m_chart.AddSeries(chartSeriesPoints);
        CChartSeries* f = m_chart.GetSeries(fit);
        f->SetMarker(chartMarkerNone, 1);
        f->SetLine(TRUE, 2);
        f->AddXY(0, 100, "", kRed);
        f->AddXY(10, 0, "", kRed);
    }

    void Print(Bitmap& bitmap)
    {
        m_chart.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.hdc(), PRF_CLIENT);
    }

    CWnd m_parent;
    CTChart m_chart;
};

TEST_F(ChartWindow, DrawsMarkersAndLinesWhereTheValuesAre)
{
    AddKnownSeries();
    Bitmap bitmap(400, 300);
    Print(bitmap);

    const CRect& plot = m_chart.GetPlotRect();
    ASSERT_GT(plot.Width(), 200);
    ASSERT_GT(plot.Height(), 150);
    // The axes span the data: 0..10 and 0..100 are round bounds already.
    EXPECT_EQ(m_chart.GetXScale().minimum, 0);
    EXPECT_EQ(m_chart.GetXScale().maximum, 10);
    EXPECT_EQ(m_chart.GetYScale().minimum, 0);
    EXPECT_EQ(m_chart.GetYScale().maximum, 100);
    EXPECT_EQ(m_chart.ValueToPoint(0, 0), CPoint(plot.left, plot.bottom - 1));
    EXPECT_EQ(m_chart.ValueToPoint(10, 100), CPoint(plot.right - 1, plot.top));

    // Markers at the points, the line halfway and at a quarter.
    EXPECT_EQ(bitmap.At(m_chart.ValueToPoint(0, 0)), kBlack);
    EXPECT_EQ(bitmap.At(m_chart.ValueToPoint(10, 100)), kBlack);
    CPoint marker = m_chart.ValueToPoint(3, 40);
    EXPECT_EQ(bitmap.At(marker), kBlack);
    EXPECT_EQ(bitmap.At(marker + CPoint(2, 0)), kBlack);  // a circle, not a dot
    EXPECT_EQ(bitmap.At(marker + CPoint(0, -2)), kBlack);
    EXPECT_EQ(bitmap.At(m_chart.ValueToPoint(5, 50)), kRed);
    EXPECT_EQ(bitmap.At(m_chart.ValueToPoint(2.5, 75)), kRed);
    // Width 2: the line covers more than one pixel across.
    CPoint mid = m_chart.ValueToPoint(5, 50);
    EXPECT_GE(bitmap.Count(CRect(mid.x - 1, mid.y - 1, mid.x + 2, mid.y + 2), kRed), 4);

    // Off the data: the window's background inside the plot, and outside.
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    CPoint empty = m_chart.ValueToPoint(7.3, 81.7);
    EXPECT_EQ(bitmap.At(empty), background);
    EXPECT_EQ(bitmap.At(CPoint(399, 0)), background);
}

TEST_F(ChartWindow, GridLinesTakeTheAxisColour)
{
    AddKnownSeries();
    Bitmap bitmap(400, 300);
    Print(bitmap);
    const ChartScale& xs = m_chart.GetXScale();
    const ChartScale& ys = m_chart.GetYScale();
    // The first grid line after the minimum, at a height away from the data.
    const double gx = xs.minimum + xs.step;
    const double redAtGx = 100 - 10 * gx;
    CPoint onVertical(m_chart.ValueToPoint(gx, 0).x, m_chart.ValueToPoint(0, redAtGx > 50 ? 10 : 90).y);
    EXPECT_EQ(bitmap.At(onVertical), kGrey);
    const double gy = ys.minimum + ys.step;
    CPoint onHorizontal(m_chart.ValueToPoint(7.3, 0).x, m_chart.ValueToPoint(0, gy).y);
    if (std::fabs(gy - 27) > 8)  // the red line crosses x = 7.3 at y = 27
    {
        EXPECT_EQ(bitmap.At(onHorizontal), kGrey);
    }
    // The axes themselves in the text colour.
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const CRect& plot = m_chart.GetPlotRect();
    EXPECT_EQ(bitmap.At(CPoint(plot.left, plot.top + plot.Height() / 3)), text);
    EXPECT_EQ(bitmap.At(CPoint(plot.left + plot.Width() / 3 + 1, plot.bottom - 1)), text);
}

TEST_F(ChartWindow, TitlesAndValuesAreWrittenBesideThePlot)
{
    AddKnownSeries();
    Bitmap bitmap(400, 300);
    Print(bitmap);
    const CRect plot = m_chart.GetPlotRect();
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    // Below the plot: the values of the bottom axis and its title; left of
    // it: the values of the left axis and the upright title.
    EXPECT_GT(bitmap.Count(CRect(plot.left, plot.bottom + 5, plot.right, 300), text), 20);
    EXPECT_GT(bitmap.Count(CRect(0, plot.top, plot.left - 5, plot.bottom), text), 20);
    // With the titles removed, the plot has room for more.
    m_chart.GetBottomAxis().SetTitle("");
    m_chart.GetLeftAxis().SetTitle("");
    Bitmap plain(400, 300);
    Print(plain);
    EXPECT_GT(m_chart.GetPlotRect().bottom, plot.bottom);
    EXPECT_LT(m_chart.GetPlotRect().left, plot.left);
}

// The columns of a rectangle that hold a pixel of a colour: from the first
// to the last such column, 0 when none.
int InkWidth(const Bitmap& bitmap, const CRect& r, COLORREF colour)
{
    int first = -1, last = -1;
    for (int x = r.left; x < r.right; x++)
        if (bitmap.Count(CRect(x, r.top, x + 1, r.bottom), colour) > 0)
        {
            if (first < 0)
                first = x;
            last = x;
        }
    return first < 0 ? 0 : last - first + 1;
}

TEST_F(ChartWindow, TitlesOfOtherCharactersAreWrittenAsTheyAre)
{
    // A title is UTF-8: "ÂÂÂÂ" is four letters as wide as "AAAA", not the
    // eight characters its bytes would make in a Western code page.
    AddKnownSeries();
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    auto titleWidth = [&](const char* title) {
        m_chart.GetBottomAxis().SetTitle(title);
        Bitmap bitmap(400, 300);
        Print(bitmap);
        const CRect plot = m_chart.GetPlotRect();
        return InkWidth(bitmap, CRect(0, plot.bottom + 22, 400, 300), text);
    };
    const int ascii = titleWidth("AAAA");
    ASSERT_GT(ascii, 10);
    EXPECT_NEAR(titleWidth("ÂÂÂÂ"), ascii, 2);
}

TEST_F(ChartWindow, ScalesAgainAfterTheSeriesChange)
{
    AddKnownSeries();
    Bitmap bitmap(400, 300);
    Print(bitmap);
    CPoint lineMiddle = m_chart.ValueToPoint(5, 50);
    ASSERT_EQ(bitmap.At(lineMiddle), kRed);

    // A point far above: the left axis grows to take it.
    m_chart.GetSeries(0)->AddXY(4, 230, "", kBlack);
    Bitmap taller(400, 300);
    Print(taller);
    EXPECT_GE(m_chart.GetYScale().maximum, 230);
    EXPECT_EQ(taller.At(m_chart.ValueToPoint(4, 230)), kBlack);

    // Removing every series leaves an empty plot; new ones draw afresh.
    m_chart.RemoveAllSeries();
    EXPECT_EQ(m_chart.GetSeriesCount(), 0);
    EXPECT_EQ(m_chart.GetSeries(0), nullptr);
    Bitmap empty(400, 300);
    Print(empty);
    EXPECT_EQ(empty.Count(m_chart.GetPlotRect(), kRed), 0);
    EXPECT_EQ(empty.Count(CRect(m_chart.GetPlotRect().left + 1, m_chart.GetPlotRect().top,
                                m_chart.GetPlotRect().right, m_chart.GetPlotRect().bottom - 1),
                          kBlack),
              0);
    AddKnownSeries();
    Bitmap again(400, 300);
    Print(again);
    EXPECT_EQ(again.At(m_chart.ValueToPoint(5, 50)), kRed);
}

TEST_F(ChartWindow, PointsThatAreNotNumbersAreLeftOut)
{
    long s = m_chart.AddSeries();
    CChartSeries* series = m_chart.GetSeries(s);
    series->SetLine(TRUE, 1);
    series->SetColour(kRed);
    series->AddXY(1, 1, "", CHART_SERIES_COLOUR);
    series->AddXY(NAN, 5, "", CHART_SERIES_COLOUR);
    series->AddXY(2, INFINITY, "", CHART_SERIES_COLOUR);
    series->AddXY(3, 3, "", CHART_SERIES_COLOUR);
    Bitmap bitmap(400, 300);
    Print(bitmap);
    EXPECT_EQ(m_chart.GetXScale().minimum, 1);
    EXPECT_EQ(m_chart.GetXScale().maximum, 3);
    // Both drawable points show, in the series colour; no line joins them
    // across the gap.
    EXPECT_EQ(bitmap.At(m_chart.ValueToPoint(1, 1)), kRed);
    EXPECT_EQ(bitmap.At(m_chart.ValueToPoint(3, 3)), kRed);
    EXPECT_NE(bitmap.At(m_chart.ValueToPoint(2, 2)), kRed);
}

TEST_F(ChartWindow, ATemplateControlOfTheChartClassIsSubclassed)
{
    ASSERT_TRUE(CTChart::RegisterClass());
    HWND hwnd = ::CreateWindowExA(0, CTChart::ClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                  m_parent.GetSafeHwnd(), (HMENU)(INT_PTR)1473, AfxGetInstanceHandle(),
                                  nullptr);
    ASSERT_NE(hwnd, nullptr);
    CTChart chart;
    ASSERT_TRUE(chart.SubclassDlgItem(1473, &m_parent));
    long s = chart.AddSeries();
    chart.GetSeries(s)->SetMarker(chartMarkerSquare, 2);
    chart.GetSeries(s)->AddXY(2, 2, "", kRed);
    chart.GetSeries(s)->AddXY(4, 8, "", kRed);
    Bitmap bitmap(300, 200);
    chart.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.hdc(), PRF_CLIENT);
    EXPECT_EQ(bitmap.At(chart.ValueToPoint(4, 8)), kRed);
    // Painting the window itself goes through the same drawing.
    chart.Invalidate();
    chart.UpdateWindow();
}

} // namespace
