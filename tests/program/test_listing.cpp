// Program listings and the editor's text: what is read, what is refused, and that nothing is lost when a
// file or a text is refused; the instruction table as the reference reads it, the listing check, the aliases.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "PrgmFixture.h"
#include "common/TempDir.h"
#include "numeric/NumUtil.h"

namespace fs = std::filesystem;
using TokenTest = PrgmTest;

namespace {

class ListingTest : public PrgmTest {
protected:
    CTempDir oTmp;
    std::string Write(const std::string& sName, const std::string& sText) {
        WriteFile(oTmp.File(sName), sText);
        return oTmp.File(sName);
    }
    S Steps(int n) const {
        S v;
        for (int k = 1; k <= n; ++k) v.push_back(p.GetLine(k));
        return v;
    }
};

} // namespace

TEST_F(ListingTest, WrittenWithOrWithoutNumbersAndReadBackTheSame) {
    S vProgram;
    for (int k = 1; k <= 999; ++k) vProgram.push_back(k % 7 == 0 ? "LBL " + std::to_string(k) : k % 3 ? "STO+ A" : "GSB e");
    vProgram[5] = "LBL e";
    const std::string sFile = oTmp.File("all.corvel");
    for (bool bNumbers : {true, false}) {
        Load(vProgram);
        oHost.vYesNo = {bNumbers};
        p.WriteProgram(sFile);
        EXPECT_EQ(oHost.vMessages, S({"Confirmation|Include line numbers with the listing?"}));
        EXPECT_EQ(oHost.sLabel + "|" + std::to_string(oHost.bCard), sFile + "|1");
        EXPECT_EQ(ReadFile(sFile).rfind(bNumbers ? "001 STO+ A\r\n002 " : "STO+ A\r\nSTO+ A\r\n", 0), 0u);
        p.Clear();
        ASSERT_TRUE(p.ReadProgram(sFile));
        EXPECT_EQ(Steps(999), vProgram);
        EXPECT_EQ(p.GetFilename() + "|" + oHost.sLabel + "|" + std::to_string(Ptr()), sFile + "|all.corvel|1");
    }
}

TEST_F(ListingTest, ARefusedListingOrAFailedWriteChangesNothing) {
    std::string sTooMany;
    for (int k = 0; k < 1000; ++k) sTooMany += "1/X\n";
    const std::string sCannot = "File Input Error|Error in reading file " + oTmp.File("");
    // Each refusal points at the lines of the file it is about. Duplicate and missing labels, and a line
    // too long to show whole: files_refused_listing.keys.
    const struct { std::string sFile, sMessage, sPlaces; } kCases[] = {
        {Write("foo.corvel", "LBL B\nFOO\n\n# c\n  STO A  \n003 BAR 2 # x\n"),
         "Listing Error|Your program has incompatible commands. Please edit the  source file and reload again. "
         "The following errors were found:\r\n\r\nLine 2 FOO\r\nLine 4 BAR 2\r\n",
         "foo.corvel line 2: FOO|foo.corvel line 6: 003 BAR 2 # x|"},
        {Write("nul.corvel", std::string("LBL B\nSTO \0A\n", 12)), "", std::string("nul.corvel line 2: STO \0A|", 26)},
        {Write("toomany.corvel", sTooMany), sCannot + "toomany.corvel", "toomany.corvel line 1000: 1/X|"},
        {oTmp.File("absent.corvel"), sCannot + "absent.corvel", ""},
    };
    for (const auto& c : kCases) {
        // The user's program, with a file name and the pointer, stays as it was.
        Load({"LBL A", "1", "+", "RTN"});
        p.SetFilename("mine.corvel");
        p.SetPrgmPointer(3);
        EXPECT_FALSE(p.ReadProgram(c.sFile)) << c.sFile;
        ASSERT_EQ(oHost.vMessages.size(), 1u) << c.sFile;
        if (!c.sMessage.empty()) EXPECT_EQ(oHost.vMessages[0], c.sMessage);
        std::string sPlaces;
        for (const CListingPlace& o : p.FaultPlaces()) sPlaces += o.Describe() + "|";
        EXPECT_EQ(sPlaces, c.sPlaces) << c.sFile;
        EXPECT_EQ(Steps(5), S({"LBL A", "1", "+", "RTN", "R/S"}));
        EXPECT_EQ(V({double(Ptr()), double(p.FindLabel("A")), double(oHost.bCard)}), V({3, 1, 0})) << c.sFile;
        EXPECT_EQ(p.GetFilename(), "mine.corvel");
    }
    // A failed write says so and keeps the file name and what is in the way.
    fs::create_directory(oTmp.File("sub"));
    oHost.vYesNo = {false};
    p.WriteProgram(oTmp.File("sub"));
    EXPECT_EQ(Last(oHost.vMessages), "File Input Error|Error in writing to file " + oTmp.File("sub"));
    EXPECT_EQ(p.GetFilename(), "mine.corvel");
    EXPECT_TRUE(fs::is_directory(oTmp.File("sub")));
}

