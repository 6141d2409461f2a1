// Fuzz target: the key-entry engine, driven through the key table as a key
// script drives it. The input is whitespace-separated tokens ("#" starts a
// comment to the end of the line):
//   NAME       a key or control as key scripts name it ("7", "STO", "R/S", "W/PRGM", "SAVE")
//   type:TEXT  each character typed on the computer keyboard
//   ?y  ?n     the next question is answered yes / no
//   >N         the next file dialog is confirmed with file N (0-7, kFiles)
//   =TEXT      the next input box is answered with TEXT
//   %TEXT      the editor is closed with TEXT (";" ends a line)
//   ^TEXT      TEXT is pasted
//   ~TOKEN     TOKEN happens while a program runs, one at each step
// In TEXT, "_" stands for a blank. Questions and dialogs left without an answer are cancelled.
// The steps of all runs of one input are limited; later runs stop at once. It fails when a key
// leaves a non-finite number on the stack, in LAST X or in a register, the pointer or the return
// stack out of range, or a run that never ended.
#include <algorithm>
#include <deque>
#include <string>

#include "FuzzSupport.h"
#include "common/FakeHost.h"
#include "panel/CFrontPanel.h"
#include "panel/CStateFile.h"

using namespace corvel_fuzz;

namespace {

constexpr long kRunSteps = 20000;

// The files a dialog can be answered with: a data file, a listing, a state
// file, three names that do not exist yet (one of them the default state
// file), a directory, and a name in a directory that does not exist.
const char* const kFiles[] = {"data.dax", "prog.corvel", "state.txt", "new.dax",
                              "new.corvel", "CorvelXMemState.txt", "sub", "nodir/x.dax"};

void WriteFixtures() {
    static const std::string sState = [] {
        CStateFile o;
        const char* const kSteps[] = {"LBL A", "1", "+", "PSE", "RTN"};
        for (int i = 1; i <= CStateFile::kSteps; ++i) o.aSteps[static_cast<size_t>(i)] = i <= 5 ? kSteps[i - 1] : "R/S";
        o.aRegs[25] = 3;
        o.fX = 2.5;
        return o.Text();
    }();
    WriteFile("data.dax", "1.5\r\n-2\r\n1E+99\r\n0\r\n7\r\n");
    WriteFile("prog.corvel", "LBL A\r\nISZ\r\nRCL I\r\nGTO A\r\nLBL B\r\nSTO+ (i)\r\nRTN\r\n");
    WriteFile("state.txt", sState);
    std::filesystem::create_directory("sub");
}

class CKeyRun {
public:
    CKeyRun() { Reset(); }
    // As new: the host with its hook, the panel (made once for the process), the run's records.
    void Reset() {
        oHost_ = CFakeHost();
        oHost_.fnOnYield = [this] { OnYield(); };
        oPanel_.ResetToNew();
        vDuringRun_.clear();
        nSteps_ = 0;
        bInYield_ = false;
    }

    void Do(const std::string& t) {
        if (t.rfind("type:", 0) == 0) {
            for (char c : t.substr(5)) oPanel_.Form_KeyPress(static_cast<unsigned char>(c));
        } else if (t[0] == '?') {
            oHost_.vYesNo.push_back(t.size() > 1 && (t[1] == 'y' || t[1] == 'Y'));
        } else if (t[0] == '>') {
            const char* s = kFiles[t.size() > 1 ? static_cast<unsigned char>(t[1]) % 8 : 0];
            oHost_.vFiles.push_back(CWorkDir::Get().Choice(s));
        } else if (t[0] == '=') {
            oHost_.vInputs.push_back(Text(t));
        } else if (t[0] == '%') {
            std::string s;
            for (char c : Text(t)) s += c == ';' ? std::string("\r\n") : std::string(1, c);
            oHost_.vEditorTexts.push_back(s);
        } else if (t[0] == '^') {
            oPanel_.PasteText(Text(t));
        } else if (t[0] == '~') {
            vDuringRun_.push_back(t.substr(1));
        } else {
            oPanel_.PressKey(t);
        }
        Check();
    }

    void Finish() {
        FUZZ_CHECK(!oPanel_.Busy(), "a run did not end");
        CheckFinite(oPanel_.Machine(), true);
    }

private:
    static std::string Text(const std::string& t) {
        std::string s = t.substr(1);
        std::replace(s.begin(), s.end(), '_', ' ');
        return s;
    }
    void Check() {
        CheckFinite(oPanel_.Machine(), false);
        CheckPointers(oPanel_.Prgm());
    }
    // Each step of a run: the checks, the step budget, and a click.
    void OnYield() {
        Check();
        if (++nSteps_ >= kRunSteps) oPanel_.RequestStop();
        if (bInYield_ || vDuringRun_.empty()) return;
        bInYield_ = true;
        const std::string t = vDuringRun_.front();
        vDuringRun_.pop_front();
        if (!t.empty()) Do(t);
        bInYield_ = false;
    }

    CFakeHost oHost_;
    CFrontPanel oPanel_{oHost_};
    std::deque<std::string> vDuringRun_;
    long nSteps_ = 0;
    bool bInYield_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const CWorkDir::CInput oInput;
    WriteFixtures();
    static CKeyRun o;   // new at first, reset after each input (which frees what it took)
    const std::string_view s(reinterpret_cast<const char*>(pData), nSize);
    for (size_t i = 0; (i = s.find_first_not_of(" \t\r\n", i)) != std::string_view::npos;) {
        const size_t j = std::min(s.find_first_of(s[i] == '#' ? "\n" : " \t\r\n", i), s.size());
        if (s[i] != '#') o.Do(std::string(s.substr(i, j - i)));
        i = j;
    }
    o.Finish();
    o.Reset();
    return 0;
}
