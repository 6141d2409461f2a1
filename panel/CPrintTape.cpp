#include "CPrintTape.h"

#include "../machine/CFileIO.h"

namespace corvel {

void CPrintTape::Print(const std::string& sLine) {
    if (vLines_.size() >= kMaxLines) vLines_.pop_front();
    vLines_.push_back(sLine);
    ++nPrinted_;
    if (fnOnLine) fnOnLine(sLine);
}

std::string CPrintTape::Text() const {
    std::string s;
    for (const std::string& sLine : vLines_) {
        s += sLine;
        s += "\r\n";
    }
    return s;
}

bool CPrintTape::Save(const std::string& sFile) const { return FileIO::WriteWholeFile(sFile, Text()); }

} // namespace corvel
