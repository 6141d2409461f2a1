#include "CReferenceWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

#include "../panel/CKeyTable.h"
#include "../program/CPrgm.h"
#include "CDialogLook.h"

namespace {

QString U(const char* s) { return QString::fromUtf8(s ? s : ""); }

// The characters that type a key, as the keyboard names them.
QString Typed(const char* sTyped) {
    QStringList v;
    for (const char* p = sTyped; *p; ++p) v << (*p == '\r' ? QStringLiteral("Enter") : QString(QLatin1Char(*p)));
    return v.join(QStringLiteral(" or "));
}

// STO+ is a variant of STO: the mnemonic without its trailing operator.
QString BaseMnemonic(const QString& s) {
    qsizetype n = s.size();
    while (n > 1 && QStringLiteral("+-*/").contains(s[n - 1])) --n;
    return s.left(n);
}

bool RowContains(const QStringList& vTexts, const QString& sText) {
    for (const QString& s : vTexts)
        if (s.contains(sText, Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace

CReferenceWindow::CReferenceWindow(QWidget* pParent) : QDialog(pParent) {
    setObjectName("ReferenceWindow");
    setWindowTitle(QStringLiteral("CorvelXMem Reference"));
    DialogLook::Apply(this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName("txtSearch");
    txtSearch->setPlaceholderText(QStringLiteral("Search keys and instructions (for example: store)"));
    txtSearch->setClearButtonEnabled(true);
    auto* lblSearch = new QLabel(QStringLiteral("&Search:"), this);
    lblSearch->setBuddy(txtSearch);

    tblKeys = new QTableWidget(this);
    tblKeys->setObjectName("tblKeys");
    treeInstr = new QTreeWidget(this);
    treeInstr->setObjectName("treeInstr");
    tabs = new QTabWidget(this);
    tabs->addTab(tblKeys, QStringLiteral("&Keys"));
    tabs->addTab(treeInstr, QStringLiteral("&Instructions"));
    FillKeys();
    FillInstructions();

    auto* pSearch = new QHBoxLayout;
    pSearch->addWidget(lblSearch);
    pSearch->addWidget(txtSearch, 1);
    auto* pMain = new QVBoxLayout(this);
    pMain->addLayout(pSearch);
    pMain->addWidget(tabs, 1);
    connect(txtSearch, &QLineEdit::textChanged, this, &CReferenceWindow::Search);
    resize(760, 560);
}

void CReferenceWindow::FillKeys() {
    int nKeys = 0;
    const corvel::CKeyRow* pRows = corvel::KeyRows(nKeys);
    const QStringList vHeads = {QStringLiteral("Key"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("h"),
                                QStringLiteral("Typed")};
    tblKeys->setColumnCount(static_cast<int>(vHeads.size()));
    tblKeys->setHorizontalHeaderLabels(vHeads);
    tblKeys->setRowCount(nKeys);
    for (int i = 0; i < nKeys; ++i) {
        const corvel::CKeyRow& k = pRows[i];
        const QString aCells[] = {U(k.sFace), U(k.sF), U(k.sG), U(k.sH), Typed(k.sTyped)};
        for (int c = 0; c < 5; ++c) {
            auto* pItem = new QTableWidgetItem(aCells[c]);
            pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (c == 0) pItem->setData(Qt::UserRole, U(k.sName));
            tblKeys->setItem(i, c, pItem);
        }
    }
    tblKeys->verticalHeader()->hide();
    tblKeys->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblKeys->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void CReferenceWindow::FillInstructions() {
    treeInstr->setColumnCount(4);
    treeInstr->setHeaderLabels({QStringLiteral("Instruction"), QStringLiteral("Operands"),
                                QStringLiteral("Stack"), QStringLiteral("What it does")});
    treeInstr->setRootIsDecorated(true);
    int nInstr = 0, nAliases = 0;
    const corvel::CInstr* pInstr = corvel::CPrgm::InstrTable(nInstr);
    const corvel::CAlias* pAliases = corvel::CPrgm::AliasTable(nAliases);
    // The groups in the order the table first names them.
    std::map<QString, QTreeWidgetItem*> mGroups;
    std::map<QString, QTreeWidgetItem*> mByName;
    for (int i = 0; i < nInstr; ++i) {
        const corvel::CInstr& o = pInstr[i];
        const QString sGroup = U(o.szGroup);
        QTreeWidgetItem*& pGroup = mGroups[sGroup];
        if (!pGroup) {
            pGroup = new QTreeWidgetItem(treeInstr, {sGroup});
            pGroup->setFirstColumnSpanned(true);
            pGroup->setExpanded(true);
        }
        auto* pItem = new QTreeWidgetItem(pGroup, {U(o.sName), U(o.szOperands), U(o.szStack), U(o.szText)});
        pItem->setToolTip(3, U(o.szText));
        mByName[U(o.sName)] = pItem;
    }
    // A spelling a listing may use, beside the instruction it stands for (a
    // form such as "STO + r" stands for "STO+ r": its first word names it).
    for (int i = 0; i < nAliases; ++i) {
        const QString sMeant = U(pAliases[i].sName);
        const auto it = mByName.find(sMeant.section(QLatin1Char(' '), 0, 0));
        if (it == mByName.end()) continue;
        QTreeWidgetItem* pTarget = it->second;
        new QTreeWidgetItem(pTarget->parent(), {U(pAliases[i].sAlias), pTarget->text(1), pTarget->text(2),
                                                QStringLiteral("the same as ") + sMeant});
    }
    for (int c = 0; c < 3; ++c) treeInstr->resizeColumnToContents(c);
    treeInstr->setAlternatingRowColors(true);
}

void CReferenceWindow::Search(const QString& sText) {
    const QString s = sText.trimmed();
    for (int r = 0; r < tblKeys->rowCount(); ++r) {
        QStringList v;
        for (int c = 0; c < tblKeys->columnCount(); ++c) v << tblKeys->item(r, c)->text();
        tblKeys->setRowHidden(r, !s.isEmpty() && !RowContains(v, s));
    }
    for (int g = 0; g < treeInstr->topLevelItemCount(); ++g) {
        QTreeWidgetItem* pGroup = treeInstr->topLevelItem(g);
        // The instructions whose own texts match, then their variants too.
        QStringList vMatched;
        for (int i = 0; i < pGroup->childCount(); ++i) {
            const QTreeWidgetItem* p = pGroup->child(i);
            if (RowContains({p->text(0), p->text(1), p->text(2), p->text(3), pGroup->text(0)}, s))
                vMatched << p->text(0);
        }
        bool bAny = false;
        for (int i = 0; i < pGroup->childCount(); ++i) {
            QTreeWidgetItem* p = pGroup->child(i);
            const bool bShow = s.isEmpty() || vMatched.contains(p->text(0)) || vMatched.contains(BaseMnemonic(p->text(0)));
            p->setHidden(!bShow);
            bAny = bAny || bShow;
        }
        pGroup->setHidden(!bAny);
    }
}

QStringList CReferenceWindow::ShownInstructions() const {
    QStringList v;
    for (int g = 0; g < treeInstr->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* pGroup = treeInstr->topLevelItem(g);
        for (int i = 0; i < pGroup->childCount(); ++i)
            if (!pGroup->isHidden() && !pGroup->child(i)->isHidden()) v << pGroup->child(i)->text(0);
    }
    return v;
}

QStringList CReferenceWindow::ShownKeys() const {
    QStringList v;
    for (int r = 0; r < tblKeys->rowCount(); ++r)
        if (!tblKeys->isRowHidden(r)) v << tblKeys->item(r, 0)->data(Qt::UserRole).toString();
    return v;
}
