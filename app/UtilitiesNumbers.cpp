// The number helpers of the utilities module: parsing in the user's locale,
// rounding, formatting with the "C" locale, and value expressions.
#include "app/Utilities.h"
#include "platform/odbc/ODBCValueText.h"

#include <oleauto.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <string>

namespace {

// The operator markers, in the order of the operators' numbers (1 to 9).
const char kOperatorMarks[] = "+-*/^|%><";

// A number written with "." (blanks around it allowed), whatever the
// locale; FALSE when the text is anything else.
BOOL ReadPlainNumber(const CString& text, double& value)
{
    return kvodbc::TextToValue(AFX_RFX_DOUBLE, &value, text, nullptr);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Numbers

BOOL ParseNumber(LPCSTR text, DWORD flags, double& value)
{
    if (text == nullptr || *text == '\0')
        return FALSE;
    std::wstring wide = kvutf::Widen(text);
    NUMPARSE parse = {};
    BYTE digits[64] = {};
    parse.cDig = (INT)sizeof(digits);
    parse.dwInFlags = flags;
    if (FAILED(::VarParseNumFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &parse, digits)))
        return FALSE;
    // The number must be the whole text, not its start.
    if (parse.cchUsed != (INT)wide.size())
        return FALSE;
    VARIANT result;
    ::VariantInit(&result);
    if (FAILED(::VarNumFromParseNum(&parse, digits, VTBIT_R8, &result)) || result.vt != VT_R8)
        return FALSE;
    value = result.dblVal;
    return TRUE;
}

BOOL IsWholeNumber(double value)
{
    double whole = 0.0;
    return std::isfinite(value) && std::modf(value, &whole) == 0.0;
}

CString MakeUniqueSuffix()
{
    LARGE_INTEGER counter = {};
    ::QueryPerformanceCounter(&counter);
    CString suffix;
    suffix.Format("_%x%x", (unsigned)counter.HighPart, (unsigned)counter.LowPart);
    return suffix;
}

CString FormatInvariant(LPCSTR format, ...)
{
    // The program formats numbers in the user's locale; this text is for
    // files and other programs, which read "." as the decimal point.
    const char* current = setlocale(LC_NUMERIC, nullptr);
    const std::string previous = current != nullptr ? current : "C";
    setlocale(LC_NUMERIC, "C");
    CString text;
    va_list args;
    va_start(args, format);
    try {
        text.FormatV(format, args);
    } catch (...) {
        va_end(args);
        setlocale(LC_NUMERIC, previous.c_str());
        throw;
    }
    va_end(args);
    setlocale(LC_NUMERIC, previous.c_str());
    return text;
}

double RoundHalfAway(double value)
{
    return std::round(value);
}

double RoundToDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    // Tens, hundreds... are whole numbers: divided by them, not multiplied
    // by a fraction that has no exact double.
    const double scale = std::pow(10.0, std::abs(decimals));
    const double scaled = decimals >= 0 ? value * scale : value / scale;
    // Beyond 2^52 a double holds whole numbers only: nothing to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0)
        return value;
    const double rounded = RoundHalfAway(scaled);
    return decimals >= 0 ? rounded / scale : rounded * scale;
}

double CopySign(double a, double b)
{
    return std::copysign(a, b);
}

int CompareInts(int a, int b)
{
    return (a > b) - (a < b);
}

/////////////////////////////////////////////////////////////////////////////
// Value expressions

BOOL SplitValueExpression(LPCSTR text, ValueExpression& parts)
{
    parts = ValueExpression();
    const CString whole(text != nullptr ? text : "");
    CString rest = whole;
    const int open = whole.Find('[');
    if (open >= 0) {
        // "[" comes right after the operator's mark.
        const char* mark = open > 0 ? strchr(kOperatorMarks, whole[open - 1]) : nullptr;
        const int close = whole.Find(']', open + 1);
        if (mark == nullptr || close < 0)
            return FALSE;
        parts.strQuantity = whole.Left(open - 1);
        parts.nOperator = (int)(mark - kOperatorMarks) + 1;
        parts.strOperand = whole.Mid(open + 1, close - open - 1);
        rest = whole.Mid(close + 1);
        rest.TrimLeft();
        if (!rest.IsEmpty() && rest[0] != '~' && rest[0] != ';')
            return FALSE;
    }
    // The suffix: a step after "~" or a number of decimals after ";".
    const int tilde = rest.Find('~'), semicolon = rest.Find(';');
    const int suffix = tilde < 0 ? semicolon : semicolon < 0 ? tilde : std::min(tilde, semicolon);
    if (suffix >= 0) {
        (rest[suffix] == '~' ? parts.strStep : parts.strPrecision) = rest.Mid(suffix + 1);
        if (open < 0)
            parts.strQuantity = rest.Left(suffix);
        else if (suffix != 0)
            return FALSE;
    } else if (open < 0) {
        parts.strQuantity = rest;
    }
    for (CString* part : {&parts.strQuantity, &parts.strOperand, &parts.strStep, &parts.strPrecision})
        part->Trim();
    return TRUE;
}

BOOL ApplyValueOperator(int nOperator, double a, double b, double& result)
{
    double value = 0.0;
    switch (nOperator) {
    case VALUE_OP_ADD:
        value = a + b;
        break;
    case VALUE_OP_SUBTRACT:
        value = a - b;
        break;
    case VALUE_OP_MULTIPLY:
        value = a * b;
        break;
    case VALUE_OP_DIVIDE:
        if (b == 0.0)
            return FALSE;
        value = a / b;
        break;
    case VALUE_OP_POWER:
        value = std::pow(a, b);
        break;
    case VALUE_OP_DIFFERENCE:
        value = std::fabs(a - b);
        break;
    case VALUE_OP_REMAINDER:
        if (b == 0.0)
            return FALSE;
        value = std::fmod(a, b);
        break;
    case VALUE_OP_GREATER:
        value = std::max(a, b);
        break;
    case VALUE_OP_LESS:
        value = std::min(a, b);
        break;
    default:
        return FALSE;
    }
    if (!std::isfinite(value))
        return FALSE;
    result = value;
    return TRUE;
}

double SnapToStep(double value, double step)
{
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(value))
        return value;
    return RoundHalfAway(value / step) * step;
}

BOOL EvaluateValueExpression(LPCSTR text, double& value)
{
    ValueExpression parts;
    double result = 0.0;
    if (!SplitValueExpression(text, parts) || !ReadPlainNumber(parts.strQuantity, result))
        return FALSE;
    if (parts.nOperator != VALUE_OP_NONE) {
        double operand = 0.0;
        if (!ReadPlainNumber(parts.strOperand, operand) || !ApplyValueOperator(parts.nOperator, result, operand, result))
            return FALSE;
    }
    if (!parts.strStep.IsEmpty()) {
        double step = 0.0;
        if (!ReadPlainNumber(parts.strStep, step))
            return FALSE;
        result = SnapToStep(result, step);
    } else if (!parts.strPrecision.IsEmpty()) {
        double decimals = 0.0;
        if (!ReadPlainNumber(parts.strPrecision, decimals) || !IsWholeNumber(decimals) || std::fabs(decimals) > 15)
            return FALSE;
        result = RoundToDecimals(result, (int)decimals);
    }
    value = result;
    return TRUE;
}
