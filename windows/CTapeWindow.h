#pragma once
// The print tape window: the lines of the front panel's tape in the order they
// were printed (the show-X and show-stack steps, f R/S and g R/S, and with
// TRACE every step before it runs), the TRACE switch, and Clear, Copy and
// Save. Not modal. New lines are taken on a timer, a batch at a time, never
// line by line: a program that traces every step runs on with the window
// open, and R/S still stops it at once.
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <cstdint>

namespace corvel {
class CFrontPanel;
}
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class CTapeWindow : public QDialog {
    Q_OBJECT
public:
    CTapeWindow(corvel::CFrontPanel& oMain, QWidget* pParent);

    // Takes the lines printed since the last look into the window now (the
    // panel window calls it after keys and from a run's slices).
    void Flush();
    // The lines as the window shows them.
    QStringList ShownLines() const;

    // The window's events.
    void chkTrace_Toggle(bool bOn);
    void cmdClear_Click();
    void cmdCopy_Click();
    void cmdSave_Click();

    QCheckBox* chkTrace;
    QPlainTextEdit* txtTape;
    QPushButton* cmdClear;
    QPushButton* cmdCopy;
    QPushButton* cmdSave;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    // Shows the whole tape as the core holds it.
    void Reload();

    corvel::CFrontPanel& oMain_;
    uint64_t nShown_ = 0;   // the tape's Printed() when the window last looked
};
