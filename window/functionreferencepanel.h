// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/worksheetpanel.h"

class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTreeView;

// Help ▸ Function Reference: the operators, built-in functions and constants in three groups,
// each with what it does and an example, narrowed to what the filter finds in any column.
// Double-clicking an entry, or Return on it, asks for it to be typed into the worksheet.
class FunctionReferencePanel : public WorksheetPanel {
    Q_OBJECT

public:
    explicit FunctionReferencePanel(bool commaIsDecimal, QWidget* parent = nullptr);

    QLineEdit* filter() const { return mFilter; }
    QTreeView* view() const { return mView; }
    // The entries the filter lets through, as their usage ("sin(x)"), in order.
    QStringList shownEntries() const;
    // Types the entry shown in this row, as double-clicking it does.
    void insertEntry(const QModelIndex& index);
    // Wide enough for every column's widest text.
    QSize sizeHint() const override;
    // The narrowest that shows the name and the example whole, with a few words a line of what
    // the entry does.
    int narrowestWholeWidth() const;

signals:
    void insertionRequested(const QString& text);

private:
    void applyFilter(const QString& text);
    // The panel's width with "What it does" that wide and the other columns in full.
    int widthDescribingIn(int descriptionWidth) const;

    QLineEdit* mFilter;
    QTreeView* mView;
    QStandardItemModel* mModel;
    QSortFilterProxyModel* mFiltered;
};
