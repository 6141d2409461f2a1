// The source editor's side of program memory: the program as text, and the
// text taken back into program memory with the checks of a listing.
#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "../machine/CFileIO.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"

namespace corvel {

namespace {

using NumUtil::Upper;

// The operand after a step's first blank when the step holds sWord ("LBL ",
// "GTO "), as the label scans read it.
bool OperandAfter(const std::string& sStep, const char* sWord, std::string& sOperand) {
    if (sStep.find(sWord) == std::string::npos) return false;
    sOperand = sStep.substr(sStep.find(' ') + 1);
    return true;
}

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

void CPrgm::EditSteps(const std::string& sText, CSteps& aSteps, std::vector<int>* pLineSteps, CPlaces* pPlaces) {
    aSteps[0].clear();
    for (int k = 1; k <= kMaxSteps; ++k) aSteps[static_cast<size_t>(k)] = kFiller;
    int k = 1, nLine = 0;
    for (const std::string& sRaw : FileIO::SplitLines(sText)) {
        ++nLine;
        // Comments and a leading step number go first, as a listing's do.
        const CLineParts o = SplitListingLine(sRaw);
        const std::string sLine = sRaw.substr(o.nCode, o.nCodeEnd - o.nCode);
        if (pLineSteps) pLineSteps->push_back(sLine.empty() ? 0 : (k > kMaxSteps ? -1 : k));
        if (sLine.empty() || k > kMaxSteps) continue;
        if (sLine.size() >= 2 && sLine.find_first_not_of(".0123456789") == std::string::npos) {
            // A number line: one step a character, as digits are keyed. Only
            // digits and points count: "1/x" and "10^x" are instructions.
            for (size_t i = 0; i < sLine.size() && k <= kMaxSteps; ++i)
                aSteps[static_cast<size_t>(k++)] = std::string(1, sLine[i]);
        } else {
            std::string sStep = EditInstruction(sLine);
            Translate(sStep);
            aSteps[static_cast<size_t>(k++)] = sStep;
        }
        if (pPlaces) pPlaces->resize(static_cast<size_t>(k - 1), CListingPlace{"editor", nLine, CListingPlace::Shown(sRaw)});
    }
}

bool CPrgm::AcceptEditText(const std::string& sText) {
    CSteps aSteps;
    CPlaces vPlaces;
    vFaultPlaces_.clear();
    EditSteps(sText, aSteps, nullptr, &vPlaces);
    return AdoptIfValid(aSteps, " source code. The following errors were found:", vPlaces);
}

std::vector<int> CPrgm::EditLineSteps(const std::string& sText) {
    CSteps aSteps;
    std::vector<int> v;
    EditSteps(sText, aSteps, &v, nullptr);
    return v;
}

std::vector<std::string> CPrgm::EditLineFaults(const std::string& sText) {
    CSteps aSteps;
    CPlaces vPlaces;
    std::vector<int> vLines;
    EditSteps(sText, aSteps, &vLines, &vPlaces);
    std::vector<std::string> vFaults(vLines.size());
    auto Mark = [&](size_t nStep, const std::string& sWhy) {
        std::string& s = vFaults[static_cast<size_t>(vPlaces[nStep - 1].nLine - 1)];
        if (s.empty()) s = sWhy;
    };
    // The checks of Close in its order: the vocabulary, then the labels as
    // the label scans find them.
    std::unordered_set<std::string> oLabels;
    std::string sName;
    for (size_t k = 1; k <= vPlaces.size(); ++k) {
        const std::string& sStep = aSteps[k];
        if (!IsKnownStep(sStep)) Mark(k, "Not an instruction: " + sStep);
        if (OperandAfter(sStep, "LBL ", sName) && !oLabels.insert(sName).second)
            Mark(k, "Label " + sName + " appears more than once");
    }
    for (size_t k = 1; k <= vPlaces.size(); ++k) {
        const std::string& sStep = aSteps[k];
        if (OperandAfter(sStep, "GTO ", sName) && Upper(sName) != "(I)" && oLabels.count(sName) == 0)
            Mark(k, "The label " + sName + " does not exist");
    }
    return vFaults;
}

} // namespace corvel
