// Least-squares fitting of the hydraulic curves of components: a quadratic or
// a power law through measured points, a power law with an additive constant
// found by a one-dimensional search, and the mean and coefficient of
// variation of a set of values.
//
// Free functions without state, windows or messages. Points are floats,
// coefficients doubles, counts 16-bit; the caller turns the error code into
// a message. Mixed precision is part of the result: the normal equations and
// the coefficients are worked in doubles, the logarithms of a power law and
// the sums of the fit measure in single precision.
#pragma once

// Points the curve-fit bar offers (the rows of its data grid). The routines
// themselves take any number.
const short CURVEFIT_MAX_POINTS = 10;

// Model selectors: 1 is the quadratic, every other value the power law.
enum : short
{
    FIT_MODEL_QUADRATIC = 1,
    FIT_MODEL_POWER = 5,
};

// Error codes. The message shown for code e is string 246 + e.
enum : short
{
    FIT_OK = 0,
    FIT_SINGULAR = 1,      // the normal equations have no unique solution
    FIT_NOT_POSITIVE = 2,  // a power law met a point with x <= 0 or y <= 0
    FIT_TOO_FEW = 3,       // fewer points than coefficients
};

// Fits y = c[0] + c[1]*x + c[2]*x^2 (model 1), or log10 y = c[0] + c[1]*log10 x
// (any other model; c[0] is the logarithm of the factor, not the factor).
// On success *err = FIT_OK, c[0..m-1] hold the coefficients (m = 3 or 2) and
// *fit the goodness of fit in percent (100 R^2, of the logarithms for the
// power law). On an error c and *fit keep what the caller put there.
void FitLeastSquares(short model, short n, const float* x, const float* y, double* c,
                     float* fit, short* err);

// The power law through (x, y - C) with C = (lo + hi) / 2 rounded to a float,
// which is also stored in *intercept. Results as FitLeastSquares.
void FitPowerAtIntercept(short n, const float* x, const float* y, double* c, float* fit,
                         short* err, float lo, float hi, float* intercept);

// Fits y - c[2] = 10^c[0] * x^c[1]: searches the intercept c[2] between 0 and
// (smallest y) - 0.001 for the best fit of the power law, by halving the
// interval until it is narrower than 0.001. c[2] is always set; c[0], c[1]
// and *fit only when the last fit succeeds (*err = FIT_OK).
void FitPowerWithIntercept(short n, const float* x, const float* y, double* c, float* fit,
                           short* err);

// Mean of y and coefficient of variation (standard deviation / mean), with
// single-precision sums (whose rounding may leave equal values a tiny cv,
// but never a negative variance). For values whose mean is 0 cv is 0 when
// they are all 0, else FLT_MAX: no finite ratio exists.
void MeanAndVariation(short n, const float* y, double* mean, float* cv);

// Inverts the m x m matrix a (column-major) in place by Gauss-Jordan
// elimination with full pivoting; *det := its determinant, or 0 when a pivot
// is at most 1e-20 in magnitude (the matrix is then left half reduced).
// pivotRow and pivotCol are work vectors of m entries.
void InvertMatrix(double* a, int m, double* det, int* pivotRow, int* pivotCol);
