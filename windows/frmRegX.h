#pragma once
// The memory block viewer: a list of a block of registers, optionally only
// the non-zero ones. Read-only and modal; the check box keeps its state from
// one showing to the next.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

class frmRegX : public QDialog {
    Q_OBJECT
public:
    using FillFn = std::function<std::vector<std::string>(bool)>;

    explicit frmRegX(QWidget* pParent = nullptr);

    // Fills the list through fnFill for the check box's state and shows the
    // window modally.
    void ShowX(const FillFn& fnFill);
    // Refills the list for the present state of the check box.
    void chkShow_Click();

    QListWidget* lstMem;
    QCheckBox* chkShow;
    QPushButton* cmdClose;

private:
    FillFn fnFill_;
};
