#include "CMem.h"

#include <cmath>
#include <utility>

#include "../numeric/NumUtil.h"
#include "CStack.h"

namespace corvel {

int CMem::RegOfName(const std::string& sName) {
    if (sName == "I") return kRegI;
    static const std::string sLetters = "ABCDE";
    if (sName.empty() || sLetters.find(sName) == std::string::npos) return -1;
    return 20 + (sName[0] - 'A');
}

CMem::CMem() { Clear(); }

void CMem::Clear() { R_.fill(0.0); }

void CMem::SwapPrimtoSecMem() {
    for (int k = 0; k < 10; ++k) std::swap(R_[k], R_[k + 10]);
}


void CMem::StoA(const std::string& sName, double v) {
    const int n = RegOfName(sName);
    if (n >= 0) Sto(n, v);
}

double CMem::RclA(const std::string& sName) const {
    const int n = RegOfName(sName);
    return n >= 0 ? R_[n] : R_[kRegI];
}

// Register arithmetic computes into a temporary and stores only a finite
// result, so a failing operation leaves the register as it was.
void CMem::StoPlus(int n, double v) {
    if (!IsRegNumber(n)) return;
    R_[n] = NumUtil::Check(R_[n] + v);
}

void CMem::StoMinus(int n, double v) {
    if (!IsRegNumber(n)) return;
    R_[n] = NumUtil::Check(R_[n] - v);
}

void CMem::StoMult(int n, double v) {
    if (!IsRegNumber(n)) return;
    R_[n] = NumUtil::Check(R_[n] * v);
}

void CMem::StoDiv(int n, double v) {
    if (!IsRegNumber(n)) return;
    R_[n] = NumUtil::Div(R_[n], v);
}

void CMem::SwapX_I() {
    if (!pStack_) return;
    const double fX = pStack_->Pop();
    double fOldI = R_[kRegI];
    // A refused push (|I| >= 1e100) sets the error flag; X still goes to I.
    pStack_->Push(fOldI);
    R_[kRegI] = fX;
}



} // namespace corvel
