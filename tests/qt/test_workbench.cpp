// The print tape window and the program view beside the panel, driven through the window as a user would.
#include "../../windows/CDialogLook.h"
#include "../../windows/CProgramView.h"
#include "../../windows/CTapeWindow.h"
#include "QtTestSupport.h"

using CWorkbench = CCalcWith<CSimClockHost>;   // the -x- blinks pass at once

TEST(Workbench, TheTapeWindowShowsWhatARunPrintsAndEachStepWithTrace) {
    CWorkbench o;
    o.Ctrl(Qt::Key_T);
    CTapeWindow* pTape = o.oWindow.TapeWindow();
    ASSERT_TRUE(pTape && pTape->isVisible() && pTape->property("corvelLook").toBool());
    pTape->chkTrace->click();   // TRACE on: the tape below holds the steps

    o.Clicks({"W/PRGM", "f", "SST", "A", "2", "*", "f", "R/S", "h", "GTO", "RUN", "5", "A"});
    // What the tape holds is the core's (tape_trace.keys); the window shows it all, on its timer.
    QStringList vTape;
    for (const std::string& s : o.oMain.Tape().Lines()) vTape << QString::fromStdString(s);
    EXPECT_TRUE(vTape.size() == 6 && QTest::qWaitFor([&] { return pTape->ShownLines() == vTape; }, 2000))
        << pTape->ShownLines().join('|');

    QTemporaryDir oDir;
    const QString sFile = oDir.filePath("tape.txt");
    CAnswers oAnswer({ChooseFile(sFile)});
    pTape->cmdSave->click();
    EXPECT_EQ(ReadFile(sFile).toStdString(), o.oMain.Tape().Text());

    // The box turns TRACE off; Clear empties the tape and the window.
    pTape->chkTrace->click();
    pTape->cmdClear->click();
    EXPECT_TRUE(!o.oMain.Prgm().bTrace && pTape->ShownLines().isEmpty() && o.oMain.Tape().Lines().empty());

    o.Ctrl(Qt::Key_T);
    EXPECT_FALSE(pTape->isVisible());
}

TEST(Workbench, TheProgramViewMarksThePointerAndADoubleClickMovesIt) {
    CWorkbench o;
    o.Clicks({"W/PRGM", "f", "SST", "A", "2", "*", "h", "GTO"});
    QTest::qWait(400);   // the window takes its first size once it is framed, 300 ms after it shows
    const QSize oPanel = o.oWindow.PanelRect().size();
    const QRect rcKey = o.oWindow.SpotRect("7");
    o.Ctrl(Qt::Key_L);
    QCoreApplication::processEvents();
    CProgramView* pView = o.oWindow.ProgramView();
    ASSERT_TRUE(pView && pView->isVisible());
    // The window grew sideways: the panel kept its place and size.
    EXPECT_TRUE(o.oWindow.PanelRect().size() == oPanel && o.oWindow.SpotRect("7") == rcKey &&
                pView->geometry().left() >= oPanel.width());

    QListWidget* pSteps = pView->lstSteps;
    ASSERT_EQ(pSteps->count(), 6);   // steps 000 to 005, the filler that ends the program
    EXPECT_EQ(pSteps->item(1)->text(), "001 LBL A");
    EXPECT_TRUE(pSteps->item(1)->data(CProgramView::kLabelRole).toBool() && pSteps->item(1)->font().bold());
    EXPECT_FALSE(pSteps->item(2)->font().bold());

    // The mark follows recording, BST and SST; -1 when it is not on the pointer's step or not highlighted.
    const auto Marked = [&] {
        QCoreApplication::processEvents();
        const int n = pView->MarkedStep();
        const bool bOnPointer = n == o.oMain.Prgm().GetPrgmPointer();
        return bOnPointer && pSteps->item(n)->background().color() == DialogLook::kHighlight ? n : -1;
    };
    EXPECT_EQ(Marked(), 4);
    o.Clicks({"h", "SST"});
    EXPECT_EQ(Marked(), 3);
    DoubleClick(pSteps, pSteps->item(1));
    EXPECT_TRUE(Marked() == 1 && o.oMain.View().lblDisp == "001 LBL A");

    // A click left of a step sets or clears its breakpoint; F9 that of the pointer's step.
    const QPoint oDot(3, pSteps->visualItemRect(pSteps->item(3)).center().y());
    MouseClick(pSteps->viewport(), oDot);
    KeyClick(&o.oWindow, Qt::Key_F9);
    EXPECT_TRUE(o.oMain.Prgm().HasBreak(3) && o.oMain.Prgm().HasBreak(1));
    MouseClick(pSteps->viewport(), oDot);
    EXPECT_FALSE(o.oMain.Prgm().HasBreak(3));
    KeyClick(&o.oWindow, Qt::Key_F10);   // step over in W/PRGM mode: the next step, as SST there
    EXPECT_EQ(Marked(), 2);
    KeyClick(&o.oWindow, Qt::Key_F11, {}, Qt::ShiftModifier);   // step out: RUN mode only, said so
    EXPECT_EQ(o.oWindow.InfoLine() + "|" + QString::number(Marked()), "Step out runs in RUN mode|2");
    pView->btnProfile->click();   // steps are counted while the column is shown
    EXPECT_TRUE(o.oMain.Prgm().Profiling());

    // While "Error" is shown a double click does nothing; the stack is shown beside the steps.
    o.Clicks({"RUN", "7", "ENTER", "0", "/"});
    ASSERT_TRUE(o.oMain.View().bInErr);
    DoubleClick(pSteps, pSteps->item(3));
    EXPECT_EQ(Marked(), 2);
    EXPECT_EQ(pView->lblStack->text().split('\n').value(1).simplified(), "Y 7");
    o.Ctrl(Qt::Key_L);
    EXPECT_FALSE(pView->isVisible());
    EXPECT_EQ(o.oWindow.PanelRect().size(), oPanel);
}
