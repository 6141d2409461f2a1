// Elementary functions: range test, counting, hyperbolic, inverse, conversions, integer parts, count-and-skip, random.
#include <functional>
#include <vector>

#include "numeric/Numeric.h"
#include "NumericCases.h"

using namespace Numeric;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kPi = 4.0 * std::atan(1.0);

TEST(NumericRange, TinyBecomesZeroBigIsOverflow) {
    double a = 1e-100, b = 9.9e-101, c = -9.9e-101, d = 1e100, e = -1e100, f = 9.99e99, g = kNaN;
    EXPECT_FALSE(IsOverflow(a) || IsOverflow(b) || IsOverflow(c) || IsOverflow(f));
    EXPECT_EQ(std::vector<double>({a, b, c}), std::vector<double>({1e-100, 0, 0}));  // only below 1e-100 becomes 0
    EXPECT_TRUE(IsOverflow(d) && IsOverflow(e) && IsOverflow(g));
}

TEST(NumericCounting, FactorialPermutationsCombinations) {
    ExpectCases({{Factorial(5.9), 120, 0}, {Factorial(0), 1, 0}, {Factorial(-3), 1, 0}, {Factorial(171), kErr, 0},
                 {Factorial(170), 7.257415615307999e306, 1e294}, {Factorial(1e9), kErr, 0}, {Permutations(5, 2), 20, 0},
                 {Combinations(5, 2), 10, 0}, {Combinations(52, 5), 2598960, 0}, {Combinations(2, 5), kErr, 0},
                 {Permutations(2, 5), kErr, 0}, {Combinations(7, 7), 1, 0}, {Combinations(7, 0), 1, 0},
                 {Permutations(7, 7), 5040, 0}, {Permutations(7, 0), 1, 0}, {Combinations(0, 0), 1, 0},
                 // a factorial saturated at 1e111 must not pass as a quotient near 0
                 {Permutations(200, 100), kErr, 0}, {Combinations(200, 100), kErr, 0}, {Permutations(200, 1), kErr, 0},
                 {Combinations(200, 1), kErr, 0}, {Permutations(200, 200), kErr, 0},
                 // ... except that a factorial divided by itself cancels
                 {Permutations(200, 0), 1, 0}, {Combinations(200, 0), 1, 0}, {Combinations(171, 171), 1, 0},
                 {Factorial(170.9), Factorial(170.0), 0}, {Factorial(0.999), 1, 0}});
}

TEST(NumericHyperbolic, MatchLibraryAndTrapOverflow) {
    for (double x : {-3.0, -0.5, 0.7, 5.0, 20.0}) {
        const double fScale = 1e-12 * std::cosh(x), y = std::fabs(x) + 1.0;
        ExpectCases({{SinH(x), std::sinh(x), fScale}, {CosH(x), std::cosh(x), fScale},
                     {TanH(x), std::tanh(x), 1e-12}, {ArcSinH(x), std::asinh(x), 1e-12},
                     {ArcTanH(x / 21), std::atanh(x / 21), 1e-12}, {ArcCosH(y), std::acosh(y), 1e-12}});
    }
    // Finite right up to the overflow of e^x or 1/e^x, then a failure.
    ExpectCases({{TanH(709.0), 1, 0}, {TanH(-709.0), -1, 0}, {CosH(-709.0) / std::cosh(709.0), 1, 1e-12},
                 {SinH(-709.0) / std::sinh(-709.0), 1, 1e-12}});
    for (double x : {710.0, -710.0, 1e308})
        EXPECT_TRUE(SinH(x) == kErr && CosH(x) == kErr && TanH(x) == kErr) << x;
    // Large negative arguments go through the mirror image instead of cancelling to ln(0) or to a few wrong digits.
    ExpectCases({{ArcSinH(-1e8), -std::asinh(1e8), 1e-12}, {ArcSinH(-5e6), -std::asinh(5e6), 1e-12},
                 {ArcCosH(0.5), kErr, 0}, {ArcTanH(1.0), kErr, 0}, {ArcTanH(-1.5), kErr, 0}});
}

