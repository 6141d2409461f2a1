// corvelxmem-batch: runs a key script through the calculator and prints the
// display, the title and the stack. Each key acts exactly as a click on it.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "../panel/CFrontPanel.h"
#include "../machine/CFileIO.h"
#include "CBatchHost.h"
#include "corvel_version.h"

using namespace corvel;

namespace {

// A name in the current directory without that directory, so that key
// scripts print the same wherever they run.
std::string WithoutCurrentDir(const std::string& s) {
    std::error_code ec;
    std::string sDir = std::filesystem::current_path(ec).string();
    if (ec || sDir.empty()) return s;
    if (sDir.back() != '/') sDir += '/';
    return s.rfind(sDir, 0) == 0 ? s.substr(sDir.size()) : s;
}

void PrintState(const CPanelView& o) {
    auto num = [](double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return std::string(buf);
    };
    std::cout << "display: " << CBatchHost::Escaped(o.lblDisp) << "|" << CBatchHost::Escaped(o.lblEex) << "\n"
              << "title: " << o.sTitle << "\n"
              << "X: " << num(o.oStack.GetX()) << "\n"
              << "Y: " << num(o.oStack.GetY()) << "\n"
              << "Z: " << num(o.oStack.GetZ()) << "\n"
              << "T: " << num(o.oStack.GetT()) << "\n"
              << "LASTX: " << num(o.fLastX) << "\n"
              << "error: " << (o.bInErr ? "yes" : "no") << "\n";
    std::cout << "pointer: " << CPrgm::StepNumber(o.oPrgm.GetPrgmPointer()) << "\n"
              << "label: " << CBatchHost::Escaped(WithoutCurrentDir(o.lblPrgm)) << "\n"
              << "card: " << (o.bCardVisible ? "yes" : "no") << "\n"
              << "cause: " << o.bInErr.CauseText() << "\n"
              << "note: " << CBatchHost::Escaped(o.sNote) << "\n";
}

// Every step from 001 up to the last one that is not the filler "R/S".
void PrintListing(const CPanelView& o) {
    int nLast = 0;
    for (int n = 1; n <= o.oPrgm.GetMaxSteps(); ++n)
        if (o.oPrgm.GetLine(n) != CPrgm::kFiller) nLast = n;
    for (int n = 1; n <= nLast; ++n)
        std::cout << "step " << CPrgm::StepNumber(n) << " " << CBatchHost::Escaped(o.oPrgm.GetLine(n)) << "\n";
}

// How often each step that ran did run, in step order.
void PrintProfile(const CPanelView& o) {
    for (int n = 1; n <= o.oPrgm.GetMaxSteps(); ++n)
        if (const uint64_t c = o.oPrgm.ProfileCount(n))
            std::cout << "profile " << CPrgm::StepNumber(n) << " " << c << " "
                      << CBatchHost::Escaped(o.oPrgm.GetLine(n)) << "\n";
}

const char* const kUsage =
    "usage: corvelxmem-batch [--answer TEXT]... [--load FILE] [--list] [--trace] [--tape] [--tape-trace]\n"
    "                        [--stop-after N] [--break NNN]... [--profile] [KEY...]\n";

int Usage() {
    std::cerr << kUsage << "Try corvelxmem-batch --help.\n";
    return 2;
}

void Help() {
    std::cout << kUsage
              << "\nRuns keys on the calculator without a window and prints the display, the title, the\n"
                 "stack, LAST X, the error flag and its cause, the program pointer, the program label,\n"
                 "the card and the note line under the display. Keys come from the arguments or,\n"
                 "when there are none, from standard input (separated by blanks; # starts a comment\n"
                 "to the end of its line).\n\n"
                 "Options:\n"
                 "  --answer TEXT   the next answer to a question (yes/no), an input box, the file\n"
                 "                  dialog (the name typed; empty: Cancel) or the editor (a file\n"
                 "                  whose text is put into it); given in the order they are asked\n"
                 "  --load FILE     reads the program listing FILE before the first key\n"
                 "  --list          prints the program's steps after the state\n"
                 "  --trace         prints the state after every key\n"
                 "  --tape          prints each line of the print tape as \"tape: TEXT\" when it is printed\n"
                 "  --tape-trace    as --tape, with TRACE on: every step a program runs goes on the tape\n"
                 "  --stop-after N  stops a running program after N steps, as R/S would\n"
                 "  --break NNN     a breakpoint at step NNN (1-999, set after --load): a run stops\n"
                 "                  before that step and prints \"breakpoint NNN\"; R/S goes on\n"
                 "  --profile       counts how often each step runs and prints, after the state\n"
                 "                  (and the steps of --list), \"profile NNN COUNT STEP\" for each\n"
                 "                  step that ran; a run started by a label key or GSB starts\n"
                 "                  the counts again, R/S, SST and the step keys add to them\n"
                 "  --help-instructions\n"
                 "                  prints every instruction a program may use, one a line:\n"
                 "                  NAME, operands, stack effect and what it does (tab-separated),\n"
                 "                  then the aliases a listing may use as ALIAS, tab, = NAME\n"
                 "  --version       prints the version\n"
                 "  --help          prints this text\n\n"
                 "Keys:";
    int n = 0;
    const CKeyRow* pRows = KeyRows(n);
    for (int i = 0; i < n; ++i) std::cout << ' ' << pRows[i].sName;
    const CControlRow* pControls = ControlRows(n);
    for (int i = 0; i < n; ++i) std::cout << ' ' << pControls[i].sName;
    std::cout << "\n  STEPOVER runs a GSB with its subroutine (any other step as SST), STEPOUT runs until\n"
                 "  the current subroutine returns (F10 and Shift+F11 in the window)\n"
                 "  type:TEXT       each character of TEXT typed on the computer keyboard\n";
}

// The instruction reference: one line per mnemonic in table order, then the aliases.
void HelpInstructions() {
    int n = 0;
    const CInstr* pTable = CPrgm::InstrTable(n);
    for (int i = 0; i < n; ++i) {
        const CInstr& r = pTable[i];
        std::cout << r.sName << '\t' << r.szOperands << '\t' << r.szStack << '\t' << r.szText << '\n';
    }
    const CAlias* pAliases = CPrgm::AliasTable(n);
    for (int i = 0; i < n; ++i) std::cout << pAliases[i].sAlias << "\t= " << pAliases[i].sName << '\n';
}

// A name as an error message shows it: bytes that do not print as \xNN.
std::string Printable(const std::string& s) {
    std::string r;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            r += buf;
        } else {
            r += c;
        }
    }
    return r;
}

