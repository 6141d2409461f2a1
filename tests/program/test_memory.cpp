// Program memory: pointer arithmetic, editing, the step display, the end of
// the program, the label table and its two scans, and the decoded-step cache.
#include "PrgmFixture.h"

using MemoryTest = PrgmTest;

TEST_F(MemoryTest, PointerWrapsAndStaysInRange) {
    int16_t n = 999;
    CPrgm::INC(n);
    EXPECT_EQ(n, 1);
    n = 0;
    CPrgm::DEC(n);
    EXPECT_EQ(n, 999);
    n = 1;
    CPrgm::DEC(n);
    EXPECT_EQ(n, 0);
    p.SetPrgmPointer(12);
    p.Halted = true;
    m.bInErr = true;
    p.SetPrgmPointer(1000);   // out of range: pointer kept, flags still cleared
    EXPECT_EQ(p.GetPrgmPointer(), 12);
    EXPECT_FALSE(p.Halted);
    EXPECT_FALSE(m.bInErr);
}

TEST_F(MemoryTest, ClearedMemoryAndStepTexts) {
    p.SetLine(12, "GSB e");
    p.SetLine(7, "STO+ A");
    p.Clear();
    EXPECT_EQ(p.GetPrgmPointer(), 0);
    EXPECT_EQ(p.GetLine(7), "R/S");
    EXPECT_EQ(p.ShowLine(0), "000");
    EXPECT_EQ(p.ShowCurrLine(), "000 ");
    p.SetLine(7, "STO+ A");
    p.SetLine(12, "GSB e");
    EXPECT_EQ(p.ShowLine(7), "007 STO+ A");
    p.SetPrgmPointer(12);
    EXPECT_EQ(p.ShowCurrLine(), "012 GSB e");
    p.SetPrgmPointer(999);
    EXPECT_EQ(p.ShowNextLine(), "001 R/S");
    EXPECT_THROW(p.SetLine(-1, "X"), CCalcError);
    EXPECT_THROW(p.ShowLine(1000), CCalcError);
}

TEST_F(MemoryTest, InsertAndDeleteShiftSteps) {
    p.Clear();
    p.SetLine(1, "A1");
    p.SetLine(2, "A2");
    p.SetPrgmPointer(1);
    p.InsertLine("NEW");
    EXPECT_EQ(p.GetPrgmPointer(), 2);
    EXPECT_EQ(p.GetLine(1), "A1");
    EXPECT_EQ(p.GetLine(2), "NEW");
    EXPECT_EQ(p.GetLine(3), "A2");
    p.DeleteLine();
    EXPECT_EQ(p.GetPrgmPointer(), 2);
    EXPECT_EQ(p.GetLine(2), "A2");
    EXPECT_EQ(p.GetLine(3), "R/S");

    p.SetLine(999, "LAST");
    p.SetPrgmPointer(998);
    p.InsertLine("AT999");   // writes step 999, shifts nothing
    EXPECT_EQ(p.GetLine(999), "AT999");
    EXPECT_EQ(p.GetLine(998), "R/S");
    p.InsertLine("AT1");     // from 999 the pointer wraps: inserted at 1, step 999 lost
    EXPECT_EQ(p.GetPrgmPointer(), 1);
    EXPECT_EQ(p.GetLine(1), "AT1");
    EXPECT_EQ(p.GetLine(2), "A1");
    EXPECT_EQ(p.GetLine(3), "A2");
    EXPECT_EQ(p.GetLine(999), "R/S");

    p.SetLine(999, "X");
    p.SetPrgmPointer(999);
    p.DeleteLine();
    EXPECT_EQ(p.GetLine(999), "R/S");
    EXPECT_EQ(p.GetLine(998), "R/S");
}

TEST_F(MemoryTest, EndOfProgramIsTheFirstOfTwoFillers) {
    p.Clear();
    EXPECT_EQ(p.FindEndOfProgram(), 1);
    EXPECT_FALSE(p.HasProgram());
    p.SetLine(1, "LBL A");
    p.SetLine(2, "r/s");   // fillers compare upper-cased
    EXPECT_EQ(p.FindEndOfProgram(), 2);
    EXPECT_TRUE(p.HasProgram());
    p.SetLine(3, "RTN");
    EXPECT_EQ(p.FindEndOfProgram(), 4);
    p.SetLine(999, "RTN");
    EXPECT_EQ(p.FindEndOfProgram(), 999);
}

TEST_F(MemoryTest, ScanLabelsReportsDuplicatesAndKeepsEarlierLabels) {
    p.Clear();
    p.SetLine(3, "LBL A");
    p.SetLine(5, "LBL a");
    p.SetLine(8, "LBL 3");
    EXPECT_TRUE(p.ScanLabels());
    EXPECT_EQ(p.FindLabel("A"), 3);
    EXPECT_EQ(p.FindLabel("a"), 5);   // case-sensitive names
    EXPECT_EQ(p.FindLabel("3"), 8);
    EXPECT_EQ(p.FindLabel("B"), 0);
    EXPECT_TRUE(oHost.vMessages.empty());

    p.SetLine(6, "LBL A");
    EXPECT_FALSE(p.ScanLabels());
    ASSERT_EQ(oHost.vMessages.size(), 1u);
    EXPECT_EQ(oHost.vMessages[0],
              "Duplicate Label Found!|Label A appears more than once! Please edit your program.");
    EXPECT_EQ(p.FindLabel("A"), 3);
    EXPECT_EQ(p.FindLabel("a"), 5);
    EXPECT_EQ(p.FindLabel("3"), 0);   // after the duplicate: not indexed
}

TEST_F(MemoryTest, ScanGotosReportsTheFirstMissingLabel) {
    p.Clear();
    p.SetLine(1, "LBL A");
    p.SetLine(2, "GTO (I)");
    p.SetLine(3, "GTO A");
    p.SetLine(4, "GSB Q");   // calls are not examined
    ASSERT_TRUE(p.ScanLabels());
    EXPECT_TRUE(p.ScanGotos());
    p.SetLine(9, "GTO B");
    p.SetLine(10, "GTO C");
    EXPECT_FALSE(p.ScanGotos());
    ASSERT_EQ(oHost.vMessages.size(), 1u);
    EXPECT_EQ(oHost.vMessages[0],
              "Missing Label Found!|In line 009 GTO B the label B does not exist. Please edit your program.");
}

TEST_F(MemoryTest, EditedStepsAreDecodedAfresh) {
    m.oMem.Sto(1, 11);
    m.oMem.Sto(2, 22);
    m.oMem.Sto(3, 33);
    Load({"RCL 1"});
    Step();
    EXPECT_EQ(X(), 11);
    p.SetLine(1, "RCL 2");
    p.SetPrgmPointer(1);
    Step();
    EXPECT_EQ(X(), 22);
    // An inserted step moves the old one down: both run as their new texts.
    p.SetPrgmPointer(0);
    p.InsertLine("RCL 3");
    p.SetPrgmPointer(1);
    Step();
    Step();
    EXPECT_EQ(X(), 22);
    EXPECT_EQ(Y(), 33);
    // Deleting brings the next text up into the cached position.
    p.SetPrgmPointer(1);
    p.DeleteLine();
    Step();
    EXPECT_EQ(X(), 22);
    EXPECT_EQ(Y(), 22);
    // Clear forgets every decoded step.
    p.Clear();
    p.SetPrgmPointer(1);
    Step();   // "R/S" now
    EXPECT_TRUE(p.StopRequested);
    EXPECT_EQ(X(), 22);
}
