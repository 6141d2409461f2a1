#pragma once
// A host for the core without a window, a sound card or real time: it
// records what the calculator shows, answers questions from a queue and
// runs a simulated clock that waits jump forward.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "panel/CHost.h"

class FakeHost : public CHost {
public:
    // Messages shown, "title|text" each (message window and notices alike).
    std::vector<std::string> vMessages;
    std::vector<enmSound> vSounds;
    std::vector<enmPart> vRefreshed;
    std::deque<bool> qAnswers;            // AskYesNo answers (No when empty)
    double fClock = 1.0e9;
    long nProcessEvents = 0;
    // Runs inside ProcessEvents, as a click during a run would.
    std::function<void()> fnOnEvents;
    // Runs on every repaint, to see what was on display at that moment.
    std::function<void(enmPart)> fnOnRefresh;

    void PlaySound(enmSound e) override { vSounds.push_back(e); }
    double ClockSeconds() override { return fClock; }
    void IdleUntil(double fTarget, bool bProcessEvents) override {
        if (fTarget > fClock) fClock = fTarget;
        if (bProcessEvents) ProcessEvents();
    }
    void ProcessEvents() override {
        ++nProcessEvents;
        if (fnOnEvents) fnOnEvents();
    }
    void Refresh(enmPart e) override {
        if (vRefreshed.size() < 10000) vRefreshed.push_back(e);
        if (fnOnRefresh) fnOnRefresh(e);
    }
    bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vMessages.push_back(sTitle + "|" + sText);
        if (qAnswers.empty()) return false;
        const bool b = qAnswers.front();
        qAnswers.pop_front();
        return b;
    }
    void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vMessages.push_back(sTitle + "|" + sText);
    }
    void ShowMsg(const std::string& sText, const std::string& sTitle) override {
        vMessages.push_back(sTitle + "|" + sText);
    }
    // Input boxes and file dialogs are cancelled.
    bool InputBox(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
    bool ChooseFile(const std::string&, CFileChoice&) override { return false; }
    void ShowRegisters(const std::vector<std::string>&) override {}
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>&) override {}
    void ShowAbout() override {}
    void ExitProgram() override {}

    int CountSound(enmSound e) const {
        int n = 0;
        for (enmSound s : vSounds) n += s == e;
        return n;
    }
};
