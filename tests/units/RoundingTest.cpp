#include <gtest/gtest.h>

#include "units/OZU_UnitSettings.h"

#include <climits>
#include <clocale>
#include <cstring>
#include <limits>

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
}

// Results are the doubles nearest to the decimals rounded to, so they equal
// the same numbers typed.
TEST(RoundToSignificant, Table)
{
    OZU_UnitSettings settings; // DecPlaces 2
    struct Case { double x; int n; double expected; };
    const Case cases[] = {
        {0.0, 5, 0.0},
        {kNaN, 5, 0.0},
        {kInf, 5, 0.0},
        {-kInf, 5, 0.0},
        {1.23456789, 5, 1.23457},
        {123456.789, 5, 123456.79},
        {25.0, 5, 25.0},
        {0.1, 5, 0.1},
        {99999.4, 5, 99999.4},
        {-0.000123456, 3, -0.0001235},
        {2.5, 0, 2.5},
        {0.125, 1, 0.12}, // the step 0.01 is not exact: the half goes down
        {-1.23456789, 5, -1.23457},
        {393.70079040527344, 5, 393.701}, // 10 m in inches
        {9999.999389648438, 5, 10000.0},  // 10 m in mm
        // Digit counts far outside any setting neither fail nor loop.
        {1.5, 1000000, 1.5},
        {1.5, -1000000, 1.5},
        {1e-320, 16, 1e-320},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, settings.RoundToSignificant(c.x, c.n)) << c.x << " n=" << c.n;
}

// Decimal places come from the current unit set.
TEST(RoundToSignificant, LargeNumbersKeepDecPlaces)
{
    OZU_UnitSettings settings;
    OZU_UnitSet units = *settings.GetUnits();
    units.m_nDecPlaces = 0;
    settings.SetUnits(units);
    EXPECT_EQ(123457.0, settings.RoundToSignificant(123456.789, 5));
    units.m_nDecPlaces = 3;
    settings.SetUnits(units);
    EXPECT_EQ(123456.789, settings.RoundToSignificant(123456.7891, 5));
    units.m_nDecPlaces = INT_MAX; // nonsense that came in through SetUnits
    settings.SetUnits(units);
    EXPECT_EQ(123456.7891, settings.RoundToSignificant(123456.7891, 5));
}

