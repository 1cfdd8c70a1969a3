// The receiving side of WM_DETAILDLGNOTIFY: the coefficients the curve-fit
// bar hands to the open editor after its "->" copy.
//
// The bar sends the record it has just written (a component, or a tape's
// Tapes row), which need not be the component the editor holds: the bar
// shows whichever component is current. An editor takes the fitted rows
// only for a curve type of its own kind, and reads them from the record by
// what the record is, never by what the editor expects it to be.
#pragma once

#include <windows.h>

namespace kvcomponents {

// Rows 1 to 3 of a fit (A, B, C or K, n, C) as a message carries them.
struct DetailCoefficients
{
    int nCurveType = 0;
    BOOL bHas[3] = {};
    float fValue[3] = {};
};

// The coefficients of a WM_DETAILDLGNOTIFY (wParam the curve type, lParam
// the record) for an editor of a component of this [Database Number] and
// [Flags]: a row is there when the curve type fills it both in the sent
// record and in the editor's kind. FALSE, with nothing there, for no
// record, a record of another type than the message carries, or a curve
// type that is not one of the kind's.
BOOL ReadDetailNotify(WPARAM wParam, LPARAM lParam, int nDatabaseNumber, long nFlags, DetailCoefficients& out);

} // namespace kvcomponents
