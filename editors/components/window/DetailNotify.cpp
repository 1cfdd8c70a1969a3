#include "editors/components/window/DetailNotify.h"
#include "database/records/ComponentRecords.h"
#include "editors/curvefit/CurveFitFields.h"

namespace kvcomponents {

namespace {

float ComponentReal(const ComponentFields& record, int n)
{
    switch (n) {
    case 1: return record.m_fReals1;
    case 2: return record.m_fReals2;
    case 3: return record.m_fReals3;
    case 4: return record.m_fReals4;
    case 5: return record.m_fReals5;
    }
    return 0.0f;
}

float TapeReal(const TapeFields& tape, int n)
{
    switch (n) {
    case 1: return tape.m_fTapeReals1;
    case 2: return tape.m_fTapeReals2;
    case 3: return tape.m_fTapeReals3;
    case 4: return tape.m_fTapeReals4;
    case 5: return tape.m_fTapeReals5;
    }
    return 0.0f;
}

} // namespace

BOOL ReadDetailNotify(WPARAM wParam, LPARAM lParam, int nDatabaseNumber, long nFlags, DetailCoefficients& out)
{
    out = DetailCoefficients();
    if (lParam == 0)
        return FALSE;
    const int nCurveType = (int)wParam;
    CurveFitFields own;
    if (!GetCurveFitCopyFields(nCurveType, nDatabaseNumber, nFlags, own))
        return FALSE;

    // Both records the bar sends are recordsets, whose object starts with
    // its CObject: what the record is comes from its run-time class.
    const auto* pObject = reinterpret_cast<const CObject*>(lParam);
    const ComponentFields* pComponent = nullptr;
    const TapeFields* pTape = nullptr;
    CurveFitFields sent;
    if (pObject->IsKindOf(RUNTIME_CLASS(CRecords))) {
        pComponent = static_cast<const CRecords*>(pObject);
        if (!GetCurveFitCopyFields(nCurveType, pComponent->m_nDatabaseNumber, pComponent->m_nFlags, sent))
            return FALSE;
    }
    else if (pObject->IsKindOf(RUNTIME_CLASS(CTapeExtras))) {
        pTape = static_cast<const CTapeExtras*>(pObject);
        if (!GetCurveFitCopyFields(nCurveType, DBNUM_PIPE, COMPONENT_FLAG_TAPE, sent))
            return FALSE;
    }
    else {
        return FALSE;
    }

    out.nCurveType = nCurveType;
    for (int i = 0; i < 3; i++) {
        if (own.nReals[i] == 0 || sent.nReals[i] == 0)
            continue;
        out.bHas[i] = TRUE;
        out.fValue[i] = pTape != nullptr ? TapeReal(*pTape, sent.nReals[i]) : ComponentReal(*pComponent, sent.nReals[i]);
    }
    return TRUE;
}

} // namespace kvcomponents
