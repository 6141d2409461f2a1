// The extended instructions: functions under the result rule, the line through the statistics registers,
// register blocks, block fits, data files and MERGE (the keys' instructions: tests/panel/test_keyboard.cpp).
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "PrgmFixture.h"
#include "common/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Each test runs in a fresh temporary directory, its current one (W/DATA$ and the scratch file use it).
class ExtTest : public PrgmTest {
protected:
    CTempDir oTmp{true};
    void SetUp() override { fs::create_directory("shown"); }
    void Put(int nFirst, const V& v) {
        for (double f : v) m.oMem.Sto(nFirst++, f);
    }
    V Regs(int a, int b) const {
        V v;
        for (int n = a; n <= b; ++n) v.push_back(m.oMem.Rcl(n));
        return v;
    }
    // A name typed into a dialog that shows the directory "shown".
    CFileChoice Choice(const std::string& sTyped) { return {sTyped, (oTmp.Path() / "shown" / sTyped).string()}; }
};

} // namespace

TEST_F(ExtTest, FunctionsFollowTheResultRule) {
    // X holds x; Y holds y (two-number functions take it, n = integer part for the orders).
    // The values only tell which function ran; their accuracy is the numeric tests' part.
    const struct { const char* sStep; double x, y, fWant; } aCases[] = {
        {"SINH", 1, 0, 1.175201}, {"COSH", 1, 0, 1.543081}, {"TANH", 0.5, 0, 0.4621172}, {"ASINH", 1, 0, 0.8813736},
        {"ACOSH", 2, 0, 1.316958}, {"ATANH", 0.5, 0, 0.5493061}, {"GAMMA", 5, 0, 24}, {"ERF", 0.5, 0, 0.5204999},
        {"ERFC", 0.5, 0, 0.4795001}, {"EXPINT", 1, 0, 1.895118}, {"SI", 1, 0, 0.9460831}, {"CI", 1, 0, 0.3374039},
        {"FSIN", 1, 0, 0.4382591}, {"FCOS", 1, 0, 0.7798934}, {"BESSJ0", 1, 0, 0.7651977}, {"BESSJ1", 1, 0, 0.4400506},
        {"BESSY0", 1, 0, 0.08825696}, {"BESSY1", 1, 0, -0.7812128}, {"FLOOR", -2.5, 0, -3}, {"CEIL", 2.1, 0, 3},
        {"BETA", 3, 2, 1.0 / 12}, {"BESSJN", 2, 2.9, 0.3528340}, {"BESSYN", 1, 2, -1.650683},   // order 2, 1
        {"CHEB", 0.5, 3, -1}, {"LEGN", 0.5, 2, -0.125}, {"HERM", 1, 3.7, -4}, {"LAGR", 1, 2.4, -0.5},
        {"%CH", 75, 50, -50},   // (Y - X) / Y * 100; from the keys the other sign: test_keyboard.cpp
        {"E^X", 230, 0, std::exp(230.0)}, {"E^X", -240, 0, 0},   // a tiny result becomes 0
        {"COMB", 2, 5, 10}, {"PERM", 2, 5, 20}, {"FACT", 5, 0, 120}, {"HMS+", 1.3, 2.45, 3.45}};
    for (const auto& c : aCases) {
        SetStack(c.x, c.y, 30, 40);
        m.fLastX = 99;
        Steps({c.sStep});
        ASSERT_FALSE(m.bInErr) << c.sStep;
        EXPECT_NEAR(X(), c.fWant, 1e-6 * std::max(1.0, std::fabs(c.fWant))) << c.sStep;
        const bool bTwo = c.y != 0;   // the two-number functions, which consume Y
        EXPECT_EQ(V({Y(), Stack()[2], m.fLastX}), bTwo ? V({30, 40, c.x}) : V({c.y, 30, c.x})) << c.sStep;
    }
    // A fault, out of the domain (the library's 1e111), out of range (e^231 is about 1.9e100), an order
    // that is no 16-bit integer, a bad register, block or flag operand, an I that X cannot take, or a loop
    // counter that does not exist (not a silent loop): an error of the step that changes nothing.
    const struct { const char* sStep; double x, y; } aErrors[] = {
        {"1/X", 0, 7}, {"LN", 0, 7}, {"LOG", 0, 7}, {"E^X", 231, 0}, {"GAMMA", 0, 0},
        {"ACOSH", 0.5, 0}, {"SINH", 231, 0}, {"COMB", 5, 2}, {"BESSJN", 1, 32768}, {"CHEB", 1, -4e9},
        {"STO 1e999", 0, 7}, {"STO -40000", 0, 7}, {"STO IND", 0, 7}, {"RCL IND 1000", 0, 7}, {"STO/ 3", 0, 7},
        {"COPYREG", 0.002, 998}, {"X<>I", 1, 2}, {"CF x", 0, 7}, {"DSZ 1000", 0, 7}};
    m.oMem.StoI(1e100);
    for (const auto& c : aErrors) {
        SetStack(c.x, c.y, 30, 40);
        m.fLastX = 99;
        Steps({c.sStep});
        EXPECT_EQ(Last(oHost.vMessages), ErrAt(std::string("001 ") + c.sStep));
        EXPECT_EQ(V({double(m.bInErr), double(Ptr()), m.oMem.RclI()}), V({1, 1, 1e100})) << c.sStep;
        EXPECT_EQ(StackL(), V({c.x, c.y, 30, 40, 99})) << c.sStep;
    }
    SetStack(7, 8);
    Steps({"RAN#", "BEEP"});
    EXPECT_TRUE(X() >= 0 && X() < 1);
    EXPECT_EQ(V({Y(), m.fLastX, double(oHost.CountSound(enmSound::Beep))}), V({7, 99, 1}));
}

