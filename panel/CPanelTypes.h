#pragma once
// The front panel's states as types: the prefix, the number entry, the angle
// mode code and the pending two-key operation with the text it shows in the
// window title.
#include <cstdint>

namespace corvel {

// The active prefix key.
enum class enmShift : int32_t { None = 0, F = 1, G = 2, H = 3 };

// Number entry from the keys.
enum class enmNumEntry : int32_t {
    Idle = 0,         // the display shows X
    Mantissa = 1,     // the mantissa is being typed
    Exponent = 2,     // the exponent is being typed
    LiftPending = 3   // after ENTER or CLX: the shown copy is pushed when the entry ends
};

// The angle mode code set at start-up (the unit in force is the angle factor).
enum class enmAngleMode : int32_t { Degrees = 1, Radians = 2, Grads = 3 };

// A two-key operation waiting for its operand, named as the title shows it.
enum class enmPendOp : uint8_t {
    None,
    STO, STOPlus, STOMinus, STOMult, STODiv,
    RCL, RCLPlus, RCLMinus, RCLMult, RCLDiv,
    GTO, gto, GSB, gsb,
    DSP, SF, CF, FTest,
    LBL, lbl
};
inline constexpr int kPendOpCount = static_cast<int>(enmPendOp::lbl) + 1;

// The operation's name as the window title shows it ("STO+", "gto", "F?").
const char* PendOpText(enmPendOp e);

} // namespace corvel
