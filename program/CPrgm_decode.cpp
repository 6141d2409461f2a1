// The instruction table (mnemonic -> the function that executes it) and the
// decoding of a step text into its cached, classified form.
#include <algorithm>
#include <array>
#include <cmath>
#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

namespace {

using O = CPrgmOps;

// Workers of the one-number functions (rule R is applied by CPrgmOps::Unary).
double FnLn(const CPrgm&, double x) { return std::log(x); }
double FnLog(const CPrgm&, double x) { return Numeric::Log10(x); }
double FnExp(const CPrgm&, double x) { return std::exp(x); }
double FnExp10(const CPrgm&, double x) { return std::pow(10.0, x); }
double FnSquare(const CPrgm&, double x) { return x * x; }
double FnSqrt(const CPrgm&, double x) { return std::sqrt(x); }
double FnInv(const CPrgm&, double x) { return NumUtil::Div(1.0, x); }
double FnAbs(const CPrgm&, double x) { return std::fabs(x); }
double FnFact(const CPrgm&, double x) { return Numeric::Factorial(x); }
double FnSin(const CPrgm& p, double x) { return std::sin(p.Machine().fAngleFactor * x); }
double FnCos(const CPrgm& p, double x) { return std::cos(p.Machine().fAngleFactor * x); }
double FnTan(const CPrgm& p, double x) { return std::tan(p.Machine().fAngleFactor * x); }
double FnAsin(const CPrgm& p, double x) { return NumUtil::Div(Numeric::ArcSin(x), p.Machine().fAngleFactor); }
double FnAcos(const CPrgm& p, double x) { return NumUtil::Div(Numeric::ArcCos(x), p.Machine().fAngleFactor); }
double FnAtan(const CPrgm& p, double x) { return NumUtil::Div(std::atan(x), p.Machine().fAngleFactor); }
double FnDegToRad(const CPrgm&, double x) { return Numeric::DegToRad(x); }
double FnRadToDeg(const CPrgm&, double x) { return Numeric::RadToDeg(x); }
double FnToHMS(const CPrgm&, double x) { return Numeric::HoursToHMS(x); }
double FnFromHMS(const CPrgm&, double x) { return Numeric::HMSToHours(x); }

// Workers of the two-number functions, f(Y, X).
// Percent change as programs compute it: (Y - X) / Y * 100.
double FnPctCh(double y, double x) { return NumUtil::Div(y - x, y) * 100.0; }
double FnPow(double y, double x) { return std::pow(y, x); }
double FnHMSPlus(double y, double x) { return Numeric::HMSPlus(y, x); }

// The reference columns of a row: the operand kind, the family, the
// operands, the stack effect and one line saying what it does.
struct CDoc {
    enmArg eArg;
    const char* szGroup;
    const char* szOperands;
    const char* szStack;
    const char* szText;
};
// An instruction without operands.
constexpr CDoc D(const char* szGroup, const char* szStack, const char* szText) {
    return CDoc{enmArg::None, szGroup, "-", szStack, szText};
}
// An instruction with operands of kind eArg.
constexpr CDoc A(enmArg eArg, const char* szGroup, const char* szOperands, const char* szStack, const char* szText) {
    return CDoc{eArg, szGroup, szOperands, szStack, szText};
}

constexpr CInstr Row(const char* s, ExecFn fn, bool bEntry, double (*fn1)(const CPrgm&, double),
                     double (*fn2)(double, double), int nArg, const CDoc& d) {
    return CInstr{s, fn, bEntry, fn1, fn2, nArg, d.eArg, d.szGroup, d.szOperands, d.szStack, d.szText};
}
constexpr CInstr Op(const char* s, ExecFn fn, int nArg, const CDoc& d) {
    return Row(s, fn, false, nullptr, nullptr, nArg, d);
}
constexpr CInstr Op(const char* s, ExecFn fn, const CDoc& d) { return Op(s, fn, 0, d); }
constexpr CInstr Entry(const char* s, ExecFn fn, int nArg, const CDoc& d) {
    return Row(s, fn, true, nullptr, nullptr, nArg, d);
}
constexpr CInstr Fn1(const char* s, double (*fn)(const CPrgm&, double), const CDoc& d) {
    return Row(s, &O::Unary, false, fn, nullptr, 0, d);
}
constexpr CInstr Fn2(const char* s, double (*fn)(double, double), const CDoc& d) {
    return Row(s, &O::Binary, false, nullptr, fn, 0, d);
}
// A known instruction that does nothing beyond ending a number being keyed.
constexpr CInstr Known(const char* s, const CDoc& d) { return Row(s, nullptr, false, nullptr, nullptr, 0, d); }

// The families, as the vocabulary groups the instructions.
constexpr const char* kGEntry = "number entry";
constexpr const char* kGArith = "arithmetic";
constexpr const char* kGOne = "one-number functions";
constexpr const char* kGAngle = "angles and conversions";
constexpr const char* kGStack = "stack";
constexpr const char* kGReg = "registers";
constexpr const char* kGDisp = "display and sound";
constexpr const char* kGFlow = "program flow";
constexpr const char* kGStat = "statistics";
constexpr const char* kGSpecial = "hyperbolic and special functions";
constexpr const char* kGBlock = "register blocks";
constexpr const char* kGFit = "block regressions";
constexpr const char* kGFiles = "files";

constexpr CDoc kDigit = D(kGEntry, "-> (keyed)", "keys a digit into the number being entered");
// The register arithmetic: r op= X, and X op r.
constexpr CDoc StoArith(const char* szText) { return A(enmArg::Reg, kGReg, "r | (i)", "x -> x", szText); }
constexpr CDoc RclArith(const char* szStack, const char* szText) {
    return A(enmArg::Reg, kGReg, "r | (i)", szStack, szText);
}
constexpr const char* kNeqX0 = "skips the next step unless X is not 0";
constexpr const char* kNeqXY = "skips the next step unless X is not Y";
constexpr const char* kFitStack = "z y code -> r2 slope intercept";
constexpr const char* kPlaneStack = "code -> a2 a1 a0 r2";

constexpr CInstr kInstr[] = {
    // number entry
    Entry("0", &O::Digit, 0, kDigit), Entry("1", &O::Digit, 1, kDigit), Entry("2", &O::Digit, 2, kDigit),
    Entry("3", &O::Digit, 3, kDigit), Entry("4", &O::Digit, 4, kDigit), Entry("5", &O::Digit, 5, kDigit),
    Entry("6", &O::Digit, 6, kDigit), Entry("7", &O::Digit, 7, kDigit), Entry("8", &O::Digit, 8, kDigit),
    Entry("9", &O::Digit, 9, kDigit),
    Entry(".", &O::Point, 0, D(kGEntry, "-> (keyed)", "keys the decimal point; a second one starts a new number")),
    Entry("EEX", &O::Eex, 0, D(kGEntry, "-> (keyed)", "starts the exponent of the number being entered")),
    Entry("CHS", &O::Chs, 0, D(kGEntry, "x -> -x", "changes the sign of the number being keyed, or of X")),
    Entry("ENTER", &O::Enter, 0, D(kGStack, "x -> x x", "ends the number being keyed, or copies X into Y")),
    // CLX is recorded by the keyboard but changes nothing in a program, not
    // even a number being keyed.
    Entry("CLX", nullptr, 0, D(kGStack, "x -> x", "does nothing in a program (the key clears X)")),
    // arithmetic
    Op("+", &O::Arith<0>, D(kGArith, "y x -> y+x", "adds X to Y")),
    Op("-", &O::Arith<1>, D(kGArith, "y x -> y-x", "subtracts X from Y")),
    Op("*", &O::Arith<2>, D(kGArith, "y x -> y*x", "multiplies Y by X")),
    Op("/", &O::Arith<3>, D(kGArith, "y x -> y/x", "divides Y by X")),
    Fn2("%CH", FnPctCh, D(kGArith, "y x -> (y-x)/y*100", "(Y - X) as a percentage of Y")),
    Fn2("Y^X", FnPow, D(kGArith, "y x -> y^x", "Y to the power X")),
    Fn2("HMS+", FnHMSPlus, D(kGAngle, "y x -> y+x", "adds two times or angles in hours.minutes-seconds")),
    Op("%", &O::Percent, D(kGArith, "y x -> y y*x/100", "X percent of Y; Y is kept")),
    // one-number functions
    Fn1("LN", FnLn, D(kGOne, "x -> ln x", "natural logarithm")),
    Fn1("LOG", FnLog, D(kGOne, "x -> log x", "common (base 10) logarithm")),
    Fn1("E^X", FnExp, D(kGOne, "x -> e^x", "natural exponential")),
    Fn1("10^X", FnExp10, D(kGOne, "x -> 10^x", "10 to the power X")),
    Fn1("X^2", FnSquare, D(kGOne, "x -> x*x", "square")),
    Fn1("SQRT", FnSqrt, D(kGOne, "x -> sqrt x", "square root")),
    Fn1("1/X", FnInv, D(kGOne, "x -> 1/x", "reciprocal")),
    Fn1("ABS", FnAbs, D(kGOne, "x -> |x|", "absolute value")),
    Fn1("N!", FnFact, D(kGOne, "x -> x!", "factorial")),
    Fn1("FACT", FnFact, D(kGOne, "x -> x!", "factorial, as N!")),
    Fn1("SIN", FnSin, D(kGAngle, "x -> sin x", "sine in the angle mode")),
    Fn1("COS", FnCos, D(kGAngle, "x -> cos x", "cosine in the angle mode")),
    Fn1("TAN", FnTan, D(kGAngle, "x -> tan x", "tangent in the angle mode")),
    Fn1("ARCSIN", FnAsin, D(kGAngle, "x -> asin x", "arc sine in the angle mode")),
    Fn1("ARCCOS", FnAcos, D(kGAngle, "x -> acos x", "arc cosine in the angle mode")),
    Fn1("ARCTAN", FnAtan, D(kGAngle, "x -> atan x", "arc tangent in the angle mode")),
    Fn1("D->R", FnDegToRad, D(kGAngle, "x -> rad", "degrees to radians")),
    Fn1("D<-R", FnRadToDeg, D(kGAngle, "x -> deg", "radians to degrees")),
    Fn1("H->HMS", FnToHMS, D(kGAngle, "x -> h.mmss", "decimal hours to hours.minutes-seconds")),
    Fn1("H<-HMS", FnFromHMS, D(kGAngle, "x -> h", "hours.minutes-seconds to decimal hours")),
    Op("INT", &O::IntFracRnd, 0, D(kGOne, "x -> int x", "integer part")),
    Op("FRAC", &O::IntFracRnd, 1, D(kGOne, "x -> frac x", "fractional part")),
    Op("RND", &O::IntFracRnd, 2, D(kGOne, "x -> rnd x", "rounds X to the digits shown")),
    // angles
    Op("DEG", &O::AngleMode, 0, D(kGAngle, "-", "angles in degrees")),
    Op("RAD", &O::AngleMode, 1, D(kGAngle, "-", "angles in radians")),
    Op("GRD", &O::AngleMode, 2, D(kGAngle, "-", "angles in grads")),
    Op("R<-P", &O::ToRect, D(kGAngle, "theta r -> y x", "polar (angle Y, radius X) to rectangular")),
    Op("R->P", &O::ToPolar, D(kGAngle, "y x -> r theta", "rectangular to polar: angle to X, radius to Y")),
    // stack
    Op("X<>Y", &O::Swap, D(kGStack, "y x -> x y", "exchanges X and Y")),
    Op("R^", &O::RollUp, D(kGStack, "t z y x -> z y x t", "rolls the stack up")),
    Op("RV", &O::RollDn, D(kGStack, "t z y x -> x t z y", "rolls the stack down")),
    Op("CLSTK", &O::ClStk, D(kGStack, "t z y x -> 0 0 0 0", "clears the stack")),
    Op("LST", &O::Lst, A(enmArg::None, kGStack, "[x]", "-> lastx", "recalls LAST X")),
    Op("PI", &O::PushPi, D(kGStack, "-> pi", "pushes pi")),
    // registers
    Op("STO", &O::Sto, A(enmArg::Reg, kGReg, "r | (i) | IND r", "x -> x", "stores X in register r")),
    Op("RCL", &O::Rcl, A(enmArg::Reg, kGReg, "r | (i) | IND r | SUM", "-> r", "recalls register r (SUM: the sums of x and y)")),
    Op("STO+", &O::StoArith, 0, StoArith("adds X to register r")),
    Op("STO-", &O::StoArith, 1, StoArith("subtracts X from register r")),
    Op("STO*", &O::StoArith, 2, StoArith("multiplies register r by X")),
    Op("STO/", &O::StoArith, 3, StoArith("divides register r by X")),
    Op("RCL+", &O::RclArith, 0, RclArith("x -> x+r", "adds register r to X")),
    Op("RCL-", &O::RclArith, 1, RclArith("x -> x-r", "subtracts register r from X")),
    Op("RCL*", &O::RclArith, 2, RclArith("x -> x*r", "multiplies X by register r")),
    Op("RCL/", &O::RclArith, 3, RclArith("x -> x/r", "divides X by register r")),
    Op("ST", &O::St, A(enmArg::None, kGReg, "I", "x -> x", "stores X in I")),
    Op("RC", &O::Rc, A(enmArg::None, kGReg, "I", "-> i", "recalls I")),
    Op("X<>I", &O::XexI, D(kGReg, "x -> i", "exchanges X and I")),
    Op("P<>S", &O::PexS, D(kGReg, "-", "exchanges the primary and secondary registers")),
    Op("CLREG", &O::ClReg, D(kGReg, "-", "clears the registers")),
    // display and sound
    Op("FIX", &O::DispMode, 0, D(kGDisp, "-", "fixed-point display")),
    Op("SCI", &O::DispMode, 1, D(kGDisp, "-", "scientific display")),
    Op("ENG", &O::DispMode, 2, D(kGDisp, "-", "engineering display")),
    Op("DSP", &O::Dsp, A(enmArg::Digits, kGDisp, "n | (i)", "-", "shows n digits")),
    Op("REG", &O::Reg, D(kGDisp, "-", "shows the registers")),
    Op("STK", &O::Stk, D(kGDisp, "-", "shows the stack, one register after the other")),
    Op("-X-", &O::ShowXBlink, D(kGDisp, "-", "shows X briefly")),
    Op("BEEP", &O::Beep, D(kGDisp, "-", "beeps")),
    Known("SPACE", D(kGDisp, "-", "does nothing (a blank line on the tape)")),
    Known("LBL", A(enmArg::Label, kGFlow, "label", "-", "marks a label; does nothing when run")),
    // statistics
    Op("SUM+", &O::SumPlusMinus, 0, D(kGStat, "y x -> n", "adds the point (x, y) to the sums")),
    Op("SUM-", &O::SumPlusMinus, 1, D(kGStat, "y x -> n", "takes the point (x, y) out of the sums")),
    Op("MEAN", &O::MeanSdev, 0, D(kGStat, "y x -> my mx", "means of x and y")),
    Op("SDEV", &O::MeanSdev, 1, D(kGStat, "y x -> sy sx", "standard deviations of x and y")),
    // flow control
    Op("GTO", &O::Gto, A(enmArg::Label, kGFlow, "label | (i)", "-", "goes to the label")),
    Op("GSB", &O::Gsb, A(enmArg::Label, kGFlow, "label | (i)", "-", "calls the label as a subroutine")),
    Op("RTN", &O::Rtn, D(kGFlow, "-", "returns from a subroutine; stops the program at the top level")),
    Op("R/S", &O::RunStop, D(kGFlow, "-", "stops the program")),
    Op("PAUSE", &O::Pause, D(kGDisp, "-", "shows X for a moment, then goes on")),
    Op("X=0?", &O::Test<0>, D(kGFlow, "-", "skips the next step unless X is 0")),
    Op("X<>0?", &O::Test<1>, D(kGFlow, "-", kNeqX0)), Op("X!=0?", &O::Test<1>, D(kGFlow, "-", kNeqX0)),
    Op("X<0?", &O::Test<2>, D(kGFlow, "-", "skips the next step unless X is below 0")),
    Op("X>0?", &O::Test<3>, D(kGFlow, "-", "skips the next step unless X is above 0")),
    Op("X=Y?", &O::Test<4>, D(kGFlow, "-", "skips the next step unless X equals Y")),
    Op("X<>Y?", &O::Test<5>, D(kGFlow, "-", kNeqXY)), Op("X!=Y?", &O::Test<5>, D(kGFlow, "-", kNeqXY)),
    Op("X<=Y?", &O::Test<6>, D(kGFlow, "-", "skips the next step unless X is at most Y")),
    Op("X>Y?", &O::Test<7>, D(kGFlow, "-", "skips the next step unless X is above Y")),
    Op("DSZ", &O::Dsz, A(enmArg::Counter, kGFlow, "[I | (i) | r | IND r]", "-",
                         "counts the register (I when none) down; skips the next step at 0")),
    Op("ISZ", &O::Isz, A(enmArg::Counter, kGFlow, "[I | (i)]", "-",
                         "counts I, or the register I names, up; skips the next step at 0")),
    Op("SF", &O::SetFlag, A(enmArg::Flag, kGFlow, "n", "-", "sets flag n")),
    Op("CF", &O::ClearFlag, A(enmArg::Flag, kGFlow, "n", "-", "clears flag n")),
    Op("F?", &O::TestFlag, A(enmArg::Flag, kGFlow, "n", "-", "skips the next step unless flag n is set")),
    Op("CLRFLG", &O::ClrFlg, D(kGFlow, "-", "clears every flag")),
    // extended: one- and two-number functions under the result rule
    Fn1("SINH", &O::Ext1<Numeric::SinH>, D(kGSpecial, "x -> sinh x", "hyperbolic sine")),
    Fn1("COSH", &O::Ext1<Numeric::CosH>, D(kGSpecial, "x -> cosh x", "hyperbolic cosine")),
    Fn1("TANH", &O::Ext1<Numeric::TanH>, D(kGSpecial, "x -> tanh x", "hyperbolic tangent")),
    Fn1("ASINH", &O::Ext1<Numeric::ArcSinH>, D(kGSpecial, "x -> asinh x", "inverse hyperbolic sine")),
    Fn1("ACOSH", &O::Ext1<Numeric::ArcCosH>, D(kGSpecial, "x -> acosh x", "inverse hyperbolic cosine")),
    Fn1("ATANH", &O::Ext1<Numeric::ArcTanH>, D(kGSpecial, "x -> atanh x", "inverse hyperbolic tangent")),
    Fn1("GAMMA", &O::Ext1<Numeric::Gamma>, D(kGSpecial, "x -> gamma x", "gamma function")),
    Fn1("ERF", &O::Ext1<Numeric::Erf>, D(kGSpecial, "x -> erf x", "error function")),
    Fn1("ERFC", &O::Ext1<Numeric::Erfc>, D(kGSpecial, "x -> erfc x", "complementary error function")),
    Fn1("EXPINT", &O::Ext1<Numeric::ExpInt>, D(kGSpecial, "x -> Ei x", "exponential integral")),
    Fn1("SI", &O::Ext1<Numeric::SinInt>, D(kGSpecial, "x -> Si x", "sine integral")),
    Fn1("CI", &O::Ext1<Numeric::CosInt>, D(kGSpecial, "x -> Ci x", "cosine integral")),
    Fn1("FSIN", &O::Ext1<Numeric::FresnelS>, D(kGSpecial, "x -> S x", "Fresnel sine integral")),
    Fn1("FCOS", &O::Ext1<Numeric::FresnelC>, D(kGSpecial, "x -> C x", "Fresnel cosine integral")),
    Fn1("BESSJ0", &O::Ext1<Numeric::BesselJ0>, D(kGSpecial, "x -> J0 x", "Bessel function J0")),
    Fn1("BESSJ1", &O::Ext1<Numeric::BesselJ1>, D(kGSpecial, "x -> J1 x", "Bessel function J1")),
    Fn1("BESSY0", &O::Ext1<Numeric::BesselY0>, D(kGSpecial, "x -> Y0 x", "Bessel function Y0")),
    Fn1("BESSY1", &O::Ext1<Numeric::BesselY1>, D(kGSpecial, "x -> Y1 x", "Bessel function Y1")),
    Fn1("FLOOR", &O::Ext1<Numeric::Floor>, D(kGOne, "x -> floor x", "largest integer not above X")),
    Fn1("CEIL", &O::Ext1<Numeric::Ceiling>, D(kGOne, "x -> ceil x", "smallest integer not below X")),
    Fn2("COMB", &O::Ext2<Numeric::Combinations>, D(kGSpecial, "n r -> C(n,r)", "combinations of n things r at a time")),
    Fn2("PERM", &O::Ext2<Numeric::Permutations>, D(kGSpecial, "n r -> P(n,r)", "permutations of n things r at a time")),
    Fn2("BETA", &O::Ext2<Numeric::Beta>, D(kGSpecial, "y x -> B(y,x)", "beta function")),
    Fn2("BESSJN", &O::ExtN<Numeric::BesselJN>, D(kGSpecial, "n x -> Jn x", "Bessel function Jn, n the integer part of Y")),
    Fn2("BESSYN", &O::ExtN<Numeric::BesselYN>, D(kGSpecial, "n x -> Yn x", "Bessel function Yn, n the integer part of Y")),
    Fn2("CHEB", &O::ExtN<Numeric::ChebyshevT>, D(kGSpecial, "n x -> Tn x", "Chebyshev polynomial Tn")),
    Fn2("LEGN", &O::ExtN<Numeric::LegendreP>, D(kGSpecial, "n x -> Pn x", "Legendre polynomial Pn")),
    Fn2("HERM", &O::ExtN<Numeric::HermiteH>, D(kGSpecial, "n x -> Hn x", "Hermite polynomial Hn")),
    Fn2("LAGR", &O::ExtN<Numeric::LaguerreL>, D(kGSpecial, "n x -> Ln x", "Laguerre polynomial Ln")),
    // extended: random numbers and the line through the statistics registers
    Op("RAN#", &O::RanNum, D(kGSpecial, "-> rand", "a random number from 0 to below 1")),
    Op("LR", &O::Lr, D(kGStat, "z y x -> r2 slope intercept", "the line through the summed points")),
    Op("LR2", &O::Lr2, D(kGStat, "-", "the line through the summed points into A (intercept) and B (slope)")),
    Fn1("YHAT", &O::YHat, D(kGStat, "x -> y", "the line's y for the x in X (B * X + A)")),
    Fn1("XHAT", &O::XHat, D(kGStat, "y -> x", "the line's x for the y in X ((X - A) / B)")),
    // extended: register blocks
    Op("CLRREGX", &O::Block, O::kClrRegX, D(kGBlock, "code ->", "clears the block of registers")),
    Op("CLRSUM", &O::Block, O::kClrSum, D(kGBlock, "-", "clears the statistics registers")),
    Op("FILLC", &O::Block, O::kFillC, D(kGBlock, "v code ->", "fills the block with Y")),
    Op("FILLR", &O::Block, O::kFillR, D(kGBlock, "z y code ->", "fills the block with random numbers between Y and Z")),
    Op("FILLV", &O::Block, O::kFillV, D(kGBlock, "step start code ->", "fills the block with whole numbers from Y in steps of Z")),
    Op("COPYREG", &O::Block, O::kCopyReg, D(kGBlock, "to code ->", "copies the block to the registers from Y on")),
    Op("MOVEREG", &O::Block, O::kMoveReg, D(kGBlock, "to code ->", "moves the block to the registers from Y on")),
    Op("SWAPREG", &O::Block, O::kSwapReg, D(kGBlock, "to code ->", "exchanges the block with the registers from Y on")),
    Op("SORT", &O::Block, O::kSort, D(kGBlock, "code ->", "sorts the block ascending")),
    Op("REGX", &O::Block, O::kRegX, D(kGBlock, "code ->", "shows the block of registers")),
    Op("SORTREC", &O::SortRec, D(kGBlock, "rec code ->", "sorts the block's records of Y registers")),
    Op("SRCHI", &O::Search, 0, D(kGBlock, "v code -> i", "index of the first register whose integer part is Y, or -1")),
    Op("SRCHE", &O::Search, 1, D(kGBlock, "v code -> i", "index of the first register equal to Y, or -1")),
    Op("SUM+X", &O::SumRange, 0, D(kGBlock, "code -> n", "adds the block's register pairs (x, y) to the sums")),
    Op("SUM-X", &O::SumRange, 1, D(kGBlock, "code -> n", "takes the block's register pairs (x, y) out of the sums")),
    Op("SUMX+X", &O::SumRange, 2, D(kGBlock, "code -> n", "adds each of the block's registers to the sums as x and y")),
    Op("SUMX-X", &O::SumRange, 3, D(kGBlock, "code -> n", "takes each of the block's registers out of the sums as x and y")),
    // extended: block fits
    Op("LRLIN", &O::LineFit, 0, D(kGFit, kFitStack, "straight line through the block's points")),
    Op("LRPOW", &O::LineFit, 1, D(kGFit, kFitStack, "power curve through the block's points")),
    Op("LRLOG", &O::LineFit, 2, D(kGFit, kFitStack, "logarithmic curve through the block's points")),
    Op("LREXP", &O::LineFit, 3, D(kGFit, kFitStack, "exponential curve through the block's points")),
    Op("MLR", &O::PlaneFit, 0, D(kGFit, kPlaneStack, "plane through the block's points")),
    Op("MLRPOW", &O::PlaneFit, 1, D(kGFit, kPlaneStack, "power surface through the block's points")),
    Op("QUADREG", &O::PlaneFit, 2, D(kGFit, kPlaneStack, "parabola through the block's points")),
    // extended: data files and program files
    Op("W/DATA", &O::DataFile, O::kWData, D(kGFiles, "-", "writes all registers to a data file (asks for the name)")),
    Op("W/DATAX", &O::DataFile, O::kWDataX, D(kGFiles, "code ->", "writes the block to a data file (asks for the name)")),
    Op("R/DATAX", &O::DataFile, O::kRDataX, D(kGFiles, "code ->", "reads the block from a data file (asks for the name)")),
    Op("W/DATA$", &O::DataFile, O::kWDataS, D(kGFiles, "code ->", "writes the block to the file $$.dax")),
    Op("R/DATA$", &O::DataFile, O::kRDataS, D(kGFiles, "code ->", "reads the block from the file $$.dax")),
    Op("WRIT2SF", &O::DataFile, O::kWrit2SF, D(kGFiles, "n ->", "writes the data file n to the scratch file")),
    Op("READFSF", &O::DataFile, O::kReadFSF, D(kGFiles, "n ->", "reads the data file n from the scratch file")),
    Op("MERGE", &O::Merge, D(kGFiles, "-", "reads a program listing in place of the program (asks for the name)")),
};
constexpr int kInstrCount = static_cast<int>(sizeof kInstr / sizeof kInstr[0]);

// The texts a listing may use for others (see CPrgm::Translate).
const CAlias kAliases[] = {
    {"ASIN", "ARCSIN"}, {"ACOS", "ARCCOS"}, {"ATAN", "ARCTAN"}, {"X", "*"},         {"X2", "X^2"},
    {"X#Y?", "X<>Y?"},  {"X#0?", "X<>0?"},  {"S", "SDEV"},      {"STOP", "R/S"},     {"ROLL DN", "RV"},
    {"ROLL UP", "R^"},  {"->HMS", "H->HMS"}, {"->H", "H<-HMS"}, {"PRTX", "-X-"},     {"PRTSTK", "STK"},
    {"YX", "Y^X"},      {"DSZ I", "DSZ"},   {"ISZ I", "ISZ"},   {"LOG10", "LOG"},    {"EXP", "E^X"},
    // the forms Translate reads by their shape
    {"STO + r", "STO+ r", true}, {"STO - r", "STO- r", true}, {"STO * r", "STO* r", true},
    {"STO / r", "STO/ r", true}, {"Fn?", "F? n", true},
};
constexpr int kAliasCount = static_cast<int>(sizeof kAliases / sizeof kAliases[0]);

using NumUtil::Upper;

constexpr int Compare(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
}

// The rows in the order of their mnemonics (the first of equal ones first),
// sorted when the program is compiled: a look-up needs nothing made at start-up.
constexpr auto kByName = [] {
    std::array<int16_t, kInstrCount> a{};
    for (int i = 0; i < kInstrCount; ++i) a[static_cast<size_t>(i)] = static_cast<int16_t>(i);
    std::sort(a.begin(), a.end(), [](int16_t x, int16_t y) {
        const int c = Compare(kInstr[x].sName, kInstr[y].sName);
        return c != 0 ? c < 0 : x < y;
    });
    return a;
}();


bool LooksNumeric(const std::string& s) { return NumUtil::IsDecimalSyntax(s); }

void Classify(std::string sWord, COperand& o) {
    o.sUpper = Upper(sWord);
    o.sText = std::move(sWord);
    o.fNum = 0.0;
    o.nInt = 0;
    o.bIntOk = false;
    const std::string& u = o.sUpper;
    if (u.empty()) o.eKind = enmOpd::Empty;
    else if (u == "(I)") o.eKind = enmOpd::Indirect;
    else if (u == "IND") o.eKind = enmOpd::Ind;
    else if (u == "I") o.eKind = enmOpd::RegI;
    else if (u == "SUM" || u == "SUM+") o.eKind = enmOpd::Sum;
    else if (LooksNumeric(u)) {
        double f = 0.0;
        if (NumUtil::ParseWhole(u, f) && std::isfinite(f)) {
            o.eKind = enmOpd::Number;
            o.fNum = f;
            const double r = std::nearbyint(f);
            if (r >= -32768.0 && r <= 32767.0) {
                o.bIntOk = true;
                o.nInt = static_cast<int16_t>(r);
            }
        } else {
            o.eKind = enmOpd::BadNumber;
        }
    } else {
        o.eKind = enmOpd::Name;
    }
}

void Nothing(CPrgm&, CStep&) {}

// How a register operand is read: as STO stores, as RCL recalls, or as the
// register arithmetic reads (STO's rule for numbers and I, RCL's for names).
enum class enmRule { Sto, Rcl, Arith };

CRegRef Fixed(int n) {
    CRegRef r;
    r.eAt = enmRegAt::Fixed;
    r.nReg = static_cast<int16_t>(n);
    return r;
}

CRegRef Bad(enmErrKind e) {
    CRegRef r;
    r.eAt = enmRegAt::Bad;
    r.eErr = e;
    return r;
}

// A number operand as a register number; a number that does not fit 16 bits
// is an overflow when the step runs.
CRegRef NumberReg(const COperand& o) {
    return o.eKind == enmOpd::Number && o.bIntOk ? Fixed(o.nInt) : Bad(enmErrKind::Overflow);
}

CRegRef Resolve(const COperand& o, const COperand& o2, enmRule eRule) {
    switch (o.eKind) {
    case enmOpd::Number:
    case enmOpd::BadNumber:
        return NumberReg(o);
    case enmOpd::RegI:
        return Fixed(CMem::kRegI);
    case enmOpd::Indirect: {
        CRegRef r;
        r.eAt = eRule == enmRule::Rcl ? enmRegAt::IntPartI : enmRegAt::NearestI;
        return r;
    }
    case enmOpd::Ind: {
        // The register named by the third word holds the register number.
        CRegRef r;
        switch (o2.eKind) {
        case enmOpd::Empty:
            return Bad(enmErrKind::Syntax);
        case enmOpd::Number:
        case enmOpd::BadNumber:
            r = NumberReg(o2);
            if (r.eAt == enmRegAt::Bad) return r;
            break;
        default: {
            const int n = CMem::RegOfName(o2.sUpper);
            r = Fixed(n >= 0 ? n : CMem::kRegI);   // a name that is no register recalls I
            break;
        }
        }
        r.eAt = eRule == enmRule::Rcl ? enmRegAt::IndInt : enmRegAt::IndNear;
        return r;
    }
    default: {
        // A name: "A".."E" and "I" are registers. Any other name stores
        // nothing and recalls I.
        const int n = CMem::RegOfName(o.sUpper);
        if (n >= 0) return Fixed(n);
        return Fixed(eRule == enmRule::Sto ? -1 : CMem::kRegI);
    }
    }
}

} // namespace

