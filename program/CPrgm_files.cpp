// Program listings: one step per line, written with or without step numbers
// and read back with comments, tabs, step numbers, aliases and numbers spread
// one character a step. A listing is read and checked as a whole before it
// replaces the program in memory, so a rejected file loses nothing.
#include <string>
#include <utility>

#include "../machine/CFileIO.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"

namespace corvel {

namespace {

// A listing line longer than this cannot be a step: the rest of a line is
// only ever a comment.
constexpr size_t kLineKeep = 1 << 16;

// Tabs count as blanks; each pair of adjacent blanks becomes one (one pass,
// so three blanks become two); leading and trailing blanks go.
std::string CleanBlanks(const std::string& sLine) {
    std::string s;
    s.reserve(sLine.size());
    for (size_t i = 0; i < sLine.size(); ++i) {
        const char c = sLine[i] == '\t' ? ' ' : sLine[i];
        const char cNext = i + 1 < sLine.size() ? (sLine[i + 1] == '\t' ? ' ' : sLine[i + 1]) : '\0';
        s.push_back(c);
        if (c == ' ' && cNext == ' ') ++i;   // the pair counts once
    }
    return std::string(NumUtil::TrimBlanks(s));
}

// A step as a listing line carries it. The reader halves every run of
// blanks once, so a run of two or more (two adjacent blanks make an empty
// word) is written doubled and reads back as it was; a single blank stays.
std::string ListingText(const std::string& sStep) {
    std::string s;
    s.reserve(sStep.size());
    for (size_t i = 0; i < sStep.size();) {
        if (sStep[i] != ' ') {
            s.push_back(sStep[i++]);
            continue;
        }
        const size_t j = sStep.find_first_not_of(' ', i);
        const size_t n = (j == std::string::npos ? sStep.size() : j) - i;
        s.append(n == 1 ? 1 : 2 * n, ' ');
        i += n;
    }
    return s;
}

bool IsNumber(const std::string& s) {
    double f = 0;
    return NumUtil::ParseWhole(s, f) && s.find_first_of(" \t") == std::string::npos;
}

} // namespace

CPrgm::CLineParts CPrgm::SplitListingLine(const std::string& sLine) {
    // The first "#" starts a comment when it is the first character or
    // follows a blank or a tab; only the first "#" of a line is looked at
    // ("RAN#" is an instruction). The text before a comment is read as the
    // whole line, so "10  # ten" is the number 10.
    CLineParts o;
    const size_t p = sLine.find('#');
    if (p != std::string::npos && (p == 0 || sLine[p - 1] == ' ' || sLine[p - 1] == '\t')) o.nComment = p;
    const size_t nEnd = std::min(o.nComment, sLine.size());
    size_t a = sLine.find_first_not_of(" \t");
    if (a == std::string::npos || a >= nEnd) {
        o.nCode = o.nCodeEnd = nEnd;
        return o;
    }
    const size_t b = sLine.find_last_not_of(" \t", nEnd - 1) + 1;
    // A first word that is a number, followed by more, is a step number.
    const size_t nBlank = sLine.find_first_of(" \t", a);
    if (nBlank < b && IsNumber(sLine.substr(a, nBlank - a))) a = sLine.find_first_not_of(" \t", nBlank);
    o.nCode = a;
    o.nCodeEnd = b;
    return o;
}

std::string CPrgm::FileTitle(const std::string& sName) {
    const size_t p = sName.find_last_of("/\\");
    return p == std::string::npos ? sName : sName.substr(p + 1);
}

bool CPrgm::WriteProgram(const std::string& sFile) {
    const bool bNumbers =
        fb_.Host().AskYesNo("Confirmation", "Include line numbers with the listing?", enmIcon::Question);
    bool bOk = false;
    try {
        FileIO::CAtomicWriter oOut(sFile);
        for (int n = 1; n <= kMaxSteps; ++n) {
            const std::string sStep = ListingText(Program_[static_cast<size_t>(n)]);
            oOut.WriteLine(bNumbers ? ShowLine(n).substr(0, 4) + sStep : sStep);
        }
        bOk = oOut.Commit();
    } catch (const std::exception&) {
        bOk = false;
    }
    if (!bOk) {
        fb_.MsgBox("Error in writing to file " + sFile, "File Input Error");
        return false;
    }
    sFilename_ = sFile;
    fb_.SetProgramLabel(sFile);
    fb_.SetCardVisible(true);
    return true;
}

CPrgm::enmRead CPrgm::ParseListing(const std::string& sFile, CSteps& aSteps, bool& bComments, CPlaces& vPlaces,
                                   CListingPlace& oFault) {
    FileIO::CLineReader oIn(sFile, kLineKeep, true);
    if (!oIn.IsOpen()) return enmRead::Unreadable;
    aSteps[0].clear();
    for (int k = 1; k <= kMaxSteps; ++k) aSteps[static_cast<size_t>(k)] = kFiller;
    bComments = false;
    int k = 1;
    std::string sRaw;
    bool bCut = false;
    const std::string sTitle = FileTitle(sFile);
    for (int nLine = 1; oIn.ReadLine(sRaw, bCut); ++nLine) {
        const CListingPlace oHere{sTitle, nLine, CListingPlace::Shown(sRaw)};
        const std::string sClean = CleanBlanks(sRaw);
        const CLineParts o = SplitListingLine(sClean);
        if (o.nComment != std::string::npos) bComments = true;
        // A line too long for what is kept must end in a comment.
        if (bCut && o.nComment == std::string::npos) {
            oFault = oHere;
            return enmRead::Unreadable;
        }
        std::string sLine = sClean.substr(o.nCode, o.nCodeEnd - o.nCode);
        if (sLine.empty()) continue;   // an empty line or a comment
        Translate(sLine);
        const bool bNumber = sLine.size() > 1 && IsNumber(sLine);
        for (size_t i = 0; i < (bNumber ? sLine.size() : 1); ++i) {
            if (k > kMaxSteps) {
                oFault = oHere;
                return enmRead::Unreadable;
            }
            aSteps[static_cast<size_t>(k++)] = bNumber ? std::string(1, sLine[i]) : sLine;
            vPlaces.push_back(oHere);
        }
    }
    return oIn.HasFailed() ? enmRead::Unreadable : enmRead::Read;
}

bool CPrgm::ReadProgram(const std::string& sFile) {
    CSteps aSteps;
    bool bComments = false;
    CPlaces vPlaces;
    CListingPlace oFault;
    enmRead eRead = enmRead::Unreadable;
    vFaultPlaces_.clear();
    try {
        eRead = ParseListing(sFile, aSteps, bComments, vPlaces, oFault);
    } catch (const std::exception&) {
        eRead = enmRead::Unreadable;
    }
    if (eRead != enmRead::Read) {
        if (oFault.nLine > 0) vFaultPlaces_.push_back(oFault);
        fb_.ListingError("File Input Error", "Error in reading file " + sFile, true, vFaultPlaces_);
        return false;
    }
    if (!AdoptIfValid(aSteps, " source file and reload again. The following errors were found:", vPlaces))
        return false;
    SpecialComments = bComments;
    PrgmPtr = 1;
    if (HasProgram()) {
        sFilename_ = sFile;
        fb_.SetProgramLabel(FileTitle(sFile));
        fb_.SetCardVisible(true);
    }
    return true;
}

void CPrgm::ListingError(const std::string& sTitle, const std::string& sMsg, bool bOwnWindow, const CPlaces& vPlaces,
                         const std::vector<int>& vSteps) {
    vFaultPlaces_.clear();
    for (int n : vSteps)
        if (n >= 1 && static_cast<size_t>(n) <= vPlaces.size()) vFaultPlaces_.push_back(vPlaces[static_cast<size_t>(n - 1)]);
    fb_.ListingError(sTitle, sMsg, bOwnWindow, vFaultPlaces_);
}

bool CPrgm::AdoptIfValid(CSteps& aSteps, const std::string& sErrorTail, const CPlaces& vPlaces) {
    std::vector<int> vBad;
    const std::string sErrors = CheckTokensIn(aSteps, &vBad);
    if (!sErrors.empty()) {
        ListingError("Listing Error",
                     "Your program has incompatible commands. Please edit the " + sErrorTail + "\r\n\r\n" + sErrors,
                     false, vPlaces, vBad);
        return false;
    }
    // The label scans run on the new steps in place; a failure puts the old
    // program and its label table back.
    const CLabels oOldLabels = SaveLabels();
    KeepTraceTexts();
    std::swap(Program_, aSteps);
    Invalidate(0, kMaxSteps);
    CScanFault oFault;
    if (FindLabelFault(oFault) || FindGotoFault(oFault)) {
        std::swap(Program_, aSteps);
        Invalidate(0, kMaxSteps);
        RestoreLabels(oOldLabels);
        ListingError(oFault.sTitle, oFault.sMsg, true, vPlaces, {oFault.nStep});
        return false;
    }
    vFaultPlaces_.clear();
    // Accepted: the memory starts afresh with the new steps, as after Clear.
    RetPtr = 0;
    RetStack.fill(0);
    Halted = false;
    m_.bInErr = false;
    PrgmPtr = 0;
    sFilename_.clear();
    SpecialComments = false;
    ClearBreaks();
    return true;
}

CPrgm::CLabels CPrgm::SaveLabels() const {
    CLabels o;
    o.nCount = LabelCount;
    o.vNames.assign(LabelName_.begin(), LabelName_.begin() + LabelCount + 1);
    o.vLines.assign(LabelLine_.begin(), LabelLine_.begin() + LabelCount + 1);
    o.oNumbers = oNumberLabels_;
    return o;
}

void CPrgm::RestoreLabels(const CLabels& o) {
    LabelCount = o.nCount;
    for (int k = 0; k <= o.nCount; ++k) {
        LabelName_[static_cast<size_t>(k)] = o.vNames[static_cast<size_t>(k)];
        LabelLine_[static_cast<size_t>(k)] = o.vLines[static_cast<size_t>(k)];
    }
    oNumberLabels_ = o.oNumbers;
    ++nLabelGen_;
}

} // namespace corvel
