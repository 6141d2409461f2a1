// The host's dialogs and auxiliary windows: each is modal, shows what it is
// given and returns what the user chose. A watchdog plays the user.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <tuple>

#include "../../windows/MyMsgBox.h"
#include "../../windows/ViewMemReg.h"
#include "../../windows/frmRegX.h"
#include "QtTestSupport.h"

TEST(MessageWindow, ShowsTextAndTitleUntilOK) {
    CCalcUnderTest o;
    // An empty title gives the window's own.
    const char* const kTitles[][2] = {{"Program Error", "Program Error"}, {"", "Corvel Emulator"}};
    for (const auto& t : kTitles) {
        QString sTitle, sText;
        CModalWatchdog oDog([&](QWidget* w) {
            sTitle = w->windowTitle();
            sText = w->findChild<QLabel*>("lblMsg")->text();
            EXPECT_TRUE(w->findChild<QPushButton*>("cmdDetails")->isHidden());   // nothing more to show
            w->findChild<QPushButton*>("cmdOK")->click();
        });
        o.oHost.ShowMsg("Error at line 012", t[0]);
        EXPECT_FALSE(oDog.GaveUp() || o.oHost.MsgBoxWindow().isVisible());
        EXPECT_EQ(sTitle + "|" + sText, QString(t[1]) + "|Error at line 012");
    }
}

TEST(MessageWindow, ARefusedListingNamesItsLineInTheDetailsAndOnTheNoteLine) {
    CCalcUnderTest o;
    QTemporaryDir oDir;
    const QString sFile = oDir.filePath("bad.corvel");
    QFile f(sFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("LBL A\n# a comment\n  FOO 3  # here\n");
    f.close();
    QString sTitle, sDetails;
    bool bClosed = false, bOpened = false;
    CModalWatchdog oDog([&](QWidget* w) {
        auto* p = qobject_cast<MyMsgBox*>(w);
        ASSERT_NE(p, nullptr);
        sTitle = p->windowTitle();
        bClosed = p->txtDetails->isHidden();
        p->cmdDetails->click();
        bOpened = p->txtDetails->isVisible();
        sDetails = p->txtDetails->toPlainText();
        p->cmdOK->click();
    });
    EXPECT_FALSE(o.oMain.Prgm().ReadProgram(sFile.toStdString()));
    EXPECT_FALSE(oDog.GaveUp());
    EXPECT_EQ(sTitle, "Listing Error");
    EXPECT_TRUE(bClosed && bOpened);
    EXPECT_EQ(sDetails, "bad.corvel line 3: FOO 3  # here\n");
    EXPECT_EQ(o.oMain.View().sNote, "bad.corvel line 3: FOO 3  # here");
}

// The register viewer shows each line in a fixed-pitch label and blanks the
// rest (fewer lines the second time); the block viewer refills its list when
// its box is ticked.
TEST(Viewers, RegistersInFixedPitchLabelsAndTheBlockRefilledWhenTicked) {
    CCalcUnderTest o;
    std::vector<std::string> vLines;
    for (int i = 0; i < 26; ++i) vLines.push_back("line " + std::to_string(i));
    for (const auto& v : {vLines, std::vector<std::string>{"p0:  1.50"}}) {
        QStringList vShown;
        CAnswers oAnswers({[&](QWidget* w) {
            auto* pView = qobject_cast<ViewMemReg*>(w);
            ASSERT_TRUE(pView && QFontInfo(pView->lblReg[0]->font()).fixedPitch());
            vShown << w->windowTitle();
            for (QLabel* l : pView->lblReg) vShown << l->text();
            ClickButton(w, "Close");
        }});
        o.oHost.ShowRegisters(v);
        ASSERT_EQ(vShown.size(), 27);
        EXPECT_EQ(vShown[0] + "|" + vShown[1] + "|" + vShown[26],
                  "Memory Registers|" + QString::fromStdString(v[0]) + (v.size() == 26 ? "|line 25" : "|"));
    }
    QString sSeen;
    CAnswers oAnswers({[&](QWidget* w) {
        auto* pView = qobject_cast<frmRegX*>(w);
        ASSERT_TRUE(pView);
        sSeen = QString("%1|%2|%3").arg(w->windowTitle()).arg(pView->chkShow->isChecked()).arg(pView->lstMem->count());
        pView->chkShow->click();
        sSeen += QString("|%1").arg(pView->lstMem->count());
        pView->cmdClose->click();
    }});
    o.oHost.ShowMemBlock([](bool bNonZero) {
        return bNonZero ? std::vector<std::string>{"5: 1.5", "7: -2"} : std::vector<std::string>{"5: 1.5", "6: 0", "7: -2"};
    });
    EXPECT_EQ(sSeen, "Memory Block Viewer|0|3|2");
    EXPECT_EQ(o.oHost.MemBlockWindow().lstMem->item(1)->text(), "7: -2");
}

// A question gives the answer clicked; an input box the text typed, or false when cancelled.
TEST(HostDialogs, AQuestionGivesTheAnswerAndAnInputBoxTheTypedTextOrCancel) {
    CCalcUnderTest o;
    for (const auto& [eIcon, eShown, sButton] : {std::tuple{enmIcon::Question, QMessageBox::Question, "No"},
                                                 std::tuple{enmIcon::Critical, QMessageBox::Critical, "Yes"}}) {
        QString sSeen;
        CAnswers oAnswers({[&, sButton](QWidget* w) {
            sSeen = QString("%1|%2").arg(qobject_cast<QMessageBox*>(w)->icon()).arg(w->windowTitle());
            ClickButton(w, sButton);
        }});
        EXPECT_EQ(o.oHost.AskYesNo("Write Program", "Write Program?", eIcon), sButton[0] == 'Y');
        EXPECT_EQ(sSeen + "|" + oAnswers.vTexts.join(""), QString("%1|Write Program|Write Program?").arg(eShown));
    }
    std::string sAnswer;
    QString sSeen;
    {
        CAnswers oAnswers({[&](QWidget* w) {
            auto* p = qobject_cast<QInputDialog*>(w);
            sSeen = p->textValue() + "|" + p->labelText() + "|" + p->windowTitle();
            QLineEdit* pEdit = w->findChild<QLineEdit*>();
            pEdit->selectAll();
            KeyClicks(pEdit, " 12 ");
            KeyClick(pEdit, Qt::Key_Return);
        }});
        EXPECT_TRUE(o.oHost.InputBox("Enter a line number", "Line Number Input", ".", sAnswer));
    }
    EXPECT_EQ(sSeen + "|" + QString::fromStdString(sAnswer), ".|Enter a line number|Line Number Input| 12 ");
    CAnswers oCancel({kReject});
    EXPECT_FALSE(o.oHost.InputBox("p", "t", ".", sAnswer));
    EXPECT_EQ(sAnswer, " 12 ");
}
