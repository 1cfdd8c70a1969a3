#include "editors/curvefit/CurveFitCalc.h"
#include "editors/curvefit/CurveFitRes.h"
#include "units/OZU_Value.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

const CurveTypeInfo kTypes[] = {
    { CURVE_PUMP_HEAD, IDS_CURVE_PUMP_HEAD, IDS_QUANTITY_FLOW, IDS_QUANTITY_PRESSURE,
      { "A", "B", "C", "R²" }, FALSE, FALSE },
    { CURVE_OUTLET_FLOW, IDS_CURVE_OUTLET_FLOW, IDS_QUANTITY_FLOW, IDS_QUANTITY_PRESSURE,
      { "K", "n", "", "R²" }, TRUE, FALSE },
    { CURVE_OUTLET_RADIUS, IDS_CURVE_OUTLET_RADIUS, IDS_QUANTITY_RADIUS, IDS_QUANTITY_PRESSURE,
      { "K", "n", "", "R²" }, TRUE, TRUE },
    { CURVE_VALVE_LOSS, IDS_CURVE_VALVE_LOSS, IDS_QUANTITY_FLOW, IDS_QUANTITY_PRESSURE_LOSS,
      { "K", "n", "", "R²" }, FALSE, FALSE },
    { CURVE_VALVE_LOSS_INTERCEPT, IDS_CURVE_VALVE_LOSS_INTERCEPT, IDS_QUANTITY_FLOW,
      IDS_QUANTITY_PRESSURE_LOSS, { "K", "n", "C", "R²" }, FALSE, FALSE },
    { CURVE_MISC_LOSS, IDS_CURVE_MISC_LOSS, IDS_QUANTITY_FLOW, IDS_QUANTITY_PRESSURE_LOSS,
      { "K", "n", "C", "R²" }, FALSE, FALSE },
};

// Two values closer than this are the same x.
const double kDuplicateSpread = 1e-5;
// A fit below this is poor: the outlet curves then try the constant model,
// and the fit is shown in red.
const float kPoorFit = 90.0f;

bool IsPowerWithIntercept(short type)
{
    return type == CURVE_VALVE_LOSS_INTERCEPT || type == CURVE_MISC_LOSS;
}

} // namespace

const CurveTypeInfo& CurveFitTypeInfo(int type)
{
    if (type < CURVE_PUMP_HEAD || type > CURVE_MISC_LOSS)
        type = CURVE_PUMP_HEAD;
    return kTypes[type - 1];
}

CCurveFitCalc::CCurveFitCalc()
    : m_nFitPressureUnit(PRESSURE_M), m_nFitFlowUnit(FLOW_LPS), m_nFitRadiusUnit(LENGTH_M)
{
}

short CCurveFitCalc::SetCurveType(int type, BOOL bKeepDisplayUnits)
{
    m_nCurveType = CurveFitTypeInfo(type).nType;

    m_nFitPressureUnit = PRESSURE_M;
    m_nFitRadiusUnit = LENGTH_M;
    switch (m_nCurveType)
    {
    case CURVE_PUMP_HEAD: m_nFitFlowUnit = FLOW_LPS; break;
    case CURVE_OUTLET_FLOW: m_nFitFlowUnit = FLOW_LPH; break;
    case CURVE_OUTLET_RADIUS: break;  // fits a radius; the flow unit stays
    default: m_nFitFlowUnit = FLOW_M3H; break;
    }

    if (m_nPressureUnit == -1)
        m_nPressureUnit = m_nFitPressureUnit;
    if (m_nFlowUnit == -1)
        m_nFlowUnit = m_nFitFlowUnit;
    if (m_nRadiusUnit == -1)
        m_nRadiusUnit = m_nFitRadiusUnit;
    if (!bKeepDisplayUnits)
    {
        m_nPressureUnit = m_nFitPressureUnit;
        m_nFlowUnit = m_nFitFlowUnit;
        m_nRadiusUnit = m_nFitRadiusUnit;
    }
    return m_nCurveType;
}

double CCurveFitCalc::GetPressureFactor() const
{
    OZU_PressureValue one(1.0, m_nFitPressureUnit);
    return 1.0 / one.GetValueIn(m_nPressureUnit);
}

