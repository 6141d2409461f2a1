// Data files: one register per line, CR LF line ends, no header. Writers go
// through a temporary file beside the target that is renamed into place;
// readers take any bytes at all and never store anything but a finite number.
// File failures are silent: the operation just ends.
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CFlags.h"
#include "CMem.h"

namespace corvel {

namespace {

namespace fs = std::filesystem;

constexpr int kFlagDataEntry = 3;
const char* const kScratchName = "$$.dax";

// Names are UTF-8 text; on POSIX systems they are passed on byte for byte.
fs::path ToPath(const std::string& sName) {
#ifdef _WIN32
    return fs::path(std::u8string(sName.begin(), sName.end()));
#else
    return fs::path(sName);
#endif
}

std::FILE* OpenFile(const fs::path& oPath, const char* sMode) {
#ifdef _WIN32
    std::wstring sWideMode(sMode, sMode + std::char_traits<char>::length(sMode));
    return _wfopen(oPath.c_str(), sWideMode.c_str());
#else
    return std::fopen(oPath.c_str(), sMode);
#endif
}

// A file opened for writing under a temporary name beside the target. Commit
// renames it over the target; anything else (a failed write, an exception)
// removes it, so the previous target survives and no temporary stays behind.
class CAtomicWriter {
public:
    explicit CAtomicWriter(const std::string& sTarget) : oTarget_(ToPath(sTarget)) {
        // A link is followed, so that the file it names is replaced and the
        // link stays; a target that exists but is no plain file (a directory,
        // a device) is never replaced.
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(oTarget_, ec))) {
            oTarget_ = fs::weakly_canonical(oTarget_, ec);
            if (ec) return;
        }
        const fs::file_status oStatus = fs::status(oTarget_, ec);
        if (fs::exists(oStatus)) {
            if (!fs::is_regular_file(oStatus)) return;
#ifndef _WIN32
            // A file we may not write stays as it is: the write fails silently.
            if (::access(oTarget_.c_str(), W_OK) != 0) return;
#endif
            // The new file takes the old one's permissions.
            bKeepPerms_ = true;
            ePerms_ = oStatus.permissions();
        }
        static std::atomic<unsigned> nSerial{0};
        const auto nTick = static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        for (int nTry = 0; nTry < 16 && !pFile_; ++nTry) {
            char sSuffix[64];
            std::snprintf(sSuffix, sizeof sSuffix, ".%llx-%x.tmp", nTick & 0xffffffffULL, nSerial.fetch_add(1) + 1);
            oTemp_ = oTarget_;
            oTemp_ += sSuffix;
            pFile_ = OpenFile(oTemp_, "wbx");   // never reuses an existing file
        }
        bOk_ = pFile_ != nullptr;
    }
    CAtomicWriter(const CAtomicWriter&) = delete;
    CAtomicWriter& operator=(const CAtomicWriter&) = delete;
    ~CAtomicWriter() { Abandon(); }

    void Write(std::string_view s) {
        if (bOk_ && !s.empty() && std::fwrite(s.data(), 1, s.size(), pFile_) != s.size()) bOk_ = false;
    }
    void WriteLine(std::string_view s) {
        Write(s);
        Write("\r\n");
    }
    bool Commit() {
        if (!pFile_) return false;
        if (std::fflush(pFile_) != 0 || std::ferror(pFile_)) bOk_ = false;
        if (std::fclose(pFile_) != 0) bOk_ = false;
        pFile_ = nullptr;
        std::error_code ec;
        if (bOk_ && bKeepPerms_) fs::permissions(oTemp_, ePerms_, ec);
        if (bOk_) fs::rename(oTemp_, oTarget_, ec);
        if (!bOk_ || ec) {
            fs::remove(oTemp_, ec);
            bOk_ = false;
        }
        bDone_ = true;
        return bOk_;
    }

private:
    void Abandon() {
        if (pFile_) {
            std::fclose(pFile_);
            pFile_ = nullptr;
        }
        if (!bDone_ && !oTemp_.empty()) {
            std::error_code ec;
            fs::remove(oTemp_, ec);
        }
        bDone_ = true;
    }

