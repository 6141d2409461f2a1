// Program memory: pointer moves, editing, the step display, the end of the program, the label table and its
// two scans, and the decoded-step cache.
#include "PrgmFixture.h"

using MemoryTest = PrgmTest;

TEST_F(MemoryTest, PointerWrapsAndStaysInRange) {
    Load({"LBL A", "STO+ A"});
    p.Clear();   // the program goes, the pointer to step 0
    EXPECT_EQ(S({p.GetLine(2), p.ShowLine(0), p.ShowCurrLine()}), S({"R/S", "000", "000 "}));
    p.SetLine(7, "STO+ A");
    const std::string sPrev = p.ShowPrevLine(), sNext = p.ShowNextLine();
    EXPECT_EQ(S({sPrev, sNext, p.ShowPrevLine(), p.ShowLine(7)}), S({"999 R/S", "001 R/S", "000 ", "007 STO+ A"}));
    p.InsertLine("CLX");   // from step 0 the new step becomes step 1
    EXPECT_EQ(S({p.GetLine(1), p.GetLine(8), p.ShowCurrLine()}), S({"CLX", "STO+ A", "001 CLX"}));
    for (int n : {-1, 1000}) {   // out of range: pointer kept, flags still cleared
        m.bInErr = p.Halted = true;
        p.SetPrgmPointer(n);
        EXPECT_EQ(V({double(Ptr()), double(m.bInErr || p.Halted)}), V({1, 0}));
        EXPECT_THROW(p.GetLine(n), CCalcError) << n;
        EXPECT_THROW(p.SetLine(n, "RTN"), CCalcError) << n;
        EXPECT_THROW(p.ShowLine(n), CCalcError) << n;
    }
    p.SetPrgmPointer(40);
    m.bInErr = p.Halted = p.EntryActive = p.ExpEntryActive = true;
    p.Reset();
    EXPECT_EQ(V({double(Ptr()), double(m.bInErr || p.Halted || p.EntryActive || p.ExpEntryActive)}), V({1, 0}));
}

// Inserting and deleting in the middle from the keys: tests/panel/test_keyboard.cpp.
TEST_F(MemoryTest, InsertAndDeleteAtTheEnds) {
    Load({"A1", "A2"});
    p.SetLine(999, "LAST");
    p.SetPrgmPointer(998);
    p.InsertLine("AT999");   // writes step 999, shifts nothing
    EXPECT_EQ(S({p.GetLine(998), p.GetLine(999)}), S({"R/S", "AT999"}));
    p.InsertLine("AT1");     // from 999 the pointer wraps: inserted at 1, step 999 lost
    EXPECT_EQ(S({p.GetLine(1), p.GetLine(2), p.GetLine(3), p.GetLine(999)}), S({"AT1", "A1", "A2", "R/S"}));
    EXPECT_EQ(Ptr(), 1);
    p.SetLine(999, "X");
    p.SetPrgmPointer(999);
    p.DeleteLine();
    EXPECT_EQ(S({p.GetLine(998), p.GetLine(999)}), S({"R/S", "R/S"}));
    // A stored step inserted elsewhere is copied before the steps shift.
    Load({"A1", "A2", "A3", "A4", "A5"});
    p.SetPrgmPointer(1);
    p.InsertLine(p.GetLine(5));
    EXPECT_EQ(S({p.GetLine(2), p.GetLine(5), p.GetLine(6)}), S({"A5", "A4", "A5"}));
}

TEST_F(MemoryTest, EndOfProgramIsTheFirstOfTwoFillers) {
    // Fillers compare upper-cased, so two stops in a row end the program early; step 999 must be the
    // filler exactly.
    const struct { S vSteps; const char* s999; int nEnd; } aCases[] = {
        {{}, "R/S", 1}, {{"LBL A", "r/s"}, "R/S", 2}, {{"LBL A", "r/s", "RTN"}, "R/S", 4},
        {{"LBL A", "r/s", "RTN"}, "RTN", 999}, {{"LBL A", "R/S", "r/s", "RTN"}, "R/S", 2},
        {{"LBL A", "R/S", "r/s", "RTN"}, "r/s", 999}};
    for (const auto& c : aCases) {
        Load(c.vSteps);
        p.SetLine(999, c.s999);
        EXPECT_EQ(p.FindEndOfProgram(), c.nEnd) << c.vSteps.size() << " " << c.s999;
        EXPECT_EQ(p.HasProgram(), c.nEnd > 1) << c.vSteps.size() << " " << c.s999;
    }
}

// The messages of both scans: a refused listing, test_listing.cpp.
TEST_F(MemoryTest, LabelScansKeepEarlierLabelsAndLookForTheWordsAnywhere) {
    Load({"LBL A", "R/S", "LBL a", "R/S", "R/S", "LBL 3", "GTO (I)", "GTO A", "GSB Q"}, 3);   // calls are not examined
    EXPECT_TRUE(p.ScanLabels() && p.ScanGotos());
    EXPECT_EQ(V({double(p.FindLabel("A")), double(p.FindLabel("a")), double(p.FindLabel("3")),
                 double(p.FindLabel("B"))}), V({3, 5, 8, 0}));   // names are case-sensitive
    p.SetLine(6, "LBL A");
    EXPECT_FALSE(p.ScanLabels());
    EXPECT_EQ(V({double(p.FindLabel("A")), double(p.FindLabel("a")), double(p.FindLabel("3"))}),
              V({3, 5, 0}));   // labels after the duplicate are not indexed
    // Both scans find "LBL " and "GTO " anywhere in exact case; the name follows the first blank.
    Load({"X LBL A", "lbl B", "LBL  C", "gto B", "GTO  C", "GSB B"});
    EXPECT_TRUE(p.ScanLabels());
    EXPECT_EQ(V({double(p.NumLabels()), double(p.FindLabel("LBL A")), double(p.FindLabel(" C")),
                 double(p.FindLabel("B"))}), V({2, 1, 3, 0}));
    EXPECT_TRUE(p.ScanGotos());
    p.SetLine(8, "XGTO B");
    p.SetLine(9, "GTO C");
    EXPECT_FALSE(p.ScanGotos());
    EXPECT_EQ(Last(oHost.vMessages),
              "Missing Label Found!|In line 008 XGTO B the label B does not exist. Please edit your program.");
}

TEST_F(MemoryTest, EditedStepsAreDecodedAfresh) {
    for (int n = 1; n <= 3; ++n) m.oMem.Sto(n, 11.0 * n);
    Load({"RCL 1"});
    Step();
    p.SetLine(1, "RCL 2");
    Step(1);
    EXPECT_EQ(V({X(), Y()}), V({22, 11}));
    // An inserted step moves the old one down: both run as their new texts.
    p.SetPrgmPointer(0);
    p.InsertLine("RCL 3");
    Step(1);
    Step();
    EXPECT_EQ(V({X(), Y()}), V({22, 33}));
    // Deleting brings the next text up into the cached position.
    p.SetPrgmPointer(1);
    p.DeleteLine();
    Step();
    EXPECT_EQ(V({X(), Y()}), V({22, 22}));
    // Clear forgets every decoded step.
    p.Clear();
    Step(1);   // "R/S" now
    EXPECT_EQ(V({double(p.StopRequested), X()}), V({1, 22}));
}
