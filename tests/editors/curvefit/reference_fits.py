#!/usr/bin/env python3
"""Expected values of the curve-fitting tests, worked out independently of the
program: exact least squares in rational arithmetic on the single-precision
inputs, a brute-force search of the intercept, and the fit measure both in
double precision and with the program's single-precision sums emulated.
Run once; its output was copied into the tests of this folder."""
import math
import struct
from fractions import Fraction as F


def f32(v):
    return struct.unpack('f', struct.pack('f', v))[0]


def solve(rows, ys):
    """Exact normal equations solved by Gaussian elimination in fractions."""
    m = len(rows[0])
    a = [[sum(F(r[i]) * F(r[j]) for r in rows) for j in range(m)] for i in range(m)]
    b = [sum(F(r[i]) * F(y) for r, y in zip(rows, ys)) for i in range(m)]
    for k in range(m):
        p = next(i for i in range(k, m) if a[i][k] != 0)
        a[k], a[p] = a[p], a[k]
        b[k], b[p] = b[p], b[k]
        for i in range(m):
            if i != k:
                f = a[i][k] / a[k][k]
                a[i] = [x - f * y for x, y in zip(a[i], a[k])]
                b[i] -= f * b[k]
    return [b[i] / a[i][i] for i in range(m)], b


def design(model, xs, ys, shift=0.0):
    rows, vals = [], []
    for x, y in zip(xs, ys):
        x = f32(x)
        y = f32(f32(y) - f32(shift))
        if model == 1:
            rows.append([1.0, x, x * x])
            vals.append(y)
        else:
            rows.append([1.0, f32(math.log10(x))])
            vals.append(f32(math.log10(y)))
    return rows, vals


def fit_measures(rows, vals, c):
    """100 R^2 in double, and with the program's rounded float sums."""
    n = len(vals)
    cd = [float(v) for v in c]
    b = [sum(r[j] * y for r, y in zip(rows, vals)) for j in range(len(cd))]
    mean = sum(vals) / n
    sst = sum((y - mean) ** 2 for y in vals)
    ssr = sum((y - sum(cj * rj for cj, rj in zip(cd, r))) ** 2 for r, y in zip(rows, vals))
    double_fit = 100.0 * (1.0 - ssr / sst) if sst > 0 else float('nan')
    sy = syy = 0.0
    for y in vals:
        sy = f32(sy + y)
        syy = f32(syy + y * y)
    t = f32(f32(sy * sy) / f32(n))
    sstot = f32(syy - t)
    sreg = 0.0
    for cj, bj in zip(cd, b):
        sreg = f32(sreg + cj * bj)
    ssreg = f32(sreg - t)
    float_fit = f32(f32(100.0 * ssreg) / sstot) if sstot != 0 else float('nan')
    return double_fit, float_fit, sstot / syy if syy else 0.0


def report(name, model, xs, ys):
    rows, vals = design(model, xs, ys)
    c, _ = solve(rows, vals)
    d, f, ratio = fit_measures(rows, vals, c)
    print(f"{name}: c = {[repr(float(v)) for v in c]}")
    print(f"    fit double {d!r}  float-sums {f!r}  sstot/syy {ratio:.3g}")
    if model != 1:
        print(f"    factor 10^c1 = {10 ** float(c[0])!r}")


def r2_at(xs, ys, shift):
    rows, vals = design(5, xs, ys, shift)
    c, _ = solve(rows, vals)
    d, f, _ = fit_measures(rows, vals, c)
    return d, c


def intercept(name, xs, ys):
    top = f32(min(f32(y) for y in ys) - f32(0.001))
    lo, hi = 0.0, top
    # Brute force over a fine grid, then refine around the best point.
    for _ in range(6):
        grid = [lo + (hi - lo) * i / 200 for i in range(201)]
        best = max(grid, key=lambda s: r2_at(xs, ys, s)[0])
        step = (hi - lo) / 200
        lo, hi = max(0.0, best - step), min(top, best + step)
    d, c = r2_at(xs, ys, best)
    print(f"{name}: best intercept {best!r} fit {d!r} factor {10 ** float(c[0])!r} exponent {float(c[1])!r}")
    for s in (best - 0.01, best + 0.01):
        if 0 <= s <= top:
            print(f"    fit at {s:.4f}: {r2_at(xs, ys, s)[0]!r}")


def mean_cv(name, ys):
    n = len(ys)
    mean = sum(ys) / n
    var = sum((y - mean) ** 2 for y in ys) / n
    print(f"{name}: mean {mean!r} cv {math.sqrt(var) / mean!r}")


def invert():
    a = [[F(4), F(7), F(2)], [F(3), F(6), F(1)], [F(2), F(5), F(3)]]
    det = (a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1])
           - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0])
           + a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]))
    cof = [[(a[(j + 1) % 3][(i + 1) % 3] * a[(j + 2) % 3][(i + 2) % 3]
             - a[(j + 1) % 3][(i + 2) % 3] * a[(j + 2) % 3][(i + 1) % 3]) for j in range(3)]
           for i in range(3)]
    print(f"invert: det {det}; inverse rows {[[str(v / det) for v in r] for r in cof]}")


report("parabola y=2+3x+0.5x^2 at 1,2,4", 1, [1, 2, 4], [5.5, 10, 22])
report("pump head (lps, m)", 1, [0.5, 1.5, 2.5, 3.5, 4.5, 5.5],
       [48.2, 46.9, 44.1, 40.3, 35.2, 29.0])
report("power y=2x^0.5", 5, [1, 4, 9, 16], [2, 4, 6, 8])
report("valve loss (m3/h, m)", 4, [5, 10, 20, 30, 40, 50], [0.21, 0.78, 2.95, 6.4, 11.3, 17.4])
report("nozzle flow (m, lph)", 2, [10, 15, 20, 25, 30, 35], [410, 505, 580, 650, 708, 768])
report("nozzle radius (m, m)", 3, [10, 20, 30, 40], [9.1, 10.6, 11.5, 12.1])
report("compensating dripper (m, lph)", 2, [8, 12, 16, 20, 25, 30],
       [3.62, 3.71, 3.66, 3.74, 3.69, 3.72])
intercept("y=3x^2+5 at 1..6", [1, 2, 3, 4, 5, 6], [8, 17, 32, 53, 80, 113])
intercept("pure power y=2x^1.5", [1, 2, 4, 8], [2, 2 * 2 ** 1.5, 16, 2 * 8 ** 1.5])
intercept("valve with intercept (m3/h, m)", [2, 5, 10, 20, 30, 40],
          [1.52, 1.61, 1.86, 2.75, 4.02, 5.64])
mean_cv("mean 1,2,3,4", [1, 2, 3, 4])
mean_cv("dripper flows", [3.62, 3.71, 3.66, 3.74, 3.69, 3.72])
invert()

# Outlet curves whose power law is poor: the constant model against it.
report("scattered flows A (m, lph)", 2, [10, 20, 30, 40], [100, 300, 50, 250])
mean_cv("scattered flows A", [100, 300, 50, 250])
report("scattered flows B (m, lph)", 2, [10, 20, 30, 40, 50], [200, 260, 180, 240, 210])
mean_cv("scattered flows B", [200, 260, 180, 240, 210])
report("noisy steep flows (m, lph)", 2, [10, 20, 30, 40, 50], [50, 180, 120, 400, 300])
mean_cv("noisy steep flows", [50, 180, 120, 400, 300])
