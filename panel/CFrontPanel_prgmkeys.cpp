// W/PRGM mode: the program step each key records in each prefix state.
#include "CFrontPanel.h"

namespace corvel {

void CFrontPanel::Record(const std::string& sStep) {
    oPrgm.InsertLine(sStep);
    ShowPrgmLineAndEnd();
}

void CFrontPanel::ShowPrgmLineAndEnd() {
    SetDisplay(oPrgm.ShowCurrLine(), "");
    const bool bHadPrefix = eShift != enmShift::None;
    eShift = enmShift::None;
    if (bHadPrefix && !HasPendOp()) SetTitle(kTitle);
}

void CFrontPanel::DeleteStepKey() {
    // Step 000 is the top of memory and holds no instruction: there is
    // nothing to delete there, and deleting would lose step 1.
    int p = oPrgm.GetPrgmPointer();
    if (p > 0) {
        oPrgm.DeleteLine();
        --p;
    }
    oPrgm.SetPrgmPointer(p);
    ShowPrgmLineAndEnd();
    SetTitle(kTitle);
}

void CFrontPanel::NextLineKey() { SetDisplay(oPrgm.ShowNextLine(), ""); }

void CFrontPanel::PrevLineKey() {
    SetDisplay(oPrgm.ShowPrevLine(), "");
    SetTitle(kTitle);
}

void CFrontPanel::PrgmKey(enmKey eKey) {
    const CKeyRow& oRow = KeyRow(eKey);
    const CKeyAct& oAct = oRow.aPrgm[static_cast<int>(eShift)];
    if (oAct.eAct == enmAct::Prefix) {
        PrefixKey(eKey == enmKey::F ? enmShift::F : eKey == enmKey::G ? enmShift::G : enmShift::H);
        return;
    }
    if (HasPendOp() && PendingKey(eKey)) return;
    switch (oAct.eAct) {
    case enmAct::Record:
        Record(oAct.sText);
        // CLX clears "Error" in either mode.
        if (eKey == enmKey::CLX) bInErr = false;
        return;
    case enmAct::Pend:
        SetPendOp(oAct.ePend);
        eShift = enmShift::None;
        return;
    case enmAct::Own:
        (this->*oAct.pfnOwn)();
        return;
    default:
        ShowPrgmLineAndEnd();
        return;
    }
}

} // namespace corvel
