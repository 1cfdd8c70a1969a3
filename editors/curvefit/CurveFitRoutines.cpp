#include "editors/curvefit/CurveFitRoutines.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// Passes of the intercept search. Each pass halves the interval, so a search
// from anywhere in the float range is done in fewer than 140 passes; the
// limit only stops a search whose bounds have become neighbouring floats,
// where halving no longer narrows the interval.
const int kMaxInterceptPasses = 200;

// One row of the design matrix and its right-hand value. False when a power
// law meets a value that has no logarithm (NaN counts as such).
bool DesignRow(bool quadratic, float x, float y, double row[3], double* value)
{
    if (quadratic)
    {
        row[0] = 1.0;
        row[1] = x;
        row[2] = (double)x * x;
        *value = y;
        return true;
    }
    if (!(x > 0.0f) || !(y > 0.0f))
        return false;
    row[0] = 1.0;
    row[1] = log10f(x);
    *value = log10f(y);
    return true;
}

// 100 R^2 worked out from the residuals in double precision: used where the
// single-precision measure has no significant digit left.
float FitFromResiduals(bool quadratic, short n, const float* x, const float* y, float shift,
                       const double* c, int m)
{
    double sum = 0.0, sumSquares = 0.0;
    for (short i = 0; i < n; i++)
    {
        double row[3] = {}, value = 0.0;
        DesignRow(quadratic, x[i], y[i] - shift, row, &value);
        sum += value;
        sumSquares += value * value;
    }
    double mean = sum / n;
    double total = 0.0, residual = 0.0;
    for (short i = 0; i < n; i++)
    {
        double row[3] = {}, value = 0.0;
        DesignRow(quadratic, x[i], y[i] - shift, row, &value);
        double fitted = 0.0;
        for (int j = 0; j < m; j++)
            fitted += c[j] * row[j];
        total += (value - mean) * (value - mean);
        residual += (value - fitted) * (value - fitted);
    }
    // No spread even in double precision: the constant term of the model
    // alone reproduces the values.
    if (total <= 1e-24 * sumSquares)
        return 100.0f;
    double measure = 100.0 * (1.0 - residual / total);
    return (float)std::fmin(100.0, std::fmax(0.0, measure));
}

