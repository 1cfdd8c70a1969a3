#include "platform/odbc/ODBCValueText.h"
#include "platform/odbc/ODBCInternal.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kvodbc {

namespace {

std::string Hex(const std::string& raw)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(raw.size() * 2);
    for (unsigned char c : raw) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool Unhex(const std::string& text, std::string& raw)
{
    std::string t = text;
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        t = t.substr(2);
    if (t.size() % 2)
        return false;
    raw.clear();
    for (size_t i = 0; i < t.size(); i += 2) {
        int v = 0;
        for (int k = 0; k < 2; ++k) {
            char c = t[i + k];
            int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                     : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                                              : -1;
            if (d < 0)
                return false;
            v = v * 16 + d;
        }
        raw += (char)v;
    }
    return true;
}

std::string Trimmed(LPCSTR text)
{
    std::string s = text ? text : "";
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool ParseInteger(const std::string& t, long long lo, long long hi, long long& value)
{
    if (t.empty())
        return false;
    const char* first = t.data();
    if (*first == '+')
        ++first;
    auto res = std::from_chars(first, t.data() + t.size(), value);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size())
        return false;
    return value >= lo && value <= hi;
}

template <class Real>
bool ParseReal(const std::string& t, Real& value)
{
    if (t.empty())
        return false;
    const char* first = t.data();
    if (*first == '+')
        ++first;
    auto res = std::from_chars(first, t.data() + t.size(), value, std::chars_format::general);
    return res.ec == std::errc() && res.ptr == t.data() + t.size() && std::isfinite(value);
}

bool ParseTimestamp(const std::string& t, TIMESTAMP_STRUCT& ts)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    unsigned long frac = 0;
    char fracText[16] = {};
    int n = std::sscanf(t.c_str(), "%d-%d-%d %d:%d:%d.%9[0-9]", &y, &mo, &d, &h, &mi, &s, fracText);
    if (n != 3 && n != 6 && n != 7)
        return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 61)
        return false;
    if (n == 7) {
        std::string f = fracText;
        while (f.size() < 9)
            f += '0';
        frac = std::strtoul(f.c_str(), nullptr, 10);
    }
    ts.year = (SQLSMALLINT)y;
    ts.month = (SQLUSMALLINT)mo;
    ts.day = (SQLUSMALLINT)d;
    ts.hour = (SQLUSMALLINT)h;
    ts.minute = (SQLUSMALLINT)mi;
    ts.second = (SQLUSMALLINT)s;
    ts.fraction = (SQLUINTEGER)frac;
    return true;
}

void SetError(CString* p, LPCSTR text, LPCSTR value)
{
    if (p)
        p->Format(text, value ? value : "");
}

} // namespace

CString ValueToText(int nKind, const void* pv)
{
    char buf[64];
    switch (nKind) {
    case AFX_RFX_BOOL:
        return *static_cast<const BOOL*>(pv) ? CString("1") : CString("0");
    case AFX_RFX_BYTE:
        std::snprintf(buf, sizeof(buf), "%u", (unsigned)*static_cast<const BYTE*>(pv));
        return CString(buf);
    case AFX_RFX_INT:
        std::snprintf(buf, sizeof(buf), "%d", *static_cast<const int*>(pv));
        return CString(buf);
    case AFX_RFX_LONG:
        std::snprintf(buf, sizeof(buf), "%ld", *static_cast<const long*>(pv));
        return CString(buf);
    case AFX_RFX_SINGLE: {
        auto r = std::to_chars(buf, buf + sizeof(buf), *static_cast<const float*>(pv));
        return CString(std::string(buf, r.ptr));
    }
    case AFX_RFX_DOUBLE: {
        auto r = std::to_chars(buf, buf + sizeof(buf), *static_cast<const double*>(pv));
        return CString(std::string(buf, r.ptr));
    }
    case AFX_RFX_DATE:
    case AFX_RFX_TIMESTAMP: {
        const TIMESTAMP_STRUCT& ts = *static_cast<const TIMESTAMP_STRUCT*>(pv);
        std::snprintf(buf, sizeof(buf), "%04d-%02u-%02u %02u:%02u:%02u", (int)ts.year, (unsigned)ts.month,
                      (unsigned)ts.day, (unsigned)ts.hour, (unsigned)ts.minute, (unsigned)ts.second);
        std::string out = buf;
        if (ts.fraction) {
            std::snprintf(buf, sizeof(buf), ".%09lu", (unsigned long)ts.fraction);
            std::string f = buf;
            while (f.size() > 2 && f.back() == '0')
                f.pop_back();
            out += f;
        }
        return CString(out);
    }
    case AFX_RFX_BINARY:
    case AFX_RFX_LONGBINARY:
        return CString(Hex(FieldRawValue(nKind, const_cast<void*>(pv))));
    case AFX_RFX_TEXT:
    case AFX_RFX_LPTSTR:
    case AFX_RFX_WTEXT:
        return *static_cast<const CString*>(pv);
    default:
        return CString();
    }
}

