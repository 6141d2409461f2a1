// The names of the front panel's keys and buttons, as key scripts spell them.
#include <functional>
#include <map>

#include "frmMain.h"

namespace {
using KeyFn = std::function<void(frmMain&)>;

const std::map<std::string, KeyFn>& KeyTable() {
    static const std::map<std::string, KeyFn> m = {
        {"0", [](frmMain& o) { o.img0_Click(); }},
        {"1", [](frmMain& o) { o.img1_Click(); }},
        {"2", [](frmMain& o) { o.img2_Click(); }},
        {"3", [](frmMain& o) { o.img3_Click(); }},
        {"4", [](frmMain& o) { o.img4_Click(); }},
        {"5", [](frmMain& o) { o.img5_Click(); }},
        {"6", [](frmMain& o) { o.img6_Click(); }},
        {"7", [](frmMain& o) { o.img7_Click(); }},
        {"8", [](frmMain& o) { o.img8_Click(); }},
        {"9", [](frmMain& o) { o.img9_Click(); }},
        {".", [](frmMain& o) { o.imgDecimal_Click(); }},
        {"EEX", [](frmMain& o) { o.imgEEX_Click(); }},
        {"CHS", [](frmMain& o) { o.imgChs_Click(); }},
        {"ENTER", [](frmMain& o) { o.imgEnter_Click(); }},
        {"CLX", [](frmMain& o) { o.imgCLX_Click(); }},
        {"+", [](frmMain& o) { o.imgPlus_Click(); }},
        {"-", [](frmMain& o) { o.imgMinus_Click(); }},
        {"*", [](frmMain& o) { o.imgMult_Click(); }},
        {"/", [](frmMain& o) { o.imgDiv_Click(); }},
        {"STO", [](frmMain& o) { o.imgSTO_Click(); }},
        {"RCL", [](frmMain& o) { o.imgRCL_Click(); }},
        {"GTO", [](frmMain& o) { o.imgGTO_Click(); }},
        {"DSP", [](frmMain& o) { o.imgDSP_Click(); }},
        {"(i)", [](frmMain& o) { o.imgOfI_Click(); }},
        {"SUM+", [](frmMain& o) { o.imgSigmaPlus_Click(); }},
        {"f", [](frmMain& o) { o.imgF_Click(); }},
        {"g", [](frmMain& o) { o.imgG_Click(); }},
        {"h", [](frmMain& o) { o.imgH_Click(); }},
        {"A", [](frmMain& o) { o.imgA_Click(); }},
        {"B", [](frmMain& o) { o.imgB_Click(); }},
        {"C", [](frmMain& o) { o.imgC_Click(); }},
        {"D", [](frmMain& o) { o.imgD_Click(); }},
        {"E", [](frmMain& o) { o.imgE_Click(); }},
        {"R/S", [](frmMain& o) { o.imgRunStop_Click(); }},
        {"SST", [](frmMain& o) { o.imgSST_Click(); }},
        {"ON", [](frmMain& o) { o.imgOn_Click(); }},
        {"OFF", [](frmMain& o) { o.imgOff_Click(); }},
        {"W/PRGM", [](frmMain& o) { o.imgPrgm_Click(); }},
        {"RUN", [](frmMain& o) { o.imgRun_Click(); }},
        {"CARD", [](frmMain& o) { o.imgCardReader_Click(); }},
        {"SAVE", [](frmMain& o) { o.imgSaveState_Click(); }},
        {"RESTORE", [](frmMain& o) { o.imgRestoreState_Click(); }},
        {"EDIT", [](frmMain& o) { o.imgEdit_Click(); }},
        {"ABOUT", [](frmMain& o) { o.imgCopyright_Click(); }},
    };
    return m;
}

} // namespace

bool frmMain::IsKeyName(const std::string& sName) { return KeyTable().count(sName) != 0; }

bool frmMain::PressKey(const std::string& sName) {
    const auto it = KeyTable().find(sName);
    if (it == KeyTable().end()) return false;
    it->second(*this);
    return true;
}