    fs::path oTarget_, oTemp_;
    std::FILE* pFile_ = nullptr;
    bool bOk_ = false;
    bool bDone_ = false;
    bool bKeepPerms_ = false;
    fs::perms ePerms_ = fs::perms::none;
};

// Buffered byte source over a file opened for reading.
class CByteReader {
public:
    explicit CByteReader(const std::string& sName) : pFile_(OpenFile(ToPath(sName), "rb")) {}
    CByteReader(const CByteReader&) = delete;
    CByteReader& operator=(const CByteReader&) = delete;
    ~CByteReader() { if (pFile_) std::fclose(pFile_); }

    bool IsOpen() const { return pFile_ != nullptr; }
    bool HasFailed() const { return bFailed_; }
    // Next byte, or false at the end of the file or on a read error.
    bool Next(char& c) {
        if (nPos_ == nLen_ && !Fill()) return false;
        c = aBuf_[nPos_++];
        return true;
    }

private:
    bool Fill() {
        if (!pFile_ || bEnd_) return false;
        nLen_ = std::fread(aBuf_.data(), 1, aBuf_.size(), pFile_);
        nPos_ = 0;
        if (nLen_ == 0) {
            bEnd_ = true;
            if (std::ferror(pFile_)) bFailed_ = true;
            return false;
        }
        return true;
    }

    std::FILE* pFile_;
    std::array<char, 1 << 16> aBuf_{};
    size_t nPos_ = 0, nLen_ = 0;
    bool bEnd_ = false, bFailed_ = false;
};

// Reads data-file lines: ends at LF (a CR just before it is dropped), skips
// leading blanks, keeps at most kKeep further characters of a line and skips
// the rest, and drops a UTF-8 byte order mark in front of the first line.
class CLineReader {
public:
    static constexpr size_t kKeep = 1 << 16;

    explicit CLineReader(const std::string& sName) : oBytes_(sName) {}
    bool IsOpen() const { return oBytes_.IsOpen(); }
    bool HasFailed() const { return oBytes_.HasFailed(); }

    // False when no line is left. bCut tells that the line was longer than
    // what was kept.
    bool ReadLine(std::string& sLine, bool& bCut) {
        sLine.clear();
        bCut = false;
        bool bAny = false;
        size_t nDropped = 0;
        char c = 0;
        while (oBytes_.Next(c)) {
            bAny = true;
            if (c == '\n') break;
            // Leading blanks carry nothing and are not kept, so no run of
            // them can push the number past what is kept.
            if ((c == ' ' || c == '\t') && (sLine.empty() || (bFirst_ && sLine == "\xEF\xBB\xBF"))) continue;
            if (sLine.size() <= kKeep)
                sLine.push_back(c);   // one extra, for a CR
            else
                ++nDropped;
        }
        if (!bAny) return false;
        if (nDropped == 0 && !sLine.empty() && sLine.back() == '\r') sLine.pop_back();
        else if (nDropped > 0) bCut = true;
        if (sLine.size() > kKeep) {
            sLine.resize(kKeep);
            bCut = true;
        }
        if (bFirst_) {
            bFirst_ = false;
            if (sLine.compare(0, 3, "\xEF\xBB\xBF") == 0) sLine.erase(0, 3);
        }
        return true;
    }

private:
    CByteReader oBytes_;
    bool bFirst_ = true;
};

// Where the leading number of a text ends (the grammar the number reader
// accepts: blanks, sign, digits, point, digits, exponent).
size_t NumberEnd(std::string_view s) {
    size_t j = 0;
    while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    auto Digits = [&](size_t& k) { size_t n0 = k; while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k; return k - n0; };
    size_t nDigits = Digits(j);
    if (j < s.size() && s[j] == '.') { ++j; nDigits += Digits(j); }
    if (nDigits == 0) return 0;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (Digits(k) > 0) j = k;
    }
    return j;
}

// Value of one data-file line: its leading finite number, or 0. A number that
// runs into the cut end of an over-long line is not trusted (its rest is
// missing) and reads as 0 as well.
double LineValue(const std::string& sLine, bool bCut) {
    if (bCut && NumberEnd(sLine) == sLine.size()) return 0.0;
    double v = 0.0;
    if (!NumUtil::ParseLeading(sLine, v) || !std::isfinite(v)) return 0.0;
    return v;
}