const CInstr* CPrgm::InstrTable(int& nCount) {
    nCount = kInstrCount;
    return kInstr;
}

const CInstr* CPrgm::FindInstr(const std::string& sMnemonic) {
    const std::string u = Upper(sMnemonic);
    const auto it = std::lower_bound(kByName.begin(), kByName.end(), u,
                                     [](int16_t n, const std::string& s) { return Compare(kInstr[n].sName, s.c_str()) < 0; });
    // The length too: a text with a NUL in it names nothing.
    return it != kByName.end() && Compare(kInstr[*it].sName, u.c_str()) == 0 && std::strlen(kInstr[*it].sName) == u.size()
               ? &kInstr[*it]
               : nullptr;
}

const CAlias* CPrgm::AliasTable(int& nCount) {
    nCount = kAliasCount;
    return kAliases;
}

void CPrgm::Translate(std::string& sStep) {
    const std::string u = Upper(sStep);
    for (const CAlias& a : kAliases)
        if (!a.bForm && u == a.sAlias) {
            sStep = a.sName;
            return;
        }
    // "STO + r" ... "STO / r": the operand keeps its case.
    if (u.rfind("STO ", 0) == 0 && u.size() >= 5 && std::string_view("+-*/").find(u[4]) != std::string_view::npos)
        sStep = "STO" + std::string(1, u[4]) + sStep.substr(5);
    // "Fn?" with a flag digit n.
    else if (u.size() == 3 && u[0] == 'F' && u[2] == '?' && u[1] >= '0' && u[1] <= '9')
        sStep = std::string("F? ") + u[1];
}

