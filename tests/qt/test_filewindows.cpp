// The file selection dialog and the source editor: their events, what they hand back and what they refuse.
#include "../../windows/frmEdit.h"
#include "QtTestSupport.h"

namespace {

QStringList Texts(const QListWidget* p) {
    QStringList v;
    for (int i = 0; i < p->count(); ++i) v << p->item(i)->text();
    return v;
}

QListWidgetItem* Item(QListWidget* p, const QString& s) { return p->findItems(s, Qt::MatchExactly).value(0); }

// Runs fn and gives "icon|title|text" of the message box it opened (answered eAnswer), or "" when it opened none.
QString BoxShownBy(const std::function<void()>& fn, QMessageBox::StandardButton eAnswer = QMessageBox::Ok) {
    QString s;
    CAnswers oAnswers({[&](QWidget* w) {
        auto* p = qobject_cast<QMessageBox*>(w);
        ASSERT_TRUE(p);
        s = QString("%1|%2|%3").arg(p->icon()).arg(p->windowTitle(), p->text());
        ASSERT_TRUE(p->button(eAnswer));
        p->button(eAnswer)->click();
    }});
    fn();
    return s;
}

const QString kHint = QString("%1|Hint!|Please select a file from the Files list box").arg(QMessageBox::Information);
const QString kError = QString("%1|Error|Please select a file").arg(QMessageBox::Critical);

// A directory of a few files and a subdirectory, and a second, empty one.
struct CFiles {
    QTemporaryDir oDir, oOther;
    QString Path(const QString& s = QString()) const { return QDir::cleanPath(oDir.filePath(s)); }
    CFiles() {
        QDir(oDir.path()).mkdir("sub");
        for (const char* s : {"a.corvel", "B.corvel", "c.dax", "sub/inner.corvel"})
            EXPECT_TRUE(WriteFile(oDir.filePath(s), "RTN\r\n"));
    }
};

}  // namespace

TEST(FileDialog, PatternsFilterTypedPathsNavigateAndListsFillTheNameBoxWithoutConfirming) {
    CFiles oFiles;
    dlgFile oDlg;
    oDlg.ShowX(0, oFiles.Path("*.corvel"));
    // Each Enter in the name box goes on from where the one before left the dialog.
    const struct { QString sTyped, sDir, sBox; QStringList vFiles; } kSteps[] = {
        {"", "", "*.corvel", {"a.corvel", "B.corvel"}},   // as opened
        {"*.dax", "", "*.dax", {"c.dax"}},
        {"sub", "sub", "", {}},   // the pattern stays
        {"..\\*.corvel", "", "*.corvel", {"a.corvel", "B.corvel"}},
        {"sub/inner.corvel", "sub", "inner.corvel", {"inner.corvel"}},
        {"nosuch/x.corvel", "sub", "nosuch/x.corvel", {"inner.corvel"}},   // nothing moves
        {oFiles.oOther.path(), oFiles.oOther.path(), "", {}},
    };
    CAnswers oNone({});   // no step asks anything
    for (const auto& c : kSteps) {
        if (!c.sTyped.isEmpty()) {
            oDlg.txtFilename->setText(c.sTyped);
            KeyClick(oDlg.txtFilename, Qt::Key_Return);
        }
        EXPECT_EQ(oDlg.Directory() + "|" + oDlg.txtFilename->text() + "|" + Texts(oDlg.fileList).join(','),
                  (QDir::isAbsolutePath(c.sDir) ? c.sDir : oFiles.Path(c.sDir)) + "|" + c.sBox + "|" + c.vFiles.join(','));
    }
    // Enter or a double click in the directory list opens a directory ...
    oDlg.txtFilename->setText(oFiles.Path("*"));
    KeyClick(oDlg.txtFilename, Qt::Key_Return);
    EXPECT_EQ(Texts(oDlg.DirList), QStringList({"..", "sub"}));
    oDlg.DirList->setCurrentItem(Item(oDlg.DirList, "sub"));
    KeyClick(oDlg.DirList, Qt::Key_Return);
    EXPECT_EQ(oDlg.Directory(), oFiles.Path("sub"));
    DoubleClick(oDlg.DirList, Item(oDlg.DirList, ".."));
    EXPECT_EQ(oDlg.Directory(), oFiles.Path());
    // ... in the file list it only fills the name box.
    DoubleClick(oDlg.fileList, Item(oDlg.fileList, "c.dax"));
    EXPECT_EQ(oDlg.txtFilename->text(), "c.dax");
    oDlg.fileList->setCurrentItem(Item(oDlg.fileList, "a.corvel"));
    KeyClick(oDlg.fileList, Qt::Key_Return);
    EXPECT_EQ(oDlg.txtFilename->text(), "a.corvel");
    oDlg.drvList->setCurrentIndex(0);   // the root is the first drive, and choosing it shows it
    emit oDlg.drvList->activated(0);
    EXPECT_TRUE(oDlg.Directory() == "/" && oNone.Acted() == 0 && oDlg.isVisible());
}

