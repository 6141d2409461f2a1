// Program listings and the editor's text: what is read, what is refused, and
// that nothing is lost when a file or a text is refused.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "PrgmFixture.h"
#include "common/TempDir.h"

namespace fs = std::filesystem;
using S = std::vector<std::string>;

namespace {

class ListingTest : public PrgmTest {
protected:
    CTempDir oTmp;
    const fs::path oDir = oTmp.Path();
    std::string Write(const std::string& sName, const std::string& sText) {
        const std::string s = (oDir / sName).string();
        std::ofstream(s, std::ios::binary) << sText;
        return s;
    }
    S Steps(int n) const {
        S v;
        for (int k = 1; k <= n; ++k) v.push_back(p.GetLine(k));
        return v;
    }
    // The program loaded as a user's: steps, a file name and the pointer.
    void LoadUsers() {
        Load({"LBL A", "1", "+", "RTN"});
        p.SetFilename("mine.corvel");
        p.SetPrgmPointer(3);
    }
    void ExpectUsersUntouched() {
        EXPECT_EQ(Steps(5), S({"LBL A", "1", "+", "RTN", "R/S"}));
        EXPECT_EQ(p.GetFilename(), "mine.corvel");
        EXPECT_EQ(Ptr(), 3);
        EXPECT_EQ(p.FindLabel("A"), 1);
        EXPECT_FALSE(oHost.bCard);
    }
};

} // namespace

TEST_F(ListingTest, WrittenWithOrWithoutNumbersAndReadBackTheSame) {
    S vProgram;
    for (int k = 1; k <= 999; ++k) vProgram.push_back(k % 7 == 0 ? "LBL " + std::to_string(k) : k % 3 ? "STO+ A" : "GSB e");
    vProgram[5] = "LBL e";
    for (bool bNumbers : {true, false}) {
        Load(vProgram);
        oHost.vYesNo = {bNumbers};
        const std::string sFile = (oDir / "all.corvel").string();
        p.WriteProgram(sFile);
        EXPECT_EQ(oHost.vMessages, S({"Confirmation|Include line numbers with the listing?"}));
        EXPECT_EQ(oHost.sLabel, sFile);
        EXPECT_TRUE(oHost.bCard);
        EXPECT_EQ(ReadFile(sFile).rfind(bNumbers ? "001 STO+ A\r\n002 " : "STO+ A\r\nSTO+ A\r\n", 0), 0u);
        p.Clear();
        ASSERT_TRUE(p.ReadProgram(sFile));
        EXPECT_EQ(Steps(999), vProgram);
        EXPECT_EQ(Ptr(), 1);
        EXPECT_EQ(p.GetFilename(), sFile);
        EXPECT_EQ(oHost.sLabel, "all.corvel");
    }
}

TEST_F(ListingTest, ARefusedOrUnreadableListingChangesNothing) {
    std::string sTooMany;
    for (int k = 0; k < 1000; ++k) sTooMany += "1/X\n";
    // Each refusal points at the lines of the file it is about. Duplicate and
    // missing labels, and a line too long to show whole: files_refused_listing.keys.
    const struct { std::string sFile, sMessage, sPlaces; } kCases[] = {
        {Write("foo.corvel", "LBL B\nFOO\n\n# c\n  STO A  \n003 BAR 2 # x\n"),
         "Listing Error|Your program has incompatible commands. Please edit the  source file and reload again. "
         "The following errors were found:\r\n\r\nLine 2 FOO\r\nLine 4 BAR 2\r\n",
         "foo.corvel line 2: FOO|foo.corvel line 6: 003 BAR 2 # x|"},
        {Write("nul.corvel", std::string("LBL B\nSTO \0A\n", 12)), "", std::string("nul.corvel line 2: STO \0A|", 26)},
        {Write("toomany.corvel", sTooMany), "File Input Error|Error in reading file ", "toomany.corvel line 1000: 1/X|"},
        {(oDir / "absent.corvel").string(), "File Input Error|Error in reading file ", ""},
    };
    for (const auto& c : kCases) {
        LoadUsers();
        EXPECT_FALSE(p.ReadProgram(c.sFile)) << c.sFile;
        ASSERT_EQ(oHost.vMessages.size(), 1u) << c.sFile;
        if (c.sMessage.rfind("File Input Error", 0) == 0)
            EXPECT_EQ(oHost.vMessages[0], c.sMessage + c.sFile);
        else if (!c.sMessage.empty())
            EXPECT_EQ(oHost.vMessages[0], c.sMessage);
        std::string sPlaces;
        for (const CListingPlace& o : p.FaultPlaces()) sPlaces += o.Describe() + "|";
        EXPECT_EQ(sPlaces, c.sPlaces) << c.sFile;
        ExpectUsersUntouched();
    }
}

