// Fuzz target: the state-file reader, alone (in memory) and behind the restore button. It fails
// when a refused file changes anything (the reader's object, or the calculator's program,
// registers, stack, flags and settings); when an accepted one brings a non-finite number or leaves
// the pointer off the program; and when the state written and read back (by the reader, and
// through the save button) differs in any bit.
#include <cfloat>
#include <string>

#include "FuzzSupport.h"
#include "common/FakeHost.h"
#include "panel/CFrontPanel.h"
#include "panel/CStateFile.h"

using namespace corvel_fuzz;

namespace {

bool SameRegs(const CStateFile& a, const CStateFile& b) {
    return std::memcmp(a.aRegs.data(), b.aRegs.data(), sizeof a.aRegs) == 0;
}

void CheckSame(const CStateFile& a, const CStateFile& b, const char* sWhat) {
    FUZZ_CHECK(a.sFilename == b.sFilename && a.aSteps == b.aSteps && a.aFlags == b.aFlags && a.nDigits == b.nDigits &&
                   a.eDispMode == b.eDispMode && SameRegs(a, b) && SameBits(a.fT, b.fT) && SameBits(a.fZ, b.fZ) &&
                   SameBits(a.fY, b.fY) && SameBits(a.fX, b.fX),
               sWhat);
}

// A state unlike the one any file gives: what a refused read must leave.
CStateFile Sample() {
    CStateFile o;
    o.sFilename = "sample.corvel";
    for (int i = 1; i <= CStateFile::kSteps; ++i) o.aSteps[static_cast<size_t>(i)] = i % 2 ? "LBL A" : "R/S";
    for (int r = 0; r < CStateFile::kRegs; ++r) o.aRegs[static_cast<size_t>(r)] = r % 3 ? -0.0 : DBL_MAX / (r + 1);
    o.fT = 4.9e-324;
    o.fX = -1.0 / 3.0;
    o.aFlags[3] = true;
    o.nDigits = -7;
    o.eDispMode = enmDispMode::SCI;
    return o;
}

// The reader alone (on the text in memory), on a copy of oBefore: a refused file leaves
// it alone; an accepted one holds finite numbers and its text reads back unchanged.
bool CheckReader(CStateFile& o, const CStateFile& oBefore, std::string_view sText) {
    if (!o.Parse(sText)) {
        CheckSame(o, oBefore, "a refused state file changed the reader's state");
        return false;
    }
    for (double v : o.aRegs) FUZZ_CHECK(std::isfinite(v), "a state file gave a non-finite register");
    for (double v : {o.fT, o.fZ, o.fY, o.fX}) FUZZ_CHECK(std::isfinite(v), "a state file gave a non-finite stack value");
    static CStateFile oBack;
    FUZZ_CHECK(oBack.Parse(o.Text()), "a state file written could not be read back");
    CheckSame(o, oBack, "a state file written and read back differs");
    return true;
}

// The restore button: a refused file changes nothing; an accepted one gives
// every register bit for bit, a pointer on step 1, and saves back the same.
void CheckRestore(const CStateFile& oFile, bool bAccepted) {
    static CFakeHost oHost;   // one panel for the process, new at first and reset after each input
    static CFrontPanel oPanel(oHost);
    struct CAfter {
        ~CAfter() {
            oHost = CFakeHost();
            oPanel.ResetToNew();
        }
    } oAfter;
    oPanel.Prgm().SetLine(1, "LBL B");
    oPanel.Prgm().SetLine(2, "STO 7");
    oPanel.Prgm().ScanLabels();
    oPanel.Prgm().SetPrgmPointer(2);
    for (int r = 0; r <= CMem::kMaxReg; ++r) oPanel.Machine().oMem.Sto(r, r * 0.25 - 3);
    oPanel.Machine().oStack.SetAll(1, 2, 3, 4);
    oPanel.Machine().oFlags.SetFlag(2);
    oPanel.Machine().nDigits = 5;
    static const CMachineSnap oMachine = CMachineSnap::Of(oPanel.Machine());
    static const CProgramSnap oProgram = CProgramSnap::Of(oPanel.Prgm());
    oHost.vFiles = {CWorkDir::Get().Choice("in.txt")};
    oPanel.imgRestoreState_Click();
    if (!bAccepted) {
        FUZZ_CHECK(CMachineSnap::Of(oPanel.Machine()) == oMachine, "a refused state file changed the machine");
        FUZZ_CHECK(CProgramSnap::Of(oPanel.Prgm()) == oProgram, "a refused state file changed the program");
        return;
    }
    CheckFinite(oPanel.Machine(), true);
    CheckPointers(oPanel.Prgm());
    FUZZ_CHECK(oPanel.Prgm().GetPrgmPointer() == 1, "a restore left the pointer off step 1");
    for (int r = 0; r <= CMem::kMaxReg; ++r)
        FUZZ_CHECK(SameBits(oPanel.Machine().oMem.Rcl(r), oFile.aRegs[static_cast<size_t>(r)]), "a register was not restored");
    if (oPanel.View().bInErr) return;   // saving is refused then
    oHost.vFiles = {CWorkDir::Get().Choice("saved.txt")};
    oPanel.imgSaveState_Click();
    static CStateFile oSaved;
    FUZZ_CHECK(oSaved.Read("saved.txt") && SameRegs(oSaved, oFile) && oSaved.aSteps == oFile.aSteps &&
                   oSaved.sFilename == oFile.sFilename,
               "the state saved after a restore does not read back as the file restored");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const CWorkDir::CInput oInput;
    const std::string_view sText(reinterpret_cast<const char*>(pData), nSize);
    WriteFile("in.txt", sText);   // for the restore button
    static const CStateFile oSample = Sample();
    static CStateFile o;
    o = oSample;
    const bool bAccepted = CheckReader(o, oSample, sText);
    CheckRestore(o, bAccepted);
    return 0;
}
