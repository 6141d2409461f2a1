// What key scripts cannot reach: the block viewer's range decoding, typing, the key click (only while on)
// and the clipboard. Whole-calculator key behaviour is in test_keyboard.cpp.
#include "PanelFixture.h"

using KeyMapTest = PanelTest;

TEST_F(KeyMapTest, BlockViewerRanges) {
    int a = -1, b = -1;
    std::string sRanges;
    for (double f : {12.034, 5.1, 7.0}) {
        CFrontPanel::DecodeViewerRange(f, a, b);
        sRanges += std::to_string(a) + ".." + std::to_string(b) + " ";
    }
    EXPECT_EQ(sRanges, "12..34 5..100 0..7 ");
    for (double f : {1500.01, 1e300}) EXPECT_THROW(CFrontPanel::DecodeViewerRange(f, a, b), CCalcError) << f;
    oMain.Machine().oMem.Sto(12, 3.5);
    oMain.Machine().oMem.Sto(40, -1.25e20);
    double r = 10.040;
    oMain.ShowMemBlock(r);
    ASSERT_EQ(oHost.vLastViewer.size(), 31u);
    EXPECT_EQ(oHost.vLastViewer[2], "12: 3.5");
    EXPECT_EQ(oHost.vLastViewerNonZero, std::vector<std::string>({"12: 3.5", "40: -1.25E+20"}));
}

// Typing works the keys (the key table's characters): Return and e are ENTER, f a prefix, c CLX; a and b do nothing.
TEST_F(KeyMapTest, TypedCharactersWorkTheKeys) {
    for (char c : std::string("1.5e")) oMain.Form_KeyPress(c);
    EXPECT_TRUE(oMain.Form_KeyPress(13));
    EXPECT_FALSE(oMain.Form_KeyPress('a') || oMain.Form_KeyPress('b'));
    EXPECT_EQ(Display() + oMain.View().sTitle + std::to_string(X()) + std::to_string(Y()), "1.50|CorvelXMem 1.5000001.500000");
    for (char c : std::string("2+f")) oMain.Form_KeyPress(c);
    const std::string sPrefix = oMain.View().sTitle;
    oMain.Form_KeyPress('c');
    EXPECT_EQ(sPrefix + "|" + oMain.View().sTitle + "|" + std::to_string(X()), "CorvelXMem [f]|CorvelXMem |3.500000");
}

TEST_F(KeyMapTest, KeysClickWhileOnAndNeitherClickNorActWhileOff) {
    Keys("1");
    oMain.TurnOff();
    Keys("2 ENTER");
    EXPECT_TRUE(oMain.Form_KeyPress('7'));
    EXPECT_EQ(Display() + " " + std::to_string(oHost.vSounds.size()) + " click", "| 1 click");
}

// Ctrl+C and Ctrl+V: X out in full precision, a number in as a completed entry.
TEST_F(PanelTest, ClipboardCopiesXExactlyAndPastesOnlyNumbers) {
    Keys("1 ENTER 3 /");
    EXPECT_EQ(oMain.CopyText(), "0.3333333333333333");
    Keys("7");                           // an entry in progress ends as ENTER ends it
    oMain.PasteText("  -1.5e3 ");
    EXPECT_EQ(Display() + " " + std::to_string(X()) + " " + std::to_string(Y()), "-1500.00| -1500.000000 7.000000");
    Keys("2");                           // a completed entry: the next digit lifts
    EXPECT_EQ(Display(), "2|");
    Keys("+");
    EXPECT_EQ(X(), -1498);
    for (const char* s : {"abc", "1e100", "1,5", "", "nan"}) {
        oMain.SetNote("");
        oMain.PasteText(s);   // refused, with a note, and no error
        EXPECT_TRUE(X() == -1498 && !oMain.View().bInErr && !oMain.View().sNote.empty()) << s;
    }
    Keys("W/PRGM f SST A");
    EXPECT_EQ(oMain.CopyText(), "LBL A");
    oMain.PasteText("5");               // does nothing in W/PRGM
    EXPECT_EQ(oMain.Prgm().GetLine(2), "R/S");
}
