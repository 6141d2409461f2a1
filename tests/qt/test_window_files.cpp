// Files through the real window: the state saved and restored by the two buttons.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstring>
#include <ctime>
#include <fstream>

#include "../../windows/MyMsgBox.h"
#include "../../windows/dlgFile.h"
#include "QtTestSupport.h"

// What the buttons add to the core's state file (tests/panel/test_state.cpp):
// they reach it through the question and the file dialog.
TEST(WindowFiles, TheSaveAndRestoreButtonsGoThroughTheFileDialog) {
    QTemporaryDir oDir;
    CCalcUnderTest o;
    o.Clicks({"7", "ENTER", "2", "STO", "5"});
    const QString sFile = oDir.filePath("state.txt");
    {
        CAnswers oAnswers({ChooseFile(sFile)});
        o.Click("SAVE");
    }
    o.Click("CLX");
    CAnswers oAnswers({ChooseFile(sFile), Press("Yes")});
    o.Click("RESTORE");
    EXPECT_EQ(std::vector<double>({o.oMain.Machine().oStack.GetX(), o.oMain.Machine().oStack.GetY(), o.oMain.Machine().oMem.Rcl(5)}),
              std::vector<double>({2, 7, 2}));
}

// The sanitizers make every byte read several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

TEST(WindowFiles, ALongListingRefusedShowsAReadableBoxAtOnce) {
    // 999 invalid lines of 65,000 characters each.
    QTemporaryDir oDir;
    const QString sFile = oDir.filePath("long.corvel");
    {
        std::ofstream oOut(sFile.toStdString(), std::ios::binary);
        const std::string sLine = std::string(65000, 'Q') + "\r\n";
        for (int n = 0; n < 999; ++n) oOut << sLine;
    }
    CCalcUnderTest o;
    QString sText;
    QSize oSize;
    // Counted in processor time, which the machine's other load does not stretch.
    const std::clock_t t0 = std::clock();
    {
        CAnswers oAnswers({Press("Yes"), ChooseFile(sFile), [&](QWidget* w) {
                               auto* p = qobject_cast<MyMsgBox*>(w);
                               ASSERT_TRUE(p && p->windowTitle() == "Listing Error");
                               sText = p->lblMsg->text();
                               oSize = p->size();
                               p->cmdOK->click();
                           }});
        o.Clicks({"g", "ENTER"});
    }
    EXPECT_LT(std::clock() - t0, kSanitized ? 20 * CLOCKS_PER_SEC : 2 * CLOCKS_PER_SEC);
    const QStringList v = sText.split('\n');
    ASSERT_EQ(v.size(), 2 + 20 + 1);
    EXPECT_EQ(v[2], "Line 1 " + QString(193, 'Q') + QChar(0x2026));
    EXPECT_EQ(v[22], QChar(0x2026) + QStringLiteral(" and 979 more"));
    EXPECT_TRUE(oSize.height() < 1000 && oSize.width() < 2000) << oSize.width() << "x" << oSize.height();
}
