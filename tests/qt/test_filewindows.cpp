// The file selection dialog and the source editor: their events, what they
// hand back to the core and what they refuse. Message boxes are answered by
// a watchdog, so no test can hang.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>

#include "../../windows/dlgFile.h"
#include "../../windows/frmEdit.h"
#include "QtTestSupport.h"

namespace {

QStringList Texts(const QListWidget* p) {
    QStringList v;
    for (int i = 0; i < p->count(); ++i) v << p->item(i)->text();
    return v;
}

// A double click on an item, as the mouse gives it (press, release, double click).
void DoubleClick(QListWidget* p, const QString& sItem) {
    const QList<QListWidgetItem*> v = p->findItems(sItem, Qt::MatchExactly);
    ASSERT_FALSE(v.isEmpty()) << sItem.toStdString();
    const QPoint oAt = p->visualItemRect(v.first()).center();
    QWidget* w = p->viewport();
    MouseClick(w, oAt);
    QMouseEvent e(QEvent::MouseButtonDblClick, oAt, w->mapToGlobal(oAt), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
    MouseRelease(w, oAt);
}

void Highlight(QListWidget* p, const QString& sItem) {
    const QList<QListWidgetItem*> v = p->findItems(sItem, Qt::MatchExactly);
    p->setCurrentItem(v.isEmpty() ? nullptr : v.first());
}

// Runs fn and gives "icon|title|text" of the message box it opened (closed
// with its first button), or "" when it opened none.
QString BoxShownBy(const std::function<void()>& fn) {
    QString s;
    CModalWatchdog oDog([&](QWidget* w) {
        auto* pBox = qobject_cast<QMessageBox*>(w);
        if (!pBox) return;
        s = QString("%1|%2|%3").arg(pBox->icon()).arg(pBox->windowTitle(), pBox->text());
        pBox->buttons().first()->click();
    });
    fn();
    return s;
}

// Runs fn, which must open no message box (one that opens is closed and reported).
void NoBox(const std::function<void()>& fn) { EXPECT_EQ(BoxShownBy(fn), QString()); }

const QString kHint = QString("%1|Hint!|Please select a file from the Files list box").arg(QMessageBox::Information);
const QString kError = QString("%1|Error|Please select a file").arg(QMessageBox::Critical);

// A directory of a few files and a subdirectory, and a second directory.
struct CFiles {
    QTemporaryDir oDir, oOther;
    QString Path(const QString& s = QString()) const { return s.isEmpty() ? oDir.path() : oDir.filePath(s); }
    CFiles() {
        QDir(oDir.path()).mkdir("sub");
        for (const char* s : {"a.corvel", "B.corvel", "c.dax", "sub/inner.corvel"}) {
            QFile f(oDir.filePath(s));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("RTN\r\n");
        }
    }
};

}  // namespace

TEST(FileDialog, PatternsFilterTheListAndTypedPathsNavigateWithoutConfirming) {
    CFiles oFiles;
    dlgFile oDlg;
    oDlg.ShowX(0, oFiles.Path("*.corvel"));
    EXPECT_EQ(oDlg.windowTitle(), "File Selection Dialog Box");
    EXPECT_EQ(oDlg.Directory(), oFiles.Path());
    EXPECT_EQ(oDlg.txtFilename->text(), "*.corvel");
    EXPECT_EQ(Texts(oDlg.fileList), QStringList({"a.corvel", "B.corvel"}));

    const QString sOther = oFiles.oOther.path();
    // Each line goes on from where the one before left the dialog.
    const struct {
        QString sTyped, sDir, sBox;
        QStringList vFiles;
    } kSteps[] = {
        {"*.dax", "", "*.dax", {"c.dax"}},
        {"sub", "sub", "", {}},   // the pattern stays
        {"..\\*.corvel", "", "*.corvel", {"a.corvel", "B.corvel"}},
        {"sub/inner.corvel", "sub", "inner.corvel", {"inner.corvel"}},
        {"../new.corvel", "", "new.corvel", {"a.corvel", "B.corvel"}},
        {"nosuch/x.corvel", "", "nosuch/x.corvel", {"a.corvel", "B.corvel"}},   // nothing moves
        {sOther, sOther, "", {}},
    };
    for (const auto& c : kSteps) {
        oDlg.txtFilename->setText(c.sTyped);
        NoBox([&]() { KeyClick(oDlg.txtFilename, Qt::Key_Return); });
        const QString sDir = QDir::isAbsolutePath(c.sDir) ? c.sDir : QDir::cleanPath(oFiles.Path(c.sDir));
        EXPECT_EQ(oDlg.Directory(), sDir) << c.sTyped.toStdString();
        EXPECT_EQ(oDlg.txtFilename->text(), c.sBox) << c.sTyped.toStdString();
        EXPECT_EQ(Texts(oDlg.fileList), c.vFiles) << c.sTyped.toStdString();
        EXPECT_TRUE(oDlg.isVisible());
    }
    EXPECT_FALSE(QFileInfo::exists(oFiles.Path("new.corvel")));
}

TEST(FileDialog, DirectoriesOpenAndFilesFillTheNameBoxOnly) {
    CFiles oFiles;
    dlgFile oDlg;
    oDlg.ShowX(0, oFiles.Path());
    EXPECT_EQ(Texts(oDlg.DirList), QStringList({"..", "sub"}));
    Highlight(oDlg.DirList, "sub");
    NoBox([&]() { KeyClick(oDlg.DirList, Qt::Key_Return); });
    EXPECT_EQ(oDlg.Directory(), oFiles.Path("sub"));
    EXPECT_EQ(Texts(oDlg.fileList), QStringList({"inner.corvel"}));
    NoBox([&]() { DoubleClick(oDlg.DirList, ".."); });
    EXPECT_EQ(oDlg.Directory(), oFiles.Path());

    NoBox([&]() { DoubleClick(oDlg.fileList, "c.dax"); });
    EXPECT_EQ(oDlg.txtFilename->text(), "c.dax");
    Highlight(oDlg.fileList, "a.corvel");
    NoBox([&]() { KeyClick(oDlg.fileList, Qt::Key_Return); });
    EXPECT_EQ(oDlg.txtFilename->text(), "a.corvel");
    EXPECT_TRUE(oDlg.isVisible());
    EXPECT_EQ(oDlg.result(), QDialog::Rejected);

    // The root is the first drive; choosing it shows it.
    ASSERT_GE(oDlg.drvList->count(), 1);
    EXPECT_EQ(oDlg.drvList->itemText(0), "/");
    oDlg.drvList->setCurrentIndex(0);
    emit oDlg.drvList->activated(0);
    EXPECT_EQ(oDlg.Directory(), "/");
    EXPECT_EQ(Texts(oDlg.DirList).first(), QDir("/").entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                               QDir::Name | QDir::IgnoreCase).first());
}

