// Data registers: numbering, letters, the I register, indirect addressing and the register operations of the memory
// itself (the keys and the steps do their own register arithmetic: test_keyboard.cpp, tests/program).
#include "MachineFixture.h"

using NumUtil::kErrVal;

TEST(CMemRegisters, NumbersNamesAndTheIRegister) {
    SMachine m;
    EXPECT_EQ(V({m.oMem.Rcl(1000), m.oMem.Rcl(-1)}), V({kErrVal, kErrVal}));   // out of range: nothing
    for (int n : {1000, -1}) m.oMem.Sto(n, 5);
    m.oMem.Sto(25, 7);
    const double fI = m.oMem.RclI();
    m.oMem.StoI(4);
    EXPECT_EQ(V({fI, m.oMem.Ireg()}), V({7, 4}));
    EXPECT_CALC_ERROR(m.oMem.Sto(3, std::nan("")), enmErrKind::Invalid);
    for (const char* s : {"a", "", "AC", "i"}) m.oMem.StoA(s, 5);   // name no register
    for (int n = 0; n <= 999; ++n) ASSERT_EQ(m.oMem.Rcl(n), n == 25 ? 4 : 0) << n;
    EXPECT_EQ(m.oMem.RclA("a"), 4);
    m.oMem.StoA("E", 5);
    m.oMem.StoA("CD", 6);   // a piece of ABCDE names its first letter
    m.oMem.StoA("I", 9);
    EXPECT_EQ(V({m.oMem.Rcl(24), m.oMem.Rcl(22), m.oMem.RclA("C"), m.oMem.Rcl(25)}), V({5, 6, 6, 9}));
}

TEST(CMemRegisters, IndirectAddressing) {
    SMachine m;
    m.Number();
    m.oMem.SetIreg(25.9);
    m.oMem.StoInd(8);
    EXPECT_EQ(m.oMem.Ireg(), 8);
    struct { double fI, fWant; } aCases[] = {{-0.5, 2}, {-3.2, 5}, {999.99, 1000}, {1000, kErrVal}, {32767.9, kErrVal}};
    for (const auto& c : aCases) {
        m.oMem.SetIreg(c.fI);
        EXPECT_EQ(m.oMem.RclInd(), c.fWant) << c.fI;
        m.oMem.StoInd(-1);
    }
    for (double fI : {32768.0, -32767.5, 1e300}) {
        m.oMem.SetIreg(fI);
        EXPECT_CALC_ERROR(m.oMem.RclInd(), enmErrKind::Overflow);
        EXPECT_CALC_ERROR(m.oMem.StoInd(1), enmErrKind::Overflow);
    }
    EXPECT_EQ(V({m.oMem.Rcl(998), m.oMem.Rcl(999), m.oMem.Rcl(1), m.oMem.Rcl(4)}), V({999, -1, -1, -1}));
}

// The memory's own register arithmetic and exchanges: nothing in the panel calls them.
TEST(CMemRegisters, ArithmeticAndExchanges) {
    SMachine m;
    m.oMem.Sto(3, 5);
    m.oMem.StoPlus(-1, 5);   // not a register: nothing happens, no error
    m.oMem.StoDiv(1000, 0);
    EXPECT_CALC_ERROR(m.oMem.StoDiv(3, 0), enmErrKind::DivByZero);
    m.oMem.Sto(4, 1e308);
    EXPECT_CALC_ERROR(m.oMem.StoMult(4, 10), enmErrKind::Overflow);   // a failed one keeps the register
    m.oMem.StoMinus(3, 3);
    m.oMem.StoDiv(3, 4);
    m.oMem.StoMult(3, 1e-200);   // no stack range rule on registers
    m.oMem.StoPlus(3, 1e-200);
    EXPECT_EQ(V({m.oMem.Rcl(3), m.oMem.Rcl(4)}), V({0.5 * 1e-200 + 1e-200, 1e308}));
    m.oStack.SetAll(2, 3, 4, 5);
    m.oMem.SetIreg(9);
    m.oMem.SwapX_I();
    double a[5];
    m.oStack.GetStack(a);
    EXPECT_EQ(V({a[1], a[2], a[3], a[4], m.oMem.Ireg()}), V({9, 3, 4, 5, 2}));
    m.Number();
    m.oMem.SwapPrimtoSecMem();
    EXPECT_EQ(V({m.oMem.Rcl(0), m.oMem.Rcl(9), m.oMem.Rcl(10), m.oMem.Rcl(19)}), V({11, 20, 1, 10}));
}
