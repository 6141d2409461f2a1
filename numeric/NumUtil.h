#pragma once
// Small numeric helpers shared by every layer: checked integer conversions,
// checked arithmetic that turns IEEE non-finite results into errors, and
// locale-independent number text.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "CCalcError.h"

namespace corvel {

namespace NumUtil {

// The error value of the numeric library and the register memory.
inline constexpr double kErrVal = 1e111;
// Magnitude limits of the range rule.
inline constexpr double kBig = 1e100;
inline constexpr double kTiny = 1e-100;

// Raises the error (kept out of line, so the checks below stay small).
[[noreturn]] void Raise(enmErrKind eKind);

// x to the nearest integer, halves to the even one (as std::nearbyint in the
// default rounding mode, without a call into the maths library): adding and
// subtracting 2^52 leaves just the rounded integer. Values of 2^52 and more
// are integers already; NaN and infinities come back as they are.
inline double Nearest(double x) {
    constexpr double k2p52 = 4503599627370496.0;
    if (!(std::fabs(x) < k2p52)) return x;
    const double c = std::copysign(k2p52, x);
    return std::copysign((x + c) - c, x);   // -0.4 goes to -0, as nearbyint takes it
}

// Nearest integer, halves to even, as a 16-bit signed integer; raises
// Overflow when it does not fit (NaN and infinities do not fit either).
inline int16_t ToInt16(double x) {
    const double r = Nearest(x);
    if (!(r >= -32768.0 && r <= 32767.0)) Raise(enmErrKind::Overflow);
    return static_cast<int16_t>(r);
}
// The integer part (toward zero) of x as a 16-bit signed integer; raises
// Overflow when it does not fit. The same as taking the integer part and
// then the nearest 16-bit integer, in one step: whatever truncates into 16
// bits also rounds into the 32 bits that the integer part requires.
inline int16_t IntPartToInt16(double x) {
    const double t = std::trunc(x);
    if (!(t >= -32768.0 && t <= 32767.0)) Raise(enmErrKind::Overflow);
    return static_cast<int16_t>(t);
}
// The same for 32-bit signed integers.
inline int32_t ToInt32(double x) {
    const double r = Nearest(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(enmErrKind::Overflow);
    return static_cast<int32_t>(r);
}

// Raises Overflow (infinite) or Invalid (NaN) for a non-finite value and
// returns it otherwise.
inline double Check(double x) {
    if (!std::isfinite(x)) Raise(std::isnan(x) ? enmErrKind::Invalid : enmErrKind::Overflow);
    return x;
}
// Checked division: a zero divisor raises DivByZero.
inline double Div(double a, double b) {
    if (b == 0.0) Raise(enmErrKind::DivByZero);
    return Check(a / b);
}
// The four operations of the arithmetic keys and of the register arithmetic
// (STO+ ... RCL/), by code: 0 a + b, 1 a - b, 2 a * b, 3 a / b; checked.
inline double Combine(int nOp, double a, double b) {
    switch (nOp) {
    case 0: return Check(a + b);
    case 1: return Check(a - b);
    case 2: return Check(a * b);
    default: return Div(a, b);
    }
}

// The text with a-z as A-Z (nothing else changes).
inline std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}
// The text without the leading and trailing characters of sBlanks.
inline std::string_view TrimBlanks(std::string_view s, std::string_view sBlanks = " ") {
    const size_t a = s.find_first_not_of(sBlanks);
    if (a == std::string_view::npos) return {};
    return s.substr(a, s.find_last_not_of(sBlanks) - a + 1);
}

// Shortest text that reads back to exactly the same double, "." always,
// exponent written "E+NN"/"E-NN" when one is needed ("1.5", "1E+20", "-2.5E-07").
std::string FormatRoundTrip(double x);
// General decimal form with up to 15 significant digits, trailing zeros
// removed ("3.5", "-1.25E+20", "0").
std::string FormatG15(double x);

// Reads the longest leading part of the text (after leading blanks/tabs)
// that forms a finite decimal number. Returns false when there is none,
// or when what is there is not finite (nan, inf, 1e400).
bool ParseLeading(std::string_view s, double& fOut);
// True when the text is exactly [+-]digits[.digits][(e|E)[+-]digits] with at
// least one mantissa digit (no blanks).
bool IsDecimalSyntax(std::string_view s);
// Reads the whole text (surrounding blanks allowed) as a finite decimal
// number; false when it is anything else.
bool ParseWhole(std::string_view s, double& fOut);
// Pasted text (UTF-8) as ParseWhole reads it: the minus sign U+2212 becomes
// '-'; a blank, no-break space or thin space between digit groups goes when
// the group after it has exactly three digits and the one before it one to
// three; a single comma becomes the point only with bDecimalComma (the
// user's locale writes 1,5) and when there is no point. Anything else stays
// as it is, for ParseWhole to refuse.
std::string PastedNumberText(std::string_view s, bool bDecimalComma);

} // namespace NumUtil

} // namespace corvel
