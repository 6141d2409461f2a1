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

class QCompleter;
class QPushButton;
class QSyntaxHighlighter;

// A plain text box with a margin beside the text (not part of it): for each
// line the step the line starts at, "" for a line that makes no step and a
// dimmed "---" for a line past the last step. Kept up to date as the text
// changes, with the lines Close would refuse: their step number in red, the
// instruction underlined, the reason in the line's tool tip. Instruction
// names and label operands are highlighted, comments and step numbers
// shown quietly, the filler lines after the last step dimmed; the first
// word of a line completes to the instructions' names.
class CStepMarginEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CStepMarginEdit(QWidget* pParent = nullptr);

    // What the margin shows beside line nLine (0 is the first).
    QString StepMark(int nLine) const;
    // Why Close would refuse line nLine ("" when it would not).
    QString Fault(int nLine) const;
    // True for a filler line ("R/S" or empty) after the last other line.
    bool IsFillerTail(int nLine) const { return nLine >= nFillerFrom_; }
    // How a line is coloured: 1 refused, 2 filler after the program.
    int LineLook(int nLine) const;
    int MarginWidth() const;
    QWidget* Margin() const { return pMargin_; }
    QCompleter* Completer() const { return pCompleter_; }
    void PaintMargin(QPaintEvent* pEvent);

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    // Tab takes a completion being offered; otherwise it moves the focus on.
    bool focusNextPrevChild(bool bNext) override;
    bool viewportEvent(QEvent* pEvent) override;

private:
    void Recount();
    void PlaceMargin();
    // The first word of the caret's line up to the caret, when the caret is in it.
    QString WordToComplete() const;
    void InsertCompletion(const QString& sName);

    QWidget* pMargin_;
    QSyntaxHighlighter* pHighlighter_;
    QCompleter* pCompleter_;
    std::vector<int> vSteps_;
    std::vector<std::string> vFaults_;
    int nFillerFrom_ = 0;
    bool bInRecount_ = false;
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
