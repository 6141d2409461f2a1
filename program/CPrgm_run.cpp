// The frame around one step (single step), the run loop and the back step.
#include <cstdio>
#include <string>

#include "../numeric/CCalcError.h"
#include "../panel/frmMain.h"
#include "CPrgm.h"

namespace {

std::string ThreeDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", n);
    return buf;
}

// Restores the busy pointer however a run ends.
class CBusyPointer {
public:
    explicit CBusyPointer(frmMain& m) : m_(m) {
        m_.bBusy = true;
        m_.Host().Refresh(enmPart::Cursor);
    }
    ~CBusyPointer() {
        m_.bBusy = false;
        m_.Host().Refresh(enmPart::Cursor);
    }
    CBusyPointer(const CBusyPointer&) = delete;
    CBusyPointer& operator=(const CBusyPointer&) = delete;

private:
    frmMain& m_;
};

} // namespace

void CPrgm::ShowStepBriefly(bool bRepaintAfter) {
    frmMain& m = oMain_;
    const std::string sDisp = m.lblDisp, sEex = m.lblEex;
    m.lblDisp = ShowCurrLine();
    m.lblEex.clear();
    m.RepaintDisplay();
    m.Wait(2);
    m.lblDisp = sDisp;
    m.lblEex = sEex;
    if (bRepaintAfter) m.RepaintDisplay();
}

void CPrgm::RunStep() {
    CStep& oStep = Decoded_[PrgmPtr];
    if (!oStep.bValid) Decode(Program_[PrgmPtr], oStep);
    const CInstr* pInstr = oStep.pInstr;
    if (pInstr == nullptr) return;   // unknown mnemonic: passed over like an empty step
    if (!pInstr->bEntry) SavePendingNumber();
    if (pInstr->pfnExec != nullptr) pInstr->pfnExec(*this, oStep);
}

void CPrgm::ExecuteStep() {
    if (PrgmPtr < 0 || PrgmPtr > kMaxSteps) {
        Halted = true;
        return;
    }
    if (PrgmPtr == 0) PrgmPtr = 1;
    bAdvance_ = true;
    RunStep();
    if (!oMain_.bInErr && !Halted && bAdvance_) INC(PrgmPtr);
}

void CPrgm::SST_Exec(bool& bSST) {
    frmMain& m = oMain_;
    if (m.bInErr || Halted) return;
    CHost& oHost = m.Host();
    try {
        oHost.ProcessEvents();
        if (PrgmPtr < 0 || PrgmPtr > kMaxSteps) {
            Halted = true;
            return;
        }
        if (PrgmPtr == 0) PrgmPtr = 1;   // step 000 is never executed
        bAdvance_ = true;
        DecodedStep(PrgmPtr);
        oHost.ProcessEvents();
        if (bSST) ShowStepBriefly(false);
        oHost.ProcessEvents();
        // A stop requested from outside while this step was being prepared
        // (R/S, On, Off, the mode switch) takes effect before the step runs:
        // the pointer stays on it and a new run starts there.
        if (StopRequested && !bSST) return;
        ++nRunSteps;
        RunStep();
        oHost.ProcessEvents();
        if (!m.bInErr && !Halted && bAdvance_) INC(PrgmPtr);
        if (Halted) {
            if (bSST) {
                oHost.ShowNotice("SST Information", "End of program!", enmIcon::Information);
                m.PlayBeep();
            }
            m.lblPrgm = sFilename_;
            oHost.Refresh(enmPart::PrgmLabel);
        }
    } catch (const CCalcError&) {
        m.bInErr = true;
        m.MsgBox("Error at line " + ThreeDigits(PrgmPtr) + " " + Program_[PrgmPtr], "Program Error");
    }
    if (bSST) {
        if (!EntryActive && !ExpEntryActive)
            m.ShowX();
        else
            m.RepaintDisplay();   // the digits keyed so far stay on display
    }
}

void CPrgm::Exec() {
    frmMain& m = oMain_;
    ResetStartTime();
    Halted = false;
    StopRequested = false;
    nRunSteps = 0;
    m.bInErr = false;
    EntryActive = ExpEntryActive = false;
    {
        CBusyPointer oBusy(m);
        m.Host().Refresh(enmPart::Window);
        bool bSST = false;
        bool bStopped = false;
        for (;;) {
            if (m.bInErr || Halted) break;
            if (StopRequested) {
                bStopped = true;
                break;
            }
            SST_Exec(bSST);
        }
        if (bStopped) ResetStartTime();
        StopRequested = false;
    }
    m.ShowX();
    m.Host().Refresh(enmPart::Window);
    m.PlayBeep();
}

void CPrgm::BST() {
    if (PrgmPtr > 1) DEC(PrgmPtr);
    ShowStepBriefly(true);
    Halted = false;
}
