// Bound values as text and back, by value kind (AFX_RFX_...): the text form
// of the recordset's GetFieldValue and of the grid library's value texts.
// Numbers use '.' whatever the user's locale; reals are written with the
// shortest text that reads back as the same value; timestamps as
// "YYYY-MM-DD HH:MM:SS" (with ".fffffffff" when there is a fraction);
// binary values as upper-case hexadecimal digits.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

namespace kvodbc {

// The text of a value of the given kind (empty for kinds without a value).
CString ValueToText(int nKind, const void* pv);

// Reads text into a value of the given kind. False, with a message for the
// user in *pstrError (when given), when the text is not a value of that kind
// (not a number, out of range, not a date, odd hexadecimal...); the value is
// then unchanged.
bool TextToValue(int nKind, void* pv, LPCSTR lpszText, CString* pstrError);

} // namespace kvodbc
