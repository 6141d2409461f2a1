#pragma once
// The calculator's own message window: an icon, a text and an OK button, and
// for some messages a "Details" toggle that shows more below the text.
// Shown modally; OK hides it and the caller continues.
#include <QDialog>

#include "../program/CPanelFeedback.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class MyMsgBox : public QDialog {
    Q_OBJECT
public:
    explicit MyMsgBox(QWidget* pParent = nullptr);

    // Shows sMsg titled sTitle ("Corvel Emulator" when empty) until OK is
    // pressed. With sDetails the "Details" toggle is offered (closed at first).
    void ShowMsg(const QString& sMsg, const QString& sTitle, const QString& sDetails = QString(),
                 corvel::enmIcon eIcon = corvel::enmIcon::Information);

    QLabel* lblMsg;
    QLabel* picIcon;
    QPushButton* cmdOK;
    QPushButton* cmdDetails;
    QPlainTextEdit* txtDetails;
};
