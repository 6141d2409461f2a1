#pragma once
// Shared helpers of the Numeric tests: tables of expected values.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "numeric/CCalcError.h"
#include "numeric/NumUtil.h"

using namespace corvel;

inline constexpr double kErr = NumUtil::kErrVal;

// A computed value, what it should be, and the allowed difference.
struct Case { double fGot, fWant, fTol; };

inline void ExpectCases(std::initializer_list<Case> cases) {
    int i = 0;
    for (const Case& c : cases) EXPECT_NEAR(c.fGot, c.fWant, c.fTol) << "case #" << i++;
}

// The kind of CCalcError the call raises (a test failure when it raises none).
template <class F>
enmErrKind RaisedKind(F fn) {
    try { fn(); } catch (const CCalcError& e) { return e.Kind(); }
    ADD_FAILURE() << "no CCalcError raised";
    return enmErrKind::Forced;
}
