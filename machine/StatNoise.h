#pragma once
// Centred sums such as n*Sxx - (Sx)^2 are differences of large nearly equal
// numbers. For data whose values are all equal the exact result is 0, but the
// rounding in the running sums leaves a residue of either sign, up to about
// n * epsilon times the size of the terms. Such a residue is taken as 0, so
// that equal values give a deviation of 0 (instead of the square root of a
// tiny negative number) and a fit over equal abscissas reliably fails with a
// division by zero (instead of returning a huge slope made of noise).
#include <algorithm>
#include <cfloat>
#include <cmath>

namespace corvel {

namespace StatNoise {

// fDiff: the computed difference; fScale: the size of the terms it was
// formed from; fCount: the number of points summed.
inline double ZeroIfNoise(double fDiff, double fScale, double fCount) {
    const double fTol = 4.0 * std::max(1.0, std::fabs(fCount)) * DBL_EPSILON * std::fabs(fScale);
    return std::fabs(fDiff) <= fTol ? 0.0 : fDiff;
}

} // namespace StatNoise

} // namespace corvel