double CCurveFitCalc::GetFlowFactor() const
{
    if (GetTypeInfo().bRadius)
    {
        OZU_LengthValue one(1.0, m_nFitRadiusUnit);
        return 1.0 / one.GetValueIn(m_nRadiusUnit);
    }
    OZU_FlowValue one(1.0, m_nFitFlowUnit);
    return 1.0 / one.GetValueIn(m_nFlowUnit);
}

BOOL CCurveFitCalc::ReadPoints(const CString* flowTexts, const CString* pressureTexts, int nRows,
                               CurveFitPoints& points, UINT* pnMessage) const
{
    *pnMessage = 0;
    points = CurveFitPoints();
    const double pressureFactor = GetPressureFactor();
    const double flowFactor = GetFlowFactor();
    for (int row = 0; row < nRows && row < CURVEFIT_MAX_POINTS; row++)
    {
        double p = atof(pressureTexts[row]);
        double q = atof(flowTexts[row]);
        if (p == 0.0 && q == 0.0)
            continue;
        points.pressure[points.n] = (float)(p * pressureFactor);
        points.flow[points.n] = (float)(q * flowFactor);
        points.n++;
    }

    if (points.n == 0)
        return FALSE;
    if (points.n < 3)
    {
        *pnMessage = IDS_CURVEFIT_TOO_FEW_POINTS;
        return FALSE;
    }

    const BOOL bFromPressure = GetTypeInfo().bFromPressure;
    const float* x = bFromPressure ? points.pressure : points.flow;
    for (short i = 0; i < points.n; i++)
        for (short j = i + 1; j < points.n; j++)
        {
            float spread = std::fabs(x[i] - x[j]);
            if (spread <= kDuplicateSpread)
            {
                *pnMessage = bFromPressure ? IDS_CURVEFIT_DUPLICATE_PRESSURE
                                           : IDS_CURVEFIT_DUPLICATE_FLOW;
                return FALSE;
            }
        }
    return TRUE;
}

BOOL CCurveFitCalc::FitCurve(const CurveFitPoints& points, CurveFitResult& result,
                             UINT* pnMessage) const
{
    *pnMessage = 0;
    short e = FIT_OK;
    const short n = points.n;
    switch (m_nCurveType)
    {
    case CURVE_PUMP_HEAD:
    case CURVE_VALVE_LOSS:
        FitLeastSquares(m_nCurveType, n, points.flow, points.pressure, result.c, &result.fit, &e);
        break;

    case CURVE_OUTLET_FLOW:
    case CURVE_OUTLET_RADIUS:
    {
        const float* x = points.pressure;
        const float* y = points.flow;
        bool allEqual = true;
        for (short i = 0; i + 1 < n; i++)
            if (!(std::fabs(y[i] - y[i + 1]) < kDuplicateSpread))
                allEqual = false;
        if (allEqual)
        {
            // One flow (or radius) at every pressure: the constant, with n = 0.
            // A constant of zero or less is no outlet curve.
            if (!(y[0] > 0.0f))
                e = FIT_NOT_POSITIVE;
            else
            {
                result.c[0] = y[0];
                result.c[1] = 0.0;
                result.c[2] = 0.0;
                result.fit = 100.0f;
                result.nConstantModel = 1;
            }
            break;
        }
        FitLeastSquares(m_nCurveType, n, x, y, result.c, &result.fit, &e);
        if (result.fit < kPoorFit)
        {
            // A poor power law gives way to the constant model when the flows
            // vary less than the power law explains.
            double mean;
            float cv;
            MeanAndVariation(n, y, &mean, &cv);
            float constantFit = (1.0f - cv) * 100.0f;
            if (!std::isfinite(constantFit))
                constantFit = -FLT_MAX;
            if (constantFit > result.fit)
            {
                result.fit = constantFit;
                result.c[0] = mean;
                result.c[1] = 0.0;
                result.c[2] = 0.0;
                result.nConstantModel = 1;
            }
        }
        break;
    }

    default:
        FitPowerWithIntercept(n, points.flow, points.pressure, result.c, &result.fit, &e);
        break;
    }

    // A power law whose factor is beyond the range of a double is no curve
    // that could be shown or stored.
    if (e == FIT_OK && m_nCurveType != CURVE_PUMP_HEAD && !result.nConstantModel &&
        !std::isfinite(std::pow(10.0, result.c[0])))
        e = FIT_SINGULAR;

    result.err = e;
    if (e != FIT_OK)
    {
        *pnMessage = IDS_CURVEFIT_ERROR_BASE + e;
        return FALSE;
    }
    return TRUE;
}

