#pragma once
// The file selection dialog: a drive list (the mounted file systems), a
// directory list, a file list filtered by a pattern, a file name box and
// Select, OK and Cancel. One instance serves the whole run; it keeps the
// directory last shown from one use to the next. OK accepts a name only when
// FileIO::CheckChoice does for the use it was opened for.
#include <QDialog>
#include <QString>
#include <QStringList>

#include "../program/CPanelFeedback.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class dlgFile : public QDialog {
    Q_OBJECT
public:
    explicit dlgFile(QWidget* pParent = nullptr);

    // Initialize(sFile), then shows the window: with nModal = 1 it returns
    // when OK or Cancel has hidden it again, giving isOK(); otherwise it
    // returns at once (the window stays open, not modal).
    bool ShowX(int nModal, const QString& sFile, corvel::enmFileUse eUse = corvel::enmFileUse::Read,
               const QString& sPurpose = QString());
    // The name box shows sWCinit and the file list takes it as its file name:
    // a pattern such as "*.corvel" filters the list, a path navigates.
    void Initialize(const QString& sWCinit);
    bool isOK() const { return bOK_; }
    bool OK() const { return bOK_; }
    // Whether the name may be used: for reading an existing regular file,
    // for writing one that exists or can be made (a missing one is created
    // empty, and *pCreated is set).
    bool FileExist(const QString& sFull, bool* pCreated = nullptr) const;
    // Whether the OK that confirmed the name created the file.
    bool Created() const { return bCreated_; }
    // The name confirmed by OK (directory shown, "/", name; a typed absolute
    // path as it stands), or the last name given to Initialize or typed.
    QString GetFullFilename() const { return sFull_; }
    // The directory the lists show, and the file list's pattern.
    QString Directory() const { return sDir_; }
    QString Pattern() const { return sPattern_; }

    // The "drives" of this machine from the text of /proc/mounts: the root
    // first, then sHome, then the other mount points that are directories,
    // leaving out pseudo file systems and the system's own tmpfs mounts.
    static QStringList DrivesFromMounts(const QString& sMounts, const QString& sHome);

    // The window's events.
    void drvList_Change();
    void DirList_Open(QListWidgetItem* pItem);
    void fileList_Pick(QListWidgetItem* pItem);
    void txtFilename_Enter();
    void cmdSelect_Click();
    void OKButton_Click();
    void CancelButton_Click();

    QComboBox* drvList;
    QLabel* lblPath;
    QLabel* lblPurpose;   // under the title: what the file is for
    QListWidget* DirList;
    QListWidget* fileList;
    QLineEdit* txtFilename;
    QPushButton* cmdSelect;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void reject() override;

private:
    // The constructor's parts: the name box and the three lists; the labels,
    // buttons and layout.
    void MakeLists();
    void LayOut();
    // Shows sDir (made absolute against the directory shown); false when it
    // is no readable directory, and then nothing changes.
    bool SetDirectory(const QString& sDir);
    void FillDirList();
    void FillFileList();
    void FillDrives();
    void ShowPath();
    // The highlighted file of the file list, or empty.
    QString HighlightedFile() const;

    QString sDir_;
    QString sPattern_ = QStringLiteral("*");
    QString sFull_;
    bool bOK_ = true;
    bool bCreated_ = false;
    corvel::enmFileUse eUse_ = corvel::enmFileUse::Read;
};
