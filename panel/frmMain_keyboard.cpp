// The computer keyboard: each typed character runs exactly one front-panel
// key, as a click on it would.
#include "frmMain.h"

bool frmMain::Form_KeyPress(int nChar) {
    switch (nChar) {
    case '0': img0_Click(); return true;
    case '1': img1_Click(); return true;
    case '2': img2_Click(); return true;
    case '3': img3_Click(); return true;
    case '4': img4_Click(); return true;
    case '5': img5_Click(); return true;
    case '6': img6_Click(); return true;
    case '7': img7_Click(); return true;
    case '8': img8_Click(); return true;
    case '9': img9_Click(); return true;
    case '.': imgDecimal_Click(); return true;
    case '+': imgPlus_Click(); return true;
    case '-': imgMinus_Click(); return true;
    case '*': imgMult_Click(); return true;
    case '/': imgDiv_Click(); return true;
    case 'e':
    case 13: imgEnter_Click(); return true;
    case 'f': imgF_Click(); return true;
    case 'g': imgG_Click(); return true;
    case 'h': imgH_Click(); return true;
    case 'A': imgA_Click(); return true;
    case 'B': imgB_Click(); return true;
    case 'C': imgC_Click(); return true;
    case 'D': imgD_Click(); return true;
    case 'E': imgE_Click(); return true;
    case 's': imgSTO_Click(); return true;
    case 'r': imgRCL_Click(); return true;
    case 'G': imgGTO_Click(); return true;
    case 'd': imgDSP_Click(); return true;
    case 'S': imgSST_Click(); return true;
    case '_':
    case 'H': imgChs_Click(); return true;
    case 'x': imgEEX_Click(); return true;
    case 'c': imgCLX_Click(); return true;
    case '(':
    case 'i':
    case ')': imgOfI_Click(); return true;
    case 'Q': imgSigmaPlus_Click(); return true;
    case 'R': imgRunStop_Click(); return true;
    default: return false;
    }
}

void frmMain::NotYetImplemented() {
    oHost_.ShowNotice("FYI", "Feature is not yet implemented", enmIcon::Information);
}