const CInstr& CPrgm::InstrRow(const std::string& sMnemonic) {
    const CInstr* p = FindInstr(sMnemonic);
    if (p == nullptr) throw std::logic_error("no instruction " + sMnemonic);
    return *p;
}

void CPrgm::Decode(const std::string& sText, CStep& oStep) {
    // Words are separated by single blanks: two adjacent blanks make an empty word.
    std::string sWords[3];
    size_t nStart = 0;
    for (int w = 0; w < 3; ++w) {
        const size_t nBlank = sText.find(' ', nStart);
        sWords[w] = sText.substr(nStart, nBlank == std::string::npos ? std::string::npos : nBlank - nStart);
        if (nBlank == std::string::npos) break;
        nStart = nBlank + 1;
    }
    DecodeWords(FindInstr(sWords[0]), std::move(sWords[1]), std::move(sWords[2]), oStep);
}

void CPrgm::DecodeWords(const CInstr* pInstr, std::string sOp, std::string sOp2, CStep& oStep) {
    oStep.pInstr = pInstr;
    // An unknown mnemonic is passed over like an empty step: it does not even
    // end a number being keyed.
    oStep.bEntry = pInstr == nullptr || pInstr->bEntry;
    oStep.pfn = pInstr != nullptr && pInstr->pfnExec != nullptr ? pInstr->pfnExec : &Nothing;
    Classify(std::move(sOp), oStep.oOp);
    Classify(std::move(sOp2), oStep.oOp2);
    // Only an instruction that names a register has its register resolved.
    if (pInstr != nullptr && pInstr->eArg == enmArg::Reg) {
        oStep.oSto = Resolve(oStep.oOp, oStep.oOp2, enmRule::Sto);
        oStep.oRcl = Resolve(oStep.oOp, oStep.oOp2, enmRule::Rcl);
        oStep.oArith = Resolve(oStep.oOp, oStep.oOp2, enmRule::Arith);
    } else {
        oStep.oSto = oStep.oRcl = oStep.oArith = CRegRef{};
    }
    O::Specialize(oStep);
    oStep.nLabelGen = -1;
    oStep.nLabelStep = 0;
    oStep.bValid = true;
}

void CPrgm::ExecInstr(const CInstr& oInstr, const char* sOperands) {
    std::string s = sOperands != nullptr ? sOperands : "";
    const size_t nBlank = s.find(' ');
    std::string s2 = nBlank == std::string::npos ? std::string() : s.substr(nBlank + 1);
    if (nBlank != std::string::npos) s.resize(nBlank);
    CStep oStep;
    DecodeWords(&oInstr, std::move(s), std::move(s2), oStep);
    oStep.pfn(*this, oStep);
}

void CPrgmOps::DecodeFirst(CPrgm& p, CStep& s) {
    CPrgm::Decode(p.Program_[static_cast<size_t>(p.PrgmPtr)], s);
    if (!s.bEntry) p.SavePendingNumber();
    s.pfn(p, s);
}

CStep& CPrgm::DecodedStep(int nStep) {
    if (nStep < 0 || nStep > kMaxSteps) throw CCalcError(enmErrKind::Range);
    CStep& oStep = Decoded()[static_cast<size_t>(nStep)];
    if (!oStep.bValid) Decode(Program_[nStep], oStep);
    return oStep;
}

} // namespace corvel