CurveFitShown CCurveFitCalc::ShowResults(BOOL bFailed, CurveFitResult& result) const
{
    CurveFitShown shown;
    if (bFailed)
        return shown;
    if (m_nCurveType == CURVE_PUMP_HEAD)
    {
        shown.value[0] = result.c[2];
        shown.value[1] = result.c[1];
        shown.value[2] = result.c[0];
        shown.bHasValue[0] = shown.bHasValue[1] = shown.bHasValue[2] = TRUE;
    }
    else
    {
        if (!result.nConstantModel)
            result.c[0] = std::pow(10.0, result.c[0]);
        shown.value[0] = result.c[0];
        shown.value[1] = result.c[1];
        shown.bHasValue[0] = shown.bHasValue[1] = TRUE;
        if (IsPowerWithIntercept(m_nCurveType))
        {
            shown.value[2] = result.c[2];
            shown.bHasValue[2] = TRUE;
        }
    }
    shown.bHasFit = TRUE;
    shown.fit = result.fit;
    shown.bPoorFit = result.fit < kPoorFit;
    return shown;
}

CurveFitPlot CCurveFitCalc::PlotCurves(const CurveFitPoints& points, const CurveFitResult& result,
                                       BOOL bFitted) const
{
    CurveFitPlot plot;
    const double pressureFactor = GetPressureFactor();
    const double flowFactor = GetFlowFactor();
    const BOOL bFromPressure = GetTypeInfo().bFromPressure;
    const double* c = result.c;
    for (short i = 0; i < points.n; i++)
    {
        const float p = points.pressure[i];
        const float q = points.flow[i];
        CurveFitPlotPoint point;
        if (bFromPressure)
            point = { p / pressureFactor, q / flowFactor };
        else
            point = { q / flowFactor, p / pressureFactor };
        plot.points.push_back(point);

        if (!bFitted)
            continue;
        float f;
        switch (m_nCurveType)
        {
        case CURVE_PUMP_HEAD: f = (float)(q * c[1] + q * c[2] * q + c[0]); break;
        case CURVE_OUTLET_FLOW:
        case CURVE_OUTLET_RADIUS: f = (float)(c[0] * std::pow((double)p, c[1])); break;
        case CURVE_VALVE_LOSS: f = (float)(c[0] * std::pow((double)q, c[1])); break;
        default: f = (float)(c[0] * std::pow((double)q, c[1]) + c[2]); break;
        }
        plot.fitted.push_back({ point.x, bFromPressure ? f / flowFactor : f / pressureFactor });
    }
    // The fitted line joins its points from left to right, whatever order
    // the points were typed in.
    std::stable_sort(plot.fitted.begin(), plot.fitted.end(),
                     [](const CurveFitPlotPoint& a, const CurveFitPlotPoint& b) { return a.x < b.x; });
    return plot;
}

void CCurveFitCalc::GetAxisTitles(LPCTSTR flowUnitText, LPCTSTR pressureUnitText,
                                  CString& horizontal, CString& vertical) const
{
    const CurveTypeInfo& info = GetTypeInfo();
    CString flowName = LoadText(info.nFlowHeadingId);
    CString pressureName = LoadText(info.nPressureHeadingId);
    CString flowTitle, pressureTitle;
    flowTitle.Format("%s (%s)", (LPCTSTR)flowName, flowUnitText);
    pressureTitle.Format("%s (%s)", (LPCTSTR)pressureName, pressureUnitText);
    horizontal = info.bFromPressure ? pressureTitle : flowTitle;
    vertical = info.bFromPressure ? flowTitle : pressureTitle;
}