// A step count of --stop-after: 1 ... 10^15 in plain digits, nothing else.
bool StepCount(const std::string& s, unsigned long long& n) {
    if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    const size_t nFirst = std::min(s.find_first_not_of('0'), s.size());
    if (s.size() - nFirst > 16) return false;
    n = std::strtoull(s.c_str() + nFirst, nullptr, 10);
    return n >= 1 && n <= 1000000000000000ULL;
}

struct COptions {
    std::deque<std::string> vAnswers;
    std::vector<std::string> vKeys;
    std::string sLoad;
    bool bTrace = false;
    bool bList = false;
    bool bTape = false;
    bool bTapeTrace = false;
    bool bProfile = false;
    unsigned long long nStopAfter = 0;
    std::vector<int> vBreaks;
};

// Reads the options; returns -1 to go on, or the exit status.
int ReadOptions(int argc, char** argv, COptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--break") {
            const std::string v = i + 1 < argc ? argv[++i] : "";
            // Plain digits only: no blanks, no sign.
            const bool bDigits = !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
            const long n = bDigits ? std::strtol(v.c_str(), nullptr, 10) : 0;
            if (!bDigits || n < 1 || n > 999) {
                std::cerr << "corvelxmem-batch: --break needs a step from 1 to 999\n";
                return 2;
            }
            o.vBreaks.push_back(static_cast<int>(n));
        } else if (a == "--answer" || a == "--load" || a == "--stop-after") {
            if (i + 1 >= argc) return Usage();
            const std::string v = argv[++i];
            if (a == "--answer") {
                o.vAnswers.push_back(v);
            } else if (a == "--load") {
                o.sLoad = v;
            } else if (!StepCount(v, o.nStopAfter)) {
                std::cerr << "corvelxmem-batch: --stop-after needs a whole number from 1 to 10^15\n";
                return 2;
            }
        } else if (a == "--trace") {
            o.bTrace = true;
        } else if (a == "--list") {
            o.bList = true;
        } else if (a == "--profile") {
            o.bProfile = true;
        } else if (a == "--tape") {
            o.bTape = true;
        } else if (a == "--tape-trace") {
            o.bTape = o.bTapeTrace = true;
        } else if (a == "--help" || a == "-h") {
            Help();
            return 0;
        } else if (a == "--help-instructions") {
            HelpInstructions();
            return 0;
        } else if (a == "--version") {
            std::cout << "corvelxmem-batch " CORVEL_VERSION "\n";
            return 0;
        } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::cerr << "corvelxmem-batch: unknown option " << Printable(a) << "\n";
            return Usage();
        } else {
            o.vKeys.push_back(a);
        }
    }
    return -1;
}

// A typed text of a script ("type:TEXT") holds at most this many characters.
constexpr size_t kMaxTyped = 4096;

// Whether a key of the script can still be a known one (or a typed text).
bool MayBeKey(const std::string& s) {
    if (s.rfind("type:", 0) == 0) return s.size() <= 5 + kMaxTyped;
    static const size_t nLongestName = [] {
        size_t nMax = 0;
        int n = 0;
        const CKeyRow* pRows = KeyRows(n);
        for (int i = 0; i < n; ++i) nMax = std::max(nMax, std::strlen(pRows[i].sName));
        const CControlRow* pControls = ControlRows(n);
        for (int i = 0; i < n; ++i) nMax = std::max(nMax, std::strlen(pControls[i].sName));
        return nMax;
    }();
    return s.size() <= nLongestName || (s.size() <= 5 && std::string_view("type:").starts_with(s));
}

