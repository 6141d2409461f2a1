#pragma once
// The calculator's text files, read and written safely: writers go to a
// temporary file beside the target that is renamed into place only when
// everything was written, so a failed or interrupted save leaves the old
// file whole; readers open only regular files (a directory, a device or a
// pipe is refused at once) and accept any line ends.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

namespace FileIO {

// Names are UTF-8 text; on POSIX systems they are passed on byte for byte.
std::filesystem::path ToPath(const std::string& sName);

// The file selection dialog's check of a confirmed name: a name that can be
// opened for reading (bForWriting false) or for reading and writing (a
// missing file is then created empty, also the one a dangling link names,
// and *pCreated is set). A wildcard, an empty name, a directory or anything
// but a plain file is refused.
bool CheckChoice(const std::string& sFull, bool bForWriting, bool* pCreated = nullptr);

// Removes a file the dialog's check created, when a save to it failed or
// was never made: unless Keep() was called, the file goes when it is still
// empty (a link to it stays as it was, dangling again).
class CCreatedFile {
public:
    CCreatedFile(std::string sName, bool bCreated) : sName_(std::move(sName)), bCreated_(bCreated) {}
    CCreatedFile(const CCreatedFile&) = delete;
    CCreatedFile& operator=(const CCreatedFile&) = delete;
    ~CCreatedFile();
    // The save went through: the file stays, whatever it holds.
    void Keep() { bCreated_ = false; }
    // Keeps the file when bSaved, and returns bSaved.
    bool KeepIf(bool bSaved) {
        if (bSaved) Keep();
        return bSaved;
    }

private:
    std::string sName_;
    bool bCreated_;
};

// Both programs call this first: a write beyond a file size limit then
// fails and is reported instead of killing the process.
void IgnoreFileSizeSignal();

// What a copy finds at a source name: a plain file it can read, nothing at
// all (a missing source copies as an empty file), or something else (a
// directory, a device, a pipe, an unreadable file), which is never copied.
enum class enmSource { Plain, Missing, Refused };
enmSource SourceKind(const std::string& sName);

// The name a dialog showing sDirectory means by the text of its name box: a
// typed absolute path as it stands, anything else inside sDirectory.
std::string JoinChoice(const std::string& sDirectory, const std::string& sTyped);

// Writes sText as the whole of sFile through a CAtomicWriter; false when the
// file could not be written (the old one then stays whole).
bool WriteWholeFile(const std::string& sFile, std::string_view sText);

// The lines of a text ended by CR LF, LF or CR, at most nMax of them (a last
// line without an end counts too).
std::vector<std::string> SplitLines(std::string_view sText, size_t nMax = static_cast<size_t>(-1));

// Opens a regular file for reading, following links; nullptr for anything
// else (missing, unreadable, a directory, a device, a pipe, a socket),
// without waiting on it.
std::FILE* OpenForReading(const std::string& sName);

// A file written under a temporary name beside its target. Commit renames it
// over the target; anything else (a failed write, an exception) removes it.
class CAtomicWriter {
public:
    explicit CAtomicWriter(const std::string& sTarget);
    CAtomicWriter(const CAtomicWriter&) = delete;
    CAtomicWriter& operator=(const CAtomicWriter&) = delete;
    ~CAtomicWriter();

    bool IsOpen() const { return pFile_ != nullptr; }
    // The temporary's name (empty when none could be made).
    const std::filesystem::path& TempPath() const { return oTemp_; }
    void Write(std::string_view s);
    void WriteLine(std::string_view s);   // the text and CR LF
    // Flushes, closes and renames into place; false when anything failed
    // (then the target is as it was).
    bool Commit();

private:
    void Abandon();

    std::filesystem::path oTarget_, oTemp_;
    std::FILE* pFile_ = nullptr;
    bool bOk_ = false;
    bool bDone_ = false;
    unsigned nMode_ = 0666;   // what the file is given before the rename
};

// The bytes of a text in memory, to be read as a file holding them.
struct CText {
    std::string_view sBytes;
};

// Buffered bytes of a file opened with OpenForReading, or of a text in memory.
class CByteReader {
public:
    explicit CByteReader(const std::string& sName) : pFile_(OpenForReading(sName)) {}
    explicit CByteReader(CText o) : pFile_(nullptr), pText_(o.sBytes.data()), nLen_(o.sBytes.size()), bText_(true) {}
    CByteReader(const CByteReader&) = delete;
    CByteReader& operator=(const CByteReader&) = delete;
    ~CByteReader() {
        if (pFile_) std::fclose(pFile_);
    }

    bool IsOpen() const { return pFile_ != nullptr || bText_; }
    bool HasFailed() const { return bFailed_; }
    // The next byte, or false at the end of the file or on a read error.
    bool Next(char& c) {
        if (nPos_ == nLen_ && !Fill()) return false;
        c = pText_[nPos_++];
        return true;
    }
    // The next byte without taking it.
    bool Peek(char& c) {
        if (nPos_ == nLen_ && !Fill()) return false;
        c = pText_[nPos_];
        return true;
    }
    // The bytes buffered from here on (read when none are left), without
    // taking them; empty at the end of the file.
    std::string_view Buffered() {
        if (nPos_ == nLen_ && !Fill()) return {};
        return {pText_ + nPos_, nLen_ - nPos_};
    }
    // Takes n of the bytes Buffered gave.
    void Skip(size_t n) { nPos_ += n; }

private:
    bool Fill();

    std::FILE* pFile_;
    std::array<char, 1 << 16> aBuf_;   // not cleared: only bytes read are looked at
    const char* pText_ = aBuf_.data();   // the bytes: the buffer, or the text in memory
    size_t nPos_ = 0, nLen_ = 0;
    bool bEnd_ = false, bFailed_ = false, bText_ = false;
};

// Lines of a text file, ended by CR LF, LF or a lone CR. A UTF-8 byte order
// mark before the first line is dropped. At most nKeep characters of a line
// are kept; the rest is skipped and the line reported as cut. With
// bSkipLeadingBlanks, blanks and tabs at the start of a line are not kept
// (so no run of them can push the text out of what is kept).
class CLineReader {
public:
    CLineReader(const std::string& sName, size_t nKeep, bool bSkipLeadingBlanks = false)
        : oBytes_(sName), nKeep_(nKeep), bSkipLeading_(bSkipLeadingBlanks) {}
    CLineReader(CText oText, size_t nKeep, bool bSkipLeadingBlanks = false)
        : oBytes_(oText), nKeep_(nKeep), bSkipLeading_(bSkipLeadingBlanks) {}
    bool IsOpen() const { return oBytes_.IsOpen(); }
    bool HasFailed() const { return oBytes_.HasFailed(); }
    // False when no line is left.
    bool ReadLine(std::string& sLine, bool& bCut);
    // A cut line ends the reading: ReadLine returns it at once, as cut, and
    // nothing after it is read (for readers that refuse such a file anyway).
    void StopAtCut() { bStopAtCut_ = true; }

private:
    CByteReader oBytes_;
    size_t nKeep_;
    bool bSkipLeading_;
    bool bFirst_ = true;
    bool bStopAtCut_ = false;
};

} // namespace FileIO

} // namespace corvel