// With no decimal places, values of one or two integer digits round with a
// step of exactly 1, so a value exactly halfway between two steps is a true
// half: it goes up in magnitude, and a hair below it goes down.
TEST(RoundToSignificant, ExactHalvesGoUpInMagnitude)
{
    OZU_UnitSettings settings;
    OZU_UnitSet units = *settings.GetUnits();
    units.m_nDecPlaces = 0;
    settings.SetUnits(units);
    struct Case { double x; int n; double expected; };
    const Case cases[] = {
        {2.5, 0, 3.0},       {-2.5, 0, -3.0},       {12.5, 1, 13.0},
        {-97.5, 1, -98.0},   {2.4999999, 0, 2.0},   {12.4999, 1, 12.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, settings.RoundToSignificant(c.x, c.n)) << c.x << " n=" << c.n;
}

TEST(RoundToInt, HalvesAwayFromZero)
{
    struct Case { double x; int expected; };
    const Case cases[] = {
        {2.5, 3}, {-2.5, -3}, {0.5, 1}, {-0.5, -1}, {0.49, 0}, {-0.49, 0}, {7.0, 7},
        {1e12, INT_MAX}, {-1e12, INT_MIN}, {kNaN, 0}, {kInf, INT_MAX}, {-kInf, INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, OZU_UnitSettings::RoundToInt(c.x)) << c.x;
}

TEST(FormatSignificantDigits, Table)
{
    struct Case { double x; int n; const char* expected; };
    const Case cases[] = {
        {1234.5678, 5, "1234.6"}, {0.5, 5, "0.5"},       {100, 5, "100"},
        {25000, 5, "25000"},      {12345.5, 5, "12346"}, {99999.7, 5, "100000"},
        {1.0, 5, "1"},            {0, 5, "0"},           {123456, 3, "123000"},
        {0.000123456, 3, "0.000123"}, {-2.25, 2, "-2.3"}, {-1234.5678, 5, "-1234.6"},
        // Beyond the 32-bit range of the rounded integer.
        {1234567.891234, 12, "1234567.89123"},
        // Where the power of ten leaves the double range.
        {1e-300, 16, "1e-300"},
        // Not a number and infinity have no digits to show.
        {kNaN, 5, ""}, {kInf, 5, ""}, {-kInf, 5, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, OZU_UnitSettings::FormatSignificantDigits(c.x, c.n).GetString())
            << c.x << " n=" << c.n;
}

// The point is always '.', whatever the C runtime's locale.
TEST(FormatSignificantDigits, IgnoresRuntimeLocale)
{
    const char* previous = setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!setlocale(LC_NUMERIC, "German_Germany.1252") && !setlocale(LC_NUMERIC, "de-DE"))
        GTEST_SKIP() << "no comma locale";
    EXPECT_STREQ("1234.6", OZU_UnitSettings::FormatSignificantDigits(1234.5678, 5).GetString());
    setlocale(LC_NUMERIC, saved.c_str());
}

TEST(OZU_ValueFormat, FixedWidthTable)
{
    struct Case { double x; int digits; const char* expected; };
    const Case cases[] = {
        {0.1, 5, "0.10000"},   {10000, 5, "10000"},       {1, 5, "1.0000"},
        {0, 5, "0.0"},         {-0.5, 5, "-0.50000"},     {1e10, 5, "10000000000"},
        {9.999999, 5, "10.000"}, {-123456, 5, "-123456"}, {0.5, 5, "0.50000"},
        {1000, 5, "1000.0"},   {393.70079, 5, "393.70"},  {0.00123, 3, "0.00123"},
        {-0.0, 5, "0.0"},
        // A rounding that adds an integer digit keeps the number's size.
        {99999.5, 5, "100000"}, {99999.7, 5, "100000"}, {-99999.5, 5, "-100000"},
        {9999.96, 5, "10000"},  {999999.5, 5, "1000000"}, {99.9996, 3, "100"},
        // Digits are taken in 1 .. 16.
        {0.5, 0, "0.5"},       {0.5, -3, "0.5"},          {2.0, 40, "2.000000000000000"},
    };
    for (const Case& c : cases) {
        OZU_LengthValue v(c.x, LENGTH_M);
        char text[20];
        v.Format(c.digits, text, sizeof(text));
        EXPECT_STREQ(c.expected, text) << c.x << " digits=" << c.digits;
    }
}

// Whatever the number and digit count, nothing is written past the buffer,
// the text is terminated, and what is shown is still the number.
TEST(OZU_ValueFormat, NeverWritesPastBuffer)
{
    struct Case { double x; int digits; size_t size; const char* expected; };
    const Case cases[] = {
        {1e-14, 5, 20, "0.00000000000001000"},
        {-1e-13, 5, 20, "-0.0000000000001000"},
        {1e300, 5, 20, "1.0000e+300"},
        {-1e300, 16, 20, "-1.00000000000e+300"},
        {1e17, 5, 20, "100000000000000000"},
        {5e-324, 16, 20, "4.940656458412e-324"},
        {kNaN, 5, 20, "nan"},
        {kInf, 5, 20, "inf"},
        {-kInf, 5, 20, "-inf"},
        {123456.0, 5, 6, "1e+05"},
        {0.001, 5, 6, "0.001"},
        {0.5, 5, 4, "0.5"},
        {1.0, 5, 1, ""},
    };
    for (const Case& c : cases) {
        char guard[64];
        memset(guard, '#', sizeof(guard));
        char* text = guard + 8;
        OZU_PressureValue v(c.x, PRESSURE_M);
        v.Format(c.digits, text, c.size);
        EXPECT_STREQ(c.expected, text) << c.x << " digits=" << c.digits << " size=" << c.size;
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ('#', guard[i]);
        for (size_t i = 8 + c.size; i < sizeof(guard); ++i)
            EXPECT_EQ('#', guard[i]) << c.x << " byte " << i - 8;
    }
    OZU_LengthValue v(1.0, LENGTH_M);
    EXPECT_EQ(-1, v.Format(5, nullptr, 20));
    char one = '#';
    EXPECT_EQ(-1, v.Format(5, &one, 0));
    EXPECT_EQ('#', one);
}
