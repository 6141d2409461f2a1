#pragma once
// The panel's host for core tests: the shared recording services plus the panel's own boxes and repaints.
#include "common/FakeFeedback.h"
#include "panel/CFrontPanel.h"

class CFakeHost : public CFakeServices<CHost> {
public:
    void ScheduleRun(CFrontPanel& o) override {
        if (bDriving) return;
        bDriving = true;
        Drive(o);
        bDriving = false;
    }
    void Refresh(enmPart e) override { if (fnOnRefresh) fnOnRefresh(e); }
    void ShowMsg(const std::string& sText, const std::string& sTitle) override { Box("message", sTitle, sText); }
    bool InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string&,
                  std::string& sAnswer) override {
        vShown.push_back("input [" + sTitle + "] " + sPrompt);
        return Take(vInputs, sAnswer) && !sAnswer.empty();
    }
    void ShowEditor(const std::string& sText, const std::function<bool(const std::string&)>& fnClose) override {
        vShown.push_back("editor");
        sEditorText = sText;
        for (std::string s; Take(vEditorTexts, s);)
            if (fnClose(s)) return;
    }
    void ShowRegisters(const std::vector<std::string>& v) override { vLastViewer = v; ++nViewers; }
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fn) override {
        vLastViewer = fn(false);
        vLastViewerNonZero = fn(true);
        ++nViewers;
    }
    void ShowAbout() override { vShown.push_back("about"); }
    void ExitProgram() override {}

    bool bDriving = false;
    std::function<void(enmPart)> fnOnRefresh;   // runs on every repaint
    std::deque<std::string> vInputs;
    std::deque<std::string> vEditorTexts;   // texts Close is pressed with, in turn
    std::string sEditorText;                 // what the editor was opened with
    std::vector<std::string> vLastViewer, vLastViewerNonZero;
    int nViewers = 0;
};
