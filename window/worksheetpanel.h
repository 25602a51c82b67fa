// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>

class QAbstractItemModel;
class QAbstractItemView;
class QLineEdit;
class QModelIndex;

// A panel beside the worksheet's text, with a filter field over a list. From the keyboard,
// showing it goes to its filter, Down goes on to the list, Escape anywhere in it goes back to
// the text, and Shift+F10
// opens a context menu as the Menu key does; a screen reader hears what the filter and its
// clear button are for.
class WorksheetPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit WorksheetPanel(const QString& title, QWidget* parent = nullptr);

signals:
    // Escape: the text is to have the keyboard again; the panel stays.
    void leaveRequested();

protected:
    // A filter field named for a screen reader; the placeholder alone is not read as a name.
    static QLineEdit* makeFilter(const QString& name, QWidget* parent);
    // Down in the filter goes to the list, at its first entry.
    void followFilterIntoList(QLineEdit* filter, QAbstractItemView* list);
    // The first row under a group, in the order shown; invalid when every group is empty.
    static QModelIndex firstEntry(const QAbstractItemModel* shown);
    // The filter's clear button, named too. Its icon is a theme lookup, which may be left
    // until the panel is first shown.
    static void enableClearButton(QLineEdit* filter);
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* mFilter = nullptr;
    QAbstractItemView* mList = nullptr;
};
