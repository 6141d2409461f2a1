// Files through the real window: the state saved and restored by the two buttons.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "../../windows/dlgFile.h"
#include "QtTestSupport.h"

namespace {

// Answers every modal window while it lives: questions with Yes, the file
// dialog with sFile typed into its name box and OK.
class CAnswerAll {
public:
    explicit CAnswerAll(QString sFile) : sFile_(std::move(sFile)) {
        QObject::connect(&oTimer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* pBox = qobject_cast<QMessageBox*>(w)) {
                QAbstractButton* p = pBox->button(QMessageBox::Yes);
                (p ? p : pBox->buttons().first())->click();
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

} // namespace

// What the buttons add to the core's state file (tests/panel/test_state.cpp):
// they reach it through the question and the file dialog.
TEST(WindowFiles, TheSaveAndRestoreButtonsGoThroughTheFileDialog) {
    QTemporaryDir oDir;
    CCalcUnderTest o;
    o.Clicks({"7", "ENTER", "2", "STO", "5"});
    const QString sFile = oDir.filePath("state.txt");
    for (const char* sButton : {"SAVE", "CLX", "RESTORE"}) {
        CAnswerAll oAnswers(sFile);
        o.Click(sButton);
    }
    EXPECT_EQ(std::vector<double>({o.oMain.oStack.GetX(), o.oMain.oStack.GetY(), o.oMain.oMem.Rcl(5)}),
              std::vector<double>({2, 7, 2}));
}
