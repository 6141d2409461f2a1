#include "dlgFile.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTextStream>

#include "../machine/CFileIO.h"
#include "CDialogLook.h"

using corvel::enmFileUse;

namespace {

constexpr int kPathRole = Qt::UserRole;

bool HasWildcard(const QString& s) { return s.contains('*') || s.contains('?'); }

// A mount point as /proc/mounts writes it: blanks, tabs, line ends and
// backslashes are given as three octal digits after a backslash.
QString UnescapeMountPoint(const QString& s) {
    QString sOut;
    for (qsizetype i = 0; i < s.size(); ++i) {
        auto fnOctal = [&s](qsizetype j) { return s[j] >= '0' && s[j] <= '7'; };
        if (s[i] == '\\' && i + 3 < s.size() && fnOctal(i + 1) && fnOctal(i + 2) && fnOctal(i + 3)) {
            sOut += QChar(s.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            sOut += s[i];
        }
    }
    return sOut;
}

bool IsUnder(const QString& sPath, const QString& sTop) { return sPath == sTop || sPath.startsWith(sTop + '/'); }

}  // namespace

dlgFile::dlgFile(QWidget* pParent) : QDialog(pParent) {
    setObjectName("dlgFile");
    setWindowTitle("File Selection Dialog Box");
    DialogLook::Apply(this);

    MakeLists();
    LayOut();
    connect(drvList, &QComboBox::activated, this, [this]() { drvList_Change(); });
    connect(DirList, &QListWidget::itemDoubleClicked, this, &dlgFile::DirList_Open);
    connect(fileList, &QListWidget::itemDoubleClicked, this, &dlgFile::fileList_Pick);
    connect(cmdSelect, &QPushButton::clicked, this, &dlgFile::cmdSelect_Click);
    connect(OKButton, &QPushButton::clicked, this, &dlgFile::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &dlgFile::CancelButton_Click);
    for (QWidget* p : {static_cast<QWidget*>(DirList), static_cast<QWidget*>(fileList),
                       static_cast<QWidget*>(txtFilename)})
        p->installEventFilter(this);

    FillDrives();
    // The process's current directory first; the home directory or the
    // root if that cannot be shown.
    for (const QString& s : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()})
        if (SetDirectory(s)) break;
}

void dlgFile::MakeLists() {
    txtFilename = new QLineEdit(this);
    txtFilename->setObjectName("txtFilename");
    fileList = new QListWidget(this);
    fileList->setObjectName("fileList");
    lblPath = new QLabel(this);
    lblPath->setObjectName("lblPath");
    lblPath->setTextFormat(Qt::PlainText);
    // A long path is cut at its start, not allowed to widen the window.
    lblPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblPath->installEventFilter(this);
    DirList = new QListWidget(this);
    DirList->setObjectName("DirList");
    drvList = new QComboBox(this);
    drvList->setObjectName("drvList");
    // A long mount point must not widen the window; the open list shows it whole.
    drvList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drvList->setMinimumContentsLength(16);
    for (QListWidget* p : {fileList, DirList}) {
        p->setMinimumSize(190, 200);
        p->setUniformItemSizes(true);
    }
}

// The labels and buttons, and where everything goes: name box and files on
// the left, directories and drive on the right, the buttons below.
void dlgFile::LayOut() {
    auto* lblFilename = new QLabel("Filename:", this);
    lblFilename->setBuddy(txtFilename);
    auto* lblFiles = new QLabel("Files:", this);
    lblFiles->setBuddy(fileList);
    auto* lblDirs = new QLabel("Directories:", this);
    lblDirs->setBuddy(DirList);
    auto* lblDrive = new QLabel("Drive:", this);
    lblDrive->setBuddy(drvList);
    auto* lblHint = new QLabel("Double-click a file to select it", this);
    lblHint->setObjectName("lblHint");

    cmdSelect = new QPushButton("Select", this);
    cmdSelect->setObjectName("cmdSelect");
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    // Enter in the dialog filters or changes folder; no button looks as if
    // it took Enter.
    for (QPushButton* p : {cmdSelect, OKButton}) p->setAutoDefault(false);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setAutoDefault(false);
    lblPurpose = new QLabel(this);
    lblPurpose->setObjectName("lblPurpose");
    lblPurpose->setTextFormat(Qt::PlainText);
    QFont oPurposeFont = lblPurpose->font();
    oPurposeFont.setBold(true);
    lblPurpose->setFont(oPurposeFont);

    // Name box and files on the left, directories and drive on the right.
    auto* pGrid = new QGridLayout;
    pGrid->setHorizontalSpacing(12);
    pGrid->addWidget(lblFilename, 0, 0);
    pGrid->addWidget(txtFilename, 1, 0);
    pGrid->addWidget(lblFiles, 2, 0);
    pGrid->addWidget(fileList, 3, 0, 3, 1);
    pGrid->addWidget(lblDirs, 0, 1);
    pGrid->addWidget(lblPath, 1, 1);
    pGrid->addWidget(DirList, 2, 1, 2, 1);
    pGrid->addWidget(lblDrive, 4, 1);
    pGrid->addWidget(drvList, 5, 1);
    pGrid->setRowStretch(3, 1);
    pGrid->setColumnStretch(0, 1);
    pGrid->setColumnStretch(1, 1);
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(lblHint);
    pButtons->addStretch();
    pButtons->addWidget(cmdSelect);
    pButtons->addWidget(OKButton);
    pButtons->addWidget(CancelButton);
    auto* pMain = new QVBoxLayout(this);
    pMain->addWidget(lblPurpose);
    pMain->addLayout(pGrid, 1);
    pMain->addLayout(pButtons);
    // Narrow enough to stand beside the panel on a small screen.
    resize(440, 400);
}