// When there is no line: CStatRegs.LinearRegression.
TEST_F(ExtTest, LineThroughTheStatisticsRegisters) {
    for (double x : {1, 2, 3}) m.oStat.SumsAdd(x, 2 * x);
    SetStack(9, 8, 7, 6);
    Steps({"LR"});
    EXPECT_EQ(StackL(), V({0, 2, 1, 6, 9}));   // intercept, slope, r^2, old T
    SetStack(10, 1, 2, 3);
    Steps({"LR2", "YHAT"});
    EXPECT_EQ(V({m.oMem.RclA("A"), m.oMem.RclA("B")}), V({0, 2}));
    EXPECT_EQ(StackL(), V({20, 1, 2, 3, 10}));
    SetStack(8);
    Steps({"XHAT"});
    EXPECT_EQ(X(), 4);
    m.oMem.StoA("B", 0);
    Steps({"XHAT"});
    EXPECT_EQ(Last(oHost.vMessages), ErrAt("001 XHAT"));
    EXPECT_EQ(X(), 4);
}

TEST_F(ExtTest, RegisterBlocksTakeTheirOperandsAfterTheCall) {
    // R0..R9 = 3 1 4 1 5 9 2 6 5 3, R10..R12 = 0; the stack is code, Y, 30, 40.
    const V kRegs = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 0, 0, 0};
    const struct { const char* sStep; double x, y; V vStack, vRegs; } aCases[] = {
        {"CLRREGX", 0.002, 20, {20, 30, 40, 40}, {0, 0, 0, 1, 5, 9, 2, 6, 5, 3, 0, 0, 0}},
        {"FILLC", 10.012, 7, {30, 40, 40, 40}, {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 7, 7, 7}},
        {"FILLV", 10.012, 1, {40, 40, 40, 40}, {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 1, 31, 61}},   // step Z = 30
        {"COPYREG", 0.002, 10, {30, 40, 40, 40}, {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 3, 1, 4}},
        {"MOVEREG", 0.002, 10, {30, 40, 40, 40}, {0, 0, 0, 1, 5, 9, 2, 6, 5, 3, 3, 1, 4}},
        {"SWAPREG", 0.002, 7, {30, 40, 40, 40}, {6, 5, 3, 1, 5, 9, 2, 3, 1, 4, 0, 0, 0}},
        {"SORT", 0.004, 20, {20, 30, 40, 40}, {1, 1, 3, 4, 5, 9, 2, 6, 5, 3, 0, 0, 0}},
        {"SORTREC", 0.005, 0.003, {30, 40, 40, 40}, {1, 5, 9, 3, 1, 4, 2, 6, 5, 3, 0, 0, 0}},   // key 0, records of 3
        {"SRCHE", 0.009, 5, {4, 30, 40, 40}, kRegs}, {"SRCHI", 0.009, 6.9, {7, 30, 40, 40}, kRegs},
        {"SUM+X", 0.003, 20, {2, 20, 30, 40}, kRegs}, {"SUM-X", 0.003, 20, {-2, 20, 30, 40}, kRegs},
        {"SUMX+X", 0.002, 20, {3, 20, 30, 40}, kRegs}, {"SUMX-X", 0.002, 20, {-3, 20, 30, 40}, kRegs},
        {"REGX", 10.012, 20, {20, 30, 40, 40}, kRegs}, {"CLRSUM", 0.002, 20, {0.002, 20, 30, 40}, kRegs}};
    for (const auto& c : aCases) {
        m.oMem.Clear();
        Put(0, kRegs);
        SetStack(c.x, c.y, 30, 40);
        m.fLastX = 99;
        Steps({c.sStep});
        ASSERT_FALSE(m.bInErr) << c.sStep;
        EXPECT_EQ(Stack(), c.vStack) << c.sStep;
        EXPECT_EQ(Regs(0, 12), c.vRegs) << c.sStep;
        EXPECT_EQ(m.fLastX, std::string(c.sStep) == "CLRSUM" ? 99 : c.x) << c.sStep;
    }
    EXPECT_EQ(oHost.vBlocks, V({10.012}));
    Put(14, {1, 2, 3, 4, 5, 6});   // the statistics registers, which CLRSUM clears
    Steps({"CLRSUM"});
    EXPECT_EQ(Regs(14, 19), V(6, 0.0));
    // FILLR: values between Y and Z (the values: CMemBlocks.ClearAndFill).
    SetStack(10.012, 5, 6, 40);
    Steps({"FILLR"});
    EXPECT_EQ(V({double(Regs(10, 12) != V(3, 0.0)), X(), Y()}), V({1, 40, 40}));
}

