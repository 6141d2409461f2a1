// The check of a listing's steps against the instruction table.
#include <algorithm>
#include <string>

#include "../numeric/NumUtil.h"
#include "CPrgm.h"

namespace corvel {

std::string CPrgm::CheckTokens() const { return CheckTokensIn(Program_); }

bool CPrgm::IsKnownStep(const std::string& sStep) {
    // A control character anywhere makes a step that cannot be an instruction.
    const bool bControl = std::any_of(sStep.begin(), sStep.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    return !bControl && FindInstr(sStep.substr(0, sStep.find(' '))) != nullptr;
}

std::string CPrgm::CheckTokensIn(const CSteps& aSteps, std::vector<int>* pBad) const {
    std::string sReport;
    // A step like the one before it (the fillers after a program) is not looked up again.
    const std::string* pLast = nullptr;
    bool bLastKnown = false;
    for (int n = 1; n <= kMaxSteps; ++n) {
        const std::string& sStep = aSteps[static_cast<size_t>(n)];
        if (!pLast || sStep != *pLast) {
            bLastKnown = IsKnownStep(sStep);
            pLast = &sStep;
        }
        if (!bLastKnown) {
            sReport += "Line " + std::to_string(n) + " " + sStep + "\r\n";
            if (pBad) pBad->push_back(n);
        }
    }
    return sReport;
}

} // namespace corvel
