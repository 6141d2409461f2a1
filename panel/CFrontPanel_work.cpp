// The user's work (program memory, the program's file name, the 1000
// registers) and whether it changed since it was last kept: at start-up, by a
// state save or by a restore. Closing the window and its recovery file ask this.
#include <bit>
#include <cstdint>

#include "CFrontPanel.h"

namespace corvel {

void CFrontPanel::MarkWorkKept() {
    vKeptSteps_.resize(static_cast<size_t>(oPrgm.GetMaxSteps()) + 1);
    for (int i = 1; i <= oPrgm.GetMaxSteps(); ++i) vKeptSteps_[static_cast<size_t>(i)] = oPrgm.GetLine(i);
    vKeptRegs_.resize(static_cast<size_t>(oMem.GetMaxMemReg()) + 1);
    for (int r = 0; r <= oMem.GetMaxMemReg(); ++r) vKeptRegs_[static_cast<size_t>(r)] = oMem.Rcl(r);
    sKeptFilename_ = oPrgm.GetFilename();
    bChangedAnyway_ = false;
}

void CFrontPanel::MarkWorkNew() {
    vKeptSteps_.clear();
    vKeptRegs_.clear();
    sKeptFilename_.clear();
    bChangedAnyway_ = false;
}

bool CFrontPanel::WorkChanged() const {
    if (bChangedAnyway_ || sKeptFilename_ != oPrgm.GetFilename()) return true;
    const bool bNew = vKeptSteps_.empty();
    static const std::string sNewStep = CPrgm::kFiller;
    for (int i = 1; i <= oPrgm.GetMaxSteps(); ++i)
        if (oPrgm.GetLine(i) != (bNew ? sNewStep : vKeptSteps_[static_cast<size_t>(i)])) return true;
    // Bit for bit: -0 and 0 differ, as the state file writes them.
    for (int r = 0; r <= oMem.GetMaxMemReg(); ++r) {
        const uint64_t nKept = bNew ? 0 : std::bit_cast<uint64_t>(vKeptRegs_[static_cast<size_t>(r)]);
        if (std::bit_cast<uint64_t>(oMem.Rcl(r)) != nKept) return true;
    }
    return false;
}

} // namespace corvel
