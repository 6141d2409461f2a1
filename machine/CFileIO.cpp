#include "CFileIO.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <exception>
#include <system_error>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvel {

namespace FileIO {

namespace fs = std::filesystem;

namespace {

std::FILE* OpenFile(const fs::path& oPath, const char* sMode) {
#ifdef _WIN32
    std::wstring sWideMode(sMode, sMode + std::char_traits<char>::length(sMode));
    return _wfopen(oPath.c_str(), sWideMode.c_str());
#else
    return std::fopen(oPath.c_str(), sMode);
#endif
}

// Follows a link, and a chain of them, to the name it finally stands for
// (which need not exist); false for a loop of links or one that cannot be read.
bool ResolveLinks(fs::path& oPath) {
    std::error_code ec;
    for (int nHops = 0; fs::is_symlink(fs::symlink_status(oPath, ec)); ++nHops) {
        if (nHops == 40) return false;
        const fs::path oLink = fs::read_symlink(oPath, ec);
        if (ec) return false;
        oPath = oLink.is_absolute() ? oLink : oPath.parent_path() / oLink;
    }
    return true;
}

} // namespace

void IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

enmSource SourceKind(const std::string& sName) {
#ifdef _WIN32
    std::error_code ec;
    const fs::file_status o = fs::status(ToPath(sName), ec);
    if (!fs::exists(o)) return ec && ec != std::errc::no_such_file_or_directory ? enmSource::Refused : enmSource::Missing;
    return fs::is_regular_file(o) ? enmSource::Plain : enmSource::Refused;
#else
    struct stat st {};
    if (::stat(sName.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? enmSource::Missing : enmSource::Refused;
    return S_ISREG(st.st_mode) ? enmSource::Plain : enmSource::Refused;
#endif
}

CCreatedFile::~CCreatedFile() {
    if (!bCreated_) return;
    // The file the check made, which a link may name.
    fs::path oPath = ToPath(sName_);
    if (!ResolveLinks(oPath)) return;
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(oPath, ec)) && fs::file_size(oPath, ec) == 0 && !ec)
        fs::remove(oPath, ec);
}

fs::path ToPath(const std::string& sName) {
#ifdef _WIN32
    return fs::path(std::u8string(sName.begin(), sName.end()));
#else
    return fs::path(sName);
#endif
}

std::FILE* OpenForReading(const std::string& sName) {
#ifdef _WIN32
    std::error_code ec;
    if (!fs::is_regular_file(ToPath(sName), ec)) return nullptr;
    return OpenFile(ToPath(sName), "rb");
#else
    // Opened without waiting (a pipe with no writer would block), then
    // refused unless it is a plain file.
    const int fd = ::open(sName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    const int nFlags = ::fcntl(fd, F_GETFL);
    if (nFlags >= 0) ::fcntl(fd, F_SETFL, nFlags & ~O_NONBLOCK);
    std::FILE* p = ::fdopen(fd, "rb");
    if (!p) ::close(fd);
    return p;
#endif
}

bool CheckChoice(const std::string& sFull, bool bForWriting, bool* pCreated) {
    if (pCreated) *pCreated = false;
    if (sFull.empty() || sFull.find_first_of("*?") != std::string::npos) return false;
    const char cLast = sFull.back();
    if (cLast == '/' || cLast == '\\') return false;
    const fs::path oPath = ToPath(sFull);
    std::error_code ec;
    const fs::file_status oStatus = fs::status(oPath, ec);
    if (fs::exists(oStatus)) {
        if (!fs::is_regular_file(oStatus)) return false;
#ifndef _WIN32
        return ::access(oPath.c_str(), bForWriting ? (R_OK | W_OK) : R_OK) == 0;
#else
        return true;
#endif
    }
    if (!bForWriting) return false;
    // A new name for writing: the check creates the file, empty (through a
    // dangling link, the file the link names).
    fs::path oNew = oPath;
    if (!ResolveLinks(oNew)) return false;
    std::FILE* p = OpenFile(oNew, "wbx");
    if (!p) return false;
    std::fclose(p);
    if (pCreated) *pCreated = true;
    return true;
}

std::string JoinChoice(const std::string& sDirectory, const std::string& sTyped) {
    const fs::path oTyped = ToPath(sTyped);
    if (oTyped.is_absolute() || sDirectory.empty()) return sTyped;
    std::string s = sDirectory;
    if (s.back() != '/') s += '/';
    return s + sTyped;
}

bool WriteWholeFile(const std::string& sFile, std::string_view sText) {
    try {
        CAtomicWriter oOut(sFile);
        oOut.Write(sText);
        return oOut.Commit();
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::string> SplitLines(std::string_view sText, size_t nMax) {
    std::vector<std::string> v;
    std::string sLine;
    for (size_t i = 0; i < sText.size() && v.size() < nMax; ++i) {
        const char c = sText[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < sText.size() && sText[i + 1] == '\n') ++i;
            v.push_back(sLine);
            sLine.clear();
        } else {
            sLine.push_back(c);
        }
    }
    if (!sLine.empty() && v.size() < nMax) v.push_back(sLine);
    return v;
}

// ---- CAtomicWriter ----

namespace {

// The longest file name the file systems in use take, and the longest
// suffix a temporary adds (".<8 hex>-<8 hex>.tmp").
constexpr size_t kNameMax = 255;
constexpr size_t kSuffixMax = 22;

// The start of the names of a target's temporaries: the target's own name,
// or for a name too long for that, its first bytes and a hash of all of it.
std::string TemporaryStem(const std::string& sName) {
    if (sName.size() + kSuffixMax <= kNameMax) return sName;
    unsigned long long h = 14695981039346656037ULL;   // FNV-1a
    for (char c : sName) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char sHash[24];
    std::snprintf(sHash, sizeof sHash, "~%016llx", h);
    return sName.substr(0, kNameMax - kSuffixMax - 17) + sHash;
}

// This program's temporary files for a target: "<stem>.<hex>-<hex>.tmp".
bool IsOwnTemporary(const std::string& sEntry, const std::string& sTargetName) {
    if (sEntry.size() <= sTargetName.size() + 5 || sEntry.compare(0, sTargetName.size(), sTargetName) != 0) return false;
    if (sEntry[sTargetName.size()] != '.' || sEntry.compare(sEntry.size() - 4, 4, ".tmp") != 0) return false;
    const std::string sMid = sEntry.substr(sTargetName.size() + 1, sEntry.size() - sTargetName.size() - 5);
    const size_t nDash = sMid.find('-');
    if (nDash == 0 || nDash == std::string::npos || nDash + 1 == sMid.size()) return false;
    return sMid.find_first_not_of("0123456789abcdef-") == std::string::npos && sMid.find('-', nDash + 1) == std::string::npos;
}

#ifndef _WIN32
// The permissions a new file gets from the process's umask.
unsigned NewFileMode() {
    std::ifstream oStatus("/proc/self/status");
    std::string sLine;
    while (std::getline(oStatus, sLine))
        if (sLine.rfind("Umask:", 0) == 0) return 0666u & ~static_cast<unsigned>(std::strtoul(sLine.c_str() + 6, nullptr, 8));
    const mode_t nMask = ::umask(022);
    ::umask(nMask);
    return 0666u & ~static_cast<unsigned>(nMask);
}
#endif

// Removes what saves of oTarget that were killed left behind: temporary files
// of this program for that target, more than ten minutes old (a save in
// progress elsewhere is never that old).
void RemoveStaleTemporaries(const fs::path& oTarget) {
    std::error_code ec;
    const fs::path oDir = oTarget.has_parent_path() ? oTarget.parent_path() : fs::path(".");
    const std::string sName = TemporaryStem(oTarget.filename().string());
    const auto tOld = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    fs::directory_iterator it(oDir, ec), itEnd;
    for (int nSeen = 0; !ec && it != itEnd && nSeen < 100000; it.increment(ec), ++nSeen) {
        const fs::directory_entry& e = *it;
        if (!IsOwnTemporary(e.path().filename().string(), sName)) continue;
        std::error_code ecEntry;
        if (e.is_regular_file(ecEntry) && e.last_write_time(ecEntry) < tOld && !ecEntry) fs::remove(e.path(), ecEntry);
    }
}

} // namespace

CAtomicWriter::CAtomicWriter(const std::string& sTarget) : oTarget_(ToPath(sTarget)) {
    // A link is followed (a chain of them too), so that the file it names is
    // replaced, or created when it does not exist yet, and the link stays; a
    // target that exists but is no plain file (a directory, a device) is
    // never replaced.
    if (!ResolveLinks(oTarget_)) return;
    std::error_code ec;
    const fs::file_status oStatus = fs::status(oTarget_, ec);
    if (fs::exists(oStatus)) {
        if (!fs::is_regular_file(oStatus)) return;
#ifndef _WIN32
        // A file we may not write stays as it is.
        if (::access(oTarget_.c_str(), W_OK) != 0) return;
#endif
        // The new file takes the old one's permissions.
        nMode_ = static_cast<unsigned>(oStatus.permissions()) & 07777u;
    } else {
#ifndef _WIN32
        nMode_ = NewFileMode();
#endif
    }
    RemoveStaleTemporaries(oTarget_);
    static std::atomic<unsigned> nSerial{0};
    const auto nTick =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::string sStem = TemporaryStem(oTarget_.filename().string());
    for (int nTry = 0; nTry < 16 && !pFile_; ++nTry) {
        char sSuffix[64];
        std::snprintf(sSuffix, sizeof sSuffix, ".%llx-%x.tmp", nTick & 0xffffffffULL, nSerial.fetch_add(1) + 1);
        oTemp_ = oTarget_.parent_path() / ToPath(sStem + sSuffix);
#ifdef _WIN32
        pFile_ = OpenFile(oTemp_, "wbx");   // never reuses an existing file
#else
        // Never reuses an existing file, and no one else can read it while
        // it is written; it gets its mode just before the rename.
        const int fd = ::open(oTemp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            pFile_ = ::fdopen(fd, "wb");
            if (!pFile_) {
                ::close(fd);
                ::unlink(oTemp_.c_str());
                break;
            }
        }
#endif
    }
    if (!pFile_) oTemp_.clear();
    bOk_ = pFile_ != nullptr;
}

CAtomicWriter::~CAtomicWriter() { Abandon(); }

void CAtomicWriter::Write(std::string_view s) {
    if (bOk_ && !s.empty() && std::fwrite(s.data(), 1, s.size(), pFile_) != s.size()) bOk_ = false;
}

void CAtomicWriter::WriteLine(std::string_view s) {
    Write(s);
    Write("\r\n");
}

bool CAtomicWriter::Commit() {
    if (!pFile_) return false;
    if (std::fflush(pFile_) != 0 || std::ferror(pFile_)) bOk_ = false;
#ifndef _WIN32
    if (bOk_ && ::fchmod(::fileno(pFile_), static_cast<mode_t>(nMode_)) != 0) bOk_ = false;
#endif
    if (std::fclose(pFile_) != 0) bOk_ = false;
    pFile_ = nullptr;
    std::error_code ec;
    if (bOk_) fs::rename(oTemp_, oTarget_, ec);
    if (!bOk_ || ec) {
        fs::remove(oTemp_, ec);
        bOk_ = false;
    }
    bDone_ = true;
    return bOk_;
}

void CAtomicWriter::Abandon() {
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

// ---- readers ----

bool CByteReader::Fill() {
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

bool CLineReader::ReadLine(std::string& sLine, bool& bCut) {
    sLine.clear();
    bCut = false;
    char c = 0;
    if (bFirst_) {
        bFirst_ = false;
        // A UTF-8 byte order mark carries nothing.
        static const char kBom[] = "\xEF\xBB\xBF";
        std::string sStart;
        while (sStart.size() < 3 && oBytes_.Peek(c) && c == kBom[sStart.size()]) {
            oBytes_.Next(c);
            sStart.push_back(c);
        }
        if (sStart.size() < 3) sLine = sStart;   // not a mark after all: those bytes are text
    }
    bool bAny = !sLine.empty();
    // A run of bytes up to the line's end at a time, out of the buffer.
    for (std::string_view v = oBytes_.Buffered(); !v.empty(); v = oBytes_.Buffered()) {
        bAny = true;
        size_t n = 0;
        if (bSkipLeading_ && sLine.empty())
            while (n < v.size() && (v[n] == ' ' || v[n] == '\t')) ++n;
        const size_t nStart = n;
        const void* pLf = std::memchr(v.data() + n, '\n', v.size() - n);
        const size_t nLf = pLf ? static_cast<size_t>(static_cast<const char*>(pLf) - v.data()) : v.size();
        const void* pCr = std::memchr(v.data() + n, '\r', nLf - n);
        n = pCr ? static_cast<size_t>(static_cast<const char*>(pCr) - v.data()) : nLf;
        const size_t nRoom = nKeep_ > sLine.size() ? nKeep_ - sLine.size() : 0;
        sLine.append(v.data() + nStart, std::min(n - nStart, nRoom));
        if (n - nStart > nRoom) {
            bCut = true;
            if (bStopAtCut_) {
                oBytes_.Skip(nStart + nRoom + 1);
                return true;
            }
        }
        if (n == v.size()) {
            oBytes_.Skip(n);
            continue;
        }
        oBytes_.Skip(n + 1);
        char cNext = 0;
        if (v[n] == '\r' && oBytes_.Peek(cNext) && cNext == '\n') oBytes_.Next(cNext);
        break;
    }
    return bAny;
}

} // namespace FileIO

} // namespace corvel
