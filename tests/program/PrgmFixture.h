#pragma once
// The machine with the interpreter on a recording feedback (no front panel); helpers load and run steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Checked.h"
#include "common/FakeFeedback.h"
#include "numeric/CCalcError.h"
#include "program/CPrgm.h"

using V = std::vector<double>;
using S = std::vector<std::string>;

class PrgmTest : public ::testing::Test {
protected:
    CMachine m;
    CFakeFeedback oHost{m};
    CPrgm p{m, oHost};

    // Clears the memory, writes the steps from step nFirst on and indexes the labels.
    void Load(const S& vSteps, int nFirst = 1) {
        p.Clear();
        for (const std::string& s : vSteps) p.SetLine(nFirst++, s);
        p.ScanLabels();
        p.Reset();   // pointer at step 1, no number being keyed
        p.StopRequested = false;
        oHost.vMessages.clear();
        oHost.vSounds.clear();
    }
    // Loads the steps and executes exactly that many, one by one, each with the error rule of a running program.
    void Steps(const S& vSteps) {
        Load(vSteps);
        for (size_t i = 0; i < vSteps.size(); ++i) Step();
    }
    // Executes the one step at the pointer (or at step n) as a running program would.
    void Step(int n = -1) {
        if (n >= 0) p.SetPrgmPointer(n);
        p.SST_Exec(false);
        oHost.Drive(p);
    }
    void Run() { p.Exec(); oHost.Drive(p); }   // from the pointer to the end of the run, as R/S
    void SetStack(double x, double y = 0, double z = 0, double t = 0) { m.oStack.SetAll(x, y, z, t); }
    double X() const { return m.oStack.GetX(); }
    double Y() const { return m.oStack.GetY(); }
    V Stack() const { return {X(), Y(), m.oStack.GetZ(), m.oStack.GetT()}; }
    V StackL() const { return {X(), Y(), m.oStack.GetZ(), m.oStack.GetT(), m.fLastX}; }   // and LAST X
    int Ptr() const { return p.GetPrgmPointer(); }
    static std::string ErrAt(const std::string& sLine) { return "Program Error|Error at line " + sLine; }
};
