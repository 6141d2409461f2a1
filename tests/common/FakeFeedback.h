#pragma once
// The interpreter's view of a front panel for program tests: it formats X
// into the display fields as the panel does, keeps a simulated clock that
// jumps when the program waits, and records the messages and sounds.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "machine/CMachine.h"
#include "program/CPanelFeedback.h"

using namespace corvel;

class CFakeFeedback : public CPanelFeedback {
public:
    explicit CFakeFeedback(CMachine& m) : m_(m) {}

    void ShowX() override { m_.FormatX(); }
    void RepaintDisplay() override {
        if (fnOnRepaint) fnOnRepaint();
    }
    void RepaintWindow() override {}
    void Wait(double f) override { fClock += f; }
    void BlinkX() override {   // fails, as the panel's does, when X shows no number
        std::string d, e;
        m_.ShowXHelper(m_.oStack.GetX(), d, e);
        if (d.find('.') == std::string::npos) throw CCalcError(enmErrKind::Forced);
    }
    void BlinkStack() override {}
    void PlayClick() override { vSounds.push_back("click"); }
    void PlayBeep() override { vSounds.push_back("beep"); }
    void MsgBox(const std::string& sMsg, const std::string& sTitle) override {
        vMessages.push_back(sTitle + "|" + sMsg);
    }
    void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vMessages.push_back(sTitle + "|" + sText);
    }
    bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vMessages.push_back(sTitle + "|" + sText);
        return false;
    }
    bool ChooseFile(const std::string&, CFileChoice&) override { return false; }
    void ShowMemBlock(double&) override {}
    void SetProgramLabel(const std::string& s) override { sLabel = s; }
    void SetCardVisible(bool) override {}
    void SetRunning(bool b) override { bRunning = b; }
    void Yield() override {
        ++nYields;
        if (fnOnYield) fnOnYield();
    }
    double ClockSeconds() override { return fClock; }

    long CountSound(const std::string& s) const { return std::count(vSounds.begin(), vSounds.end(), s); }

    double fClock = 1.0e9;
    long nYields = 0;
    bool bRunning = false;
    std::string sLabel;
    std::function<void()> fnOnYield;      // runs inside a yield, as a click during a run would
    std::function<void()> fnOnRepaint;    // runs on every repaint of the display
    std::vector<std::string> vSounds;
    std::vector<std::string> vMessages;   // "title|text"

private:
    CMachine& m_;
};
