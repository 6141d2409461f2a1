#include "NumUtil.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace corvel {

namespace NumUtil {

void Raise(enmErrKind eKind) { throw CCalcError(eKind); }

namespace {
// Rewrites the exponent part of a C-formatted number ("e+05", "e-7") as
// "E+05"/"E-07"-style with at least two digits.
std::string FixExponent(const char* p) {
    const char* e = std::strpbrk(p, "eE");
    if (!e) return std::string(p);
    std::string r(p, static_cast<size_t>(e - p));
    const char* q = e + 1;
    char cSign = '+';
    if (*q == '+' || *q == '-') cSign = *q++;
    while (q[0] == '0' && q[1] != '\0' && std::strlen(q) > 2) ++q;
    r.push_back('E');
    r.push_back(cSign);
    if (std::strlen(q) < 2) r.push_back('0');
    r.append(q);
    return r;
}
} // namespace

std::string FormatRoundTrip(double x) {
    if (x == 0.0) return std::signbit(x) ? "-0" : "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf - 1, x);
    *res.ptr = '\0';
    return FixExponent(buf);
}

std::string FormatG15(double x) {
    if (x == 0.0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    // Trailing zeros are already removed by %G; normalise the exponent.
    return FixExponent(buf);
}

bool ParseLeading(std::string_view s, double& fOut) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    // Take the longest prefix of the form [+-]digits[.digits][(e|E)[+-]digits].
    size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t nDigits = 0;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') { ++j; ++nDigits; }
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { ++j; ++nDigits; }
    }
    if (nDigits == 0) return false;
    size_t end = j;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        size_t nExp = 0;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') { ++k; ++nExp; }
        if (nExp > 0) end = k;
    }
    std::string text(s.substr(i, end - i));
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    double v = 0;
    const char* b = text.c_str();
    auto res = std::from_chars(b, b + text.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large is not a finite number. The
        // exponent's sign tells which.
        const auto e = text.find_first_of("eE");
        if (e != std::string::npos && e + 1 < text.size() && text[e + 1] == '-') {
            fOut = 0.0;
            return true;
        }
        return false;
    }
    if (res.ec != std::errc() || !std::isfinite(v)) return false;
    fOut = v;
    return true;
}

bool IsDecimalSyntax(std::string_view t) {
    size_t j = 0;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    size_t nd = 0;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') { ++j; ++nd; }
    if (j < t.size() && t[j] == '.') {
        ++j;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') { ++j; ++nd; }
    }
    if (nd == 0) return false;
    if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
        ++j;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        size_t ne = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') { ++j; ++ne; }
        if (ne == 0) return false;
    }
    return j == t.size();
}

bool ParseWhole(std::string_view s, double& fOut) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r' || s[a] == '\n')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    std::string_view t = s.substr(a, b - a);
    if (t.empty()) return false;
    // The whole text must be the leading number.
    if (!IsDecimalSyntax(t)) return false;
    return ParseLeading(t, fOut);
}

std::string PastedNumberText(std::string_view s, bool bDecimalComma) {
    // The characters taken apart: minus and group separators in UTF-8.
    static constexpr std::string_view kMinus = "\xE2\x88\x92";
    static constexpr std::string_view kSeparators[] = {" ", "\xC2\xA0", "\xE2\x80\x89", "\xE2\x80\xAF"};
    const auto IsDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::string r;
    size_t nGroup = 0;   // digits since the last non-digit
    for (size_t i = 0; i < s.size();) {
        if (s.substr(i, kMinus.size()) == kMinus) {
            r += '-';
            i += kMinus.size();
            nGroup = 0;
            continue;
        }
        size_t nSep = 0;
        for (std::string_view sSep : kSeparators)
            if (s.substr(i, sSep.size()) == sSep) nSep = sSep.size();
        if (nSep > 0 && nGroup >= 1 && nGroup <= 3) {
            size_t j = i + nSep, nNext = 0;
            while (j + nNext < s.size() && IsDigit(s[j + nNext])) ++nNext;
            if (nNext == 3) {   // a separator between groups: dropped
                i = j;
                nGroup = 0;
                continue;
            }
        }
        const char c = s[i];
        nGroup = IsDigit(c) ? nGroup + 1 : 0;
        r += c;
        i += nSep > 0 ? nSep : 1;
        if (nSep > 1) r.append(s.substr(i - nSep + 1, nSep - 1));
    }
    const size_t nComma = r.find(',');
    if (bDecimalComma && nComma != std::string::npos && r.find(',', nComma + 1) == std::string::npos &&
        r.find('.') == std::string::npos)
        r[nComma] = '.';
    return r;
}

} // namespace NumUtil

} // namespace corvel
