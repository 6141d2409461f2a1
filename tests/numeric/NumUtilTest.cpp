#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric/NumUtil.h"

using namespace NumUtil;

TEST(NumUtil, CheckedIntegerConversionsRoundHalvesToEven) {
    EXPECT_EQ(ToInt16(12.5), 12);
    EXPECT_EQ(ToInt16(13.5), 14);
    EXPECT_EQ(ToInt16(-32768.4), -32768);
    EXPECT_THROW(ToInt16(32767.5), CCalcError);
    EXPECT_THROW(ToInt16(std::nan("")), CCalcError);
    EXPECT_EQ(ToInt32(-2147483648.0), INT32_MIN);
    EXPECT_THROW(ToInt32(3e9), CCalcError);
    EXPECT_THROW(Div(1, 0), CCalcError);
    EXPECT_THROW(Check(1e308 * 10), CCalcError);
}

TEST(NumUtil, NumberTextIsLocaleFreeAndReadsBackExactly) {
    EXPECT_EQ(FormatRoundTrip(1.5), "1.5");
    EXPECT_EQ(FormatRoundTrip(1e20), "1E+20");
    EXPECT_EQ(FormatRoundTrip(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(FormatRoundTrip(-0.0), "-0");
    EXPECT_EQ(FormatG15(3.5), "3.5");
    EXPECT_EQ(FormatG15(-1.25e20), "-1.25E+20");
    EXPECT_EQ(FormatG15(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatG15(1e-300), "1E-300");
    for (double v : {1.0 / 3, -0.1, 5e-324, std::numeric_limits<double>::max(), 123456789.125}) {
        double w = 0;
        ASSERT_TRUE(ParseWhole(FormatRoundTrip(v), w));
        EXPECT_EQ(w, v);
    }
}

TEST(NumUtil, ParsingTakesTheLeadingNumberAndRefusesNonFinite) {
    double v = -1;
    EXPECT_TRUE(ParseLeading("  1.5E+03abc", v));
    EXPECT_EQ(v, 1500);
    EXPECT_TRUE(ParseLeading("7e", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(ParseLeading("-.5", v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseLeading("1e-400", v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(ParseLeading("1e400", v));
    EXPECT_FALSE(ParseLeading("nan", v));
    EXPECT_FALSE(ParseLeading("inf", v));
    EXPECT_FALSE(ParseLeading("abc", v));
    EXPECT_FALSE(ParseLeading("", v));
    EXPECT_TRUE(ParseWhole(" 05", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(ParseWhole("12.", v));
    EXPECT_FALSE(ParseWhole("12.5x", v));
    EXPECT_FALSE(ParseWhole("Error", v));
    EXPECT_FALSE(ParseWhole("1e", v));
}
