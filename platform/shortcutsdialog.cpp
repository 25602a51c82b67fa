// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shortcutsdialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A menu text as the list shows it: without the "&" that marks its mnemonic.
QString plainText(const QAction* action) {
    QString text = action->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text;
}

// Adds the commands of the menu and of its submenus that have keys; false when none has.
bool addCommands(QTreeWidgetItem* group, const QMenu* menu, const QString& prefix) {
    bool any = false;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (const QMenu* submenu = action->menu()) {
            any |= addCommands(group, submenu, prefix + plainText(action) + QStringLiteral(" ▸ "));
            continue;
        }
        if (action->shortcuts().isEmpty())
            continue;
        new QTreeWidgetItem(
            group, {prefix + plainText(action),
                    QKeySequence::listToString(action->shortcuts(), QKeySequence::NativeText)});
        any = true;
    }
    return any;
}

} // namespace

ShortcutsDialog::ShortcutsDialog(const QMenuBar* menus, const QList<KeyUse>& editorKeys,
                                 QWidget* parent)
    : QDialog(parent), mList(new QTreeWidget(this)) {
    setWindowTitle(tr("Keyboard Shortcuts"));
    mList->setAccessibleName(tr("Keyboard shortcuts"));
    mList->setColumnCount(2);
    mList->setHeaderLabels({tr("Command"), tr("Keys")});
    mList->setRootIsDecorated(false);
    mList->setSelectionMode(QAbstractItemView::NoSelection);
    mList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (const QAction* menuAction : menus->actions()) {
        const QMenu* menu = menuAction->menu();
        if (!menu)
            continue;
        auto* group = new QTreeWidgetItem(mList, {plainText(menuAction)});
        if (!addCommands(group, menu, QString()))
            delete group;
    }
    if (!editorKeys.isEmpty()) {
        auto* group = new QTreeWidgetItem(mList, {tr("Typing")});
        for (const KeyUse& use : editorKeys)
            new QTreeWidgetItem(group, {use.use, use.keys});
    }
    for (int i = 0; i < mList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = mList->topLevelItem(i);
        QFont bold = group->font(0);
        bold.setBold(true);
        group->setFont(0, bold);
        group->setFirstColumnSpanned(true);
    }
    mList->expandAll();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mList);
    layout->addWidget(buttons);
    resize(520, 560);
}