// The editor takes a listing pasted whole, comments and step numbers with it, as the same program as the
// file gives (the editor writes capitals).
TEST_F(ListingTest, TheEditorTakesAListingAsTheReaderDoes) {
    S vFiles{Write("c.corvel", "# top\n001 LBL A  # start\n002 10  # ten\n  010\t# loop\n005 STO 1 #x\nRAN#\n7\n")};
    for (const auto& e : fs::directory_iterator(fs::path(CORVEL_TEST_DATA) / ".." / ".." / "examples"))
        vFiles.push_back(e.path().string());
    auto Text = [&] {
        std::string s;
        for (int k = 1; k <= 999; ++k) s += NumUtil::Upper(p.GetLine(k)) + "\n";
        return s;
    };
    for (const std::string& sFile : vFiles) {
        ASSERT_TRUE(p.ReadProgram(sFile)) << sFile;
        const std::string sRead = Text();
        ASSERT_TRUE(p.AcceptEditText(ReadFile(sFile))) << sFile;
        if (sFile == vFiles[0]) EXPECT_EQ(Steps(10), S({"LBL A", "1", "0", "0", "1", "0", "STO 1", "RAN#", "7", "R/S"}));
        EXPECT_EQ(Text(), sRead) << sFile;
    }
}

TEST_F(ListingTest, EditorTextIsTakenBackByItsRules) {
    Load({"LBL a", "RTN"});
    const std::string sText = p.EditText();
    EXPECT_EQ(std::count(sText.begin(), sText.end(), '\n'), 999);
    EXPECT_EQ(sText.compare(0, 17, "LBL a\r\nRTN\r\nR/S\r\n"), 0);

    ASSERT_TRUE(p.AcceptEditText("lbl c\n  12.5  \n\n5\nsto a\ngto c\n1/x\n10^x\nrcl sum+\n"));
    EXPECT_EQ(Steps(11), S({"LBL c", "1", "2", ".", "5", "5", "STO A", "GTO c", "1/X", "10^X", "RCL SUM+"}));
    EXPECT_EQ(p.GetFilename() + "|" + std::to_string(Ptr()), "|0");
    // More than 999 steps: the rest is ignored, also inside a number line.
    std::string sLong;
    for (int k = 0; k < 997; ++k) sLong += "RTN\n";
    ASSERT_TRUE(p.AcceptEditText(sLong + "12345\nSTO A\n"));
    EXPECT_EQ(Last(Steps(999)), "2");
    // The step each line starts at: SourceEditor.TheMarginTheFaultMarksTheHighlightingAndTheCompletion.
}

// Every listing the examples and the tests use reads as it did before a number could carry a comment: the
// same steps, or refused as before. A listing added later takes its row from the failure message (rows go
// by file name: a copy in another directory reads the same).
TEST_F(ListingTest, EveryKnownListingReadsAsBefore) {
    const uint64_t kRefused = 0xa5ac82a98bb05942;   // no steps: a refused listing
    const std::map<std::string, uint64_t> kKnown = {
        {"gamma_table.corvel", 0xb48b466dd36cbee8}, {"linfit.corvel", 0x3209225d5e124b43},
        {"primes.corvel", 0xccf4548810bfe9c5}, {"quadratic.corvel", 0x0015db2c44579724},
        {"queens8.corvel", 0x8bc636c4ee04944f}, {"forms.corvel", 0x2cda12f40eb21942}, {"label_faults.corvel", kRefused},
        {"unknown_step.corvel", kRefused}, {"adjacent_blanks.corvel", 0xe9865211a497e59b},
        {"comment_mark_in_step.corvel", 0x82dc969970a168f6}, {"lower_case_gto.corvel", 0xf3923a70b9f58e85},
        {"number_as_first_word.corvel", kRefused}, {"typed.corvel", 0xbff8bd57d521bca9}, {"bad.corvel", kRefused},
        {"dup.corvel", kRefused}, {"gone.corvel", kRefused}, {"long.corvel", kRefused},
        {"runs.corvel", 0x6d64c08bbab34207}, {"sub.corvel", 0xb4b021db4004d4cb}, {"step.corvel", 0xb27e9e4f91751f32}};
    const fs::path oRoot = fs::path(CORVEL_TEST_DATA) / ".." / "..";
    std::set<std::string> oSeen;
    for (const char* sDir : {"examples", "tests/batch", "fuzz/corpus/listing", "fuzz/regressions/listing"}) {
        for (const auto& e : fs::recursive_directory_iterator(oRoot / sDir)) {
            if (e.path().extension() != ".corvel") continue;
            const std::string sName = e.path().filename().string();
            p.Clear();
            uint64_t h = p.ReadProgram(e.path().string()) ? 1469598103934665603ull : 0;
            for (int k = 1; k <= 999; ++k)
                for (char c : p.GetLine(k) + "\n") h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
            const auto it = kKnown.find(sName);
            EXPECT_TRUE(it != kKnown.end() && it->second == h)
                << e.path() << ": {\"" << sName << "\", 0x" << std::hex << h << "},";
            oSeen.insert(sName);
        }
    }
    EXPECT_EQ(oSeen.size(), kKnown.size());
}

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

// Only the text before the first blank is looked up, upper-cased (the message listing them: above).
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
