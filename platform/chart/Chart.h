// The chart window: draws the series of its model (CChartModel) as markers
// and lines in a plot whose axes scale to the data, with grid lines, values
// at the grid lines and axis titles, in GDI.
//
// A dialog template holds it as a custom control of the class
// CTChart::ClassName (registered by CTChart::RegisterClass), which the
// owner then subclasses with SubclassDlgItem; or Create makes one.
#pragma once

#include "platform/chart/ChartModel.h"
#include "platform/framework/Framework.h"

class CTChart : public CWnd, public CChartModel
{
    DECLARE_DYNAMIC(CTChart)
public:
    static const char ClassName[];

    CTChart();
    ~CTChart() override;

    // Registers the window class of chart controls in dialog templates;
    // TRUE when it is registered (now or before).
    static BOOL RegisterClass();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Draws the whole chart into rect of pDC. Painting, WM_PRINTCLIENT and
    // a caller's memory bitmap all come here.
    void Draw(CDC* pDC, const CRect& rect);

    // The layout of the last drawing: the plot rectangle (the axes run along
    // its left and bottom edges) and the scales of the bottom and left axis.
    const CRect& GetPlotRect() const { return m_plot; }
    const ChartScale& GetXScale() const { return m_xScale; }
    const ChartScale& GetYScale() const { return m_yScale; }
    // The pixel of a value in the last drawing: the axis minimum on the
    // plot's first pixel, the maximum on its last.
    CPoint ValueToPoint(double x, double y) const;

    void OnChanged() override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void DrawSeries(HDC hdc, CChartSeries& series);

    CRect m_plot;
    ChartScale m_xScale = { 0.0, 1.0, 0.2 };
    ChartScale m_yScale = { 0.0, 1.0, 0.2 };
};
