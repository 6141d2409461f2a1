#pragma once
// The program source editor: the whole program as text, one instruction a
// line, in a fixed-pitch box with a margin that shows the step each line
// will start at. Clear puts in a small template; Close hands the text to the
// caller, which decides whether it is accepted (the editor then closes).
// Created once and reused; the text is rebuilt every time it opens.
#include <QDialog>
#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <vector>

class QPushButton;

// A plain text box with a margin beside the text (not part of it): for each
// line the step the line starts at, "" for a line that makes no step and a
// dimmed "---" for a line past the last step. Kept up to date as the text
// changes.
class CStepMarginEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CStepMarginEdit(QWidget* pParent = nullptr);

    // What the margin shows beside line nLine (0 is the first).
    QString StepMark(int nLine) const;
    int MarginWidth() const;
    QWidget* Margin() const { return pMargin_; }
    void PaintMargin(QPaintEvent* pEvent);

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void Recount();
    void PlaceMargin();

    QWidget* pMargin_;
    std::vector<int> vSteps_;
};

class frmEdit : public QDialog {
    Q_OBJECT
public:
    using CloseFn = std::function<bool(const std::string&)>;

    explicit frmEdit(QWidget* pParent = nullptr);

    // Shows sText (lines ended by CR LF or LF) modally. Close hands the
    // edited text to fnClose and closes the editor when it returns true;
    // the close box or Escape closes it without handing anything over,
    // after asking "Discard the changes to the program text?" when the text
    // differs from what it showed.
    void ShowEdit(const QString& sText, const CloseFn& fnClose);
    // Asks, then replaces the text with "LBL A", an empty line and "RTN",
    // the caret at the start of the empty line. Undo brings the text back.
    void cmdClear_Click();
    void cmdClose_Click();
    void reject() override;

    CStepMarginEdit* txtPrgm;
    QPushButton* cmdClear;
    QPushButton* cmdClose;

private:
    CloseFn fnClose_;
    QString sShown_;   // the text as it was shown
};
