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
#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "../panel/CFrontPanel.h"

#include "CDialogLook.h"
#include "corvel_version.h"
#include "CPanelWindow.h"
#include "MyMsgBox.h"
#include "ViewMemReg.h"
#include "dlgFile.h"
#include "frmEdit.h"
#include "frmRegX.h"

using namespace corvel;

namespace {
// A slice of a run takes about this long; the event loop runs between slices.
constexpr qint64 kSliceNs = 8'000'000;
constexpr uint64_t kMinSliceSteps = 16;
constexpr uint64_t kMaxSliceSteps = uint64_t{1} << 28;

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

CQtHost::CQtHost() {
    oRunTimer_.setSingleShot(true);
    oRunTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&oRunTimer_, &QTimer::timeout, [this]() { RunOneSlice(); });
}

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

void CQtHost::ScheduleRun(CFrontPanel& oPanel) {
    pMain_ = &oPanel;
    // Inside a slice the timer is started again when the slice is over.
    if (!bInSlice_) oRunTimer_.start(0);
}

int CQtHost::MsUntil(double fWhen) {
    const double fMs = (fWhen - ClockSeconds()) * 1000.0;
    return fMs > 0 ? static_cast<int>(std::ceil(fMs)) : 0;
}

void CQtHost::RunOneSlice() {
    if (pMain_ == nullptr || bInSlice_) return;
    bInSlice_ = true;
    QElapsedTimer oTook;
    oTook.start();
    const CSlice oSlice = pMain_->RunSlice(nSliceSteps_);
    const qint64 nNs = oTook.nsecsElapsed();
    bInSlice_ = false;
    ++nSlices_;
    // The step budget follows the time a slice took, so a slice lasts about
    // kSliceNs however fast the steps are (a question a step asked counts too,
    // and only shortens the next slice).
    if (oSlice.eState == enmRunState::Running) {
        if (nNs < kSliceNs / 2 && nSliceSteps_ < kMaxSliceSteps)
            nSliceSteps_ *= 2;
        else if (nNs > kSliceNs * 2 && nSliceSteps_ > kMinSliceSteps)
            nSliceSteps_ /= 2;
    }
    if (pPanel_) pPanel_->AfterSlice(oSlice.Ended());
    if (oSlice.eState == enmRunState::Waiting) {
        oRunTimer_.start(MsUntil(oSlice.fWakeAt));
    } else if (pMain_->Busy()) {
        oRunTimer_.start(0);
    }
}

void CQtHost::Refresh(enmPart ePart) {
    if (pPanel_) pPanel_->RefreshPart(ePart);
}

bool CQtHost::AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon eIcon) {
    QMessageBox oBox(ToQt(eIcon), Q(sTitle), Q(sText), QMessageBox::Yes | QMessageBox::No, DialogParent());
    DialogLook::Apply(&oBox);
    WideEnoughForTitle(oBox);
    oBox.setDefaultButton(QMessageBox::Yes);
    CentreOnPanel(&oBox);
    return oBox.exec() == QMessageBox::Yes;
}

void CQtHost::ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon eIcon) {
    QMessageBox oBox(ToQt(eIcon), Q(sTitle), DialogLook::FitMessage(sText), QMessageBox::Ok, DialogParent());
    DialogLook::Apply(&oBox);
    WideEnoughForTitle(oBox);
    CentreOnPanel(&oBox);
    oBox.exec();
}

MyMsgBox& CQtHost::MsgBoxWindow() { return Made(pMsgBox_); }

ViewMemReg& CQtHost::RegistersWindow() { return Made(pViewMemReg_); }

frmRegX& CQtHost::MemBlockWindow() { return Made(pRegX_); }

dlgFile& CQtHost::FileWindow() { return Made(pFile_); }

frmEdit& CQtHost::EditorWindow() { return Made(pEdit_); }

void CQtHost::ShowMsg(const std::string& sText, const std::string& sTitle) {
    MyMsgBox& oBox = MsgBoxWindow();
    oBox.lblMsg->setText(DialogLook::FitMessage(sText));
    oBox.adjustSize();
    CentreOnPanel(&oBox);
    oBox.ShowMsg(DialogLook::FitMessage(sText), Q(sTitle));
}

void CQtHost::CentreOnPanel(QWidget* pBox) const {
    // On the panel itself, never over the program view or a helper window.
    if (pPanel_ && pPanel_->isVisible()) DialogLook::CentreOn(pPanel_->PanelScreenRect(), pBox);
}

void CQtHost::ShowMsgDetails(const std::string& sText, const std::string& sTitle, const std::string& sDetails,
                             enmIcon eIcon) {
    MyMsgBox& oBox = MsgBoxWindow();
    oBox.lblMsg->setText(DialogLook::FitMessage(sText));
    oBox.adjustSize();
    CentreOnPanel(&oBox);
    oBox.ShowMsg(DialogLook::FitMessage(sText), Q(sTitle), Q(sDetails), eIcon);
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
    if (!oDlg.ShowX(1, Q(sInitial), eUse, Q(oChoice.sPurpose))) return false;
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
        "<h3>CorvelXMem %2</h3>"
        "<p>A simulator of the Corvel programmable RPN scientific calculator, extended-memory edition.</p>"
        "<p>Four-level stack, 1000 data registers, 999 program steps, magnetic-card style program "
        "and data files, and an extended instruction set for programs.</p>"
        "<p>Click the keys or type them; hover over a key to see its characters. F1 opens the "
        "reference of every key and instruction. Ctrl+C copies X, Ctrl+V pastes a number.</p>"
        "<p>Copyright &copy; The CorvelXMem developers. MIT licence.<br>Built with Qt %1.</p>")
        .arg(QString::fromLatin1(qVersion()), QStringLiteral(CORVEL_VERSION));
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
    constexpr int kMargin = 12, kIcon = 48;
    pIcon->setFixedWidth(kIcon);
    auto* pTop = new QHBoxLayout;
    pTop->setSpacing(kMargin);
    pTop->addWidget(pIcon);
    pTop->addWidget(pText, 1);
    auto* pMain = new QVBoxLayout(&oBox);
    pMain->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    pMain->setSpacing(kMargin);
    pMain->addLayout(pTop);
    pMain->addWidget(pOK, 0, Qt::AlignRight);
    // Never wider than the panel it tells about; the wrapped text gets the
    // height its width needs, so no line is cut at any scale.
    const int nPanel = pPanel_ ? pPanel_->PanelRect().width() : static_cast<int>(CPanelWindow::kWidth);
    const int nBox = std::clamp(nPanel, 240, 420);
    const int nText = nBox - 2 * kMargin - kIcon - kMargin;
    pText->setFixedSize(nText, pText->heightForWidth(nText));
    oBox.setFixedWidth(nBox);
    oBox.adjustSize();
    CentreOnPanel(&oBox);
    pOK->setFocus();
    oBox.exec();
}

void CQtHost::ExitProgram() {
    // Closing asks about changed work; Cancel there keeps the program running.
    if (pPanel_ && !pPanel_->close()) return;
    QCoreApplication::quit();
}
