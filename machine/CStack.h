#pragma once
// The four-level operand stack X, Y, Z, T.
#include <cmath>

#include "../numeric/NumUtil.h"
#include "CErrorFlag.h"

namespace corvel {

class CStack {
public:
    // pbInErr points at the front panel's error flag, which a refused push sets.
    explicit CStack(CErrorFlag* pbInErr = nullptr) : pbInErr_(pbInErr) { Clear(); }

    void Clear() { X_ = Y_ = Z_ = T_ = 0.0; }
    double GetX() const { return X_; }
    double GetY() const { return Y_; }
    double GetZ() const { return Z_; }
    double GetT() const { return T_; }
    // Elements 1..4 of a caller's array numbered from 0 get X, Y, Z, T.
    void GetStack(double (&a)[5]) const { a[1] = X_; a[2] = Y_; a[3] = Z_; a[4] = T_; }

    // Lifts the stack and puts the value in X. A magnitude below 1e-100 is
    // zeroed (in the caller's variable too); 1e100 or more (or a NaN) is
    // refused: the stack is untouched and the error flag is set.
    void Push(double& v) {
        if (std::fabs(v) < NumUtil::kTiny) v = 0.0;
        // Written so that a NaN fails the test too and is refused.
        if (std::fabs(v) < NumUtil::kBig) {
            T_ = Z_;
            Z_ = Y_;
            Y_ = X_;
            X_ = v;
            return;
        }
        if (pbInErr_) pbInErr_->Raise(enmErrKind::Overflow);
    }
    void Push(const double& v) { double w = v; Push(w); }
    double Pop() { double x = X_; Drop(); return x; }
    void Drop() { X_ = Y_; Y_ = Z_; Z_ = T_; }
    void Drop2() { X_ = Z_; Y_ = T_; Z_ = T_; }
    void Drop1AndPushX(double v) { X_ = v; }
    void Drop2AndPushX(double v) { Y_ = Z_; Z_ = T_; X_ = v; }
    void Drop2AndPushXAndY(double x, double y) { X_ = x; Y_ = y; }
    void Swap() { double t = X_; X_ = Y_; Y_ = t; }
    void RollUp() { double t = T_; T_ = Z_; Z_ = Y_; Y_ = X_; X_ = t; }
    void RollDn() { double x = X_; X_ = Y_; Y_ = Z_; Z_ = T_; T_ = x; }

    bool Xeq0() const { return X_ == 0.0; }
    bool Xneq0() const { return X_ != 0.0; }
    bool Xlt0() const { return X_ < 0.0; }
    bool Xgt0() const { return X_ > 0.0; }
    bool XeqY() const { return X_ == Y_; }
    bool XneqY() const { return X_ != Y_; }
    bool XlteqY() const { return X_ <= Y_; }
    bool XgtY() const { return X_ > Y_; }

    // Direct setters for restoring state and for tests.
    void SetAll(double x, double y, double z, double t) { X_ = x; Y_ = y; Z_ = z; T_ = t; }

private:
    double X_ = 0, Y_ = 0, Z_ = 0, T_ = 0;
    CErrorFlag* pbInErr_ = nullptr;
};

} // namespace corvel
