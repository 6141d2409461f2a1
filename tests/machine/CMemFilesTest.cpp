// Data and scratch files: exact round trips, tolerant reading, atomic replacement, range codes; flag 3: read succeeded.
#include <bit>
#include <cstdint>

#include "MachineFixture.h"

namespace fs = std::filesystem;

TEST(CMemFiles, WholeMemoryRoundTripIsExact) {
    CTempDir oDir;
    SMachine m, p;   // blocks of any values: fuzz/datafile.cpp
    m.Put(0, {1.0 / 3, -0.0, 5e-324, 1.7976931348623157e308, -2.2250738585072014e-308, 0.1, -1e100,
              123456789012345678.0, 1e-100 / 3});
    const std::string sFile = oDir.File("all.dax");
    m.oMem.WriteData(sFile);
    p.oMem.ReadData(sFile);
    const std::string s = ReadFile(sFile);
    for (int n = 0; n <= 999; ++n)
        ASSERT_EQ(std::bit_cast<uint64_t>(p.oMem.Rcl(n)), std::bit_cast<uint64_t>(m.oMem.Rcl(n))) << n;
    EXPECT_TRUE(p.oFlags.PeekFlag(3));
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n') + std::count(s.begin(), s.end(), '\r'), 2000);
    EXPECT_EQ(s.compare(0, 20, "0.3333333333333333\r\n"), 0);
}

TEST(CMemFiles, ReadingStopsWhereTheFileOrTheBlockEnds) {
    CTempDir oDir;
    SMachine m;
    m.Number();
    auto RegsAndFlag3 = [&](int a, int b) {   // registers a..b, then flag 3 (tested, so cleared)
        V v = m.Regs(a, b);
        v.push_back(m.oFlags.TestFlag(3));
        return v;
    };
    WriteFile(oDir.File("three.dax"), "7\r\n8\r\n9\r\n");
    m.oMem.ReadData(oDir.File("three.dax"));
    EXPECT_EQ(RegsAndFlag3(2, 3), V({9, 4, 1}));
    m.oMem.ReadData(oDir.File("missing.dax"));
    EXPECT_EQ(RegsAndFlag3(0, 0), V({7, 0}));
    WriteFile(oDir.File("empty.dax"), "");
    m.oMem.ReadRangeData(oDir.File("empty.dax"), 5.009);   // a complete read of nothing
    EXPECT_EQ(RegsAndFlag3(5, 9), V({6, 7, 8, 9, 10, 1}));
    m.oMem.WriteRangeData(oDir.File("block.dax"), 12.010);
    EXPECT_EQ(ReadFile(oDir.File("block.dax")), "11\r\n12\r\n13\r\n");
    m.oMem.ReadRangeData(oDir.File("three.dax"), 20.021);   // more lines than registers
    EXPECT_EQ(RegsAndFlag3(19, 22), V({20, 7, 8, 23, 1}));
    WriteFile(oDir.File("one.dax"), "-4.5");
    m.oMem.ReadRangeData(oDir.File("one.dax"), 5.009);
    EXPECT_EQ(RegsAndFlag3(5, 6), V({-4.5, 7, 1}));
    // A 1001st line fails the read: CardTest (the slot's message); that a failed read changes
    // nothing and clears flag 3: fuzz-replay:datafile, and the 64 KiB line below.
    EXPECT_CALC_ERROR(m.oMem.WriteRangeData(oDir.File("bad.dax"), 1000), enmErrKind::DivByZero);
    EXPECT_CALC_ERROR(m.oMem.ReadRangeData(oDir.File("one.dax"), -2e9), enmErrKind::DivByZero);
    EXPECT_FALSE(fs::exists(oDir.File("bad.dax")));
}

TEST(CMemFiles, LinesReadAsTheirLeadingNumberOrZero) {
    CTempDir oDir;
    SMachine m;
    m.Number();
    const std::string sLines[] = {
        "\xEF\xBB\xBF" "2.5",  "letters",  "  1.5E+03  ", "\t-7x", "nan", "inf", "-1e400", "1e-400",
        "", "3\r", std::string("4\0 5", 4), "1" + std::string(5000, '0'),
        "0.0000000000000000000000000000001" + std::string(400, '0'), std::string(330, ' ') + "5"};
    std::string sFile;
    for (const std::string& s : sLines) sFile += s + "\n";
    // A line longer than 64 KiB (blanks count too) fails the read: nothing changes.
    WriteFile(oDir.File("mixed.dax"), sFile + std::string(1 << 16, ' ') + "6\n");
    EXPECT_FALSE(m.oMem.ReadData(oDir.File("mixed.dax")));
    EXPECT_EQ(m.Regs(0, 1), V({1, 2}));
    WriteFile(oDir.File("mixed.dax"), sFile + std::string((1 << 16) - 1, ' ') + "6\n");
    EXPECT_TRUE(m.oMem.ReadData(oDir.File("mixed.dax")));
    EXPECT_EQ(m.Regs(0, 16), V({2.5, 0, 1500, -7, 0, 0, 0, 0, 0, 3, 4, 0, 1e-31, 5, 6, 16, 17}));
    WriteFile(oDir.File("ends.dax"), "\xEF\xBB\xBF" "1.25\r\n-3\nabc\r\n 1E-05\r\n\r\n42\n0.5");   // mixed line ends
    m.oMem.ReadData(oDir.File("ends.dax"));
    EXPECT_EQ(m.Regs(0, 7), V({1.25, -3, 0, 1e-5, 0, 42, 0.5, 0}));   // R7 unchanged from the first read
    WriteFile(oDir.File("cr.dax"), "1\r2\r3\n4");                     // lone CRs end lines too
    EXPECT_TRUE(m.oMem.ReadData(oDir.File("cr.dax")));
    EXPECT_EQ(m.Regs(0, 5), V({1, 2, 3, 4, 0, 42}));
}

TEST(CMemFiles, ScratchFileCopies) {
    CTempDir oDir(true);
    SMachine m;
    WriteFile("DATAFILE7.dax", "1\r\n");
    m.oMem.ReadFromScratchFile(7.9);   // no "$$.dax": the numbered file is replaced by an empty one
    EXPECT_EQ(fs::file_size("DATAFILE7.dax"), 0u);
    WriteFile("DATAFILE3.dax", "1\n2 x\r\n\n3\r4");   // every line end becomes CR LF
    m.oMem.WriteToScratchFile(3.7);
    EXPECT_EQ(ReadFile("$$.dax"), "1\r\n2 x\r\n\r\n3\r\n4\r\n");
    m.oMem.ReadFromScratchFile(-2.9);
    EXPECT_EQ(ReadFile("DATAFILE-2.dax"), "1\r\n2 x\r\n\r\n3\r\n4\r\n");
    WriteFile("DATAFILE5.dax", std::string(300000, '7') + "\r\n");
    m.oMem.WriteToScratchFile(5);   // lines of any length are copied whole
    EXPECT_EQ(ReadFile("$$.dax").size(), 300002u);
    WriteFile("DATAFILE6.dax", "\xEF\xBB\xBF");   // a byte order mark alone holds no line
    m.oMem.WriteToScratchFile(6);
    EXPECT_EQ(ReadFile("$$.dax"), "\xEF\xBB\xBF");
    m.oMem.ReadFromScratchFile(40000);   // no 16-bit number: nothing happens
    m.oMem.WriteToScratchFile(std::nan(""));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 6);
}
