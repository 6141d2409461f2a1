// Files through the real window: the state saved and restored by the two
// buttons, and a listing of the extended instruction set read by g ENTER
// and run.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>

#include "../../windows/MyMsgBox.h"
#include "../../windows/dlgFile.h"
#include "QtTestSupport.h"

namespace {

// Answers every modal window while it lives: questions with Yes and messages
// with OK (each box seen first by fnSee with its text), the file dialog with
// sFile typed into its name box and OK.
class CAnswerAll {
public:
    explicit CAnswerAll(QString sFile, std::function<void(QWidget*, const QString&)> fnSee = {})
        : sFile_(std::move(sFile)) {
        QObject::connect(&oTimer_, &QTimer::timeout, [this, fnSee] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* pBox = qobject_cast<QMessageBox*>(w)) {
                if (fnSee) fnSee(pBox, pBox->text());
                QAbstractButton* p = pBox->button(QMessageBox::Yes);
                (p ? p : pBox->buttons().first())->click();
            } else if (auto* pMsg = qobject_cast<MyMsgBox*>(w)) {
                if (fnSee) fnSee(pMsg, pMsg->lblMsg->text());
                pMsg->cmdOK->click();
            } else if (auto* pFile = qobject_cast<dlgFile*>(w)) {
                pFile->txtFilename->setText(sFile_);
                pFile->OKButton->click();
            }
        });
        oTimer_.start(10);
    }

private:
    QString sFile_;
    QTimer oTimer_;
};

// The registers, the stack, the flags and the display mode, as bytes.
std::string Machine(const CFrontPanel& o) {
    std::string s;
    auto Bits = [&s](double v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); };
    for (int r = 0; r < 1000; ++r) Bits(o.oMem.Rcl(r));
    for (double v : {o.oStack.GetX(), o.oStack.GetY(), o.oStack.GetZ(), o.oStack.GetT()}) Bits(v);
    for (int f = 0; f < 10; ++f) s += o.oFlags.PeekFlag(f) ? '1' : '0';
    return s + std::to_string(static_cast<int>(o.eDispMode)) + std::to_string(o.nDigits);
}

} // namespace

TEST(WindowFiles, SaveAndRestoreGiveBackTheMachine) {
    QTemporaryDir oDir;
    CCalcUnderTest o;
    o.Clicks({"W/PRGM", "f", "SST", "A", "2", "*", "h", "GTO", "RUN"});
    for (int r = 0; r < 1000; ++r) o.oMain.oMem.Sto(r, r % 3 ? 1.0 / (r + 7) : -r * 1e-30);
    o.Clicks({"1", "ENTER", "7", "g", "DSP", "h", "-", "2"});
    const std::string sBefore = Machine(o.oMain);
    const QString sFile = oDir.filePath("state.txt");
    {
        CAnswerAll oAnswers(sFile);
        o.Click("SAVE");
    }
    EXPECT_EQ(Machine(o.oMain), sBefore);   // saving changes nothing, flag 2 included
    o.Clicks({"ON", "OFF"});
    {
        CAnswerAll oAnswers(sFile);
        o.Click("RESTORE");
    }
    EXPECT_TRUE(Machine(o.oMain) == sBefore);
    EXPECT_EQ(o.oMain.oPrgm.GetLine(3), "*");
    EXPECT_FALSE(o.oMain.bOn);   // the power state is not restored
}

TEST(WindowFiles, AListingOfTheExtendedSetReadByCardRuns) {
    QTemporaryDir oDir;
    const QString sOld = QDir::currentPath();
    QDir::setCurrent(oDir.path());   // the program writes the scratch file here
    CCalcUnderTest o;
    {
        CAnswerAll oAnswers(QStringLiteral(CORVEL_SOURCE_DIR "/examples/linfit.corvel"));
        o.Clicks({"g", "ENTER"});
    }
    EXPECT_EQ(o.oMain.lblPrgm, "linfit.corvel");
    o.Click("A");
    QDir::setCurrent(sOld);
    EXPECT_FALSE(o.oMain.bInErr);
    EXPECT_EQ(o.oMain.oStack.GetX(), 1);   // the intercept
    EXPECT_EQ(o.oMain.oStack.GetY(), 2);   // the slope
}

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
        CAnswerAll oAnswers(sFile, [&](QWidget* p, const QString& sBoxText) {
            if (p->windowTitle() != "Listing Error") return;
            sText = sBoxText;
            oSize = p->size();
        });
        o.Clicks({"g", "ENTER"});
    }
    EXPECT_LT(std::clock() - t0, 2 * CLOCKS_PER_SEC);
    const QStringList v = sText.split('\n');
    ASSERT_EQ(v.size(), 2 + 20 + 1);
    EXPECT_EQ(v[2], "Line 1 " + QString(193, 'Q') + QChar(0x2026));
    EXPECT_EQ(v[22], QChar(0x2026) + QStringLiteral(" and 979 more"));
    EXPECT_TRUE(oSize.height() < 1000 && oSize.width() < 2000) << oSize.width() << "x" << oSize.height();
}
