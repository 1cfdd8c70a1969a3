// Fixed-width text of a value's number (the limits in range messages).
#include "units/OZU_Value.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Copies at most size - 1 characters of src and a terminator; returns the
// count copied, or -1 when src was cut.
int CopyCut(const char* src, size_t length, char* text, size_t size)
{
    size_t n = std::min(length, size - 1);
    memcpy(text, src, n);
    text[n] = '\0';
    return n == length ? (int)n : -1;
}

// Exponent notation with as many digits as fit into the buffer.
int FormatExponent(double x, int digits, char* text, size_t size)
{
    char buffer[64];
    for (int precision = std::max(digits - 1, 0); precision >= 0; --precision) {
        int length = snprintf(buffer, sizeof(buffer), "%.*e", precision, x);
        if (length > 0 && (size_t)length <= size - 1)
            return CopyCut(buffer, (size_t)length, text, size);
    }
    int length = snprintf(buffer, sizeof(buffer), "%.0e", x);
    return CopyCut(buffer, length > 0 ? (size_t)length : 0, text, size);
}

} // namespace

// The field: a number of 1 or more shows its integer digits and enough
// decimals for `digits` significant digits; 0 shows "0.0"; a number below 1
// shows its leading zeros and then `digits` digits. The text is cut at the
// field width, so a rounding that adds a digit loses the last decimal
// (9.999999 with 5 digits gives "10.000"); where there is no decimal to
// lose, the number keeps its new digit (99999.5 gives "100000").
//
// Beyond what a field of the buffer can hold the text must still be right:
// a number of 1e16 or more keeps all its integer digits, and one whose
// integer digits (or first significant digit) do not fit into the buffer is
// written in exponent notation instead. Digit counts are taken in 1 .. 16.
int OZU_FormatNumber(double x, int digits, char* text, size_t size)
{
    if (text == nullptr || size == 0)
        return -1;
    if (std::isnan(x))
        return CopyCut("nan", 3, text, size);
    if (std::isinf(x))
        return x < 0 ? CopyCut("-inf", 4, text, size) : CopyCut("inf", 3, text, size);

    if (x == 0.0)
        x = 0.0; // a negative zero prints as zero
    const bool negative = x < 0;
    const double magnitude = negative ? -x : x;
    digits = std::clamp(digits, 1, 16);
    const int requestedDigits = digits;

    int width, precision;
    int intDigits = 0;      // integer digits of a number of 1 or more
    int leadingZeros = 0;   // zeros after the point of a number below 1
    bool keepWhole = false; // integer digits beyond the field are kept
    if (magnitude >= 1.0) {
        intDigits = (int)std::floor(std::log10(magnitude)) + 1;
        if (intDigits > digits) {
            keepWhole = intDigits > 16;
            digits = std::min(intDigits, 16);
        }
        precision = digits - std::min(intDigits, 16);
        width = std::min(intDigits, 16) + precision + 1;
    } else if (magnitude == 0.0) {
        width = 3;
        precision = 2;
    } else {
        leadingZeros = (int)(-std::floor(std::log10(magnitude))) - 1;
        precision = leadingZeros + digits;
        width = precision + 2;
    }
    if (negative)
        ++width;
    if (precision == 0)
        --width;

    // Every field of a finite double fits here: at most 309 integer digits
    // or 2 + 323 zeros + 16 digits, with a sign.
    char full[400];
    int length = snprintf(full, sizeof(full), "%*.*f", width, precision, x);
    if (length <= 0 || (size_t)length >= sizeof(full))
        return FormatExponent(x, requestedDigits, text, size);
    // A rounding that adds an integer digit (99999.5 printed as "100000")
    // makes the text longer than the field: the cut then takes decimals
    // only, never integer digits, and leaves no bare point behind.
    size_t integerLength = strcspn(full, ".");
    size_t fieldLength = keepWhole ? (size_t)length : std::min((size_t)length, (size_t)width);
    if (fieldLength < integerLength)
        fieldLength = integerLength;
    if (fieldLength == integerLength + 1 && full[integerLength] == '.')
        fieldLength = integerLength;

    if (fieldLength <= size - 1)
        return CopyCut(full, fieldLength, text, size);
    // The field is wider than the buffer: cutting it is still right when the
    // integer digits, or the first significant digit, stay.
    size_t needed = magnitude >= 1.0 ? integerLength
                                     : (negative ? 1 : 0) + (size_t)leadingZeros + 3;
    if (needed <= size - 1)
        return CopyCut(full, fieldLength, text, size);
    return FormatExponent(x, requestedDigits, text, size);
}
