// Data files: one register per line, CR LF line ends, no header. Readers
// take any bytes at all, never store anything but a finite number, and change
// nothing unless the whole read succeeds. Every operation tells whether it
// succeeded; its caller reports a failure.
#include <cmath>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CFileIO.h"
#include "CFlags.h"
#include "CMem.h"

namespace corvel {

namespace {


using FileIO::CAtomicWriter;
using FileIO::CByteReader;

// A data-file line longer than this makes the read fail (no number needs
// more; a huge file of one line is refused at once instead of read whole).
constexpr size_t kKeep = 1 << 16;

// Value of one data-file line: its leading finite number, or 0.
double LineValue(const std::string& sLine) {
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
std::string RegistersText(const TRegs& R, int a, int b) {
    std::string s;
    for (int i = a; i <= b; ++i) {
        s += NumberText(R[static_cast<size_t>(i)]);
        s += "\r\n";
    }
    return s;
}

template <class TRegs>
bool WriteRegisters(const std::string& sFile, const TRegs& R, int a, int b) {
    CAtomicWriter oOut(sFile);
    oOut.Write(RegistersText(R, a, b));
    return oOut.Commit();
}

// Reads lines into R(a), R(a+1), ... of a copy of the registers. With
// bTooManyFails a line beyond b makes the read a failure; otherwise reading
// stops once R(b) is filled. True when the read completed.
template <class TSource, class TRegs>
bool ReadRegisters(const TSource& oSource, TRegs& R, int a, int b, bool bTooManyFails) {
    FileIO::CLineReader oIn(oSource, kKeep);
    if (!oIn.IsOpen()) return false;
    oIn.StopAtCut();
    std::string sLine;
    bool bCut = false;
    for (int i = a;; ++i) {
        if (i > b && !bTooManyFails) return true;
        if (!oIn.ReadLine(sLine, bCut)) break;
        if (i > b || bCut) return false;
        R[static_cast<size_t>(i)] = LineValue(sLine);
    }
    return !oIn.HasFailed();
}

// Copies the lines of one file into a new file, each ended by CR LF (the
// source may end its lines with CR LF, LF or CR), with no limit on their
// length. A missing source gives an empty destination; a source that is no
// plain file, or cannot be read, fails and leaves the destination alone, as
// does a destination that cannot be written.
bool CopyLines(const std::string& sFrom, const std::string& sTo) {
    const FileIO::enmSource eSource = FileIO::SourceKind(sFrom);
    if (eSource == FileIO::enmSource::Refused) return false;
    CByteReader oIn(eSource == FileIO::enmSource::Plain ? sFrom : std::string());
    if (eSource == FileIO::enmSource::Plain && !oIn.IsOpen()) return false;
    CAtomicWriter oOut(sTo);
    if (oIn.IsOpen()) {
        std::string sChunk;
        bool bInLine = false;
        // A UTF-8 byte order mark at the start is copied, but it is no text
        // of the first line (the readers drop it): a file of a mark alone
        // holds no line and gets no line end.
        static const char kBom[] = "\xEF\xBB\xBF";
        size_t nBom = 0;
        bool bStart = true;
        char c = 0;
        while (oIn.Next(c)) {
            if (bStart && nBom < 3 && c == kBom[nBom]) {
                sChunk.push_back(c);
                bInLine = ++nBom < 3;
                continue;
            }
            bStart = false;
            if (c == '\r' || c == '\n') {
                char cNext = 0;
                if (c == '\r' && oIn.Peek(cNext) && cNext == '\n') oIn.Next(cNext);
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
        if (bInLine) sChunk += "\r\n";
        if (oIn.HasFailed()) return false;   // the temporary goes, the destination stays
        oOut.Write(sChunk);
    }
    return oOut.Commit();
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

// Runs a file operation; a failure of the machine (no memory, a file system
// error) counts as a failed operation.
template <class F>
bool Guarded(F&& fn) {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace

bool CMem::WriteData(const std::string& sFile) {
    return Guarded([&] { return WriteRegisters(sFile, R_, 0, kMaxReg); });
}

bool CMem::WriteRangeData(const std::string& sFile, double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    return Guarded([&] { return WriteRegisters(sFile, R_, a, b); });
}

template <class TSource>
bool CMem::ReadRegistersFrom(const TSource& oSource, int a, int b, bool bTooManyFails) {
    // Read into a copy: a read that fails changes no register.
    auto aCopy = R_;
    const bool bDone = Guarded([&] { return ReadRegisters(oSource, aCopy, a, b, bTooManyFails); });
    if (bDone) R_ = aCopy;
    if (pFlags_) {
        if (bDone)
            pFlags_->SetFlag(CFlags::kDataEntry);
        else
            pFlags_->ClearFlag(CFlags::kDataEntry);
    }
    return bDone;
}

bool CMem::ReadData(const std::string& sFile) { return ReadRegistersFrom(sFile, 0, kMaxReg, true); }

bool CMem::ReadRangeData(const std::string& sFile, double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    return ReadRegistersFrom(sFile, a, b, false);
}

bool CMem::ReadDataText(std::string_view sText) { return ReadRegistersFrom(FileIO::CText{sText}, 0, kMaxReg, true); }

bool CMem::ReadRangeDataText(std::string_view sText, double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    return ReadRegistersFrom(FileIO::CText{sText}, a, b, false);
}

std::string CMem::RangeDataText(double fCode) const {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    return RegistersText(R_, a, b);
}

bool CMem::WriteToScratchFile(double fNumber) {
    std::string sName;
    if (!NumberedFileName(fNumber, sName)) return true;   // no file is touched
    return Guarded([&] { return CopyLines(sName, CMem::kScratchFile); });
}

bool CMem::ReadFromScratchFile(double fNumber) {
    std::string sName;
    if (!NumberedFileName(fNumber, sName)) return true;
    return Guarded([&] { return CopyLines(CMem::kScratchFile, sName); });
}

} // namespace corvel
