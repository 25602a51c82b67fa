// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

class QMenuBar;
class QTreeWidget;

// Help ▸ Keyboard Shortcuts: every command of a window's menus that has keys, under its menu,
// with the keys it answers to now, then keys the window handles outside its menus.
class ShortcutsDialog : public QDialog {
    Q_OBJECT

public:
    // A key the window's editor handles itself, and what it does.
    struct KeyUse {
        QString keys;
        QString use;
    };

    ShortcutsDialog(const QMenuBar* menus, const QList<KeyUse>& editorKeys, QWidget* parent);

    QTreeWidget* list() const { return mList; }

private:
    QTreeWidget* mList;
};
