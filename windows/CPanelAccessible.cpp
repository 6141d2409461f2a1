#include "CPanelAccessible.h"

#include <QAccessibleActionInterface>
#include <QWindow>

#include "CPanelWindow.h"

namespace {

enum class enmAccPart { Key, Power, Mode, Control, Display, Info };

}  // namespace

// One part of the panel; it holds no state of its own, only where to look.
class CPanelAccessiblePart : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CPanelAccessiblePart(CPanelWindow* pPanel, enmAccPart ePart, const QString& sSpot)
        : pPanel_(pPanel), ePart_(ePart), sSpot_(sSpot) {}

    bool isValid() const override { return !pPanel_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return pPanel_ ? pPanel_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(pPanel_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!pPanel_) return QRect();
        const QRect rc = pPanel_->SpotRect(sSpot_);
        return QRect(pPanel_->mapToGlobal(rc.topLeft()), rc.size());
    }

    QAccessible::Role role() const override {
        switch (ePart_) {
            case enmAccPart::Power:
            case enmAccPart::Mode: return QAccessible::CheckBox;
            case enmAccPart::Display:
            case enmAccPart::Info: return QAccessible::StaticText;
            default: return QAccessible::Button;
        }
    }

    QAccessible::State state() const override {
        QAccessible::State o;
        if (!pPanel_) return o;
        const corvel::CPanelView& oMain = pPanel_->Main().View();
        if (ePart_ == enmAccPart::Power || ePart_ == enmAccPart::Mode) {
            o.checkable = true;
            o.checked = ePart_ == enmAccPart::Power ? oMain.bOn : oMain.bRun;
        } else if (ePart_ == enmAccPart::Display || ePart_ == enmAccPart::Info) {
            o.readOnly = true;
        }
        if (ePart_ == enmAccPart::Info && pPanel_->InfoLine().isEmpty()) o.invisible = true;
        return o;
    }

    QString text(QAccessible::Text eText) const override {
        if (!pPanel_) return QString();
        const corvel::CPanelView& oMain = pPanel_->Main().View();
        const CPanelWindow::CSpot* pSpot = Spot();
        switch (eText) {
            case QAccessible::Name:
                switch (ePart_) {
                    case enmAccPart::Key: return QString::fromUtf8(pSpot->pKey->sFace);
                    case enmAccPart::Power: return QStringLiteral("Power");
                    case enmAccPart::Mode: return QStringLiteral("RUN mode (W/PRGM when off)");
                    case enmAccPart::Display: {
                        const QString sEex = QString::fromStdString(oMain.lblEex).trimmed();
                        const QString sDisp = QString::fromStdString(oMain.lblDisp);
                        return sEex.isEmpty() ? sDisp : sDisp + QStringLiteral(" E") + sEex;
                    }
                    case enmAccPart::Info: return pPanel_->InfoLine();
                    case enmAccPart::Control: return pSpot ? pSpot->sTip.section(QLatin1Char('('), 0, 0).trimmed() : QString();
                }
                break;
            case QAccessible::Description:
                if (ePart_ == enmAccPart::Display) return pPanel_->DisplayTip();
                return pSpot ? pSpot->sTip : QString();
            case QAccessible::Value:
                if (ePart_ == enmAccPart::Power) return oMain.bOn ? QStringLiteral("On") : QStringLiteral("Off");
                if (ePart_ == enmAccPart::Mode) return oMain.bRun ? QStringLiteral("RUN") : QStringLiteral("W/PRGM");
                break;
            default: break;
        }
        return QString();
    }

    void* interface_cast(QAccessible::InterfaceType eType) override {
        if (eType == QAccessible::ActionInterface && ePart_ != enmAccPart::Display && ePart_ != enmAccPart::Info)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override {
        if (ePart_ == enmAccPart::Power || ePart_ == enmAccPart::Mode) return {toggleAction(), pressAction()};
        return {pressAction()};
    }

    void doAction(const QString& sAction) override {
        if (!pPanel_ || !actionNames().contains(sAction)) return;
        QString sSpot = sSpot_;
        // A switch moves to its other position.
        const corvel::CPanelView& oMain = pPanel_->Main().View();
        if (ePart_ == enmAccPart::Power) sSpot = oMain.bOn ? QStringLiteral("OFF") : QStringLiteral("ON");
        if (ePart_ == enmAccPart::Mode) sSpot = oMain.bRun ? QStringLiteral("W/PRGM") : QStringLiteral("RUN");
        pPanel_->ClickSpot(sSpot);
    }

    QStringList keyBindingsForAction(const QString& sAction) const override {
        QStringList v;
        const CPanelWindow::CSpot* pSpot = Spot();
        if (sAction != pressAction() || !pSpot || !pSpot->pKey) return v;
        for (const char* p = pSpot->pKey->sTyped; *p; ++p)
            v << (*p == '\r' ? QStringLiteral("Return") : QString(QLatin1Char(*p)));
        return v;
    }

private:
    const CPanelWindow::CSpot* Spot() const {
        for (const CPanelWindow::CSpot& o : pPanel_->vSpots_)
            if (o.sName == sSpot_) return &o;
        return nullptr;
    }

    QPointer<CPanelWindow> pPanel_;
    enmAccPart ePart_;
    QString sSpot_;
};