TEST(FileDialog, SelectAndOKAcceptOnlyWhatTheyShould) {
    CFiles oFiles;
    dlgFile oDlg;
    // Select takes the highlighted file only into an empty name box.
    const struct { const char *sHighlight, *sBox, *sBoxAfter; bool bHint; } kSelects[] = {
        {"a.corvel", "", "a.corvel", false}, {"", "", "", true}, {"a.corvel", "typed", "typed", true}};
    for (const auto& c : kSelects) {
        oDlg.ShowX(0, oFiles.Path());
        oDlg.fileList->setCurrentItem(Item(oDlg.fileList, c.sHighlight));
        oDlg.txtFilename->setText(c.sBox);
        EXPECT_EQ(BoxShownBy([&]() { oDlg.cmdSelect->click(); }), c.bHint ? kHint : QString()) << c.sBox;
        EXPECT_EQ(oDlg.txtFilename->text(), c.sBoxAfter);
    }
    // OK confirms a name that FileIO::CheckChoice (tests/machine) accepts for the use.
    const QString sAbsolute = QDir(oFiles.oOther.path()).filePath("abs.corvel");
    const struct { enmFileUse eUse; QString sTyped, sFull; bool bExistsAfter; } kOKs[] = {   // sFull "": refused
        {enmFileUse::Write, "new.corvel", oFiles.Path("new.corvel"), true},   // created, empty
        {enmFileUse::Read, "missing.corvel", "", false},                      // nothing created
        {enmFileUse::Write, "*.corvel", "", false},
        {enmFileUse::Read, "sub", "", true},
        {enmFileUse::Write, sAbsolute, sAbsolute, true},
        {enmFileUse::Write, "sub\\made.corvel", oFiles.Path("sub/made.corvel"), true},
    };
    for (const auto& c : kOKs) {
        oDlg.ShowX(0, oFiles.Path(), c.eUse);
        oDlg.txtFilename->setText(c.sTyped);
        const bool bOK = !c.sFull.isEmpty();
        EXPECT_EQ(BoxShownBy([&]() { oDlg.OKButton->click(); }), bOK ? QString() : kError) << c.sTyped;
        EXPECT_TRUE(oDlg.isVisible() != bOK && (!bOK || oDlg.GetFullFilename() == c.sFull)) << c.sTyped;
        EXPECT_EQ(QFileInfo::exists(bOK ? c.sFull : QDir(oFiles.Path()).filePath(c.sTyped)), c.bExistsAfter) << c.sTyped;
    }
    EXPECT_TRUE(QFileInfo(oFiles.Path("new.corvel")).size() == 0 && oDlg.Created());
}

