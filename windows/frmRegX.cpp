#include "frmRegX.h"

#include <QCheckBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "CDialogLook.h"

frmRegX::frmRegX(QWidget* pParent) : QDialog(pParent) {
    setObjectName("frmRegX");
    setWindowTitle("Memory Block Viewer");
    setModal(true);
    DialogLook::Apply(this);

    QFont oFixed("Courier New");
    oFixed.setStyleHint(QFont::Monospace);
    oFixed.setPointSize(10);

    auto* pLabel = new QLabel("Registers:", this);
    lstMem = new QListWidget(this);
    lstMem->setObjectName("lstMem");
    lstMem->setFont(oFixed);
    lstMem->setMinimumSize(320, 300);
    chkShow = new QCheckBox("Show Only Non-Zero Values", this);
    chkShow->setObjectName("chkShow");
    chkShow->setChecked(false);
    connect(chkShow, &QCheckBox::toggled, this, [this]() { chkShow_Click(); });
    cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* pBottom = new QHBoxLayout;
    pBottom->addWidget(chkShow);
    pBottom->addStretch();
    pBottom->addWidget(cmdClose);
    auto* pMain = new QVBoxLayout(this);
    pMain->addWidget(pLabel);
    pMain->addWidget(lstMem, 1);
    pMain->addLayout(pBottom);
}

void frmRegX::chkShow_Click() {
    lstMem->clear();
    if (!fnFill_) return;
    for (const std::string& s : fnFill_(chkShow->isChecked())) lstMem->addItem(QString::fromStdString(s));
}

void frmRegX::ShowX(const FillFn& fnFill) {
    fnFill_ = fnFill;
    chkShow_Click();
    cmdClose->setFocus();
    exec();
    fnFill_ = nullptr;   // the callback may refer to the caller's locals
}