TEST(FileDialog, SelectTakesTheHighlightedFileOnlyIntoAnEmptyNameBox) {
    CFiles oFiles;
    dlgFile oDlg;
    const struct {
        const char* sHighlight;
        const char* sBox;
        bool bHint;
        const char* sBoxAfter;
    } kCases[] = {
        {"a.corvel", "", false, "a.corvel"},
        {"", "", true, ""},
        {"a.corvel", "typed", true, "typed"},
    };
    for (const auto& c : kCases) {
        oDlg.ShowX(0, oFiles.Path());
        Highlight(oDlg.fileList, c.sHighlight);
        oDlg.txtFilename->setText(c.sBox);
        EXPECT_EQ(BoxShownBy([&]() { oDlg.cmdSelect->click(); }), c.bHint ? kHint : QString()) << c.sBox;
        EXPECT_EQ(oDlg.txtFilename->text(), c.sBoxAfter);
        EXPECT_TRUE(oDlg.isVisible());
    }
}

TEST(FileDialog, OKConfirmsOnlyANameTheCheckAccepts) {
    CFiles oFiles;
    const QString sAbsolute = QDir(oFiles.oOther.path()).filePath("abs.corvel");
    const struct {
        enmFileUse eUse;
        QString sTyped;
        QString sFull;   // "" when OK is refused
        bool bExistsAfter;
    } kCases[] = {
        {enmFileUse::Write, "new.corvel", oFiles.Path("new.corvel"), true},
        {enmFileUse::Read, "missing.corvel", "", false},
        {enmFileUse::Read, "a.corvel", oFiles.Path("a.corvel"), true},
        {enmFileUse::Write, "*.corvel", "", false},
        {enmFileUse::Write, "", "", false},
        {enmFileUse::Read, "sub", "", true},
        {enmFileUse::Write, sAbsolute, sAbsolute, true},
        {enmFileUse::Write, "sub\\made.corvel", oFiles.Path("sub/made.corvel"), true},
    };
    dlgFile oDlg;
    for (const auto& c : kCases) {
        const QString sName = QDir::isAbsolutePath(c.sTyped) ? c.sTyped : oFiles.Path(c.sTyped);
        oDlg.ShowX(0, oFiles.Path(), c.eUse);
        oDlg.txtFilename->setText(c.sTyped);
        const bool bOK = !c.sFull.isEmpty();
        EXPECT_EQ(BoxShownBy([&]() { oDlg.OKButton->click(); }), bOK ? QString() : kError)
            << c.sTyped.toStdString();
        EXPECT_EQ(oDlg.isVisible(), !bOK);
        if (bOK) {
            EXPECT_TRUE(oDlg.isOK());
            EXPECT_EQ(oDlg.GetFullFilename(), c.sFull);
        }
        if (!c.sTyped.isEmpty())
            EXPECT_EQ(QFileInfo::exists(c.sFull.isEmpty() ? sName : c.sFull), c.bExistsAfter) << c.sTyped.toStdString();
    }
    // A new name for writing is created empty.
    EXPECT_EQ(QFileInfo(oFiles.Path("new.corvel")).size(), 0);
}

