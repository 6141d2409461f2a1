#include "frmEdit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringListModel>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

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

// The editor's inks for instruction names, label operands and refused lines,
// each light on a dark text box and dark on a light one.
enum class enmInk { Instruction, Label, Refused };
QColor Ink(const QPalette& oPal, enmInk e) {
    const bool bDark = oPal.color(QPalette::Base).lightness() < 128;
    switch (e) {
        case enmInk::Instruction: return bDark ? QColor(0x7c, 0xb8, 0xff) : QColor(0x10, 0x40, 0xa0);
        case enmInk::Label: return bDark ? QColor(0xf0, 0x9c, 0xf0) : QColor(0x90, 0x20, 0x90);
        case enmInk::Refused: break;
    }
    return bDark ? QColor(0xff, 0x60, 0x60) : QColor(0xc0, 0x10, 0x10);
}

// The colours of the editor's text: instruction names, label operands,
// comments and step numbers, refused lines and the filler after the program.
class CEditHighlighter : public QSyntaxHighlighter {
public:
    explicit CEditHighlighter(CStepMarginEdit* pEdit) : QSyntaxHighlighter(pEdit->document()), pEdit_(pEdit) {}

protected:
    void highlightBlock(const QString& sText) override {
        const int nLine = currentBlock().blockNumber();
        setCurrentBlockState(pEdit_->LineLook(nLine));
        const QPalette& oPal = pEdit_->palette();
        if (pEdit_->IsFillerTail(nLine)) {
            QTextCharFormat oDim;
            oDim.setForeground(oPal.color(QPalette::Disabled, QPalette::Text));
            setFormat(0, static_cast<int>(sText.size()), oDim);
            return;
        }
        // One byte a character, so that the core's offsets are the text's.
        const std::string sLine = sText.toLatin1().toStdString();
        const corvel::CPrgm::CLineParts o = corvel::CPrgm::SplitListingLine(sLine);
        const bool bRefused = !pEdit_->Fault(nLine).isEmpty();
        auto Fmt = [&](const QColor& c, bool bBold) {
            QTextCharFormat f;
            f.setForeground(c);
            if (bBold) f.setFontWeight(QFont::Bold);
            if (bRefused) {
                f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
                f.setUnderlineColor(Ink(oPal, enmInk::Refused));
            }
            return f;
        };
        const QColor oQuiet = oPal.color(QPalette::Disabled, QPalette::Text);
        if (o.nComment != std::string::npos) {
            QTextCharFormat f;
            f.setForeground(oQuiet);
            f.setFontItalic(true);
            setFormat(static_cast<int>(o.nComment), static_cast<int>(sLine.size() - o.nComment), f);
        }
        const size_t nFirst = sLine.find_first_not_of(" \t");
        if (nFirst != std::string::npos && nFirst < o.nCode && (o.nComment == std::string::npos || nFirst < o.nComment)) {
            QTextCharFormat f;
            f.setForeground(oQuiet);
            setFormat(static_cast<int>(nFirst), static_cast<int>(o.nCode - nFirst), f);   // the step number
        }
        if (o.nCode >= o.nCodeEnd) return;
        const std::string sCode = sLine.substr(o.nCode, o.nCodeEnd - o.nCode);
        const size_t nBlank = std::min(sCode.find(' '), sCode.size());
        const std::string sName = sCode.substr(0, nBlank);
        const bool bKnown = corvel::CPrgm::FindInstr(sName) != nullptr;
        setFormat(static_cast<int>(o.nCode), static_cast<int>(sCode.size()), Fmt(oPal.color(QPalette::Text), false));
        if (bKnown) setFormat(static_cast<int>(o.nCode), static_cast<int>(nBlank), Fmt(Ink(oPal, enmInk::Instruction), true));
        QString sUpper = QString::fromStdString(sName).toUpper();
        if (nBlank < sCode.size() && (sUpper == "LBL" || sUpper == "GTO" || sUpper == "GSB"))
            setFormat(static_cast<int>(o.nCode + nBlank + 1), static_cast<int>(sCode.size() - nBlank - 1),
                      Fmt(Ink(oPal, enmInk::Label), true));
    }

private:
    CStepMarginEdit* pEdit_;
};

// The instructions' names, each once, in order.
QStringList InstructionNames() {
    int n = 0;
    const corvel::CInstr* pRows = corvel::CPrgm::InstrTable(n);
    QStringList v;
    for (int i = 0; i < n; ++i) v << QString::fromLatin1(pRows[i].sName);
    v.sort();
    v.removeDuplicates();
    return v;
}

}  // namespace

