#pragma once
// The state file: the whole machine in 2020 text lines (CR LF): the
// program's file name and its 999 steps, the 1000 registers, the stack, the
// ten flags and the display settings, with a section mark after each part.
// Reading checks the whole file before anything is used; writing goes
// through a temporary file, so an interrupted save leaves the old file.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "../machine/CMachine.h"
#include "../program/CPrgm.h"

namespace corvel {

struct CStateFile {
    static constexpr int kSteps = CPrgm::kMaxSteps;
    static constexpr int kRegs = CMem::kMaxReg + 1;
    static constexpr int kFlags = 10;
    // Where each part starts (lines counted from 0): the file name, the steps,
    // then after each part its section mark.
    static constexpr int kLineSteps = 1;                          // steps 1..999
    static constexpr int kLineRegs = kLineSteps + kSteps + 1;     // after "@END_PRGM@"
    static constexpr int kLineStack = kLineRegs + kRegs + 1;      // T, Z, Y, X after "@END_MEM@"
    static constexpr int kLineFlags = kLineStack + 4 + 1;         // after "@END_STACK@"
    static constexpr int kLineDigits = kLineFlags + kFlags + 1;   // after "@END_FLAGS@"
    static constexpr int kLineMode = kLineDigits + 1;
    static constexpr int kLines = kLineMode + 1;
    static constexpr const char* kDefaultName = "CorvelXMemState.txt";

    std::string sFilename;
    std::array<std::string, kSteps + 1> aSteps;   // 1..999
    std::array<double, kRegs> aRegs{};
    double fT = 0, fZ = 0, fY = 0, fX = 0;
    std::array<bool, kFlags> aFlags{};
    int16_t nDigits = 2;
    enmDispMode eDispMode = enmDispMode::FIX;

    // The file's text.
    std::string Text() const;
    // Reads the whole text, as Read reads a file holding it; false (and this
    // unchanged) unless every line up to line 2020 reads: steps any text,
    // numbers finite ("12abc" does not read), flags True or False in any
    // case, the digits a whole number that fits 16 bits. Section marks are
    // not checked; lines after 2020 are ignored.
    bool Parse(std::string_view sText);

    bool Write(const std::string& sFile) const;
    bool Read(const std::string& sFile);
    // Whether the file's line 1001 is the program's end mark, as in a state
    // file (a listing never has it there).
    static bool LooksLikeStateFile(const std::string& sFile);

    // A register value written in the shortest form that reads back to the
    // same double; values with a 15-digit form keep it ("0.1", "1E+20").
    static std::string NumberText(double v);

private:
    // Line n of the file (from 0) into this; false when it does not read.
    bool TakeLine(int n, std::string& sLine);
    // The file's lines from a file name or a text in memory (FileIO::CText).
    template <class TSource>
    bool ReadFrom(const TSource& oSource);
};

} // namespace corvel
