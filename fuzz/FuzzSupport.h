#pragma once
// What the fuzz targets share: a check that stops the run when it fails, a
// private working directory per process that every input starts from empty,
// whole-file helpers, and the invariants of the machine state with a
// snapshot to compare before and after an operation that must change nothing.
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/FakeFeedback.h"
#include "machine/CFileIO.h"
#include "machine/CMachine.h"
#include "numeric/Numeric.h"
#include "program/CPrgm.h"

#define FUZZ_CHECK(cond, what)                                           \
    do {                                                                 \
        if (!(cond)) corvel_fuzz::Fail(what, __FILE__, __LINE__);        \
    } while (0)

namespace corvel_fuzz {

using namespace corvel;

[[noreturn]] inline void Fail(const char* sWhat, const char* sFile, int nLine) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", sWhat, sFile, nLine);
    std::fflush(stderr);
    __builtin_trap();
}

// A directory of this process's own (mkdtemp), removed with its contents
// when the process exits. Each input runs inside it (CInput), so that the
// files the calculator names itself ("$$.dax", the default state file) land
// there too, and starts from it empty.
class CWorkDir {
public:
    static CWorkDir& Get() {
        static CWorkDir o;
        return o;
    }
    // A file dialog's answer: sName in this directory.
    CFileChoice Choice(const std::string& sName) const { return {sName, sDir_ + "/" + sName}; }
    ~CWorkDir() {
        std::error_code ec;
        std::filesystem::remove_all(sDir_, ec);
    }

    // While one input runs: the directory emptied and made the current one;
    // the fuzzer's own directory is current again afterwards.
    class CInput {
    public:
        CInput() {
            CWorkDir& o = Get();
            std::error_code ec;
            for (const auto& e : std::filesystem::directory_iterator(o.sDir_, ec))
                std::filesystem::remove_all(e.path(), ec);
            FUZZ_CHECK(getcwd(aOld_, sizeof aOld_) != nullptr && chdir(o.sDir_.c_str()) == 0,
                       "cannot enter the work directory");
        }
        ~CInput() {
            if (chdir(aOld_) != 0) std::perror("corvel fuzz: back to the start directory");
        }

    private:
        char aOld_[4096];
    };

private:
    // In TMPDIR when it is set (and not empty), otherwise in memory
    // (/dev/shm) when there is such a place: files made and removed
    // thousands of times a second are slow on a disk's file system.
    CWorkDir() {
        const char* sTmp = std::getenv("TMPDIR");
        const bool bShm = (!sTmp || !*sTmp) && access("/dev/shm", W_OK) == 0;
        std::string sTemplate = (bShm ? "/dev/shm" : std::filesystem::temp_directory_path()) / "corvel-fuzz-XXXXXX";
        if (!mkdtemp(sTemplate.data())) {
            std::perror("corvel fuzz work directory");
            std::abort();
        }
        sDir_ = sTemplate;
    }
    std::string sDir_;
};

inline void WriteFile(const std::string& sName, std::string_view sBytes) {
    std::FILE* f = std::fopen(sName.c_str(), "wb");
    FUZZ_CHECK(f != nullptr, "cannot create an input file");
    const bool bOk = std::fwrite(sBytes.data(), 1, sBytes.size(), f) == sBytes.size();
    FUZZ_CHECK(std::fclose(f) == 0 && bOk, "cannot write an input file");
}

inline std::string ReadFile(const std::string& sName) {
    std::ifstream is(sName, std::ios::binary);
    return {std::istreambuf_iterator<char>(is), std::istreambuf_iterator<char>()};
}

// The first line of an input (without its end) and the rest after it.
inline std::string_view TakeLine(std::string_view& s) {
    const size_t p = s.find('\n');
    std::string_view sLine = s.substr(0, p);
    s = p == std::string_view::npos ? std::string_view() : s.substr(p + 1);
    if (!sLine.empty() && sLine.back() == '\r') sLine.remove_suffix(1);
    return sLine;
}

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Nothing but finite numbers on the stack, in LAST X and (bRegisters) in the registers.
inline void CheckFinite(const CMachine& m, bool bRegisters) {
    const CStack& s = m.oStack;
    FUZZ_CHECK(std::isfinite(s.GetX()) && std::isfinite(s.GetY()) && std::isfinite(s.GetZ()) &&
                   std::isfinite(s.GetT()),
               "a non-finite number on the stack");
    FUZZ_CHECK(std::isfinite(m.fLastX), "a non-finite LAST X");
    if (bRegisters)
        for (int r = 0; r <= CMem::kMaxReg; ++r) FUZZ_CHECK(std::isfinite(m.oMem.Rcl(r)), "a non-finite register");
}

// The program pointer and the return stack name steps that exist.
inline void CheckPointers(const CPrgm& p) {
    FUZZ_CHECK(p.GetPrgmPointer() >= 0 && p.GetPrgmPointer() <= CPrgm::kMaxSteps, "program pointer out of range");
    FUZZ_CHECK(p.ReturnDepth() >= 0 && p.ReturnDepth() <= CPrgm::kRetDepth, "return stack pointer out of range");
    for (int k = 1; k <= p.ReturnDepth(); ++k)
        FUZZ_CHECK(p.ReturnStack()[static_cast<size_t>(k)] >= 0 && p.ReturnStack()[static_cast<size_t>(k)] <= CPrgm::kMaxSteps,
                   "return address out of range");
}

