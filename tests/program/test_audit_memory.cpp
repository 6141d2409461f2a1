// Program memory and vocabulary details pinned by an audit: alias corners,
// the mnemonic a listing check looks at, pointer moves, the end of the
// program and which steps the two scans read.
#include "PrgmFixture.h"

using AuditMemoryTest = PrgmTest;

TEST(TranslateAudit, WholeTextsOnlyAndTheStoreOperandKeepsItsCase) {
    const char* sCases[][2] = {
        {"sto * Ab", "STO* Ab"}, {"STO +", "STO+"},   {"STO+ 3", "STO+ 3"}, {"x2", "X^2"},
        {"x#y?", "X<>Y?"},      {"roll up", "R^"},   {"->hms", "H->HMS"},  {"PrtStk", "STK"},
        {"log10", "LOG"},       {"isz i", "ISZ"},     {"DSZ I 3", "DSZ I 3"}, {"EXP 2", "EXP 2"},
        {"F10?", "F10?"},       {"F 1?", "F 1?"},     {"FX?", "FX?"},       {"SPRTX", "SPRTX"},
        {"XYX", "XYX"},         {"asin x", "asin x"}, {"a", "a"},          {" stop", " stop"}};
    for (const auto& c : sCases) {
        std::string s = c[0];
        CPrgm::Translate(s);
        EXPECT_EQ(s, c[1]) << c[0];
    }
}

TEST_F(AuditMemoryTest, CheckTokensLooksAtTheTextBeforeTheFirstBlank) {
    // The sorted table starts and ends with the lowest and highest character codes.
    EXPECT_EQ(p.Tokens[1], "%");
    EXPECT_EQ(p.Tokens[p.TokenCount], "Y^X");
    const struct { const char* sStep; bool bReported; } aCases[] = {
        {"STO  1", false}, {"r/s X", false}, {"lbl a", false}, {"8", false},   {"x!=y?", false},
        {" STO 1", true},  {"STO+A", true},  {"ROLL", true},   {"\tRTN", true}, {"RTN\r", true}};
    for (const auto& c : aCases) {
        p.Clear();
        p.SetLine(4, c.sStep);
        EXPECT_EQ(p.CheckTokens(), c.bReported ? "Line 4 " + std::string(c.sStep) + "\r\n" : "") << c.sStep;
    }
}

TEST_F(AuditMemoryTest, PointerMovesAndRangeChecks) {
    Load({"LBL A", "RTN"});
    p.SetPrgmPointer(0);
    EXPECT_EQ(p.ShowPrevLine(), "999 R/S");
    EXPECT_EQ(p.ShowNextLine(), "001 LBL A");
    EXPECT_EQ(p.ShowPrevLine(), "000 ");
    p.InsertLine("CLX");   // from step 0 the new step becomes step 1
    EXPECT_EQ(std::vector<std::string>({p.GetLine(1), p.GetLine(2), p.ShowCurrLine()}),
              std::vector<std::string>({"CLX", "LBL A", "001 CLX"}));
    m.bInErr = p.Halted = p.EntryActive = p.ExpEntryActive = true;
    p.SetPrgmPointer(-1);   // out of range: pointer kept, flags still cleared
    EXPECT_EQ(Ptr(), 1);
    EXPECT_FALSE(m.bInErr || p.Halted);
    p.SetPrgmPointer(40);
    m.bInErr = p.Halted = true;
    p.Reset();
    EXPECT_EQ(Ptr(), 1);
    EXPECT_FALSE(m.bInErr || p.Halted || p.EntryActive || p.ExpEntryActive);
    for (int n : {-1, 1000}) {
        EXPECT_THROW(p.GetLine(n), CCalcError) << n;
        EXPECT_THROW(p.SetLine(n, "RTN"), CCalcError) << n;
        EXPECT_THROW(p.ShowLine(n), CCalcError) << n;
    }
}

TEST_F(AuditMemoryTest, EndOfProgramAndScannedSteps) {
    Load({"LBL A", "R/S", "r/s", "RTN"});   // two stops in a row end the program early
    EXPECT_EQ(p.FindEndOfProgram(), 2);
    p.SetLine(999, "r/s");                  // the last step must be the filler exactly
    EXPECT_EQ(p.FindEndOfProgram(), 999);
    // "LBL " and "GTO " count anywhere in exact case; the name follows the first blank.
    Load({"X LBL A", "lbl B", "LBL  C", "gto B", "GTO  C", "GSB B"});
    EXPECT_TRUE(p.ScanLabels());
    EXPECT_EQ(std::vector<int>({p.LabelCount, p.FindLabel("LBL A"), p.FindLabel(" C"), p.FindLabel("B")}),
              std::vector<int>({2, 1, 3, 0}));
    EXPECT_TRUE(p.ScanGotos());
    p.SetLine(8, "XGTO B");
    EXPECT_FALSE(p.ScanGotos());
    EXPECT_EQ(LastMessage(),
              "Missing Label Found!|In line 008 XGTO B the label B does not exist. Please edit your program.");
}

TEST_F(AuditMemoryTest, InsertingAStoredStepCopiesItBeforeTheShift) {
    Load({"A1", "A2", "A3", "A4", "A5"});
    p.SetPrgmPointer(1);
    p.InsertLine(p.GetLine(5));
    EXPECT_EQ(p.GetLine(2), "A5");
    EXPECT_EQ(p.GetLine(6), "A5");
    EXPECT_EQ(p.GetLine(5), "A4");
}
