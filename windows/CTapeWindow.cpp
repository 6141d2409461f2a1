#include "CTapeWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

#include "../machine/CFileIO.h"
#include "../panel/CFrontPanel.h"
#include "CDialogLook.h"

using namespace corvel;

CTapeWindow::CTapeWindow(CFrontPanel& oMain, QWidget* pParent) : QDialog(pParent), oMain_(oMain) {
    setObjectName("CTapeWindow");
    setWindowTitle(QStringLiteral("Print Tape"));
    setModal(false);
    DialogLook::Apply(this);

    txtTape = new QPlainTextEdit(this);
    txtTape->setObjectName("txtTape");
    txtTape->setReadOnly(true);
    txtTape->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtTape->setMaximumBlockCount(static_cast<int>(CPrintTape::kMaxLines));
    txtTape->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtTape->setToolTip(QStringLiteral("What -x-, STK, f R/S and g R/S print, and with TRACE each step run"));

    chkTrace = new QCheckBox(QStringLiteral("&TRACE"), this);
    chkTrace->setObjectName("chkTrace");
    chkTrace->setToolTip(QStringLiteral("Print every step a program runs, before it runs"));
    cmdClear = new QPushButton(QStringLiteral("C&lear"), this);
    cmdClear->setObjectName("cmdClear");
    cmdClear->setToolTip(QStringLiteral("Tear off the tape"));
    cmdCopy = new QPushButton(QStringLiteral("&Copy"), this);
    cmdCopy->setObjectName("cmdCopy");
    cmdCopy->setToolTip(QStringLiteral("Copy the selected lines, or the whole tape, to the clipboard"));
    cmdSave = new QPushButton(QStringLiteral("&Save..."), this);
    cmdSave->setObjectName("cmdSave");
    cmdSave->setToolTip(QStringLiteral("Write the tape to a text file"));
    for (QPushButton* p : {cmdClear, cmdCopy, cmdSave}) p->setAutoDefault(false);

    connect(chkTrace, &QCheckBox::toggled, this, &CTapeWindow::chkTrace_Toggle);
    connect(cmdClear, &QPushButton::clicked, this, &CTapeWindow::cmdClear_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &CTapeWindow::cmdCopy_Click);
    connect(cmdSave, &QPushButton::clicked, this, &CTapeWindow::cmdSave_Click);
    // The panel's shortcut closes the window from here too.
    auto* pClose = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    connect(pClose, &QShortcut::activated, this, &QWidget::close);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(chkTrace);
    pButtons->addStretch();
    pButtons->addWidget(cmdClear);
    pButtons->addWidget(cmdCopy);
    pButtons->addWidget(cmdSave);
    auto* pMain = new QVBoxLayout(this);
    pMain->addWidget(txtTape, 1);
    pMain->addLayout(pButtons);
    resize(330, 440);

}

void CTapeWindow::Reload() {
    QStringList v;
    for (const std::string& s : oMain_.View().oTape.Lines()) v << QString::fromStdString(s);
    txtTape->setPlainText(v.join('\n'));
    nShown_ = oMain_.View().oTape.Printed();
    txtTape->verticalScrollBar()->setValue(txtTape->verticalScrollBar()->maximum());
}

void CTapeWindow::Flush() {
    const CPrintTape& oTape = oMain_.View().oTape;
    const uint64_t nNow = oTape.Printed();
    if (nNow == nShown_) return;
    const auto& vLines = oTape.Lines();
    const size_t nNew = static_cast<size_t>(std::min<uint64_t>(nNow - nShown_, vLines.size()));
    nShown_ = nNow;
    if (nNew == 0) return;
    QStringList vNew;
    vNew.reserve(static_cast<qsizetype>(nNew));
    for (size_t i = vLines.size() - nNew; i < vLines.size(); ++i) vNew << QString::fromStdString(vLines[i]);
    const QString s = vNew.join('\n');
    // The view follows the end of the tape unless the user scrolled back.
    QScrollBar* pBar = txtTape->verticalScrollBar();
    const bool bAtEnd = pBar->value() >= pBar->maximum();
    if (nNew >= CPrintTape::kMaxLines || txtTape->document()->isEmpty())
        txtTape->setPlainText(s);
    else
        txtTape->appendPlainText(s);
    if (bAtEnd) pBar->setValue(pBar->maximum());
}

QStringList CTapeWindow::ShownLines() const {
    if (txtTape->document()->isEmpty()) return {};
    return txtTape->toPlainText().split('\n');
}

void CTapeWindow::chkTrace_Toggle(bool bOn) { oMain_.SetTrace(bOn); }

void CTapeWindow::cmdClear_Click() {
    oMain_.Tape().Clear();
    txtTape->clear();
    nShown_ = oMain_.View().oTape.Printed();
}

void CTapeWindow::cmdCopy_Click() {
    if (txtTape->textCursor().hasSelection()) {
        txtTape->copy();
        return;
    }
    Flush();
    QString s;
    for (const std::string& sLine : oMain_.View().oTape.Lines()) s += QString::fromStdString(sLine) + '\n';
    QGuiApplication::clipboard()->setText(s);
}

void CTapeWindow::cmdSave_Click() {
    CFileChoice oChoice;
    oChoice.sPurpose = "Save the print tape";
    if (!oMain_.Host().ChooseFile("*.txt", enmFileUse::Write, oChoice)) return;
    // Written beside the file and renamed into place: a failure leaves the old
    // file whole, and a new one the dialog made goes again.
    corvel::FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
    if (!oNew.KeepIf(oMain_.View().oTape.Save(oChoice.sFull)))
        oMain_.Host().ShowNotice("Print Tape", "Could not write the print tape to " + oChoice.sFull,
                                 enmIcon::Critical);
}

void CTapeWindow::showEvent(QShowEvent* pEvent) {
    QDialog::showEvent(pEvent);
    // TRACE may have been switched elsewhere (a restored window, a test).
    const QSignalBlocker oQuiet(chkTrace);
    chkTrace->setChecked(oMain_.View().oPrgm.bTrace);
    Reload();
}

void CTapeWindow::hideEvent(QHideEvent* pEvent) { QDialog::hideEvent(pEvent); }
