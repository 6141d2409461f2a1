#include "CProgramView.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QHBoxLayout>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "../numeric/NumUtil.h"
#include "../panel/CFrontPanel.h"
#include "CDialogLook.h"

using namespace corvel;

namespace {

// Draws each step after a margin that holds its breakpoint's dot, a rule
// above each label step, so a program reads as its routines, and with the
// profile shown how often the step ran, as a number on a bar.
class CStepDelegate : public QStyledItemDelegate {
public:
    CStepDelegate(CProgramView* pView, const CPrgm& oPrgm) : QStyledItemDelegate(pView), pView_(pView), oPrgm_(oPrgm) {}
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        QStyleOptionViewItem oText = o;
        oText.rect.setLeft(o.rect.left() + CProgramView::kBreakMargin);
        QStyledItemDelegate::paint(p, oText, i);
        if (oPrgm_.HasBreak(i.row())) {
            p->save();
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(Qt::NoPen);
            p->setBrush(QColor(0xe0, 0x30, 0x30));
            const qreal r = std::min(o.rect.height(), CProgramView::kBreakMargin) * 0.3;
            p->drawEllipse(QPointF(o.rect.left() + CProgramView::kBreakMargin / 2.0, o.rect.center().y() + 0.5), r, r);
            p->restore();
        }
        const uint64_t nMax = pView_->ProfileMax();
        const uint64_t nCount = nMax != 0 ? oPrgm_.ProfileCount(i.row()) : 0;
        if (nCount != 0) {
            const QRectF rc(o.rect.right() - CProgramView::kProfileWidth, o.rect.top() + 2,
                            CProgramView::kProfileWidth, o.rect.height() - 4);
            QColor c = DialogLook::kHighlight;
            c.setAlpha(70);
            p->fillRect(QRectF(rc.left(), rc.top(), rc.width() * static_cast<double>(nCount) / nMax, rc.height()), c);
            p->setPen(o.palette.color(QPalette::Text));
            p->drawText(rc.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(nCount));
        }
        if (i.row() == 0 || !i.data(CProgramView::kLabelRole).toBool()) return;
        p->save();
        QColor c = DialogLook::kHighlight;
        c.setAlpha(150);
        p->setPen(QPen(c, 1));
        p->drawLine(o.rect.topLeft() + QPoint(2, 0), o.rect.topRight() - QPoint(2, 0));
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        return QStyledItemDelegate::sizeHint(o, i) + QSize(CProgramView::kBreakMargin, 0);
    }

private:
    const CProgramView* pView_;
    const CPrgm& oPrgm_;
};

QString Value(double v) { return QString::fromStdString(NumUtil::FormatG15(v)); }

// "R12", and for the lettered registers also their letter: "R20 A", "R25 I".
QString RegName(int r) {
    QString s = QStringLiteral("R%1").arg(r);
    if (r >= 20 && r <= 24) s += ' ' + QChar('A' + (r - 20));
    if (r == CMem::kRegI) s += QStringLiteral(" I");
    return s;
}

}  // namespace

