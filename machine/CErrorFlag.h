#pragma once
// The error flag ("Error" is on the display; a running program stops at its
// next step) together with why it was set. The cause goes whenever the flag
// is cleared, so it always belongs to the error shown.
#include "../numeric/CCalcError.h"

namespace corvel {

class CErrorFlag {
public:
    operator bool() const { return bSet_; }
    // Setting the flag without a cause keeps the one already noted (or notes
    // none); clearing it forgets the cause.
    CErrorFlag& operator=(bool b) {
        bSet_ = b;
        if (!b) bHasCause_ = false;
        return *this;
    }
    // Sets the flag for this cause.
    void Raise(enmErrKind eCause) {
        bSet_ = true;
        bHasCause_ = true;
        eCause_ = eCause;
    }
    bool HasCause() const { return bSet_ && bHasCause_; }
    enmErrKind Cause() const { return eCause_; }
    // A few words for the user: "overflow", "division by zero" ...; empty
    // while the flag is clear or nothing was noted.
    const char* CauseText() const { return HasCause() ? CCalcError::KindName(eCause_) : ""; }

private:
    bool bSet_ = false;
    bool bHasCause_ = false;
    enmErrKind eCause_ = enmErrKind::Forced;
};

} // namespace corvel
