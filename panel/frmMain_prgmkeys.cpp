// W/PRGM mode: the program step each key records in each prefix state.
#include <cctype>

#include "frmMain.h"

namespace {

// Steps recorded by the keys that record at once, by prefix (none, f, g, h).
// nullptr: nothing is recorded (the prefix is used up and the line shown again).
struct CKeySteps {
    enmKey eKey;
    const char* aSteps[4];
};

const CKeySteps kSteps[] = {
    {enmKey::K0, {"0", "%", "%CH", "LST x"}},
    {enmKey::K1, {"1", "R<-P", "R->P", "PAUSE"}},
    {enmKey::K2, {"2", "D<-R", "D->R", "PI"}},
    {enmKey::K3, {"3", "H<-HMS", "H->HMS", "REG"}},
    {enmKey::K4, {"4", "SIN", "ARCSIN", "1/x"}},
    {enmKey::K5, {"5", "COS", "ARCCOS", "y^x"}},
    {enmKey::K6, {"6", "TAN", "ARCTAN", "ABS"}},
    {enmKey::K7, {"7", "LN", "E^X", "x<>y"}},
    {enmKey::K8, {"8", "LOG", "10^x", "Rv"}},
    {enmKey::K9, {"9", "SQRT", "x^2", "R^"}},
    {enmKey::A, {"GSB A", "GSB a", nullptr, nullptr}},
    {enmKey::B, {"GSB B", "GSB b", nullptr, nullptr}},
    {enmKey::C, {"GSB C", "GSB c", nullptr, nullptr}},
    {enmKey::D, {"GSB D", "GSB d", nullptr, nullptr}},
    {enmKey::E, {"GSB E", "GSB e", nullptr, nullptr}},
    {enmKey::Decimal, {".", "INT", "FRAC", "."}},
    {enmKey::EEX, {"EEX", "CLREG", "CLSTK", "GRD"}},
    {enmKey::Chs, {"CHS", "P<>S", nullptr, "RAD"}},
    {enmKey::Enter, {"ENTER", "W/DATA", "MERGE", "DEG"}},
    {enmKey::Plus, {"+", "x<>0?", "x<>y?", nullptr}},
    {enmKey::Minus, {"-", "x=0?", "x=y?", nullptr}},
    {enmKey::Mult, {"*", "x<0?", "x<=y?", nullptr}},
    {enmKey::Div, {"/", "x>0?", "x>y?", "N!"}},
    {enmKey::STO, {nullptr, "DSZ", "DSZ (i)", "ST I"}},
    {enmKey::RCL, {nullptr, "ISZ", "ISZ (i)", "RC I"}},
    {enmKey::GTO, {nullptr, nullptr, nullptr, "RTN"}},
    {enmKey::DSP, {nullptr, "FIX", "SCI", "ENG"}},
    {enmKey::OfI, {nullptr, "RND", nullptr, "x<>I"}},
    {enmKey::SigmaPlus, {"Sum+", "Mean", "Sdev", "Sum-"}},
};

const CKeySteps* StepsOf(enmKey eKey) {
    for (const auto& o : kSteps)
        if (o.eKey == eKey) return &o;
    return nullptr;
}


bool IsFamily(const std::string& sOp, const char* sBase) {
    const std::string b(sBase);
    return sOp == b || (sOp.size() == b.size() + 1 && sOp.compare(0, b.size(), b) == 0 &&
                        std::string("+-*/").find(sOp.back()) != std::string::npos);
}

} // namespace

void frmMain::Record(const std::string& sStep) {
    oPrgm.InsertLine(sStep);
    ShowPrgmLineAndEnd();
}

void frmMain::ShowPrgmLineAndEnd() {
    SetDisplay(oPrgm.ShowCurrLine(), "");
    const bool bHadPrefix = enmShift != 0;
    enmShift = 0;
    if (bHadPrefix && !bPendOp) SetTitle(kTitle);
}

void frmMain::InsertPendOpDigit(int d) {
    static const char* const kOps[] = {"STO", "STO+", "STO-", "STO*", "STO/", "RCL", "RCL+", "RCL-",
                                       "RCL*", "RCL/", "DSP", "GTO", "GSB", "SF", "CF", "F?"};
    const std::string sDigit(1, static_cast<char>('0' + d));
    std::string sStep;
    for (const char* s : kOps)
        if (sPendOp == s) sStep = sPendOp + " " + sDigit;
    if (sPendOp == "LBL" || sPendOp == "lbl") sStep = "LBL " + sDigit;
    ClearPendOp();
    if (!sStep.empty()) oPrgm.InsertLine(sStep);
}

