#pragma once
// The free numeric functions shared by the keyboard and the interpreter:
// the range test, combinatorics, hyperbolic and inverse functions,
// conversions, integer parts and rounding, the count-and-skip helpers,
// pseudo-random numbers and the special functions.
//
// Functions documented "traps" never throw: any domain error or arithmetic
// failure inside them returns the error value 1e111 (NumUtil::kErrVal).
// Functions documented "raises" throw CCalcError to their caller.
#include <cmath>
#include <cstdint>

#include "NumUtil.h"

namespace corvel {

namespace Numeric {

// Range test: |x| < 1e-100 sets x to 0; true when |x| >= 1e100 (or x is NaN).
inline bool IsOverflow(double& x) {
    if (std::fabs(x) < NumUtil::kTiny) x = 0.0;
    return !(std::fabs(x) < NumUtil::kBig);  // NaN counts as out of range
}
// The range test applied to a result of a key or a step: NaN and infinities
// are errors, a magnitude of 1e100 or more is an overflow, below 1e-100 becomes 0.
inline double Ranged(double r) {
    NumUtil::Check(r);
    if (IsOverflow(r)) NumUtil::Raise(enmErrKind::Overflow);
    return r;
}

// Next value in [0, 1) of the one shared generator (fixed start state).
double RandomNumber();
// Puts the generator back to its start state (a fresh start of the program).
void ResetRandom();

// traps
double Factorial(double x);
double Permutations(double n, double r);
double Combinations(double n, double r);
double SinH(double x);
double CosH(double x);
double TanH(double x);
double ArcSinH(double x);
double ArcCosH(double x);
double ArcTanH(double x);
double Log10(double x);
double ArcSin(double x);   // radians
double ArcCos(double x);   // radians

// raises
double DegToRad(double x);
double RadToDeg(double x);
void PolarToRect(double fTheta, double r, double& x, double& y);
void RectToPolar(double x, double y, double& fTheta, double& r);
double HoursToHMS(double x);
double HMSToHours(double x);
double HMSPlus(double a, double b);
// The integer part goes through the 32-bit conversion, which rounds: x must
// round into the 32-bit range (2147483647.6 does not), as for RoundTo.
inline double IntPart(double x) {
    const double r = NumUtil::Nearest(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) NumUtil::Raise(enmErrKind::Overflow);
    return static_cast<double>(static_cast<int32_t>(std::trunc(x)));  // an integer: never "-0"
}
double FracPart(double x);
double Ceiling(double x);
double Floor(double x);
double RoundTo(double x, int16_t nDigits);
// v + 1 (v - 1) in the caller's variable; true when its integer part is 0.
inline bool IncAndTestZero(double& v) {
    const double w = v + 1.0;
    const bool bZero = IntPart(w) == 0.0;
    v = w;
    return bZero;
}
inline bool DecAndTestZero(double& v) {
    const double w = v - 1.0;
    const bool bZero = IntPart(w) == 0.0;
    v = w;
    return bZero;
}

// Special functions (all trap).
double Gamma(double x);
double Beta(double a, double b);
double Erf(double x);
double Erfc(double x);
double ExpInt(double x);
double SinInt(double x);
double CosInt(double x);
double FresnelC(double x);
double FresnelS(double x);
double BesselJ0(double x);
double BesselJ1(double x);
double BesselY0(double x);
double BesselY1(double x);
double BesselJN(int16_t n, double x);
double BesselYN(int16_t n, double x);
double ChebyshevT(int16_t n, double x);
double LegendreP(int16_t n, double x);
double HermiteH(int16_t n, double x);
double LaguerreL(int16_t n, double x);

} // namespace Numeric

} // namespace corvel
