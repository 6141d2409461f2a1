#pragma once
// A register memory wired to its stack, flags and statistics registers.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "common/TempDir.h"
#include "machine/CFlags.h"
#include "machine/CMem.h"
#include "machine/CStack.h"
#include "machine/CStatRegs.h"
#include "numeric/NumUtil.h"

using namespace corvel;

using V = std::vector<double>;

struct SMachine {
    CErrorFlag bInErr;
    CStack oStack{&bInErr};
    CMem oMem;
    CStatRegs oStat{oMem};
    CFlags oFlags;
    SMachine() { oMem.Attach(&oStack, &oStat, &oFlags); }
    // R(n) = n + 1 for every register, so moved values are recognisable.
    void Number() { for (int n = 0; n <= 999; ++n) oMem.Sto(n, n + 1.0); }
    void Put(int nFirst, std::initializer_list<double> a) { for (double v : a) oMem.Sto(nFirst++, v); }
    V Regs(int a, int b) const {
        V v;
        for (int n = a; n <= b; ++n) v.push_back(oMem.Rcl(n));
        return v;
    }
};

inline void ExpectNear(const V& vGot, const V& vWant, double fTol) {
    ASSERT_EQ(vGot.size(), vWant.size());
    for (size_t i = 0; i < vGot.size(); ++i) EXPECT_NEAR(vGot[i], vWant[i], fTol) << "#" << i;
}

#define EXPECT_CALC_ERROR(stmt, kind)                                                     \
    do { try { stmt; ADD_FAILURE() << "no error from " #stmt; }                           \
         catch (const CCalcError& e) { EXPECT_EQ(e.Kind(), kind) << #stmt; } } while (0)
