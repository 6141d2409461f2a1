// Special functions of Numeric: edge cases, a reference table
// computed outside the project (tests/data/special_reference.csv, made by
// tools/gen_special_reference.py with mpmath), and hostile arguments for
// every trapping function.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>

#include "numeric/Numeric.h"
#include "NumericCases.h"

using namespace Numeric;

namespace {

int16_t Order(double f) { return static_cast<int16_t>(f); }

// One reference family: the function and its tolerance |got - ref| <= fAbs + fRel*|ref|.
struct RefFn {
    std::function<double(double, double)> fn;
    double fAbs, fRel;
};

const std::map<std::string, RefFn>& RefTable() {
    static const std::map<std::string, RefFn> m = {
        // Lanczos sum: ~2e-10 relative in ln G; beta combines three of them.
        {"gamma", {[](double x, double) { return Gamma(x); }, 0, 5e-10}},
        {"beta", {[](double a, double b) { return Beta(a, b); }, 0, 1e-9}},
        // Chebyshev fit: fractional error of erfc below 1.2e-7; erf = 1 - erfc.
        {"erfc", {[](double x, double) { return Erfc(x); }, 0, 1.2e-7}},
        {"erf", {[](double x, double) { return Erf(x); }, 1.2e-7, 0}},
        // Power series stopped after a term below 1e-10: the tail is of that
        // order; at these arguments the alternating terms stay small enough
        // that rounding adds only ~1e-11.
        {"ei", {[](double x, double) { return ExpInt(x); }, 2e-10, 1e-12}},
        {"si", {[](double x, double) { return SinInt(x); }, 2e-10, 0}},
        {"ci", {[](double x, double) { return CosInt(x); }, 2e-10, 0}},
        {"fresnelc", {[](double x, double) { return FresnelC(x); }, 2e-10, 0}},
        {"fresnels", {[](double x, double) { return FresnelS(x); }, 2e-10, 0}},
        // Rational and asymptotic fits: ~1e-8 absolute (Y also relative near
        // its logarithmic pole); Y_n's upward recurrence keeps that error
        // relative to its growing size.
        {"j0", {[](double x, double) { return BesselJ0(x); }, 1e-8, 0}},
        {"j1", {[](double x, double) { return BesselJ1(x); }, 1e-8, 0}},
        {"y0", {[](double x, double) { return BesselY0(x); }, 1e-8, 1e-8}},
        {"y1", {[](double x, double) { return BesselY1(x); }, 1e-8, 1e-8}},
        {"jn", {[](double n, double x) { return BesselJN(Order(n), x); }, 1e-8, 0}},
        {"yn", {[](double n, double x) { return BesselYN(Order(n), x); }, 1e-8, 5e-8}},
        // Exact recurrences: rounding only.
        {"cheb", {[](double n, double x) { return ChebyshevT(Order(n), x); }, 1e-13, 1e-12}},
        {"legn", {[](double n, double x) { return LegendreP(Order(n), x); }, 1e-13, 1e-12}},
        {"herm", {[](double n, double x) { return HermiteH(Order(n), x); }, 1e-13, 1e-12}},
        {"lagr", {[](double n, double x) { return LaguerreL(Order(n), x); }, 1e-13, 1e-12}},
    };
    return m;
}
} // namespace

TEST(NumericSpecial, GammaAndBeta) {
    // Values: the reference table.
    ExpectCases({{Gamma(5.0), 24, 24e-10}, {Gamma(0.0), kErr, 0}, {Gamma(-2.0), kErr, 0}, {Gamma(172.0), kErr, 0},
                 {Gamma(-200.5), kErr, 0},
                 {Gamma(-1e300), kErr, 0},  // the shift's product overflows: no endless x + 1
                 // a pole or overflow of G(a) or G(b) fails: 1e111/1e111 is no result
                 {Beta(200.0, 1.0), kErr, 0}, {Beta(-2.0, 2.0), kErr, 0},
                 {Beta(0.5, -0.5), 0, 1e-100}});  // pole of G(a+b): B -> 0
    // An overflowing G(a+b) under a finite numerator, or G(a)*G(b) overflowing:
    // neither may pass the range test as a number.
    for (auto [a, b] : {std::pair{0.5, 171.2}, {86.0, 86.0}, {100.0, 100.0}, {171.5, 0.5}}) {
        double f = Beta(a, b);
        EXPECT_TRUE(IsOverflow(f)) << a << "," << b << " -> " << f;
    }
}

TEST(NumericSpecial, ErrorFunctionsAndIntegrals) {
    for (double x : {0.3, 1.0, 2.5}) EXPECT_NEAR(Erf(-x), -Erf(x), 1e-15) << x;
    // exp(-x^2) underflowing to 0 is a result, not a failure.
    ExpectCases({{Erfc(0.0), 1, 1.2e-7}, {Erfc(-1.0), 2.0 - Erfc(1.0), 1e-15}, {Erfc(30.0), 0, 0},
                 {Erfc(-30.0), 2, 0}, {Erf(30.0), 1, 0}, {Erf(-30.0), -1, 0},
                 {ExpInt(1.0), 1.8951178, 1e-7}, {ExpInt(0.0), kErr, 0}, {ExpInt(-1.0), kErr, 0},
                 {SinInt(0.0), 0, 0}, {CosInt(0.0), kErr, 0}, {FresnelC(0.0), 0, 0}, {FresnelS(0.0), 0, 0},
                 {FresnelC(1.0), 0.7798934, 1e-7}, {FresnelS(1.0), 0.4382591, 1e-7},
                 // beyond the series' reach: an overflowing power, not a hang
                 {ExpInt(100.0), kErr, 0}, {SinInt(100.0), kErr, 0}, {FresnelC(10.0), kErr, 0},
                 // an overflowing denominator fails instead of ending an alternating series;
                 // with positive terms the sum stands
                 {CosInt(57.0), kErr, 0}, {CosInt(60.0), kErr, 0}, {CosInt(65.0), kErr, 0},
                 {FresnelC(6.0), kErr, 0}, {FresnelC(7.5), kErr, 0}, {ExpInt(60.0) / 1.9361822e24, 1, 1e-7}});
}

