#include "CBatchHost.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "../machine/CFileIO.h"
#include "../panel/CFrontPanel.h"

using namespace corvel;

namespace {

std::string Printable(const std::string& s, bool bLineBreaks) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (bLineBreaks && s[i] == '\r') {
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
            r += "\\n";
        } else if (bLineBreaks && s[i] == '\n') {
            r += "\\n";
        } else if (static_cast<unsigned char>(s[i]) < 0x20 || s[i] == 0x7f) {
            // No control character reaches the terminal as it stands.
            static const char kHex[] = "0123456789ABCDEF";
            const auto u = static_cast<unsigned char>(s[i]);
            r += {'\\', 'x', kHex[u >> 4], kHex[u & 15]};
        } else {
            r += s[i];
        }
    }
    return r;
}

} // namespace

std::string CBatchHost::OneLine(const std::string& s) { return Printable(s, true); }
std::string CBatchHost::Escaped(const std::string& s) { return Printable(s, false); }

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
    oOut_ << "input [" << OneLine(sTitle) << "] " << OneLine(sPrompt) << " -> " << (bOk ? Escaped(s) : "cancel")
          << "\n";
    if (bOk) sAnswer = s;
    return bOk;
}

bool CBatchHost::ChooseFile(const std::string&, enmFileUse eUse, CFileChoice& oChoice) {
    // The directory the batch dialog "shows" is the current one. Each answer
    // is the text of the name box; a name the OK check refuses is answered
    // with the dialog's message and the next answer is tried.
    std::error_code ec;
    const std::string sDir = std::filesystem::current_path(ec).string();
    for (;;) {
        std::string s;
        const bool bOk = NextAnswer(s) && !s.empty();
        oOut_ << "file [File Selection Dialog Box] -> " << (bOk ? Escaped(s) : "cancel") << "\n";
        if (!bOk) return false;
        const std::string sFull = FileIO::JoinChoice(sDir, s);
        if (!FileIO::CheckChoice(sFull, eUse == enmFileUse::Write, &oChoice.bCreated)) {
            oOut_ << "message [Error] Please select a file\n";
            continue;
        }
        oChoice.sTyped = s;
        oChoice.sFull = sFull;
        return true;
    }
}

void CBatchHost::ShowEditor(const std::string&, const std::function<bool(const std::string&)>& fnClose) {
    // Each answer names a file whose text is put into the editor before
    // Close is pressed; the editor stays open while Close refuses the text.
    for (;;) {
        std::string sPath;
        if (!NextAnswer(sPath) || sPath.empty()) {
            oOut_ << "editor [Source Code Editor] -> cancel\n";
            return;
        }
        oOut_ << "editor [Source Code Editor] -> " << Escaped(sPath) << "\n";
        std::string sText;
        if (!ReadWholeFile(sPath, sText)) {
            oOut_ << "message [Error] Cannot read " << Escaped(sPath) << "\n";
            continue;
        }
        if (fnClose(sText)) return;
    }
}

bool CBatchHost::ReadWholeFile(const std::string& sPath, std::string& sText) {
    FileIO::CByteReader oIn(sPath);
    if (!oIn.IsOpen()) return false;
    sText.clear();
    char c = 0;
    while (oIn.Next(c)) {
        if (sText.size() >= kMaxEditorText) return false;
        sText.push_back(c);
    }
    return !oIn.HasFailed();
}

void CBatchHost::ShowRegisters(const std::vector<std::string>& vLines) {
    oOut_ << "viewer [Memory Registers]\n";
    for (const auto& s : vLines) oOut_ << Escaped(s) << "\n";
}

void CBatchHost::ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fnFill) {
    oOut_ << "viewer [Memory Block Viewer]\n";
    for (const auto& s : fnFill(false)) oOut_ << Escaped(s) << "\n";
}

void CBatchHost::ShowAbout() {
    oOut_ << "message [About CorvelXMem] CorvelXMem: a programmable RPN scientific calculator, extended-memory edition.\n";
}

void CBatchHost::ScheduleRun(CFrontPanel& oPanel) {
    if (bDriving_) return;
    pMain_ = &oPanel;
    bDriving_ = true;
    constexpr uint64_t kSlice = uint64_t{1} << 24;
    while (pMain_->Busy()) {
        uint64_t nBudget = kSlice;
        if (nStopAfter_ != 0 && pMain_->IsRunning()) {
            const uint64_t nRan = pMain_->View().oPrgm.nRunSteps;
            if (nRan < nStopAfter_) {
                nBudget = std::min<uint64_t>(nBudget, nStopAfter_ - nRan);
            } else if (!pMain_->View().oPrgm.StopRequested) {
                pMain_->RequestStop();
                oOut_ << "stopped after " << nStopAfter_ << " steps\n";
            }
        }
        const CSlice oSlice = pMain_->RunSlice(nBudget);
        if (oSlice.eState == enmRunState::Waiting && oSlice.fWakeAt > fClock_) fClock_ = oSlice.fWakeAt;
        if (oSlice.eState == enmRunState::Stopped && pMain_->View().oPrgm.BreakStop != 0) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%03d", static_cast<int>(pMain_->View().oPrgm.BreakStop));
            oOut_ << "breakpoint " << buf << "\n";
        }
    }
    bDriving_ = false;
}
