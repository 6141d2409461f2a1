#include "MyMsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "CDialogLook.h"

MyMsgBox::MyMsgBox(QWidget* pParent) : QDialog(pParent) {
    setObjectName("MyMsgBox");
    setWindowTitle("About MyApp");
    setModal(true);
    DialogLook::Apply(this);

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    const int nIcon = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(nIcon, nIcon));
    picIcon->setAlignment(Qt::AlignTop);

    lblMsg = new QLabel(this);
    lblMsg->setObjectName("lblMsg");
    lblMsg->setWordWrap(true);
    lblMsg->setTextFormat(Qt::PlainText);
    lblMsg->setMinimumWidth(260);
    lblMsg->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(picIcon);
    pTop->addWidget(lblMsg, 1);
    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(cmdOK);
    pButtons->addStretch();
    auto* pMain = new QVBoxLayout(this);
    pMain->addLayout(pTop);
    pMain->addLayout(pButtons);
    pMain->setSizeConstraint(QLayout::SetFixedSize);
}

void MyMsgBox::ShowMsg(const QString& sMsg, const QString& sTitle) {
    lblMsg->setText(sMsg);
    setWindowTitle(sTitle.isEmpty() ? QStringLiteral("Corvel Emulator") : sTitle);
    cmdOK->setFocus();
    exec();
}
