#include "MyMsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
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

    // The details: the lines of a listing a message points at, for example.
    cmdDetails = new QPushButton("Details", this);
    cmdDetails->setObjectName("cmdDetails");
    cmdDetails->setCheckable(true);
    cmdDetails->setAutoDefault(false);
    txtDetails = new QPlainTextEdit(this);
    txtDetails->setObjectName("txtDetails");
    txtDetails->setReadOnly(true);
    txtDetails->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtDetails->setFixedHeight(6 * txtDetails->fontMetrics().lineSpacing());
    txtDetails->setVisible(false);
    connect(cmdDetails, &QPushButton::toggled, txtDetails, &QWidget::setVisible);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(picIcon);
    pTop->addWidget(lblMsg, 1);
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(cmdDetails);
    pButtons->addStretch();
    pButtons->addWidget(cmdOK);
    pButtons->addStretch();
    auto* pMain = new QVBoxLayout(this);
    pMain->addLayout(pTop);
    pMain->addLayout(pButtons);
    pMain->addWidget(txtDetails);
    pMain->setSizeConstraint(QLayout::SetFixedSize);
}

void MyMsgBox::ShowMsg(const QString& sMsg, const QString& sTitle, const QString& sDetails, corvel::enmIcon eIcon) {
    const int nIcon = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picIcon->setPixmap(style()
                           ->standardIcon(eIcon == corvel::enmIcon::Critical ? QStyle::SP_MessageBoxCritical
                                                                     : QStyle::SP_MessageBoxInformation)
                           .pixmap(nIcon, nIcon));
    lblMsg->setText(sMsg);
    txtDetails->setPlainText(sDetails);
    cmdDetails->setChecked(false);
    cmdDetails->setVisible(!sDetails.isEmpty());
    setWindowTitle(sTitle.isEmpty() ? QStringLiteral("Corvel Emulator") : sTitle);
    cmdOK->setFocus();
    exec();
}