CProgramView::CProgramView(CFrontPanel& oMain, QWidget* pParent) : QWidget(pParent), oMain_(oMain) {
    setObjectName("CProgramView");
    DialogLook::Apply(this);
    const QFont fFixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName("lblTitle");
    lstSteps = new QListWidget(this);
    lstSteps->setObjectName("lstSteps");
    lstSteps->setFont(fFixed);
    lstSteps->setUniformItemSizes(true);
    lstSteps->setItemDelegate(new CStepDelegate(this, oMain_.View().oPrgm));
    lstSteps->setToolTip(QStringLiteral("Double-click a step to move the pointer there (as GTO . NNN); click left "
                                        "of a step to set or clear a breakpoint (F9: the pointer's step)"));
    lstSteps->viewport()->installEventFilter(this);
    lblStack = new QLabel(this);
    lblStack->setObjectName("lblStack");
    lblStack->setFont(fFixed);
    lblStack->setTextFormat(Qt::PlainText);
    lblRegs = new QLabel(QStringLiteral("Registers not zero"), this);
    lstRegs = new QListWidget(this);
    lstRegs->setObjectName("lstRegs");
    lstRegs->setFont(fFixed);
    lstRegs->setUniformItemSizes(true);
    // The mark is the pointer's, never a click's; and what is typed still
    // goes to the panel's keys.
    for (QListWidget* p : {lstSteps, lstRegs}) {
        p->setSelectionMode(QAbstractItemView::NoSelection);
        p->setFocusPolicy(Qt::NoFocus);
    }
    connect(lstSteps, &QListWidget::itemDoubleClicked, this, &CProgramView::lstSteps_DoubleClick);

    auto Button = [this](const char* sName, const QString& sText, const QString& sTip) {
        auto* b = new QToolButton(this);
        b->setObjectName(sName);
        b->setText(sText);
        b->setToolTip(sTip);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    btnStepOver = Button("btnStepOver", QStringLiteral("Step over"),
                         QStringLiteral("Runs the step at the pointer; a GSB with its whole subroutine (F10)"));
    btnStepOut = Button("btnStepOut", QStringLiteral("Step out"),
                        QStringLiteral("Runs until the current subroutine returns (Shift+F11)"));
    btnProfile = Button("btnProfile", QStringLiteral("Profile"),
                        QStringLiteral("Shows how often each step ran (counted while shown; a run from a label "
                                       "starts the counts again, R/S and SST add to them)"));
    btnProfile->setCheckable(true);
    // Profile gold while the column is shown, as the panel's picture buttons light up.
    const QString sLook =
        QStringLiteral("QToolButton { background: %1; color: %2; border: 1px solid %3; border-radius: 3px; "
                       "padding: 3px 5px; } QToolButton:pressed { background: %3; } "
                       "QToolButton:checked { background: %3; color: %4; }")
            .arg(DialogLook::kButton.name(), DialogLook::kText.name(), DialogLook::kHighlight.name(),
                 DialogLook::kHighlightText.name());
    for (QToolButton* b : {btnStepOver, btnStepOut, btnProfile}) b->setStyleSheet(sLook);
    connect(btnStepOver, &QToolButton::clicked, this, [this] {
        if (fnPress) fnPress("STEPOVER");
    });
    connect(btnStepOut, &QToolButton::clicked, this, [this] {
        if (fnPress) fnPress("STEPOUT");
    });
    connect(btnProfile, &QToolButton::toggled, this, &CProgramView::ShowProfile);
    auto* pButtons = new QHBoxLayout;
    pButtons->setContentsMargins(0, 0, 0, 0);
    for (QToolButton* b : {btnStepOver, btnStepOut, btnProfile}) pButtons->addWidget(b);
    pButtons->addStretch();

    auto* pMain = new QVBoxLayout(this);
    pMain->setContentsMargins(6, 8, 8, 8);
    pMain->addWidget(lblTitle);
    pMain->addLayout(pButtons);
    pMain->addWidget(lstSteps, 3);
    pMain->addWidget(lblStack);
    pMain->addWidget(lblRegs);
    pMain->addWidget(lstRegs, 1);

}

void CProgramView::Changed() {
    if (!isVisible() || oMain_.View().bBusy || bPending_) return;
    bPending_ = true;
    QTimer::singleShot(0, this, [this]() {
        if (bPending_) Refresh();
    });
}

void CProgramView::Refresh() {
    bPending_ = false;
    ++nRefreshes_;
    RefreshSteps();
    RefreshValues();
    RefreshProfile();
}

void CProgramView::ShowProfile(bool bShow) {
    oMain_.SetProfiling(bShow && isVisible());
    RefreshProfile();
}

void CProgramView::RefreshProfile() {
    const CPrgm& oPrgm = oMain_.View().oPrgm;
    std::vector<uint64_t> v;
    if (oPrgm.Profiling())
        for (int n = 0; n < lstSteps->count(); ++n) v.push_back(oPrgm.ProfileCount(n));
    if (v == vShownCounts_) return;
    vShownCounts_ = std::move(v);
    nProfileMax_ = vShownCounts_.empty() ? 0 : *std::max_element(vShownCounts_.begin(), vShownCounts_.end());
    lstSteps->viewport()->update();
}

void CProgramView::Colour(QListWidgetItem* pItem, bool bMarked) const {
    const bool bLabel = pItem->data(kLabelRole).toBool();
    pItem->setBackground(bMarked ? QBrush(DialogLook::kHighlight) : QBrush());
    pItem->setForeground(bMarked ? DialogLook::kHighlightText : (bLabel ? DialogLook::kHighlight : DialogLook::kText));
}

void CProgramView::RefreshSteps() {
    const CPrgm& oPrgm = oMain_.View().oPrgm;
    const int nPtr = oPrgm.GetPrgmPointer();
    // Step 000 (where RTN leaves the pointer) up to the end of the program,
    // or to the pointer when it lies beyond.
    const int nLast = std::max<int>(oPrgm.FindEndOfProgram(), nPtr);
    bool bChanged = false;
    while (lstSteps->count() > nLast + 1) {
        delete lstSteps->takeItem(lstSteps->count() - 1);
        bChanged = true;
    }
    vShownSteps_.resize(static_cast<size_t>(nLast) + 1);
    for (int n = 0; n <= nLast; ++n) {
        const std::string& sStep = oPrgm.GetLine(n);
        QListWidgetItem* pItem = n < lstSteps->count() ? lstSteps->item(n) : nullptr;
        if (pItem && vShownSteps_[static_cast<size_t>(n)] == sStep) continue;
        if (!pItem) pItem = new QListWidgetItem(lstSteps);
        vShownSteps_[static_cast<size_t>(n)] = sStep;
        pItem->setText(QString::fromStdString(oPrgm.ShowLine(n)));
        const bool bLabel = CPrgm::IsLabelStep(sStep);
        pItem->setData(kLabelRole, bLabel);
        QFont f = lstSteps->font();
        f.setBold(bLabel);
        pItem->setFont(f);
        Colour(pItem, n == nPtr);
        bChanged = true;
    }
    if (bChanged || nPtr != nMarked_) {
        if (nMarked_ >= 0 && nMarked_ < lstSteps->count() && nMarked_ != nPtr) Colour(lstSteps->item(nMarked_), false);
        QListWidgetItem* pItem = lstSteps->item(nPtr);
        Colour(pItem, true);
        lstSteps->scrollToItem(pItem, QAbstractItemView::EnsureVisible);
        nMarked_ = nPtr;
    }
    const int nSteps = oPrgm.HasProgram() ? oPrgm.FindEndOfProgram() - 1 : 0;
    // The program's name as a listing read gives it to the panel's label (the
    // file's own name, also when a run has put the whole path there); a long
    // one is cut in its middle so the step count stays in view.
    const QString sName = QFileInfo(QString::fromStdString(oMain_.View().lblPrgm)).fileName();
    const QString sSteps = QStringLiteral("%1 steps").arg(nSteps);
    QString sTitle = QStringLiteral("Program: ") + sSteps;
    if (!sName.isEmpty()) {
        const QFontMetrics oMetrics(lblTitle->font());
        const int nRoom = kWidth - 16 - oMetrics.horizontalAdvance(QStringLiteral("Program: , ") + sSteps);
        sTitle = QStringLiteral("Program: %1, %2").arg(oMetrics.elidedText(sName, Qt::ElideMiddle, nRoom), sSteps);
    }
    if (lblTitle->text() != sTitle) lblTitle->setText(sTitle);
}

void CProgramView::RefreshValues() {
    const CStack& oStack = oMain_.View().oStack;
    const QString sStack = QStringLiteral("X       %1\nY       %2\nZ       %3\nT       %4\nLAST X  %5")
                               .arg(Value(oStack.GetX()), Value(oStack.GetY()), Value(oStack.GetZ()),
                                    Value(oStack.GetT()), Value(oMain_.View().fLastX));
    if (lblStack->text() != sStack) lblStack->setText(sStack);

    // The registers are formatted only when one of them changed.
    const CMem& oMem = oMain_.View().oMem;
    bool bSame = vShownRegs_.size() == CMem::kMaxReg + 1;
    vShownRegs_.resize(CMem::kMaxReg + 1);
    for (int r = 0; r <= CMem::kMaxReg; ++r) {
        const double v = oMem.Rcl(r);
        double& fShown = vShownRegs_[static_cast<size_t>(r)];
        if (fShown != v) bSame = false;
        fShown = v;
    }
    if (bSame) return;
    QStringList v;
    for (int r = 0; r <= CMem::kMaxReg; ++r)
        if (vShownRegs_[static_cast<size_t>(r)] != 0.0)
            v << QStringLiteral("%1  %2").arg(RegName(r), -6).arg(Value(vShownRegs_[static_cast<size_t>(r)]));
    lstRegs->clear();
    lstRegs->addItems(v);
}

void CProgramView::ToggleBreak(int nStep) {
    oMain_.ToggleBreak(nStep);
    lstSteps->viewport()->update();
}

bool CProgramView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == lstSteps->viewport() && pEvent->type() == QEvent::MouseButtonPress) {
        const QPoint oPos = static_cast<QMouseEvent*>(pEvent)->position().toPoint();
        QListWidgetItem* pItem = lstSteps->itemAt(oPos);
        if (pItem && oPos.x() < kBreakMargin) {
            ToggleBreak(lstSteps->row(pItem));
            return true;
        }
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void CProgramView::lstSteps_DoubleClick(QListWidgetItem* pItem) {
    if (!pItem) return;
    if (oMain_.GoToStep(lstSteps->row(pItem))) Refresh();
}

void CProgramView::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    oMain_.SetProfiling(btnProfile->isChecked());
    Refresh();
}

void CProgramView::hideEvent(QHideEvent* pEvent) {
    QWidget::hideEvent(pEvent);
    oMain_.SetProfiling(false);   // counted only while shown
}
