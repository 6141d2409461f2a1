// Data registers: numbering, letters, the I register and indirect addressing.
// Register arithmetic is the keys' and the steps' (test_keyboard.cpp, tests/program).
#include <cmath>
#include <vector>

#include "MachineFixture.h"

using NumUtil::kErrVal;

TEST(CMemRegisters, NumbersNamesAndTheIRegister) {
    SMachine m;
    EXPECT_EQ(V({m.oMem.Rcl(1000), m.oMem.Rcl(-1)}), V({kErrVal, kErrVal}));   // out of range: nothing
    m.oMem.Sto(1000, 5);
    m.oMem.Sto(-1, 5);
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