bool TextToValue(int nKind, void* pv, LPCSTR lpszText, CString* pstrError)
{
    std::string t = Trimmed(lpszText);
    long long i = 0;
    double d = 0;
    switch (nKind) {
    case AFX_RFX_BOOL: {
        std::string u = t;
        for (char& c : u)
            c = (char)toupper((unsigned char)c);
        if (u == "1" || u == "-1" || u == "TRUE" || u == "YES")
            *static_cast<BOOL*>(pv) = TRUE;
        else if (u == "0" || u == "FALSE" || u == "NO")
            *static_cast<BOOL*>(pv) = FALSE;
        else {
            SetError(pstrError, "'%s' is not a yes/no value (1 or 0).", lpszText);
            return false;
        }
        return true;
    }
    case AFX_RFX_BYTE:
        if (!ParseInteger(t, 0, 255, i)) {
            SetError(pstrError, "'%s' is not a whole number from 0 to 255.", lpszText);
            return false;
        }
        *static_cast<BYTE*>(pv) = (BYTE)i;
        return true;
    case AFX_RFX_INT:
    case AFX_RFX_LONG:
        if (!ParseInteger(t, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), i)) {
            SetError(pstrError, "'%s' is not a whole number from -2147483648 to 2147483647.", lpszText);
            return false;
        }
        if (nKind == AFX_RFX_INT)
            *static_cast<int*>(pv) = (int)i;
        else
            *static_cast<long*>(pv) = (long)i;
        return true;
    case AFX_RFX_SINGLE: {
        // The text of the largest single-precision value (3.4028235e+38) is
        // a double a little beyond it: such a text is read as a single,
        // which rounds it back into range; a text beyond that is too large.
        float f = 0;
        bool bRead = ParseReal(t, d);
        if (bRead && std::fabs(d) > (double)std::numeric_limits<float>::max()) {
            bRead = ParseReal(t, f);
            d = f;
        }
        if (!bRead) {
            SetError(pstrError, "'%s' is not a number (or is too large).", lpszText);
            return false;
        }
        *static_cast<float*>(pv) = (float)d;
        return true;
    }
    case AFX_RFX_DOUBLE:
        if (!ParseReal(t, d)) {
            SetError(pstrError, "'%s' is not a number (or is too large).", lpszText);
            return false;
        }
        *static_cast<double*>(pv) = d;
        return true;
    case AFX_RFX_DATE:
    case AFX_RFX_TIMESTAMP: {
        TIMESTAMP_STRUCT ts = {};
        if (!ParseTimestamp(t, ts)) {
            SetError(pstrError, "'%s' is not a date (YYYY-MM-DD or YYYY-MM-DD HH:MM:SS).", lpszText);
            return false;
        }
        *static_cast<TIMESTAMP_STRUCT*>(pv) = ts;
        return true;
    }
    case AFX_RFX_BINARY:
    case AFX_RFX_LONGBINARY: {
        std::string raw;
        if (!Unhex(t, raw)) {
            SetError(pstrError, "'%s' is not binary data (an even number of hexadecimal digits).", lpszText);
            return false;
        }
        SetFieldRawValue(nKind, pv, raw);
        return true;
    }
    case AFX_RFX_TEXT:
    case AFX_RFX_LPTSTR:
    case AFX_RFX_WTEXT:
        *static_cast<CString*>(pv) = lpszText ? lpszText : "";
        return true;
    default:
        SetError(pstrError, "A value of this column cannot be entered as text ('%s').", lpszText);
        return false;
    }
}

} // namespace kvodbc
