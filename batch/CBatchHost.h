#pragma once
// The batch front-end's host: no window, no sound, a simulated clock, and
// every dialog written as one line of output and answered from a script.
#include <deque>
#include <ostream>
#include <string>

#include "../panel/CHost.h"

namespace corvel {
class CFrontPanel;
}

class CBatchHost : public corvel::CHost {
public:
    CBatchHost(std::ostream& oOut, std::deque<std::string> vAnswers)
        : oOut_(oOut), vAnswers_(std::move(vAnswers)) {}

    void PlaySound(corvel::enmSound) override {}
    double ClockSeconds() override { return fClock_; }
    // Drives what the panel has under way to its end, at once: slices of
    // steps, the clock moved to each timed display's end.
    void ScheduleRun(corvel::CFrontPanel& oPanel) override;
    // Stops a run once it has executed nSteps steps, as R/S would (0: never).
    void SetStopAfter(unsigned long long nSteps, corvel::CFrontPanel* pMain) {
        nStopAfter_ = nSteps;
        pMain_ = pMain;
    }
    void Refresh(corvel::enmPart) override {}

    bool AskYesNo(const std::string& sTitle, const std::string& sText, corvel::enmIcon) override;
    void ShowNotice(const std::string& sTitle, const std::string& sText, corvel::enmIcon) override;
    void ShowMsg(const std::string& sText, const std::string& sTitle) override;
    bool InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string& sDefault,
                  std::string& sAnswer) override;
    bool ChooseFile(const std::string& sInitial, corvel::enmFileUse eUse, corvel::CFileChoice& oChoice) override;
    void ShowEditor(const std::string& sText, const std::function<bool(const std::string&)>& fnClose) override;
    void ShowRegisters(const std::vector<std::string>& vLines) override;
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fnFill) override;
    void ShowAbout() override;
    void ExitProgram() override { bExit_ = true; }

    bool ExitRequested() const { return bExit_; }
    // A message's text on one line: its line breaks (CR LF, CR or LF) are
    // written as \n, other control characters (0x00-0x1F, 0x7F) as \xNN.
    static std::string OneLine(const std::string& s);
    // Any other text (a name, an answer, a step, a tape or viewer line): every
    // control character as \xNN, a CR or LF in it too.
    static std::string Escaped(const std::string& s);
    // The whole of a regular file of at most kMaxEditorText bytes.
    static constexpr size_t kMaxEditorText = 1 << 24;
    static bool ReadWholeFile(const std::string& sPath, std::string& sText);

private:
    // The next scripted answer; false when none is left.
    bool NextAnswer(std::string& s);

    std::ostream& oOut_;
    std::deque<std::string> vAnswers_;
    double fClock_ = 1.0e9;
    bool bExit_ = false;
    unsigned long long nStopAfter_ = 0;
    corvel::CFrontPanel* pMain_ = nullptr;
    bool bDriving_ = false;
};
