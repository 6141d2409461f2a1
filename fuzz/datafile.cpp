// Fuzz target: the data-file readers and the scratch-file copies. The
// input's first line chooses the operation, the rest is the file:
//   "R CODE"  the file read into the register block CODE (12.034: R12..R34)
//   "S N M"   the file is data file N, copied to the scratch file, and the
//             scratch file copied to data file M
//   other     the file read into all registers
// It fails when a failed read changes anything or leaves flag 3 set, when a
// read stores a non-finite number or anything outside its block, when the
// registers written and read back differ in any bit, or when a copy through
// the scratch file reads differently from its source.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <string>

#include "FuzzSupport.h"

using namespace corvel_fuzz;

namespace {

constexpr int kFlagData = 3;

// Register contents that test the writer: signed zeros, subnormals, the
// largest doubles, values without a short decimal form.
void Fill(CMachine& m) {
    static const double kValues[] = {0.0,     -0.0,     0.1,    -1.0 / 3.0, 4.9e-324, -DBL_MAX,  DBL_MAX,
                                     1e-300,  -2.5e-310, 9.999999999e99, 1e100, 123456789.123456789, std::numbers::pi};
    constexpr int n = sizeof kValues / sizeof kValues[0];
    for (int r = 0; r <= CMem::kMaxReg; ++r) m.oMem.Sto(r, kValues[r % n] * (r % 2 ? 1 : -1));
    m.oFlags.SetFlag(kFlagData);
}

// The machines of this process, each reset before use.
CMachine& Machine(int n) {
    static CMachine a[3];
    Reset(a[n]);
    return a[n];
}

// The registers [a, b] written as a block file (in memory) and read into a
// new machine come back bit for bit. Only the registers the input reached are written:
// the others hold the fill, the same for every input.
void CheckRoundTrip(CMachine& m, int a, int b) {
    CMachine& oBlock = Machine(1);
    const double fCode = a + b / 1000.0;
    double fCopy = fCode;
    m.oMem.GetMemRange(fCopy, a, b);   // the block as the code gives it
    FUZZ_CHECK(oBlock.oMem.ReadRangeDataText(m.oMem.RangeDataText(fCode), fCode), "block file written could not be read");
    for (int r = a; r <= b; ++r)
        FUZZ_CHECK(SameBits(m.oMem.Rcl(r), oBlock.oMem.Rcl(r)), "block written and read back differs");
}

void ReadIntoRegisters(const std::string& sHeader, std::string_view sBody) {
    CMachine& m = Machine(0);
    Fill(m);
    CMachineSnap oBefore = CMachineSnap::Of(m);
    const bool bRange = !sHeader.empty() && sHeader[0] == 'R';
    double fCode = bRange ? std::strtod(sHeader.c_str() + 1, nullptr) : 0.999;
    int a = 0, b = CMem::kMaxReg;
    try {
        double fCopy = fCode;
        m.oMem.GetMemRange(fCopy, a, b);
    } catch (const CCalcError&) {
        // An invalid code is refused before the file is looked at.
        try {
            m.oMem.ReadRangeDataText(sBody, fCode);
            FUZZ_CHECK(false, "an invalid range code was taken");
        } catch (const CCalcError&) {
        }
        FUZZ_CHECK(CMachineSnap::Of(m) == oBefore, "a refused range code changed the machine");
        return;
    }
    const bool bOk = bRange ? m.oMem.ReadRangeDataText(sBody, fCode) : m.oMem.ReadDataText(sBody);
    const CMachineSnap oAfter = CMachineSnap::Of(m);
    if (!bOk) {
        oBefore.aFlags[kFlagData] = false;
        FUZZ_CHECK(oAfter == oBefore, "a failed read changed the machine");
        return;
    }
    FUZZ_CHECK(oAfter.aFlags[kFlagData], "a complete read did not set flag 3");
    CheckFinite(m, true);
    for (int r = 0; r <= CMem::kMaxReg; ++r)
        if (r < a || r > b)
            FUZZ_CHECK(SameBits(oAfter.aRegs[static_cast<size_t>(r)], oBefore.aRegs[static_cast<size_t>(r)]),
                       "a read changed a register outside its block");
    const size_t nLines = std::max<size_t>(FileIO::SplitLines(sBody, static_cast<size_t>(b - a + 1)).size(), 1);
    CheckRoundTrip(m, a, a + static_cast<int>(nLines) - 1);
}

// The name of data file number x, or false when x names none.
bool NumberedName(double x, std::string& sName) {
    const double t = std::trunc(x);
    if (!(t >= -32768.0 && t <= 32767.0)) return false;
    sName = "DATAFILE" + std::to_string(static_cast<int>(t)) + ".dax";
    return true;
}

void CopyThroughScratch(const std::string& sHeader, std::string_view sBody) {
    const CWorkDir::CInput oInput;   // the only operation here with files
    const char* p = sHeader.c_str() + 1;
    char* pEnd = nullptr;
    const double fFrom = std::strtod(p, &pEnd);
    const double fTo = std::strtod(pEnd, nullptr);
    std::string sFrom, sTo;
    const bool bFrom = NumberedName(fFrom, sFrom);
    if (bFrom) WriteFile(sFrom, sBody);
    CMachine& m = Machine(0);
    FUZZ_CHECK(m.oMem.WriteToScratchFile(fFrom), "the scratch file could not be written");
    const bool bScratch = std::filesystem::exists(CMem::kScratchFile);
    FUZZ_CHECK(bScratch == bFrom, "the scratch file was written for no data file, or not written");
    if (!bFrom) return;
    // The copy reads as its source does.
    CMachine &m1 = Machine(1), &m2 = Machine(2);
    Fill(m1);
    Fill(m2);
    const bool bOk1 = m1.oMem.ReadData(sFrom), bOk2 = m2.oMem.ReadData(CMem::kScratchFile);
    FUZZ_CHECK(bOk1 == bOk2 && CMachineSnap::Of(m1) == CMachineSnap::Of(m2),
               "the scratch copy reads differently from its source");
    // And copied back it is the same bytes.
    FUZZ_CHECK(m.oMem.ReadFromScratchFile(fTo), "a data file could not be written from the scratch file");
    if (NumberedName(fTo, sTo))
        FUZZ_CHECK(ReadFile(sTo) == ReadFile(CMem::kScratchFile), "the scratch file copied back differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string_view sRest(reinterpret_cast<const char*>(pData), nSize);
    const std::string sHeader(TakeLine(sRest));
    if (!sHeader.empty() && sHeader[0] == 'S')
        CopyThroughScratch(sHeader, sRest);
    else
        ReadIntoRegisters(sHeader, sRest);
    return 0;
}