// Everything of the machine a file read may change, compared bit for bit.
struct CMachineSnap {
    std::array<double, CMem::kMaxReg + 1> aRegs{};
    std::array<double, 5> aStack{};
    std::array<bool, 10> aFlags{};
    int16_t nDigits = 0;
    enmDispMode eMode = enmDispMode::FIX;
    bool bInErr = false;

    static CMachineSnap Of(const CMachine& m) {
        CMachineSnap o;
        for (int r = 0; r <= CMem::kMaxReg; ++r) o.aRegs[static_cast<size_t>(r)] = m.oMem.Rcl(r);
        o.aStack = {m.oStack.GetX(), m.oStack.GetY(), m.oStack.GetZ(), m.oStack.GetT(), m.fLastX};
        for (int f = 0; f < 10; ++f) o.aFlags[static_cast<size_t>(f)] = m.oFlags.PeekFlag(f);
        o.nDigits = m.nDigits;
        o.eMode = m.eDispMode;
        o.bInErr = static_cast<bool>(m.bInErr);
        return o;
    }
    bool operator==(const CMachineSnap& o) const {
        return std::memcmp(aRegs.data(), o.aRegs.data(), sizeof aRegs) == 0 &&
               std::memcmp(aStack.data(), o.aStack.data(), sizeof aStack) == 0 && aFlags == o.aFlags &&
               nDigits == o.nDigits && eMode == o.eMode && bInErr == o.bInErr;
    }
};

// What a fake host recorded and the answers left unused, dropped after an
// input: what an input keeps, the fuzzer takes for a leak.
template <class THost>
void DropRecords(THost& o) {
    o.vMessages.clear(), o.vShown.clear(), o.vSounds.clear(), o.vYesNo.clear(), o.vFiles.clear();
}

// A machine used for an earlier input put back to what a new one is (and
// the random numbers to their start), so that a finding replays alike alone.
inline void Reset(CMachine& m) {
    m.ResetToNew();
    Numeric::ResetRandom();
}

// The last step that is not the filler "R/S" (0 for none): passes over a
// program stop there.
inline int End(const CPrgm& p) {
    int n = CPrgm::kMaxSteps;
    while (n > 0 && p.GetLine(n).size() == 3 && p.GetLine(n).compare(CPrgm::kFiller) == 0) --n;
    return n;
}

// A calculator without a panel, made once for a process and reset after
// each use: the machine as a new one, the program memory cleared, the fake's
// answers and records empty.
struct CCalc {
    CMachine m;
    CFakeFeedback fb{m};
    CPrgm p{m, fb};
    void Reset() {
        corvel_fuzz::Reset(m);
        p.ResetToNew();
        DropRecords(fb);
        fb.vBlocks.clear();
        fb.fClock = 1.0e9;
    }
};

// The program memory as a reader may change it (the steps to its end).
struct CProgramSnap {
    std::vector<std::string> vSteps;
    int16_t nPtr = 0;
    std::string sFile;
    std::string sLabels;   // where each label A..E, a..e and 0..9 points

    static CProgramSnap Of(const CPrgm& p) {
        CProgramSnap o;
        for (int n = 0, nEnd = End(p); n <= nEnd; ++n) o.vSteps.push_back(p.GetLine(n));
        o.nPtr = p.GetPrgmPointer();
        o.sFile = p.GetFilename();
        for (const char* s : {"A", "B", "C", "D", "E", "a", "b", "c", "d", "e", "0", "1", "2", "3", "4", "5", "6",
                              "7", "8", "9"})
            o.sLabels += std::to_string(p.FindLabel(s)) + ",";
        return o;
    }
    bool operator==(const CProgramSnap& o) const = default;
};

} // namespace corvel_fuzz

// libFuzzer calls this before fuzzing. Inputs run in the work directory, so a
// relative place for the inputs that fail (none given means the current
// directory) is made absolute here, while the current directory is still
// the one the fuzzer was started in.
extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv) {
    static std::vector<std::string> vArgs(*pArgv, *pArgv + *pArgc);
    static std::vector<char*> vPtrs;
    const std::string sKey = "-artifact_prefix=", sHere = std::filesystem::current_path().string() + "/";
    vArgs.insert(vArgs.begin() + 1, sKey);   // the last one given counts
    for (std::string& s : vArgs)
        if (s.rfind(sKey, 0) == 0 && (s.size() == sKey.size() || s[sKey.size()] != '/')) s.insert(sKey.size(), sHere);
    for (std::string& s : vArgs) vPtrs.push_back(s.data());
    vPtrs.push_back(nullptr);
    *pArgc = static_cast<int>(vArgs.size());
    *pArgv = vPtrs.data();
    return 0;
}
