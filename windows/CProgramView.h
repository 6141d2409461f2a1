#pragma once
// The program view beside the panel: the program's steps with their numbers,
// labels set off (bold, with a rule above them), the step at the pointer
// marked and kept in view; below them X, Y, Z, T, LAST X and the registers
// that are not zero. A double click on a step moves the pointer there, as
// GTO . NNN does. It shows what the front panel holds and looks again when
// told that something changed; while a program runs, only on a timer, a
// few times a second, never on each step. Buttons above the steps step over
// and out, and show the run profile: a column with how often each step ran
// and a bar for it (counted only while shown).
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvel {
class CFrontPanel;
}
class QLabel;
class QListWidget;
class QListWidgetItem;
class QToolButton;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    // The view's width beside the panel, in pixels.
    static constexpr int kWidth = 250;
    // The data role that marks a step holding a label.
    static constexpr int kLabelRole = Qt::UserRole + 1;
    // The margin left of the steps that holds the breakpoints' dots.
    static constexpr int kBreakMargin = 14;
    // The profile column at the right of the steps.
    static constexpr int kProfileWidth = 78;

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
    // Sets or clears the breakpoint of step nStep (a click in the margin, F9).
    void ToggleBreak(int nStep);
    // Shows or hides the profile column; the steps are counted while it is shown.
    void ShowProfile(bool bShow);
    // The most any step ran (the bars' full length), 0 when none ran or hidden.
    uint64_t ProfileMax() const { return nProfileMax_; }
    // Presses a key by name through the window (the step buttons).
    std::function<void(const char*)> fnPress;

    QLabel* lblTitle;
    QToolButton* btnStepOver;
    QToolButton* btnStepOut;
    QToolButton* btnProfile;
    QListWidget* lstSteps;
    QLabel* lblStack;
    QLabel* lblRegs;
    QListWidget* lstRegs;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void RefreshSteps();
    void RefreshValues();
    void RefreshProfile();
    void Colour(QListWidgetItem* pItem, bool bMarked) const;

    corvel::CFrontPanel& oMain_;
    bool bPending_ = false;
    int nMarked_ = -1;
    long nRefreshes_ = 0;
    std::vector<std::string> vShownSteps_;   // the step texts as listed
    std::vector<double> vShownRegs_;         // the registers as listed
    std::vector<uint64_t> vShownCounts_;     // the profile as drawn
    uint64_t nProfileMax_ = 0;
};
