// What key scripts cannot reach: the block viewer's range decoding, typed
// control characters, and the key click that sounds even while off.
// Whole-calculator key behaviour is in tests/batch/keymap_*.keys and entry_*.keys.
#include "PanelFixture.h"

using KeyMapTest = PanelTest;

TEST_F(KeyMapTest, BlockViewerRanges) {
    int a = 0, b = 0;
    CFrontPanel::DecodeViewerRange(12.034, a, b);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 34);
    CFrontPanel::DecodeViewerRange(5.1, a, b);
    EXPECT_EQ(b, 100);
    CFrontPanel::DecodeViewerRange(7, a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 7);
    EXPECT_THROW(CFrontPanel::DecodeViewerRange(1500.01, a, b), CCalcError);
    EXPECT_THROW(CFrontPanel::DecodeViewerRange(1e300, a, b), CCalcError);
    oMain.oMem.Sto(12, 3.5);
    oMain.oMem.Sto(40, -1.25e20);
    double r = 10.040;
    oMain.ShowMemBlock(r);
    EXPECT_EQ(oHost.vLastViewer.size(), 31u);
    EXPECT_EQ(oHost.vLastViewer[2], "12: 3.5");
    ASSERT_EQ(oHost.vLastViewerNonZero.size(), 2u);
    EXPECT_EQ(oHost.vLastViewerNonZero[1], "40: -1.25E+20");
}

TEST_F(KeyMapTest, ReturnIsEnterAndOtherCharactersAreRefused) {
    for (char c : std::string("1.5e")) oMain.Form_KeyPress(c);
    EXPECT_FALSE(oMain.Form_KeyPress('a'));
    EXPECT_TRUE(oMain.Form_KeyPress(13));
    EXPECT_EQ(Y(), 1.5);
}

TEST_F(KeyMapTest, EveryKeyClicksButNothingActsWhileOff) {
    Keys("1");
    EXPECT_EQ(oHost.vSounds.size(), 1u);
    oMain.bOn = false;
    Keys("2 ENTER");
    EXPECT_TRUE(oMain.Form_KeyPress('7'));
    EXPECT_EQ(oHost.vSounds.size(), 1u);
    EXPECT_EQ(Display(), "1|");
}
