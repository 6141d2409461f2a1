// Block curve fits: the sums kept and the edge cases (plain results: ExtTest.BlockFitsLeaveTheirResultsOnTheStack).
#include "MachineFixture.h"

TEST(CMemRegress, StraightLines) {
    SMachine m;
    double s = 0, c = 0, r2 = 0;
    bool bOk = false;
    m.Put(0, {1, 3, 2, 5, 3, 7});
    m.oMem.LR_Linear(0.005, s, c, r2, bOk);
    EXPECT_EQ(m.Regs(14, 19), V({6, 14, 15, 83, 34, 3}));
    m.oMem.LR_Linear(0.001, s, c, r2, bOk);
    EXPECT_EQ(V({double(bOk), m.oMem.Rcl(19)}), V({0, 1}));
    // A spread of large values well above the rounding residue of the sums counts.
    m.Put(0, {1e7, 1, 1e7 + 5, 2, 1e7 + 10, 3});
    m.oMem.LR_Linear(0.005, s, c, r2, bOk);
    EXPECT_NEAR(s, 0.2, 1e-9);
    EXPECT_NEAR(r2, 1, 1e-6);
    m.Put(0, {1, 1e7, 2, 1e7 + 5, 3, 1e7 + 10});
    m.oMem.LR_Linear(0.005, s, c, r2, bOk);
    EXPECT_NEAR(s, 5, 1e-9);
    // Points without a logarithm are skipped; the rest lie on the curve.
    const double e = std::exp(1.0);
    m.Put(100, {1, 2, 0, 5, 2, 8, 4, 32});
    m.Put(200, {0, 1, 1, e, -2, std::exp(-2.0), 5, -1});
    m.Put(300, {1, 4, e, 7, e * e, 10, -1, 0});
    const struct { void (CMem::*fn)(double, double&, double&, double&, bool&); double fCode, fS, fC; } aCases[] = {
        {&CMem::LR_Power, 100.107, 2, std::log(2.0)}, {&CMem::LR_Exp, 200.207, 1, 0}, {&CMem::LR_Log, 300.307, 3, 4}};
    for (const auto& k : aCases) {
        (m.oMem.*k.fn)(k.fCode, s, c, r2, bOk);
        ExpectNear({s, c, m.oMem.Rcl(19)}, {k.fS, k.fC, 3}, 1e-12);
    }
    m.oMem.LR_Exp(200.207, s, c, r2, bOk);   // the sums of x and ln y are what 14..19 keep
    ExpectNear(m.Regs(14, 19), {-1, 5, -1, 5, 5, 3}, 1e-12);
}

TEST(CMemRegress, PlanesAndParabola) {
    SMachine m, p;
    double a1 = 0, a2 = 0, a0 = 0, r2 = 0;
    bool bOk = false;
    m.Put(0, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6});
    m.oMem.MultLinearRegression(0.011, a1, a2, a0, r2, bOk);
    EXPECT_EQ(m.Regs(10, 19), V({10, 9, 14, 62, 2, 2, 2, 2, 1, 4}));
    // Too few points, or collinear variables: registers 10..19 stay as they are.
    p.Number();
    p.Put(100, {0, 0, 1, 1, 0, 3});
    a1 = -9;
    p.oMem.MultLinearRegression(100.105, a1, a2, a0, r2, bOk);
    EXPECT_EQ(V({double(bOk), a1}), V({0, -9}));
    p.Put(100, {1, 3, 1, 2, 6, 2, 3, 9, 3, 4, 12, 5});
    EXPECT_CALC_ERROR(p.oMem.MultLinearRegression(100.111, a1, a2, a0, r2, bOk), enmErrKind::DivByZero);
    EXPECT_EQ(p.Regs(10, 19), V({11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
    int n = 0;
    for (double x1 : {1.0, 2.0, 3.5})
        for (double x2 : {0.5, 1.5}) m.Put((n++) * 3, {x1, x2, 2 * x1 * x1 * x2 * x2 * x2});
    m.Put(18, {-1, 2, 3});   // skipped: not all positive
    m.oMem.MLR_Power(0.020, a1, a2, a0, r2, bOk);
    ExpectNear({double(bOk), a1, a2, a0, m.oMem.Rcl(19)}, {1, 2, 3, std::log(2.0), 6}, 1e-12);
    // r² of a parabola summed left to right: (3, 7), (4, 0), (6, 8), (1, 2), worked out in doubles by hand.
    m.Put(40, {3, 7, 4, 0, 6, 8, 1, 2});
    m.oMem.QuadraticFit(40.047, a1, a2, a0, r2, bOk);
    EXPECT_EQ(r2, 0.2776106574989259);
    m.Put(40, {2, 1, 2, 3, 2, 7});
    EXPECT_CALC_ERROR(m.oMem.QuadraticFit(40.045, a1, a2, a0, r2, bOk), enmErrKind::DivByZero);
}

// A point starting inside the block takes its other registers from past the block's end, never past register 999.
TEST(CMemRegress, PointsReadPastTheBlockEndButStopBelowRegister1000) {
    SMachine m;
    double a1 = 0, a2 = 0, a0 = 0, r2 = 0;
    bool bOk = false;
    m.Put(0, {1, 3, 2, 5, 3, 7});   // block 0..4: the third point takes its y from R5
    m.oMem.LR_Linear(0.004, a1, a0, r2, bOk);
    EXPECT_EQ(V({m.oMem.Rcl(19), a1, a0}), V({3, 2, 1}));
    m.Put(993, {1, 1, 2, 3, 3, 5, 9});   // R999 alone would start a fourth point
    m.oMem.LR_Linear(993.999, a1, a0, r2, bOk);
    EXPECT_EQ(V({m.oMem.Rcl(19), a1}), V({3, 2}));
    m.Put(986, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6, 50, 60, 70});   // the point at 998 would need 1000
    m.oMem.MultLinearRegression(986.998, a1, a2, a0, r2, bOk);
    EXPECT_EQ(V({m.oMem.Rcl(19), a1, a2, a0}), V({4, 2, 3, 1}));
    m.Put(988, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6});
    m.oMem.MultLinearRegression(988.999, a1, a2, a0, r2, bOk);
    EXPECT_EQ(V({m.oMem.Rcl(19), a2}), V({4, 3}));
    m.Put(992, {0, 1, 1, 3, 2, 7, 3, 13});   // two-register points: the one at 998 still fits
    m.oMem.QuadraticFit(992.999, a1, a2, a0, r2, bOk);
    ExpectNear({m.oMem.Rcl(19), a1, a2, a0}, {4, 1, 1, 1}, 1e-12);
}
