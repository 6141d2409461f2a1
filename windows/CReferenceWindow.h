#pragma once
// The reference (F1): two searchable tabs, the keys (each key's four
// functions and the characters that type it, from the key table) and the
// instructions (every mnemonic and alias of the vocabulary with its
// operands, stack effect and what it does, grouped as the instruction
// table groups them). A search shows the rows whose texts contain it, and
// with an instruction its variants (STO shown, STO+ ... too).
#include <QDialog>

class QLineEdit;
class QTableWidget;
class QTabWidget;
class QTreeWidget;

class CReferenceWindow : public QDialog {
    Q_OBJECT
public:
    explicit CReferenceWindow(QWidget* pParent = nullptr);

    // Shows only the rows that match sText (all for an empty text).
    void Search(const QString& sText);
    // The mnemonics and aliases now shown on the instructions tab.
    QStringList ShownInstructions() const;
    // The keys (by their names) now shown on the keys tab.
    QStringList ShownKeys() const;

    QTabWidget* tabs;
    QLineEdit* txtSearch;
    QTableWidget* tblKeys;
    QTreeWidget* treeInstr;

private:
    void FillKeys();
    void FillInstructions();
};
