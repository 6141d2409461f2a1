#pragma once
// What assistive technology sees of the painted panel: one accessible
// object per key (a button named by its legend, the shifted functions as
// its description, pressed by its press action as by a click), the power
// and mode switches (check boxes with their state), the card slot, the
// picture buttons, the display and the line under it (static text whose
// name is what they show).
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

class CPanelWindow;

class CPanelAccessible : public QAccessibleWidget {
public:
    explicit CPanelAccessible(CPanelWindow* pPanel);
    ~CPanelAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text eText) const override;

    // Installs the factory that gives CPanelWindow this interface (once).
    static void Install();
    // Tells assistive technology that the display or the line under it changed.
    static void TextsChanged(CPanelWindow* pPanel);

private:
    CPanelWindow* Panel() const;
    // The parts, made and registered on first use; Qt's cache owns them.
    void Make() const;
    mutable std::vector<QAccessible::Id> vIds_;
};
