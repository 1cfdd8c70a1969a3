#include "platform/chart/ChartModel.h"

#include <cmath>
#include <cstdio>

ChartScale ChartNiceScale(double lo, double hi, int maxSteps)
{
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return { 0.0, 1.0, 0.2 };
    if (hi < lo)
        std::swap(lo, hi);
    if (hi == lo)
    {
        // A single value: a range a tenth of it either side (1 around 0).
        double spread = lo == 0.0 ? 1.0 : std::fabs(lo) * 0.1;
        lo -= spread;
        hi += spread;
    }
    if (maxSteps < 1)
        maxSteps = 1;
    if (!std::isfinite(hi - lo))
        return { lo, hi, hi / maxSteps - lo / maxSteps };  // beyond nice steps
    const double raw = (hi - lo) / maxSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double r = raw / magnitude;
    double nice;
    if (r <= 1.0)
        nice = 1.0;
    else if (r <= 2.0)
        nice = 2.0;
    else if (r <= 2.5)
        nice = 2.5;
    else if (r <= 5.0)
        nice = 5.0;
    else
        nice = 10.0;
    const double step = nice * magnitude;
    // A hair of tolerance keeps a bound that is a multiple of the step, but
    // not quite in binary, from adding a whole step.
    const double tolerance = 1e-9;
    ChartScale scale;
    scale.step = step;
    scale.minimum = std::floor(lo / step + tolerance) * step;
    scale.maximum = std::ceil(hi / step - tolerance) * step;
    if (scale.maximum <= scale.minimum)
        scale.maximum = scale.minimum + step;
    return scale;
}

std::string ChartFormatValue(double value, double step)
{
    char text[64];
    if (std::fabs(value) < step * 1e-9)
        value = 0.0;  // not "-0" or "1e-17" where the steps cross zero
    const double magnitude = std::fmax(std::fabs(value), step);
    if (magnitude >= 1e7 || step < 1e-6)
    {
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }
    int decimals = 0;
    while (decimals < 7 && std::fabs(step * std::pow(10.0, decimals) -
                                     std::round(step * std::pow(10.0, decimals))) > 1e-6)
        decimals++;
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

/////////////////////////////////////////////////////////////////////////////
// CChartSeries

CChartSeries::CChartSeries(CChartModel* pOwner) : m_pOwner(pOwner)
{
}

long CChartSeries::AddXY(double x, double y, const char* label, COLORREF colour)
{
    m_points.push_back({ x, y, label ? label : "", colour });
    m_pOwner->OnChanged();
    return (long)m_points.size() - 1;
}

void CChartSeries::Clear()
{
    m_points.clear();
    m_pOwner->OnChanged();
}

COLORREF CChartSeries::GetPointColour(long index) const
{
    COLORREF c = m_points[(size_t)index].colour;
    return c == CHART_SERIES_COLOUR ? m_colour : c;
}

void CChartSeries::SetColour(COLORREF colour)
{
    m_colour = colour;
    m_pOwner->OnChanged();
}

void CChartSeries::SetMarker(ChartMarkerStyle style, int size)
{
    m_marker = style;
    m_nMarkerSize = size < 1 ? 1 : size;
    m_pOwner->OnChanged();
}

void CChartSeries::SetLine(BOOL bVisible, int width)
{
    m_bLine = bVisible;
    m_nLineWidth = width < 1 ? 1 : width;
    m_pOwner->OnChanged();
}

/////////////////////////////////////////////////////////////////////////////
// CChartAxis

void CChartAxis::SetTitle(const char* title)
{
    m_title = title ? title : "";
    m_pOwner->OnChanged();
}

void CChartAxis::SetTitleFont(BOOL bBold, int pointSize)
{
    m_bTitleBold = bBold;
    m_nTitlePoints = pointSize < 1 ? 1 : pointSize;
    m_pOwner->OnChanged();
}

void CChartAxis::SetGridColour(COLORREF colour)
{
    m_gridColour = colour;
    m_pOwner->OnChanged();
}

/////////////////////////////////////////////////////////////////////////////
// CChartModel

CChartModel::CChartModel() : m_left(this), m_bottom(this)
{
}

CChartModel::~CChartModel() = default;

long CChartModel::AddSeries(ChartSeriesKind)
{
    m_series.push_back(std::make_unique<CChartSeries>(this));
    OnChanged();
    return (long)m_series.size() - 1;
}

CChartSeries* CChartModel::GetSeries(long index)
{
    if (index < 0 || index >= (long)m_series.size())
        return nullptr;
    return m_series[(size_t)index].get();
}

void CChartModel::RemoveAllSeries()
{
    m_series.clear();
    OnChanged();
}

BOOL CChartModel::GetDataRange(BOOL bX, double* lo, double* hi) const
{
    BOOL bAny = FALSE;
    for (const auto& series : m_series)
        for (long i = 0; i < series->GetCount(); i++)
        {
            const CChartSeries::Point& p = series->GetPoint(i);
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            double v = bX ? p.x : p.y;
            if (!bAny || v < *lo)
                *lo = v;
            if (!bAny || v > *hi)
                *hi = v;
            bAny = TRUE;
        }
    return bAny;
}