// The keys in turn: from the arguments, or else from standard input, read
// in chunks as they are needed (whitespace-separated; "#" at the start of a
// key starts a comment to the end of its line, skipped unread). No key is
// kept longer than the longest one there is: a longer one is cut there and
// is an unknown key.
class CKeySource {
public:
    enum class enmNext { Key, End, Failed };

    explicit CKeySource(std::vector<std::string> vKeys) : vKeys_(std::move(vKeys)), bStdin_(vKeys_.empty()) {}
    enmNext Next(std::string& sKey) {
        if (!bStdin_) {
            if (nNext_ >= vKeys_.size()) return enmNext::End;
            sKey = vKeys_[nNext_++];
            return enmNext::Key;
        }
        sKey.clear();
        bool bComment = false;
        char c = 0;
        while (NextByte(c)) {
            if (bComment) {
                bComment = c != '\n';
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
                if (!sKey.empty()) return enmNext::Key;
            } else if (c == '#' && sKey.empty()) {
                bComment = true;
            } else {
                sKey.push_back(c);
                // Unknown: no need to read on beyond what its message shows.
                if (sKey.size() >= 80 && !MayBeKey(sKey)) return enmNext::Key;
            }
        }
        if (bFailed_) return enmNext::Failed;
        return sKey.empty() ? enmNext::End : enmNext::Key;
    }
    // Why reading the script failed.
    const std::string& Error() const { return sError_; }

private:
    bool NextByte(char& c) {
        if (nPos_ == nLen_) {
            if (bEnd_) return false;
            nLen_ = std::fread(aBuf_.data(), 1, aBuf_.size(), stdin);
            nPos_ = 0;
            if (nLen_ == 0) {
                bEnd_ = true;
                if (std::ferror(stdin)) {
                    bFailed_ = true;
                    sError_ = std::strerror(errno);
                }
                return false;
            }
        }
        c = aBuf_[nPos_++];
        return true;
    }

    std::vector<std::string> vKeys_;
    bool bStdin_;
    size_t nNext_ = 0;
    std::array<char, 1 << 16> aBuf_{};
    size_t nPos_ = 0, nLen_ = 0;
    bool bEnd_ = false, bFailed_ = false;
    std::string sError_;
};

// Presses every key; returns the exit status, or -1 when all went through.
int RunKeys(CKeySource& oKeys, CFrontPanel& oMain, CBatchHost& oHost, bool bTrace, bool& bAnyKey) {
    std::string k;
    for (;;) {
        const CKeySource::enmNext eNext = oKeys.Next(k);
        if (eNext == CKeySource::enmNext::End) break;
        if (eNext == CKeySource::enmNext::Failed) {
            std::cerr << "corvelxmem-batch: cannot read the key script: " << oKeys.Error() << "\n";
            return 2;
        }
        bAnyKey = true;
        if (k.rfind("type:", 0) == 0 && MayBeKey(k)) {
            for (char c : k.substr(5)) oMain.Form_KeyPress(static_cast<unsigned char>(c));
        } else if (!CFrontPanel::IsKeyName(k)) {
            std::cerr << "corvelxmem-batch: unknown key name: " << Printable(k.substr(0, 80)) << "\n";
            return 2;
        } else {
            oMain.PressKey(k);
        }
        if (bTrace) PrintState(oMain.View());
        if (oHost.ExitRequested()) break;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    FileIO::IgnoreFileSizeSignal();
    COptions o;
    const int nOptions = ReadOptions(argc, argv, o);
    if (nOptions >= 0) return nOptions;

    CBatchHost oHost(std::cout, std::move(o.vAnswers));
    CFrontPanel oMain(oHost);
    oHost.SetStopAfter(o.nStopAfter, &oMain);
    if (o.bTape) {
        oMain.Tape().fnOnLine = [](const std::string& s) { std::cout << "tape: " << CBatchHost::Escaped(s) << "\n"; };
        oMain.Prgm().bTraceRing = false;   // each traced step is printed as it runs, in order with the rest
    }
    oMain.Prgm().bTrace = o.bTapeTrace;
    oMain.Prgm().SetProfiling(o.bProfile);
    if (!o.sLoad.empty()) {
        // As g ENTER with the name typed into the dialog showing the current directory.
        std::error_code ec;
        const std::string sFull = FileIO::JoinChoice(std::filesystem::current_path(ec).string(), o.sLoad);
        if (!FileIO::CheckChoice(sFull, false)) {
            std::cerr << "corvelxmem-batch: cannot read the listing " << Printable(o.sLoad) << "\n";
            return 2;
        }
        oMain.Prgm().ReadProgram(sFull);
    }
    for (int n : o.vBreaks)
        if (!oMain.View().oPrgm.HasBreak(n)) oMain.ToggleBreak(n);
    CKeySource oKeys(std::move(o.vKeys));
    bool bAnyKey = false;
    const int nStatus = RunKeys(oKeys, oMain, oHost, o.bTrace, bAnyKey);
    if (nStatus >= 0) return nStatus;
    if (!o.bTrace || !bAnyKey) PrintState(oMain.View());
    if (o.bList) PrintListing(oMain.View());
    if (o.bProfile) PrintProfile(oMain.View());
    return 0;
}
