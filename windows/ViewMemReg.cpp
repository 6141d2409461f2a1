#include "ViewMemReg.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CDialogLook.h"

ViewMemReg::ViewMemReg(QWidget* pParent) : QDialog(pParent) {
    setObjectName("ViewMemReg");
    setWindowTitle("Memory Registers");
    setModal(true);
    DialogLook::Apply(this);

    QFont oFixed("Courier New");
    oFixed.setStyleHint(QFont::Monospace);
    oFixed.setPointSize(10);

    // Primary registers left, secondary middle, lettered and I right.
    auto* pGrid = new QGridLayout;
    pGrid->setHorizontalSpacing(24);
    pGrid->setVerticalSpacing(2);
    for (int i = 0; i < kCount; ++i) {
        lblReg[i] = new QLabel(this);
        lblReg[i]->setObjectName(QString("lblReg%1").arg(i));
        lblReg[i]->setFont(oFixed);
        lblReg[i]->setTextFormat(Qt::PlainText);
        lblReg[i]->setMinimumWidth(QFontMetrics(oFixed).horizontalAdvance(QString(16, 'M')));
        const int nCol = i < 10 ? 0 : (i < 20 ? 1 : 2);
        const int nRow = i < 20 ? i % 10 : i - 20;
        pGrid->addWidget(lblReg[i], nRow, nCol);
    }
    cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* pMain = new QVBoxLayout(this);
    pMain->addLayout(pGrid);
    pMain->addWidget(cmdClose, 0, Qt::AlignRight);
    pMain->setSizeConstraint(QLayout::SetFixedSize);
}

void ViewMemReg::Fill(const std::vector<std::string>& vLines) {
    for (int i = 0; i < kCount; ++i) {
        const bool bHave = static_cast<size_t>(i) < vLines.size();
        const QString sLine = bHave ? QString::fromStdString(vLines[static_cast<size_t>(i)]) : QString();
        // A value shown with dozens of decimals is cut short so the window
        // stays on the screen; the whole text is in the label's tool tip.
        constexpr int kMaxChars = 40;
        lblReg[i]->setText(sLine.size() > kMaxChars ? sLine.left(kMaxChars - 1) + QChar(0x2026) : sLine);
        lblReg[i]->setToolTip(sLine.size() > kMaxChars ? sLine : QString());
    }
}

void ViewMemReg::ShowMem(const std::vector<std::string>& vLines) {
    Fill(vLines);
    cmdClose->setFocus();
    exec();
}
