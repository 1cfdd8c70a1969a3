#include "pickers/core/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace kvpickers {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int TextToInt(const char* text)
{
    if (text == nullptr)
        return 0;
    while (IsBlank(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= (long long)INT_MAX + 1)
            value = value * 10 + (*text - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return (int)value;
}

double TextToDouble(const char* text)
{
    if (text == nullptr)
        return 0.0;
    while (IsBlank(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    // from_chars takes no sign of its own here and no leading '+'.
    if (*text == '+' || *text == '-')
        return 0.0;
    double value = 0.0;
    const char* end = text + std::strlen(text);
    std::from_chars_result r = std::from_chars(text, end, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large, or too small to tell from 0 (a negative exponent).
        const char* e = std::strpbrk(text, "eE");
        value = (e != nullptr && e < r.ptr && e[1] == '-') ? 0.0 : HUGE_VAL;
    }
    else if (r.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

} // namespace kvpickers
