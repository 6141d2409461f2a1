#include "frmEdit.h"

#include <QFont>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "../program/CPrgm.h"
#include "CDialogLook.h"

namespace {

constexpr int kMarginPad = 6;

// The margin is a plain child widget that asks its text box to paint it.
class CStepMargin : public QWidget {
public:
    explicit CStepMargin(CStepMarginEdit* pEdit) : QWidget(pEdit), pEdit_(pEdit) {
        setObjectName("StepMargin");
    }
    QSize sizeHint() const override { return QSize(pEdit_->MarginWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* pEvent) override { pEdit_->PaintMargin(pEvent); }

private:
    CStepMarginEdit* pEdit_;
};

}  // namespace

CStepMarginEdit::CStepMarginEdit(QWidget* pParent) : QPlainTextEdit(pParent), pMargin_(new CStepMargin(this)) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(this, &QPlainTextEdit::textChanged, this, [this]() {
        Recount();
        pMargin_->update();
    });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rc, int nDy) {
        if (nDy != 0)
            pMargin_->scroll(0, nDy);
        else
            pMargin_->update(0, rc.y(), pMargin_->width(), rc.height());
    });
    PlaceMargin();
    Recount();
}

int CStepMarginEdit::MarginWidth() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("000")) + 2 * kMarginPad;
}

QString CStepMarginEdit::StepMark(int nLine) const {
    if (nLine < 0 || static_cast<size_t>(nLine) >= vSteps_.size()) return QString();
    const int nStep = vSteps_[static_cast<size_t>(nLine)];
    if (nStep < 0) return QStringLiteral("---");
    if (nStep == 0) return QString();
    return QString::fromStdString(corvel::CPrgm::StepNumber(nStep));
}

void CStepMarginEdit::Recount() { vSteps_ = corvel::CPrgm::EditLineSteps(toPlainText().toStdString()); }

void CStepMarginEdit::PlaceMargin() {
    setViewportMargins(MarginWidth(), 0, 0, 0);
    const QRect rc = contentsRect();
    pMargin_->setGeometry(QRect(rc.left(), rc.top(), MarginWidth(), rc.height()));
}

void CStepMarginEdit::resizeEvent(QResizeEvent* pEvent) {
    QPlainTextEdit::resizeEvent(pEvent);
    PlaceMargin();
}

void CStepMarginEdit::changeEvent(QEvent* pEvent) {
    QPlainTextEdit::changeEvent(pEvent);
    // The margin's width follows the font.
    if (pEvent->type() == QEvent::FontChange) PlaceMargin();
}

void CStepMarginEdit::PaintMargin(QPaintEvent* pEvent) {
    QPainter oPaint(pMargin_);
    oPaint.fillRect(pEvent->rect(), palette().color(QPalette::Window));
    oPaint.setPen(palette().color(QPalette::Mid));
    oPaint.drawLine(pMargin_->width() - 1, pEvent->rect().top(), pMargin_->width() - 1, pEvent->rect().bottom());
    oPaint.setFont(font());
    const QColor oNumber = palette().color(QPalette::Text);
    const QColor oPast = palette().color(QPalette::Disabled, QPalette::Text);

    QTextBlock oBlock = firstVisibleBlock();
    int nTop = qRound(blockBoundingGeometry(oBlock).translated(contentOffset()).top());
    while (oBlock.isValid() && nTop <= pEvent->rect().bottom()) {
        const int nHeight = qRound(blockBoundingRect(oBlock).height());
        if (oBlock.isVisible() && nTop + nHeight >= pEvent->rect().top()) {
            const int nLine = oBlock.blockNumber();
            const QString sMark = StepMark(nLine);
            if (!sMark.isEmpty()) {
                oPaint.setPen(vSteps_[static_cast<size_t>(nLine)] < 0 ? oPast : oNumber);
                oPaint.drawText(QRect(0, nTop, pMargin_->width() - kMarginPad, fontMetrics().height()),
                                Qt::AlignRight | Qt::AlignVCenter, sMark);
            }
        }
        oBlock = oBlock.next();
        nTop += nHeight;
    }
}

frmEdit::frmEdit(QWidget* pParent) : QDialog(pParent) {
    setObjectName("frmEdit");
    setWindowTitle("Source Code Editor");
    DialogLook::Apply(this);

    // Where the system lacks the face, the font configuration substitutes a
    // metric twin (Liberation Mono on Debian) under the same family name.
    QFont oFixed(QStringLiteral("Courier New"));
    oFixed.setStyleHint(QFont::Monospace);
    oFixed.setFixedPitch(true);
    oFixed.setPointSize(10);

    txtPrgm = new CStepMarginEdit(this);
    txtPrgm->setObjectName("txtPrgm");
    txtPrgm->setFont(oFixed);
    txtPrgm->setTabChangesFocus(true);
    cmdClear = new QPushButton("Clear", this);
    cmdClear->setObjectName("cmdClear");
    cmdClose = new QPushButton("&Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setDefault(true);
    connect(cmdClear, &QPushButton::clicked, this, &frmEdit::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmEdit::cmdClose_Click);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(cmdClear);
    pButtons->addStretch();
    pButtons->addWidget(cmdClose);
    auto* pMain = new QVBoxLayout(this);
    pMain->addWidget(txtPrgm, 1);
    pMain->addLayout(pButtons);
    resize(360, 620);
}

void frmEdit::ShowEdit(const QString& sText, const CloseFn& fnClose) {
    QString s = sText;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace('\r', '\n');
    txtPrgm->setPlainText(s);
    txtPrgm->moveCursor(QTextCursor::Start);
    txtPrgm->setFocus();
    fnClose_ = fnClose;
    exec();
    fnClose_ = nullptr;   // the callback may refer to the caller's locals
}

void frmEdit::cmdClear_Click() {
    QMessageBox oAsk(QMessageBox::Question, "Confirmation", "Want to clear the listing?",
                     QMessageBox::Yes | QMessageBox::No, this);
    DialogLook::Apply(&oAsk);
    oAsk.setDefaultButton(QMessageBox::Yes);
    if (oAsk.exec() != QMessageBox::Yes) return;
    // Replaced through a cursor, not setPlainText, so that undo still has the old text.
    QTextCursor oCursor(txtPrgm->document());
    oCursor.select(QTextCursor::Document);
    oCursor.insertText(QStringLiteral("LBL A\n\nRTN"));
    txtPrgm->setTextCursor(QTextCursor(txtPrgm->document()->findBlockByNumber(1)));
    txtPrgm->setFocus();
}

void frmEdit::cmdClose_Click() {
    if (fnClose_ && fnClose_(txtPrgm->toPlainText().toStdString())) accept();
}
