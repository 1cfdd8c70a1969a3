#include "editors/components/window/DetailNotify.h"
#include "database/records/ComponentRecords.h"
#include "editors/curvefit/CurveFitFields.h"

namespace kvcomponents {

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
        const float* pField = pTape != nullptr ? GetCurveFitField(*pTape, sent.nReals[i])
                                               : GetCurveFitField(*pComponent, sent.nReals[i]);
        out.fValue[i] = pField != nullptr ? *pField : 0.0f;
    }
    return TRUE;
}

} // namespace kvcomponents
