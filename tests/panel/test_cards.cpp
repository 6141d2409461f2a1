// Programs as files from the front panel: the card slot, the card functions of the ENTER key and the source editor.
#include <set>

#include "PanelFixture.h"

namespace fs = std::filesystem;

class CardTest : public PanelTest {
protected:
    CTempDir oTmp;
    const fs::path oDir = oTmp.Path();
    CFileChoice Choice(const std::string& sName) { return {sName, (oDir / sName).string()}; }
};

TEST_F(CardTest, EveryKeyboardStepSurvivesTheEditorUnchanged) {
    std::set<std::string> oSteps;   // every step text the keyboard can record
    int nRows = 0;
    const CKeyRow* pRows = KeyRows(nRows);
    for (int i = 0; i < nRows; ++i)
        for (const CKeyAct& a : pRows[i].aPrgm)
            if (a.eAct == enmAct::Record) oSteps.insert(a.sText);
    for (int e = 1; e <= static_cast<int>(enmPendOp::lbl); ++e) {
        const CPendRow& r = PendRow(static_cast<enmPendOp>(e));
        for (char d = '0'; d <= '9'; ++d)
            if (r.sDigit) oSteps.insert(std::string(r.sDigit) + " " + d);
        for (char c = 'A'; c <= 'E'; ++c)
            if (r.sLetter) oSteps.insert(std::string(r.sLetter) + " " + (r.bLowerLetter ? char(c + 32) : c));
        if (r.sIndirect) oSteps.insert(std::string(r.sIndirect) + " (i)");
        if (r.sSum) oSteps.insert(r.sSum);
    }
    ASSERT_GT(oSteps.size(), 300u);
    CPrgm& p = oMain.Prgm();
    p.Clear();
    int k = 1;
    for (const std::string& s : oSteps) p.SetLine(k++, s);
    ASSERT_TRUE(p.AcceptEditText(p.EditText())) << Last(oHost.vMessages);
    for (int n = 1; n < k; ++n) {
        const std::string sBefore = *std::next(oSteps.begin(), n - 1);
        CPrgm oOther(oMain.Machine(), oMain);
        oOther.SetLine(1, sBefore);
        const CStep &oWas = oOther.DecodedStep(1), &oNow = p.DecodedStep(n);
        // Labels keep their case; other operand texts may change theirs.
        const bool bLabel = sBefore.starts_with("GTO") || sBefore.starts_with("GSB") || sBefore.starts_with("LBL");
        EXPECT_TRUE(oNow.pInstr == oWas.pInstr && oNow.pfn == oWas.pfn && oNow.oOp.eKind == oWas.oOp.eKind &&
                    oNow.oSto.nReg == oWas.oSto.nReg && oNow.oRcl.nReg == oWas.oRcl.nReg &&
                    (!bLabel || oNow.oOp.sText == oWas.oOp.sText))
            << sBefore << " -> " << p.GetLine(n);
    }
}

// What the editor takes back and what it refuses: files_editor.keys.
TEST_F(CardTest, TheEditorOpensWithTheProgramAndNeverInARelease) {
    Keys("W/PRGM f SST A 2 * h GTO RUN");
    oMain.imgEdit_Click();
    EXPECT_EQ(oHost.sEditorText.substr(0, 18), "LBL A\r\n2\r\n*\r\nRTN\r\n");
    oMain.SetRelease(true);
    oHost.vShown.clear();
    oMain.imgEdit_Click();
    EXPECT_TRUE(oHost.vShown.empty());
}

TEST_F(CardTest, OverwritingAFileWithCommentsIsWarnedFirst) {
    const std::string sFile = (oDir / "c.corvel").string();
    std::ofstream(sFile) << "# a remark\nLBL A\nRTN\n";
    ASSERT_TRUE(oMain.Prgm().ReadProgram(sFile));
    oHost.vMessages.clear();
    oHost.vYesNo = {true, false};   // Write Program? yes; the warning: no
    oHost.vFiles = {Choice("c.corvel")};
    oMain.imgCardReader_Click();
    EXPECT_EQ(oHost.vMessages.size(), 2u);
    EXPECT_EQ(Last(oHost.vMessages),
              "* * * * * * * * W A R N I N G!!! * * * * * * * * |You are about to write to an existing program file "
              "that contains special comments that were entered with a text editor. Saving to that file will "
              "overwrite the special comments. Proceed anyway");
    EXPECT_EQ(ReadFile(sFile), "# a remark\nLBL A\nRTN\n");   // not overwritten
}

// With a program the slot writes it and g ENTER reads it back: files_card_write_read.keys. Without one it reads data;
// a file that fails is told, and is no error (a failed write by f ENTER: batch:streamed-keys and KeyTable).
TEST_F(CardTest, WithoutAProgramTheSlotReadsDataAndCardFunctionsTellAFailure) {
    std::ofstream((oDir / "data.dax").string()) << "5\r\n6\r\n";
    std::ofstream((oDir / "bad.dax").string()) << std::string(1001, '\n');
    oHost.vYesNo = {true, true};
    oHost.vFiles = {Choice("data.dax"), Choice("bad.dax")};
    oMain.imgCardReader_Click();
    EXPECT_EQ(oHost.vMessages, std::vector<std::string>({"Read Data|Read Data?"}));
    EXPECT_EQ(oMain.Machine().oMem.Rcl(1), 6);
    oMain.imgCardReader_Click();
    EXPECT_EQ(Last(oHost.vMessages), "File Input Error|Error in reading file " + (oDir / "bad.dax").string());
    EXPECT_FALSE(oMain.View().bInErr);
}
