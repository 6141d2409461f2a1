// Register blocks: range codes, clear and fill, copy, move and exchange (overlapping too), search, sums and sorts.
#include <algorithm>
#include <random>

#include "MachineFixture.h"

TEST(CMemRange, DecodingAndInvalidCodes) {
    SMachine m;
    // The fourth decimal rounds, and may carry into the integer part; then the two numbers are put in order.
    struct { double fCode; int a, b; } aCases[] = {
        {10.025, 10, 25}, {12.0345, 12, 34}, {7, 0, 7}, {25.01, 10, 25}, {1.99999, 0, 2}, {20.015, 15, 20},
        {15.020, 15, 20}, {999.999, 999, 999}, {0.9995, 0, 999}, {-5.5, 5, 500}, {-10.025, 10, 25},
        {12.99995, 0, 13}, {7.99995, 0, 8}, {0.99995, 0, 1}, {998.99996, 0, 999}, {3.0004, 0, 3}};
    for (const auto& c : aCases) {
        double fCode = c.fCode;
        int a = -1, b = -1;
        m.oMem.GetMemRange(fCode, a, b);
        EXPECT_EQ(V({double(a), double(b), fCode}), V({double(c.a), double(c.b), std::fabs(c.fCode)})) << c.fCode;
    }
    // Invalid codes fail before any register is touched.
    m.Number();
    for (double fBad : {1000.0, 999.99996, 1e9, -1e9, 123456.5, 1e300, double(INFINITY), std::nan("")}) {
        EXPECT_CALC_ERROR(m.oMem.ClearRangeMem(fBad), enmErrKind::DivByZero);   // every operation decodes as these
        EXPECT_CALC_ERROR(m.oMem.SwapRangeMem(0.005, fBad), enmErrKind::DivByZero);
    }
    for (int n = 0; n <= 999; ++n) ASSERT_EQ(m.oMem.Rcl(n), n + 1.0) << n;
}

TEST(CMemBlocks, ClearAndFill) {
    SMachine m;
    m.Number();
    m.oMem.ClearRangeMem(20.026);
    EXPECT_EQ(m.Regs(19, 27), (V{20, 0, 0, 0, 0, 0, 0, 0, 28}));
    m.oMem.FillRangeMemWithFixedValue(25.025, 7);
    EXPECT_CALC_ERROR(m.oMem.FillRangeMemWithFixedValue(0.003, std::nan("")), enmErrKind::Invalid);
    EXPECT_EQ(V({m.oMem.Ireg(), m.oMem.Rcl(0)}), V({7, 1}));
    // Sequences round halves to even (2.5 to 2, -1.5 to -2); a sequence may end exactly at the limit.
    const struct { double fCode, fStart, fStep; V vWant; } aSeq[] = {
        {0.004, 1, 2, {1, 3, 5, 7, 9, 6}}, {0.003, 1, 0.5, {1, 2, 2, 2, 5}}, {0.001, 32766, 1, {32766, 32767, 3}},
        {0.003, 0, -1.5, {0, -2, -4, -6, 5}}};
    for (const auto& c : aSeq) {
        m.Number();
        m.oMem.FillRangeMemWithSeqValue(c.fCode, c.fStart, c.fStep);
        EXPECT_EQ(m.Regs(0, static_cast<int>(c.vWant.size()) - 1), c.vWant) << c.fCode;
    }
    EXPECT_CALC_ERROR(m.oMem.FillRangeMemWithSeqValue(10.012, 32767, 1), enmErrKind::Overflow);
    EXPECT_EQ(m.Regs(10, 12), (V{32767, 12, 13}));

    m.oMem.FillRangeMemWithRandomValue(100.999, -3, 5);
    V v = m.Regs(100, 999);
    EXPECT_TRUE(std::all_of(v.begin(), v.end(), [](double x) { return x >= -3 && x < 5; }));
    EXPECT_GT(std::count_if(v.begin(), v.end(), [&](double x) { return x != v[0]; }), 800);
    EXPECT_CALC_ERROR(m.oMem.FillRangeMemWithRandomValue(0.001, -1e308, 1e308), enmErrKind::Overflow);
}

// Copy, move and exchange lose nothing when blocks overlap; past register 999 what fits moves, then the error.
TEST(CMemBlocks, CopyMoveAndExchange) {
    SMachine m;
    const auto kCopy = &CMem::CopyRangeMem, kMove = &CMem::MoveRangeMem, kSwap = &CMem::SwapRangeMem;
    const struct { void (CMem::*fn)(double, double); double fSrc, fDst; int a, b; V vWant; bool bPast999 = false; }
        aCases[] = {
        {kCopy, 0.002, 10, 9, 13, {10, 1, 2, 3, 14}}, {kCopy, 0.004, 2, 0, 7, {1, 2, 1, 2, 3, 4, 5, 8}},
        {kCopy, 2.006, 0, 0, 7, {3, 4, 5, 6, 7, 6, 7, 8}}, {kCopy, 0.002, 998, 997, 999, {998, 1, 2}, true},
        {kMove, 10.012, 0, 0, 13, {11, 12, 13, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 14}},
        {kMove, 0.004, 2, 0, 7, {0, 0, 1, 2, 3, 4, 5, 8}}, {kMove, 4.007, 4, 3, 8, {4, 5, 6, 7, 8, 9}},
        {kMove, 3.006, 6.003, 0, 9, {1, 2, 3, 0, 0, 0, 4, 5, 6, 7}},   // destination: the larger number
        {kMove, 24.026, 30, 24, 32, {0, 0, 0, 28, 29, 30, 25, 26, 27}},   // I moves too
        {kMove, 995.999, 997, 994, 999, {995, 0, 0, 996, 997, 998}, true},
        // Exchange: the destination gets the source's old values, the displaced ones fill the vacated source.
        {kSwap, 0.002, 1, 0, 4, {4, 1, 2, 3, 5}}, {kSwap, 1.003, 0, 0, 4, {2, 3, 4, 1, 5}},
        {kSwap, 10.019, 13, 10, 23, {21, 22, 23, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24}},
        {kSwap, 25.025, 0, 25, 25, {1}},   // register 25 is I
        {kSwap, 0.002, 998, 0, 2, {999, 1000, 3}, true}, {kSwap, 0.002, 998, 998, 999, {1, 2}, true}};
    for (const auto& c : aCases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - aCases << ": " << c.fSrc << " " << c.fDst);
        m.Number();
        if (c.bPast999) EXPECT_CALC_ERROR((m.oMem.*c.fn)(c.fSrc, c.fDst), enmErrKind::Range);
        else (m.oMem.*c.fn)(c.fSrc, c.fDst);
        EXPECT_EQ(m.Regs(c.a, c.b), c.vWant);
    }
}

