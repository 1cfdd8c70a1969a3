#include "platform/chart/Chart.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Room around the parts of the chart, in pixels.
const int kMargin = 4;      // from the window's edge
const int kTick = 4;        // length of a grid value's tick outside the plot
const int kGap = 3;         // between a tick and its value, a value and a title
// Pixels wanted per step of an axis (the grid lines stay this far apart).
const int kMinStepWidth = 60;
// Grid lines drawn at most (a guard against scales of degenerate data).
const int kMaxGridLines = 1000;
// Coordinates far outside the plot are drawn at this distance from it, well
// within what GDI takes.
const double kFarOutside = 20000.0;

// A GDI object deleted when it goes out of scope.
class GdiHandle
{
public:
    explicit GdiHandle(HGDIOBJ h) : m_h(h) {}
    ~GdiHandle()
    {
        if (m_h)
            ::DeleteObject(m_h);
    }
    GdiHandle(const GdiHandle&) = delete;
    GdiHandle& operator=(const GdiHandle&) = delete;
    HGDIOBJ get() const { return m_h; }

private:
    HGDIOBJ m_h;
};

// Selects an object into a DC for the scope.
class Selection
{
public:
    Selection(HDC hdc, HGDIOBJ h) : m_hdc(hdc), m_old(::SelectObject(hdc, h)) {}
    ~Selection() { ::SelectObject(m_hdc, m_old); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

HFONT MakeFont(HDC hdc, int pointSize, BOOL bBold, int escapement)
{
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(pointSize, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    ::lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    return ::CreateFontIndirectA(&lf);
}

SIZE TextSize(HDC hdc, const std::string& text)
{
    return CDC::FromHandle(hdc)->GetTextExtent(text.data(), (int)text.size());
}

void TextAt(HDC hdc, int x, int y, const std::string& text)
{
    CDC::FromHandle(hdc)->TextOut(x, y, text.data(), (int)text.size());
}

// The values of the grid lines of a scale, from its minimum to its maximum.
std::vector<double> GridValues(const ChartScale& scale)
{
    std::vector<double> values;
    for (int i = 0; i < kMaxGridLines; i++)
    {
        double v = scale.minimum + i * scale.step;
        if (v > scale.maximum + scale.step * 1e-9)
            break;
        values.push_back(v);
    }
    return values;
}

// Position of v on a scale mapped onto first..last (pixels).
int MapValue(double v, const ChartScale& scale, int first, int last)
{
    double span = scale.maximum - scale.minimum;
    double f = span > 0.0 ? (v - scale.minimum) / span : 0.5;
    double p = first + f * (last - first);
    double lo = std::min(first, last) - kFarOutside, hi = std::max(first, last) + kFarOutside;
    return (int)std::lround(std::clamp(p, lo, hi));
}

void DrawMarker(HDC hdc, ChartMarkerStyle style, int size, int x, int y, COLORREF colour)
{
    if (style == chartMarkerNone)
        return;
    GdiHandle pen(::CreatePen(PS_SOLID, 1, colour));
    GdiHandle brush(::CreateSolidBrush(colour));
    Selection selPen(hdc, pen.get());
    Selection selBrush(hdc, brush.get());
    switch (style)
    {
    case chartMarkerCircle:
        ::Ellipse(hdc, x - size, y - size, x + size + 1, y + size + 1);
        break;
    case chartMarkerSquare:
        ::Rectangle(hdc, x - size, y - size, x + size + 1, y + size + 1);
        break;
    case chartMarkerDiamond:
    {
        POINT pts[4] = { { x, y - size }, { x + size, y }, { x, y + size }, { x - size, y } };
        ::Polygon(hdc, pts, 4);
        break;
    }
    case chartMarkerCross:
        ::MoveToEx(hdc, x - size, y - size, nullptr);
        ::LineTo(hdc, x + size + 1, y + size + 1);
        ::MoveToEx(hdc, x + size, y - size, nullptr);
        ::LineTo(hdc, x - size - 1, y + size + 1);
        break;
    default:
        break;
    }
}

} // namespace

const char CTChart::ClassName[] = "KelvaronChart";

IMPLEMENT_DYNAMIC(CTChart, CWnd)

BEGIN_MESSAGE_MAP(CTChart, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CTChart::CTChart() = default;

CTChart::~CTChart()
{
    // The window goes first, while the object is whole.
    if (m_hWnd)
        DestroyWindow();
}

BOOL CTChart::RegisterClass()
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName;
    return AfxRegisterClass(&wc);
}

BOOL CTChart::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!RegisterClass())
        return FALSE;
    return CWnd::CreateEx(0, ClassName, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CTChart::OnChanged()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

CPoint CTChart::ValueToPoint(double x, double y) const
{
    return CPoint(MapValue(x, m_xScale, m_plot.left, m_plot.right - 1),
                  MapValue(y, m_yScale, m_plot.bottom - 1, m_plot.top));
}

void CTChart::Draw(CDC* pDC, const CRect& rect)
{
    HDC hdc = pDC->GetSafeHdc();
    const int saved = ::SaveDC(hdc);
    const COLORREF textColour = ::GetSysColor(COLOR_WINDOWTEXT);
    {
        GdiHandle background(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
        ::FillRect(hdc, &rect, (HBRUSH)background.get());
    }
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, textColour);
    ::SetTextAlign(hdc, TA_LEFT | TA_TOP);

    CChartAxis& left = GetLeftAxis();
    CChartAxis& bottom = GetBottomAxis();
    GdiHandle labelFont(MakeFont(hdc, 8, FALSE, 0));
    GdiHandle bottomTitleFont(MakeFont(hdc, bottom.GetTitlePointSize(), bottom.IsTitleBold(), 0));
    GdiHandle leftTitleFont(MakeFont(hdc, left.GetTitlePointSize(), left.IsTitleBold(), 900));

    // Heights of the texts, and the room the titles take.
    Selection selFont(hdc, labelFont.get());
    const int labelHeight = TextSize(hdc, "0").cy;
    int bottomTitleHeight = 0, leftTitleHeight = 0;
    {
        Selection sel(hdc, bottomTitleFont.get());
        if (!bottom.GetTitle().empty())
            bottomTitleHeight = TextSize(hdc, bottom.GetTitle()).cy + kGap;
    }
    {
        // Extents of rotated text are those of the unrotated text.
        Selection sel(hdc, leftTitleFont.get());
        if (!left.GetTitle().empty())
            leftTitleHeight = TextSize(hdc, left.GetTitle()).cy + kGap;
    }

    // The scales: the vertical one first, whose values decide the room on
    // the left; then the horizontal one in the width that leaves.
    double xlo = 0.0, xhi = 1.0, ylo = 0.0, yhi = 1.0;
    if (!GetDataRange(TRUE, &xlo, &xhi))
        xlo = 0.0, xhi = 1.0;
    if (!GetDataRange(FALSE, &ylo, &yhi))
        ylo = 0.0, yhi = 1.0;
    const int top = rect.top + kMargin + labelHeight / 2;
    const int plotBottom = rect.bottom - kMargin - bottomTitleHeight - labelHeight - kGap - kTick;
    m_yScale = ChartNiceScale(ylo, yhi, std::max(1, (plotBottom - top) / (2 * labelHeight + 4)));
    const std::vector<double> yValues = GridValues(m_yScale);
    int yLabelWidth = 0;
    for (double v : yValues)
        yLabelWidth = std::max<int>(yLabelWidth, TextSize(hdc, ChartFormatValue(v, m_yScale.step)).cx);
    const int plotLeft = rect.left + kMargin + leftTitleHeight + yLabelWidth + kGap + kTick;
    int plotRight = rect.right - kMargin;
    m_xScale = ChartNiceScale(xlo, xhi, std::max(1, (plotRight - plotLeft) / kMinStepWidth));
    const std::vector<double> xValues = GridValues(m_xScale);
    if (!xValues.empty())
        plotRight -= TextSize(hdc, ChartFormatValue(xValues.back(), m_xScale.step)).cx / 2;
    m_plot = CRect(plotLeft, top, std::max(plotLeft, plotRight), std::max(top, plotBottom));

    if (m_plot.Width() >= 2 && m_plot.Height() >= 2)
    {
        // Grid lines in each axis's grid colour, then the axes themselves.
        {
            GdiHandle pen(::CreatePen(PS_SOLID, 1, bottom.GetGridColour()));
            Selection sel(hdc, pen.get());
            for (double v : xValues)
            {
                int x = ValueToPoint(v, 0.0).x;
                ::MoveToEx(hdc, x, m_plot.top, nullptr);
                ::LineTo(hdc, x, m_plot.bottom + kTick);
            }
        }
        {
            GdiHandle pen(::CreatePen(PS_SOLID, 1, left.GetGridColour()));
            Selection sel(hdc, pen.get());
            for (double v : yValues)
            {
                int y = ValueToPoint(0.0, v).y;
                ::MoveToEx(hdc, m_plot.left - kTick, y, nullptr);
                ::LineTo(hdc, m_plot.right, y);
            }
        }
        {
            GdiHandle pen(::CreatePen(PS_SOLID, 1, textColour));
            Selection sel(hdc, pen.get());
            ::MoveToEx(hdc, m_plot.left, m_plot.top, nullptr);
            ::LineTo(hdc, m_plot.left, m_plot.bottom - 1);
            ::LineTo(hdc, m_plot.right, m_plot.bottom - 1);
        }

        // The values at the grid lines.
        for (double v : xValues)
        {
            std::string text = ChartFormatValue(v, m_xScale.step);
            int x = ValueToPoint(v, 0.0).x - TextSize(hdc, text).cx / 2;
            TextAt(hdc, x, m_plot.bottom + kTick + kGap / 2, text);
        }
        for (double v : yValues)
        {
            std::string text = ChartFormatValue(v, m_yScale.step);
            SIZE size = TextSize(hdc, text);
            int y = ValueToPoint(0.0, v).y - size.cy / 2;
            TextAt(hdc, m_plot.left - kTick - kGap - size.cx, y, text);
        }

        // The titles: the bottom one centred under the values, the left one
        // turned upwards and centred beside them.
        if (bottomTitleHeight)
        {
            Selection sel(hdc, bottomTitleFont.get());
            SIZE size = TextSize(hdc, bottom.GetTitle());
            int x = m_plot.left + (m_plot.Width() - size.cx) / 2;
            TextAt(hdc, std::max<int>(rect.left, x), rect.bottom - kMargin - size.cy, bottom.GetTitle());
        }
        if (leftTitleHeight)
        {
            Selection sel(hdc, leftTitleFont.get());
            SIZE size = TextSize(hdc, left.GetTitle());
            int y = m_plot.top + (m_plot.Height() + size.cx) / 2;
            TextAt(hdc, rect.left + kMargin, std::min<int>(rect.bottom, y), left.GetTitle());
        }

        // The series, clipped to the plot with room for whole markers at
        // its edges.
        int markerRoom = 0;
        for (long i = 0; i < GetSeriesCount(); i++)
            markerRoom = std::max(markerRoom, GetSeries(i)->GetMarkerSize());
        const int clipSaved = ::SaveDC(hdc);
        ::IntersectClipRect(hdc, m_plot.left - markerRoom, m_plot.top - markerRoom,
                            m_plot.right + markerRoom, m_plot.bottom + markerRoom);
        for (long i = 0; i < GetSeriesCount(); i++)
            DrawSeries(hdc, *GetSeries(i));
        ::RestoreDC(hdc, clipSaved);
    }
    ::RestoreDC(hdc, saved);
}

void CTChart::DrawSeries(HDC hdc, CChartSeries& series)
{
    const long count = series.GetCount();
    auto drawable = [&series](long i) {
        const CChartSeries::Point& p = series.GetPoint(i);
        return std::isfinite(p.x) && std::isfinite(p.y);
    };
    if (series.IsLineVisible())
    {
        // A point that cannot be drawn breaks the line.
        for (long i = 1; i < count; i++)
        {
            if (!drawable(i - 1) || !drawable(i))
                continue;
            const CChartSeries::Point& a = series.GetPoint(i - 1);
            const CChartSeries::Point& b = series.GetPoint(i);
            GdiHandle pen(::CreatePen(PS_SOLID, series.GetLineWidth(), series.GetPointColour(i)));
            Selection sel(hdc, pen.get());
            CPoint from = ValueToPoint(a.x, a.y);
            CPoint to = ValueToPoint(b.x, b.y);
            ::MoveToEx(hdc, from.x, from.y, nullptr);
            ::LineTo(hdc, to.x, to.y);
        }
    }
    for (long i = 0; i < count; i++)
    {
        if (!drawable(i))
            continue;
        const CChartSeries::Point& p = series.GetPoint(i);
        CPoint at = ValueToPoint(p.x, p.y);
        DrawMarker(hdc, series.GetMarkerStyle(), series.GetMarkerSize(), at.x, at.y,
                   series.GetPointColour(i));
    }
}

void CTChart::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    // Drawn off screen first, so that the window never shows a half chart.
    HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc.GetSafeHdc(), client.Width(), client.Height());
    if (memory && bitmap)
    {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC memoryDC;
        memoryDC.Attach(memory);
        Draw(&memoryDC, client);
        memoryDC.Detach();
        ::BitBlt(dc.GetSafeHdc(), 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
    }
    else
        Draw(&dc, client);
    if (bitmap)
        ::DeleteObject(bitmap);
    if (memory)
        ::DeleteDC(memory);
}

BOOL CTChart::OnEraseBkgnd(CDC*)
{
    return TRUE;  // painting covers every pixel
}

LRESULT CTChart::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect client;
    GetClientRect(&client);
    CDC dc;
    dc.Attach((HDC)wParam);
    Draw(&dc, client);
    dc.Detach();
    return 0;
}
