// The fast path of the run loop: the steps a program runs most (recalls and
// stores, arithmetic, functions, tests, jumps, loop counters and the numbers
// keyed by digit steps) are taken from compact records made from their
// decoded steps, and run with X, Y, Z, T and LAST X in locals, dispatched
// through a table of labels. A step is counted and traced as the general path
// counts and traces it. Whatever is unusual (a range error, a number being
// keyed, an instruction it does not know, a register that does not exist)
// ends the slice before that step, with everything stored back, and the
// general path runs the step: what a step does and how it fails has one
// source, the functions of the instruction table, and the differential test
// holds the records to them.
#include <algorithm>
#include <cmath>
#include <string>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpedantic"   // labels as values
#endif

namespace corvel {

namespace {

using O = CPrgmOps;
using enmFast = CPrgm::enmFast;

bool IsReg(int n) { return n >= 0 && n <= CMem::kMaxReg; }

bool IsDigitStep(const CStep& s) { return s.pInstr != nullptr && s.pfn == &O::Digit; }

} // namespace

// A run of digits ended by a step that ends the number: one push.
void CPrgm::BuildFastNumber(int nStep, CFastStep& r) {
    int nEnd = nStep;
    std::string sDigits;
    while (nEnd <= kMaxSteps && IsDigitStep(DecodedStep(nEnd))) {
        sDigits += static_cast<char>('0' + DecodedStep(nEnd).pInstr->nArg);
        ++nEnd;
    }
    if (nEnd > kMaxSteps || sDigits.size() > 120) return;
    const CStep& oEnd = DecodedStep(nEnd);
    const bool bEnter = oEnd.pfn == &O::Enter;
    if (oEnd.bEntry && !bEnter) return;   // ".", EEX, CHS, CLX go on with the number
    const std::string sDisp = m_.lblDisp, sEex = m_.lblEex;
    m_.lblDisp = sDigits;
    m_.lblEex.clear();
    double v = 0.0;
    bool bOk = false;
    try {
        v = m_.GetVal();
        bOk = std::fabs(v) < NumUtil::kBig;
    } catch (const CCalcError&) {
    }
    m_.lblDisp = sDisp;
    m_.lblEex = sEex;
    if (!bOk) return;
    if (std::fabs(v) < NumUtil::kTiny) v = 0.0;
    r.eOp = bEnter ? enmFast::NumberEnter : enmFast::Number;
    r.fVal = v;
    r.nLen = static_cast<int8_t>(nEnd - nStep);
}

// The jumps, returns and loop counters.
void CPrgm::BuildFastFlow(const CStep& s, CFastStep& r) {
    const ExecFn f = s.pfn;
    auto Set = [&](enmFast e, int nReg = 0) {
        r.eOp = e;
        r.nReg = static_cast<int16_t>(nReg);
    };
    if ((f == &O::Gto || f == &O::Gsb) && s.oOp.eKind != enmOpd::Indirect) {
        const int16_t nTo = FindLabel(s.oOp.sText);
        if (nTo != 0) Set(f == &O::Gto ? enmFast::Gto : enmFast::Gsb, nTo);
        // A jump to a label step runs the label with it (nLen 1), when both fit the slice.
        const CStep& oTo = DecodedStep(nTo);
        if (nTo != 0 && nTo < kMaxSteps && oTo.pInstr != nullptr && std::string(oTo.pInstr->sName) == "LBL") r.nLen = 1;
    } else if (f == &O::Rtn) {
        Set(enmFast::Rtn);
    } else if (s.pInstr->pfnExec == &O::Dsz || s.pInstr->pfnExec == &O::Isz) {
        // The decoder has put the counter's form in pfn; the row tells which counter it is.
        const bool bDsz = s.pInstr->pfnExec == &O::Dsz;
        const enmOpd e = s.oOp.eKind;
        if (e == enmOpd::Empty || e == enmOpd::RegI)
            Set(bDsz ? enmFast::DszI : enmFast::IszI);
        else if (!bDsz)
            Set(enmFast::IszByI);   // any other operand counts the register I names
        else if (e == enmOpd::Number && s.oOp.bIntOk && IsReg(s.oOp.nInt))
            Set(enmFast::DszFix, s.oOp.nInt);
        else if (e == enmOpd::Indirect)
            Set(enmFast::DszByI);
    }
}

void CPrgm::FlushFastCounts(int nFirst, int nLast, bool bKeep) {
    if (!pFast_) return;
    for (int n = nFirst; n <= nLast; ++n) {
        uint32_t& c = (*pFast_)[static_cast<size_t>(n)].nCount;
        if (bKeep && pProfile_) (*pProfile_)[static_cast<size_t>(n)] += c;
        c = 0;
    }
    if (nFirst == 0 && nLast == kMaxSteps) nSinceFlush_ = 0;
}

void CPrgm::BuildFast(int nStep) {
    CFastStep& r = (*pFast_)[static_cast<size_t>(nStep)];
    const uint32_t nCount = r.nCount;   // the step's, whatever its record becomes
    r = CFastStep{};
    r.nCount = nCount;
    r.eOp = enmFast::General;
    const CStep& s = DecodedStep(nStep);
    const CInstr* pI = s.pInstr;
    const ExecFn f = s.pfn;
    if (pI == nullptr || pI->pfnExec == nullptr) {
        r.eOp = enmFast::Nop;   // unknown, LBL, SPACE, CLX: nothing to do
        return;
    }
    if (IsDigitStep(s)) {
        BuildFastNumber(nStep, r);
        return;
    }
    const int nSto = s.oSto.nReg, nRcl = s.oRcl.nReg, nArith = s.oArith.nReg;
    auto Set = [&](enmFast e, int nReg = 0) {
        r.eOp = e;
        r.nReg = static_cast<int16_t>(nReg);
    };
    if (f == &O::RclFixed) {
        if (IsReg(nRcl)) Set(enmFast::RclFix, nRcl);
    } else if (f == &O::RclByI) {
        Set(enmFast::RclByI);
    } else if (f == &O::RclInd) {
        if (IsReg(nRcl)) Set(enmFast::RclInd, nRcl);
    } else if (f == &O::StoFixed) {
        if (IsReg(nSto)) Set(enmFast::StoFix, nSto);
    } else if (f == &O::Sto && s.oSto.eAt == enmRegAt::NearestI) {
        Set(enmFast::StoNearI);
    } else if (f == &O::Rc) {
        Set(enmFast::Rc);
    } else if (f == &O::St) {
        Set(enmFast::St);
    } else if (f == &O::StoArithFixed<0> || f == &O::StoArithFixed<1> || f == &O::StoArithFixed<2> ||
               f == &O::StoArithFixed<3>) {
        if (IsReg(nSto) && nSto == nArith)
            Set(static_cast<enmFast>(static_cast<int>(enmFast::StoAdd) + pI->nArg), nSto);
    } else if (f == &O::RclArithFixed<0> || f == &O::RclArithFixed<1> || f == &O::RclArithFixed<2> ||
               f == &O::RclArithFixed<3>) {
        if (IsReg(nArith)) Set(static_cast<enmFast>(static_cast<int>(enmFast::RclAdd) + pI->nArg), nArith);
    } else if (f == &O::Arith<0>) {
        Set(enmFast::Add);
    } else if (f == &O::Arith<1>) {
        Set(enmFast::Sub);
    } else if (f == &O::Arith<2>) {
        Set(enmFast::Mul);
    } else if (f == &O::Arith<3>) {
        Set(enmFast::Div);
    } else if (f == &O::Unary) {
        // |X| and X squared inline; any other function is called.
        const std::string sName = pI->sName;
        Set(sName == "ABS" ? enmFast::Abs : sName == "X^2" ? enmFast::Square : enmFast::Unary);
        r.pfnUnary = pI->pfnUnary;
    } else if (f == &O::Binary) {
        Set(enmFast::Binary);
        r.pfnBinary = pI->pfnBinary;
    } else if (f == &O::Swap) {
        Set(enmFast::Swap);
    } else if (f == &O::Enter) {
        Set(enmFast::Enter);
    } else if (f == &O::Chs) {
        Set(enmFast::Chs);
    } else if (f == &O::Lst) {
        Set(enmFast::Lst);
    } else if (f == &O::RollDn) {
        Set(enmFast::RollDn);
    } else if (f == &O::Test<0> || f == &O::Test<1> || f == &O::Test<2> || f == &O::Test<3> ||
               f == &O::Test<4> || f == &O::Test<5> || f == &O::Test<6> || f == &O::Test<7>) {
        static const ExecFn kTests[] = {&O::Test<0>, &O::Test<1>, &O::Test<2>, &O::Test<3>,
                                        &O::Test<4>, &O::Test<5>, &O::Test<6>, &O::Test<7>};
        for (int k = 0; k < 8; ++k)
            if (f == kTests[k]) Set(static_cast<enmFast>(static_cast<int>(enmFast::TestX0) + k));
    } else {
        BuildFastFlow(s, r);
    }
}

uint64_t CPrgm::RunFast(uint64_t nBudget) {
    if (EntryActive || ExpEntryActive || m_.bInErr || Halted || StopRequested || (bTrace && !bTraceRing)) return 0;
    if (!pFast_) pFast_ = std::make_unique<std::array<CFastStep, kMaxSteps + 1>>();
    if (nFastGen_ != nTextGen_ || nFastLabelGen_ != nLabelGen_) {
        for (CFastStep& r : *pFast_) r.eOp = enmFast::Unbuilt;
        nFastGen_ = nTextGen_;
        nFastLabelGen_ = nLabelGen_;
    }
    // The slice loop calls nothing, so that the stack stays in registers;
    // records to make and the steps that call a function are done here.
    uint64_t nDone = 0;
    // A record's count stays far below 2^32 between two flushes.
    constexpr uint64_t kFlushEvery = uint64_t{1} << 30;
    while (nDone < nBudget) {
        enmFast eWhy = enmFast::General;
        const uint64_t nAsk = std::min(nBudget - nDone, kFlushEvery);
        const uint64_t n = !pProfile_
                               ? (bTrace ? FastSlice<true, false>(nAsk, eWhy) : FastSlice<false, false>(nAsk, eWhy))
                               : (bTrace ? FastSlice<true, true>(nAsk, eWhy) : FastSlice<false, true>(nAsk, eWhy));
        nDone += n;
        if (pProfile_ && (nSinceFlush_ += n) >= kFlushEvery) FlushFastCounts();
        if (eWhy == enmFast::Unbuilt) {
            BuildFast(PrgmPtr);
        } else if ((eWhy != enmFast::Unary && eWhy != enmFast::Binary) || nDone >= nBudget || !FastCall()) {
            break;
        } else {
            ++nDone;
        }
    }
    return nDone;
}

bool CPrgm::FastCall() {
    const CFastStep& r = (*pFast_)[static_cast<size_t>(PrgmPtr)];
    CStack& st = m_.oStack;
    const double x = st.GetX();
    double v = 0.0;
    try {
        v = r.eOp == enmFast::Unary ? r.pfnUnary(*this, x) : r.pfnBinary(st.GetY(), x);
    } catch (const CCalcError&) {
        return false;   // the general path runs the step and reports it
    }
    const double a = std::fabs(v);
    if (a < NumUtil::kTiny) v = 0.0;
    else if (!(a < NumUtil::kBig)) return false;
    ++nRunSteps;
    if (bTrace) NoteTrace();
    if (pProfile_) ++(*pProfile_)[static_cast<size_t>(PrgmPtr)];
    m_.fLastX = x;
    if (r.eOp == enmFast::Unary)
        st.Drop1AndPushX(v);
    else
        st.Drop2AndPushX(v);
    INC(PrgmPtr);
    return true;
}

template <bool bTraceOn, bool bCountOn>
uint64_t CPrgm::FastSlice(uint64_t nBudget, enmFast& eWhy) {
    std::array<CFastStep, kMaxSteps + 1>& aFast_ = *pFast_;
    static void* const kJump[] = {
        &&Unbuilt, &&General, &&Nop,    &&Number,  &&NumberEnter, &&RclFix, &&RclByI, &&RclInd, &&StoFix,
        &&StoNearI, &&Rc,     &&St,     &&StoAdd,  &&StoSub,      &&StoMul, &&StoDiv, &&RclAdd, &&RclSub,
        &&RclMul,  &&RclDiv,  &&Add,    &&Sub,     &&Mul,         &&Div,    &&Unary,  &&Binary, &&Swap,
        &&Enter,   &&Chs,     &&Lst,    &&RollDn,  &&TestX0,      &&TestX1, &&TestX2, &&TestX3, &&TestXY0,
        &&TestXY1, &&TestXY2, &&TestXY3, &&Gto,    &&Gsb,         &&Rtn,    &&DszI,   &&IszI,   &&IszByI,
        &&DszFix,  &&DszByI,  &&Abs,    &&Square};
    static_assert(sizeof kJump / sizeof kJump[0] == static_cast<size_t>(enmFast::Count));

    double x = m_.oStack.GetX(), y = m_.oStack.GetY(), z = m_.oStack.GetZ(), t = m_.oStack.GetT();
    double fLastX = m_.fLastX;
    double* const R = m_.oMem.Data();
    int p = PrgmPtr;
    // The record of the step at the pointer stands for the pointer in the loop.
    CFastStep* const pFirst = &aFast_[1];
    CFastStep* const pLast = &aFast_[kMaxSteps];
#define FAST_PTR() static_cast<int>(r - pFirst + 1)
    uint64_t nLeft = nBudget;   // steps the slice may still run
    int nNumberAt = 0;   // the step of the last number pushed, for the display fields
    CFastStep* r = nullptr;
    double v = 0.0, a = 0.0;

// One step done: counted and traced before it runs, as the general path does.
#define FAST_COUNT()                                                                                     \
    do {                                                                                                 \
        --nLeft;                                                                                         \
        if constexpr (bTraceOn) aTrace_[nTraced_++ & (kTraceRing - 1)] = static_cast<int16_t>(FAST_PTR()); \
        if constexpr (bCountOn) ++r->nCount;                                                             \
    } while (0)
#define FAST_NEXT() r = r < pLast ? r + 1 : pFirst
// The pointer is always a step 1..999 here: every jump and return goes to one.
#define FAST_DISPATCH()                                                                                  \
    do {                                                                                                 \
        if (nLeft == 0) goto Done;                                                                       \
        goto* kJump[static_cast<int>(r->eOp)];                                                           \
    } while (0)
#define FAST_END()                                                                                       \
    FAST_NEXT();                                                                                         \
    FAST_DISPATCH()
// A value offered to the stack or a register: below 1e-100 it is 0; 1e100 or
// more (or NaN) goes to the general path, which refuses or reports it.
#define FAST_RANGED(val)                                                                                 \
    v = (val);                                                                                           \
    a = std::fabs(v);                                                                                    \
    if (a < NumUtil::kTiny) v = 0.0;                                                                     \
    else if (!(a < NumUtil::kBig)) goto Done
#define FAST_PUSH(val)                                                                                   \
    FAST_RANGED(val);                                                                                    \
    t = z;                                                                                               \
    z = y;                                                                                               \
    y = x;                                                                                               \
    x = v

    if (static_cast<unsigned>(p - 1) >= static_cast<unsigned>(kMaxSteps)) {
        if (p != 0) return 0;
        p = 1;   // step 000 is never executed
    }
    r = &aFast_[static_cast<size_t>(p)];
    FAST_DISPATCH();

Unbuilt:
Unary:
Binary:
    eWhy = r->eOp;
    goto Done;
General:
    goto Done;
Nop:
    FAST_COUNT();
    FAST_END();
Number:
NumberEnter: {
    // The digit steps (and an ENTER that ends them) in one: the whole run
    // must fit the slice, with the step after it.
    const uint64_t nLen = static_cast<uint64_t>(r->nLen) + (r->eOp == enmFast::NumberEnter ? 1 : 0);
    if (nLeft <= nLen) goto Done;
    t = z;
    z = y;
    y = x;
    x = r->fVal;
    nNumberAt = FAST_PTR();
    for (uint64_t k = 0; k < nLen; ++k, ++r) FAST_COUNT();
    FAST_DISPATCH();
}
RclFix:
    FAST_PUSH(R[r->nReg]);
    FAST_COUNT();
    FAST_END();
// A register named by the integer part of a value: 0..999 for values above -1
// and below 1000.
RclByI:
    a = R[CMem::kRegI];
    if (!(a > -1.0 && a < CMem::kMaxReg + 1.0)) goto Done;
    FAST_PUSH(R[static_cast<int>(a)]);
    FAST_COUNT();
    FAST_END();
RclInd:
    a = R[r->nReg];
    if (!(a > -1.0 && a < CMem::kMaxReg + 1.0)) goto Done;
    FAST_PUSH(R[static_cast<int>(a)]);
    FAST_COUNT();
    FAST_END();
StoFix:
    if (!std::isfinite(x)) goto Done;
    R[r->nReg] = x;
    FAST_COUNT();
    FAST_END();
StoNearI:
    a = NumUtil::Nearest(R[CMem::kRegI]);
    if (!(a >= 0.0 && a <= CMem::kMaxReg) || !std::isfinite(x)) goto Done;
    R[static_cast<int>(a)] = x;
    FAST_COUNT();
    FAST_END();
Rc:
    FAST_PUSH(R[CMem::kRegI]);
    FAST_COUNT();
    FAST_END();
St:
    if (!std::isfinite(x)) goto Done;
    R[CMem::kRegI] = x;
    FAST_COUNT();
    FAST_END();
StoAdd:
    FAST_RANGED(R[r->nReg] + x);
    R[r->nReg] = v;
    FAST_COUNT();
    FAST_END();
StoSub:
    FAST_RANGED(R[r->nReg] - x);
    R[r->nReg] = v;
    FAST_COUNT();
    FAST_END();
StoMul:
    FAST_RANGED(R[r->nReg] * x);
    R[r->nReg] = v;
    FAST_COUNT();
    FAST_END();
StoDiv:
    if (x == 0.0) goto Done;
    FAST_RANGED(R[r->nReg] / x);
    R[r->nReg] = v;
    FAST_COUNT();
    FAST_END();
RclAdd:
    FAST_RANGED(x + R[r->nReg]);
    x = v;
    FAST_COUNT();
    FAST_END();
RclSub:
    FAST_RANGED(x - R[r->nReg]);
    x = v;
    FAST_COUNT();
    FAST_END();
RclMul:
    FAST_RANGED(x * R[r->nReg]);
    x = v;
    FAST_COUNT();
    FAST_END();
RclDiv:
    if (R[r->nReg] == 0.0) goto Done;
    FAST_RANGED(x / R[r->nReg]);
    x = v;
    FAST_COUNT();
    FAST_END();
Add:
    FAST_RANGED(y + x);
    goto Drop2;
Sub:
    FAST_RANGED(y - x);
    goto Drop2;
Mul:
    FAST_RANGED(y * x);
    goto Drop2;
Div:
    if (x == 0.0) goto Done;
    FAST_RANGED(y / x);
Drop2:
    fLastX = x;
    x = v;
    y = z;
    z = t;
    FAST_COUNT();
    FAST_END();
Abs:
    FAST_RANGED(std::fabs(x));
    goto ReplaceX;
Square:
    FAST_RANGED(x * x);
    goto ReplaceX;
Chs:
    // As a pop and a push of -X: LAST X gets X.
    FAST_RANGED(-x);
ReplaceX:   // a one-number result in X, LAST X keeping the argument
    fLastX = x;
    x = v;
    FAST_COUNT();
    FAST_END();
Swap:
    v = x;
    x = y;
    y = v;
    FAST_COUNT();
    FAST_END();
Enter:
    FAST_PUSH(x);
    FAST_COUNT();
    FAST_END();
Lst:
    FAST_PUSH(fLastX);
    FAST_COUNT();
    FAST_END();
RollDn:
    v = x;
    x = y;
    y = z;
    z = t;
    t = v;
    FAST_COUNT();
    FAST_END();
// A test that fails skips the next step.
#define FAST_TEST(cond)                                                                                  \
    FAST_COUNT();                                                                                        \
    if (!(cond)) FAST_NEXT();                                                                            \
    FAST_END()
TestX0:
    FAST_TEST(x == 0.0);
TestX1:
    FAST_TEST(x != 0.0);
TestX2:
    FAST_TEST(x < 0.0);
TestX3:
    FAST_TEST(x > 0.0);
TestXY0:
    FAST_TEST(x == y);
TestXY1:
    FAST_TEST(x != y);
TestXY2:
    FAST_TEST(x <= y);
TestXY3:
    FAST_TEST(x > y);
Gto:
    FAST_COUNT();
    if (r->nLen != 0 && nLeft != 0) {
        r = pFirst + (r->nReg - 1);
        FAST_COUNT();   // the label step
        FAST_NEXT();
    } else {
        r = pFirst + (r->nReg - 1);
    }
    FAST_DISPATCH();
Gsb:
    if (RetPtr >= kRetDepth) goto Done;
    FAST_COUNT();
    RetStack[static_cast<size_t>(++RetPtr)] = static_cast<int16_t>(FAST_PTR() + 1);
    r = pFirst + (r->nReg - 1);
    FAST_DISPATCH();
Rtn:
    if (RetPtr <= 0 || RetStack[static_cast<size_t>(RetPtr)] > kMaxSteps) goto Done;
    FAST_COUNT();
    r = pFirst + (RetStack[static_cast<size_t>(RetPtr--)] - 1);
    if (RetPtr < nStopBelow_) goto Done;   // step over or out: the general path stops the run
    FAST_DISPATCH();
// The loop counters: the count goes to the general path when its integer
// part could not be taken.
#define FAST_COUNTER(reg, step)                                                                          \
    {                                                                                                    \
        double& c = R[reg];                                                                              \
        v = c + (step);                                                                                  \
        if (!(std::fabs(v) < 2e9)) goto Done;                                                            \
        FAST_COUNT();                                                                                    \
        c = v;                                                                                           \
        if (v > -1.0 && v < 1.0) FAST_NEXT();   /* its integer part is 0 */                              \
        FAST_END();                                                                                      \
    }
DszI:
    FAST_COUNTER(CMem::kRegI, -1.0)
IszI:
    FAST_COUNTER(CMem::kRegI, 1.0)
DszFix:
    FAST_COUNTER(r->nReg, -1.0)
// The register |floor(I)|, for I from -999 to below 1000.
IszByI:
DszByI: {
    a = R[CMem::kRegI];
    if (!(a >= -CMem::kMaxReg && a < CMem::kMaxReg + 1.0)) goto Done;
    int k = static_cast<int>(a);
    if (k > a) --k;
    FAST_COUNTER(k < 0 ? -k : k, r->eOp == enmFast::DszByI ? -1.0 : 1.0)
}

Done:
    m_.oStack.SetAll(x, y, z, t);
    m_.fLastX = fLastX;
    PrgmPtr = static_cast<int16_t>(FAST_PTR());
    const uint64_t n = nBudget - nLeft;
    nRunSteps += n;
    if (nNumberAt != 0) {
        // The display fields as the last digit steps left them.
        const CFastStep& o = aFast_[static_cast<size_t>(nNumberAt)];
        m_.lblDisp.clear();
        for (int k = 0; k < o.nLen; ++k)
            m_.lblDisp += static_cast<char>('0' + (*pDecoded_)[static_cast<size_t>(nNumberAt + k)].pInstr->nArg);
        m_.lblEex.clear();
    }
    return n;
#undef FAST_PTR
#undef FAST_COUNT
#undef FAST_NEXT
#undef FAST_DISPATCH
#undef FAST_END
#undef FAST_RANGED
#undef FAST_PUSH
#undef FAST_TEST
#undef FAST_COUNTER
}

} // namespace corvel