// The least-squares fit of (x, y - shift); see FitLeastSquares.
void Fit(short model, short n, const float* x, const float* y, float shift, double* c,
         float* fit, short* err)
{
    *err = FIT_OK;
    const bool quadratic = model == FIT_MODEL_QUADRATIC;
    const int m = quadratic ? 3 : 2;

    double normal[9] = {};  // column-major m x m
    double rhs[3] = {};
    double distinct[3];     // the first m different x values (or logarithms)
    int nDistinct = 0;
    for (short i = 0; i < n; i++)
    {
        double row[3] = {}, value = 0.0;
        if (!DesignRow(quadratic, x[i], y[i] - shift, row, &value))
        {
            *err = FIT_NOT_POSITIVE;
            return;
        }
        if (nDistinct < m && std::find(distinct, distinct + nDistinct, row[1]) == distinct + nDistinct)
            distinct[nDistinct++] = row[1];
        for (int j = 0; j < m; j++)
        {
            for (int k = 0; k < m; k++)
                normal[j + k * m] += row[j] * row[k];
            rhs[j] += row[j] * value;
        }
    }
    // Fewer points than coefficients leave the equations without a unique
    // solution, whether or not rounding lets the pivots show it.
    if (n < m)
    {
        *err = FIT_TOO_FEW;
        return;
    }
    // So do fewer different x values than coefficients, though rounding in
    // the elimination may leave a pivot a little above the limit.
    if (nDistinct < m)
    {
        *err = FIT_SINGULAR;
        return;
    }

    double det;
    int pivotRow[3], pivotCol[3];
    InvertMatrix(normal, m, &det, pivotRow, pivotCol);
    if (det == 0.0)
    {
        *err = FIT_SINGULAR;
        return;
    }
    double coef[3] = {};
    for (int j = 0; j < m; j++)
        for (int k = 0; k < m; k++)
            coef[j] += normal[j + k * m] * rhs[k];

    // Goodness of fit in single precision, each partial sum rounded.
    float sy = 0.0f, syy = 0.0f;
    for (short i = 0; i < n; i++)
    {
        double row[3] = {}, value = 0.0;
        DesignRow(quadratic, x[i], y[i] - shift, row, &value);
        sy = (float)(sy + value);
        syy = (float)(syy + value * value);
    }
    const float t = sy * sy / (float)n;
    const float ssTot = syy - t;
    float sreg = 0.0f;
    for (int j = 0; j < m; j++)
        sreg = (float)(sreg + coef[j] * rhs[j]);
    const float ssReg = sreg - t;

    // The measure divides by the spread of the values. Where that spread is
    // within a few dozen roundings of the single-precision sums (equal
    // values, or values that differ only in their last digits) the quotient
    // keeps no reliable digit, or is not a number at all, and the measure is
    // taken from the residuals in double precision instead.
    float measure;
    if (ssTot > 64.0f * n * FLT_EPSILON * syy)
        measure = 100.0f * ssReg / ssTot;
    else
        measure = FitFromResiduals(quadratic, n, x, y, shift, coef, m);

    // Values beyond the range of the arithmetic give no usable curve.
    for (int j = 0; j < m; j++)
        if (!std::isfinite(coef[j]))
        {
            *err = FIT_SINGULAR;
            return;
        }
    if (!std::isfinite(measure))
    {
        *err = FIT_SINGULAR;
        return;
    }
    for (int j = 0; j < m; j++)
        c[j] = coef[j];
    *fit = measure;
}

} // namespace

void FitLeastSquares(short model, short n, const float* x, const float* y, double* c,
                     float* fit, short* err)
{
    Fit(model, n, x, y, 0.0f, c, fit, err);
}

void FitPowerAtIntercept(short n, const float* x, const float* y, double* c, float* fit,
                         short* err, float lo, float hi, float* intercept)
{
    const float shift = (float)((lo + hi) * 0.5);
    *intercept = shift;
    Fit(FIT_MODEL_POWER, n, x, y, shift, c, fit, err);
}

void FitPowerWithIntercept(short n, const float* x, const float* y, double* c, float* fit,
                           short* err)
{
    if (n < 1)
    {
        *err = FIT_TOO_FEW;
        return;
    }
    float ymin = y[0];
    for (short i = 1; i < n; i++)
        if (y[i] < ymin)
            ymin = y[i];

    // The trials compare fit values only; their coefficients are not kept.
    double trial[3] = {};
    short e = FIT_OK;
    float cA, cB, cM, cAM, cMB;
    float fitA = 0.0f, fitB = 0.0f, fitM = 0.0f, fitAM = 0.0f, fitMB = 0.0f;
    const float top = ymin - 0.001f;
    FitPowerAtIntercept(n, x, y, trial, &fitA, &e, 0.0f, 0.0f, &cA);
    FitPowerAtIntercept(n, x, y, trial, &fitB, &e, top, top, &cB);
    FitPowerAtIntercept(n, x, y, trial, &fitM, &e, cA, cB, &cM);

    bool converged = false;
    for (int pass = 0; !converged && e == FIT_OK && pass < kMaxInterceptPasses; pass++)
    {
        FitPowerAtIntercept(n, x, y, trial, &fitAM, &e, cA, cM, &cAM);
        FitPowerAtIntercept(n, x, y, trial, &fitMB, &e, cM, cB, &cMB);
        if (fitAM > fitM)
        {
            cB = cM;
            fitB = fitM;
            cM = cAM;
            fitM = fitAM;
        }
        else if (fitMB > fitM)
        {
            cA = cM;
            fitA = fitM;
            cM = cMB;
            fitM = fitMB;
        }
        else
        {
            cA = cAM;
            fitA = fitAM;
            cB = cMB;
            fitB = fitMB;
        }
        converged = std::fabs(cB - cM) < 0.001f && std::fabs(cM - cA) < 0.001f;
    }

    float intercept;
    FitPowerAtIntercept(n, x, y, c, fit, err, cA, cB, &intercept);
    c[2] = intercept;
}