TEST_F(ListingTest, AFailedWriteSaysSoAndKeepsTheOldFile) {
    LoadUsers();
    fs::create_directory(oDir / "sub");
    oHost.vYesNo = {false};
    p.WriteProgram((oDir / "sub").string());
    EXPECT_EQ(LastMessage(), "File Input Error|Error in writing to file " + (oDir / "sub").string());
    EXPECT_EQ(p.GetFilename(), "mine.corvel");
    EXPECT_TRUE(fs::is_directory(oDir / "sub"));
}

// The editor takes a listing pasted whole, comments and step numbers with
// it, as the same program as the file gives (the editor writes capitals).
TEST_F(ListingTest, TheEditorTakesAListingAsTheReaderDoes) {
    std::vector<std::string> vFiles{Write("c.corvel", "# top\n001 LBL A  # start\n002 10  # ten\n  010\t# loop\n"
                                                      "005 STO 1 #x\nRAN#\n7\n")};
    for (const auto& e : fs::directory_iterator(fs::path(CORVEL_TEST_DATA) / ".." / ".." / "examples"))
        vFiles.push_back(e.path().string());
    for (const std::string& sFile : vFiles) {
        ASSERT_TRUE(p.ReadProgram(sFile)) << sFile;
        const S vRead = Steps(999);
        ASSERT_TRUE(p.AcceptEditText(ReadFile(sFile))) << sFile;
        if (sFile == vFiles[0]) EXPECT_EQ(Steps(10), S({"LBL A", "1", "0", "0", "1", "0", "STO 1", "RAN#", "7", "R/S"}));
        for (int k = 1; k <= 999; ++k) {
            std::string s = vRead[static_cast<size_t>(k - 1)];
            std::transform(s.begin(), s.end(), s.begin(), ::toupper);
            std::string t = p.GetLine(k);
            std::transform(t.begin(), t.end(), t.begin(), ::toupper);
            ASSERT_EQ(s, t) << sFile << " step " << k;
        }
    }
}

TEST_F(ListingTest, EditorTextIsTakenBackByItsRules) {
    Load({"LBL a", "RTN"});
    const std::string sText = p.EditText();
    EXPECT_EQ(std::count(sText.begin(), sText.end(), '\n'), 999);
    EXPECT_EQ(sText.compare(0, 17, "LBL a\r\nRTN\r\nR/S\r\n"), 0);

    ASSERT_TRUE(p.AcceptEditText("lbl c\n  12.5  \n\n5\nsto a\ngto c\n1/x\n10^x\nrcl sum+\n"));
    EXPECT_EQ(Steps(11), S({"LBL c", "1", "2", ".", "5", "5", "STO A", "GTO c", "1/X", "10^X", "RCL SUM+"}));
    EXPECT_EQ(Ptr(), 0);
    EXPECT_EQ(p.GetFilename(), "");

    // More than 999 steps: the rest is ignored, also inside a number line.
    std::string sLong;
    for (int k = 0; k < 997; ++k) sLong += "RTN\n";
    ASSERT_TRUE(p.AcceptEditText(sLong + "12345\nSTO A\n"));
    EXPECT_EQ(Last(Steps(999)), "2");
    // The step each line starts at: SourceEditor.TheMarginTheFaultMarksTheHighlightingAndTheCompletion.
}

