// The state file: all comes back bit for bit; neither saving nor a file that does not read whole changes anything.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include "PanelFixture.h"
#include "common/RandomProgram.h"
#include "panel/CStateFile.h"

namespace fs = std::filesystem;

class StateTest : public PanelTest {
protected:
    CTempDir oTmp{true};
    const fs::path oDir = oTmp.Path();
    // Everything a state file holds and the pointer, every number exactly.
    std::string Snapshot() const {
        const CPanelView& o = oMain.View();
        std::string s = corvel_test::Snapshot(o.oMachine, o.oPrgm) + " " + o.oPrgm.GetFilename() + " ";
        for (int i = 1; i <= 999; ++i) s += o.oPrgm.GetLine(i) + "\n";
        return s + std::to_string(o.nDigits) + std::to_string(static_cast<int>(o.eDispMode));
    }
    void Fill() {
        Keys("W/PRGM f SST A 2 * GTO f B h GTO g SST B RUN");
        for (int r = 0; r < 1000; ++r)   // signed zeros, extremes and values that need all 17 digits
            oMain.Machine().oMem.Sto(r, r % 50 == 0 ? -0.0 : (r % 2 ? 1e300 : -1e-300) / (r + 3));
        oMain.Machine().oStack.SetAll(1.0 / 3, -2.5e-30, 9.99e99, 42);
        for (int f : {2, 3, 7}) oMain.Machine().oFlags.SetFlag(f);
        oMain.Machine().nDigits = 5;
        oMain.Machine().eDispMode = enmDispMode::ENG;
        oMain.Prgm().SetFilename("prog.corvel");
        oMain.Prgm().SetPrgmPointer(1);   // where a restore leaves it
    }
};

TEST_F(StateTest, SaveThenRestoreGivesBackTheMachineBitForBit) {
    Fill();
    const std::string sBefore = Snapshot();
    oMain.imgSaveState_Click();   // Cancel: the default file in the current directory
    EXPECT_EQ(Snapshot(), sBefore);   // saving changed nothing, flags 2 and 3 included
    ASSERT_TRUE(fs::exists(CStateFile::kDefaultName));
    Keys("ON W/PRGM");            // everything lost, and in W/PRGM
    oMain.imgRestoreState_Click();
    EXPECT_EQ(Snapshot(), sBefore);
    // The mode is not restored, X shows in ENG 5 also in W/PRGM, the card and its name show, the labels are scanned.
    const CPanelView& o = oMain.View();
    EXPECT_EQ(std::to_string(o.bRun) + " " + o.lblDisp + " " + std::to_string(o.bCardVisible) + " " + o.lblPrgm + " " +
                  std::to_string(o.oPrgm.FindLabel("b")),
              "0 333.33333 1 prog.corvel 6");
}

TEST_F(StateTest, AFileThatDoesNotReadWholeChangesNothing) {
    Fill();
    const std::string sText = CStateFile().Text();
    ASSERT_TRUE(CStateFile().Parse(sText));
    auto Lines = [&](int nLine, const std::string& sNew) {   // sText with one line replaced
        size_t a = 0;
        for (int k = 1; k < nLine; ++k) a = sText.find("\r\n", a) + 2;
        return sText.substr(0, a) + sNew + sText.substr(sText.find("\r\n", a));
    };
    const std::string kBad[] = {
        sText.substr(0, sText.size() / 2),   // ends early
        Lines(1500, "12abc"), Lines(2003, "1 2"), Lines(2010, "Maybe"), Lines(2019, "1.5"), Lines(2019, "40000"),
        Lines(1500, std::string("\0\x01\xff", 3)), "",
    };
    const std::string sBefore = Snapshot();
    for (const std::string& s : kBad) {
        std::ofstream("bad.txt", std::ios::binary) << s;
        oHost.vFiles = {{"bad.txt", (oDir / "bad.txt").string()}};
        oHost.vMessages.clear();
        oMain.imgRestoreState_Click();
        EXPECT_EQ(oHost.vMessages, std::vector<std::string>({"Error|Could not open state file for input"}))
            << "case " << (&s - &kBad[0]);
        EXPECT_EQ(Snapshot(), sBefore);
    }
    // What does read: blanks around numbers, any case of True, any mode text.
    CStateFile o;
    ASSERT_TRUE(o.Parse(Lines(1002, "  1.5E+03 ")));
    EXPECT_EQ(o.aRegs[0], 1500);
    ASSERT_TRUE(o.Parse(Lines(2008, "tRUE")));
    EXPECT_TRUE(o.aFlags[0]);
    for (const char* sMode : {"", "fix", "ENG"}) {
        ASSERT_TRUE(o.Parse(Lines(2020, sMode)));
        EXPECT_EQ(o.eDispMode, enmDispMode::ENG) << sMode;
    }
}

