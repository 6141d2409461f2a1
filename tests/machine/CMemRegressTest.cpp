// Curve fits over register blocks.
#include <cmath>
#include <initializer_list>

#include "MachineFixture.h"

namespace {
void Put(CMem& o, int nFirst, std::initializer_list<double> a) {
    for (double v : a) o.Sto(nFirst++, v);
}
} // namespace

TEST(CMemRegress, StraightLines) {
    SMachine m;
    double s = 0, c = 0, r2 = 0;
    bool bOk = false;
    Put(m.oMem, 0, {1, 3, 2, 5, 3, 7});
    m.oMem.LR_Linear(0.005, s, c, r2, bOk);
    EXPECT_TRUE(bOk);
    EXPECT_DOUBLE_EQ(s, 2);
    EXPECT_NEAR(c, 1, 1e-14);
    EXPECT_DOUBLE_EQ(r2, 1);
    const double aWant[] = {6, 14, 15, 83, 34, 3};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(m.oMem.Rcl(14 + k), aWant[k]) << 14 + k;
    m.oMem.LR_Linear(0.001, s, c, r2, bOk);
    EXPECT_FALSE(bOk);
    EXPECT_EQ(m.oMem.Rcl(19), 1);

    Put(m.oMem, 100, {1, 2, 0, 5, 2, 8, 4, 32});   // (0, 5) has no logarithm: skipped
    m.oMem.LR_Power(100.107, s, c, r2, bOk);
    EXPECT_NEAR(s, 2, 1e-12);
    EXPECT_NEAR(c, std::log(2.0), 1e-12);
    EXPECT_EQ(m.oMem.Rcl(19), 3);
    Put(m.oMem, 200, {0, 1, 1, std::exp(1.0), -2, std::exp(-2.0), 5, -1});
    m.oMem.LR_Exp(200.207, s, c, r2, bOk);
    EXPECT_NEAR(s, 1, 1e-12);
    EXPECT_NEAR(c, 0, 1e-12);
    EXPECT_EQ(m.oMem.Rcl(19), 3);
    Put(m.oMem, 300, {1, 4, std::exp(1.0), 7, std::exp(2.0), 10, -1, 0});
    m.oMem.LR_Log(300.307, s, c, r2, bOk);
    EXPECT_NEAR(s, 3, 1e-12);
    EXPECT_NEAR(c, 4, 1e-12);
}

TEST(CMemRegress, PlaneFit) {
    SMachine m;
    double a1 = 0, a2 = 0, a0 = 0, r2 = 0;
    bool bOk = false;
    Put(m.oMem, 0, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6});
    m.oMem.MultLinearRegression(0.011, a1, a2, a0, r2, bOk);
    EXPECT_TRUE(bOk);
    EXPECT_DOUBLE_EQ(a1, 2);
    EXPECT_DOUBLE_EQ(a2, 3);
    EXPECT_DOUBLE_EQ(a0, 1);
    EXPECT_DOUBLE_EQ(r2, 1);
    const double aWant[] = {10, 9, 14, 62, 2, 2, 2, 2, 1, 4};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(m.oMem.Rcl(10 + k), aWant[k]) << 10 + k;

    // Too few points, or collinear variables: registers 10..19 stay as they are.
    SMachine p;
    p.Number();
    Put(p.oMem, 100, {0, 0, 1, 1, 0, 3});
    a1 = -9;
    p.oMem.MultLinearRegression(100.105, a1, a2, a0, r2, bOk);
    EXPECT_FALSE(bOk);
    EXPECT_EQ(a1, -9);
    Put(p.oMem, 100, {1, 3, 1, 2, 6, 2, 3, 9, 3, 4, 12, 5});
    EXPECT_CALC_ERROR(p.oMem.MultLinearRegression(100.111, a1, a2, a0, r2, bOk), enmErrKind::DivByZero);
    for (int n = 10; n <= 19; ++n) EXPECT_EQ(p.oMem.Rcl(n), n + 1.0) << n;
}

TEST(CMemRegress, PowerPlaneAndParabola) {
    SMachine m;
    double a1 = 0, a2 = 0, a0 = 0, r2 = 0;
    bool bOk = false;
    int n = 0;
    for (double x1 : {1.0, 2.0, 3.5})
        for (double x2 : {0.5, 1.5}) Put(m.oMem, (n++) * 3, {x1, x2, 2 * x1 * x1 * x2 * x2 * x2});
    Put(m.oMem, 18, {-1, 2, 3});   // skipped: not all positive
    m.oMem.MLR_Power(0.020, a1, a2, a0, r2, bOk);
    EXPECT_TRUE(bOk);
    EXPECT_NEAR(a1, 2, 1e-12);
    EXPECT_NEAR(a2, 3, 1e-12);
    EXPECT_NEAR(a0, std::log(2.0), 1e-12);
    EXPECT_EQ(m.oMem.Rcl(19), 6);

    Put(m.oMem, 40, {0, 1, 1, 3, 2, 7, 3, 13});
    m.oMem.QuadraticFit(40.047, a1, a2, a0, r2, bOk);
    EXPECT_TRUE(bOk);
    EXPECT_NEAR(a2, 1, 1e-12);
    EXPECT_NEAR(a1, 1, 1e-12);
    EXPECT_NEAR(a0, 1, 1e-12);
    EXPECT_NEAR(r2, 1, 1e-12);
    Put(m.oMem, 40, {2, 1, 2, 3, 2, 7});
    EXPECT_CALC_ERROR(m.oMem.QuadraticFit(40.045, a1, a2, a0, r2, bOk), enmErrKind::DivByZero);
}

TEST(CMemRegress, BlocksAtTheTopOfMemoryStayInside) {
    SMachine m;
    double a1 = 0, a2 = 0, a0 = 0, r2 = 0;
    bool bOk = false;
    Put(m.oMem, 993, {1, 1, 2, 3, 3, 5, 9});   // R999 alone would start a fourth point
    m.oMem.LR_Linear(993.999, a1, a0, r2, bOk);
    EXPECT_EQ(m.oMem.Rcl(19), 3);
    EXPECT_DOUBLE_EQ(a1, 2);
    Put(m.oMem, 988, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6});
    m.oMem.MultLinearRegression(988.999, a1, a2, a0, r2, bOk);
    EXPECT_EQ(m.oMem.Rcl(19), 4);
    EXPECT_DOUBLE_EQ(a2, 3);
}