// Number text that reads back to the same double, the sign of zero included.
std::string NumberText(double v) {
    if (v == 0.0 && std::signbit(v)) return "-0";
    return NumUtil::FormatRoundTrip(v);
}

template <class TRegs>
void WriteRegisters(const std::string& sFile, const TRegs& R, int a, int b) {
    CAtomicWriter oOut(sFile);
    for (int i = a; i <= b; ++i) oOut.WriteLine(NumberText(R[i]));
    oOut.Commit();
}

// Reads lines into R(a), R(a+1), ... . With bTooManyFails a line beyond b
// makes the read a failure; otherwise reading stops once R(b) is filled.
// True when the read completed.
template <class TRegs>
bool ReadRegisters(const std::string& sFile, TRegs& R, int a, int b, bool bTooManyFails) {
    CLineReader oIn(sFile);
    if (!oIn.IsOpen()) return false;
    std::string sLine;
    bool bCut = false;
    for (int i = a;; ++i) {
        if (i > b && !bTooManyFails) return true;
        if (!oIn.ReadLine(sLine, bCut)) break;
        if (i > b) return false;
        R[i] = LineValue(sLine, bCut);
    }
    return !oIn.HasFailed();
}

// Copies the lines of one file into a new file, each ended by CR LF, with no
// limit on their length. A missing source gives an empty destination.
void CopyLines(const std::string& sFrom, const std::string& sTo) {
    CAtomicWriter oOut(sTo);
    CByteReader oIn(sFrom);
    if (oIn.IsOpen()) {
        std::string sChunk;
        bool bInLine = false, bPendingCR = false;
        char c = 0;
        while (oIn.Next(c)) {
            if (bPendingCR) {
                bPendingCR = false;
                if (c == '\n') {
                    sChunk += "\r\n";
                    bInLine = false;
                    continue;
                }
                sChunk.push_back('\r');
            }
            if (c == '\r') {
                bPendingCR = true;
                bInLine = true;
            } else if (c == '\n') {
                sChunk += "\r\n";
                bInLine = false;
            } else {
                sChunk.push_back(c);
                bInLine = true;
            }
            if (sChunk.size() >= (1u << 16)) {
                oOut.Write(sChunk);
                sChunk.clear();
            }
        }
        if (bPendingCR) sChunk.push_back('\r');
        if (bInLine) sChunk += "\r\n";
        oOut.Write(sChunk);
        if (oIn.HasFailed()) return;   // the writer removes its temporary file
    }
    oOut.Commit();
}

// Name of data file number n, or false when the number has no 16-bit integer part.
bool NumberedFileName(double fNumber, std::string& sName) {
    try {
        const int16_t n = NumUtil::ToInt16(Numeric::IntPart(fNumber));
        sName = "DATAFILE" + std::to_string(n) + ".dax";
        return true;
    } catch (const CCalcError&) {
        return false;
    }
}

} // namespace

void CMem::WriteData(const std::string& sFile) {
    try {
        WriteRegisters(sFile, R_, 0, kMaxReg);
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
}

void CMem::WriteRangeData(const std::string& sFile, double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    try {
        WriteRegisters(sFile, R_, a, b);
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
}

void CMem::ReadData(const std::string& sFile) {
    bool bDone = false;
    try {
        bDone = ReadRegisters(sFile, R_, 0, kMaxReg, true);
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
    if (bDone && pFlags_) pFlags_->SetFlag(kFlagDataEntry);
}

void CMem::ReadRangeData(const std::string& sFile, double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    bool bDone = false;
    try {
        bDone = ReadRegisters(sFile, R_, a, b, false);
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
    if (bDone && pFlags_) pFlags_->SetFlag(kFlagDataEntry);
}

void CMem::WriteToScratchFile(double fNumber) {
    std::string sName;
    if (!NumberedFileName(fNumber, sName)) return;
    try {
        CopyLines(sName, kScratchName);
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
}

void CMem::ReadFromScratchFile(double fNumber) {
    std::string sName;
    if (!NumberedFileName(fNumber, sName)) return;
    try {
        CopyLines(kScratchName, sName);
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
}

} // namespace corvel