TEST_F(StateTest, SavingIsRefusedWithErrorAndAFailedSaveSaysSo) {
    Keys("1 0 0 EEX 9 9 ENTER");   // Error
    ASSERT_TRUE(oMain.View().bInErr);
    oHost.vFiles = {{"s.txt", (oDir / "s.txt").string()}};
    oMain.imgSaveState_Click();
    EXPECT_FALSE(fs::exists(oDir / "s.txt"));
    Keys("CLX");
    std::ofstream("plain.txt") << "x";
    oHost.vFiles = {{"x", (oDir / "plain.txt" / "x").string()}};
    oMain.imgSaveState_Click();
    EXPECT_EQ(Last(oHost.vMessages), "Error|Could not open state file for output");
}

TEST_F(StateTest, AStackValueTheStackRefusesIsLeftOutWithANote) {
    CStateFile o;
    o.fX = 1e100;
    o.fY = 7;
    ASSERT_TRUE(o.Write("big.txt"));
    oHost.vFiles = {{"big.txt", (oDir / "big.txt").string()}};
    oMain.imgRestoreState_Click();
    // T, Z, Y were pushed; X was refused, so the old X stays. Setting the pointer to step 1 clears the refusal's error.
    EXPECT_EQ(Display() + " " + std::to_string(X()) + " " + std::to_string(Y()), "7.00| 7.000000 0.000000");
    EXPECT_FALSE(oMain.View().bInErr || oMain.View().sNote.empty());
}

// A save that is killed leaves the old file or the new one, never a mix.
TEST_F(StateTest, AKilledSaveLeavesAWholeFile) {
    CStateFile aStates[2];
    for (int i : {0, 1}) aStates[i].aRegs[7] = i + 1;
    aStates[1].sFilename = "second";
    ASSERT_TRUE(aStates[0].Write("target.txt"));
    std::mt19937 oRng(7);
    for (int nKill = 0; nKill < 200; ++nKill) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            for (int i = 0;; ++i) aStates[i % 2].Write("target.txt");
        usleep(200 + oRng() % 3000);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        CStateFile oRead;
        ASSERT_TRUE(oRead.Read("target.txt")) << "after kill " << nKill;
        EXPECT_TRUE(oRead.aRegs[7] == 1 || oRead.aRegs[7] == 2);
        EXPECT_EQ(oRead.sFilename, oRead.aRegs[7] == 2 ? "second" : "");
    }
}

// A reset panel is a new one (the fuzz targets reuse one): same state file, panel and tape, and the same from then on.
TEST_F(StateTest, AResetPanelIsANewPanel) {
    const auto Seen = [](CFrontPanel& oPanel, const std::string& sFile) {
        EXPECT_TRUE(oPanel.WriteStateTo(sFile));
        const CPanelView& o = oPanel.View();
        std::string s = ReadFile(sFile);
        for (const std::string& t : {o.lblDisp, o.lblEex, o.lblPrgm, o.sTitle, o.oTape.Text()}) s += "|" + t;
        for (double v : {o.fLastX, o.oMachine.fAngleFactor, o.oStat.GetCount()}) s += "|" + std::to_string(v);
        for (int n : {int(o.bOn), int(o.bRun), int(o.bCardVisible), int(oPanel.Busy()), int(oPanel.WorkChanged()),
                      int(o.eShift), int(o.ePendOp), int(o.eNumEntry), int(o.oPrgm.GetPrgmPointer()), int(o.oPrgm.ReturnDepth()),
                      int(o.oTape.Printed()), int(o.oPrgm.HasBreak(7)), int(o.oPrgm.nRunSteps), int(o.bInErr)})
            s += "|" + std::to_string(n);
        return s;
    };
    oMain.Machine().nDigits = 5;
    oMain.Machine().eDispMode = enmDispMode::SCI;
    int n = 1;
    for (const char* s : {"LBL A", "-X-", "1", "+", "R/S", "LBL B", "9", "R/S"}) oMain.Prgm().SetLine(n++, s);
    oMain.Prgm().ScanLabels();
    oMain.Prgm().SetFilename("x.corvel");
    oMain.Prgm().ToggleBreak(7);
    Keys("h CHS 5 SUM+ A B");
    oHost.bDriving = true;   // the run A starts is left under way
    Keys("A 4 . 5 EEX 3 f");
    oMain.ResetToNew();
    oHost.bDriving = false;
    CFakeHost oHost2;
    CFrontPanel oNew(oHost2);
    EXPECT_EQ(Seen(oMain, "a.txt"), Seen(oNew, "b.txt"));
    for (CFrontPanel* p : {&oMain, &oNew}) {
        for (const char* s : {"LBL A", "-X-"}) p->Prgm().InsertLine(s);
        for (const char* k : {"W/PRGM", "RUN", "3", "A", "g", "R/S", "STO", "1"}) p->PressKey(k);
    }
    EXPECT_EQ(Seen(oMain, "a.txt"), Seen(oNew, "b.txt"));
}
