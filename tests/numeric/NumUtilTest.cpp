// Number text both ways and the checked integer conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "numeric/NumUtil.h"

using namespace corvel;
using namespace NumUtil;

TEST(NumUtil, CheckedIntegerConversionsRoundHalvesToEven) {
    EXPECT_EQ(std::vector<int>({ToInt16(12.5), ToInt16(13.5), ToInt16(-32768.4), ToInt32(-2147483648.0)}),
              std::vector<int>({12, 14, -32768, INT32_MIN}));
    EXPECT_THROW(ToInt16(32767.5), CCalcError);
    EXPECT_THROW(ToInt16(std::nan("")), CCalcError);
    EXPECT_THROW(ToInt32(3e9), CCalcError);
    EXPECT_THROW(Div(1, 0), CCalcError);
    EXPECT_THROW(Check(1e308 * 10), CCalcError);
    // Nearest agrees with the maths library's nearest-even rounding everywhere.
    for (double x : {0.5, 1.5, 2.5, -0.5, -1.5, -0.4, 0.49999999999999994, 4503599627370495.5, -4503599627370495.5,
                     4503599627370497.0, 1e300, -7.5, 1e-300, 32767.5, -32768.5}) {
        const double r = Nearest(x);
        EXPECT_EQ(r, std::nearbyint(x)) << x;
        EXPECT_EQ(std::signbit(r), std::signbit(std::nearbyint(x))) << x;
    }
    EXPECT_TRUE(std::isnan(Nearest(std::nan(""))));
}

TEST(NumUtil, NumberTextIsLocaleFreeAndReadsBackExactly) {
    const struct { double v; const char *sRoundTrip, *sG15; } aCases[] = {
        {1.5, "1.5", "1.5"}, {1e20, "1E+20", "1E+20"}, {-2.5e-7, "-2.5E-07", "-2.5E-07"}, {-0.0, "-0", nullptr},
        {-1.25e20, "-1.25E+20", "-1.25E+20"}, {1.0 / 3, "0.3333333333333333", "0.333333333333333"},
        {1e-300, "1E-300", "1E-300"}};
    for (const auto& c : aCases) {
        EXPECT_EQ(FormatRoundTrip(c.v), c.sRoundTrip);
        if (c.sG15) EXPECT_EQ(FormatG15(c.v), c.sG15);
    }
    for (double v : {1.0 / 3, -0.1, 5e-324, std::numeric_limits<double>::max(), 123456789.125}) {
        double w = 0;
        ASSERT_TRUE(ParseWhole(FormatRoundTrip(v), w));
        EXPECT_EQ(w, v);
    }
}

TEST(NumUtil, ParsingTakesTheLeadingNumberAndRefusesNonFinite) {
    // A failed parse is marked by the value 99.
    const struct { const char* s; double fLeading, fWhole; } aCases[] = {
        {"  1.5E+03abc", 1500, 99}, {"7e", 7, 99}, {"1e", 1, 99}, {"-.5", -0.5, -0.5}, {"1e-400", 0, 0},
        {"1e400", 99, 99}, {"nan", 99, 99}, {"inf", 99, 99}, {"abc", 99, 99}, {"", 99, 99}, {" 05", 5, 5},
        {"12.", 12, 12}, {"12.5x", 12.5, 99}, {"Error", 99, 99}};
    for (const auto& c : aCases) {
        double v = -1, w = -1;
        EXPECT_EQ(ParseLeading(c.s, v) ? v : 99, c.fLeading) << c.s;
        EXPECT_EQ(ParseWhole(c.s, w) ? w : 99, c.fWhole) << c.s;
    }
}

TEST(NumUtil, PastedTextTakesTheUnicodeMinusGroupsAndALocaleComma) {
    // 99: refused. Columns: text, value with a decimal-point locale, with a decimal-comma locale.
    const struct { const char* s; double fPoint, fComma; } aCases[] = {
        {"\u22125", -5, -5}, {"1 234", 1234, 1234}, {"-1\u2009234\u2009567.5", -1234567.5, -1234567.5},
        {"12\u00a0345", 12345, 12345}, {"1,5", 99, 1.5}, {"1 234,5", 99, 1234.5}, {"1,234.5", 99, 99},
        {"1,2,3", 99, 99}, {"12 34", 99, 99}, {"1234 567", 99, 99}, {"1 2345", 99, 99}, {" 7 ", 7, 7}};
    for (const auto& c : aCases) {
        double v = -1;
        EXPECT_EQ(ParseWhole(PastedNumberText(c.s, false), v) ? v : 99, c.fPoint) << c.s;
        EXPECT_EQ(ParseWhole(PastedNumberText(c.s, true), v) ? v : 99, c.fComma) << c.s;
    }
}
