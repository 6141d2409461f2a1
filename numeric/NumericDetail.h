#pragma once
// Private helpers shared by the two halves of Numeric: the trap that turns
// any failure into the error value, and the checked logarithm, root and
// exponential that throw where IEEE arithmetic would carry inf or NaN along.
#include <cmath>

#include "CCalcError.h"
#include "NumUtil.h"

namespace corvel {

namespace Numeric::Detail {

inline const double kPi = 4.0 * std::atan(1.0);

template <class F>
double Trapped(F&& fnBody) noexcept {
    try {
        const double f = fnBody();
        return std::isfinite(f) ? f : NumUtil::kErrVal;
    } catch (...) {
        return NumUtil::kErrVal;
    }
}

inline double Ln(double x) {
    if (x == 0.0) throw CCalcError(enmErrKind::DivByZero);
    if (!(x > 0.0)) throw CCalcError(enmErrKind::Invalid);
    return NumUtil::Check(std::log(x));
}

inline double Root(double x) {
    if (!(x >= 0.0)) throw CCalcError(enmErrKind::Invalid);
    return NumUtil::Check(std::sqrt(x));
}

inline double Exp(double x) { return NumUtil::Check(std::exp(NumUtil::Check(x))); }

} // namespace Numeric::Detail

} // namespace corvel
