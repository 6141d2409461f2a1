#include "CStateFile.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "../machine/CFileIO.h"
#include "../numeric/NumUtil.h"

namespace corvel {

namespace {

// No line of a state file this long can be read: steps are at most one
// listing line long, numbers much shorter.
constexpr size_t kLineKeep = 70000;

// A line without its surrounding blanks and tabs.
std::string Trimmed(const std::string& s) { return std::string(NumUtil::TrimBlanks(s, " \t")); }

// Blanks, one number as data files write it, blanks, and nothing else.
bool ReadNumber(const std::string& sLine, double& v) {
    const std::string_view s = NumUtil::TrimBlanks(sLine, " \t");
    return NumUtil::IsDecimalSyntax(s) && NumUtil::ParseWhole(s, v) && std::isfinite(v);
}

bool ReadFlag(const std::string& sLine, bool& b) {
    std::string s = Trimmed(sLine);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (s != "true" && s != "false") return false;
    b = s == "true";
    return true;
}

bool ReadDigits(const std::string& sLine, int16_t& n) {
    const std::string s = Trimmed(sLine);
    size_t i = s.size() > 1 && (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i == s.size() || s.size() - i > 6) return false;
    long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    if (s[0] == '-') v = -v;
    if (v < -32768 || v > 32767) return false;
    n = static_cast<int16_t>(v);
    return true;
}

} // namespace

std::string CStateFile::NumberText(double v) {
    if (v == 0.0) return std::signbit(v) ? "-0" : "0";
    const std::string s15 = NumUtil::FormatG15(v);
    double fBack = 0;
    if (NumUtil::ParseWhole(s15, fBack) && fBack == v) return s15;
    return NumUtil::FormatRoundTrip(v);
}

std::string CStateFile::Text() const {
    std::string s;
    auto Line = [&s](const std::string& sLine) {
        s += sLine;
        s += "\r\n";
    };
    Line(sFilename);
    for (int i = 1; i <= kSteps; ++i) Line(std::to_string(i) + " " + aSteps[static_cast<size_t>(i)]);
    Line("@END_PRGM@");
    for (double v : aRegs) Line(NumberText(v));
    Line("@END_MEM@");
    for (double v : {fT, fZ, fY, fX}) Line(NumberText(v));
    Line("@END_STACK@");
    for (bool b : aFlags) Line(b ? "True" : "False");
    Line("@END_FLAGS@");
    Line(std::to_string(nDigits));
    Line(eDispMode == enmDispMode::FIX ? "FIX" : eDispMode == enmDispMode::SCI ? "SCI" : "ENG");
    return s;
}

bool CStateFile::TakeLine(int n, std::string& sLine) {
    if (n == 0) {
        sFilename = std::move(sLine);
    } else if (n < kLineSteps + kSteps) {
        const size_t p = sLine.find(' ');
        std::string& sStep = aSteps[static_cast<size_t>(n - kLineSteps + 1)];
        if (p == std::string::npos)
            sStep = std::move(sLine);
        else
            sStep.assign(sLine, p + 1);
    } else if (n >= kLineRegs && n < kLineRegs + kRegs) {
        return ReadNumber(sLine, aRegs[static_cast<size_t>(n - kLineRegs)]);
    } else if (n >= kLineStack && n < kLineStack + 4) {
        double* const aStack[] = {&fT, &fZ, &fY, &fX};
        return ReadNumber(sLine, *aStack[n - kLineStack]);
    } else if (n >= kLineFlags && n < kLineFlags + kFlags) {
        return ReadFlag(sLine, aFlags[static_cast<size_t>(n - kLineFlags)]);
    } else if (n == kLineDigits) {
        return ReadDigits(sLine, nDigits);
    } else if (n == kLineMode) {
        eDispMode = sLine == "FIX" ? enmDispMode::FIX : sLine == "SCI" ? enmDispMode::SCI : enmDispMode::ENG;
    }
    return true;   // the section marks are not checked
}

bool CStateFile::Parse(std::string_view sText) { return ReadFrom(FileIO::CText{sText}); }

bool CStateFile::Write(const std::string& sFile) const { return FileIO::WriteWholeFile(sFile, Text()); }

bool CStateFile::Read(const std::string& sFile) { return ReadFrom(sFile); }

template <class TSource>
bool CStateFile::ReadFrom(const TSource& oSource) {
    try {
        FileIO::CLineReader oIn(oSource, kLineKeep);
        if (!oIn.IsOpen()) return false;
        oIn.StopAtCut();
        // Each line is taken as it comes, so a file is refused at its first
        // line that does not read; this object changes only once all have.
        CStateFile o;
        std::string sLine;
        bool bCut = false;
        int n = 0;
        while (n < kLines && oIn.ReadLine(sLine, bCut))
            if (bCut || !o.TakeLine(n++, sLine)) return false;
        if (n < kLines || oIn.HasFailed()) return false;
        *this = std::move(o);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CStateFile::LooksLikeStateFile(const std::string& sFile) {
    try {
        FileIO::CLineReader oIn(sFile, kLineKeep);
        std::string sLine;
        bool bCut = false;
        for (int n = 1; n <= kSteps + 2 && oIn.ReadLine(sLine, bCut); ++n)
            if (n == kSteps + 2) return sLine == "@END_PRGM@";
    } catch (const std::exception&) {
    }
    return false;
}

} // namespace corvel
