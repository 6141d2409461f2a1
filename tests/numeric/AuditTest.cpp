// Numeric edge cases not pinned elsewhere: underflow that is no failure,
// overflow that must fail, the sign of a zero angle, H.MMSS with seconds and
// the counter at the 32-bit edge.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/Numeric.h"
#include "NumericCases.h"

using namespace corvel;

using namespace Numeric;

// exp(-z^2) underflowing to 0 is a result, not an arithmetic failure; the
// hyperbolic functions stay finite right up to the overflow of e^x or 1/e^x.
TEST(NumericAudit, UnderflowIsNoFailure) {
    ExpectCases({{Erfc(30.0), 0, 0}, {Erfc(-30.0), 2, 0}, {Erf(30.0), 1, 0}, {Erf(-30.0), -1, 0},
                 {TanH(709.0), 1, 0}, {TanH(-709.0), -1, 0},
                 {CosH(-709.0) / std::cosh(709.0), 1, 1e-12}, {SinH(-709.0) / std::sinh(-709.0), 1, 1e-12},
                 {Factorial(170.9), Factorial(170.0), 0}, {Factorial(0.999), 1, 0}});
}

// Beta of a finite numerator over an overflowing G(a+b) comes out far beyond
// the range limit, and an overflowing G(a)*G(b) fails outright: neither may
// pass the range test as a number.
TEST(NumericAudit, BetaOverflowNeverPassesTheRangeTest) {
    for (auto [a, b] : {std::pair{0.5, 171.2}, {86.0, 86.0}, {100.0, 100.0}, {171.5, 0.5}}) {
        double f = Beta(a, b);
        EXPECT_TRUE(IsOverflow(f)) << a << "," << b << " -> " << f;
    }
}

// The principal-value angle of a point on the negative x axis is +0, not -0.
TEST(NumericAudit, AngleOnNegativeAxisIsPositiveZero) {
    for (double x : {-1.0, -2.5, -1e50}) {
        double t = 1, r = 0;
        RectToPolar(x, 0.0, t, r);
        EXPECT_TRUE(t == 0.0 && !std::signbit(t) && r == -x) << x;
    }
}

// Whole and half seconds both ways, and a negative time mirrors a positive one.
TEST(NumericAudit, HoursAndHMSWithSeconds) {
    for (int h : {0, 7, 23, 1000})
        for (int m : {0, 1, 29, 30, 59})
            for (int n = 0; n < 120; ++n) {
                const double s = n / 2.0;
                const double fHours = h + m / 60.0 + s / 3600.0, fHms = h + m / 100.0 + s / 10000.0;
                const double fTol = 1e-12 * (h > 1 ? h : 1);
                ASSERT_NEAR(HoursToHMS(fHours), fHms, fTol) << h << ":" << m << ":" << s;
                ASSERT_NEAR(HMSToHours(fHms), fHours, fTol) << h << ":" << m << ":" << s;
                ASSERT_EQ(HoursToHMS(-fHours), -HoursToHMS(fHours)) << h << ":" << m << ":" << s;
                ASSERT_EQ(HMSToHours(-fHms), -HMSToHours(fHms)) << h << ":" << m << ":" << s;
            }
}

// ISZ at the top of the 32-bit range: the last step that fits still counts,
// the next one raises and leaves the counter alone.
TEST(NumericAudit, IncrementAtThe32BitEdge) {
    double v = 2147483646.0, w = 2147483647.0, u = -1.0;
    EXPECT_FALSE(IncAndTestZero(v));
    EXPECT_EQ(v, 2147483647.0);
    EXPECT_EQ(RaisedKind([&] { IncAndTestZero(w); }), enmErrKind::Overflow);
    EXPECT_EQ(w, 2147483647.0);
    EXPECT_TRUE(IncAndTestZero(u));  // -1 + 1 = 0
    EXPECT_EQ(u, 0.0);
}

TEST(NumericSeriesLimits, AnOverflowingDenominatorFailsInsteadOfEndingTheSeries) {
    for (double x : {57.0, 60.0, 65.0}) EXPECT_EQ(Numeric::CosInt(x), 1e111) << x;
    for (double x : {6.0, 7.5}) EXPECT_EQ(Numeric::FresnelC(x), 1e111) << x;
    EXPECT_NEAR(Numeric::ExpInt(60.0) / 1.9361822e24, 1.0, 1e-7);   // positive terms: the sum stands
}
