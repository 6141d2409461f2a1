#pragma once
// A host for core tests: no window, no sound, a simulated clock that jumps
// forward when the core waits, typed answers for input boxes (every question
// gets No, every file dialog Cancel), and a record of what the core showed.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "panel/CHost.h"

using namespace corvel;

class CFakeHost : public CHost {
public:
    void PlaySound(enmSound e) override { vSounds.push_back(e); }
    double ClockSeconds() override { return fClock; }
    void IdleUntil(double fTarget, bool bEvents) override {
        if (bEvents) ProcessEvents();
        fClock = fTarget > fClock ? fTarget : fClock + 0.001;
    }
    void ProcessEvents() override {
        if (fnOnYield) fnOnYield();
    }
    void Refresh(enmPart) override {}
    bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vShown.push_back("question [" + sTitle + "] " + sText);
        return false;
    }
    void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vShown.push_back("message [" + sTitle + "] " + sText);
    }
    void ShowMsg(const std::string& sText, const std::string& sTitle) override {
        vShown.push_back("message [" + sTitle + "] " + sText);
    }
    bool InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string&,
                  std::string& sAnswer) override {
        vShown.push_back("input [" + sTitle + "] " + sPrompt);
        if (vInputs.empty()) return false;
        sAnswer = vInputs.front();
        vInputs.pop_front();
        return !sAnswer.empty();
    }
    bool ChooseFile(const std::string& sInitial, CFileChoice&) override {
        vShown.push_back("file [" + sInitial + "]");
        return false;
    }
    void ShowRegisters(const std::vector<std::string>& v) override { vLastViewer = v; }
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fn) override {
        vLastViewer = fn(false);
        vLastViewerNonZero = fn(true);
    }
    void ShowAbout() override { vShown.push_back("about"); }
    void ExitProgram() override {}

    double fClock = 1.0e9;
    std::function<void()> fnOnYield;   // runs inside ProcessEvents, as a click during a run would
    std::vector<enmSound> vSounds;
    std::vector<std::string> vShown;   // every box, as the batch front-end prints it
    std::deque<std::string> vInputs;
    std::vector<std::string> vLastViewer, vLastViewerNonZero;
};