TEST(FileDialog, TheHostGivesTheChoiceOrCancelAndKeepsTheDirectoryShown) {
    CFiles oFiles;
    CCalcUnderTest o;
    CFileChoice oChoice;
    CAnswers oChosen({[&](QWidget* w) {
        auto* p = qobject_cast<dlgFile*>(w);
        ASSERT_NE(p, nullptr);
        p->txtFilename->setText(oFiles.Path());
        KeyClick(p->txtFilename, Qt::Key_Return);
        KeyClicks(p->txtFilename, "prog.corvel");
        p->OKButton->click();
    }});
    ASSERT_TRUE(o.oHost.ChooseFile("", enmFileUse::Write, oChoice));
    EXPECT_EQ(oChoice.sTyped + "|" + oChoice.sFull, "prog.corvel|" + oFiles.Path("prog.corvel").toStdString());
    // Cancel, the close box and Escape all cancel; each use opens where the last left off.
    for (const FAct& fnCancel : std::vector<FAct>{Press("Cancel"), [](QWidget* w) { w->close(); },
                                                  [](QWidget* w) { KeyClick(w, Qt::Key_Escape); }}) {
        CAnswers oCancel({[&](QWidget* w) {
            auto* p = qobject_cast<dlgFile*>(w);
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p->Directory() + "|" + Texts(p->fileList).join(','), oFiles.Path() + "|a.corvel,B.corvel,prog.corvel");
            fnCancel(p);
        }});
        EXPECT_FALSE(o.oHost.ChooseFile("*.corvel", enmFileUse::Read, oChoice) || oCancel.GaveUp());
    }
}

TEST(FileDialog, DrivesAreTheRootTheHomeAndTheMountedDirectories) {
    QTemporaryDir oDir;
    const QString t = oDir.path();
    for (const char* s : {"home", "usb stick", "scratch"}) QDir(t).mkdir(s);
    EXPECT_TRUE(QFile(t + "/afile").open(QIODevice::WriteOnly));
    // Pseudo file systems, the system's tmpfs, a missing directory and a file are left out.
    const QString sMounts = QString("proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\n/dev/vda / ext4 rw 0 0\n"
                                    "tmpfs /run/user/1000 tmpfs rw 0 0\ntmpfs /dev/shm tmpfs rw 0 0\n"
                                    "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n/dev/sdb1 %1/usb\\040stick vfat rw 0 0\n"
                                    "tmpfs %1/scratch tmpfs rw 0 0\n/dev/sdc1 %1/gone ext4 rw 0 0\n"
                                    "/dev/vda %1/afile ext4 rw 0 0\n/dev/vda %1/home ext4 rw 0 0\n").arg(t);
    EXPECT_EQ(dlgFile::DrivesFromMounts(sMounts, t + "/home"),
              QStringList({"/", t + "/home", t + "/usb stick", t + "/scratch"}));
}

TEST(SourceEditor, ClearPutsTheTemplateAndCloseClosesOnlyWhenTheTextIsAccepted) {
    CCalcUnderTest o;
    std::vector<std::string> vHanded;
    const QString kConfirm = QString("%1|Confirmation|Want to clear the listing?").arg(QMessageBox::Question);
    CAnswers oAnswers({[&](QWidget* w) {
        auto* p = qobject_cast<frmEdit*>(w);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->windowTitle(), "Source Code Editor");
        EXPECT_TRUE(QFontInfo(p->txtPrgm->font()).fixedPitch());
        for (const auto& [eAnswer, sText] : {std::pair{QMessageBox::No, "LBL B\n1\nRTN\n"}, std::pair{QMessageBox::Yes, "LBL A\n\nRTN"}}) {
            EXPECT_EQ(BoxShownBy([&]() { p->cmdClear->click(); }, eAnswer), kConfirm);
            EXPECT_EQ(p->txtPrgm->toPlainText(), sText);
        }
        const QTextCursor c = p->txtPrgm->textCursor();
        EXPECT_TRUE(c.blockNumber() == 1 && c.positionInBlock() == 0 && p->focusWidget() == p->txtPrgm);
        p->cmdClose->click();   // refused: stays open
        EXPECT_TRUE(p->isVisible());
        p->cmdClose->click();
    }});
    o.oHost.ShowEditor("LBL B\r\n1\r\nRTN\r\n", [&](const std::string& s) {
        vHanded.push_back(s);
        return vHanded.size() == 2;
    });
    EXPECT_FALSE(oAnswers.GaveUp() || o.oHost.EditorWindow().isVisible());
    EXPECT_EQ(vHanded, std::vector<std::string>(2, "LBL A\n\nRTN"));
}

