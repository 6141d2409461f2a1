#include "CBatchHost.h"

#include <filesystem>

#include "../panel/CFrontPanel.h"

using namespace corvel;

std::string CBatchHost::OneLine(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
            r += "\\n";
        } else if (s[i] == '\n') {
            r += "\\n";
        } else {
            r += s[i];
        }
    }
    return r;
}

bool CBatchHost::NextAnswer(std::string& s) {
    if (vAnswers_.empty()) return false;
    s = vAnswers_.front();
    vAnswers_.pop_front();
    return true;
}

bool CBatchHost::AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon) {
    std::string s;
    const bool bYes = NextAnswer(s) && s == "yes";
    oOut_ << "question [" << OneLine(sTitle) << "] " << OneLine(sText) << " -> " << (bYes ? "yes" : "no") << "\n";
    return bYes;
}

void CBatchHost::ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon) {
    oOut_ << "message [" << OneLine(sTitle) << "] " << OneLine(sText) << "\n";
}

void CBatchHost::ShowMsg(const std::string& sText, const std::string& sTitle) {
    oOut_ << "message [" << OneLine(sTitle) << "] " << OneLine(sText) << "\n";
}

bool CBatchHost::InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string&,
                          std::string& sAnswer) {
    std::string s;
    const bool bOk = NextAnswer(s) && !s.empty();
    oOut_ << "input [" << OneLine(sTitle) << "] " << OneLine(sPrompt) << " -> " << (bOk ? OneLine(s) : "cancel")
          << "\n";
    if (bOk) sAnswer = s;
    return bOk;
}

bool CBatchHost::ChooseFile(const std::string&, CFileChoice& oChoice) {
    std::string s;
    const bool bOk = NextAnswer(s) && !s.empty();
    oOut_ << "file [File Selection Dialog Box] -> " << (bOk ? OneLine(s) : "cancel") << "\n";
    if (!bOk) return false;
    oChoice.sTyped = s;
    // The directory "shown" by the batch dialog is the current one.
    std::filesystem::path p(s);
    std::error_code ec;
    oChoice.sFull = p.is_absolute() ? s : (std::filesystem::current_path(ec) / p).string();
    return true;
}

void CBatchHost::ShowRegisters(const std::vector<std::string>& vLines) {
    oOut_ << "viewer [Memory Registers]\n";
    for (const auto& s : vLines) oOut_ << s << "\n";
}

void CBatchHost::ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fnFill) {
    oOut_ << "viewer [Memory Block Viewer]\n";
    for (const auto& s : fnFill(false)) oOut_ << s << "\n";
}

void CBatchHost::ShowAbout() {
    oOut_ << "message [About CorvelXMem] CorvelXMem: a programmable RPN scientific calculator, extended-memory edition.\n";
}

void CBatchHost::ProcessEvents() {
    if (nStopAfter_ == 0 || pMain_ == nullptr || !pMain_->IsRunning()) return;
    if (pMain_->oPrgm.nRunSteps >= nStopAfter_ && !pMain_->oPrgm.StopRequested) {
        pMain_->RequestStop();
        oOut_ << "stopped after " << nStopAfter_ << " steps\n";
    }
}
