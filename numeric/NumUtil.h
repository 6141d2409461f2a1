#pragma once
// Small numeric helpers shared by every layer: checked integer conversions,
// checked arithmetic that turns IEEE non-finite results into errors, and
// locale-independent number text.
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

// Nearest integer, halves to even, as a 16-bit signed integer; raises
// Overflow when it does not fit (NaN and infinities do not fit either).
int16_t ToInt16(double x);
// The same for 32-bit signed integers.
int32_t ToInt32(double x);

// Raises Overflow (infinite) or Invalid (NaN) for a non-finite value and
// returns it otherwise.
double Check(double x);
// Checked division: a zero divisor raises DivByZero.
double Div(double a, double b);

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

} // namespace NumUtil

} // namespace corvel
