#pragma once
// The 1000 data registers R0..R999 (R25 is the I register), store/recall by
// number, letter and indirectly through I, register arithmetic, and the
// block operations, block regressions and data files that work on them.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "../numeric/CCalcError.h"
#include "../numeric/NumUtil.h"

namespace corvel {

class CStack;
class CStatRegs;
class CFlags;

class CMem {
public:
    static constexpr int kMaxReg = 999;
    static constexpr int kRegI = 25;
    // The scratch file of the data-file instructions, in the current directory.
    static constexpr const char* kScratchFile = "$$.dax";

    CMem();
    // The front panel hands over its machine objects once they all exist.
    void Attach(CStack* pStack, CStatRegs* pStat, CFlags* pFlags) {
        pStack_ = pStack; pStat_ = pStat; pFlags_ = pFlags;
    }

    int GetMaxMemReg() const { return kMaxReg; }
    void Clear();
    double Ireg() const { return R_[kRegI]; }
    void SetIreg(double v) { StoI(v); }
    void SwapPrimtoSecMem();
    // A register only ever holds a finite value: a NaN or infinity offered to a
    // store is an error and the register keeps what it had.
    void Sto(int n, double v) {
        if (!IsRegNumber(n)) return;
        if (!std::isfinite(v)) throw CCalcError(std::isnan(v) ? enmErrKind::Invalid : enmErrKind::Overflow);
        R_[static_cast<size_t>(n)] = v;
    }
    double Rcl(int n) const { return IsRegNumber(n) ? R_[static_cast<size_t>(n)] : NumUtil::kErrVal; }
    static bool IsRegNumber(int n) { return n >= 0 && n <= kMaxReg; }
    // The register a name stands for: "I" is 25; any piece of "ABCDE" names
    // the register of its first letter (20 + letter); any other text, the
    // empty one included, names no register (-1).
    static int RegOfName(const std::string& sName);
    void StoA(const std::string& sName, double v);
    double RclA(const std::string& sName) const;
    void StoPlus(int n, double v);
    void StoMinus(int n, double v);
    void StoMult(int n, double v);
    void StoDiv(int n, double v);
    // A NaN or infinity is refused like any register store.
    void StoI(double v) {
        if (!std::isfinite(v)) throw CCalcError(std::isnan(v) ? enmErrKind::Invalid : enmErrKind::Overflow);
        R_[kRegI] = v;
    }
    double RclI() const { return R_[kRegI]; }
    // The registers themselves, for the interpreter's fast path, which stores
    // only finite values as Sto does.
    double* Data() { return R_.data(); }
    void SwapX_I();
    void StoInd(double v) {
        const int k = IndIndex();
        if (IsRegNumber(k)) Sto(k, v);
    }
    double RclInd() const {
        const int k = IndIndex();
        return IsRegNumber(k) ? R_[static_cast<size_t>(k)] : NumUtil::kErrVal;
    }
    // Register number addressed through I: |floor(I)|; raises Overflow past 16 bits.
    int IndIndex() const {
        const double k = std::fabs(std::floor(R_[kRegI]));   // a whole number already
        if (!(k <= 32767.0)) NumUtil::Raise(enmErrKind::Overflow);
        return static_cast<int>(k);
    }

    // Register blocks (range codes).
    void GetMemRange(double& fCode, int& nFirst, int& nLast) const;
    void ClearRangeMem(double fCode);
    void FillRangeMemWithFixedValue(double fCode, double v);
    void FillRangeMemWithRandomValue(double fCode, double a, double b);
    void FillRangeMemWithSeqValue(double fCode, double fStart, double fStep);
    void CopyRangeMem(double fSrc, double fDst);
    void MoveRangeMem(double fSrc, double fDst);
    void SwapRangeMem(double fSrc, double fDst);
    void SearchMemRangeIntg(double fCode, double& v, double& fIndex);
    void SearchMemRangeExact(double fCode, double v, double& fIndex);
    double SumAddMemRange(double fCode);
    double SumSubMemRange(double fCode);
    double SumAddXMemRange(double fCode);
    double SumSubXMemRange(double fCode);
    void SortRangeMem(double fCode);
    void SortGroup(double fCode, double fRecordCode);
    void QuickSort(int lb, int ub);

    // Block regressions.
    void LR_Linear(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk);
    void LR_Power(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk);
    void LR_Log(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk);
    void LR_Exp(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk);
    void MultLinearRegression(double fCode, double& a1, double& a2, double& a0, double& fR2, bool& bOk);
    void MLR_Power(double fCode, double& a1, double& a2, double& a0, double& fR2, bool& bOk);
    void QuadraticFit(double fCode, double& a1, double& a2, double& a0, double& fR2, bool& bOk);

    // Data files. Each returns false when the file could not be written or
    // read; a failed read changes no register and clears flag 3, a complete
    // one sets it. An invalid range code raises before any file is touched.
    bool WriteData(const std::string& sFile);
    bool WriteRangeData(const std::string& sFile, double fCode);
    bool ReadData(const std::string& sFile);
    bool ReadRangeData(const std::string& sFile, double fCode);
    bool WriteToScratchFile(double fNumber);
    bool ReadFromScratchFile(double fNumber);
    // The same reads from the text of a data file in memory, and the text
    // WriteRangeData writes.
    bool ReadDataText(std::string_view sText);
    bool ReadRangeDataText(std::string_view sText, double fCode);
    std::string RangeDataText(double fCode) const;

private:
    double SumRange(double fCode, bool bPairs, bool bAdd);
    // From a file name or a text in memory (FileIO::CText).
    template <class TSource>
    bool ReadRegistersFrom(const TSource& oSource, int a, int b, bool bTooManyFails);

    std::array<double, kMaxReg + 1> R_{};
    CStack* pStack_ = nullptr;
    CStatRegs* pStat_ = nullptr;
    CFlags* pFlags_ = nullptr;
};

} // namespace corvel
