// The instruction table (mnemonic -> the function that executes it) and the
// decoding of a step text into its cached, classified form.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

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

constexpr CInstr Op(const char* s, void (*fn)(CPrgm&, CStep&), int nArg = 0) {
    return CInstr{s, fn, false, nullptr, nullptr, nArg};
}
constexpr CInstr Entry(const char* s, void (*fn)(CPrgm&, CStep&), int nArg = 0) {
    return CInstr{s, fn, true, nullptr, nullptr, nArg};
}
constexpr CInstr Fn1(const char* s, double (*fn)(const CPrgm&, double)) {
    return CInstr{s, &O::Unary, false, fn, nullptr, 0};
}
constexpr CInstr Fn2(const char* s, double (*fn)(double, double)) {
    return CInstr{s, &O::Binary, false, nullptr, fn, 0};
}
// A known instruction that does nothing beyond ending a number being keyed.
constexpr CInstr Known(const char* s) { return CInstr{s, nullptr, false, nullptr, nullptr, 0}; }

constexpr CInstr kInstr[] = {
    // number entry
    Entry("0", &O::Digit, 0), Entry("1", &O::Digit, 1), Entry("2", &O::Digit, 2), Entry("3", &O::Digit, 3),
    Entry("4", &O::Digit, 4), Entry("5", &O::Digit, 5), Entry("6", &O::Digit, 6), Entry("7", &O::Digit, 7),
    Entry("8", &O::Digit, 8), Entry("9", &O::Digit, 9), Entry(".", &O::Point), Entry("EEX", &O::Eex),
    Entry("CHS", &O::Chs), Entry("ENTER", &O::Enter),
    // CLX is recorded by the keyboard but changes nothing in a program, not
    // even a number being keyed.
    CInstr{"CLX", nullptr, true, nullptr, nullptr, 0},
    // arithmetic
    Op("+", &O::Arith<0>), Op("-", &O::Arith<1>), Op("*", &O::Arith<2>), Op("/", &O::Arith<3>), Fn2("%CH", FnPctCh),
    Fn2("Y^X", FnPow), Fn2("HMS+", FnHMSPlus), Op("%", &O::Percent),
    // one-number functions
    Fn1("LN", FnLn), Fn1("LOG", FnLog), Fn1("E^X", FnExp), Fn1("10^X", FnExp10), Fn1("X^2", FnSquare),
    Fn1("SQRT", FnSqrt), Fn1("1/X", FnInv), Fn1("ABS", FnAbs), Fn1("N!", FnFact), Fn1("FACT", FnFact),
    Fn1("SIN", FnSin), Fn1("COS", FnCos), Fn1("TAN", FnTan), Fn1("ARCSIN", FnAsin), Fn1("ARCCOS", FnAcos),
    Fn1("ARCTAN", FnAtan), Fn1("D->R", FnDegToRad), Fn1("D<-R", FnRadToDeg), Fn1("H->HMS", FnToHMS),
    Fn1("H<-HMS", FnFromHMS), Op("INT", &O::IntFracRnd, 0), Op("FRAC", &O::IntFracRnd, 1),
    Op("RND", &O::IntFracRnd, 2),
    // angles
    Op("DEG", &O::AngleMode, 0), Op("RAD", &O::AngleMode, 1), Op("GRD", &O::AngleMode, 2),
    Op("R<-P", &O::ToRect), Op("R->P", &O::ToPolar),
    // stack
    Op("X<>Y", &O::Swap), Op("R^", &O::RollUp), Op("RV", &O::RollDn), Op("CLSTK", &O::ClStk),
    Op("LST", &O::Lst), Op("PI", &O::PushPi),
    // registers
    Op("STO", &O::Sto), Op("RCL", &O::Rcl), Op("STO+", &O::StoArith, 0), Op("STO-", &O::StoArith, 1),
    Op("STO*", &O::StoArith, 2), Op("STO/", &O::StoArith, 3), Op("RCL+", &O::RclArith, 0),
    Op("RCL-", &O::RclArith, 1), Op("RCL*", &O::RclArith, 2), Op("RCL/", &O::RclArith, 3),
    Op("ST", &O::St), Op("RC", &O::Rc), Op("X<>I", &O::XexI), Op("P<>S", &O::PexS), Op("CLREG", &O::ClReg),
    // display and sound
    Op("FIX", &O::DispMode, 0), Op("SCI", &O::DispMode, 1), Op("ENG", &O::DispMode, 2), Op("DSP", &O::Dsp),
    Op("REG", &O::Reg), Op("STK", &O::Stk), Op("-X-", &O::ShowXBlink), Op("BEEP", &O::Beep),
    Known("SPACE"), Known("LBL"),
    // statistics
    Op("SUM+", &O::SumPlusMinus, 0), Op("SUM-", &O::SumPlusMinus, 1), Op("MEAN", &O::MeanSdev, 0),
    Op("SDEV", &O::MeanSdev, 1),
    // flow control
    Op("GTO", &O::Gto), Op("GSB", &O::Gsb), Op("RTN", &O::Rtn), Op("R/S", &O::RunStop), Op("PAUSE", &O::Pause),
    Op("X=0?", &O::Test<0>), Op("X<>0?", &O::Test<1>), Op("X!=0?", &O::Test<1>), Op("X<0?", &O::Test<2>),
    Op("X>0?", &O::Test<3>), Op("X=Y?", &O::Test<4>), Op("X<>Y?", &O::Test<5>), Op("X!=Y?", &O::Test<5>),
    Op("X<=Y?", &O::Test<6>), Op("X>Y?", &O::Test<7>), Op("DSZ", &O::Dsz), Op("ISZ", &O::Isz),
    Op("SF", &O::SetFlag), Op("CF", &O::ClearFlag), Op("F?", &O::TestFlag), Op("CLRFLG", &O::ClrFlg),
    // extended: one- and two-number functions under the result rule
    Fn1("SINH", &O::Ext1<Numeric::SinH>), Fn1("COSH", &O::Ext1<Numeric::CosH>), Fn1("TANH", &O::Ext1<Numeric::TanH>),
    Fn1("ASINH", &O::Ext1<Numeric::ArcSinH>), Fn1("ACOSH", &O::Ext1<Numeric::ArcCosH>),
    Fn1("ATANH", &O::Ext1<Numeric::ArcTanH>), Fn1("GAMMA", &O::Ext1<Numeric::Gamma>),
    Fn1("ERF", &O::Ext1<Numeric::Erf>), Fn1("ERFC", &O::Ext1<Numeric::Erfc>), Fn1("EXPINT", &O::Ext1<Numeric::ExpInt>),
    Fn1("SI", &O::Ext1<Numeric::SinInt>), Fn1("CI", &O::Ext1<Numeric::CosInt>),
    Fn1("FSIN", &O::Ext1<Numeric::FresnelS>), Fn1("FCOS", &O::Ext1<Numeric::FresnelC>),
    Fn1("BESSJ0", &O::Ext1<Numeric::BesselJ0>), Fn1("BESSJ1", &O::Ext1<Numeric::BesselJ1>),
    Fn1("BESSY0", &O::Ext1<Numeric::BesselY0>), Fn1("BESSY1", &O::Ext1<Numeric::BesselY1>),
    Fn1("FLOOR", &O::Ext1<Numeric::Floor>), Fn1("CEIL", &O::Ext1<Numeric::Ceiling>),
    Fn2("COMB", &O::Ext2<Numeric::Combinations>), Fn2("PERM", &O::Ext2<Numeric::Permutations>),
    Fn2("BETA", &O::Ext2<Numeric::Beta>), Fn2("BESSJN", &O::ExtN<Numeric::BesselJN>),
    Fn2("BESSYN", &O::ExtN<Numeric::BesselYN>), Fn2("CHEB", &O::ExtN<Numeric::ChebyshevT>),
    Fn2("LEGN", &O::ExtN<Numeric::LegendreP>), Fn2("HERM", &O::ExtN<Numeric::HermiteH>),
    Fn2("LAGR", &O::ExtN<Numeric::LaguerreL>),
    // extended: random numbers and the line through the statistics registers
    Op("RAN#", &O::RanNum), Op("LR", &O::Lr), Op("LR2", &O::Lr2), Fn1("YHAT", &O::YHat), Fn1("XHAT", &O::XHat),
    // extended: register blocks
    Op("CLRREGX", &O::Block, O::kClrRegX), Op("CLRSUM", &O::Block, O::kClrSum), Op("FILLC", &O::Block, O::kFillC),
    Op("FILLR", &O::Block, O::kFillR), Op("FILLV", &O::Block, O::kFillV), Op("COPYREG", &O::Block, O::kCopyReg),
    Op("MOVEREG", &O::Block, O::kMoveReg), Op("SWAPREG", &O::Block, O::kSwapReg), Op("SORT", &O::Block, O::kSort),
    Op("REGX", &O::Block, O::kRegX), Op("SORTREC", &O::SortRec), Op("SRCHI", &O::Search, 0),
    Op("SRCHE", &O::Search, 1), Op("SUM+X", &O::SumRange, 0), Op("SUM-X", &O::SumRange, 1),
    Op("SUMX+X", &O::SumRange, 2), Op("SUMX-X", &O::SumRange, 3),
    // extended: block fits
    Op("LRLIN", &O::LineFit, 0), Op("LRPOW", &O::LineFit, 1), Op("LRLOG", &O::LineFit, 2),
    Op("LREXP", &O::LineFit, 3), Op("MLR", &O::PlaneFit, 0), Op("MLRPOW", &O::PlaneFit, 1),
    Op("QUADREG", &O::PlaneFit, 2),
    // extended: data files and program files
    Op("W/DATA", &O::DataFile, O::kWData), Op("W/DATAX", &O::DataFile, O::kWDataX),
    Op("R/DATAX", &O::DataFile, O::kRDataX), Op("W/DATA$", &O::DataFile, O::kWDataS),
    Op("R/DATA$", &O::DataFile, O::kRDataS), Op("WRIT2SF", &O::DataFile, O::kWrit2SF),
    Op("READFSF", &O::DataFile, O::kReadFSF), Op("MERGE", &O::Merge),
};
constexpr int kInstrCount = static_cast<int>(sizeof kInstr / sizeof kInstr[0]);

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

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

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
    const CInstr* pInstr = FindInstr(sWords[0]);
    oStep.pInstr = pInstr;
    // An unknown mnemonic is passed over like an empty step: it does not even
    // end a number being keyed.
    oStep.bEntry = pInstr == nullptr || pInstr->bEntry;
    oStep.pfn = pInstr != nullptr && pInstr->pfnExec != nullptr ? pInstr->pfnExec : &Nothing;
    Classify(std::move(sWords[1]), oStep.oOp);
    Classify(std::move(sWords[2]), oStep.oOp2);
    oStep.oSto = Resolve(oStep.oOp, oStep.oOp2, enmRule::Sto);
    oStep.oRcl = Resolve(oStep.oOp, oStep.oOp2, enmRule::Rcl);
    oStep.oArith = Resolve(oStep.oOp, oStep.oOp2, enmRule::Arith);
    O::Specialize(oStep);
    oStep.nLabelGen = -1;
    oStep.nLabelStep = 0;
    oStep.bValid = true;
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
