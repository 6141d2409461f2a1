#pragma once
// What a slice of a run reports to the host that drives it, and how a step
// shows something on the display for a while without waiting inside it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvel {

// Where a run, a single step or a back step stands after a slice.
enum class enmRunState {
    Idle,     // nothing under way
    Running,  // more steps to run: call RunSlice again soon
    Waiting,  // the display shows something until fWakeAt (whole seconds)
    Stopped,  // ended by a stop request or an "R/S" step
    Halted,   // ended by an "RTN" with an empty return stack, or the end of memory
    Error     // ended by the error of a step
};

struct CSlice {
    enmRunState eState = enmRunState::Idle;
    double fWakeAt = 0.0;   // Waiting: the clock time the next slice is due at
    bool Ended() const { return eState != enmRunState::Running && eState != enmRunState::Waiting; }
};

// One phase of a timed display: lblDisp shows sDisp for fSeconds (counted on
// the whole-second clock, as every pause and blink is).
struct CShowPhase {
    std::string sDisp;
    double fSeconds = 1.0;
};

// A step's timed display under way: its phases, the one shown now and when
// it ends, and what the step does once the display is over.
struct CTimedShow {
    std::vector<CShowPhase> vPhases;
    size_t nAt = 0;
    double fUntil = 0.0;
    std::function<void()> fnAfter;
    bool Active() const { return nAt < vPhases.size(); }
};

} // namespace corvel
