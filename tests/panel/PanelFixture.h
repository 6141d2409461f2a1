#pragma once
#include <gtest/gtest.h>

#include <sstream>

#include "common/Checked.h"
#include "common/FakeHost.h"
#include "common/TempDir.h"
#include "panel/CFrontPanel.h"

using namespace corvel;

// A calculator on a fake host, worked by key names as key scripts spell them.
class PanelTest : public ::testing::Test {
protected:
    CFakeHost oHost;
    CFrontPanel oMain{oHost};

    void Keys(const std::string& sKeys) {
        std::istringstream is(sKeys);
        for (std::string k; is >> k;) ASSERT_TRUE(oMain.PressKey(k)) << "unknown key " << k;
    }
    std::string Display() const { return oMain.View().lblDisp + "|" + oMain.View().lblEex; }
    double X() const { return oMain.View().oStack.GetX(); }
    double Y() const { return oMain.View().oStack.GetY(); }
    // Formats v with the current display settings.
    std::string Shown(double v) const {
        std::string d, e;
        oMain.ShowXHelper(v, d, e);
        return d + "|" + e;
    }
};
