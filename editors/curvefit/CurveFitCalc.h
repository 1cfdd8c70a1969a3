// The calculation behind the curve-fit bar, free of windows: the six curve
// types and their fixed fit units, reading the typed points in the user's
// units, fitting, the values the calculated grid shows, the two series of
// the plot and the axis titles. The bar moves texts and numbers between its
// grids, combos and chart and these members, and shows the messages whose
// ids they return.
#pragma once

#include "editors/curvefit/CurveFitRoutines.h"
#include "platform/framework/base/String.h"

#include <vector>

// Curve types: the curve type combo's selection + 1.
enum CurveFitType : short
{
    CURVE_PUMP_HEAD = 1,             // H = AQ² + BQ + C, flow in lps, head in m
    CURVE_OUTLET_FLOW = 2,           // Q = KHⁿ, pressure in m, flow in lph
    CURVE_OUTLET_RADIUS = 3,         // R = KHⁿ, pressure in m, radius in m
    CURVE_VALVE_LOSS = 4,            // H = KQⁿ, flow in m³/h, loss in m
    CURVE_VALVE_LOSS_INTERCEPT = 5,  // H = KQⁿ + C
    CURVE_MISC_LOSS = 6,             // H = KQⁿ + C
};

// What a curve type fits and how the bar labels it.
struct CurveTypeInfo
{
    short nType;
    UINT nNameId;              // text of the curve type combo
    UINT nFlowHeadingId;       // heading of data column 1: flow, or radius
    UINT nPressureHeadingId;   // heading of data column 2: pressure, or pressure loss
    const char* rowNames[4];   // row headings of the two result grids
    BOOL bFromPressure;        // x is the pressure and y the flow or radius
    BOOL bRadius;              // column 1 holds a radius (length units)
};

// The description of a type; a type outside 1..6 gets that of type 1.
const CurveTypeInfo& CurveFitTypeInfo(int type);

// The points read from the data grid, in fit units, in entry order.
struct CurveFitPoints
{
    short n = 0;
    float pressure[CURVEFIT_MAX_POINTS] = {};
    float flow[CURVEFIT_MAX_POINTS] = {};  // the radius for type 3
};

// Coefficients in the fitting routines' order: c[0] the constant term (the
// logarithm of the factor for a power law until ShowResults turns it into
// the factor), c[1] the linear term or exponent, c[2] the quadratic term or
// intercept.
struct CurveFitResult
{
    double c[3] = {};
    float fit = 0.0f;
    int nConstantModel = 0;  // 1: an outlet curve fitted as a constant
    short err = FIT_OK;
};

// The four value cells of the calculated grid: rows 1 to 3 the coefficients
// (an absent value is an empty cell) and row 4 the fit in percent.
struct CurveFitShown
{
    BOOL bHasValue[3] = {};
    double value[3] = {};
    BOOL bHasFit = FALSE;
    float fit = 0.0f;
    BOOL bPoorFit = FALSE;  // below 90: shown in red and bold
};

// One point of a plotted series, in display units.
struct CurveFitPlotPoint
{
    double x;
    double y;
};

// The two series of the chart: the typed points, and the fitted curve at
// their x values.
struct CurveFitPlot
{
    std::vector<CurveFitPlotPoint> points;
    std::vector<CurveFitPlotPoint> fitted;
};

class CCurveFitCalc
{
public:
    // The user's display units (unit indexes of pressure, flow and length),
    // -1 until set, and the units the points are fitted in.
    int m_nPressureUnit = -1;
    int m_nFlowUnit = -1;
    int m_nRadiusUnit = -1;
    int m_nFitPressureUnit;
    int m_nFitFlowUnit;
    int m_nFitRadiusUnit;

    CCurveFitCalc();

    short GetCurveType() const { return m_nCurveType; }
    const CurveTypeInfo& GetTypeInfo() const { return CurveFitTypeInfo(m_nCurveType); }

    // Takes a curve type (one outside 1..6 becomes 1) and its fit units.
    // Display units not yet set take the fit units; all of them are reset to
    // the fit units unless bKeepDisplayUnits. Returns the type taken.
    short SetCurveType(int type, BOOL bKeepDisplayUnits);

    // A display value times the factor is the value in fit units. The flow
    // factor is that of the radius for type 3.
    double GetPressureFactor() const;
    double GetFlowFactor() const;

    // Reads the data grid's rows: column 1 the flow (or radius) text, column
    // 2 the pressure text, both in display units. A row whose two values are
    // 0 is skipped. FALSE when there are no points (*pnMessage 0), fewer
    // than three, or two with the same x; *pnMessage is then the message id.
    BOOL ReadPoints(const CString* flowTexts, const CString* pressureTexts, int nRows,
                    CurveFitPoints& points, UINT* pnMessage) const;

    // Fits the points by the curve type. TRUE on success; otherwise
    // *pnMessage is the id of the message to show.
    BOOL FitCurve(const CurveFitPoints& points, CurveFitResult& result, UINT* pnMessage) const;

    // The values of the calculated grid; for a power law fitted as such,
    // turns c[0] into the factor in place (the plot uses it so).
    CurveFitShown ShowResults(BOOL bFailed, CurveFitResult& result) const;

    // The points, and (after a successful fit, with ShowResults applied) the
    // fitted values at the points' x values in increasing x, both in display
    // units.
    CurveFitPlot PlotCurves(const CurveFitPoints& points, const CurveFitResult& result,
                            BOOL bFitted) const;

    // "Quantity (unit)" titles of the horizontal and the vertical axis, from
    // the texts selected in the flow (or radius) and the pressure unit combo.
    void GetAxisTitles(LPCTSTR flowUnitText, LPCTSTR pressureUnitText, CString& horizontal,
                       CString& vertical) const;

private:
    short m_nCurveType = CURVE_PUMP_HEAD;
};
