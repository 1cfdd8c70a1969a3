#include "editors/curvefit/CurveFitFields.h"
#include "editors/curvefit/CurveFitCalc.h"
#include "database/records/ComponentRecords.h"

#include <utility>

namespace {

bool IsTape(int nDatabaseNumber, long nFlags)
{
    return nDatabaseNumber == DBNUM_PIPE && (nFlags & COMPONENT_FLAG_TAPE) != 0;
}

CurveFitFields Fields(BOOL bTape, int first, int second, int third)
{
    CurveFitFields fields;
    fields.bTape = bTape;
    fields.nReals[0] = first;
    fields.nReals[1] = second;
    fields.nReals[2] = third;
    return fields;
}

// The fields of a curve type in a component that holds that curve.
BOOL FieldsOf(int nCurveType, int nDatabaseNumber, long nFlags, CurveFitFields& fields)
{
    switch (nCurveType)
    {
    case CURVE_PUMP_HEAD:
    case CURVE_VALVE_LOSS_INTERCEPT:
    case CURVE_MISC_LOSS:
        fields = Fields(FALSE, 3, 4, 5);
        return TRUE;
    case CURVE_VALVE_LOSS:
        fields = Fields(FALSE, 3, 4, 0);
        return TRUE;
    case CURVE_OUTLET_FLOW:
        if (IsTape(nDatabaseNumber, nFlags))
            fields = Fields(TRUE, 1, 2, 0);
        else
            fields = Fields(FALSE, 4, 5, 0);
        return TRUE;
    case CURVE_OUTLET_RADIUS:
        fields = Fields(FALSE, 1, 2, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

BOOL GetCurveFitShownFields(int nCurveType, int nDatabaseNumber, long nFlags, CurveFitFields& fields)
{
    fields = CurveFitFields();
    bool shown = false;
    switch (nCurveType)
    {
    case CURVE_PUMP_HEAD:
    case CURVE_VALVE_LOSS:
    case CURVE_VALVE_LOSS_INTERCEPT:
    case CURVE_MISC_LOSS:
        // The stored curve of a pump, valve or hydraulic item, whichever of
        // the pressure curves is chosen.
        shown = nDatabaseNumber == DBNUM_PUMP || nDatabaseNumber == DBNUM_VALVE ||
                nDatabaseNumber == DBNUM_HYDRAULIC;
        break;
    case CURVE_OUTLET_FLOW:
        shown = nDatabaseNumber == DBNUM_NOZZLE || IsTape(nDatabaseNumber, nFlags);
        break;
    case CURVE_OUTLET_RADIUS:
        shown = nDatabaseNumber == DBNUM_NOZZLE;
        break;
    }
    return shown && FieldsOf(nCurveType, nDatabaseNumber, nFlags, fields);
}

BOOL GetCurveFitCopyFields(int nCurveType, int nDatabaseNumber, long nFlags, CurveFitFields& fields)
{
    fields = CurveFitFields();
    bool fits = false;
    switch (nCurveType)
    {
    case CURVE_PUMP_HEAD: fits = nDatabaseNumber == DBNUM_PUMP; break;
    case CURVE_OUTLET_FLOW: fits = nDatabaseNumber == DBNUM_NOZZLE || IsTape(nDatabaseNumber, nFlags); break;
    case CURVE_OUTLET_RADIUS: fits = nDatabaseNumber == DBNUM_NOZZLE; break;
    case CURVE_VALVE_LOSS:
    case CURVE_VALVE_LOSS_INTERCEPT: fits = nDatabaseNumber == DBNUM_VALVE; break;
    case CURVE_MISC_LOSS: fits = nDatabaseNumber == DBNUM_HYDRAULIC; break;
    }
    return fits && FieldsOf(nCurveType, nDatabaseNumber, nFlags, fields);
}

const float* GetCurveFitField(const ComponentFields& record, int n)
{
    switch (n)
    {
    case 1: return &record.m_fReals1;
    case 2: return &record.m_fReals2;
    case 3: return &record.m_fReals3;
    case 4: return &record.m_fReals4;
    case 5: return &record.m_fReals5;
    }
    return nullptr;
}

const float* GetCurveFitField(const TapeFields& tape, int n)
{
    switch (n)
    {
    case 1: return &tape.m_fTapeReals1;
    case 2: return &tape.m_fTapeReals2;
    case 3: return &tape.m_fTapeReals3;
    case 4: return &tape.m_fTapeReals4;
    case 5: return &tape.m_fTapeReals5;
    }
    return nullptr;
}

float* GetCurveFitField(ComponentFields& record, int n)
{
    return const_cast<float*>(GetCurveFitField(std::as_const(record), n));
}

float* GetCurveFitField(TapeFields& tape, int n)
{
    return const_cast<float*>(GetCurveFitField(std::as_const(tape), n));
}