// Too few points and fits that fail: tests/machine/CMemRegressTest.cpp.
TEST_F(ExtTest, BlockFitsLeaveTheirResultsOnTheStack) {
    const double e = std::exp(1.0);
    const struct { const char* sStep; double fCode; V vData, vWant; } aCases[] = {
        // intercept, slope, r^2, old T
        {"LRLIN", 0.005, {1, 3, 2, 5, 3, 7}, {1, 2, 1, 40}},
        {"LRPOW", 0.005, {1, 2, 2, 8, 4, 32}, {std::log(2.0), 2, 1, 40}},
        {"LRLOG", 0.005, {1, 1, e, 3, e * e, 5}, {1, 2, 1, 40}},
        {"LREXP", 0.005, {0, 1, 1, e, 2, e * e}, {0, 1, 1, 40}},
        // r^2, a0, a1, a2: the stack before is gone
        {"MLR", 0.011, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6}, {1, 1, 2, 3}},
        {"MLRPOW", 0.011, {1, 1, 2, 2, 1, 8, 1, 2, 16, 2, 2, 64}, {1, std::log(2.0), 2, 3}},
        {"QUADREG", 0.007, {0, 1, 1, 3, 2, 7, 3, 13}, {1, 1, 1, 1}}};
    for (const auto& c : aCases) {
        m.oMem.Clear();
        Put(0, c.vData);
        SetStack(c.fCode, 20, 30, 40);
        Steps({c.sStep});
        ASSERT_FALSE(m.bInErr) << c.sStep;
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(Stack()[k], c.vWant[k], 1e-12) << c.sStep << " " << k;
        EXPECT_EQ(m.fLastX, c.fCode);
    }
}

