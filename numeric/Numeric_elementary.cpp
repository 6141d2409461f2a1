// The elementary part of Numeric: the range test, factorial and counting,
// hyperbolic and inverse functions, angle, coordinate and time conversions,
// integer parts and rounding, the count-and-skip helpers and the random
// numbers.
//
// Trapping functions run their whole computation inside Trapped(): every
// step that can fail (zero divisor, logarithm or root outside its domain, a
// non-finite intermediate) throws, and Trapped() turns any failure into the
// error value. IEEE arithmetic would otherwise carry inf and NaN along
// silently, so each such step is checked where it happens.
#include "Numeric.h"

#include <cmath>
#include <cstdint>

#include "NumericDetail.h"
#include "NumUtil.h"

namespace corvel {

namespace Numeric {
namespace {

using namespace Detail;

using NumUtil::Check;
using NumUtil::Div;
using NumUtil::kErrVal;

double Sign(double x) { return (x > 0.0) - (x < 0.0); }

// ln(sqrt(x^2 + 1) + x) for x >= 0, where no cancellation can occur.
double ArcSinHNonNeg(double x) { return Ln(Root(Check(x * x) + 1.0) + x); }

// floor(v), except that a value within fTol below the next integer counts as
// that integer. The H.MMSS digits stand for a decimal value; binary rounding
// can put 0.30 a hair below 30/100, and a plain floor would then read it as
// 29 minutes and 99.99.. seconds.
double FloorSnap(double v, double fTol) {
    const double c = std::ceil(v);
    return (c - v <= fTol) ? c : std::floor(v);
}

// Tolerance for FloorSnap: a few hundred units in the last place of a
// value of magnitude a (or of 1, for small a).
double SnapTol(double a) { return 1e-12 * (a > 1.0 ? a : 1.0); }

// 48-bit linear congruential generator: state = (0x5DEECE66D * state + 0xB)
// mod 2^48, value = state / 2^48 (exact in a double, so always in [0, 1)).
// The start state 0x1234ABCD330E is fixed: every start of the program gives
// the same sequence.
constexpr uint64_t kRandStart = 0x1234ABCD330EULL;
constexpr uint64_t kRandMul = 0x5DEECE66DULL;
constexpr uint64_t kRandAdd = 0xBULL;
constexpr uint64_t kRandMask = (1ULL << 48) - 1;
uint64_t nRandState = kRandStart;

} // namespace

double RandomNumber() {
    nRandState = (kRandMul * nRandState + kRandAdd) & kRandMask;  // wraps mod 2^64, then 2^48
    return std::ldexp(static_cast<double>(nRandState), -48);
}

void ResetRandom() { nRandState = kRandStart; }

// ---- factorial and counting ----

double Factorial(double x) {
    return Trapped([&] {
        const double n = std::floor(Check(x));
        if (n < 1.0) return 1.0;
        if (n > 32767.0) throw CCalcError(enmErrKind::Overflow);  // 16-bit loop counter
        double f = 1.0;
        for (int i = 1; i <= static_cast<int>(n); ++i) f = Check(i * f);  // stops at 171!
        return f;
    });
}

// A factorial that saturated to the error value is a failure of the whole
// quotient: dividing by or into 1e111 would give a plausible-looking wrong
// number (200!/100! would come out near 1e-47). Only a factorial divided by
// itself cancels, saturated or not: P(200, 0) = C(200, 0) = C(200, 200) = 1.
double Permutations(double n, double r) {
    return Trapped([&] {
        if (n < r) return kErrVal;
        const double a = Factorial(n), b = Factorial(n - r);
        if (a == kErrVal || b == kErrVal) return std::floor(n) == std::floor(n - r) ? 1.0 : kErrVal;
        return Div(a, b);
    });
}

double Combinations(double n, double r) {
    return Trapped([&] {
        if (n < r) return kErrVal;
        const double a = Factorial(n), b = Factorial(n - r), c = Factorial(r);
        if (a == kErrVal || b == kErrVal || c == kErrVal) {
            if (std::floor(n) == std::floor(n - r) && c != kErrVal) return Div(1.0, c);
            if (std::floor(n) == std::floor(r) && b != kErrVal) return Div(1.0, b);
            return kErrVal;
        }
        return Div(Div(a, b), c);
    });
}

// ---- hyperbolic functions and their inverses ----
// e^x is computed once; its overflow (x above about 709.78), and the overflow
// of 1/e^x at the other end, give the error value.

double SinH(double x) {
    return Trapped([&] {
        const double e = Exp(x);
        return (e - Div(1.0, e)) / 2.0;
    });
}

double CosH(double x) {
    return Trapped([&] {
        const double e = Exp(x);
        return (e + Div(1.0, e)) / 2.0;
    });
}

double TanH(double x) {
    return Trapped([&] {
        const double e = Exp(x);
        const double r = Div(1.0, e);
        return Div(e - r, r + e);
    });
}

// asinh is odd; negative arguments go through their mirror image, since
// sqrt(x^2 + 1) + x cancels to nothing for large negative x.
double ArcSinH(double x) {
    return Trapped([&] {
        Check(x);
        return x < 0.0 ? -ArcSinHNonNeg(-x) : ArcSinHNonNeg(x);
    });
}

double ArcCosH(double x) {
    return Trapped([&] {
        if (!(x >= 1.0)) throw CCalcError(enmErrKind::Invalid);
        return Ln(Root(Check(x * x) - 1.0) + x);
    });
}

double ArcTanH(double x) {
    return Trapped([&] {
        if (!(std::fabs(x) < 1.0)) throw CCalcError(enmErrKind::Invalid);
        return Ln(Div(1.0 + x, 1.0 - x)) / 2.0;
    });
}

// The library's base-10 logarithm is exact at powers of ten, which
// ln x / ln 10 is not (it gives 2.9999999999999996 for 1000, so INT(LOG x)
// would count one digit too few).
double Log10(double x) {
    return Trapped([&] {
        Ln(x);  // domain: x > 0
        return Check(std::log10(x));
    });
}

double ArcSin(double x) {
    return Trapped([&] {
        const double a = std::fabs(Check(x));
        if (a > 1.0) throw CCalcError(enmErrKind::Invalid);
        if (a == 1.0) return Sign(x) * kPi / 2.0;
        return std::atan(x / Root(1.0 - x * x));
    });
}

double ArcCos(double x) {
    return Trapped([&] {
        if (std::fabs(Check(x)) > 1.0) throw CCalcError(enmErrKind::Invalid);
        if (x == 1.0) return 0.0;
        if (x == -1.0) return kPi;
        return 2.0 * std::atan(Root(Div(1.0 - x, 1.0 + x)));
    });
}

// ---- angles and coordinates (raise) ----

double DegToRad(double x) { return Check(Check(x / 180.0) * kPi); }

double RadToDeg(double x) { return Check(Check(x * 180.0) / kPi); }

void PolarToRect(double fTheta, double r, double& x, double& y) {
    const double fX = Check(std::cos(fTheta) * r);
    const double fY = Check(std::sin(fTheta) * r);
    x = fX;
    y = fY;
}

// The angle is the principal value of arctan(y/x), in (-pi/2, pi/2), with no
// quadrant correction: programs written for the calculator correct the
// quadrant themselves and rely on this. x = 0 is a division by zero.
void RectToPolar(double x, double y, double& fTheta, double& r) {
    const double fR = Root(Check(Check(x * x) + Check(y * y)));
    const double fT = Check(std::atan(NumUtil::Div(Check(y), Check(x)))) + 0.0;  // no "-0"
    fTheta = fT;
    r = fR;
}

// ---- hours and H.MMSS (raise) ----

double HoursToHMS(double x) {
    const double s = Sign(Check(x)), a = std::fabs(x);
    const double fTol = SnapTol(a);
    double h = std::floor(a);
    const double f = (a - h) * 60.0;
    double m = FloorSnap(f, fTol);
    const double sec = m > f ? 0.0 : (f - m) * 60.0;
    if (m >= 60.0) {
        h += 1.0;
        m -= 60.0;
    }
    return Check(s * (h + m / 100.0 + sec / 10000.0));
}

double HMSToHours(double x) {
    const double s = Sign(Check(x)), a = std::fabs(x);
    const double fTol = SnapTol(a);
    double h = std::floor(a);
    const double f = (a - h) * 100.0;
    double m = FloorSnap(f, fTol);
    const double sec = m > f ? 0.0 : (f - m) * 100.0;
    if (m >= 100.0) {  // x.9999999.. stands for the next whole hour
        h += 1.0;
        m -= 100.0;
    }
    return Check(s * (h + m / 60.0 + sec / 3600.0));
}

double HMSPlus(double a, double b) { return HoursToHMS(Check(a + b)); }

// ---- integer parts and rounding (raise) ----

double FracPart(double x) { return x - IntPart(x); }

double Ceiling(double x) {
    const double t = IntPart(x);
    return t >= x ? t : t + 1.0;
}

double Floor(double x) {
    const double t = IntPart(x);
    return t <= x ? t : t - 1.0;
}

double RoundTo(double x, int16_t nDigits) {
    const double p = std::pow(10.0, nDigits);
    const int32_t n = NumUtil::ToInt32(x * p);  // halves to even; Overflow outside 32 bits
    return Div(static_cast<double>(n), p);
}

// The counter is written back only when the test succeeds, so a counter
// that has left the 32-bit range is reported and left as it was.

} // namespace Numeric

} // namespace corvel
