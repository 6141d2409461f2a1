#include "CQtHost.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QSpacerItem>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QThread>

#include <algorithm>
#include <chrono>

#include "CDialogLook.h"
#include "CPanelWindow.h"
#include "MyMsgBox.h"
#include "ViewMemReg.h"
#include "dlgFile.h"
#include "frmEdit.h"
#include "frmRegX.h"

using namespace corvel;

namespace {
// A running program yields four times per step; the event loop is visited
// only when this much time has passed, so millions of steps a second still run.
constexpr qint64 kEventsEveryMs = 5;
// The clock is read only on every this-many yields.
constexpr unsigned kYieldsPerClockCheck = 16;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A message box sizes itself by its text alone, so a short question under a
// long title ("Write Program?") gets its title cut by the window manager. A
// spacer in its grid keeps it wide enough for the title and the frame's
// buttons; the title font is taken a little larger than the dialog's.
void WideEnoughForTitle(QMessageBox& oBox) {
    auto* pGrid = qobject_cast<QGridLayout*>(oBox.layout());
    if (!pGrid) return;
    const int nWidth = oBox.fontMetrics().horizontalAdvance(oBox.windowTitle()) * 6 / 5 + 110;
    pGrid->addItem(new QSpacerItem(nWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), pGrid->rowCount(), 0, 1,
                   pGrid->columnCount());
}

QMessageBox::Icon ToQt(enmIcon eIcon) {
    switch (eIcon) {
        case enmIcon::Question: return QMessageBox::Question;
        case enmIcon::Critical: return QMessageBox::Critical;
        case enmIcon::Information: break;
    }
    return QMessageBox::Information;
}
}  // namespace

CQtHost::CQtHost() { oSinceEvents_.start(); }

CQtHost::~CQtHost() {
    // Windows without a parent belong to the host.
    for (QWidget* p : {static_cast<QWidget*>(pMsgBox_.data()), static_cast<QWidget*>(pViewMemReg_.data()),
                       static_cast<QWidget*>(pRegX_.data()), static_cast<QWidget*>(pFile_.data()),
                       static_cast<QWidget*>(pEdit_.data())}) {
        if (p && !p->parent()) delete p;
    }
}

void CQtHost::SetPanel(CPanelWindow* pPanel) { pPanel_ = pPanel; }

QWidget* CQtHost::DialogParent() const { return pPanel_; }

void CQtHost::PlaceBesidePanel(QWidget* pWindow) const { DialogLook::PlaceBeside(pPanel_, pWindow); }

void CQtHost::PlaySound(enmSound eSound) {
    oSound_.Play(eSound == enmSound::Click ? QStringLiteral(":/assets/click.wav")
                                           : QStringLiteral(":/assets/beep.wav"));
}

double CQtHost::ClockSeconds() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

void CQtHost::IdleUntil(double fTarget, bool bProcessEvents) {
    if (bProcessEvents) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        ++nEventVisits_;
        oSinceEvents_.restart();
    }
    const double fLeftMs = (fTarget - ClockSeconds()) * 1000.0;
    if (fLeftMs > 0) QThread::msleep(fLeftMs < 5.0 ? 1 : 5);
}

void CQtHost::ProcessEvents() {
    if (++nYields_ % kYieldsPerClockCheck != 0) return;
    if (oSinceEvents_.elapsed() < kEventsEveryMs) return;
    QCoreApplication::processEvents();
    ++nEventVisits_;
    oSinceEvents_.restart();
}

void CQtHost::Refresh(enmPart ePart) {
    if (pPanel_) pPanel_->RefreshPart(ePart);
}

bool CQtHost::AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon eIcon) {
    QMessageBox oBox(ToQt(eIcon), Q(sTitle), Q(sText), QMessageBox::Yes | QMessageBox::No, DialogParent());
    DialogLook::Apply(&oBox);
    WideEnoughForTitle(oBox);
    oBox.setDefaultButton(QMessageBox::Yes);
    return oBox.exec() == QMessageBox::Yes;
}

void CQtHost::ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon eIcon) {
    QMessageBox oBox(ToQt(eIcon), Q(sTitle), DialogLook::FitMessage(sText), QMessageBox::Ok, DialogParent());
    DialogLook::Apply(&oBox);
    WideEnoughForTitle(oBox);
    oBox.exec();
}

MyMsgBox& CQtHost::MsgBoxWindow() { return Made(pMsgBox_); }

