// The instruction table as the reference reads it, the listing check and the aliases.
#include <set>

#include "PrgmFixture.h"

using TokenTest = PrgmTest;

// Every row is described, every alias names an instruction, names are unique and found in any case.
TEST(InstrTable, EveryMnemonicAndAliasHasAnEntry) {
    int nCount = 0, nAliases = 0;
    const CInstr* pTable = CPrgm::InstrTable(nCount);
    const CAlias* pAliases = CPrgm::AliasTable(nAliases);
    std::set<std::string> oNames, oGroups;
    for (int i = 0; i < nCount; ++i) {
        const CInstr& r = pTable[i];
        EXPECT_TRUE(oNames.insert(r.sName).second) << "twice: " << r.sName;
        EXPECT_TRUE(*r.szText && *r.szOperands && *r.szStack && *r.szGroup) << r.sName;
        oGroups.insert(r.szGroup);
        std::string sLower = r.sName;
        for (char& c : sLower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(CPrgm::FindInstr(sLower), &r) << sLower;
    }
    EXPECT_EQ(V({double(nCount), double(oGroups.size())}), V({173, 13}));
    for (int i = 0; i < nAliases; ++i) {
        EXPECT_EQ(oNames.count(pAliases[i].sAlias), 0u) << pAliases[i].sAlias;
        const std::string sName = pAliases[i].sName;
        EXPECT_NE(CPrgm::FindInstr(sName.substr(0, sName.find(' '))), nullptr) << pAliases[i].sAlias;
    }
    for (const char* s : {"FOO", "", "!", "ASIN"}) EXPECT_EQ(CPrgm::FindInstr(s), nullptr) << s;
}

// Only the text before the first blank is looked up, upper-cased (the message listing them: test_listing.cpp).
TEST_F(TokenTest, CheckTokensLooksUpTheFirstWord) {
    const struct { const char* sStep; bool bReported; } aCases[] = {
        {"STO  1", false}, {"r/s X", false}, {"lbl a", false}, {"8", false},   {"x!=y?", false}, {"R/S", false},
        {" STO 1", true},  {"STO+A", true},  {"ROLL", true},   {"\tRTN", true}, {"RTN\r", true}, {"", true}};
    for (const auto& c : aCases) {
        p.Clear();
        p.SetLine(4, c.sStep);
        EXPECT_EQ(p.CheckTokens(), c.bReported ? "Line 4 " + std::string(c.sStep) + "\r\n" : "") << c.sStep;
    }
}

// Aliases replace whole texts only; the operand of a store keeps its case.
TEST(Translate, AliasesByFirstCharacter) {
    const char* sCases[][2] = {
        {"sto - 3", "STO- 3"}, {"STO / a", "STO/ a"}, {"f1?", "F? 1"}, {"fa?", "fa?"},   {"stop", "R/S"},
        {"ATAN", "ARCTAN"},    {"x", "*"},            {"X#0?", "X<>0?"}, {"Roll Dn", "RV"}, {"->H", "H<-HMS"},
        {"dsz i", "DSZ"},      {"ASINH", "ASINH"},    {"", ""},          {"sto * Ab", "STO* Ab"}, {"STO +", "STO+"},
        {"DSZ I 3", "DSZ I 3"}, {"EXP 2", "EXP 2"},   {"F10?", "F10?"},  {"asin x", "asin x"}, {" stop", " stop"}};
    for (const auto& c : sCases) {
        std::string s = c[0];
        CPrgm::Translate(s);
        EXPECT_EQ(s, c[1]) << c[0];
    }
}