void frmMain::PrgmKey(enmKey eKey) {
    if (eKey == enmKey::F || eKey == enmKey::G || eKey == enmKey::H) {
        PrefixKey(eKey == enmKey::F ? 1 : eKey == enmKey::G ? 2 : 3);
        return;
    }
    if (bPendOp) {
        if (IsDigitKey(eKey)) {
            InsertPendOpDigit(DigitOfKey(eKey));
            ShowPrgmLineAndEnd();
            return;
        }
        if (IsLetterKey(eKey) || eKey == enmKey::OfI || eKey == enmKey::SigmaPlus) {
            std::string sOperand;
            const char c = LetterOfKey(eKey);
            const bool bLower = sPendOp == "gto" || sPendOp == "gsb" || sPendOp == "lbl";
            if (IsLetterKey(eKey)) sOperand = std::string(1, bLower ? static_cast<char>(std::tolower(c)) : c);
            std::string sStep;
            if (IsLetterKey(eKey)) {
                if (IsFamily(sPendOp, "STO") || IsFamily(sPendOp, "RCL") || sPendOp == "GTO" || sPendOp == "GSB")
                    sStep = sPendOp + " " + sOperand;
                else if (sPendOp == "gto")
                    sStep = "GTO " + sOperand;
                else if (sPendOp == "gsb")
                    sStep = "GSB " + sOperand;
                else if (sPendOp == "LBL" || sPendOp == "lbl")
                    sStep = "LBL " + sOperand;
            } else if (eKey == enmKey::OfI) {
                if (IsFamily(sPendOp, "STO") || IsFamily(sPendOp, "RCL") || sPendOp == "GTO" ||
                    sPendOp == "GSB" || sPendOp == "DSP")
                    sStep = sPendOp + " (i)";
            } else if (sPendOp == "RCL") {
                sStep = "RCL Sum+";
            }
            ClearPendOp();
            if (sStep.empty()) {
                ShowPrgmLineAndEnd();
            } else {
                Record(sStep);
            }
            return;
        }
        if (eKey == enmKey::Plus || eKey == enmKey::Minus || eKey == enmKey::Mult || eKey == enmKey::Div) {
            if (sPendOp == "STO" || sPendOp == "RCL") {
                static const char kOps[] = "+-*/";
                SetPendOp(sPendOp + kOps[static_cast<int>(eKey) - static_cast<int>(enmKey::Plus)]);
            } else {
                // The key is not performed; a prefix held with the cancelled
                // operation is used up with it, so no invisible prefix remains.
                ClearPendOp();
                enmShift = 0;
            }
            return;
        }
        if (eKey == enmKey::Decimal) {
            if (sPendOp == "GTO")
                LineNumberInput();
            else
                ClearPendOp();
            enmShift = 0;
            return;
        }
        // Every other key cancels the waiting operation and then acts.
        ClearPendOp();
    }

    const int nShift = enmShift;
    switch (eKey) {
    case enmKey::CLX:
        if (nShift == 1) {
            oPrgm.Clear();
            lblPrgm.clear();
            oHost_.Refresh(enmPart::PrgmLabel);
            bCardVisible = false;
            oHost_.Refresh(enmPart::Card);
            ShowPrgmLineAndEnd();
            SetTitle(kTitle);
            return;
        }
        if (nShift == 3) {
            // Step 000 is the top of memory and holds no instruction: there
            // is nothing to delete there, and deleting would lose step 1.
            int p = oPrgm.GetPrgmPointer();
            if (p > 0) {
                oPrgm.DeleteLine();
                --p;
            }
            oPrgm.SetPrgmPointer(p);
            ShowPrgmLineAndEnd();
            SetTitle(kTitle);
            return;
        }
        if (nShift == 2) {
            ShowPrgmLineAndEnd();
            return;
        }
        Record("CLX");
        bInErr = false;   // CLX clears "Error" in either mode
        return;
    case enmKey::STO:
    case enmKey::RCL:
    case enmKey::GTO:
    case enmKey::DSP:
        if (nShift == 0) {
            SetPendOp(eKey == enmKey::STO ? "STO" : eKey == enmKey::RCL ? "RCL" : eKey == enmKey::GTO ? "GTO" : "DSP");
            enmShift = 0;
            return;
        }
        if (eKey == enmKey::GTO && nShift != 3) {
            SetPendOp(nShift == 1 ? "GSB" : "gsb");
            enmShift = 0;
            return;
        }
        break;
    case enmKey::Plus:
    case enmKey::Minus:
    case enmKey::Mult:
        if (nShift == 3) {
            SetPendOp(eKey == enmKey::Plus ? "CF" : eKey == enmKey::Minus ? "SF" : "F?");
            enmShift = 0;
            return;
        }
        break;
    default:
        break;
    }
    const CKeySteps* p = StepsOf(eKey);
    const char* sStep = p ? p->aSteps[nShift] : nullptr;
    if (sStep)
        Record(sStep);
    else
        ShowPrgmLineAndEnd();
}
