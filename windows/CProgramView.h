#pragma once
// The program view beside the panel: the program's steps with their numbers,
// labels set off (bold, with a rule above them), the step at the pointer
// marked and kept in view; below them X, Y, Z, T, LAST X and the registers
// that are not zero. A double click on a step moves the pointer there, as
// GTO . NNN does. It shows what the front panel holds and looks again when
// told that something changed; while a program runs, only on a timer, a
// few times a second, never on each step.
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

namespace corvel {
class CFrontPanel;
}
class QLabel;
class QListWidget;
class QListWidgetItem;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    // The view's width beside the panel, in pixels.
    static constexpr int kWidth = 250;
    // The data role that marks a step holding a label.
    static constexpr int kLabelRole = Qt::UserRole + 1;

    CProgramView(corvel::CFrontPanel& oMain, QWidget* pParent);

    // Something in the calculator may have changed: look again soon, after
    // the current event when idle. While a program runs the panel window
    // calls Refresh from the run's slices, at most ten times a second.
    void Changed();
    // Looks now: the steps, the mark, the values.
    void Refresh();
    // The step marked as the pointer's, -1 before the first look.
    int MarkedStep() const { return nMarked_; }
    // How many times the view has looked (for tests and the benchmark).
    long Refreshes() const { return nRefreshes_; }

    // A double click on a step: the pointer goes there, unless a program
    // runs, the calculator is off or "Error" is shown.
    void lstSteps_DoubleClick(QListWidgetItem* pItem);

    QLabel* lblTitle;
    QListWidget* lstSteps;
    QLabel* lblStack;
    QLabel* lblRegs;
    QListWidget* lstRegs;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    void RefreshSteps();
    void RefreshValues();
    void Colour(QListWidgetItem* pItem, bool bMarked) const;

    corvel::CFrontPanel& oMain_;
    bool bPending_ = false;
    int nMarked_ = -1;
    long nRefreshes_ = 0;
    std::vector<std::string> vShownSteps_;   // the step texts as listed
    std::vector<double> vShownRegs_;         // the registers as listed
};
