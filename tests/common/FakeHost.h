#pragma once
// A host for core tests: no window, no sound, a simulated clock that jumps
// forward when the core waits, scripted answers to every question, and a
// record of everything the core showed.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "panel/CFrontPanel.h"

using namespace corvel;

class CFakeHost : public CHost {
public:
    void PlaySound(enmSound e) override { vSounds.push_back(e); }
    double ClockSeconds() override { return fClock; }
    // Drives the run at once. With fnOnYield set, one step a slice, the
    // hook called before each, as a click between two steps would come.
    void ScheduleRun(CFrontPanel& o) override {
        if (bDriving) return;
        bDriving = true;
        while (o.Busy()) {
            ++nYields;
            if (fnOnYield) fnOnYield();
            const CSlice s = o.RunSlice(fnOnYield ? 1 : uint64_t{1} << 24);
            if (s.eState == enmRunState::Waiting) fClock = s.fWakeAt > fClock ? s.fWakeAt : fClock;
        }
        bDriving = false;
    }
    void Refresh(enmPart e) override {
        if (vRefreshes.size() < 10000) vRefreshes.push_back(e);
        if (fnOnRefresh) fnOnRefresh(e);
    }

    bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vShown.push_back("question [" + sTitle + "] " + sText);
        vMessages.push_back(sTitle + "|" + sText);
        if (vYesNo.empty()) return false;
        const bool b = vYesNo.front();
        vYesNo.pop_front();
        return b;
    }
    void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) override {
        vShown.push_back("message [" + sTitle + "] " + sText);
        vMessages.push_back(sTitle + "|" + sText);
    }
    void ShowMsg(const std::string& sText, const std::string& sTitle) override {
        vShown.push_back("message [" + sTitle + "] " + sText);
        vMessages.push_back(sTitle + "|" + sText);
    }
    bool InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string&,
                  std::string& sAnswer) override {
        vShown.push_back("input [" + sTitle + "] " + sPrompt);
        if (vInputs.empty()) return false;
        sAnswer = vInputs.front();
        vInputs.pop_front();
        return !sAnswer.empty();
    }
    bool ChooseFile(const std::string& sInitial, enmFileUse, CFileChoice& o) override {
        vShown.push_back("file [" + sInitial + "]");
        if (vFiles.empty()) return false;
        o = vFiles.front();
        vFiles.pop_front();
        return true;
    }
    void ShowEditor(const std::string& sText, const std::function<bool(const std::string&)>& fnClose) override {
        vShown.push_back("editor");
        sEditorText = sText;
        while (!vEditorTexts.empty()) {
            const std::string s = vEditorTexts.front();
            vEditorTexts.pop_front();
            if (fnClose(s)) return;
        }
    }
    void ShowRegisters(const std::vector<std::string>& v) override { vLastViewer = v; ++nViewers; }
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fn) override {
        vLastViewer = fn(false);
        vLastViewerNonZero = fn(true);
        ++nViewers;
    }
    void ShowAbout() override { vShown.push_back("about"); }
    void ExitProgram() override { bExited = true; }

    int CountSound(enmSound e) const {
        int n = 0;
        for (enmSound s : vSounds) n += s == e;
        return n;
    }

    double fClock = 1.0e9;
    long nYields = 0;
    bool bDriving = false;
    std::function<void()> fnOnYield;              // runs between steps, as a click during a run would
    std::function<void(enmPart)> fnOnRefresh;     // runs on every repaint
    std::vector<enmSound> vSounds;
    std::vector<enmPart> vRefreshes;
    std::vector<std::string> vShown;      // every box, as the batch front-end prints it
    std::vector<std::string> vMessages;   // messages, notices and questions as "title|text"
    std::deque<bool> vYesNo;
    std::deque<std::string> vInputs;
    std::deque<CFileChoice> vFiles;
    std::deque<std::string> vEditorTexts;   // texts Close is pressed with, in turn
    std::string sEditorText;                 // what the editor was opened with
    std::vector<std::string> vLastViewer, vLastViewerNonZero;
    int nViewers = 0;
    bool bExited = false;
};
