// The vocabulary, the sorted token table, the listing check and the aliases.
#include <set>
#include <sstream>

#include "PrgmFixture.h"

namespace {
std::set<std::string> Vocabulary() {
    std::set<std::string> o;
    std::stringstream ss(CPrgm::GetTokenList());
    for (std::string s; std::getline(ss, s, ',');) o.insert(s);
    return o;
}
} // namespace

using TokenTest = PrgmTest;

TEST_F(TokenTest, TokenAndInstructionTablesCoverExactlyTheVocabulary) {
    ASSERT_GT(p.SearchToken("RCL"), 0);   // the table is made on first use
    ASSERT_EQ(p.TokenCount, 174);
    for (int i = 2; i <= p.TokenCount; ++i) EXPECT_LE(p.Tokens[i - 1], p.Tokens[i]) << i;
    EXPECT_EQ(p.Tokens[1] + p.Tokens[p.TokenCount], "%Y^X");   // lowest and highest character codes
    const std::set<std::string> oVocab = Vocabulary();
    for (const std::string& s : oVocab) {
        const int16_t n = p.SearchToken(s);   // found by bisection
        ASSERT_GT(n, 0) << s;
        EXPECT_EQ(p.Tokens[n], s);
        const CInstr* pInstr = CPrgm::FindInstr(s);
        ASSERT_NE(pInstr, nullptr) << s;
        EXPECT_EQ(std::string(pInstr->sName), s);
        std::string sLower = s;
        for (char& c : sLower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(CPrgm::FindInstr(sLower), pInstr) << sLower;   // mnemonics compare upper-cased
    }
    for (const char* s : {"rcl/", "", "ZZZ", "!"}) EXPECT_EQ(p.SearchToken(s), 0) << s;   // exact comparison
    int nCount = 0;
    const CInstr* pTable = CPrgm::InstrTable(nCount);
    std::set<std::string> oNames;
    for (int i = 0; i < nCount; ++i) {
        EXPECT_TRUE(oVocab.count(pTable[i].sName)) << pTable[i].sName;
        EXPECT_TRUE(oNames.insert(pTable[i].sName).second) << "twice: " << pTable[i].sName;
    }
    EXPECT_EQ(CPrgm::FindInstr("FOO"), nullptr);
    EXPECT_EQ(CPrgm::FindInstr(""), nullptr);
}

TEST_F(TokenTest, CheckTokensListsUnknownStepsInOrder) {
    p.Clear();
    EXPECT_EQ(p.CheckTokens(), "");   // the filler passes
    p.SetLine(1, "sto+ A");           // mnemonics are upper-cased before the search
    p.SetLine(5, "FOO 3");
    p.SetLine(9, "ATAN");
    EXPECT_EQ(p.CheckTokens(), "Line 5 FOO 3\r\nLine 9 ATAN\r\n");
    p.SetLine(9, "ARCTAN");
    p.SetLine(12, "");
    EXPECT_EQ(p.CheckTokens(), "Line 5 FOO 3\r\nLine 12 \r\n");
    // Only the text before the first blank is looked up.
    const struct { const char* sStep; bool bReported; } aCases[] = {
        {"STO  1", false}, {"r/s X", false}, {"lbl a", false}, {"8", false},   {"x!=y?", false},
        {" STO 1", true},  {"STO+A", true},  {"ROLL", true},   {"\tRTN", true}, {"RTN\r", true}};
    for (const auto& c : aCases) {
        p.Clear();
        p.SetLine(4, c.sStep);
        EXPECT_EQ(p.CheckTokens(), c.bReported ? "Line 4 " + std::string(c.sStep) + "\r\n" : "") << c.sStep;
    }
}

// Aliases replace whole texts only; the operand of a store keeps its case.
TEST(Translate, AliasesByFirstCharacter) {
    const char* sCases[][2] = {
        {"STO A", "STO A"}, {"sto - 3", "STO- 3"}, {"STO / a", "STO/ a"}, {"f1?", "F? 1"}, {"fa?", "fa?"},
        {"stop", "R/S"},    {"FIX", "FIX"},        {"ATAN", "ARCTAN"},    {"x", "*"},       {"X#0?", "X<>0?"},
        {"s", "SDEV"},      {"Roll Dn", "RV"},     {"->H", "H<-HMS"},     {"prtx", "-X-"},  {"yx", "Y^X"},
        {"dsz i", "DSZ"},   {"exp", "E^X"},        {"ASINH", "ASINH"},    {"XEXP", "XEXP"}, {"", ""},
        {"sto * Ab", "STO* Ab"}, {"STO +", "STO+"}, {"STO+ 3", "STO+ 3"}, {"x2", "X^2"},    {"x#y?", "X<>Y?"},
        {"roll up", "R^"},  {"->hms", "H->HMS"},   {"PrtStk", "STK"},     {"log10", "LOG"}, {"isz i", "ISZ"},
        {"DSZ I 3", "DSZ I 3"}, {"EXP 2", "EXP 2"}, {"F10?", "F10?"},     {"F 1?", "F 1?"}, {"FX?", "FX?"},
        {"SPRTX", "SPRTX"}, {"XYX", "XYX"},        {"asin x", "asin x"},  {"a", "a"},       {" stop", " stop"}};
    for (const auto& c : sCases) {
        std::string s = c[0];
        CPrgm::Translate(s);
        EXPECT_EQ(s, c[1]) << c[0];
    }
}
