// The user's work is never lost silently: pasting is typing, closing with
// changed work asks, the editor asks before dropping edited text, Cancel in
// the restore dialog asks before replacing changed work, and a signal keeps
// changed work in the recovery file that the next start offers back.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include "../../windows/CRecovery.h"
#include "../../windows/dlgFile.h"
#include "../../windows/frmEdit.h"
#include "QtTestSupport.h"

namespace {

using V = std::vector<double>;

V Stack(const CFrontPanel& o) { return {o.oStack.GetX(), o.oStack.GetY(), o.oStack.GetZ(), o.oStack.GetT()}; }

void Ctrl(QWidget* w, Qt::Key eKey) {
    QKeyEvent e(QEvent::KeyPress, eKey, Qt::ControlModifier);
    QApplication::sendEvent(w, &e);
}

// Answers the modal windows that appear in turn: each action gets the next
// one; the text of every message box is kept.
class CAnswers {
public:
    explicit CAnswers(std::vector<std::function<void(QWidget*)>> v) : v_(std::move(v)) {
        QObject::connect(&oTimer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w == pLast_) return;
            pLast_ = w;
            if (auto* p = qobject_cast<QMessageBox*>(w)) vTexts.push_back(p->text());
            const size_t n = nNext_++;
            QTimer::singleShot(0, w, [this, w, n] {
                if (n < v_.size()) v_[n](w); else qobject_cast<QDialog*>(w)->reject();
            });
        });
        oTimer_.start(10);
    }
    QStringList vTexts;

private:
    std::vector<std::function<void(QWidget*)>> v_;
    size_t nNext_ = 0;
    QPointer<QWidget> pLast_;
    QTimer oTimer_;
};

std::function<void(QWidget*)> Press(const char* s) {
    return [s](QWidget* w) { ClickButton(w, QString::fromUtf8(s)); };
}

// Register r of a state file.
QString StateRegister(const QString& sFile, int r) {
    QFile o(sFile);
    if (!o.open(QIODevice::ReadOnly)) return "no file";
    const QStringList v = QString::fromUtf8(o.readAll()).split("\r\n");
    return v.size() > 1001 + r ? v[1001 + r].trimmed() : "short file";
}

} // namespace

TEST(KeepWork, PasteIsTypingTheNumber) {
    CCalcUnderTest o, oTyped;
    for (CCalcUnderTest* p : {&o, &oTyped}) p->Clicks({"1", "ENTER", "2", "ENTER", "3", "ENTER"});
    QGuiApplication::clipboard()->setText("7");
    Ctrl(&o.oWindow, Qt::Key_V);
    oTyped.Click("7");
    EXPECT_EQ(Stack(o.oMain), V({7, 3, 2, 1}));   // ENTER's copy is replaced, as by a typed 7
    // What follows acts on it as on the typed number: an operation, and the
    // mode switch (whose CLX clears a finished X, typed or pasted).
    const auto fnBoth = [&](std::initializer_list<const char*> v) {
        o.Clicks(v);
        oTyped.Clicks(v);
    };
    fnBoth({"+"});
    EXPECT_EQ(Stack(o.oMain), Stack(oTyped.oMain));
    Ctrl(&o.oWindow, Qt::Key_V);
    oTyped.Clicks({"7", "h", "1"});   // typed, and the entry finished
    fnBoth({"W/PRGM", "RUN"});
    EXPECT_EQ(Stack(o.oMain), Stack(oTyped.oMain));
    // Ctrl+C then Ctrl+V gives X bit for bit.
    o.Clicks({"1", "ENTER", "3", "/"});
    const double x = o.oMain.oStack.GetX();
    Ctrl(&o.oWindow, Qt::Key_C);
    Ctrl(&o.oWindow, Qt::Key_V);
    EXPECT_EQ(V({o.oMain.oStack.GetX(), o.oMain.oStack.GetY()}), V({x, x}));
}

TEST(KeepWork, ClosingWithChangedWorkAsksFirst) {
    QTemporaryDir oDir;
    CCalcUnderTest o;
    {   // no change: closes at once
        CModalWatchdog oDog([](QWidget*) {}, 300);
        EXPECT_TRUE(o.oWindow.close());
        EXPECT_FALSE(oDog.Acted());
    }
    o.oWindow.show();
    o.Clicks({"4", "STO", "1"});
    {   // Cancel, and Save with the dialog cancelled, keep the window open
        CAnswers oAnswers({Press("Cancel"), Press("Save"), [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }});
        EXPECT_FALSE(o.oWindow.close());
        Ctrl(&o.oWindow, Qt::Key_Q);
        EXPECT_TRUE(o.oWindow.isVisible());
        EXPECT_EQ(oAnswers.vTexts, QStringList(2, "Save the calculator's state before closing?"));
    }
    {   // Save with a name: saved, and closed
        const QString sFile = oDir.filePath("kept.txt");
        CAnswers oAnswers({Press("Save"), [sFile](QWidget* w) {
                               auto* p = qobject_cast<dlgFile*>(w);
                               p->txtFilename->setText(sFile);
                               p->OKButton->click();
                           }});
        EXPECT_TRUE(o.oWindow.close());
        EXPECT_EQ(StateRegister(sFile, 1), "4");
    }
    o.oWindow.show();
    o.Clicks({"5", "STO", "2"});
    CAnswers oAnswers({Press("Don't Save")});
    EXPECT_TRUE(o.oWindow.close());
}

