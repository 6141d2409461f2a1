// Statistics sums in registers 14..19 and what is derived from them.
#include "MachineFixture.h"

using NumUtil::kErrVal;

TEST(CStatRegs, SumsLiveInRegisters14To19) {
    SMachine m;
    m.Number();
    m.oStat.Clear();
    EXPECT_EQ(m.Regs(13, 20), V({14, 0, 0, 0, 0, 0, 0, 21}));
    EXPECT_EQ(m.oStat.SumsAdd(3, 4), 1);
    EXPECT_EQ(m.Regs(14, 19), V({3, 9, 4, 16, 12, 1}));
    EXPECT_EQ(V({m.oStat.SumsAdd(-1.5, 2), m.oStat.SumsSub(-1.5, 2)}), V({2, 1}));
    EXPECT_EQ(m.Regs(14, 19), V({3, 9, 4, 16, 12, 1}));
    m.oMem.Sto(19, 5);
    EXPECT_EQ(m.oStat.GetCount(), 5);
    // An overflowing step raises; the steps before it stay done.
    EXPECT_CALC_ERROR(m.oStat.SumsAdd(1e200, 1), enmErrKind::Overflow);
    EXPECT_EQ(m.Regs(14, 19), V({1e200 + 3, 9, 4, 16, 12, 6}));
}

TEST(CStatRegs, MeansAndDeviations) {
    SMachine m;
    auto AndErr = [&](double v) { return V({v, double(m.oStat.IsErr())}); };
    EXPECT_EQ(AndErr(m.oStat.MeanX()), V({kErrVal, 1}));
    m.oStat.ClearErr();
    m.oStat.SumsAdd(6, 7);
    EXPECT_EQ(AndErr(m.oStat.MeanY()), V({7, 0}));
    EXPECT_EQ(AndErr(m.oStat.SdevX()), V({kErrVal, 1}));
    m.oStat.Clear();
    EXPECT_FALSE(m.oStat.IsErr());
    for (double x : {2, 4, 4, 4, 5, 5, 7, 9}) m.oStat.SumsAdd(x, 10 - x);
    ExpectNear({m.oStat.SdevX(), m.oStat.SdevY()}, {std::sqrt(32.0 / 7), std::sqrt(32.0 / 7)}, 1e-14);
    // A spread well above the sums' rounding residue is kept; equal values have no spread whatever the residue.
    m.oStat.Clear();
    for (double v : {1e7, 1e7 + 5, 1e7 + 10}) m.oStat.SumsAdd(v, v);
    EXPECT_NEAR(m.oStat.SdevX(), 5, 1e-9);
    for (double v : {0.1, 3.3, 1e-7, 123456.789, -77.7})
        for (int nPts : {3, 7, 50}) {
            m.oStat.Clear();
            for (int k = 0; k < nPts; ++k) m.oStat.SumsAdd(v, v);
            EXPECT_EQ(m.oStat.SdevX(), 0) << v << " x" << nPts;
        }
    m.oStat.SetSumX(1e6);   // sums that no points can give
    EXPECT_CALC_ERROR(m.oStat.SdevX(), enmErrKind::Invalid);
}

TEST(CStatRegs, LinearRegression) {
    SMachine m;
    double s = -9, c = -9, r2 = -9;
    bool bOk = true;
    // A line through points, and through one point: ExtTest.LineThroughTheStatisticsRegisters. All x equal fails
    // reliably, rounding residue or not; all y equal writes the slope (0) and intercept, then r fails.
    for (double x : {1.0, 0.1, 0.7, 1e10 / 3, 0.0}) {
        m.oStat.Clear();
        for (double y : {1.0, 2.0, 4.0}) m.oStat.SumsAdd(x ? x : y, x ? y : 5);
        EXPECT_CALC_ERROR(m.oStat.LinearReg(s, c, r2, bOk), enmErrKind::DivByZero);
    }
    EXPECT_EQ(V({s, c}), V({0, 5}));
}
