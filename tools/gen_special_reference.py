#!/usr/bin/env python3
"""Writes tests/data/special_reference.csv: reference values of the special
functions, computed with mpmath at 30 significant digits, independently of
the calculator's own code.

Each row is  function,p1,p2,value  where p1/p2 are the arguments as the
calculator takes them: x (p2 unused, 0) for one-argument functions, a,b for
beta, and n,x for the functions with an order or degree. Arguments are
written with repr() so the test reads back exactly the double that was used
here; values are written with 20 significant digits.

The points lie where each method is accurate (see the test for the
tolerances): the series functions at moderate |x|, where their alternating
terms stay small enough not to swamp the result.

Usage:  python3 tools/gen_special_reference.py [output.csv]
"""
import os
import sys

import mpmath
from mpmath import mp, mpf

mp.dps = 30


def fresnel_c(x):
    return mpmath.fresnelc(x)


def fresnel_s(x):
    return mpmath.fresnels(x)


def laguerre(n, x):
    """L_n(x) by its explicit sum at 60 digits (the general routine does not
    converge at an exact zero such as L_1(1))."""
    n = int(n)
    with mpmath.workdps(60):
        return mpmath.fsum((-1) ** k * mpmath.binomial(n, k) * x ** k / mpmath.factorial(k)
                           for k in range(n + 1))


def grid(lo, hi, count):
    """count doubles from lo to hi, rounded to 3 decimals (exact in the text)."""
    step = (hi - lo) / (count - 1)
    return [round(lo + i * step, 3) for i in range(count)]


