// Bound values as text and back: every cell edit goes through TextToValue
// and every field read through ValueToText, so a value must come back as it
// went, and the texts must not depend on the user's locale.
#include "platform/odbc/ODBCValueText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstring>
#include <string>

using kvodbc::TextToValue;
using kvodbc::ValueToText;

namespace {

// One bound member of each kind, as a recordset holds them.
struct Slot
{
    BOOL b = FALSE;
    BYTE by = 7;
    int i = 7;
    long l = 7;
    float f = 7.0f;
    double d = 7.0;
    TIMESTAMP_STRUCT ts = { 2000, 1, 2, 3, 4, 5, 0 };
    CString text = "seven";
    CByteArray binary;
    CLongBinary longBinary;

    void* For(int nKind)
    {
        switch (nKind) {
        case AFX_RFX_BOOL: return &b;
        case AFX_RFX_BYTE: return &by;
        case AFX_RFX_INT: return &i;
        case AFX_RFX_LONG: return &l;
        case AFX_RFX_SINGLE: return &f;
        case AFX_RFX_DOUBLE: return &d;
        case AFX_RFX_DATE:
        case AFX_RFX_TIMESTAMP: return &ts;
        case AFX_RFX_TEXT: return &text;
        case AFX_RFX_BINARY: return &binary;
        case AFX_RFX_LONGBINARY: return &longBinary;
        default: return nullptr;
        }
    }
};

struct TextCase
{
    int nKind;
    const char* in;   // what the user types
    const char* out;  // the text the value then shows
};

// Texts read into a value and written out again.
const TextCase kRoundTrips[] = {
    { AFX_RFX_SINGLE, "0.1", "0.1" },
    { AFX_RFX_SINGLE, " 25.4 ", "25.4" },
    { AFX_RFX_SINGLE, "+1e-7", "1e-07" },
    { AFX_RFX_SINGLE, "-1234.5", "-1234.5" },
    { AFX_RFX_SINGLE, "3.4028235e38", "3.4028235e+38" },
    { AFX_RFX_SINGLE, "0.30000001192092896", "0.3" },
    { AFX_RFX_DOUBLE, "0.1", "0.1" },
    { AFX_RFX_DOUBLE, "0.30000000000000004", "0.30000000000000004" },
    { AFX_RFX_DOUBLE, "-1234567.125", "-1234567.125" },
    { AFX_RFX_DOUBLE, "1E300", "1e+300" },
    { AFX_RFX_DOUBLE, "0", "0" },
    { AFX_RFX_BYTE, "255", "255" },
    { AFX_RFX_BYTE, "+0", "0" },
    { AFX_RFX_INT, "-2147483648", "-2147483648" },
    { AFX_RFX_LONG, "2147483647", "2147483647" },
    { AFX_RFX_LONG, " 42\t", "42" },
    { AFX_RFX_BOOL, "yes", "1" },
    { AFX_RFX_BOOL, "-1", "1" },
    { AFX_RFX_BOOL, "False", "0" },
    { AFX_RFX_TEXT, " a, b ", " a, b " },
    { AFX_RFX_TEXT, "", "" },
    { AFX_RFX_TEXT, "\xC3\x98 25 mm", "\xC3\x98 25 mm" },
    { AFX_RFX_TIMESTAMP, "2024-02-29 13:05:09", "2024-02-29 13:05:09" },
    { AFX_RFX_TIMESTAMP, "2024-02-29", "2024-02-29 00:00:00" },
    { AFX_RFX_TIMESTAMP, "2001-01-01 00:00:00.5", "2001-01-01 00:00:00.5" },
    { AFX_RFX_DATE, "1999-12-31 23:59:59.000000001", "1999-12-31 23:59:59.000000001" },
    { AFX_RFX_BINARY, "00abFF", "00ABFF" },
    { AFX_RFX_BINARY, "0x0102", "0102" },
    { AFX_RFX_BINARY, "", "" },
    { AFX_RFX_LONGBINARY, "DEADBEEF00", "DEADBEEF00" },
};

// Texts that are no value of their kind.
const TextCase kRefused[] = {
    { AFX_RFX_BYTE, "256", nullptr },
    { AFX_RFX_BYTE, "-1", nullptr },
    { AFX_RFX_BYTE, "1.5", nullptr },
    { AFX_RFX_LONG, "2147483648", nullptr },
    { AFX_RFX_LONG, "12abc", nullptr },
    { AFX_RFX_INT, "", nullptr },
    { AFX_RFX_SINGLE, "1,5", nullptr },
    { AFX_RFX_SINGLE, "3.5e38", nullptr },
    { AFX_RFX_SINGLE, "3.40282357e38", nullptr },
    { AFX_RFX_DOUBLE, "1e999", nullptr },
    { AFX_RFX_DOUBLE, "inf", nullptr },
    { AFX_RFX_DOUBLE, "nan", nullptr },
    { AFX_RFX_DOUBLE, "2.5 m", nullptr },
    { AFX_RFX_BOOL, "maybe", nullptr },
    { AFX_RFX_TIMESTAMP, "2024-13-01", nullptr },
    { AFX_RFX_TIMESTAMP, "29.02.2024", nullptr },
    { AFX_RFX_TIMESTAMP, "2024-02-29 13:05", nullptr },
    { AFX_RFX_BINARY, "ABC", nullptr },
    { AFX_RFX_BINARY, "GG", nullptr },
};

void CheckRoundTrips()
{
    for (const TextCase& c : kRoundTrips) {
        SCOPED_TRACE(testing::Message() << "kind " << c.nKind << ", text '" << c.in << "'");
        Slot slot;
        CString error;
        ASSERT_TRUE(TextToValue(c.nKind, slot.For(c.nKind), c.in, &error)) << (LPCSTR)error;
        EXPECT_EQ(std::string(c.out), (LPCSTR)ValueToText(c.nKind, slot.For(c.nKind)));
    }
}

void CheckRefused()
{
    for (const TextCase& c : kRefused) {
        SCOPED_TRACE(testing::Message() << "kind " << c.nKind << ", text '" << c.in << "'");
        Slot slot;
        CString before = ValueToText(c.nKind, slot.For(c.nKind));
        CString error;
        EXPECT_FALSE(TextToValue(c.nKind, slot.For(c.nKind), c.in, &error));
        EXPECT_EQ(std::string(before), std::string(ValueToText(c.nKind, slot.For(c.nKind))));
        EXPECT_NE(-1, error.Find(CString("'") + c.in + "'")) << (LPCSTR)error;
    }
}

// Stored reals written out and read back are the same value to the bit.
void CheckRealsComeBackWhole()
{
    for (float f : { 0.1f, 1.0f / 3.0f, 25.4f, -7.62e-5f, FLT_MIN, FLT_MAX, FLT_TRUE_MIN, 16777217.0f }) {
        float value = f;
        CString text = ValueToText(AFX_RFX_SINGLE, &value);
        float back = 0.0f;
        ASSERT_TRUE(TextToValue(AFX_RFX_SINGLE, &back, text, nullptr)) << (LPCSTR)text;
        EXPECT_EQ(0, std::memcmp(&f, &back, sizeof f)) << (LPCSTR)text;
    }
    for (double d : { 0.1, 1.0 / 3.0, 25.4 / 3.0, -7.62e-5, DBL_MIN, DBL_MAX, 4.9406564584124654e-324 }) {
        double value = d;
        CString text = ValueToText(AFX_RFX_DOUBLE, &value);
        double back = 0.0;
        ASSERT_TRUE(TextToValue(AFX_RFX_DOUBLE, &back, text, nullptr)) << (LPCSTR)text;
        EXPECT_EQ(0, std::memcmp(&d, &back, sizeof d)) << (LPCSTR)text;
    }
}

// Sets a locale whose decimal separator is a comma for the life of the
// object, and the one before it again afterwards.
class DecimalCommaLocale
{
public:
    DecimalCommaLocale()
    {
        m_previous = std::setlocale(LC_ALL, nullptr);
        for (const char* name : { "de-DE", "German_Germany.1252", "German", "fr-FR", "French_France.1252" }) {
            if (std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',') {
                m_bSet = true;
                return;
            }
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    bool IsSet() const { return m_bSet; }

private:
    std::string m_previous;
    bool m_bSet = false;
};

} // namespace

TEST(ValueText, TextsReadAndWrittenBack)
{
    CheckRoundTrips();
}

TEST(ValueText, RealsComeBackToTheBit)
{
    CheckRealsComeBackWhole();
}

TEST(ValueText, TextThatIsNoValueIsRefusedAndLeavesTheValue)
{
    CheckRefused();
}

TEST(ValueText, KindsWithoutTextRefuseAndShowNothing)
{
    double value = 1.0;
    CString error;
    EXPECT_FALSE(TextToValue(AFX_RFX_OLEDATE, &value, "1", &error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(1.0, value);
    EXPECT_TRUE(ValueToText(AFX_RFX_NO_TYPE, &value).IsEmpty());
}

TEST(ValueText, DecimalCommaLocaleChangesNothing)
{
    DecimalCommaLocale locale;
    ASSERT_TRUE(locale.IsSet()) << "no locale with a decimal comma could be set";
    CheckRoundTrips();
    CheckRealsComeBackWhole();
    CheckRefused();
}