TEST(NumericInverse, LogArcSinArcCos) {
    for (int k = -99; k <= 99; ++k)  // INT(LOG x) must count the digits right
        ASSERT_EQ(Log10(std::pow(10.0, k)), k) << k;
    ExpectCases({{Log10(2.0), 0.30102999566398120, 1e-15}, {Log10(0.0), kErr, 0}, {Log10(-1.0), kErr, 0},
                 {ArcCos(1.0), 0, 0}, {ArcCos(-1.0), kPi, 0}, {ArcSin(-1.0), -kPi / 2, 0}, {ArcSin(0.5), kPi / 6, 1e-15},
                 {ArcCos(-0.3), std::acos(-0.3), 1e-15}, {ArcSin(1.5), kErr, 0}, {ArcCos(-1.0001), kErr, 0}});
}

TEST(NumericConversions, AnglesAndCoordinates) {
    // Plain values: the keyboard table (f 1, g 1, f 2, g 2).
    double t = 0, r = 0;
    // No quadrant correction: (-x, 0) gets the angle +0 of (x, 0), (-3, -4) that of (3, 4).
    for (double fX : {-1.0, -2.5, -1e50}) {
        RectToPolar(fX, 0.0, t, r);
        EXPECT_TRUE(t == 0.0 && !std::signbit(t) && r == -fX) << fX;
    }
    RectToPolar(-3.0, -4.0, t, r);
    ExpectCases({{t, std::atan(4.0 / 3.0), 1e-15}, {r, 5, 1e-15}});
    EXPECT_EQ(RaisedKind([&] { RectToPolar(0.0, 1.0, t, r); }), enmErrKind::DivByZero);
    EXPECT_EQ(RaisedKind([] { DegToRad(kNaN); }), enmErrKind::Invalid);
    EXPECT_EQ(RaisedKind([] { RadToDeg(1e307); }), enmErrKind::Overflow);
    EXPECT_EQ(RaisedKind([&] { RectToPolar(1e200, 1.0, t, r); }), enmErrKind::Overflow);
}

TEST(NumericConversions, HoursAndHMS) {
    ExpectCases({{HoursToHMS(1.51), 1.3036, 1e-12}, {HMSToHours(1.3036), 1.51, 1e-12}, {HoursToHMS(-2.5), -2.3, 1e-12},
                 {HMSToHours(-2.3), -2.5, 1e-12}, {HMSPlus(1.5, 0.25), 1.45, 1e-12}, {HMSToHours(2.3), 2.5, 1e-12},
                 {HoursToHMS(1.0 + 1.0 / 60 + 30.0 / 3600), 1.0130, 1e-12},   // above: 2.3 - 2 is 0.29999..98 in binary
                 {HoursToHMS(2.9999999999999996), 3, 0}, {HMSToHours(2.9999999999999996), 3, 0}});
    // Every whole and half second of every minute, both ways: rounding must not give mm-1 minutes and 99.99 (59.99) s.
    for (int h : {0, 1, 2, 5, 9, 10, 17, 23, 1000})
        for (int n = 0; n < 60 * 120; ++n) {   // n / 120 minutes, n % 120 half seconds
            const double fHours = h + n / 120 / 60.0 + n % 120 / 7200.0, fHms = h + n / 120 / 100.0 + n % 120 / 20000.0;
            ASSERT_NEAR(HoursToHMS(fHours), fHms, 1e-12 * (h + 1)) << h << " " << n;
            ASSERT_NEAR(HMSToHours(fHms), fHours, 1e-12 * (h + 1)) << h << " " << n;
        }
}

