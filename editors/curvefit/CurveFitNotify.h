// The registered window message "WM_DETAILDLGNOTIFY", by which the curve-fit
// bar hands fitted coefficients to the open editor dialog.
//
// The bar sends it (SendMessage) after it has written the coefficients into
// its copy of the current component:
// - wParam: the curve type, 1 to 6 (CurveFitType);
// - lParam: the record holding the coefficients, valid only during the call:
//   the tape's Tapes row (CTapeExtras*) for a tape ([Database Number] 1),
//   else the component (CRecords*), in the fields GetCurveFitCopyFields
//   names, in the curve type's fit units;
// - the result is not used (receivers return 0).
// Receivers take the values into their edits and store nothing until their
// own OK.
#pragma once

#include <windows.h>

// The message's number, registered once when the program starts; every
// sender and receiver uses this variable (ON_REGISTERED_MESSAGE takes it).
extern const UINT WM_DETAILDLGNOTIFY;