// The fault marks are on the lines that Close would refuse.
TEST(SourceEditor, TheMarginTheFaultMarksTheHighlightingAndTheCompletion) {
    CCalcUnderTest o;
    CStepMarginEdit* pText = o.oHost.EditorWindow().txtPrgm;
    auto fnMarks = [pText]() {
        QStringList v;
        for (int i = 0; i < pText->document()->blockCount(); ++i) v << pText->StepMark(i);
        return v;
    };
    const QString sText = "LBL A\n  \n12.5\nSTO 1\n5";   // a number line is a step per character; a blank line none
    pText->setPlainText(sText);
    EXPECT_EQ(fnMarks(), QStringList({"001", "", "002", "006", "007"}));
    EXPECT_EQ(pText->toPlainText(), sText);   // the marks are beside the text, not in it
    EXPECT_GE(pText->viewport()->x(), pText->MarginWidth());
    pText->moveCursor(QTextCursor::Start);   // typing moves the marks of the lines below
    KeyClicks(pText, "CLX");
    KeyClick(pText, Qt::Key_Return);
    EXPECT_EQ(fnMarks(), QStringList({"001", "002", "", "003", "007", "008"}));
    // The number line that crosses step 999 starts at 998; what follows is past the end.
    pText->setPlainText((QStringList(997, "CLX") << "12.5" << "RTN" << "").join('\n'));
    EXPECT_EQ(fnMarks().mid(996), QStringList({"997", "998", "---", ""}));
    pText->setPlainText("# a listing\n001 LBL A  # start\nFOO 2\nsto b\nGTO C\nLBL A\n10  # ten\nR/S\nRTN\nR/S\n\nR/S");
    EXPECT_EQ(pText->Fault(2) + "|" + pText->Fault(4) + "|" + pText->Fault(5) + "|" + pText->Fault(6),
              "Not an instruction: FOO 2|The label C does not exist|Label A appears more than once|");
    auto Format = [pText](int nLine, int nColumn) {
        const QTextBlock b = pText->document()->findBlockByNumber(nLine);
        for (const QTextLayout::FormatRange& r : b.layout()->formats())
            if (nColumn >= r.start && nColumn < r.start + r.length) return r.format;
        return QTextCharFormat();
    };
    const QColor oDim = pText->palette().color(QPalette::Disabled, QPalette::Text);
    // What each place looks like: b bold, i italic, d dimmed, u underlined as a fault.
    const auto Look = [&](int nLine, int nColumn) {
        const QTextCharFormat f = Format(nLine, nColumn);
        return QString(f.fontWeight() == QFont::Bold ? "b" : "") + (f.fontItalic() ? "i" : "") +
               (f.foreground().color() == oDim ? "d" : "") + (f.underlineStyle() == f.SpellCheckUnderline ? "u" : "");
    };
    // LBL, sto, the comment, the step number, FOO (no instruction), the label C, the second LBL A;
    // the filler after the last step is dimmed, an R/S inside the program is not.
    const int kPlaces[][2] = {{1, 4}, {3, 0}, {1, 11}, {1, 0}, {2, 0}, {4, 0}, {5, 0}, {7, 0}, {9, 0}, {11, 0}};
    QStringList vLooks;
    for (const auto& a : kPlaces) vLooks << Look(a[0], a[1]);
    EXPECT_EQ(vLooks.join(','), "b,b,id,d,u,bu,bu,b,d,d");
    EXPECT_NE(Format(1, 8).foreground(), Format(1, 4).foreground());          // the label A
    EXPECT_EQ(Format(4, 4).foreground(), Format(1, 8).foreground());          // the label C
    // Typing a fix takes the mark away; a step after the filler undims it.
    QTextCursor c(pText->document()->findBlockByNumber(4));
    c.movePosition(QTextCursor::EndOfBlock);
    c.deletePreviousChar();
    c.insertText("A");
    EXPECT_EQ(pText->Fault(4) + Look(4, 0), "b");
    pText->moveCursor(QTextCursor::End);
    KeyClick(pText, Qt::Key_Return);
    // The first word completes to an instruction's name, after a step number too; Tab takes it as Return does.
    KeyClicks(pText, "005 sqr");
    QCompleter* pComplete = pText->Completer();
    ASSERT_TRUE(pComplete->popup()->isVisible());
    EXPECT_EQ(pComplete->currentCompletion(), "SQRT");
    KeyClick(pComplete->popup(), Qt::Key_Tab);
    EXPECT_EQ(pText->document()->lastBlock().text() + Look(11, 0), "005 SQRTb");
}
