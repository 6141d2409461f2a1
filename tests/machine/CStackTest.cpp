// The operand stack: the range rule of a push and the exact tests.
#include "MachineFixture.h"

// Below 1e-100 a push gives 0 (in the caller's variable too); from 1e100 on, or NaN, it is refused and the error set.
TEST(CStack, PushFlushesTinyValuesAndRefusesOutOfRangeOnes) {
    const struct { double v, fPushed; bool bRefused; } aCases[] = {
        {1e-101, 0, false}, {-9.9e-101, 0, false}, {1e-100, 1e-100, false}, {-1e-100, -1e-100, false},
        {9.99e99, 9.99e99, false}, {-9.99e99, -9.99e99, false}, {1e100, 0, true}, {-1e100, 0, true},
        {std::nan(""), 0, true}, {INFINITY, 0, true}, {-INFINITY, 0, true}};
    for (const auto& c : aCases) {
        SMachine m;
        m.oStack.SetAll(1, 2, 3, 4);
        double v = c.v;
        m.oStack.Push(v);
        double a[5];
        m.oStack.GetStack(a);
        EXPECT_EQ(V({a[1], a[2], a[3], a[4]}), c.bRefused ? V({1, 2, 3, 4}) : V({c.fPushed, 1, 2, 3})) << c.v;
        EXPECT_EQ(m.bInErr, c.bRefused) << c.v;
        if (!c.bRefused) EXPECT_EQ(v, c.fPushed) << c.v;
    }
}

// The motions are worked by every operation (test_keyboard.cpp, tests/program).
TEST(CStack, ExactTests) {
    CStack s;
    // X=0? X!=0? X<0? X>0? X=Y? X!=Y? X<=Y? X>Y?, with no tolerance.
    const struct { double x, y; const char* sTrue; } aTests[] = {
        {0, 0, "10001010"}, {1e-300, 0, "01010101"}, {-1e-300, 1e-300, "01100110"},
        {2, 2, "01011010"}, {-0.0, 0.0, "10001010"}, {3, 3 + 4e-16, "01010110"}};
    for (const auto& c : aTests) {
        s.SetAll(c.x, c.y, 0, 0);
        std::string sGot;
        for (bool b : {s.Xeq0(), s.Xneq0(), s.Xlt0(), s.Xgt0(), s.XeqY(), s.XneqY(), s.XlteqY(), s.XgtY()})
            sGot += b ? '1' : '0';
        EXPECT_EQ(sGot, c.sTrue) << c.x << " " << c.y;
    }
}
