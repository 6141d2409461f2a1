#pragma once
// The one exception type of the calculator core. Every arithmetic fault, failed
// range test, bad operand and forced error travels as a CCalcError; a key
// handler's error path and the interpreter's per-step handler catch it.
#include <stdexcept>
#include <string>

namespace corvel {

enum class enmErrKind {
    Overflow,    // a result or integer conversion does not fit
    DivByZero,   // division by zero (also: an invalid register range code)
    Invalid,     // invalid argument: log of a negative number, sqrt(-1), ...
    Syntax,      // a text that is not a number where one is needed
    Range,       // an index outside its array (step or register numbers)
    File,        // a file could not be written or read
    NoLabel,     // a jump or a label key names a label the program does not have
    Forced       // an error raised on purpose (missing label, "Error" shown)
};

class CCalcError : public std::runtime_error {
public:
    explicit CCalcError(enmErrKind enmKind, const std::string& sWhat = "")
        : std::runtime_error(sWhat.empty() ? KindName(enmKind) : sWhat), enmKind_(enmKind) {}
    enmErrKind Kind() const { return enmKind_; }

    static const char* KindName(enmErrKind e) {
        switch (e) {
        case enmErrKind::Overflow: return "overflow";
        case enmErrKind::DivByZero: return "division by zero";
        case enmErrKind::Invalid: return "invalid argument";
        case enmErrKind::Syntax: return "not a number";
        case enmErrKind::Range: return "no such register";
        case enmErrKind::File: return "a file failed";
        case enmErrKind::NoLabel: return "no such label";
        case enmErrKind::Forced: return "error";
        }
        return "error";
    }

private:
    enmErrKind enmKind_;
};

} // namespace corvel
