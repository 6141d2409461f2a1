#pragma once
// The machine state that keys and programs both act on: the stack, the data
// registers, the statistics registers and the flags, LAST X, the angle
// factor, the display format and digits, the error flag, and the number
// being keyed, which lives in the two display fields until GetVal reads it.
// The front panel owns one and hands it to the interpreter.
#include <cstdint>
#include <string>

#include "CErrorFlag.h"
#include "CFlags.h"
#include "CMem.h"
#include "CStack.h"
#include "CStatRegs.h"

namespace corvel {

enum class enmDispMode : int32_t { FIX = 0, SCI = 1, ENG = 2 };

class CMachine {
public:
    CMachine();
    CMachine(const CMachine&) = delete;
    CMachine& operator=(const CMachine&) = delete;

    // "Error" is on the display; a running program stops at its next step.
    CErrorFlag bInErr;
    double fLastX = 0.0;
    double Pi = 0.0;
    // Radians per unit of the current angle mode.
    double fAngleFactor = 0.0;
    enmDispMode eDispMode = enmDispMode::FIX;
    int16_t nDigits = 2;
    // The display fields: mantissa and exponent texts. A number being keyed
    // (by keys or by program steps) lives here until GetVal reads it.
    std::string lblDisp;
    std::string lblEex;

    CStack oStack;
    CMem oMem;
    CStatRegs oStat;
    CFlags oFlags;

    // Puts the settings and every machine object to their start values:
    // FIX 2, degrees, no error, all registers, flags and the stack 0.
    // LAST X and the display fields are left alone.
    void Clear();
    // Everything as in a new machine: Clear, LAST X 0 and the display fields empty.
    void ResetToNew() {
        Clear();
        fLastX = 0.0;
        lblDisp.clear();
        lblEex.clear();
    }

    // The number shown by lblDisp and lblEex. A text that is not a number
    // raises a syntax error; a number too large for a double, an overflow.
    double GetVal() const {
        // A single digit, as most numbers keyed by program steps are.
        if (lblDisp.size() == 1 && lblEex.empty() && lblDisp[0] >= '0' && lblDisp[0] <= '9') return lblDisp[0] - '0';
        return GetValText();
    }

    // Formats X by the current display format and digits into a mantissa and
    // an exponent text; changes nothing else.
    void ShowXHelper(double X, std::string& sDisp, std::string& sEex) const;
    // Splits X into a mantissa Y and an exponent N that is a multiple of 3.
    static void GetEngFormat(double X, double& Y, int16_t& N);
    // The text part of showing X: the display fields get X's texts; a value
    // out of range shows "Error", sets bInErr and leaves 9.999999999E+99 in X.
    void FormatX();

private:
    double GetValText() const;
};

} // namespace corvel