TEST(NumericSpecial, BesselFunctions) {
    ExpectCases({{BesselJ0(0.0), 1, 1e-8},  // the fit gives 1 + 2.8e-9
                 {BesselJ1(-2.0), -BesselJ1(2.0), 0}, {BesselJ1(-9.0), -BesselJ1(9.0), 0},
                 {BesselY0(0.0), kErr, 0}, {BesselY1(-1.0), kErr, 0}, {BesselJN(3, -2.0), -BesselJN(3, 2.0), 0},
                 {BesselJN(4, -2.0), BesselJN(4, 2.0), 0}, {BesselJN(4, 0.0), 0, 0},
                 {BesselJN(-1, 1.0), kErr, 0},
                 {BesselYN(2, 0.0), kErr, 0}, {BesselYN(-3, 1.0), kErr, 0},
                 {BesselYN(32767, 1.0), kErr, 0}});  // Y_n overflows long before n
}

TEST(NumericSpecial, OrthogonalPolynomials) {
    ExpectCases({{HermiteH(3, 1.0), -4, 0}, {LaguerreL(2, 1.0), -0.5, 0}, {ChebyshevT(-1, 0.5), kErr, 0}, {HermiteH(32767, 2.0), kErr, 0},
                 {ChebyshevT(32767, 0.5), std::cos(32767 * std::acos(0.5)), 1e-9}});
    for (double x : {-3.0, 0.0, 0.7, 1e300})
        EXPECT_TRUE(ChebyshevT(0, x) == 1 && LegendreP(0, x) == 1 && HermiteH(0, x) == 1 && LaguerreL(0, x) == 1);
}

TEST(NumericSpecial, ReferenceTable) {
    std::ifstream in(std::string(CORVEL_TEST_DATA) + "/special_reference.csv");
    ASSERT_TRUE(in) << "missing special_reference.csv";
    std::map<std::string, int> nRows;
    std::string sLine;
    while (std::getline(in, sLine)) {
        if (sLine.empty() || sLine[0] == '#') continue;
        std::istringstream ss(sLine);
        std::string sName, s1, s2, sRef;
        ASSERT_TRUE(std::getline(ss, sName, ',') && std::getline(ss, s1, ',') &&
                    std::getline(ss, s2, ',') && std::getline(ss, sRef))
            << sLine;
        const auto it = RefTable().find(sName);
        ASSERT_NE(it, RefTable().end()) << sLine;
        const double p1 = std::strtod(s1.c_str(), nullptr), p2 = std::strtod(s2.c_str(), nullptr);
        const double fRef = std::strtod(sRef.c_str(), nullptr);
        const RefFn& r = it->second;
        EXPECT_NEAR(r.fn(p1, p2), fRef, r.fAbs + r.fRel * std::fabs(fRef)) << sLine;
        ++nRows[sName];
    }
    EXPECT_EQ(nRows.size(), RefTable().size());  // every family has rows
}

// Hostile arguments: every trapping function returns a finite number (1e111
// for a failure), never throws, never hangs.
TEST(NumericTraps, HostileArgumentsGiveAFiniteNumber) {
    const double kInf = std::numeric_limits<double>::infinity();
    const double aBad[] = {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 1e308, -1e308,
                           1e-308, -1e-308, 4.9e-324, 0.0, -0.0, 1.0, -1.0, 170.5, -170.5};
    const int16_t aOrders[] = {32767, -32768, -1, 0, 1, 2, 171, 1000};
    using F1 = double (*)(double);
    using F2 = double (*)(double, double);
    using FN = double (*)(int16_t, double);
    const F1 aOne[] = {Factorial, SinH, CosH, TanH, ArcSinH, ArcCosH, ArcTanH, Log10, ArcSin,
                       ArcCos, Gamma, Erf, Erfc, ExpInt, SinInt, CosInt, FresnelC, FresnelS,
                       BesselJ0, BesselJ1, BesselY0, BesselY1};
    const F2 aTwo[] = {Permutations, Combinations, Beta};
    const FN aOrd[] = {BesselJN, BesselYN, ChebyshevT, LegendreP, HermiteH, LaguerreL};
    for (double x : aBad) {
        for (size_t i = 0; i < std::size(aOne); ++i)
            EXPECT_TRUE(std::isfinite(aOne[i](x))) << "one-argument #" << i << " at " << x;
        for (double y : aBad)
            for (size_t i = 0; i < std::size(aTwo); ++i)
                EXPECT_TRUE(std::isfinite(aTwo[i](x, y))) << "two-argument #" << i << " at " << x << "," << y;
        for (int16_t n : aOrders)
            for (size_t i = 0; i < std::size(aOrd); ++i)
                EXPECT_TRUE(std::isfinite(aOrd[i](n, x))) << "order #" << i << " n=" << n << " x=" << x;
    }
    for (double x : {aBad[0], aBad[1], aBad[2]})  // non-finite arguments fail outright
        EXPECT_EQ(Gamma(x) + BesselJN(5, x) + HermiteH(0, x) + Factorial(x), 4 * kErr);
}