def rows():
    out = []

    def one(name, fn, xs):
        for x in xs:
            out.append((name, x, 0, fn(mpf(x))))

    def two(name, fn, pairs):
        for p1, p2 in pairs:
            out.append((name, p1, p2, fn(mpf(p1), mpf(p2))))

    # gamma and beta: the Lanczos sum, ~2e-10 relative
    one("gamma", mpmath.gamma,
        [0.001, 0.01, 0.1, 0.25, 0.5, 0.75, 0.999, 1.0, 1.5, 2.0, 2.5, 3.3, 4.0, 5.0, 6.7,
         8.25, 10.0, 12.5, 17.1, 20.0, 25.5, 33.3, 50.0, 64.5, 80.0, 99.9, 120.25, 150.0,
         165.5, 170.0, 171.5, -0.001, -0.5, -0.9, -1.1, -1.5, -2.3, -2.5, -3.7, -5.5,
         -7.25, -10.1, -15.5, -25.3, -50.5, -99.75, -150.5])
    two("beta", mpmath.beta,
        [(2, 3), (0.5, 0.5), (1, 1), (0.1, 0.2), (0.25, 7.5), (1.5, 2.5), (3, 4), (5, 5),
         (10, 0.5), (12.5, 3.25), (20, 20), (30, 2), (50, 50), (80, 5), (0.01, 100),
         (-0.5, 2), (-1.5, 3.25), (2.5, -0.75), (-2.5, -0.25), (7, 0.001)])

    # error functions: the Chebyshev fit, fractional error of erfc < 1.2e-7
    xs = [0.0, 0.001, 0.05, 0.1, 0.2, 0.3, 0.5, 0.7, 0.9, 1.0, 1.2, 1.5, 1.8, 2.0, 2.5, 3.0,
          3.5, 4.0, 5.0, 6.0, 8.0, 10.0, -0.1, -0.5, -1.0, -1.5, -2.0, -3.0, -5.0, -9.0]
    one("erf", mpmath.erf, xs)
    one("erfc", mpmath.erfc, xs)

    # exponential, sine and cosine integrals: power series
    one("ei", mpmath.ei, [0.001, 0.01, 0.1, 0.25, 0.3725, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0,
                          4.5, 6.0, 8.0, 10.0, 12.5, 15.0, 20.0, 25.0, 30.0, 40.0, 50.0])
    one("si", mpmath.si, [0.0, 0.001, 0.1, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.5, 8.0, 10.0,
                          12.0, 15.0, -0.5, -1.0, -3.3, -7.5, -11.0, -15.0])
    one("ci", mpmath.ci, [0.001, 0.01, 0.1, 0.3, 0.5, 0.6165, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0,
                          6.5, 8.0, 9.5, 10.0, 11.0, 12.5, 14.0, 15.0])

    # Fresnel integrals: power series, |x| <= 3
    xs = grid(-3.0, 3.0, 31)
    one("fresnelc", fresnel_c, xs)
    one("fresnels", fresnel_s, xs)

    # Bessel functions: rational fits below 8, asymptotic forms above
    xs = [0.0, 0.1, 0.5, 1.0, 2.0, 2.4048, 3.5, 5.0, 7.0, 7.99, 8.0, 9.5, 12.0, 20.0, 35.5,
          -1.5, -6.0, -10.0, 100.0]
    one("j0", mpmath.j0, xs)
    one("j1", mpmath.j1, xs)
    xs = [0.01, 0.1, 0.5, 0.8936, 1.0, 2.0, 3.0, 5.0, 7.5, 8.0, 10.0, 15.0, 25.0, 60.0]
    one("y0", lambda x: mpmath.bessely(0, x), xs)
    one("y1", lambda x: mpmath.bessely(1, x), xs)
    two("jn", lambda n, x: mpmath.besselj(n, x),
        [(2, 5), (3, 2), (3, -2), (2, 0.5), (4, 1.0), (5, 5.0), (5, 7.5), (6, 3.0),
         (8, 10.0), (10, 1.0), (10, 10.0), (10, 25.0), (12, -4.0), (15, 20.0), (20, 5.0),
         (20, 30.0), (25, 12.5), (3, 0.01), (7, -9.0), (2, 40.0)])
    two("yn", lambda n, x: mpmath.bessely(n, x),
        [(2, 1), (2, 5), (3, 2.0), (3, 10.0), (4, 4.0), (5, 1.5), (5, 9.0), (6, 12.0),
         (7, 0.8), (8, 20.0), (10, 10.0), (10, 30.0), (12, 6.0), (15, 25.0), (2, 50.0)])

    # orthogonal polynomials: exact three-term recurrences
    nx = [(0, 0.3), (1, -0.7), (2, 0.5), (3, 0.5), (4, -0.25), (5, 0.9), (6, 1.0), (7, -1.0),
          (8, 0.1), (10, 0.75), (12, -0.6), (15, 0.33), (20, 0.95), (25, -0.8), (30, 0.2),
          (3, 2.5), (5, -1.5)]
    two("cheb", lambda n, x: mpmath.chebyt(n, x), nx)
    two("legn", lambda n, x: mpmath.legendre(n, x), nx)
    two("herm", lambda n, x: mpmath.hermite(n, x),
        [(0, 1.5), (1, 2.0), (2, 0.5), (3, 1.0), (4, -1.2), (5, 2.5), (6, 0.0), (7, -0.3),
         (8, 3.0), (10, 1.1), (12, -2.0), (15, 0.7), (20, 4.0), (25, -1.0), (30, 0.5)])
    two("lagr", laguerre,
        [(0, 2.0), (1, 1.0), (2, 1.0), (3, 0.5), (4, 3.0), (5, 0.0), (6, 7.5), (7, -1.0),
         (8, 2.25), (10, 10.0), (12, 0.1), (15, 4.0), (20, 20.0), (25, 1.5), (30, 50.0)])
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "tests", "data", "special_reference.csv")
    with open(path, "w", newline="\n") as f:
        f.write("# Reference values of the special functions.\n")
        f.write("# computed with mpmath %s at %d digits by tools/gen_special_reference.py\n"
                % (mpmath.__version__, mp.dps))
        f.write("# function,p1,p2,value  (p1 = x, or a for beta, or the order n; "
                "p2 = b for beta, x for order functions, else 0)\n")
        for name, p1, p2, value in rows():
            f.write("%s,%r,%r,%s\n" % (name, p1, p2, mpmath.nstr(value, 20, min_fixed=1,
                                                                  max_fixed=0)))


if __name__ == "__main__":
    main()
