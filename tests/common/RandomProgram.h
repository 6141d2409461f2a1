#pragma once
// Seeded random programs and an exact snapshot of a run's result, for tests that run a program two ways.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "machine/CMachine.h"
#include "program/CPrgm.h"

namespace corvel_test {

inline const std::vector<std::string> kStopOps = {"+", "-", "*", "/", "ENTER", "X<>Y", "RV", "CHS", "LST",
                                                  "STO 1", "RCL 1", "STO+ 2", "RCL* 2", "X<Y?", "X=0?", "X>0?",
                                                  "SQRT", "1/X"};

// LBL A, a body, RTN, subroutines 1 and 2; the body: numbers keyed by steps, vOps, calls and DSZ loops on I.
inline std::vector<std::string> RandomProgram(std::mt19937& g, const std::vector<std::string>& vOps = kStopOps) {
    std::uniform_int_distribution<int> kind(0, 9), op(0, static_cast<int>(vOps.size()) - 1), digit(0, 9), len(1, 3);
    std::vector<std::string> v{"LBL A"};
    auto Number = [&] {
        const int n = len(g);
        for (int i = 0; i < n; ++i) v.push_back(std::to_string(digit(g)));
        if (kind(g) < 2) v.push_back(".");
        if (kind(g) < 2) v.push_back(std::to_string(digit(g)));
        if (kind(g) == 0) v.insert(v.end(), {"EEX", std::to_string(digit(g))});
        if (kind(g) == 0) v.push_back("CHS");
    };
    const int nBody = 8 + len(g) * 4;
    for (int i = 0; i < nBody; ++i) {
        switch (kind(g)) {
        case 0: case 1: case 2: Number(); break;
        case 3: v.push_back(kind(g) < 5 ? "GSB 1" : "GSB 2"); break;
        case 4: v.insert(v.end(), {std::to_string(len(g)), "STO I", "LBL 3", vOps[op(g)], "DSZ", "GTO 3"}); break;
        default: v.push_back(vOps[op(g)]); break;
        }
    }
    v.insert(v.end(), {"RTN", "LBL 1"});
    Number();
    v.insert(v.end(), {"+", "RTN", "LBL 2", vOps[op(g)], "GSB 1", "RTN"});
    return v;
}

// Everything a program can change, every number exactly (hexadecimal); the display only while a number is being keyed.
inline std::string Snapshot(const CMachine& m, const CPrgm& p) {
    std::string s;
    auto Add = [&s](const std::string& sName, double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s=%a", sName.c_str(), v);
        s += buf;
    };
    const double a[] = {m.oStack.GetX(), m.oStack.GetY(), m.oStack.GetZ(), m.oStack.GetT(), m.fLastX};
    for (int i = 0; i < 5; ++i) Add(std::string(1, "XYZTL"[i]), a[i]);
    for (int r = 0; r <= CMem::kMaxReg; ++r)
        if (const double v = m.oMem.Rcl(r); v != 0 || std::signbit(v)) Add("R" + std::to_string(r), v);
    s += " flags=";
    for (int f = 0; f < 10; ++f) s += m.oFlags.PeekFlag(f) ? '1' : '0';
    s += " ptr=" + std::to_string(p.GetPrgmPointer()) + " ret=";
    for (int i = 1; i <= p.ReturnDepth(); ++i) s += std::to_string(p.ReturnStack()[static_cast<size_t>(i)]) + ",";
    s += " entry=" + std::to_string(p.EntryActive) + std::to_string(p.ExpEntryActive) +
         " err=" + std::to_string(bool(m.bInErr)) + std::to_string(static_cast<int>(m.bInErr.Cause()));
    if (p.EntryActive || p.ExpEntryActive) s += " keyed=" + m.lblDisp + "|" + m.lblEex;
    return s;
}

} // namespace corvel_test
