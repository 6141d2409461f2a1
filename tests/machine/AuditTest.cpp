// Audit checks: range-code carries, the exact arrangement the block sort
// leaves, fits that read past the block or sit at the top of memory, and
// file corners (empty reads, a missing scratch file).
#include <cmath>
#include <filesystem>
#include <fstream>

#include "MachineFixture.h"

TEST(CMemAudit, RangeCodesCarryIntoTheIntegerPart) {
    SMachine m;
    // A rounded fourth decimal carries upwards, then the two numbers are put in order.
    const struct { double fCode; int a, b; } aCases[] = {
        {12.99995, 0, 13}, {7.99995, 0, 8}, {0.99995, 0, 1}, {998.99996, 0, 999}, {3.0004, 0, 3}};
    for (const auto& c : aCases) {
        double fCode = c.fCode;
        int a = -1, b = -1;
        m.oMem.GetMemRange(fCode, a, b);
        EXPECT_EQ(V({double(a), double(b)}), V({double(c.a), double(c.b)})) << c.fCode;
    }
}

// The sort is not stable: equal values (here zeros of either sign) end where
// the middle-pivot partitioning puts them.
TEST(CMemAudit, SortLeavesEqualValuesWhereThePartitioningPutsThem) {
    SMachine m;
    const struct { V vIn; const char* sSigns; } aCases[] = {
        {{0.0, -0.0, 0.0, -0.0, 0.0, -0.0}, "+--+-+"}, {{-0.0, 1, 0.0, -1, -0.0, 0.0, 2}, "-+--+++"}};
    for (const auto& c : aCases) {
        for (size_t k = 0; k < c.vIn.size(); ++k) m.oMem.Sto(100 + static_cast<int>(k), c.vIn[k]);
        m.oMem.SortRangeMem(100 + (99.0 + c.vIn.size()) / 1000);
        std::string s;
        for (double v : m.Regs(100, 99 + static_cast<int>(c.vIn.size()))) s += std::signbit(v) ? '-' : '+';
        EXPECT_EQ(s, c.sSigns);
    }
}

TEST(CMemAudit, FitsReadPastTheBlockAndStopBelowRegister1000) {
    SMachine m;
    double a1 = 0, a2 = 0, a0 = 0, r2 = 0;
    bool bOk = false;
    m.Put(0, {1, 3, 2, 5, 3, 7});   // block 0..4: the third point takes its y from R5
    m.oMem.LR_Linear(0.004, a1, a0, r2, bOk);
    EXPECT_EQ(V({m.oMem.Rcl(19), a1, a0}), V({3, 2, 1}));
    // Transformed sums stay in 14..19: x, ln y for y = e^x.
    m.Put(50, {0, 1, 1, std::exp(1.0), 2, std::exp(2.0)});
    m.oMem.LR_Exp(50.055, a1, a0, r2, bOk);
    const V vWant = {3, 5, 3, 5, 5, 3};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(m.oMem.Rcl(14 + k), vWant[k], 1e-12) << 14 + k;
    // Three-register points in a block ending at 998: the point at 998 would need 1000.
    m.Put(986, {0, 0, 1, 1, 0, 3, 0, 1, 4, 1, 1, 6, 50, 60, 70});
    m.oMem.MultLinearRegression(986.998, a1, a2, a0, r2, bOk);
    EXPECT_EQ(V({m.oMem.Rcl(19), a1, a2, a0}), V({4, 2, 3, 1}));
    // Two-register points in a block ending at 999: the point at 998 still fits.
    m.Put(992, {0, 1, 1, 3, 2, 7, 3, 13});
    m.oMem.QuadraticFit(992.999, a1, a2, a0, r2, bOk);
    EXPECT_EQ(m.oMem.Rcl(19), 4);
    for (double f : {a1, a2, a0}) EXPECT_NEAR(f, 1, 1e-12);
}

TEST(CMemAudit, NegativeSequencesAndSearches) {
    SMachine m;
    m.oMem.FillRangeMemWithSeqValue(0.003, 0, -1.5);   // -1.5, -3.5, -5.5 round to even
    EXPECT_EQ(m.Regs(0, 3), V({0, -2, -4, -6}));
    m.Put(0, {-6.1, -5.2, -5.9});
    double v = -5.9, fIndex = 0;
    m.oMem.SearchMemRangeIntg(0.002, v, fIndex);   // truncation toward zero
    EXPECT_EQ(V({v, fIndex}), V({-5, 1}));
}

TEST(CMemAudit, EmptyReadsAndAMissingScratchFile) {
    CTempDir oDir;
    SMachine m;
    m.Number();
    std::ofstream(oDir.File("empty.dax")).close();
    m.oMem.ReadRangeData(oDir.File("empty.dax"), 5.009);
    EXPECT_TRUE(m.oFlags.TestFlag(3));   // the read completed, with nothing in it
    EXPECT_EQ(m.Regs(5, 9), V({6, 7, 8, 9, 10}));
    const std::filesystem::path oOld = std::filesystem::current_path();
    std::filesystem::current_path(oDir.Path());
    std::ofstream("DATAFILE7.dax") << "1\r\n";
    m.oMem.ReadFromScratchFile(7.9);   // no "$$.dax": the numbered file is replaced by an empty one
    const auto nSize = std::filesystem::file_size("DATAFILE7.dax");
    std::filesystem::current_path(oOld);
    EXPECT_EQ(nSize, 0u);
}

// A spread of large values well above the rounding residue of the sums is kept
// (a spread within n units in the last place of the terms counts as none).
TEST(CMemAudit, SmallSpreadOfLargeValuesIsKept) {
    SMachine m;
    auto& oStat = m.oStat;
    auto& oMem = m.oMem;
    for (double v : {1e7, 1e7 + 5, 1e7 + 10}) oStat.SumsAdd(v, v);
    EXPECT_NEAR(oStat.SdevX(), 5, 1e-9);
    double fSlope = 0, fIntercept = 0, fR2 = 0;
    bool bOk = false;
    m.Put(0, {1e7, 1, 1e7 + 5, 2, 1e7 + 10, 3});
    oMem.LR_Linear(0.005, fSlope, fIntercept, fR2, bOk);
    EXPECT_NEAR(fSlope, 0.2, 1e-9);
    EXPECT_NEAR(fR2, 1, 1e-6);
    m.Put(0, {1, 1e7, 2, 1e7 + 5, 3, 1e7 + 10});
    oMem.LR_Linear(0.005, fSlope, fIntercept, fR2, bOk);
    EXPECT_NEAR(fSlope, 5, 1e-9);
}