TEST_F(ExtTest, DataFilesWithAndWithoutTheDialog) {
    // W/DATA$ writes the block to $$.dax here and drops X; R/DATA$ reads it into another block.
    Put(20, {0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5});
    SetStack(20.029, 1, 2, 3);
    Steps({"W/DATA$"});
    EXPECT_EQ(V({X(), Y(), m.fLastX}), V({1, 2, 20.029}));
    SetStack(40.049, 1);
    Steps({"R/DATA$"});
    EXPECT_EQ(Regs(40, 49), Regs(20, 29));
    EXPECT_EQ(V({double(m.oFlags.PeekFlag(3)), X(), m.fLastX}), V({1, 1, 40.049}));
    // The block code leaves the stack before the file is used: a bad code is an error with X already in
    // LAST X. A file that cannot be read is no error: no register changes and flag 3, which programs test,
    // is cleared.
    fs::remove("$$.dax");
    SetStack(1000.0, 1);
    Steps({"W/DATA$"});
    EXPECT_EQ(V({X(), m.fLastX}), V({1, 1000}));
    EXPECT_STREQ(m.bInErr.CauseText(), "division by zero");
    SetStack(50.059, 1);
    Steps({"R/DATA$"});
    EXPECT_EQ(V({double(m.bInErr), double(m.oFlags.PeekFlag(3)), X(), m.fLastX}), V({0, 0, 1, 50.059}));
    EXPECT_EQ(Regs(50, 59), V(10, 0.0));

    // With the question and the dialog: the file used is the one the dialog shows (in "shown"); No and
    // Cancel do nothing and are no error. A file in a directory that does not exist cannot be written.
    const struct { const char* sStep; bool bYes; const char* sFile; V vStack; long nLines; } aCases[] = {
        {"W/DATAX", false, "f.dax", {20.021, 5}, 0}, {"W/DATAX", true, nullptr, {20.021, 5}, 0},
        {"W/DATAX", true, "f.dax", {5, 5}, 2}, {"W/DATA", true, "f.dax", {20.021, 5}, 1000},
        {"W/DATAX", true, "none/f.dax", {5, 5}, 0}};
    for (const auto& c : aCases) {
        SetStack(20.021, 5, 5, 5);
        oHost.vYesNo = {c.bYes};
        oHost.vFiles.clear();
        if (c.sFile) oHost.vFiles = {Choice(c.sFile)};
        oHost.vShown.clear();
        Steps({c.sStep});
        EXPECT_EQ(m.bInErr, std::string(c.sFile ? c.sFile : "").find('/') != std::string::npos) << c.sStep;
        EXPECT_EQ(V({X(), Y()}), c.vStack) << c.sStep;
        EXPECT_EQ(oHost.vMessages.empty() ? "" : oHost.vMessages[0], "Write Data|Write Data?");
        EXPECT_EQ(oHost.vShown.size() > 1 ? oHost.vShown[1] : "", c.bYes ? "file [] write" : "") << c.sStep;
        EXPECT_EQ(std::ranges::count(ReadFile("shown/f.dax"), '\n'), c.nLines) << c.sStep;
        fs::remove("shown/f.dax");
    }
    oHost.vYesNo = {true};
    oHost.vFiles = {Choice("f.dax")};
    WriteFile("shown/f.dax", "4\r\n5\r\n6\r\n");
    SetStack(30.031, 1);
    Steps({"R/DATAX"});
    EXPECT_EQ(V({m.oMem.Rcl(30), m.oMem.Rcl(31), X()}), V({4, 5, 1}));
    EXPECT_EQ(oHost.vMessages, S({"Read Data|Read Data?"}));
    EXPECT_EQ(Last(oHost.vShown), "file [] read");
    EXPECT_FALSE(fs::exists("f.dax"));

    // The scratch file: data file number 3 to $$.dax, and $$.dax to number 4.
    WriteFile("DATAFILE3.dax", "1\r\n2\r\n");
    SetStack(3.7, 4, 9);
    Steps({"WRIT2SF", "READFSF"});
    EXPECT_EQ(ReadFile("DATAFILE4.dax"), "1\r\n2\r\n");
    EXPECT_EQ(V({X(), m.fLastX}), V({9, 4}));
}

TEST_F(ExtTest, MergeReadsAListingAndGoesOnWithItsSecondStep) {
    WriteFile("shown/new.corvel", "5\n7\n+\nR/S\n");
    WriteFile("shown/bad.corvel", "FOO\n");
    // Loads the steps; the label is "old", the question is answered Yes and the dialog gives sFile.
    auto Prepare = [&](const S& vSteps, const char* sFile) {
        Load(vSteps);
        oHost.sLabel = "old";
        oHost.vYesNo = {true};
        if (sFile) oHost.vFiles = {Choice(sFile)};
    };
    // With a file: the listing replaces the program; a run goes on with its step 2 (1 + 7, not 5).
    Prepare({"MERGE", "9"}, "new.corvel");
    SetStack(1);
    p.Exec();
    oHost.Drive(p);
    EXPECT_EQ(X(), 8);
    EXPECT_EQ(p.GetLine(1) + "|" + oHost.sLabel, "5|new.corvel");
    EXPECT_EQ(oHost.vShown, S({"question [WriteOrMergeProgram Program] Read Program?", "file [*.corvel] read"}));
    // No (keep_work_runs.keys) or Cancel: the pointer starts again (at step 2 after the step); Cancel
    // empties the label.
    Prepare({"1", "2", "MERGE"}, nullptr);
    Step(3);
    EXPECT_EQ(V({double(m.bInErr), double(Ptr())}), V({0, 2}));
    EXPECT_EQ(oHost.sLabel + p.GetLine(3), "MERGE");
    // A refused listing: its own message, then an error of the step; the program and the label stay.
    Prepare({"1", "MERGE"}, "bad.corvel");
    Step(2);
    ASSERT_EQ(oHost.vMessages.size(), 3u);
    EXPECT_EQ(oHost.vMessages[1].substr(0, 14), "Listing Error|");
    EXPECT_EQ(Last(oHost.vMessages), ErrAt("002 MERGE"));
    EXPECT_EQ(V({double(Ptr()), double(m.bInErr.Cause() == enmErrKind::File)}), V({2, 1}));
    EXPECT_EQ(oHost.sLabel + p.GetLine(2), "oldMERGE");
}