TEST(CMemBlocks, SearchAndSums) {
    SMachine m;
    double fIndex = 0, v = 5.9;
    m.Put(3, {5, 0, 0, 0, 5});
    m.oMem.SearchMemRangeExact(0.009, 5, fIndex);
    const double fFound = fIndex;
    m.oMem.SearchMemRangeExact(0.009, 6, fIndex);
    EXPECT_EQ(V({fFound, fIndex}), V({3, -1}));
    m.oMem.Sto(3, 5.2);
    m.oMem.SearchMemRangeIntg(0.009, v, fIndex);
    EXPECT_EQ(V({v, fIndex}), V({5, 3}));
    m.Put(0, {-6.1, -5.2, -5.9});
    v = -5.9;
    m.oMem.SearchMemRangeIntg(0.002, v, fIndex);   // integer parts, truncated toward zero
    EXPECT_EQ(V({v, fIndex}), V({-5, 1}));

    m.oMem.Clear();
    m.Put(0, {1, 2, 3, 4});
    EXPECT_EQ(m.oMem.SumAddXMemRange(0.002), 3);
    EXPECT_EQ(m.Regs(14, 19), (V{6, 14, 6, 14, 14, 3}));
    EXPECT_EQ(m.oMem.SumSubXMemRange(0.002), 0);
    EXPECT_EQ(m.oMem.SumAddMemRange(0.002), 2);   // an odd block pairs its last register with the next
    EXPECT_EQ(m.Regs(14, 19), (V{4, 10, 6, 20, 14, 2}));
    EXPECT_EQ(m.oMem.SumSubMemRange(0.001), 1);
    EXPECT_CALC_ERROR(m.oMem.SumAddMemRange(997.999), enmErrKind::Range);
    EXPECT_EQ(m.oMem.Rcl(19), 2);   // the first pair was added
}

TEST(CMemBlocks, Sorts) {
    SMachine m;
    // Against a reference sort, with many duplicates.
    std::mt19937 oGen(1234);
    for (int nRun = 0; nRun < 300; ++nRun) {
        const int a = static_cast<int>(oGen() % 1000), b = static_cast<int>(oGen() % 1000);
        const int nValues = 1 + static_cast<int>(oGen() % 1000);
        for (int n = 0; n <= 999; ++n)
            m.oMem.Sto(n, nRun % 10 ? static_cast<double>(oGen() % nValues) : nRun % 20 ? n : -n);
        V vWant = m.Regs(0, 999);
        std::sort(vWant.begin() + std::min(a, b), vWant.begin() + std::max(a, b) + 1);
        m.oMem.SortRangeMem(std::max(a, b) + std::min(a, b) / 1000.0);
        ASSERT_EQ(m.Regs(0, 999), vWant) << a << ".." << b;
    }
    // The sort is not stable: equal values (zeros of either sign) end where the middle-pivot partitioning puts them.
    const struct { V vIn; const char* sSigns; } aZeros[] = {
        {{0.0, -0.0, 0.0, -0.0, 0.0, -0.0}, "+--+-+"}, {{-0.0, 1, 0.0, -1, -0.0, 0.0, 2}, "-+--+++"}};
    for (const auto& c : aZeros) {
        for (size_t k = 0; k < c.vIn.size(); ++k) m.oMem.Sto(100 + static_cast<int>(k), c.vIn[k]);
        m.oMem.SortRangeMem(100 + (99.0 + c.vIn.size()) / 1000);
        std::string s;
        for (double v : m.Regs(100, 99 + static_cast<int>(c.vIn.size()))) s += std::signbit(v) ? '-' : '+';
        EXPECT_EQ(s, c.sSigns);
    }
    // Records: block 0..5 in records of 3 sorted on their second register.
    m.Put(0, {9, 2, 0, 8, 1, 0, 7});
    m.oMem.SortGroup(0.005, 1.003);
    EXPECT_EQ(m.Regs(0, 6), (V{8, 1, 0, 9, 2, 0, 7}));
    m.oMem.SortGroup(0.006, 0.001);   // records of one: a plain sort
    EXPECT_EQ(m.Regs(0, 6), (V{0, 0, 1, 2, 7, 8, 9}));
    // A key that is not inside the record is refused before anything moves.
    for (double fRec : {3.003, 0.0, 5.005}) {
        EXPECT_CALC_ERROR(m.oMem.SortGroup(6.000, fRec), enmErrKind::DivByZero);
        EXPECT_EQ(m.Regs(0, 6), (V{0, 0, 1, 2, 7, 8, 9}));
    }
}
