// Execution of the extended instructions: random numbers, the straight-line
// fit on the statistics registers, register blocks, block fits, data files
// and MERGE. (Their one- and two-number functions are table rows with the
// Ext workers of CPrgm_ops.h.) Each routine is called before the stack
// moves, unless the instruction takes its operand off the stack first, so a
// routine that fails leaves the stack as the instruction had it then. A data
// file that cannot be written or read is an error of the step.
#include <string>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "../machine/CFileIO.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

namespace {

// x = Pop, LAST X = x, then nMore further pops; returns x.
double PopToLastX(CMachine& m, int nMore = 0) {
    const double x = m.oStack.Pop();
    m.fLastX = x;
    for (int k = 0; k < nMore; ++k) m.oStack.Pop();
    return x;
}

// The statistics registers as a block code: registers 14 to 19.
constexpr double kSumRegs = 14.019;

} // namespace

// ---------------------------------------------------------------- random numbers and the Σ+ line

double CPrgmOps::YHat(const CPrgm& p, double x) {
    const CMem& oMem = p.m_.oMem;
    return oMem.RclA("B") * x + oMem.RclA("A");
}

double CPrgmOps::XHat(const CPrgm& p, double x) {
    const CMem& oMem = p.m_.oMem;
    return NumUtil::Div(x - oMem.RclA("A"), oMem.RclA("B"));
}

void CPrgmOps::RanNum(CPrgm& p, CStep&) { p.m_.oStack.Push(Numeric::RandomNumber()); }

namespace {

// The line through the Σ+ data, each result range-tested; zeros when there
// are too few points (the ok flag is not looked at).
void SigmaLine(CMachine& m, double& fSlope, double& fIntercept, double& fR2) {
    fSlope = fIntercept = fR2 = 0.0;
    bool bOk = false;
    m.oStat.LinearReg(fSlope, fIntercept, fR2, bOk);
    fSlope = CPrgmOps::Ranged(fSlope);
    fIntercept = CPrgmOps::Ranged(fIntercept);
    fR2 = CPrgmOps::Ranged(fR2);
}

} // namespace

void CPrgmOps::Lr(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    double fSlope = 0.0, fIntercept = 0.0, fR2 = 0.0;
    SigmaLine(m, fSlope, fIntercept, fR2);
    PopToLastX(m);
    m.oStack.Drop2AndPushXAndY(fSlope, fR2);
    m.oStack.Push(fIntercept);
}

void CPrgmOps::Lr2(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    double fSlope = 0.0, fIntercept = 0.0, fR2 = 0.0;
    SigmaLine(m, fSlope, fIntercept, fR2);
    m.oMem.StoA("A", fIntercept);
    m.oMem.StoA("B", fSlope);
}

// ---------------------------------------------------------------- register blocks

void CPrgmOps::Block(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    CMem& oMem = m.oMem;
    const double x = m.oStack.GetX(), y = m.oStack.GetY(), z = m.oStack.GetZ();
    int nOperands = 1;
    switch (s.pInstr->nArg) {
    case kClrRegX: oMem.ClearRangeMem(x); break;
    case kClrSum: oMem.ClearRangeMem(kSumRegs); nOperands = 0; break;
    case kFillC: oMem.FillRangeMemWithFixedValue(x, y); nOperands = 2; break;
    case kFillR: oMem.FillRangeMemWithRandomValue(x, y, z); nOperands = 3; break;
    case kFillV: oMem.FillRangeMemWithSeqValue(x, y, z); nOperands = 3; break;
    case kCopyReg: oMem.CopyRangeMem(x, y); nOperands = 2; break;
    case kMoveReg: oMem.MoveRangeMem(x, y); nOperands = 2; break;
    case kSwapReg: oMem.SwapRangeMem(x, y); nOperands = 2; break;
    case kSort: oMem.SortRangeMem(x); break;
    default: {   // REGX: the block viewer, modal
        double fRange = x;
        p.fb_.ShowMemBlock(fRange);
        break;
    }
    }
    if (nOperands > 0) PopToLastX(m, nOperands - 1);
}

void CPrgmOps::SortRec(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    m.oMem.SortGroup(x, m.oStack.GetY());
    m.fLastX = x;
    m.oStack.Drop2();
}

void CPrgmOps::Search(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    double v = m.oStack.GetY(), fIndex = -1.0;
    if (s.pInstr->nArg == 0)
        m.oMem.SearchMemRangeIntg(x, v, fIndex);
    else
        m.oMem.SearchMemRangeExact(x, v, fIndex);
    m.fLastX = x;
    m.oStack.Drop2AndPushX(fIndex);
}

void CPrgmOps::SumRange(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    double n = 0.0;
    switch (s.pInstr->nArg) {
    case 0: n = m.oMem.SumAddMemRange(x); break;
    case 1: n = m.oMem.SumSubMemRange(x); break;
    case 2: n = m.oMem.SumAddXMemRange(x); break;
    default: n = m.oMem.SumSubXMemRange(x); break;
    }
    m.fLastX = x;
    m.oStack.Drop1AndPushX(n);
}

