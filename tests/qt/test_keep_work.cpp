// The user's work is never lost silently: pasting is typing; closing, the editor, restore and a signal ask or keep it.
#include "../../windows/frmEdit.h"
#include "QtTestSupport.h"

static QString StateRegister(const QString& sFile, int r) {   // register r of a state file
    const QStringList v = QString::fromUtf8(ReadFile(sFile)).split("\r\n");
    return v.size() > 1001 + r ? v[1001 + r].trimmed() : "no such file";
}

// What a paste does to the stack is the core's (tests/panel/test_keymap.cpp);
// here: the keys reach the clipboard, and a refused paste is noted under the display.
TEST(KeepWork, CopyAndPasteGoThroughTheClipboardAndARefusalIsNoted) {
    CCalcUnderTest o;
    o.Clicks({"1", "ENTER", "3", "/"});
    const double x = o.oMain.Machine().oStack.GetX();
    o.Ctrl(Qt::Key_C);
    o.Ctrl(Qt::Key_V);   // X bit for bit
    EXPECT_TRUE(o.oMain.Machine().oStack.GetX() == x && o.oMain.Machine().oStack.GetY() == x);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("\u22121 234"));   // the locale's minus and grouping
    o.Ctrl(Qt::Key_V);
    EXPECT_EQ(o.oMain.Machine().oStack.GetX(), -1234);
    o.oWindow.SetNoteDuration(30);   // the note goes after a moment, or at the next key
    QGuiApplication::clipboard()->setText("abc");
    o.Ctrl(Qt::Key_V);
    EXPECT_EQ(o.oWindow.InfoLine() + "|" + o.oWindow.PaintedDisplay(), "Paste: not a number|-1234.00");
    EXPECT_TRUE(QTest::qWaitFor([&] { return o.oWindow.InfoLine().isEmpty(); }, 1000));
    o.oWindow.SetNoteDuration(60000);
    o.Ctrl(Qt::Key_V);
    KeyClicks(&o.oWindow, "5");
    EXPECT_EQ(o.oWindow.InfoLine(), "");
}

TEST(KeepWork, ClosingWithChangedWorkAsksFirst) {
    QTemporaryDir oDir;
    const QString sFile = oDir.filePath("kept.txt");
    CCalcUnderTest o;
    EXPECT_TRUE(o.oWindow.close());   // nothing changed: no question
    o.oWindow.show();
    o.Clicks({"4", "STO", "1"});
    // Cancel, and Save with its dialog cancelled, keep the window (close box, Ctrl+Q).
    CAnswers oKept({Press("Cancel"), Press("Save"), kReject});
    EXPECT_FALSE(o.oWindow.close());
    o.Ctrl(Qt::Key_Q);
    EXPECT_TRUE(o.oWindow.isVisible());
    EXPECT_EQ(oKept.vTexts, QStringList(2, "Save the calculator's state before closing?"));
    CAnswers oSaved({Press("Save"), ChooseFile(sFile)});   // saved with a name, then closed
    EXPECT_TRUE(o.oWindow.close());
    EXPECT_EQ(StateRegister(sFile, 1), "4");
    o.oWindow.show();
    o.Clicks({"5", "STO", "2"});
    CAnswers oDropped({Press("Don't Save")});
    EXPECT_TRUE(o.oWindow.close());
}

TEST(KeepWork, TheEditorAsksBeforeDroppingEditedText) {
    CCalcUnderTest o;
    bool bHanded = false;
    CAnswers oAnswers({[](QWidget* w) {
                           KeyClicks(qobject_cast<frmEdit*>(w)->txtPrgm, "X");
                           KeyClick(w, Qt::Key_Escape);
                       },
                       Press("No"), [](QWidget* w) { w->close(); }, Press("Yes")});
    o.oHost.ShowEditor("RTN\r\n", [&](const std::string&) { return bHanded = true; });
    EXPECT_FALSE(o.oHost.EditorWindow().isVisible() || bHanded);
    EXPECT_EQ(oAnswers.vTexts, QStringList(2, "Discard the changes to the program text?"));
}

// What is saved and restored is the core's (tests/panel/test_state.cpp); here: Cancel in the restore
// dialog means the default file, asked for over changed work; a file chosen is restored without a question.
TEST(KeepWork, RestoreByCancelAsksBeforeReplacingChangedWork) {
    QTemporaryDir oDir;
    const QString sOld = QDir::currentPath();
    QDir::setCurrent(oDir.path());
    CCalcUnderTest o;
    CAnswers oSaved({kReject});
    o.Click("SAVE");   // the default file, nothing changed
    const struct { FAct fnChoose; const char* sAnswer; double fR5After; } kRestores[] = {
        {kReject, "No", 7}, {kReject, "Yes", 0}, {ChooseFile("CorvelXMemState.txt"), nullptr, 0}};
    for (const auto& c : kRestores) {
        o.Clicks({"7", "STO", "5"});
        CAnswers oAnswers({c.fnChoose, Press(c.sAnswer ? c.sAnswer : "")});
        o.Click("RESTORE");
        EXPECT_EQ(oAnswers.vTexts.join('|'), c.sAnswer ? "Replace the program and registers with CorvelXMemState.txt?" : "");
        EXPECT_EQ(o.oMain.Machine().oMem.Rcl(5), c.fR5After) << c.sAnswer;
    }
    EXPECT_TRUE(o.oWindow.InfoLine().startsWith("Restored from ")) << o.oWindow.InfoLine();
    QDir::setCurrent(sOld);
}

// The real program: changed work, SIGTERM, and a second start that asks and
// restores it (its own SIGTERM then writes what it restored, still changed).
TEST(KeepWork, ASignalKeepsTheWorkForTheNextStart) {
    const QString sExe = QCoreApplication::applicationDirPath() + "/../corvelxmem";
    if (!QFileInfo::exists(sExe)) GTEST_SKIP() << "corvelxmem is not built";
    QTemporaryDir oDir;
    const QString sFile = oDir.path() + "/corvelxmem/unsaved-work.txt";
    const QString sAsked = "question: The last session ended with unsaved work. Restore it?\n";
    const auto fnRun = [&](const QString& sInput) {
        QProcess oProc;
        QProcessEnvironment oEnv = QProcessEnvironment::systemEnvironment();
        oEnv.insert("QT_QPA_PLATFORM", "offscreen");
        oEnv.insert("XDG_STATE_HOME", oDir.path());
        oEnv.insert("CORVELXMEM_TEST_INPUT", sInput);
        oProc.setProcessEnvironment(oEnv);
        oProc.start(sExe, {});
        QString sOut;
        while (!sOut.contains("ready\n") && oProc.waitForReadyRead(10000)) sOut += oProc.readAllStandardOutput();
        oProc.terminate();
        EXPECT_TRUE(oProc.waitForFinished(10000) && oProc.exitCode() == 0) << sInput.toStdString();
        return sOut + oProc.readAllStandardOutput() + "|" + StateRegister(sFile, 7);   // what it said|R7 kept
    };
    EXPECT_EQ(fnRun("4 2 STO 7"), "ready\n|42");
    EXPECT_EQ(fnRun("yes"), sAsked + "ready\n|42");
    EXPECT_EQ(fnRun("no"), sAsked + "ready\n|no such file");
    EXPECT_FALSE(QFile::exists(sFile));
}