TEST(KeepWork, TheEditorAsksBeforeDroppingEditedText) {
    CCalcUnderTest o;
    frmEdit& oEdit = o.oHost.EditorWindow();
    bool bHanded = false;
    CAnswers oAnswers({[](QWidget* w) {
                           KeyClicks(qobject_cast<frmEdit*>(w)->txtPrgm, "X");
                           KeyClick(w, Qt::Key_Escape);   // asks: No keeps the editor
                       },
                       Press("No"),
                       [](QWidget* w) { w->close(); },   // the close box asks again: Yes
                       Press("Yes")});
    o.oHost.ShowEditor("RTN\r\n", [&](const std::string&) { return bHanded = true; });
    EXPECT_FALSE(oEdit.isVisible());
    EXPECT_FALSE(bHanded);
    EXPECT_EQ(oAnswers.vTexts, QStringList(2, "Discard the changes to the program text?"));
}

TEST(KeepWork, CancelInTheRestoreDialogAsksOverChangedWork) {
    QTemporaryDir oDir;
    const QString sOld = QDir::currentPath();
    QDir::setCurrent(oDir.path());
    CCalcUnderTest o;
    {
        CAnswers oAnswers({[](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }});
        o.Click("SAVE");   // the default file, with nothing changed
    }
    EXPECT_EQ(o.oWindow.InfoLine(), "Saved to CorvelXMemState.txt");
    o.Clicks({"9", "STO", "3"});
    const auto fnCancel = [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
    {
        CAnswers oAnswers({fnCancel, Press("No")});
        o.Click("RESTORE");
        EXPECT_EQ(oAnswers.vTexts, QStringList("Replace the program and registers with CorvelXMemState.txt?"));
        EXPECT_EQ(o.oMain.oMem.Rcl(3), 9);
    }
    {
        CAnswers oAnswers({fnCancel, Press("Yes")});
        o.Click("RESTORE");
        EXPECT_EQ(o.oMain.oMem.Rcl(3), 0);
        EXPECT_EQ(o.oWindow.InfoLine(), "Restored from CorvelXMemState.txt");
    }
    QDir::setCurrent(sOld);
}

TEST(KeepWork, ChangedWorkGoesToTheRecoveryFileAndComesBack) {
    QTemporaryDir oDir;
    qputenv("XDG_STATE_HOME", oDir.path().toUtf8());
    const QString sFile = Recovery::FilePath();
    EXPECT_EQ(sFile, oDir.path() + "/corvelxmem/unsaved-work.txt");
    {
        CCalcUnderTest o;
        EXPECT_FALSE(Recovery::SaveIfChanged(o.oMain));
        o.Clicks({"W/PRGM", "f", "SST", "A", "RUN", "6", "STO", "4"});
        EXPECT_TRUE(Recovery::SaveIfChanged(o.oMain));
    }
    CCalcUnderTest o;
    QString sAsked;
    Recovery::OfferAtStart(o.oMain, [&](const QString& s) { sAsked = s; return true; });
    EXPECT_EQ(sAsked, "The last session ended with unsaved work. Restore it?");
    EXPECT_EQ(V({o.oMain.oMem.Rcl(4)}), V({6}));
    EXPECT_EQ(o.oMain.oPrgm.GetLine(1), "LBL A");
    EXPECT_TRUE(o.oMain.WorkChanged());
    EXPECT_FALSE(QFile::exists(sFile));
    qunsetenv("XDG_STATE_HOME");
}

// The real program: changed work, SIGTERM, and a second start that asks and
// restores it (a second SIGTERM writes what it restored, still changed).
TEST(KeepWork, ASignalKeepsTheWorkForTheNextStart) {
    const QString sExe = QCoreApplication::applicationDirPath() + "/../corvelxmem";
    if (!QFileInfo::exists(sExe)) GTEST_SKIP() << "corvelxmem is not built";
    QTemporaryDir oDir;
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
        EXPECT_TRUE(oProc.waitForFinished(10000));
        EXPECT_EQ(oProc.exitCode(), 0);
        return sOut + oProc.readAllStandardOutput();
    };
    const QString sFile = oDir.path() + "/corvelxmem/unsaved-work.txt";
    EXPECT_EQ(fnRun("4 2 STO 7"), "ready\n");
    EXPECT_EQ(StateRegister(sFile, 7), "42");
    EXPECT_EQ(fnRun("yes"), "question: The last session ended with unsaved work. Restore it?\nready\n");
    EXPECT_EQ(StateRegister(sFile, 7), "42");
    EXPECT_EQ(fnRun("no"), "question: The last session ended with unsaved work. Restore it?\nready\n");
    EXPECT_FALSE(QFile::exists(sFile));
}
