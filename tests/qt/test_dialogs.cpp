// The host's dialogs and auxiliary windows: each is modal, shows what it is given and returns what the user chose.
#include <ctime>

#include "../../windows/MyMsgBox.h"
#include "../../windows/ViewMemReg.h"
#include "../../windows/frmRegX.h"
#include "QtTestSupport.h"

// An empty title gives the window's own; details only when there are some: a refused listing's line
// (the note line's text is the core's: files_refused_listing.keys).
TEST(MessageWindow, ShowsTextAndTitleAndTheDetailsOfARefusedListing) {
    CCalcUnderTest o;
    QTemporaryDir oDir;
    const QString sFile = oDir.filePath("bad.corvel");
    ASSERT_TRUE(WriteFile(sFile, "LBL A\n# a comment\n  FOO 3  # here\n"));
    // sSeen: title|text|details shown at first|details after a click on the button.
    const struct { std::function<void()> fnShow; QString sSeen; } kCases[] = {
        {[&] { o.oHost.ShowMsg("Error at line 012", "Program Error"); }, "Program Error|Error at line 012|0|0"},
        {[&] { o.oHost.ShowMsg("Error at line 012", ""); }, "Corvel Emulator|Error at line 012|0|0"},
        {[&] { EXPECT_FALSE(o.oMain.Prgm().ReadProgram(sFile.toStdString())); },
         "Listing Error|bad.corvel line 3: FOO 3  # here\n|0|1"},
    };
    for (const auto& c : kCases) {
        QString sSeen;
        CAnswers oAnswers({[&](QWidget* w) {
            auto* p = qobject_cast<MyMsgBox*>(w);
            ASSERT_NE(p, nullptr);
            const QString sDetails = p->txtDetails->toPlainText(), sShown = p->txtDetails->isVisible() ? "1" : "0";
            if (!p->cmdDetails->isHidden()) p->cmdDetails->click();
            sSeen = p->windowTitle() + "|" + (sDetails.isEmpty() ? p->lblMsg->text() : sDetails) + "|" + sShown +
                    (p->txtDetails->isVisible() ? "|1" : "|0");
            p->cmdOK->click();
        }});
        c.fnShow();
        EXPECT_FALSE(oAnswers.GaveUp() || o.oHost.MsgBoxWindow().isVisible());
        EXPECT_EQ(sSeen, c.sSeen);
    }
}

// The register viewer blanks the labels it does not fill (fewer lines the second time).
TEST(Viewers, RegistersInFixedPitchLabelsAndTheBlockRefilledWhenTicked) {
    CCalcUnderTest o;
    std::vector<std::string> vLines;
    for (int i = 0; i < 26; ++i) vLines.push_back("line " + std::to_string(i));
    for (const auto& v : {vLines, std::vector<std::string>{"p0:  1.50"}}) {
        QString sSeen;
        CAnswers oAnswers({[&](QWidget* w) {
            auto* pView = qobject_cast<ViewMemReg*>(w);
            ASSERT_TRUE(pView && QFontInfo(pView->lblReg[0]->font()).fixedPitch());
            sSeen = w->windowTitle() + "|" + pView->lblReg[0]->text() + "|" + pView->lblReg[ViewMemReg::kCount - 1]->text();
            ClickButton(w, "Close");
        }});
        o.oHost.ShowRegisters(v);
        EXPECT_EQ(sSeen, "Memory Registers|" + QString::fromStdString(v[0]) + (v.size() == 26 ? "|line 25" : "|"));
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

TEST(HostDialogs, AQuestionGivesTheAnswerAndAnInputBoxTheTypedTextOrCancel) {
    CCalcUnderTest o;
    for (const auto& [eIcon, eShown, sButton] : {std::tuple{enmIcon::Question, QMessageBox::Question, "No"},
                                                 std::tuple{enmIcon::Critical, QMessageBox::Critical, "Yes"}}) {
        QString sSeen;
        CAnswers oAnswers({[&, sClick = sButton](QWidget* w) {
            sSeen = QString("%1|%2").arg(qobject_cast<QMessageBox*>(w)->icon()).arg(w->windowTitle());
            ClickButton(w, sClick);
        }});
        EXPECT_EQ(o.oHost.AskYesNo("Write Program", "Write Program?", eIcon), sButton[0] == 'Y');
        EXPECT_EQ(sSeen + "|" + oAnswers.vTexts.join(""), QString("%1|Write Program|Write Program?").arg(eShown));
    }
    std::string sAnswer;
    QString sSeen;
    CAnswers oTyped({[&](QWidget* w) {
        auto* p = qobject_cast<QInputDialog*>(w);
        sSeen = p->textValue() + "|" + p->labelText() + "|" + p->windowTitle();
        QLineEdit* pEdit = w->findChild<QLineEdit*>();
        pEdit->selectAll();
        KeyClicks(pEdit, " 12 ");
        KeyClick(pEdit, Qt::Key_Return);
    }});
    EXPECT_TRUE(o.oHost.InputBox("Enter a line number", "Line Number Input", ".", sAnswer));
    EXPECT_EQ(sSeen + "|" + QString::fromStdString(sAnswer), ".|Enter a line number|Line Number Input| 12 ");
    CAnswers oCancel({kReject});
    EXPECT_FALSE(o.oHost.InputBox("p", "t", ".", sAnswer));
    EXPECT_EQ(sAnswer, " 12 ");
}

// The sanitizers make every byte read several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlower = 10;
#elif defined(__has_feature)
constexpr int kSlower = __has_feature(address_sanitizer) ? 10 : 1;
#else
constexpr int kSlower = 1;
#endif

TEST(WindowFiles, ALongListingRefusedShowsAReadableBoxAtOnce) {
    QTemporaryDir oDir;
    const QString sFile = oDir.filePath("long.corvel");
    ASSERT_TRUE(WriteFile(sFile, (QByteArray(65000, 'Q') + "\r\n").repeated(999)));
    CCalcUnderTest o;
    QString sText;
    QSize oSize;
    // Counted in processor time, which the machine's other load does not stretch.
    const std::clock_t t0 = std::clock();
    CAnswers oAnswers({Press("Yes"), ChooseFile(sFile), [&](QWidget* w) {
                           auto* p = qobject_cast<MyMsgBox*>(w);
                           ASSERT_TRUE(p && p->windowTitle() == "Listing Error");
                           sText = p->lblMsg->text();
                           oSize = p->size();
                           p->cmdOK->click();
                       }});
    o.Clicks({"g", "ENTER"});
    EXPECT_LT(std::clock() - t0, 2 * kSlower * CLOCKS_PER_SEC);
    const QStringList v = sText.split('\n');
    EXPECT_TRUE(v.size() == 2 + 20 + 1 && v[2] == "Line 1 " + QString(193, 'Q') + QChar(0x2026) &&
                v[22] == QChar(0x2026) + QStringLiteral(" and 979 more")) << sText.left(400);
    EXPECT_TRUE(oSize.height() < 1000 && oSize.width() < 2000) << oSize.width() << "x" << oSize.height();
}
