// Special functions: edge cases, a reference table computed outside the project (tests/data/special_reference.csv,
// made by tools/gen_special_reference.py with mpmath), and hostile arguments for every trapping function.
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "numeric/Numeric.h"
#include "NumericCases.h"

using namespace Numeric;

namespace {

// One reference family: the function and its tolerance |got - ref| <= fAbs + fRel*|ref|.
struct RefFn {
    std::function<double(double, double)> fn;
    double fAbs, fRel;
};
RefFn One(double (*f)(double), double fAbs, double fRel) {
    return {[f](double x, double) { return f(x); }, fAbs, fRel};
}
RefFn Ord(double (*f)(int16_t, double), double fAbs, double fRel) {
    return {[f](double n, double x) { return f(static_cast<int16_t>(n), x); }, fAbs, fRel};
}

const std::map<std::string, RefFn> kRef = {
    // Lanczos sum: ~2e-10 relative in ln G; beta combines three of them.
    {"gamma", One(Gamma, 0, 5e-10)}, {"beta", {Beta, 0, 1e-9}},
    // Chebyshev fit: fractional error of erfc below 1.2e-7; erf = 1 - erfc.
    {"erfc", One(Erfc, 0, 1.2e-7)}, {"erf", One(Erf, 1.2e-7, 0)},
    // Power series stopped after a term below 1e-10: the tail is of that order; at these
    // arguments the alternating terms stay small enough that rounding adds only ~1e-11.
    {"ei", One(ExpInt, 2e-10, 1e-12)}, {"si", One(SinInt, 2e-10, 0)}, {"ci", One(CosInt, 2e-10, 0)},
    {"fresnelc", One(FresnelC, 2e-10, 0)}, {"fresnels", One(FresnelS, 2e-10, 0)},
    // Rational and asymptotic fits: ~1e-8 absolute (Y also relative near its logarithmic pole);
    // Y_n's upward recurrence keeps that error relative to its growing size.
    {"j0", One(BesselJ0, 1e-8, 0)}, {"j1", One(BesselJ1, 1e-8, 0)}, {"y0", One(BesselY0, 1e-8, 1e-8)},
    {"y1", One(BesselY1, 1e-8, 1e-8)}, {"jn", Ord(BesselJN, 1e-8, 0)}, {"yn", Ord(BesselYN, 1e-8, 5e-8)},
    // Exact recurrences: rounding only.
    {"cheb", Ord(ChebyshevT, 1e-13, 1e-12)}, {"legn", Ord(LegendreP, 1e-13, 1e-12)},
    {"herm", Ord(HermiteH, 1e-13, 1e-12)}, {"lagr", Ord(LaguerreL, 1e-13, 1e-12)},
};
} // namespace

TEST(NumericSpecial, GammaAndBeta) {
    // Values: the reference table.
    ExpectCases({{Gamma(5.0), 24, 24e-10}, {Gamma(0.0), kErr, 0}, {Gamma(-2.0), kErr, 0}, {Gamma(172.0), kErr, 0},
                 {Gamma(-200.5), kErr, 0}, {Gamma(-1e300), kErr, 0},  // the shift's product overflows: no endless x + 1
                 // a pole or overflow of G(a) or G(b) fails: 1e111/1e111 is no result
                 {Beta(200.0, 1.0), kErr, 0}, {Beta(-2.0, 2.0), kErr, 0},
                 {Beta(0.5, -0.5), 0, 1e-100}});  // pole of G(a+b): B -> 0
    // An overflowing G(a+b) under a finite numerator, or G(a)*G(b) overflowing: no number passes the range test.
    for (auto [a, b] : {std::pair{0.5, 171.2}, {86.0, 86.0}, {100.0, 100.0}, {171.5, 0.5}}) {
        double f = Beta(a, b);
        EXPECT_TRUE(IsOverflow(f)) << a << "," << b << " -> " << f;
    }
}

