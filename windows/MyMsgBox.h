#pragma once
// The calculator's own message window: an icon, a text and an OK button.
// Shown modally; OK hides it and the caller continues.
#include <QDialog>

class QLabel;
class QPushButton;

class MyMsgBox : public QDialog {
    Q_OBJECT
public:
    explicit MyMsgBox(QWidget* pParent = nullptr);

    // Shows sMsg titled sTitle ("Corvel Emulator" when empty) until OK is pressed.
    void ShowMsg(const QString& sMsg, const QString& sTitle);

    QLabel* lblMsg;
    QLabel* picIcon;
    QPushButton* cmdOK;
};
