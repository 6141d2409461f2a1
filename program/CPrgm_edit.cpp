// The source editor's side of program memory: the program as text, and the
// text taken back into program memory with the checks of a listing.
#include <string>
#include <vector>

#include "../machine/CFileIO.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"

namespace corvel {

namespace {

using NumUtil::Upper;

// The instruction of an editor line: "LBL" keeps its label as written; any
// other line is upper-cased, except that a GTO or GSB keeps the case of its
// label too (labels e and E differ).
std::string EditInstruction(const std::string& sLine) {
    if (Upper(sLine.substr(0, 3)) == "LBL") return "LBL" + sLine.substr(3);
    const size_t nBlank = sLine.find(' ');
    const std::string sMnemonic = Upper(sLine.substr(0, nBlank));
    if (nBlank != std::string::npos && (sMnemonic == "GTO" || sMnemonic == "GSB"))
        return sMnemonic + sLine.substr(nBlank);
    return Upper(sLine);
}

} // namespace

std::string CPrgm::EditText() const {
    std::string s;
    for (int n = 1; n <= kMaxSteps; ++n) {
        s += Program_[static_cast<size_t>(n)];
        s += "\r\n";
    }
    return s;
}

void CPrgm::EditSteps(const std::string& sText, CSteps& aSteps, std::vector<int>* pLineSteps) {
    aSteps[0].clear();
    for (int k = 1; k <= kMaxSteps; ++k) aSteps[static_cast<size_t>(k)] = kFiller;
    int k = 1;
    for (const std::string& sRaw : FileIO::SplitLines(sText)) {
        const std::string sLine(NumUtil::TrimBlanks(sRaw, " \t"));
        if (pLineSteps) pLineSteps->push_back(sLine.empty() ? 0 : (k > kMaxSteps ? -1 : k));
        if (sLine.empty() || k > kMaxSteps) continue;
        if (sLine.size() >= 2 && sLine.find_first_not_of(".0123456789") == std::string::npos) {
            // A number line: one step a character, as digits are keyed. Only
            // digits and points count: "1/x" and "10^x" are instructions.
            for (size_t i = 0; i < sLine.size() && k <= kMaxSteps; ++i)
                aSteps[static_cast<size_t>(k++)] = std::string(1, sLine[i]);
            continue;
        }
        std::string sStep = EditInstruction(sLine);
        Translate(sStep);
        aSteps[static_cast<size_t>(k++)] = sStep;
    }
}

bool CPrgm::AcceptEditText(const std::string& sText) {
    CSteps aSteps;
    EditSteps(sText, aSteps, nullptr);
    return AdoptIfValid(aSteps, " source code. The following errors were found:");
}

std::vector<int> CPrgm::EditLineSteps(const std::string& sText) {
    CSteps aSteps;
    std::vector<int> v;
    EditSteps(sText, aSteps, &v);
    return v;
}

} // namespace corvel