void MeanAndVariation(short n, const float* y, double* mean, float* cv)
{
    if (n < 1)
    {
        *mean = 0.0;
        *cv = 0.0f;
        return;
    }
    float sy = 0.0f, syy = 0.0f;
    for (short i = 0; i < n; i++)
    {
        sy = (float)(sy + y[i]);
        syy = (float)(syy + (double)y[i] * y[i]);
    }
    const float average = sy / (float)n;
    *mean = average;
    // Rounding can leave a hair below zero where the values are equal.
    double variance = (syy - sy * *mean) / n;
    if (!(variance > 0.0))
        variance = 0.0;
    if (average == 0.0f)
    {
        *cv = variance == 0.0 ? 0.0f : FLT_MAX;
        return;
    }
    double ratio = std::sqrt(variance) / *mean;
    *cv = std::isfinite(ratio) ? (float)std::fmax(-FLT_MAX, std::fmin(FLT_MAX, ratio)) : FLT_MAX;
}

void InvertMatrix(double* a, int m, double* det, int* pivotRow, int* pivotCol)
{
    auto at = [a, m](int i, int j) -> double& { return a[i + j * m]; };
    *det = 1.0;
    for (int k = 0; k < m; k++)
    {
        // The largest element of the remaining block, columns outermost; the
        // first of equal magnitudes wins.
        pivotRow[k] = k;
        pivotCol[k] = k;
        double pivot = at(k, k);
        for (int j = k; j < m; j++)
            for (int i = k; i < m; i++)
                if (std::fabs(at(i, j)) > std::fabs(pivot))
                {
                    pivot = at(i, j);
                    pivotRow[k] = i;
                    pivotCol[k] = j;
                }

        // Bring it to (k, k); the rows and columns moved out change sign.
        const int r = pivotRow[k];
        if (r > k)
            for (int j = 0; j < m; j++)
            {
                double hold = -at(k, j);
                at(k, j) = at(r, j);
                at(r, j) = hold;
            }
        const int s = pivotCol[k];
        if (s > k)
            for (int i = 0; i < m; i++)
            {
                double hold = -at(i, k);
                at(i, k) = at(i, s);
                at(i, s) = hold;
            }

        if (std::fabs(pivot) <= 1.0e-20f)
        {
            *det = 0.0;
            return;
        }

        for (int i = 0; i < m; i++)
            if (i != k)
                at(i, k) /= -pivot;
        for (int i = 0; i < m; i++)
        {
            if (i == k)
                continue;
            const double hold = at(i, k);
            for (int j = 0; j < m; j++)
                if (j != k)
                    at(i, j) += hold * at(k, j);
        }
        for (int j = 0; j < m; j++)
            if (j != k)
                at(k, j) /= pivot;
        *det *= pivot;
        at(k, k) = 1.0 / pivot;
    }

    // Undo the interchanges, last stage first; the values moved back change
    // sign again.
    for (int k = m - 2; k >= 0; k--)
    {
        const int r = pivotRow[k];
        if (r > k)
            for (int i = 0; i < m; i++)
            {
                double hold = at(i, k);
                at(i, k) = -at(i, r);
                at(i, r) = hold;
            }
        const int s = pivotCol[k];
        if (s > k)
            for (int j = 0; j < m; j++)
            {
                double hold = at(k, j);
                at(k, j) = -at(s, j);
                at(s, j) = hold;
            }
    }
}