TEST(NumericSpecial, ErrorFunctionsAndIntegrals) {
    for (double x : {0.3, 1.0, 2.5}) EXPECT_NEAR(Erf(-x), -Erf(x), 1e-15) << x;
    // exp(-x^2) underflowing to 0 is a result, not a failure. The fit's exponent sums left to right, so
    // erfc(1) is the bits of t * exp(-1 - 1.26551223 + t * (...)) with t = 2/3.
    ExpectCases({{Erfc(1.0), 0.15729921223999332, 0}, {Erfc(0.0), 1, 1.2e-7}, {Erfc(-1.0), 2.0 - Erfc(1.0), 1e-15},
                 {Erfc(30.0), 0, 0}, {Erfc(-30.0), 2, 0},
                 {Erf(30.0), 1, 0}, {Erf(-30.0), -1, 0}, {ExpInt(1.0), 1.8951178, 1e-7}, {ExpInt(0.0), kErr, 0},
                 {ExpInt(-1.0), kErr, 0}, {SinInt(0.0), 0, 0}, {CosInt(0.0), kErr, 0}, {FresnelC(0.0), 0, 0},
                 {FresnelS(0.0), 0, 0}, {FresnelC(1.0), 0.7798934, 1e-7}, {FresnelS(1.0), 0.4382591, 1e-7},
                 // beyond the series' reach: an overflowing power, not a hang
                 {ExpInt(100.0), kErr, 0}, {SinInt(100.0), kErr, 0}, {FresnelC(10.0), kErr, 0},
                 // an overflowing denominator fails instead of ending an alternating series (a positive one stands)
                 {CosInt(57.0), kErr, 0}, {CosInt(60.0), kErr, 0}, {CosInt(65.0), kErr, 0},
                 {FresnelC(6.0), kErr, 0}, {FresnelC(7.5), kErr, 0}, {ExpInt(60.0) / 1.9361822e24, 1, 1e-7}});
}

TEST(NumericSpecial, BesselFunctions) {
    ExpectCases({{BesselJ0(0.0), 1, 1e-8},  // the fit gives 1 + 2.8e-9; below, Y_n overflows long before n = 32767
                 {BesselJ1(-2.0), -BesselJ1(2.0), 0}, {BesselJ1(-9.0), -BesselJ1(9.0), 0},
                 {BesselY0(0.0), kErr, 0}, {BesselY1(-1.0), kErr, 0}, {BesselJN(3, -2.0), -BesselJN(3, 2.0), 0},
                 {BesselJN(4, -2.0), BesselJN(4, 2.0), 0}, {BesselJN(4, 0.0), 0, 0}, {BesselJN(-1, 1.0), kErr, 0},
                 {BesselYN(2, 0.0), kErr, 0}, {BesselYN(-3, 1.0), kErr, 0}, {BesselYN(32767, 1.0), kErr, 0}});
}

TEST(NumericSpecial, OrthogonalPolynomials) {
    ExpectCases({{HermiteH(3, 1.0), -4, 0}, {LaguerreL(2, 1.0), -0.5, 0}, {ChebyshevT(-1, 0.5), kErr, 0},
                 {HermiteH(32767, 2.0), kErr, 0}, {ChebyshevT(32767, 0.5), std::cos(32767 * std::acos(0.5)), 1e-9}});
    for (double x : {-3.0, 0.0, 0.7, 1e300})
        EXPECT_TRUE(ChebyshevT(0, x) == 1 && LegendreP(0, x) == 1 && HermiteH(0, x) == 1 && LaguerreL(0, x) == 1);
}

TEST(NumericSpecial, ReferenceTable) {
    std::ifstream in(std::string(CORVEL_TEST_DATA) + "/special_reference.csv");
    ASSERT_TRUE(in) << "missing special_reference.csv";
    std::map<std::string, int> nRows;
    for (std::string sLine; std::getline(in, sLine);) {
        if (sLine.empty() || sLine[0] == '#') continue;
        char sName[16] = "";
        double p1 = 0, p2 = 0, fRef = 0;   // name,p1,p2,value
        ASSERT_EQ(std::sscanf(sLine.c_str(), "%15[^,],%lf,%lf,%lf", sName, &p1, &p2, &fRef), 4) << sLine;
        const auto it = kRef.find(sName);
        ASSERT_NE(it, kRef.end()) << sLine;
        EXPECT_NEAR(it->second.fn(p1, p2), fRef, it->second.fAbs + it->second.fRel * std::fabs(fRef)) << sLine;
        ++nRows[sName];
    }
    EXPECT_EQ(nRows.size(), kRef.size());  // every family has rows
}

// Hostile arguments: every trapping function returns a finite number (1e111 for a failure), never throws, never hangs.
TEST(NumericTraps, HostileArgumentsGiveAFiniteNumber) {
    const double kInf = std::numeric_limits<double>::infinity();
    const double aBad[] = {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 1e308, -1e308,
                           1e-308, -1e-308, 4.9e-324, 0.0, -0.0, 1.0, -1.0, 170.5, -170.5};
    const int16_t aOrders[] = {32767, -32768, -1, 0, 1, 2, 171, 1000};
    double (*const aOne[])(double) = {Factorial, SinH, CosH, TanH, ArcSinH, ArcCosH, ArcTanH, Log10, ArcSin, ArcCos,
                                      Gamma, Erf, Erfc, ExpInt, SinInt, CosInt, FresnelC, FresnelS,
                                      BesselJ0, BesselJ1, BesselY0, BesselY1};
    double (*const aTwo[])(double, double) = {Permutations, Combinations, Beta};
    double (*const aOrd[])(int16_t, double) = {BesselJN, BesselYN, ChebyshevT, LegendreP, HermiteH, LaguerreL};
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
