// The content of a chart, free of windows: series of (x, y) points drawn as
// markers and/or joined by lines, two axes with titles and grid pens, and
// the scaling of the axes to the data.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// Bounds of an axis and the step between its grid lines.
struct ChartScale
{
    double minimum;
    double maximum;
    double step;
};

// Bounds that enclose lo..hi on multiples of a step of 1, 2, 2.5 or 5 times a
// power of ten, giving at most about maxSteps steps. A single value gets a
// range around it; no (finite) values give 0..1.
ChartScale ChartNiceScale(double lo, double hi, int maxSteps);

// The text of a grid-line value: as many decimals as the step needs.
std::string ChartFormatValue(double value, double step);

// The colour of a point that takes its series' colour.
const COLORREF CHART_SERIES_COLOUR = 0xFF000000;

// Marker shapes.
enum ChartMarkerStyle
{
    chartMarkerNone = 0,
    chartMarkerCircle,     // filled circle
    chartMarkerSquare,     // filled square
    chartMarkerDiamond,    // filled diamond
    chartMarkerCross,      // diagonal cross
};

// Series kinds: the one kind offered is points with markers, optionally
// joined by lines.
enum ChartSeriesKind
{
    chartSeriesPoints = 0,
};

class CChartModel;

class CChartSeries
{
public:
    struct Point
    {
        double x;
        double y;
        std::string label;
        COLORREF colour;  // CHART_SERIES_COLOUR: the series colour
    };

    explicit CChartSeries(CChartModel* pOwner);

    // Appends a point; returns its index.
    long AddXY(double x, double y, const char* label, COLORREF colour);
    void Clear();
    long GetCount() const { return (long)m_points.size(); }
    const Point& GetPoint(long index) const { return m_points[(size_t)index]; }
    // The colour a point is drawn in.
    COLORREF GetPointColour(long index) const;

    void SetColour(COLORREF colour);
    // Marker shape and size (half the width, in pixels).
    void SetMarker(ChartMarkerStyle style, int size);
    ChartMarkerStyle GetMarkerStyle() const { return m_marker; }
    int GetMarkerSize() const { return m_nMarkerSize; }
    // Points joined by lines of this width; each segment takes the colour of
    // the point it ends at.
    void SetLine(BOOL bVisible, int width);
    BOOL IsLineVisible() const { return m_bLine; }
    int GetLineWidth() const { return m_nLineWidth; }

private:
    CChartModel* m_pOwner;
    std::vector<Point> m_points;
    COLORREF m_colour = RGB(0, 0, 0);
    ChartMarkerStyle m_marker = chartMarkerSquare;
    int m_nMarkerSize = 3;
    BOOL m_bLine = FALSE;
    int m_nLineWidth = 1;
};

class CChartAxis
{
public:
    explicit CChartAxis(CChartModel* pOwner) : m_pOwner(pOwner) {}

    void SetTitle(const char* title);
    const std::string& GetTitle() const { return m_title; }
    // Title font: bold or not, size in points.
    void SetTitleFont(BOOL bBold, int pointSize);
    BOOL IsTitleBold() const { return m_bTitleBold; }
    int GetTitlePointSize() const { return m_nTitlePoints; }
    // Colour of the grid lines drawn across the plot at each step.
    void SetGridColour(COLORREF colour);
    COLORREF GetGridColour() const { return m_gridColour; }

private:
    CChartModel* m_pOwner;
    std::string m_title;
    BOOL m_bTitleBold = FALSE;
    int m_nTitlePoints = 8;
    COLORREF m_gridColour = RGB(192, 192, 192);
};

class CChartModel
{
public:
    CChartModel();
    virtual ~CChartModel();
    CChartModel(const CChartModel&) = delete;
    CChartModel& operator=(const CChartModel&) = delete;

    // Adds an empty series; returns its index.
    long AddSeries(ChartSeriesKind kind = chartSeriesPoints);
    // The series of an index, or null outside the list.
    CChartSeries* GetSeries(long index);
    long GetSeriesCount() const { return (long)m_series.size(); }
    void RemoveAllSeries();

    CChartAxis& GetLeftAxis() { return m_left; }
    CChartAxis& GetBottomAxis() { return m_bottom; }

    // Smallest and largest finite x (or y) of all series; FALSE when there
    // is no finite point.
    BOOL GetDataRange(BOOL bX, double* lo, double* hi) const;

    // Called after every change of the content.
    virtual void OnChanged() {}

private:
    std::vector<std::unique_ptr<CChartSeries>> m_series;
    CChartAxis m_left;
    CChartAxis m_bottom;
};