ViewMemReg& CQtHost::RegistersWindow() { return Made(pViewMemReg_); }

frmRegX& CQtHost::MemBlockWindow() { return Made(pRegX_); }

dlgFile& CQtHost::FileWindow() { return Made(pFile_); }

frmEdit& CQtHost::EditorWindow() { return Made(pEdit_); }

void CQtHost::ShowMsg(const std::string& sText, const std::string& sTitle) {
    MsgBoxWindow().ShowMsg(DialogLook::FitMessage(sText), Q(sTitle));
}

bool CQtHost::InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string& sDefault,
                       std::string& sAnswer) {
    QInputDialog oDlg(DialogParent());
    DialogLook::Apply(&oDlg);
    oDlg.setWindowTitle(Q(sTitle));
    oDlg.setLabelText(Q(sPrompt));
    oDlg.setInputMode(QInputDialog::TextInput);
    oDlg.setTextValue(Q(sDefault));
    if (oDlg.exec() != QDialog::Accepted) return false;
    sAnswer = oDlg.textValue().toStdString();
    return true;
}

bool CQtHost::ChooseFile(const std::string& sInitial, enmFileUse eUse, CFileChoice& oChoice) {
    dlgFile& oDlg = FileWindow();
    if (!oDlg.ShowX(1, Q(sInitial), eUse)) return false;
    oChoice.sTyped = oDlg.txtFilename->text().toStdString();
    oChoice.sFull = oDlg.GetFullFilename().toStdString();
    oChoice.bCreated = oDlg.Created();
    return true;
}

void CQtHost::ShowEditor(const std::string& sText, const std::function<bool(const std::string&)>& fnClose) {
    EditorWindow().ShowEdit(Q(sText), fnClose);
}

void CQtHost::ShowRegisters(const std::vector<std::string>& vLines) { RegistersWindow().ShowMem(vLines); }

void CQtHost::ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fnFill) {
    MemBlockWindow().ShowX(fnFill);
}

QString CQtHost::AboutText() {
    return QStringLiteral(
        "<h3>CorvelXMem</h3>"
        "<p>A simulator of the Corvel programmable RPN scientific calculator, extended-memory edition.</p>"
        "<p>Four-level stack, 1000 data registers, 999 program steps, magnetic-card style program "
        "and data files, and an extended instruction set for programs.</p>"
        "<p>Keys: click them, or type 0-9 . + - * / e (ENTER) f g h A-E s (STO) r (RCL) G (GTO) "
        "d (DSP) S (SST) R (R/S) H (CHS) x (EEX) c (CLX) i (the (i) key) Q (&Sigma;+). "
        "Ctrl+C copies X, Ctrl+V pastes a number. Hover over a key to see its characters.</p>"
        "<p>Built with Qt %1.</p>")
        .arg(QString::fromLatin1(qVersion()));
}

void CQtHost::ShowAbout() {
    QDialog oBox(DialogParent());
    oBox.setObjectName("AboutBox");
    oBox.setWindowTitle(QStringLiteral("About CorvelXMem"));
    DialogLook::Apply(&oBox);
    auto* pIcon = new QLabel(&oBox);
    pIcon->setPixmap(CPanelWindow::AppIcon().pixmap(48, 48));
    pIcon->setAlignment(Qt::AlignTop);
    auto* pText = new QLabel(AboutText(), &oBox);
    pText->setObjectName("lblAbout");
    pText->setTextFormat(Qt::RichText);
    pText->setWordWrap(true);
    auto* pOK = new QPushButton(QStringLiteral("OK"), &oBox);
    pOK->setDefault(true);
    QObject::connect(pOK, &QPushButton::clicked, &oBox, &QDialog::accept);
    auto* pTop = new QHBoxLayout;
    pTop->addWidget(pIcon);
    pTop->addWidget(pText, 1);
    auto* pMain = new QVBoxLayout(&oBox);
    pMain->addLayout(pTop);
    pMain->addWidget(pOK, 0, Qt::AlignRight);
    // Never wider than the panel it tells about.
    const int nPanel = pPanel_ ? pPanel_->width() : static_cast<int>(CPanelWindow::kWidth);
    oBox.setFixedWidth(std::min(nPanel, 420));
    oBox.adjustSize();
    PlaceBesidePanel(&oBox);
    pOK->setFocus();
    oBox.exec();
}

void CQtHost::ExitProgram() {
    if (pPanel_) pPanel_->close();
    QCoreApplication::quit();
}