TEST(NumericIntegerParts, TruncFloorCeilingRound) {
    ExpectCases({{IntPart(-2.5), -2, 0}, {IntPart(2.7), 2, 0}, {FracPart(-2.5), -0.5, 0}, {Floor(-2.5), -3, 0},
                 {Floor(-2.0), -2, 0}, {Floor(0.0), 0, 0}, {Ceiling(2.1), 3, 0}, {Ceiling(-2.1), -2, 0},
                 {IntPart(2147483647.4), 2147483647.0, 0}, {IntPart(-2147483648.4), -2147483648.0, 0},
                 {RoundTo(2.5, 0), 2, 0}, {RoundTo(3.5, 0), 4, 0}, {RoundTo(1.23456, 2), 1.23, 0},
                 {RoundTo(1234.5, -2), 1200, 0}});
    EXPECT_FALSE(std::signbit(IntPart(-0.5)) || std::signbit(RoundTo(-0.4, 0)));  // never "-0"
    // The 32-bit conversion rounds, so the edge is where x rounds out of range.
    for (double v : {3e9, 2147483648.0, -2147483649.0, 2147483647.6, -2147483648.6, 2147483647.5, kNaN, kInf, -kInf})
        EXPECT_EQ(RaisedKind([v] { IntPart(v); }), enmErrKind::Overflow) << v;
    EXPECT_EQ(RaisedKind([] { Floor(1e10); }), enmErrKind::Overflow);
    EXPECT_EQ(RaisedKind([] { RoundTo(1e6, 4); }), enmErrKind::Overflow);
    EXPECT_EQ(RaisedKind([] { RoundTo(0.0, 400); }), enmErrKind::Overflow);
    EXPECT_EQ(RaisedKind([] { RoundTo(5.0, -400); }), enmErrKind::DivByZero);
}

// Raising functions never return inf or NaN: non-finite operands raise; extreme ones give a finite result or raise.
TEST(NumericRaises, ExtremeOperandsRaiseOrStayFinite) {
    double a = 0, b = 0;
    const std::function<double(double)> aFns[] = {
        DegToRad, RadToDeg, HoursToHMS, HMSToHours, IntPart, FracPart, Ceiling, Floor,
        [](double v) { return HMSPlus(v, 1.0); }, [](double v) { return RoundTo(v, 2); },
        [&](double v) { PolarToRect(v, 2.0, a, b); return a + b; },
        [&](double v) { RectToPolar(v, v, a, b); return a + b; }};
    for (double v : {kNaN, kInf, -kInf, 1e308, -1e308, 4.9e-324})
        for (size_t i = 0; i < std::size(aFns); ++i) try {
            EXPECT_TRUE(std::isfinite(aFns[i](v)) && std::isfinite(v)) << "#" << i << " at " << v;
        } catch (const CCalcError&) {
        }
}

TEST(NumericCountAndSkip, UpdateCounterAndTestIntegerPart) {
    double v = 1.5, w = 2.0, u = -1.2, z = 3e9;
    using B = std::vector<bool>;
    EXPECT_EQ(B({DecAndTestZero(v), DecAndTestZero(w), IncAndTestZero(u)}), B({true, false, true}));
    ExpectCases({{v, 0.5, 0}, {w, 1, 0}, {u, -0.2, 1e-15}});
    EXPECT_EQ(RaisedKind([&] { DecAndTestZero(z); }), enmErrKind::Overflow);
    EXPECT_EQ(z, 3e9);  // the failed test leaves the counter as it was
    // At the top of the 32-bit range the last step that fits still counts.
    double fTop = 2147483646.0;
    EXPECT_FALSE(IncAndTestZero(fTop));
    EXPECT_EQ(RaisedKind([&] { IncAndTestZero(fTop); }), enmErrKind::Overflow);
    EXPECT_EQ(fTop, 2147483647.0);   // counted once, then left alone
}

TEST(NumericRandom, FixedSequenceInUnitInterval) {
    ResetRandom();
    const double f1 = RandomNumber(), f2 = RandomNumber();
    EXPECT_TRUE(f1 == 0.39646477376027534 && f2 == 0.8404853694114252) << f1 << " " << f2;
    for (int i = 0; i < 10000; ++i)   // the sequence is pinned above; its range here: [0, 1)
        ASSERT_EQ(std::floor(RandomNumber()), 0.0) << "number " << i;
    ResetRandom();
    EXPECT_EQ(RandomNumber(), 0.39646477376027534);
}
