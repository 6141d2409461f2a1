#pragma once
// Two-variable summations kept in data registers 14..19, and the means,
// sample standard deviations and straight-line fit derived from them.

namespace corvel {
class CMem;

class CStatRegs {
public:
    explicit CStatRegs(CMem& oMem);

    double Sum() const;     // n, register 19
    double SumX() const;    // register 14
    double SumX2() const;   // register 15
    double SumY() const;    // register 16
    double SumY2() const;   // register 17
    double SumXY() const;   // register 18
    void SetSum(double v);
    void SetSumX(double v);
    void SetSumX2(double v);
    void SetSumY(double v);
    void SetSumY2(double v);
    void SetSumXY(double v);

    void Clear();
    bool IsErr() const { return bErr_; }
    void ClearErr() { bErr_ = false; }

    double SumsAdd(double x, double y);   // raises Overflow part-way
    double SumsSub(double x, double y);
    double GetCount() const { return Sum(); }
    double MeanX();
    double MeanY();
    double SdevX();
    double SdevY();
    void RclSumPlus(double& a, double& b) const;
    void LinearReg(double& fSlope, double& fIntercept, double& fR2, bool& bOk);

private:
    CMem& oMem_;
    bool bErr_ = false;
};

} // namespace corvel