// Every listing the examples and the tests use reads as it did before a
// number could carry a comment: the same steps, or refused as before. A
// listing added later takes its row from the failure message.
TEST_F(ListingTest, EveryKnownListingReadsAsBefore) {
    const struct { const char* sPath; uint64_t nDigest; } kKnown[] = {
        {"examples/gamma_table.corvel", 0x7402a1eb518b8c2f},
        {"examples/linfit.corvel", 0x3209225d5e124b43},
        {"examples/primes.corvel", 0xccf4548810bfe9c5},
        {"examples/quadratic.corvel", 0x0015db2c44579724},
        {"examples/queens8.corvel", 0x8bc636c4ee04944f},
        {"fuzz/corpus/listing/forms.corvel", 0x2cda12f40eb21942},
        {"fuzz/corpus/listing/gamma_table.corvel", 0x7402a1eb518b8c2f},
        {"fuzz/corpus/listing/label_faults.corvel", 0xa5ac82a98bb05942},
        {"fuzz/corpus/listing/primes.corvel", 0xccf4548810bfe9c5},
        {"fuzz/corpus/listing/quadratic.corvel", 0x0015db2c44579724},
        {"fuzz/corpus/listing/unknown_step.corvel", 0xa5ac82a98bb05942},
        {"fuzz/regressions/listing/adjacent_blanks.corvel", 0xe9865211a497e59b},
        {"fuzz/regressions/listing/comment_mark_in_step.corvel", 0x82dc969970a168f6},
        {"fuzz/regressions/listing/lower_case_gto.corvel", 0xf3923a70b9f58e85},
        {"fuzz/regressions/listing/number_as_first_word.corvel", 0xa5ac82a98bb05942},
        {"tests/batch/files_load_list.files/typed.corvel", 0xbff8bd57d521bca9},
        {"tests/batch/files_refused_listing.files/bad.corvel", 0xa5ac82a98bb05942},
        {"tests/batch/files_refused_listing.files/dup.corvel", 0xa5ac82a98bb05942},
        {"tests/batch/files_refused_listing.files/gone.corvel", 0xa5ac82a98bb05942},
        {"tests/batch/files_refused_listing.files/long.corvel", 0xa5ac82a98bb05942},
        {"tests/batch/keep_work_runs.files/runs.corvel", 0x6d64c08bbab34207},
        {"tests/batch/prgm_breakpoints.files/sub.corvel", 0xb4b021db4004d4cb},
        {"tests/batch/prgm_step_over.files/step.corvel", 0xb27e9e4f91751f32},
    };
    const fs::path oRoot = fs::path(CORVEL_TEST_DATA) / ".." / "..";
    int nChecked = 0;
    for (const char* sDir : {"examples", "tests/batch", "fuzz/corpus/listing", "fuzz/regressions/listing"}) {
        for (const auto& e : fs::recursive_directory_iterator(oRoot / sDir)) {
            if (e.path().extension() != ".corvel") continue;
            const std::string sRel = fs::relative(e.path(), oRoot).generic_string();
            p.Clear();
            uint64_t h = p.ReadProgram(e.path().string()) ? 1469598103934665603ull : 0;
            for (int k = 1; k <= 999; ++k)
                for (char c : p.GetLine(k) + "\n") h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
            const auto* pRow = std::find_if(std::begin(kKnown), std::end(kKnown), [&](const auto& r) { return sRel == r.sPath; });
            EXPECT_TRUE(pRow != std::end(kKnown) && pRow->nDigest == h) << "{\"" << sRel << "\", 0x" << std::hex << h << "},";
            ++nChecked;
        }
    }
    EXPECT_EQ(nChecked, static_cast<int>(std::size(kKnown)));
}
