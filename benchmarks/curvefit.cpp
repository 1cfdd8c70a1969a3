// The curve-fitting routines on 10,000 curves of 20 points each: pump
// curves (quadratic), valve curves (power law) and valve curves with an
// intercept (the intercept search), with a little measurement noise. Prints
// the curves per second of each.
#include "editors/curvefit/CurveFitRoutines.h"
#include "benchmarks/support/Bench.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using namespace bench;

const int kCurves = 10000;
const short kPoints = 20;

// Noise within +-1 percent, the same on every run.
class Noise
{
public:
    float Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return 1.0f + ((float)(m_state >> 40) / (float)(1 << 24) - 0.5f) * 0.02f;
    }

private:
    uint64_t m_state = 12345;
};

struct Curve
{
    float x[kPoints];
    float y[kPoints];
};

// Curve i of a family: its coefficients vary a little from curve to curve.
std::vector<Curve> MakeCurves(int family)
{
    Noise noise;
    std::vector<Curve> curves(kCurves);
    for (int i = 0; i < kCurves; i++)
    {
        const float spread = 1.0f + (float)(i % 100) / 100.0f;
        for (int p = 0; p < kPoints; p++)
        {
            float x = 0.5f + p * 0.5f * spread;
            float y;
            if (family == 0)
                y = 50.0f * spread - 0.6f * x * x - 0.2f * x;     // pump head, m from lps
            else if (family == 1)
                y = 0.0095f * std::pow(x, 1.9f + 0.001f * (i % 50));  // valve loss, m from m3/h
            else
                y = 0.0067f * std::pow(x, 1.75f) + 1.5f * spread;  // with an intercept
            curves[i].x[p] = x;
            curves[i].y[p] = y * noise.Next();
        }
    }
    return curves;
}

void Run(const char* name, int family)
{
    std::vector<Curve> curves = MakeCurves(family);
    int failures = 0;
    double sumOfFits = 0.0;
    Clock::time_point start = Clock::now();
    for (const Curve& curve : curves)
    {
        double c[3] = {};
        float fit = 0.0f;
        short err = FIT_OK;
        if (family == 0)
            FitLeastSquares(FIT_MODEL_QUADRATIC, kPoints, curve.x, curve.y, c, &fit, &err);
        else if (family == 1)
            FitLeastSquares(FIT_MODEL_POWER, kPoints, curve.x, curve.y, c, &fit, &err);
        else
            FitPowerWithIntercept(kPoints, curve.x, curve.y, c, &fit, &err);
        if (err != FIT_OK)
            failures++;
        sumOfFits += fit;
    }
    double seconds = Seconds(start, Clock::now());
    std::printf("%-32s %6d curves of %d points in %8.1f ms: %12.0f curves/s (mean fit %.3f, %d failed)\n",
                name, kCurves, kPoints, seconds * 1000.0, kCurves / seconds, sumOfFits / kCurves, failures);
}

} // namespace

int main()
{
    Run("quadratic (pump)", 0);
    Run("power law (valve)", 1);
    Run("power law with intercept", 2);
    return 0;
}