QStringList dlgFile::DrivesFromMounts(const QString& sMounts, const QString& sHome) {
    // File systems that hold no files of the user's.
    static const QSet<QString> kPseudo = {
        "proc",     "sysfs",     "cgroup",  "cgroup2",    "devpts",  "devtmpfs",    "mqueue",
        "debugfs",  "tracefs",   "securityfs", "pstore",  "bpf",     "autofs",      "configfs",
        "fusectl",  "hugetlbfs", "binfmt_misc", "efivarfs", "nsfs",  "rpc_pipefs",  "selinuxfs"};
    QStringList v{QStringLiteral("/")};
    auto fnAdd = [&v](const QString& sPath) {
        const QString s = QDir::cleanPath(sPath);
        if (!s.isEmpty() && !v.contains(s) && QFileInfo(s).isDir()) v << s;
    };
    if (!sHome.isEmpty()) fnAdd(sHome);
    for (const QString& sLine : sMounts.split('\n', Qt::SkipEmptyParts)) {
        const QStringList vField = sLine.split(' ', Qt::SkipEmptyParts);
        if (vField.size() < 3) continue;
        const QString sPoint = QDir::cleanPath(UnescapeMountPoint(vField[1]));
        const QString& sType = vField[2];
        if (kPseudo.contains(sType)) continue;
        if (IsUnder(sPoint, "/proc") || IsUnder(sPoint, "/sys")) continue;
        if (sType == "tmpfs" && (IsUnder(sPoint, "/run") || IsUnder(sPoint, "/dev"))) continue;
        fnAdd(sPoint);
    }
    return v;
}

void dlgFile::FillDrives() {
    QString sMounts;
    QFile f(QStringLiteral("/proc/mounts"));
    // The file reports a size of 0: read it as a stream to its end.
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) sMounts = QTextStream(&f).readAll();
    drvList->clear();
    const QIcon oIcon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& s : DrivesFromMounts(sMounts, QDir::homePath())) drvList->addItem(oIcon, s, s);
    drvList->view()->setMinimumWidth(drvList->view()->sizeHintForColumn(0) + drvList->iconSize().width() + 24);
}

bool dlgFile::SetDirectory(const QString& sDir) {
    const QString s = QDir::cleanPath(QDir(sDir_).absoluteFilePath(sDir));
    const QFileInfo oInfo(s);
    if (!oInfo.isDir() || !oInfo.isReadable() || !oInfo.isExecutable()) return false;
    sDir_ = s;
    ShowPath();
    // The drive list shows the file system the directory lies on.
    int nBest = -1, nBestLen = -1;
    for (int i = 0; i < drvList->count(); ++i) {
        const QString sDrive = drvList->itemData(i).toString();
        if ((sDrive == "/" || IsUnder(s, sDrive)) && sDrive.size() > nBestLen) {
            nBest = i;
            nBestLen = static_cast<int>(sDrive.size());
        }
    }
    drvList->setCurrentIndex(nBest);
    FillDirList();
    FillFileList();
    return true;
}

void dlgFile::FillDirList() {
    DirList->clear();
    const QDir oDir(sDir_);
    if (!oDir.isRoot()) {
        auto* pUp = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), "..", DirList);
        pUp->setData(kPathRole, QDir::cleanPath(sDir_ + "/.."));
    }
    const QIcon oIcon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const QString& s : oDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* pItem = new QListWidgetItem(oIcon, s, DirList);
        pItem->setData(kPathRole, oDir.absoluteFilePath(s));
    }
}

void dlgFile::FillFileList() {
    fileList->clear();
    QDir oDir(sDir_);
    QStringList vFilters;
    for (const QString& s : sPattern_.split(';', Qt::SkipEmptyParts)) vFilters << s.trimmed();
    oDir.setNameFilters(vFilters);
    const QIcon oIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const QString& s : oDir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        new QListWidgetItem(oIcon, s, fileList);
}

bool dlgFile::ShowX(int nModal, const QString& sFile, enmFileUse eUse, const QString& sPurpose) {
    eUse_ = eUse;
    lblPurpose->setText(sPurpose);
    lblPurpose->setVisible(!sPurpose.isEmpty());
    bCreated_ = false;
    FillDrives();
    // The directory last shown, or the nearest one above it that still exists.
    QString sDir = sDir_;
    while (!SetDirectory(sDir) && !QDir(sDir).isRoot()) sDir = QDir::cleanPath(sDir + "/..");
    Initialize(sFile);
    txtFilename->setFocus();
    txtFilename->selectAll();
    if (nModal != 1) {
        setModal(false);
        show();
        return false;
    }
    exec();
    return bOK_;
}

