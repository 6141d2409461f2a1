#pragma once
// Recording fakes for core tests: no window or sound, a clock that jumps when the core waits, scripted answers and a
// record of all shown or played. CFakeServices is what every host shares; CFakeFeedback formats X as the panel does.
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "machine/CMachine.h"
#include "program/CPrgm.h"

using namespace corvel;

template <class Base>
class CFakeServices : public Base {
public:
    void PlaySound(enmSound e) override { vSounds.push_back(e); }
    double ClockSeconds() override { return fClock; }
    bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) override {
        Box("question", sTitle, sText);
        bool b = false;
        return Take(vYesNo, b) && b;
    }
    void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) override {
        Box("message", sTitle, sText);
    }
    bool ChooseFile(const std::string& sInitial, enmFileUse eUse, CFileChoice& o) override {
        vShown.push_back("file [" + sInitial + (eUse == enmFileUse::Read ? "] read" : "] write"));
        return Take(vFiles, o);
    }
    // Runs o's work to its end; with fnOnYield set, one step a slice and the hook before each, as a click would come.
    template <class Runner>
    void Drive(Runner& o) {
        while (o.Busy()) {
            if (fnOnYield) fnOnYield();
            const CSlice s = o.RunSlice(fnOnYield ? 1 : uint64_t{1} << 24);
            if (s.eState == enmRunState::Waiting && s.fWakeAt > fClock) fClock = s.fWakeAt;
        }
    }
    int CountSound(enmSound e) const { return static_cast<int>(std::count(vSounds.begin(), vSounds.end(), e)); }
    void Box(const std::string& sKind, const std::string& sTitle, const std::string& sText) {
        vShown.push_back(sKind + " [" + sTitle + "] " + sText);
        vMessages.push_back(sTitle + "|" + sText);
    }
    // The next scripted answer into v, when there is one left.
    template <class T>
    static bool Take(std::deque<T>& d, T& v) {
        if (d.empty()) return false;
        v = d.front();
        d.pop_front();
        return true;
    }

    double fClock = 1.0e9;
    std::function<void()> fnOnYield;
    std::vector<enmSound> vSounds;
    std::vector<std::string> vShown;      // every box, as the batch front-end prints it
    std::vector<std::string> vMessages;   // messages, notices and questions as "title|text"
    std::deque<bool> vYesNo;
    std::deque<CFileChoice> vFiles;
};

class CFakeFeedback : public CPanelFeedback, public CFakeServices<CHostServices> {
public:
    explicit CFakeFeedback(CMachine& m) : m_(m) {}

    CHostServices& Host() override { return *this; }
    void ShowX() override { m_.FormatX(); }
    void Refresh(enmPart e) override { if (e == enmPart::Disp && fnOnRepaint) fnOnRepaint(); }
    void BlinkX(std::function<void()> fnAfter) override {
        std::string d, e;
        m_.ShowXHelper(m_.oStack.GetX(), d, e);
        if (d.find('.') == std::string::npos) throw CCalcError(enmErrKind::Forced);
        vShown.push_back("blink X");
        if (fnAfter) fnAfter();
    }
    void BlinkStack() override { vShown.push_back("blink stack"); }
    void MsgBox(const std::string& sMsg, const std::string& sTitle) override { Box("message", sTitle, sMsg); }
    void ShowMemViewer() override { vShown.push_back("registers"); }
    void ShowMemBlock(double& fRange) override { vBlocks.push_back(fRange); }
    void SetProgramLabel(const std::string& s) override { sLabel = s; }
    void SetCardVisible(bool b) override { bCard = b; }
    void SetRunning(bool b) override { bRunning = b; }
    void TraceStep(const std::string& sLine) override { vShown.push_back("trace " + sLine); }

    bool bRunning = false, bCard = false;
    std::string sLabel;
    std::function<void()> fnOnRepaint;    // runs on every repaint of the display
    std::vector<double> vBlocks;

private:
    CMachine& m_;
};
