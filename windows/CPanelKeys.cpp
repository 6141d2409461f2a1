#include "CPanelKeys.h"

// Legends follow the functions the keys carry in RUN mode and the steps they
// record in W/PRGM mode.
const CKeyDef kPanelKeys[] = {
    // Upper block: labels, then the register and program keys, the prefixes, entry.
    {"A", "A", "a", "", "", enmKeyLook::Dark, 0, 0, 0, 1, &frmMain::imgA_Click},
    {"B", "B", "b", "", "", enmKeyLook::Dark, 0, 0, 1, 1, &frmMain::imgB_Click},
    {"C", "C", "c", "", "", enmKeyLook::Dark, 0, 0, 2, 1, &frmMain::imgC_Click},
    {"D", "D", "d", "", "", enmKeyLook::Dark, 0, 0, 3, 1, &frmMain::imgD_Click},
    {"E", "E", "e", "", "", enmKeyLook::Dark, 0, 0, 4, 1, &frmMain::imgE_Click},
    {"SUM+", "Σ+", "x̄", "s", "Σ−", enmKeyLook::Dark, 0, 1, 0, 1, &frmMain::imgSigmaPlus_Click},
    {"GTO", "GTO", "GSB", "gsb", "RTN", enmKeyLook::Dark, 0, 1, 1, 1, &frmMain::imgGTO_Click},
    {"DSP", "DSP", "FIX", "SCI", "ENG", enmKeyLook::Dark, 0, 1, 2, 1, &frmMain::imgDSP_Click},
    {"(i)", "(i)", "RND", "", "x⇄I", enmKeyLook::Dark, 0, 1, 3, 1, &frmMain::imgOfI_Click},
    {"SST", "SST", "LBL", "lbl", "BST", enmKeyLook::Dark, 0, 1, 4, 1, &frmMain::imgSST_Click},
    {"f", "f", "", "", "", enmKeyLook::Gold, 0, 2, 0, 1, &frmMain::imgF_Click},
    {"g", "g", "", "", "", enmKeyLook::Blue, 0, 2, 1, 1, &frmMain::imgG_Click},
    {"STO", "STO", "DSZ", "DSZ(i)", "ST I", enmKeyLook::Dark, 0, 2, 2, 1, &frmMain::imgSTO_Click},
    {"RCL", "RCL", "ISZ", "ISZ(i)", "RC I", enmKeyLook::Dark, 0, 2, 3, 1, &frmMain::imgRCL_Click},
    {"h", "h", "", "", "", enmKeyLook::Black, 0, 2, 4, 1, &frmMain::imgH_Click},
    {"ENTER", "ENTER", "W/DATA", "MERGE", "DEG", enmKeyLook::Dark, 0, 3, 0, 2, &frmMain::imgEnter_Click},
    {"CHS", "CHS", "P⇄S", "CLFLG", "RAD", enmKeyLook::Dark, 0, 3, 2, 1, &frmMain::imgChs_Click},
    {"EEX", "EEX", "CLREG", "CLSTK", "GRD", enmKeyLook::Dark, 0, 3, 3, 1, &frmMain::imgEEX_Click},
    {"CLX", "CLX", "CLPRGM", "", "DEL", enmKeyLook::Dark, 0, 3, 4, 1, &frmMain::imgCLX_Click},
    // Lower block: arithmetic on the left, the digits, R/S.
    {"-", "−", "x=0?", "x=y?", "SF", enmKeyLook::Dark, 1, 0, 0, 1, &frmMain::imgMinus_Click},
    {"7", "7", "LN", "eˣ", "x⇄y", enmKeyLook::Light, 1, 0, 1, 1, &frmMain::img7_Click},
    {"8", "8", "LOG", "10ˣ", "R↓", enmKeyLook::Light, 1, 0, 2, 1, &frmMain::img8_Click},
    {"9", "9", "√x", "x²", "R↑", enmKeyLook::Light, 1, 0, 3, 1, &frmMain::img9_Click},
    {"+", "+", "x≠0?", "x≠y?", "CF", enmKeyLook::Dark, 1, 1, 0, 1, &frmMain::imgPlus_Click},
    {"4", "4", "SIN", "SIN⁻¹", "1/x", enmKeyLook::Light, 1, 1, 1, 1, &frmMain::img4_Click},
    {"5", "5", "COS", "COS⁻¹", "yˣ", enmKeyLook::Light, 1, 1, 2, 1, &frmMain::img5_Click},
    {"6", "6", "TAN", "TAN⁻¹", "ABS", enmKeyLook::Light, 1, 1, 3, 1, &frmMain::img6_Click},
    {"*", "×", "x<0?", "x≤y?", "F?", enmKeyLook::Dark, 1, 2, 0, 1, &frmMain::imgMult_Click},
    {"1", "1", "R←P", "R→P", "PAUSE", enmKeyLook::Light, 1, 2, 1, 1, &frmMain::img1_Click},
    {"2", "2", "D←R", "D→R", "π", enmKeyLook::Light, 1, 2, 2, 1, &frmMain::img2_Click},
    {"3", "3", "H←HMS", "H→HMS", "REG", enmKeyLook::Light, 1, 2, 3, 1, &frmMain::img3_Click},
    {"/", "÷", "x>0?", "x>y?", "N!", enmKeyLook::Dark, 1, 3, 0, 1, &frmMain::imgDiv_Click},
    {"0", "0", "%", "%CH", "LST x", enmKeyLook::Light, 1, 3, 1, 1, &frmMain::img0_Click},
    {".", "•", "INT", "FRAC", "HMS+", enmKeyLook::Light, 1, 3, 2, 1, &frmMain::imgDecimal_Click},
    {"R/S", "R/S", "-x-", "STK", "SPACE", enmKeyLook::Dark, 1, 3, 3, 1, &frmMain::imgRunStop_Click},
};

const int kPanelKeyCount = static_cast<int>(sizeof(kPanelKeys) / sizeof(kPanelKeys[0]));
