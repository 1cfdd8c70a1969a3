// The fitting routines against values worked out independently
// (reference_fits.py: exact least squares in rational arithmetic on the same
// single-precision inputs; the fit measure with the single-precision sums
// emulated, and in double precision), and their degenerate inputs.
#include "editors/curvefit/CurveFitRoutines.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace {

struct FitCase
{
    const char* name;
    short model;
    std::vector<float> x, y;
    double c0, c1, c2;   // expected coefficients
    float fit;           // expected fit, single-precision sums
    float fitTolerance;
};

double Relative(double a, double b)
{
    return std::fabs(a - b) / std::fmax(std::fabs(b), 1e-300);
}

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class FitTable : public testing::TestWithParam<FitCase> {};

TEST_P(FitTable, AgreesWithTheReference)
{
    const FitCase& fc = GetParam();
    double c[3] = { -7, -7, -7 };
    float fit = -7;
    short err = -1;
    FitLeastSquares(fc.model, (short)fc.x.size(), fc.x.data(), fc.y.data(), c, &fit, &err);
    ASSERT_EQ(err, FIT_OK);
    EXPECT_LT(Relative(c[0], fc.c0), 1e-9) << c[0];
    EXPECT_LT(Relative(c[1], fc.c1), 1e-9) << c[1];
    if (fc.model == FIT_MODEL_QUADRATIC)
        EXPECT_LT(Relative(c[2], fc.c2), 1e-9) << c[2];
    else
        EXPECT_EQ(c[2], -7) << "a power law has two coefficients";
    EXPECT_NEAR(fit, fc.fit, fc.fitTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, FitTable,
    testing::Values(
        // y = 2 + 3x + 0.5x² through three points: exact, fit 100.
        FitCase{ "parabola", FIT_MODEL_QUADRATIC, { 1, 2, 4 }, { 5.5f, 10, 22 }, 2.0, 3.0, 0.5, 100.0f, 1e-4f },
        // A pump: head (m) from flow (lps).
        FitCase{ "pump", FIT_MODEL_QUADRATIC, { 0.5f, 1.5f, 2.5f, 3.5f, 4.5f, 5.5f },
                 { 48.2f, 46.9f, 44.1f, 40.3f, 35.2f, 29.0f },
                 48.51866245950971, -0.24357272556849888, -0.601785523550851, 99.99392700195312f, 2e-5f },
        // y = 2 x^0.5: c0 = log10 2, c1 = 0.5, fit 100.
        FitCase{ "square root", 4, { 1, 4, 9, 16 }, { 2, 4, 6, 8 },
                 0.3010300154584778, 0.4999999812723046, 0, 100.0f, 1e-4f },
        // A valve: pressure loss (m) from flow (m³/h).
        FitCase{ "valve", 4, { 5, 10, 20, 30, 40, 50 }, { 0.21f, 0.78f, 2.95f, 6.4f, 11.3f, 17.4f },
                 -2.023118958476151, 1.9185352433757275, 0, 99.99686431884766f, 2e-5f },
        // A nozzle: flow (lph) from pressure (m).
        FitCase{ "nozzle flow", 2, { 10, 15, 20, 25, 30, 35 }, { 410, 505, 580, 650, 708, 768 },
                 2.1154633177541946, 0.49834173509535246, 0, 99.98497009277344f, 2e-5f },
        // Golden cases of the single-precision measure: in double precision
        // the fits are 99.81904 and 46.57264, outside these tolerances.
        FitCase{ "nozzle radius", 3, { 10, 20, 30, 40 }, { 9.1f, 10.6f, 11.5f, 12.1f },
                 0.7536550977670329, 0.20690824323852827, 0, 99.82058715820312f, 2e-5f },
        FitCase{ "compensating dripper", 2, { 8, 12, 16, 20, 25, 30 },
                 { 3.62f, 3.71f, 3.66f, 3.74f, 3.69f, 3.72f },
                 0.5465598752157804, 0.016658135115657443, 0, 46.51785659790039f, 1e-4f }),
    [](const testing::TestParamInfo<FitCase>& info) {
        std::string s = info.param.name;
        for (char& ch : s)
            if (!isalnum((unsigned char)ch))
                ch = '_';
        return s;
    });

// Refused inputs leave the caller's coefficients and fit as they were.
struct RefusedCase
{
    const char* name;
    short model;
    std::vector<float> x, y;
    short err;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedTable : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTable, LeavesCoefficientsAndFitUntouched)
{
    const RefusedCase& rc = GetParam();
    double c[3] = { 11, 12, 13 };
    float fit = 14;
    short err = -1;
    FitLeastSquares(rc.model, (short)rc.x.size(), rc.x.data(), rc.y.data(), c, &fit, &err);
    EXPECT_EQ(err, rc.err);
    EXPECT_EQ(c[0], 11);
    EXPECT_EQ(c[1], 12);
    EXPECT_EQ(c[2], 13);
    EXPECT_EQ(fit, 14);
}

INSTANTIATE_TEST_SUITE_P(
    Degenerate, RefusedTable,
    testing::Values(
        RefusedCase{ "zero_x_first", 4, { 0, 1, 2 }, { 1, 2, 3 }, FIT_NOT_POSITIVE },
        RefusedCase{ "negative_y_later", 2, { 1, 2, 3 }, { 1, 2, -3 }, FIT_NOT_POSITIVE },
        RefusedCase{ "zero_y", 5, { 1, 2, 3 }, { 1, 0, 3 }, FIT_NOT_POSITIVE },
        RefusedCase{ "nan_under_log", 4, { 1, NAN, 3 }, { 1, 2, 3 }, FIT_NOT_POSITIVE },
        RefusedCase{ "quadratic_all_x_zero", FIT_MODEL_QUADRATIC, { 0, 0, 0 }, { 1, 2, 3 }, FIT_SINGULAR },
        RefusedCase{ "power_all_x_one", 4, { 1, 1, 1 }, { 1, 2, 3 }, FIT_SINGULAR },
        RefusedCase{ "quadratic_two_distinct_x", FIT_MODEL_QUADRATIC, { 1, 1, 2 }, { 3, 4, 5 }, FIT_SINGULAR },
        RefusedCase{ "quadratic_two_points", FIT_MODEL_QUADRATIC, { 1.1f, 2.3f }, { 3, 4 }, FIT_TOO_FEW },
        RefusedCase{ "power_one_point", 4, { 2 }, { 3 }, FIT_TOO_FEW },
        RefusedCase{ "no_points", FIT_MODEL_QUADRATIC, {}, {}, FIT_TOO_FEW },
        RefusedCase{ "infinite_value", FIT_MODEL_QUADRATIC, { 1, 2, INFINITY }, { 1, 2, 3 }, FIT_SINGULAR },
        RefusedCase{ "nan_value", FIT_MODEL_QUADRATIC, { 1, 2, 3 }, { 1, NAN, 3 }, FIT_SINGULAR }),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(FitLeastSquares, EqualValuesFitPerfectlyWithoutDividingByZero)
{
    // All dependent values equal: no spread to explain, and the constant
    // term reproduces them exactly. Values whose single-precision sums round
    // unevenly (0.1, 3.3) as well as exact ones.
    for (float v : { 5.0f, 0.1f, 3.3f, 1234.567f })
    {
        const float x[] = { 1, 2, 3, 4, 5, 6, 7 };
        const float y[] = { v, v, v, v, v, v, v };
        for (short model : { FIT_MODEL_QUADRATIC, FIT_MODEL_POWER })
        {
            double c[3] = {};
            float fit = 0;
            short err = -1;
            FitLeastSquares(model, 7, x, y, c, &fit, &err);
            ASSERT_EQ(err, FIT_OK) << v;
            EXPECT_EQ(fit, 100.0f) << v << " model " << model;
            double constant = model == FIT_MODEL_QUADRATIC ? v : std::log10(v);
            EXPECT_NEAR(c[0], constant, 1e-5 * std::fmax(1.0, std::fabs(constant)));
            EXPECT_NEAR(c[1], 0.0, 1e-6);
        }
    }
}

TEST(FitLeastSquares, ValuesThatDifferInTheirLastDigitsGetAFiniteFitInRange)
{
    // The single-precision spread of these values is mostly rounding; the
    // measure still comes out a finite percentage.
    const float x[] = { 1, 2, 3, 4, 5 };
    const float y[] = { 1000.0f, 1000.0001f, 1000.0f, 1000.0002f, 1000.0001f };
    double c[3] = {};
    float fit = -1;
    short err = -1;
    FitLeastSquares(FIT_MODEL_QUADRATIC, 5, x, y, c, &fit, &err);
    ASSERT_EQ(err, FIT_OK);
    EXPECT_TRUE(std::isfinite(fit));
    EXPECT_GE(fit, 0.0f);
    EXPECT_LE(fit, 100.0f);
}

TEST(FitLeastSquares, TakesMoreThanTenPoints)
{
    std::vector<float> x, y;
    for (int i = 1; i <= 20; i++)
    {
        x.push_back((float)i);
        y.push_back(3.0f * std::pow((float)i, 1.25f));
    }
    double c[3] = {};
    float fit = 0;
    short err = -1;
    FitLeastSquares(4, 20, x.data(), y.data(), c, &fit, &err);
    ASSERT_EQ(err, FIT_OK);
    EXPECT_NEAR(c[0], std::log10(3.0), 1e-5);
    EXPECT_NEAR(c[1], 1.25, 1e-5);
    EXPECT_NEAR(fit, 100.0f, 1e-3f);
}

TEST(InvertMatrix, InvertsAndGivesTheDeterminant)
{
    // [[4 7 2] [3 6 1] [2 5 3]], column-major; det 9, inverse
    // [[13 -11 -5] [-7 8 2] [3 -6 3]] / 9.
    double a[9] = { 4, 3, 2, 7, 6, 5, 2, 1, 3 };
    const double inverse[9] = { 13, -7, 3, -11, 8, -6, -5, 2, 3 };
    double det = 0;
    int rows[3], cols[3];
    InvertMatrix(a, 3, &det, rows, cols);
    EXPECT_NEAR(det, 9.0, 1e-12);
    for (int i = 0; i < 9; i++)
        EXPECT_NEAR(a[i], inverse[i] / 9.0, 1e-12) << i;
}

TEST(InvertMatrix, PivotsOnTheFirstOfEqualMagnitudes)
{
    // Every element has magnitude 2 or 1: the first 2 found (column 0, row
    // 1 in the scan order) is the pivot, and no interchange is needed for
    // a later one of equal size.
    double a[4] = { 1, -2, 2, 1 };  // [[1 2] [-2 1]]
    double det = 0;
    int rows[2], cols[2];
    InvertMatrix(a, 2, &det, rows, cols);
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(cols[0], 0);
    EXPECT_NEAR(det, 5.0, 1e-12);
    // The inverse of [[1 2] [-2 1]] is [[1 -2] [2 1]] / 5.
    EXPECT_NEAR(a[0], 0.2, 1e-12);
    EXPECT_NEAR(a[1], 0.4, 1e-12);
    EXPECT_NEAR(a[2], -0.4, 1e-12);
    EXPECT_NEAR(a[3], 0.2, 1e-12);
}

TEST(InvertMatrix, TinyPivotMeansSingular)
{
    double a[4] = { 1e-21, 0, 0, 1e-21 };
    double det = 1;
    int rows[2], cols[2];
    InvertMatrix(a, 2, &det, rows, cols);
    EXPECT_EQ(det, 0.0);

    double b[9] = { 1, 2, 3, 2, 4, 6, 1, 1, 1 };  // second column twice the first
    InvertMatrix(b, 3, &det, rows, cols);
    EXPECT_EQ(det, 0.0);
}

struct InterceptCase
{
    const char* name;
    std::vector<float> x, y;
    double intercept, interceptTolerance;
    double factor, exponent, relativeTolerance;
    float minimumFit;
};

void PrintTo(const InterceptCase& c, std::ostream* os) { *os << c.name; }

class InterceptTable : public testing::TestWithParam<InterceptCase> {};

TEST_P(InterceptTable, FindsTheBestIntercept)
{
    const InterceptCase& ic = GetParam();
    double c[3] = {};
    float fit = 0;
    short err = -1;
    FitPowerWithIntercept((short)ic.x.size(), ic.x.data(), ic.y.data(), c, &fit, &err);
    ASSERT_EQ(err, FIT_OK);
    EXPECT_NEAR(c[2], ic.intercept, ic.interceptTolerance);
    EXPECT_LT(Relative(std::pow(10.0, c[0]), ic.factor), ic.relativeTolerance) << std::pow(10.0, c[0]);
    EXPECT_LT(Relative(c[1], ic.exponent), ic.relativeTolerance) << c[1];
    EXPECT_GE(fit, ic.minimumFit);
    EXPECT_LE(fit, 100.001f);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, InterceptTable,
    testing::Values(
        // y = 3x² + 5: the intercept near 5, a fit close to 100. Within 0.02
        // of 5 the fit differs from 100 by less than the resolution of its
        // single-precision sums, which is all the search compares.
        InterceptCase{ "shifted_parabola", { 1, 2, 3, 4, 5, 6 }, { 8, 17, 32, 53, 80, 113 },
                       5.0, 0.02, 3.0, 2.0, 0.01, 99.999f },
        // A pure power law: the intercept stays near 0.
        InterceptCase{ "pure_power", { 1, 2, 4, 8 }, { 2, 5.656854f, 16, 45.254834f },
                       0.0, 0.01, 2.0, 1.5, 0.01, 99.999f },
        // A valve with a loss that does not vanish at small flows
        // (reference: best intercept 1.49759, fit 99.9958).
        InterceptCase{ "valve", { 2, 5, 10, 20, 30, 40 }, { 1.52f, 1.61f, 1.86f, 2.75f, 4.02f, 5.64f },
                       1.497585713863406, 0.002, 0.0067108802953127645, 1.7423703349382318, 0.02,
                       99.99f }),
    [](const testing::TestParamInfo<InterceptCase>& info) { return std::string(info.param.name); });

TEST(FitPowerWithIntercept, SearchEndsForValuesBeyondTheResolutionOfItsSteps)
{
    // Around 20,000, neighbouring floats are 0.002 apart: the interval can
    // never become narrower than 0.001, and halving it no longer narrows it.
    // The search still ends, near the intercept.
    const float x[] = { 1, 2, 3, 4 };
    const float y[] = { 20000.0f + 3, 20000.0f + 12, 20000.0f + 27, 20000.0f + 48 };
    double c[3] = {};
    float fit = 0;
    short err = -1;
    FitPowerWithIntercept(4, x, y, c, &fit, &err);
    EXPECT_EQ(err, FIT_OK);
    EXPECT_NEAR(c[2], 20000.0, 0.1);
    EXPECT_NEAR(c[1], 2.0, 0.01);
    EXPECT_GT(fit, 99.9f);
}

TEST(FitPowerWithIntercept, ZeroFlowEndsEveryTrialWithTheError)
{
    const float x[] = { 0, 2, 3 };
    const float y[] = { 2, 3, 4 };
    double c[3] = { 11, 12, 13 };
    float fit = 14;
    short err = -1;
    FitPowerWithIntercept(3, x, y, c, &fit, &err);
    EXPECT_EQ(err, FIT_NOT_POSITIVE);
    EXPECT_EQ(c[0], 11);
    EXPECT_EQ(c[1], 12);
    EXPECT_EQ(fit, 14);
    EXPECT_TRUE(std::isfinite(c[2]));
}

TEST(FitPowerAtIntercept, ShiftsByTheMiddleOfTheInterval)
{
    // y - 1 = 2x: the middle of 0.5 and 1.5 is the exact intercept.
    const float x[] = { 1, 2, 3 };
    const float y[] = { 3, 5, 7 };
    double c[3] = {};
    float fit = 0, intercept = 0;
    short err = -1;
    FitPowerAtIntercept(3, x, y, c, &fit, &err, 0.5f, 1.5f, &intercept);
    ASSERT_EQ(err, FIT_OK);
    EXPECT_EQ(intercept, 1.0f);
    EXPECT_NEAR(c[0], std::log10(2.0), 1e-6);
    EXPECT_NEAR(c[1], 1.0, 1e-6);
}

TEST(MeanAndVariation, MeanAndCoefficientOfVariation)
{
    struct Case
    {
        std::vector<float> y;
        double mean;
        float cv, tolerance;
    };
    const Case cases[] = {
        { { 2, 2, 2 }, 2.0, 0.0f, 0.0f },
        { { 1, 2, 3, 4 }, 2.5, 0.447213595499958f, 1e-6f },
        { { 3.62f, 3.71f, 3.66f, 3.74f, 3.69f, 3.72f }, 3.69, 0.010840108401084014f, 2e-5f },
        // Equal values whose single-precision sums leave a variance a hair
        // below zero (whose square root is not a number).
        { { 0.1f, 0.1f, 0.1f }, 0.1, 0.0f, 0.0f },
        { { 3.3f, 3.3f, 3.3f }, 3.3, 0.0f, 0.0f },
        { { 9.9f, 9.9f, 9.9f, 9.9f, 9.9f, 9.9f }, 9.9, 0.0f, 0.0f },
    };
    for (const Case& k : cases)
    {
        double mean = -1;
        float cv = -1;
        MeanAndVariation((short)k.y.size(), k.y.data(), &mean, &cv);
        EXPECT_NEAR(mean, k.mean, 1e-6);
        EXPECT_NEAR(cv, k.cv, k.tolerance) << k.y[0];
    }
}

TEST(MeanAndVariation, ZeroMeanGivesNoNotANumber)
{
    const float zeros[] = { 0, 0, 0 };
    const float balanced[] = { -1, 1, -2, 2 };
    double mean = -1;
    float cv = -1;
    MeanAndVariation(3, zeros, &mean, &cv);
    EXPECT_EQ(mean, 0.0);
    EXPECT_EQ(cv, 0.0f);
    MeanAndVariation(4, balanced, &mean, &cv);
    EXPECT_EQ(mean, 0.0);
    EXPECT_EQ(cv, FLT_MAX);
    MeanAndVariation(0, zeros, &mean, &cv);
    EXPECT_EQ(mean, 0.0);
    EXPECT_EQ(cv, 0.0f);
}

} // namespace