CPanelAccessible::CPanelAccessible(CPanelWindow* pPanel) : QAccessibleWidget(pPanel, QAccessible::Client) {}

CPanelAccessible::~CPanelAccessible() {
    for (QAccessible::Id n : vIds_) QAccessible::deleteAccessibleInterface(n);
}

CPanelWindow* CPanelAccessible::Panel() const { return static_cast<CPanelWindow*>(widget()); }

void CPanelAccessible::Make() const {
    if (!vIds_.empty()) return;
    CPanelWindow* pPanel = Panel();
    const auto Add = [&](enmAccPart ePart, const QString& sSpot) {
        vIds_.push_back(QAccessible::registerAccessibleInterface(new CPanelAccessiblePart(pPanel, ePart, sSpot)));
    };
    Add(enmAccPart::Display, QStringLiteral("DISPLAY"));
    Add(enmAccPart::Info, QStringLiteral("INFO"));
    for (const CPanelWindow::CSpot& o : pPanel->vSpots_) {
        if (o.pKey)
            Add(enmAccPart::Key, o.sName);
        else if (o.sName == QLatin1String("ON"))
            Add(enmAccPart::Power, o.sName);
        else if (o.sName == QLatin1String("W/PRGM"))
            Add(enmAccPart::Mode, o.sName);
        else if (o.sName != QLatin1String("OFF") && o.sName != QLatin1String("RUN"))
            Add(enmAccPart::Control, o.sName);
    }
}

int CPanelAccessible::childCount() const {
    Make();
    return static_cast<int>(vIds_.size());
}

QAccessibleInterface* CPanelAccessible::child(int nIndex) const {
    Make();
    if (nIndex < 0 || nIndex >= static_cast<int>(vIds_.size())) return nullptr;
    return QAccessible::accessibleInterface(vIds_[static_cast<size_t>(nIndex)]);
}

int CPanelAccessible::indexOfChild(const QAccessibleInterface* pChild) const {
    Make();
    for (size_t i = 0; i < vIds_.size(); ++i)
        if (QAccessible::accessibleInterface(vIds_[i]) == pChild) return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* CPanelAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* p = child(i);
        if (p && p->rect().contains(x, y)) return p;
    }
    return nullptr;
}

QString CPanelAccessible::text(QAccessible::Text eText) const {
    if (eText == QAccessible::Name) return QStringLiteral("Calculator panel");
    return QAccessibleWidget::text(eText);
}

void CPanelAccessible::Install() {
    static bool bDone = false;
    if (bDone) return;
    bDone = true;
    QAccessible::installFactory([](const QString& sClass, QObject* pObject) -> QAccessibleInterface* {
        if (sClass == QLatin1String("CPanelWindow") && pObject && pObject->isWidgetType())
            return new CPanelAccessible(static_cast<CPanelWindow*>(pObject));
        return nullptr;
    });
}

void CPanelAccessible::TextsChanged(CPanelWindow* pPanel) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* pPanelIface = QAccessible::queryAccessibleInterface(pPanel);
    if (!pPanelIface) return;
    for (int i = 0; i < 2; ++i) {   // the display and the line under it
        QAccessibleEvent oEvent(pPanelIface->child(i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&oEvent);
    }
}
