#pragma once
// The print tape: what the show-X and show-stack functions print (the "-X-"
// and "STK" steps, f R/S and g R/S) and, with TRACE on, every step a program
// executes, as the program line shows it. It keeps the last 10,000 lines.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace corvel {

class CPrgm;

class CPrintTape {
public:
    static constexpr size_t kMaxLines = 10000;

    // Adds a line (the oldest goes when the tape is full) and tells the listener.
    void Print(const std::string& sLine);
    void Clear() {
        TakeTraced();
        vLines_.clear();
    }
    // Empty as a new tape: no line, none ever printed (traced steps not taken).
    void ResetToNew() {
        vLines_.clear();
        nPrinted_ = 0;
    }
    const std::deque<std::string>& Lines() const {
        TakeTraced();
        return vLines_;
    }
    // How many lines were ever printed (Clear does not change it): a window
    // that shows the tape takes what came since it last looked.
    uint64_t Printed() const {
        TakeTraced();
        return nPrinted_;
    }
    // The program whose traced steps (CPrgm::bTraceRing) this tape prints:
    // their lines are made when the tape is looked at or printed on.
    void SetTraceSource(CPrgm* pPrgm) { pTrace_ = pPrgm; }
    // The whole tape as text, one line each, ended by CR LF.
    std::string Text() const;
    // Writes the tape as text; false when the file could not be written
    // (the old file then stays whole).
    bool Save(const std::string& sFile) const;

    // Called with every line as it is printed (the window, the batch front-end).
    std::function<void(const std::string&)> fnOnLine;

private:
    void TakeTraced() const;
    void Append(std::string&& sLine) const;

    mutable std::deque<std::string> vLines_;
    mutable uint64_t nPrinted_ = 0;
    CPrgm* pTrace_ = nullptr;
};

} // namespace corvel
