#include "CPrintTape.h"

#include "../machine/CFileIO.h"
#include "../program/CPrgm.h"

namespace corvel {

void CPrintTape::Append(std::string&& sLine) const {
    if (vLines_.size() >= kMaxLines) vLines_.pop_front();
    vLines_.push_back(std::move(sLine));
    ++nPrinted_;
    if (fnOnLine) fnOnLine(vLines_.back());
}

void CPrintTape::TakeTraced() const {
    if (pTrace_ == nullptr) return;
    uint64_t nMade = 0;
    const uint64_t nAll = pTrace_->TakeTrace(kMaxLines, [&](std::string&& s) {
        Append(std::move(s));
        ++nMade;
    });
    nPrinted_ += nAll - nMade;   // lines that fell off the tape before it was looked at
}

void CPrintTape::Print(const std::string& sLine) {
    TakeTraced();
    Append(std::string(sLine));
}

std::string CPrintTape::Text() const {
    TakeTraced();
    std::string s;
    for (const std::string& sLine : vLines_) {
        s += sLine;
        s += "\r\n";
    }
    return s;
}

bool CPrintTape::Save(const std::string& sFile) const { return FileIO::WriteWholeFile(sFile, Text()); }

} // namespace corvel
