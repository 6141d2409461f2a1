// The vocabulary, the sorted token table, the listing check and the aliases.
#include <set>
#include <sstream>

#include "PrgmFixture.h"

namespace {

std::vector<std::string> Vocabulary() {
    std::vector<std::string> v;
    std::stringstream ss(CPrgm::GetTokenList());
    std::string s;
    while (std::getline(ss, s, ',')) v.push_back(s);
    return v;
}

std::string Translated(std::string s) {
    CPrgm::Translate(s);
    return s;
}

} // namespace

using TokenTest = PrgmTest;

TEST_F(TokenTest, TableIsSortedAndEveryEntryIsFoundByBisection) {
    ASSERT_EQ(p.TokenCount, 174);
    for (int i = 2; i <= p.TokenCount; ++i) EXPECT_LE(p.Tokens[i - 1], p.Tokens[i]) << i;
    for (const std::string& s : Vocabulary()) {
        const int16_t n = p.SearchToken(s);
        ASSERT_GT(n, 0) << s;
        EXPECT_EQ(p.Tokens[n], s);
    }
    EXPECT_GT(p.SearchToken("RCL/"), 0);
    EXPECT_EQ(p.SearchToken("rcl/"), 0);   // the comparison is exact
    EXPECT_GT(p.SearchToken("CLX"), 0);
    EXPECT_EQ(p.SearchToken(""), 0);
    EXPECT_EQ(p.SearchToken("ZZZ"), 0);
    EXPECT_EQ(p.SearchToken("!"), 0);
}

TEST_F(TokenTest, InstructionTableCoversExactlyTheVocabulary) {
    const std::vector<std::string> v = Vocabulary();
    const std::set<std::string> oVocab(v.begin(), v.end());
    for (const std::string& s : oVocab) {
        const CInstr* pInstr = CPrgm::FindInstr(s);
        ASSERT_NE(pInstr, nullptr) << s;
        EXPECT_EQ(std::string(pInstr->sName), s);
        std::string sLower = s;
        for (char& c : sLower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(CPrgm::FindInstr(sLower), pInstr) << sLower;   // mnemonics compare upper-cased
    }
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
    std::string s = p.GetLine(9);
    CPrgm::Translate(s);
    p.SetLine(9, s);
    EXPECT_EQ(p.GetLine(9), "ARCTAN");
    p.SetLine(12, "");
    EXPECT_EQ(p.CheckTokens(), "Line 5 FOO 3\r\nLine 12 \r\n");
}

TEST(Translate, AliasesByFirstCharacter) {
    EXPECT_EQ(Translated("STO A"), "STO A");
    EXPECT_EQ(Translated("sto - 3"), "STO- 3");
    EXPECT_EQ(Translated("STO / a"), "STO/ a");   // the operand keeps its case
    EXPECT_EQ(Translated("f1?"), "F? 1");
    EXPECT_EQ(Translated("fa?"), "fa?");
    EXPECT_EQ(Translated("stop"), "R/S");
    EXPECT_EQ(Translated("FIX"), "FIX");
    EXPECT_EQ(Translated("asin"), "ARCSIN");
    EXPECT_EQ(Translated("ATAN"), "ARCTAN");
    EXPECT_EQ(Translated("x"), "*");
    EXPECT_EQ(Translated("x2"), "X^2");
    EXPECT_EQ(Translated("X#0?"), "X<>0?");
    EXPECT_EQ(Translated("x#y?"), "X<>Y?");
    EXPECT_EQ(Translated("s"), "SDEV");
    EXPECT_EQ(Translated("Roll Dn"), "RV");
    EXPECT_EQ(Translated("roll up"), "R^");
    EXPECT_EQ(Translated("->hms"), "H->HMS");
    EXPECT_EQ(Translated("->H"), "H<-HMS");
    EXPECT_EQ(Translated("prtx"), "-X-");
    EXPECT_EQ(Translated("PrtStk"), "STK");
    EXPECT_EQ(Translated("yx"), "Y^X");
    EXPECT_EQ(Translated("dsz i"), "DSZ");
    EXPECT_EQ(Translated("ISZ I"), "ISZ");
    EXPECT_EQ(Translated("log10"), "LOG");
    EXPECT_EQ(Translated("exp"), "E^X");
    // Rules belong to their first character only.
    EXPECT_EQ(Translated("ASINH"), "ASINH");
    EXPECT_EQ(Translated("XEXP"), "XEXP");
    EXPECT_EQ(Translated(""), "");
}