TEST(FileDialog, TheHostGivesTheChoiceOrCancelAndKeepsTheDirectoryShown) {
    CFiles oFiles;
    CCalcUnderTest o;
    CFileChoice oChoice;
    {
        CModalWatchdog oDog([&](QWidget* w) {
            auto* pDlg = qobject_cast<dlgFile*>(w);
            ASSERT_NE(pDlg, nullptr);
            pDlg->txtFilename->setText(oFiles.Path());
            KeyClick(pDlg->txtFilename, Qt::Key_Return);
            KeyClicks(pDlg->txtFilename, "prog.corvel");
            pDlg->OKButton->click();
        });
        ASSERT_TRUE(o.oHost.ChooseFile("", enmFileUse::Write, oChoice));
        EXPECT_FALSE(oDog.GaveUp());
    }
    EXPECT_EQ(oChoice.sTyped, "prog.corvel");
    EXPECT_EQ(QString::fromStdString(oChoice.sFull), oFiles.Path("prog.corvel"));
    EXPECT_TRUE(QFileInfo::exists(oFiles.Path("prog.corvel")));

    // The Cancel button, the close box and Escape all cancel; the next use
    // opens where the last one left off.
    const std::function<void(dlgFile*)> kCancels[] = {
        [](dlgFile* p) { p->CancelButton->click(); },
        [](dlgFile* p) { p->close(); },
        [](dlgFile* p) { KeyClick(p, Qt::Key_Escape); },
    };
    for (const auto& fnCancel : kCancels) {
        QString sDir;
        QStringList vFiles;
        CModalWatchdog oDog([&](QWidget* w) {
            auto* pDlg = qobject_cast<dlgFile*>(w);
            ASSERT_NE(pDlg, nullptr);
            sDir = pDlg->Directory();
            vFiles = Texts(pDlg->fileList);
            fnCancel(pDlg);
        });
        oChoice = CFileChoice{"unchanged", "unchanged"};
        EXPECT_FALSE(o.oHost.ChooseFile("*.corvel", enmFileUse::Read, oChoice));
        EXPECT_FALSE(oDog.GaveUp());
        EXPECT_EQ(sDir, oFiles.Path());
        EXPECT_EQ(vFiles, QStringList({"a.corvel", "B.corvel", "prog.corvel"}));
        EXPECT_EQ(oChoice.sFull, "unchanged");
    }
}

TEST(FileDialog, DrivesAreTheRootTheHomeAndTheMountedDirectories) {
    QTemporaryDir oDir;
    for (const char* s : {"home", "usb stick", "scratch"}) QDir(oDir.path()).mkdir(s);
    QFile(oDir.filePath("afile")).open(QIODevice::WriteOnly);
    const QString t = oDir.path();
    const QString sMounts = QString(
                                "proc /proc proc rw 0 0\n"
                                "sysfs /sys sysfs rw 0 0\n"
                                "/dev/vda / ext4 rw 0 0\n"
                                "tmpfs /run tmpfs rw 0 0\n"
                                "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                                "tmpfs /dev/shm tmpfs rw 0 0\n"
                                "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                                "/dev/sdb1 %1/usb\\040stick vfat rw 0 0\n"
                                "tmpfs %1/scratch tmpfs rw 0 0\n"
                                "/dev/sdc1 %1/gone ext4 rw 0 0\n"
                                "/dev/vda %1/afile ext4 rw 0 0\n"
                                "/dev/vda %1/home ext4 rw 0 0\n")
                                .arg(t);
    EXPECT_EQ(dlgFile::DrivesFromMounts(sMounts, t + "/home"),
              QStringList({"/", t + "/home", t + "/usb stick", t + "/scratch"}));
}

