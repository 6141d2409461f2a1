#pragma once
// The interpreter's view of a front panel for program tests: it formats X
// into the display fields as the panel does, keeps a simulated clock that
// jumps when the program waits, answers questions from a script and records
// everything the interpreter showed or played.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "machine/CMachine.h"
#include "program/CPrgm.h"

using namespace corvel;

class CFakeFeedback : public CPanelFeedback, public CHostServices {
public:
    explicit CFakeFeedback(CMachine& m) : m_(m) {}

    CHostServices& Host() override { return *this; }
    void ShowX() override { m_.FormatX(); ++nShowX; }
    void Refresh(enmPart e) override {
        if (e != enmPart::Disp) return;
        ++nRepaints;
        if (fnOnRepaint) fnOnRepaint();
    }
    void BlinkX() override {
        std::string d, e;
        m_.ShowXHelper(m_.oStack.GetX(), d, e);
        if (d.find('.') == std::string::npos) throw CCalcError(enmErrKind::Forced);
        vShown.push_back("blink X");
    }
    void BlinkStack() override { vShown.push_back("blink stack"); }
    void PlaySound(enmSound e) override { vSounds.push_back(e == enmSound::Click ? "click" : "beep"); }
    void MsgBox(const std::string& sMsg, const std::string& sTitle) override {
        vMessages.push_back(sTitle + "|" + sMsg);
    }
    void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vMessages.push_back(sTitle + "|" + sText);
    }
    bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vMessages.push_back(sTitle + "|" + sText);
        if (vYesNo.empty()) return false;
        const bool b = vYesNo.front();
        vYesNo.pop_front();
        return b;
    }
    bool ChooseFile(const std::string& sInitial, enmFileUse eUse, CFileChoice& o) override {
        vShown.push_back("file [" + sInitial + (eUse == enmFileUse::Read ? "] read" : "] write"));
        if (vFiles.empty()) return false;
        o = vFiles.front();
        vFiles.pop_front();
        return true;
    }
    void ShowMemViewer() override { vShown.push_back("registers"); }
    void ShowMemBlock(double& fRange) override { vBlocks.push_back(fRange); }
    void SetProgramLabel(const std::string& s) override { sLabel = s; }
    void SetCardVisible(bool b) override { bCard = b; }
    void SetRunning(bool b) override { bRunning = b; }
    void TraceStep(const std::string& sLine) override { vShown.push_back("trace " + sLine); }
    // Drives what p has under way to its end, as a test host does: with
    // fnOnYield set, one step a slice and the hook before each.
    void Drive(CPrgm& p) {
        while (p.Busy()) {
            ++nYields;
            if (fnOnYield) fnOnYield();
            const CSlice s = p.RunSlice(fnOnYield ? 1 : uint64_t{1} << 24);
            if (s.eState == enmRunState::Waiting && s.fWakeAt > fClock) fClock = s.fWakeAt;
        }
    }
    double ClockSeconds() override { return fClock; }

    int CountSound(const std::string& s) const {
        int n = 0;
        for (const auto& v : vSounds) n += v == s;
        return n;
    }

    double fClock = 1.0e9;
    long nYields = 0;
    int nShowX = 0, nRepaints = 0;
    bool bRunning = false, bCard = false;
    std::string sLabel;
    std::function<void()> fnOnYield;      // runs inside a yield, as a click during a run would
    std::function<void()> fnOnRepaint;    // runs on every repaint of the display
    std::vector<std::string> vSounds;
    std::vector<std::string> vShown;
    std::vector<std::string> vMessages;   // "title|text"
    std::vector<double> vBlocks;
    std::deque<bool> vYesNo;
    std::deque<CFileChoice> vFiles;

private:
    CMachine& m_;
};
