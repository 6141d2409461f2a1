// corvelxmem-batch: runs a key script through the calculator and prints the
// display, the title and the stack. Each key acts exactly as a click on it.
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../panel/frmMain.h"
#include "CBatchHost.h"

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

// Keys whose function this build does not provide yet.
bool NotProvided(const std::string& sKey) {
    static const char* const kMissing[] = {"R/S", "SST", "ON", "OFF", "W/PRGM", "RUN", "CARD",
                                           "SAVE", "RESTORE", "EDIT", "ABOUT"};
    if (sKey.rfind("type:", 0) == 0) return true;
    for (const char* s : kMissing)
        if (sKey == s) return true;
    return false;
}

void PrintState(frmMain& o) {
    auto num = [](double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return std::string(buf);
    };
    std::cout << "display: " << o.lblDisp << "|" << o.lblEex << "\n"
              << "title: " << o.sTitle << "\n"
              << "X: " << num(o.oStack.GetX()) << "\n"
              << "Y: " << num(o.oStack.GetY()) << "\n"
              << "Z: " << num(o.oStack.GetZ()) << "\n"
              << "T: " << num(o.oStack.GetT()) << "\n"
              << "LASTX: " << num(o.fLastX) << "\n"
              << "error: " << (o.bInErr ? "yes" : "no") << "\n";
}

int Usage() {
    std::cerr << "usage: corvelxmem-batch [--answer TEXT]... [--trace] [KEY...]\n"
                 "Keys come from the arguments or, when there are none, from standard input.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::deque<std::string> vAnswers;
    bool bTrace = false;
    std::vector<std::string> vKeys;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--answer") {
            if (i + 1 >= argc) return Usage();
            vAnswers.push_back(argv[++i]);
        } else if (a == "--trace") {
            bTrace = true;
        } else if (a == "--help" || a == "-h") {
            Usage();
            return 0;
        } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::cerr << "corvelxmem-batch: unknown option " << a << "\n";
            return Usage();
        } else {
            vKeys.push_back(a);
        }
    }
    if (vKeys.empty()) {
        std::string sLine;
        while (std::getline(std::cin, sLine)) {
            std::istringstream is(sLine);
            std::string sTok;
            // A token starting with "#" starts a comment to the end of its line.
            while (is >> sTok && sTok[0] != '#') vKeys.push_back(sTok);
        }
    }
    for (const auto& k : vKeys) {
        const bool bKnown = KeyTable().count(k) != 0 || k.rfind("type:", 0) == 0;
        if (!bKnown) {
            std::cerr << "corvelxmem-batch: unknown key name: " << k << "\n";
            return 2;
        }
        if (NotProvided(k)) {
            std::cerr << "corvelxmem-batch: key not provided by this build: " << k << "\n";
            return 2;
        }
    }

    CBatchHost oHost(std::cout, std::move(vAnswers));
    frmMain oMain(oHost);
    for (const auto& k : vKeys) {
        if (k.rfind("type:", 0) == 0) {
            for (char c : k.substr(5)) oMain.Form_KeyPress(static_cast<unsigned char>(c));
        } else {
            KeyTable().at(k)(oMain);
        }
        if (bTrace) PrintState(oMain);
        if (oHost.ExitRequested()) break;
    }
    if (!bTrace || vKeys.empty()) PrintState(oMain);
    return 0;
}