TEST(SourceEditor, ClearPutsTheTemplateAndCloseClosesOnlyWhenTheTextIsAccepted) {
    CCalcUnderTest o;
    std::vector<std::string> vHanded;
    auto fnClose = [&](const std::string& s) {
        vHanded.push_back(s);
        return vHanded.size() == 2;   // the first text is refused
    };
    QString sTitle, sShown, sAfterNo, sAfterYes;
    bool bFixed = false, bOpenAfterRefusal = false, bFocusInText = false;
    int nCaretLine = -1, nCaretColumn = -1;
    CModalWatchdog oDog([&](QWidget* w) {
        auto* pEdit = qobject_cast<frmEdit*>(w);
        ASSERT_NE(pEdit, nullptr);
        sTitle = w->windowTitle();
        sShown = pEdit->txtPrgm->toPlainText();
        bFixed = QFontInfo(pEdit->txtPrgm->font()).fixedPitch();
        for (auto eAnswer : {QMessageBox::No, QMessageBox::Yes}) {
            QString sBox;
            CModalWatchdog oAsk([&](QWidget* b) {
                auto* pBox = qobject_cast<QMessageBox*>(b);
                ASSERT_NE(pBox, nullptr);
                sBox = QString("%1|%2|%3").arg(pBox->icon()).arg(pBox->windowTitle(), pBox->text());
                pBox->button(eAnswer)->click();
            });
            pEdit->cmdClear->click();
            EXPECT_EQ(sBox, QString("%1|Confirmation|Want to clear the listing?").arg(QMessageBox::Question));
            (eAnswer == QMessageBox::Yes ? sAfterYes : sAfterNo) = pEdit->txtPrgm->toPlainText();
        }
        nCaretLine = pEdit->txtPrgm->textCursor().blockNumber();
        nCaretColumn = pEdit->txtPrgm->textCursor().positionInBlock();
        bFocusInText = pEdit->focusWidget() == pEdit->txtPrgm;
        pEdit->cmdClose->click();
        bOpenAfterRefusal = pEdit->isVisible();
        pEdit->cmdClose->click();
    });
    o.oHost.ShowEditor("LBL B\r\n1\r\nRTN\r\n", fnClose);
    EXPECT_FALSE(oDog.GaveUp());
    EXPECT_EQ(sTitle, "Source Code Editor");
    EXPECT_EQ(sShown, "LBL B\n1\nRTN\n");
    EXPECT_TRUE(bFixed);
    EXPECT_EQ(sAfterNo, sShown);
    EXPECT_EQ(sAfterYes, "LBL A\n\nRTN");
    EXPECT_EQ(nCaretLine, 1);
    EXPECT_EQ(nCaretColumn, 0);
    EXPECT_TRUE(bFocusInText);
    EXPECT_TRUE(bOpenAfterRefusal);
    ASSERT_EQ(vHanded.size(), 2u);
    EXPECT_EQ(vHanded[1], "LBL A\n\nRTN");
    EXPECT_FALSE(o.oHost.EditorWindow().isVisible());
}

TEST(SourceEditor, TheCloseBoxAndEscapeCloseWithoutHandingTheTextOver) {
    CCalcUnderTest o;
    const std::function<void(QWidget*)> kCloses[] = {
        [](QWidget* w) { w->close(); },
        [](QWidget* w) { KeyClick(w, Qt::Key_Escape); },
    };
    for (const auto& fnCloseWindow : kCloses) {
        int nCalls = 0;
        CModalWatchdog oDog(fnCloseWindow);
        o.oHost.ShowEditor("RTN\r\n", [&](const std::string&) { return ++nCalls > 0; });
        EXPECT_FALSE(oDog.GaveUp());
        EXPECT_EQ(nCalls, 0);
    }
}

TEST(SourceEditor, TheMarginShowsTheStepEachLineStartsAt) {
    CCalcUnderTest o;
    CStepMarginEdit* pText = o.oHost.EditorWindow().txtPrgm;
    auto fnMarks = [pText]() {
        QStringList v;
        for (int i = 0; i < pText->document()->blockCount(); ++i) v << pText->StepMark(i);
        return v;
    };
    // A number line is a step per character; blank lines make none.
    const QString sText = "LBL A\n  \n12.5\nSTO 1\n5";
    pText->setPlainText(sText);
    EXPECT_EQ(fnMarks(), QStringList({"001", "", "002", "006", "007"}));
    EXPECT_EQ(pText->toPlainText(), sText);   // the marks are beside the text, not in it
    EXPECT_GE(pText->viewport()->x(), pText->MarginWidth());

    // Typing moves the marks of the lines below.
    pText->moveCursor(QTextCursor::Start);
    KeyClicks(pText, "CLX");
    KeyClick(pText, Qt::Key_Return);
    EXPECT_EQ(fnMarks(), QStringList({"001", "002", "", "003", "007", "008"}));

    // Past step 999: the number line that crosses it starts at 998, what follows is ignored.
    QStringList vLines(997, "CLX");
    vLines << "12.5" << "RTN" << "";
    pText->setPlainText(vLines.join('\n'));
    const QStringList vMarks = fnMarks();
    EXPECT_EQ(vMarks.mid(996), QStringList({"997", "998", "---", ""}));
}