CStepMarginEdit::CStepMarginEdit(QWidget* pParent)
    : QPlainTextEdit(pParent),
      pMargin_(new CStepMargin(this)),
      pHighlighter_(new CEditHighlighter(this)),
      pCompleter_(new QCompleter(new QStringListModel(InstructionNames(), this), this)) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    pCompleter_->setWidget(this);
    pCompleter_->setCaseSensitivity(Qt::CaseInsensitive);
    pCompleter_->setCompletionMode(QCompleter::PopupCompletion);
    connect(pCompleter_, qOverload<const QString&>(&QCompleter::activated), this, &CStepMarginEdit::InsertCompletion);
    connect(this, &QPlainTextEdit::textChanged, this, [this]() {
        if (bInRecount_) return;
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

QString CStepMarginEdit::Fault(int nLine) const {
    if (nLine < 0 || static_cast<size_t>(nLine) >= vFaults_.size()) return QString();
    return QString::fromStdString(vFaults_[static_cast<size_t>(nLine)]);
}

void CStepMarginEdit::Recount() {
    const std::string sText = toPlainText().toLatin1().toStdString();
    vSteps_ = corvel::CPrgm::EditLineSteps(sText);
    std::vector<std::string> vFaults = corvel::CPrgm::EditLineFaults(sText);
    // The filler after the program: "R/S" and empty lines after the last other line.
    int nFiller = document()->blockCount();
    for (QTextBlock b = document()->lastBlock(); b.isValid(); b = b.previous()) {
        const QString s = b.text().trimmed().toUpper();
        if (!s.isEmpty() && s != QLatin1String(corvel::CPrgm::kFiller)) break;
        nFiller = b.blockNumber();
    }
    std::swap(vFaults_, vFaults);
    nFillerFrom_ = nFiller;
    // Only the lines whose look changed are coloured again: each line's
    // state says how it was coloured.
    bInRecount_ = true;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next())
        if (b.userState() != LineLook(b.blockNumber())) pHighlighter_->rehighlightBlock(b);
    bInRecount_ = false;
}

int CStepMarginEdit::LineLook(int nLine) const {
    return (Fault(nLine).isEmpty() ? 0 : 1) | (IsFillerTail(nLine) ? 2 : 0);
}

QString CStepMarginEdit::WordToComplete() const {
    const QTextCursor c = textCursor();
    QString sTrim = c.block().text().left(c.positionInBlock()).trimmed();
    // After a step number ("001 ST") the word that follows it.
    static const QRegularExpression oStepNumber(QStringLiteral("^\\d+[ \\t]+"));
    if (c.positionInBlock() > 0 && !c.block().text().at(c.positionInBlock() - 1).isSpace())
        sTrim.remove(oStepNumber);
    else
        return QString();
    if (sTrim.isEmpty() || sTrim.contains(' ') || sTrim.contains('\t')) return QString();
    // A number or a comment is not completed.
    if (sTrim.front().isDigit() || sTrim.front() == '.' || sTrim.front() == '#') return QString();
    return sTrim;
}

void CStepMarginEdit::InsertCompletion(const QString& sName) {
    QTextCursor c = textCursor();
    const int nWord = static_cast<int>(WordToComplete().size());
    c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, nWord);
    c.insertText(sName);
    setTextCursor(c);
}

void CStepMarginEdit::keyPressEvent(QKeyEvent* pEvent) {
    if (pCompleter_->popup()->isVisible()) {
        switch (pEvent->key()) {
            case Qt::Key_Enter:
            case Qt::Key_Return:
                // A name typed in full ends its line as usual.
                if (WordToComplete().compare(pCompleter_->currentCompletion(), Qt::CaseInsensitive) == 0) {
                    pCompleter_->popup()->hide();
                    break;
                }
                [[fallthrough]];
            case Qt::Key_Escape:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                pEvent->ignore();   // the completer takes these
                return;
            default:
                break;
        }
    }
    QPlainTextEdit::keyPressEvent(pEvent);
    const QString sWord = WordToComplete();
    if (pEvent->text().isEmpty() || sWord.isEmpty()) {
        pCompleter_->popup()->hide();
        return;
    }
    pCompleter_->setCompletionPrefix(sWord);
    if (pCompleter_->completionCount() == 0) {
        pCompleter_->popup()->hide();
        return;
    }
    pCompleter_->popup()->setCurrentIndex(pCompleter_->completionModel()->index(0, 0));
    QRect rc = cursorRect();
    rc.setWidth(pCompleter_->popup()->sizeHintForColumn(0) + pCompleter_->popup()->verticalScrollBar()->sizeHint().width());
    pCompleter_->complete(rc);
}

bool CStepMarginEdit::focusNextPrevChild(bool bNext) {
    return !pCompleter_->popup()->isVisible() && QPlainTextEdit::focusNextPrevChild(bNext);
}

bool CStepMarginEdit::viewportEvent(QEvent* pEvent) {
    if (pEvent->type() == QEvent::ToolTip) {
        const auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        const QString sWhy = Fault(cursorForPosition(pHelp->pos()).blockNumber());
        if (sWhy.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(pHelp->globalPos(), sWhy, viewport());
        return true;
    }
    return QPlainTextEdit::viewportEvent(pEvent);
}

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
                const bool bRefused = !Fault(nLine).isEmpty();
                oPaint.setPen(bRefused ? Ink(palette(), enmInk::Refused) : vSteps_[static_cast<size_t>(nLine)] < 0 ? oPast : oNumber);
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
    sShown_ = txtPrgm->toPlainText();
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

void frmEdit::reject() {
    if (txtPrgm->toPlainText() != sShown_) {
        QMessageBox oAsk(QMessageBox::Question, windowTitle(), "Discard the changes to the program text?",
                         QMessageBox::Yes | QMessageBox::No, this);
        DialogLook::Apply(&oAsk);
        oAsk.setDefaultButton(QMessageBox::No);
        if (oAsk.exec() != QMessageBox::Yes) return;
    }
    QDialog::reject();
}
