#pragma once
// The register viewer: the 26 registers of the classic set (p0-p9, s0-s9,
// A-E and I), one fixed-pitch label each. Read-only and modal.
#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

class ViewMemReg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCount = 26;

    explicit ViewMemReg(QWidget* pParent = nullptr);

    // Puts the formatted register lines into the labels (missing lines leave
    // a label empty, extra lines are ignored) and shows the window modally.
    void ShowMem(const std::vector<std::string>& vLines);
    void Fill(const std::vector<std::string>& vLines);

    QLabel* lblReg[kCount];
    QPushButton* cmdClose;
};
