// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/worksheetpanel.h"

class Worksheet;
class QLineEdit;
class QModelIndex;
class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class QTimer;
class QTreeView;

// A side panel of the worksheet's variables with their values and functions with their
// definitions, kept up to date after every calculation, filtered by name and sorted by the
// clicked column within each group. Double-clicking a name asks for it to be typed into the
// worksheet; the context menu forgets it.
class SymbolsPanel : public WorksheetPanel {
    Q_OBJECT

public:
    explicit SymbolsPanel(Worksheet* worksheet);

    QTreeView* tree() const { return mTree; }
    QLineEdit* filter() const { return mFilter; }
    // Rebuilds the lists from the worksheet's state now.
    void refresh();

signals:
    // The name, with "(" after a function's, is to be typed at the insertion point.
    void insertionRequested(const QString& text);

private:
    void refreshSoon();
    void insertName(const QModelIndex& index);
    void showContextMenu(const QPoint& position);

    Worksheet* mWorksheet;
    QLineEdit* mFilter;
    QTreeView* mTree;
    QStandardItemModel* mSymbols;
    QSortFilterProxyModel* mShown;
    QStandardItem* mVariables;
    QStandardItem* mFunctions;
    QTimer* mRefresh;
};
