#include "pickers/core/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

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

namespace {

// The text without the blanks around it.
std::string Trimmed(const char* text)
{
    std::string s = text != nullptr ? text : "";
    size_t first = 0, last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

} // namespace

bool ReadWholeNumber(const char* text, int& value)
{
    const std::string s = Trimmed(text);
    size_t at = s.size() > 0 && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (at == s.size() || s.find_first_not_of("0123456789", at) != std::string::npos || s.size() - at > 10)
        return false;
    const long long number = std::stoll(s);
    if (number < INT_MIN || number > INT_MAX)
        return false;
    value = (int)number;
    return true;
}

bool ReadDecimalNumber(const char* text, double& value)
{
    const std::string s = Trimmed(text);
    size_t at = s.size() > 0 && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (at == s.size() || s[at] == '+' || s[at] == '-')
        return false;
    double number = 0.0;
    std::from_chars_result r = std::from_chars(s.data() + at, s.data() + s.size(), number, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(number))
        return false;
    value = s[0] == '-' ? -number : number;
    return true;
}

} // namespace kvpickers
