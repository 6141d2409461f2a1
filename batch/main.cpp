// corvelxmem-batch: runs a key script through the calculator and prints the
// display, the title and the stack. Each key acts exactly as a click on it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "../panel/CFrontPanel.h"
#include "CBatchHost.h"

using namespace corvel;

namespace {

// Keys whose function this build does not provide yet.
bool NotProvided(const std::string& sKey) {
    static const char* const kMissing[] = {"CARD", "SAVE", "RESTORE", "EDIT"};
    for (const char* s : kMissing)
        if (sKey == s) return true;
    return false;
}

void PrintState(CFrontPanel& o) {
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
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", static_cast<int>(o.oPrgm.GetPrgmPointer()));
    std::cout << "pointer: " << buf << "\n";
}

int Usage() {
    std::cerr << "usage: corvelxmem-batch [--answer TEXT]... [--trace] [--stop-after N] [KEY...]\n"
                 "Keys come from the arguments or, when there are none, from standard input.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::deque<std::string> vAnswers;
    bool bTrace = false;
    unsigned long long nStopAfter = 0;
    std::vector<std::string> vKeys;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--answer") {
            if (i + 1 >= argc) return Usage();
            vAnswers.push_back(argv[++i]);
        } else if (a == "--stop-after") {
            if (i + 1 >= argc) return Usage();
            char* pEnd = nullptr;
            const unsigned long long n = std::strtoull(argv[++i], &pEnd, 10);
            if (pEnd == argv[i] || *pEnd != '\0' || n == 0 || argv[i][0] == '-') {
                std::cerr << "corvelxmem-batch: --stop-after needs a positive whole number\n";
                return 2;
            }
            nStopAfter = n;
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
        const bool bKnown = CFrontPanel::IsKeyName(k) || k.rfind("type:", 0) == 0;
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
    CFrontPanel oMain(oHost);
    oHost.SetStopAfter(nStopAfter, &oMain);
    for (const auto& k : vKeys) {
        if (k.rfind("type:", 0) == 0) {
            for (char c : k.substr(5)) oMain.Form_KeyPress(static_cast<unsigned char>(c));
        } else {
            oMain.PressKey(k);
        }
        if (bTrace) PrintState(oMain);
        if (oHost.ExitRequested()) break;
    }
    if (!bTrace || vKeys.empty()) PrintState(oMain);
    return 0;
}
