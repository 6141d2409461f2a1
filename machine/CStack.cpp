#include "CStack.h"

#include <cmath>

#include "../numeric/NumUtil.h"

namespace corvel {

void CStack::Push(double& v) {
    if (std::fabs(v) < NumUtil::kTiny) v = 0.0;
    // Written so that a NaN fails the test too and is refused.
    if (std::fabs(v) < NumUtil::kBig) {
        T_ = Z_;
        Z_ = Y_;
        Y_ = X_;
        X_ = v;
        return;
    }
    if (pbInErr_) *pbInErr_ = true;
}

} // namespace corvel
