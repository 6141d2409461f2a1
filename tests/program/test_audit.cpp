// Instruction details pinned by an audit of the interpreter: number entry
// corner cases, the operand forms of the register arithmetic, stack and
// I-register instructions, loop counters and indirect calls.
#include <cmath>

#include "PrgmFixture.h"

using AuditTest = PrgmTest;

TEST_F(AuditTest, NumberEntryCorners) {
    const struct { std::vector<std::string> vSteps; V vWant; std::string sDisp; bool bMant, bExp; } aCases[] = {
        // A second EEX pushes the number and starts 1E00 in its exponent.
        {{"3", "EEX", "2", "EEX"}, {300, 10}, "1.| 00", false, true},
        // A point during the exponent pushes the number and starts "0.".
        {{"2", "EEX", "3", "."}, {2000, 10}, "0.|", true, false},
        {{"EEX", "CHS", "5", "ENTER"}, {1e-5, 10}, "1.|-05", false, false},
        {{"5", "CHS", "EEX", "CHS", "2", "ENTER"}, {-0.05, 10}, "-5|-02", false, false},
        // ENTER pushes the keyed number once; a second ENTER duplicates X.
        {{"1", "ENTER", "ENTER"}, {1, 1}, "1|", false, false},
    };
    for (const auto& c : aCases) {
        SetStack(10, 20);
        Steps(c.vSteps);
        EXPECT_NEAR(X(), c.vWant[0], 1e-15 * std::fabs(c.vWant[0])) << c.vSteps.size();
        EXPECT_EQ(Y(), c.vWant[1]) << c.vSteps.size();
        EXPECT_EQ(m.lblDisp + "|" + m.lblEex, c.sDisp);
        EXPECT_EQ(p.EntryActive, c.bMant);
        EXPECT_EQ(p.ExpEntryActive, c.bExp);
    }
}

TEST_F(AuditTest, RegisterArithmeticOperandForms) {
    // R2 = 20, R3 = 30; X = 4, Y = 7. "(i)" is the nearest integer of I
    // here (halves to even), unlike the plain recall's integer part.
    const struct { const char* sStep; double fI; int nReg; double fReg, fX; } aCases[] = {
        {"STO- (i)", 2.5, 2, 16, 4}, {"STO* (i)", 2.7, 3, 120, 4}, {"STO/ 3", 0, 3, 7.5, 4},
        {"RCL+ (i)", 2.7, 3, 30, 34}, {"RCL* 2", 0, 2, 20, 80}, {"RCL/ 2", 0, 2, 20, 0.2},
        {"RCL- (i)", 2.5, 2, 20, -16},
    };
    for (const auto& c : aCases) {
        m.oMem.Sto(2, 20);
        m.oMem.Sto(3, 30);
        m.oMem.StoI(c.fI);
        m.fLastX = -1;
        SetStack(4, 7, 8, 9);
        Steps({c.sStep});
        EXPECT_FALSE(m.bInErr) << c.sStep;
        EXPECT_EQ(m.oMem.Rcl(c.nReg), c.fReg) << c.sStep;
        EXPECT_EQ(Stack(), V({c.fX, 7, 8, 9})) << c.sStep;
        EXPECT_EQ(m.fLastX, -1) << c.sStep;
    }
}

TEST_F(AuditTest, StackAndIRegisterInstructions) {
    const struct {
        std::vector<std::string> vSteps;
        double fX, fI;
        V vWant;
        double fIAfter, fLastX;
        bool bErr;
    } aCases[] = {
        {{"X<>I"}, 1, 7, {7, 2, 3, 4}, 1, -1, false},
        // I cannot be pushed: the error flag is set, X still goes to I and the stack stays dropped.
        {{"X<>I"}, 1, 1e100, {2, 3, 4, 4}, 1, -1, true},
        {{"ST I", "RC I"}, 1, 0, {1, 1, 2, 3}, 1, -1, false},
        {{"LST", "PI"}, 1, 0, {M_PI, -1, 1, 2}, 0, -1, false},
        {{"INT"}, -2.7, 0, {-2, 2, 3, 4}, 0, -2.7, false},
        {{"FRAC"}, -2.7, 0, {-0.7, 2, 3, 4}, 0, -2.7, false},
    };
    for (const auto& c : aCases) {
        m.oMem.StoI(c.fI);
        m.fLastX = -1;
        SetStack(c.fX, 2, 3, 4);
        Steps(c.vSteps);
        const V v = Stack();
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(v[k], c.vWant[k], 1e-15) << c.vSteps[0] << " level " << k;
        EXPECT_EQ(V({m.oMem.RclI(), m.fLastX}), V({c.fIAfter, c.fLastX})) << c.vSteps[0];
        EXPECT_EQ(m.bInErr, c.bErr) << c.vSteps[0];
    }
    m.oMem.Sto(3, 5);
    m.oMem.Sto(13, 6);
    m.oMem.Sto(500, 1);
    Steps({"P<>S"});
    EXPECT_EQ(V({m.oMem.Rcl(3), m.oMem.Rcl(13)}), V({6, 5}));
    Steps({"CLREG"});
    EXPECT_EQ(V({m.oMem.Rcl(3), m.oMem.Rcl(13), m.oMem.Rcl(500)}), V({0, 0, 0}));
    m.oStat.Clear();
    m.oStat.SumsAdd(3, 4);
    SetStack(3, 4, 5, 6);
    Steps({"SUM-"});
    EXPECT_EQ(Stack(), V({0, 5, 6, 6}));   // n, then old Z and T
}

TEST_F(AuditTest, CounterOperandsAndIndirectCalls) {
    // Step 2 is skipped when the counter reaches zero.
    const struct { const char* sStep; int nReg; double fBefore, fAfter; int nNext; } aCases[] = {
        {"DSZ IND 7", 7, 1, 0, 3},    // IND with a number counts in that register itself
        {"DSZ IND A", 20, 2, 1, 2},   // IND with a name: the lettered register
        {"DSZ A", 20, 1, 1, 2},       // a plain name: nothing happens
        {"ISZ 5", 3, -1, 0, 3},       // ISZ with any operand: the register addressed through I
    };
    for (const auto& c : aCases) {
        m.oMem.Clear();
        m.oMem.StoI(3);
        m.oMem.Sto(c.nReg, c.fBefore);
        Load({c.sStep, "1", "2"});
        Step();
        EXPECT_EQ(m.oMem.Rcl(c.nReg), c.fAfter) << c.sStep;
        EXPECT_EQ(Ptr(), c.nNext) << c.sStep;
    }
    // GSB (i) rounds I directly, halves to even.
    Load({"GSB (i)", "LBL 2", "LBL 3", "LBL 4"});
    for (const auto& [fI, nWant] : {std::pair{2.5, 2}, std::pair{3.5, 4}}) {
        m.oMem.StoI(fI);
        Step(1);
        EXPECT_EQ(Ptr(), nWant) << fI;   // label k is on step k
    }
}
