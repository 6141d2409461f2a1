// The register viewer and the memory block viewer: their texts are built
// here, the host shows them.
#include <cmath>
#include <cstdio>

#include "../numeric/NumUtil.h"
#include "CFrontPanel.h"

namespace corvel {

std::vector<std::string> CFrontPanel::MemRegLines() const {
    std::vector<std::string> v;
    for (int r = 0; r <= CMem::kRegI; ++r) {
        const double f = r < CMem::kRegI ? oMem.Rcl(r) : oMem.RclI();
        std::string sMant, sExp;
        ShowXHelper(f, sMant, sExp);
        if (sMant.empty() || sMant[0] != '-') sMant.insert(0, " ");
        const std::string sValue = sExp.empty() ? sMant : sMant + "E" + sExp;
        std::string sName;
        if (r < 10)
            sName = "p" + std::to_string(r) + ": ";
        else if (r < 20)
            sName = "s" + std::to_string(r - 10) + ": ";
        else if (r < 25)
            sName = std::string(" ") + static_cast<char>('A' + r - 20) + ": ";
        else
            sName = " I: ";
        v.push_back(sName + sValue);
    }
    return v;
}

void CFrontPanel::ShowMemViewer() { oHost_.ShowRegisters(MemRegLines()); }

void CFrontPanel::DecodeViewerRange(double fRange, int& nFirst, int& nLast) {
    const double a = std::fabs(fRange);
    if (!(a < 1e15)) throw CCalcError(enmErrKind::Overflow);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%09.4f", a);
    std::string s(buf);
    s += s.find('.') == std::string::npos ? ".000" : "000";
    const auto p = s.find('.');
    const double fFirst = std::stod(s.substr(0, p));
    const double fLast = std::stod(s.substr(p + 1, 3));
    double lo = fFirst, hi = fLast;
    if (lo > hi) std::swap(lo, hi);
    if (hi > CMem::kMaxReg) throw CCalcError(enmErrKind::Overflow);
    nFirst = static_cast<int>(lo);
    nLast = static_cast<int>(hi);
}

std::vector<std::string> CFrontPanel::MemBlockLines(int nFirst, int nLast, bool bNonZeroOnly) const {
    std::vector<std::string> v;
    for (int r = nFirst; r <= nLast; ++r) {
        const double f = oMem.Rcl(r);
        if (bNonZeroOnly && f == 0.0) continue;
        v.push_back(std::to_string(r) + ": " + NumUtil::FormatG15(f));
    }
    return v;
}

void CFrontPanel::ShowMemBlock(double& fRange) {
    int nFirst = 0, nLast = 0;
    DecodeViewerRange(fRange, nFirst, nLast);
    oHost_.ShowMemBlock([this, nFirst, nLast](bool bNonZero) { return MemBlockLines(nFirst, nLast, bNonZero); });
}

} // namespace corvel