// ---------------------------------------------------------------- block fits (results not range-tested)

void CPrgmOps::LineFit(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    double fSlope = 0.0, fIntercept = 0.0, fR2 = 0.0;
    bool bOk = false;
    switch (s.pInstr->nArg) {
    case 0: m.oMem.LR_Linear(x, fSlope, fIntercept, fR2, bOk); break;
    case 1: m.oMem.LR_Power(x, fSlope, fIntercept, fR2, bOk); break;
    case 2: m.oMem.LR_Log(x, fSlope, fIntercept, fR2, bOk); break;
    default: m.oMem.LR_Exp(x, fSlope, fIntercept, fR2, bOk); break;
    }
    PopToLastX(m);
    m.oStack.Drop2AndPushXAndY(fSlope, fR2);
    m.oStack.Push(fIntercept);
}

void CPrgmOps::PlaneFit(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    double a1 = 0.0, a2 = 0.0, a0 = 0.0, fR2 = 0.0;
    bool bOk = false;
    switch (s.pInstr->nArg) {
    case 0: m.oMem.MultLinearRegression(x, a1, a2, a0, fR2, bOk); break;
    case 1: m.oMem.MLR_Power(x, a1, a2, a0, fR2, bOk); break;
    default: m.oMem.QuadraticFit(x, a1, a2, a0, fR2, bOk); break;
    }
    PopToLastX(m);
    for (double v : {a2, a1, a0, fR2}) m.oStack.Push(v);
}

// ---------------------------------------------------------------- data files

namespace {

// A data file that could not be written is an error of the step.
void WriteDone(bool bOk) {
    if (!bOk) throw CCalcError(enmErrKind::File);
}

// A read that fails is no error of the step: it changes no register and
// clears flag 3, which programs test to see whether their data came in.
void ReadDone(bool) {}

} // namespace

void CPrgmOps::DataFile(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    CMem& oMem = m.oMem;
    const int nArg = s.pInstr->nArg;
    switch (nArg) {
    case kWData:
    case kWDataX:
    case kRDataX: {
        // The file meant is the one the dialog shows: its directory and the name typed.
        const bool bRead = nArg == kRDataX;
        CFileChoice oChoice;
        oChoice.sPurpose = bRead ? "Read a data file" : "Write a data file";
        if (!p.fb_.Host().AskYesNo(bRead ? "Read Data" : "Write Data", bRead ? "Read Data?" : "Write Data?",
                            enmIcon::Question) ||
            !p.fb_.Host().ChooseFile("", bRead ? enmFileUse::Read : enmFileUse::Write, oChoice))
            return;
        // A file the dialog made for a write that fails (or never comes, for
        // a bad range code) goes again.
        FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
        if (nArg == kWData) {
            WriteDone(oNew.KeepIf(oMem.WriteData(oChoice.sFull)));
        } else {
            const double x = PopToLastX(m);
            if (bRead)
                ReadDone(oMem.ReadRangeData(oChoice.sFull, x));
            else
                WriteDone(oNew.KeepIf(oMem.WriteRangeData(oChoice.sFull, x)));
        }
        return;
    }
    case kWDataS: WriteDone(oMem.WriteRangeData(CMem::kScratchFile, PopToLastX(m))); return;
    case kRDataS: ReadDone(oMem.ReadRangeData(CMem::kScratchFile, PopToLastX(m))); return;
    // The copies write their destination; a missing source copies as an
    // empty one, a source that is no plain file fails the step.
    case kWrit2SF: WriteDone(oMem.WriteToScratchFile(m.oStack.GetX())); break;
    default: WriteDone(oMem.ReadFromScratchFile(m.oStack.GetX())); break;
    }
    PopToLastX(m);
}

void CPrgmOps::Merge(CPrgm& p, CStep&) {
    // The step's decoded form may be replaced by the listing read here: only
    // the program object is used from here on.
    CPanelFeedback& fb = p.fb_;
    bool bRead = false;
    if (fb.Host().AskYesNo("WriteOrMergeProgram Program", "Read Program?", enmIcon::Question)) {
        CFileChoice oChoice;
        oChoice.sPurpose = "Read a program listing";
        if (fb.Host().ChooseFile("*.corvel", enmFileUse::Read, oChoice)) {
            // A refused listing has shown its own message and left the
            // program (this step included) as it was: the step fails.
            if (!p.ReadProgram(oChoice.sFull)) throw CCalcError(enmErrKind::File, "listing refused");
            fb.SetProgramLabel(oChoice.sTyped);
            bRead = true;
        } else {
            fb.SetProgramLabel("");
        }
    }
    // The run goes on with step 2 of the program now in memory.
    p.Reset();
    // A second MERGE of the run that reads nothing would only bring the
    // program round to the same question again, for ever: the run ends
    // there, on step 1, and the keyboard is the user's again.
    if (!bRead && p.MergeReadNothing) {
        p.JumpTo(1);
        p.StopRequested = true;
    }
    p.MergeReadNothing = !bRead;
}

} // namespace corvel
