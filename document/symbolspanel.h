#pragma once

#include <QDockWidget>

class MyDocument;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// A side panel of the worksheet's variables with their values and functions with their
// definitions, kept up to date after every calculation. Double-clicking a name inserts it at the
// insertion point; the context menu forgets it.
class SymbolsPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit SymbolsPanel(MyDocument* document);

    QTreeWidget* tree() const { return mTree; }
    QLineEdit* filter() const { return mFilter; }
    // Rebuilds the lists from the worksheet's state now.
    void refresh();

private:
    void refreshSoon();
    void applyFilter();
    void sortGroups();
    void insertName(QTreeWidgetItem* item);
    void showContextMenu(const QPoint& position);

    MyDocument* mDocument;
    QLineEdit* mFilter;
    QTreeWidget* mTree;
    QTreeWidgetItem* mVariables;
    QTreeWidgetItem* mFunctions;
    QTimer* mRefresh;
};