void dlgFile::Initialize(const QString& sWCinit) {
    sPattern_ = QStringLiteral("*");
    txtFilename->setText(sWCinit);
    txtFilename_Enter();
    sFull_ = sWCinit;
}

void dlgFile::drvList_Change() {
    if (!SetDirectory(drvList->currentData().toString())) {
        QApplication::beep();
        SetDirectory(sDir_);   // the drive list goes back to the drive shown
    }
}

void dlgFile::DirList_Open(QListWidgetItem* pItem) {
    if (pItem && !SetDirectory(pItem->data(kPathRole).toString())) QApplication::beep();
}

void dlgFile::fileList_Pick(QListWidgetItem* pItem) {
    if (pItem) txtFilename->setText(pItem->text());
}

void dlgFile::txtFilename_Enter() {
    const QString sTyped = txtFilename->text().trimmed();
    sFull_ = sTyped;
    if (sTyped.isEmpty()) {
        FillFileList();
        return;
    }
    // A backslash separates directories here as well.
    QString s = sTyped;
    s.replace('\\', '/');
    if (QFileInfo(QDir(sDir_).absoluteFilePath(s)).isDir()) {
        if (SetDirectory(s))
            txtFilename->clear();
        else
            QApplication::beep();
        return;
    }
    // A directory part is shown first; the rest is a pattern or a name.
    const qsizetype nSlash = s.lastIndexOf('/');
    const QString sName = s.mid(nSlash + 1);
    if (nSlash >= 0 && !SetDirectory(nSlash == 0 ? QStringLiteral("/") : s.left(nSlash))) {
        QApplication::beep();
        return;
    }
    if (HasWildcard(sName)) sPattern_ = sName;
    FillFileList();
    txtFilename->setText(sName);
    const QList<QListWidgetItem*> vFound = fileList->findItems(sName, Qt::MatchExactly);
    if (!vFound.isEmpty()) fileList->setCurrentItem(vFound.first());
}

QString dlgFile::HighlightedFile() const {
    const QListWidgetItem* pItem = fileList->currentItem();
    return pItem && pItem->isSelected() ? pItem->text() : QString();
}

void dlgFile::cmdSelect_Click() {
    const QString sFile = HighlightedFile();
    if (!sFile.isEmpty() && txtFilename->text().trimmed().isEmpty()) {
        txtFilename->setText(sFile);
        return;
    }
    QMessageBox oBox(QMessageBox::Information, "Hint!", "Please select a file from the Files list box",
                     QMessageBox::Ok, this);
    DialogLook::Apply(&oBox);
    oBox.exec();
}

bool dlgFile::FileExist(const QString& sFull, bool* pCreated) const {
    return corvel::FileIO::CheckChoice(sFull.toStdString(), eUse_ == enmFileUse::Write, pCreated);
}

void dlgFile::OKButton_Click() {
    QString sName = txtFilename->text().trimmed();
    // A backslash typed as a separator means one, unless the name as it
    // stands is an existing file's (a name picked from the list).
    if (sName.contains('\\') &&
        !QFileInfo::exists(QString::fromStdString(corvel::FileIO::JoinChoice(sDir_.toStdString(), sName.toStdString()))))
        sName.replace('\\', '/');
    const std::string sFull = corvel::FileIO::JoinChoice(sDir_.toStdString(), sName.toStdString());
    if (FileExist(QString::fromStdString(sFull), &bCreated_)) {
        txtFilename->setText(sName);
        sFull_ = QString::fromStdString(sFull);
        bOK_ = true;
        accept();
        return;
    }
    QMessageBox oBox(QMessageBox::Critical, "Error", "Please select a file", QMessageBox::Ok, this);
    DialogLook::Apply(&oBox);
    oBox.exec();
}

void dlgFile::CancelButton_Click() { reject(); }

void dlgFile::reject() {
    // Cancel, Escape and the close box all cancel.
    bOK_ = false;
    QDialog::reject();
}

void dlgFile::ShowPath() {
    // A path too long for the label loses its start, so the directory's own
    // name stays in view; the tool tip has it whole.
    lblPath->setText(lblPath->fontMetrics().elidedText(sDir_, Qt::ElideLeft, qMax(lblPath->width(), 40)));
    lblPath->setToolTip(sDir_);
}

bool dlgFile::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == lblPath && pEvent->type() == QEvent::Resize) ShowPath();
    if (pEvent->type() != QEvent::KeyPress) return QDialog::eventFilter(pWatched, pEvent);
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    if (pKey->key() != Qt::Key_Return && pKey->key() != Qt::Key_Enter) return QDialog::eventFilter(pWatched, pEvent);
    // Enter acts on the element it is pressed in; it never confirms the dialog.
    const bool bPlain = (pKey->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (pWatched == DirList) {
        DirList_Open(DirList->currentItem());
    } else if (pWatched == fileList) {
        if (bPlain) fileList_Pick(fileList->currentItem());
    } else if (pWatched == txtFilename) {
        txtFilename_Enter();
    }
    return true;
}
