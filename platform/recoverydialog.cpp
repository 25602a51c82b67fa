// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recoverydialog.h"

#include "platform/keyedtexts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace platform {

RecoveryDialog::RecoveryDialog(const QList<RecoveryOffer>& offers, QWidget* parent)
    : QDialog(parent), mList(new QTreeWidget(this)) {
    setWindowTitle(QCoreApplication::applicationName());

    auto* heading = new QLabel(keyedText("Recovery"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setWordWrap(true);
    auto* detail = new QLabel(keyedText("Recovery_detail"), this);
    detail->setWordWrap(true);

    mList->setAccessibleName(keyedText("Recovery_list"));
    mList->setColumnCount(3);
    mList->setHeaderLabels({keyedText("Recovery_title"), keyedText("Recovery_firstLine"),
                            keyedText("Recovery_savedAt")});
    mList->setRootIsDecorated(false);
    mList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mList->setAllColumnsShowFocus(true);
    for (const RecoveryOffer& offer : offers)
        mList->addTopLevelItem(
            new QTreeWidgetItem({offer.title, offer.firstLine,
                                 QLocale().toString(offer.savedAt, QLocale::ShortFormat)}));
    mList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The first line takes what room is left.
    mList->header()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(this);
    mRestoreAll =
        buttons->addButton(keyedText("Recovery_restoreAll"), QDialogButtonBox::AcceptRole);
    mRestoreSelected =
        buttons->addButton(keyedText("Recovery_restoreSelected"), QDialogButtonBox::AcceptRole);
    mDiscard = buttons->addButton(keyedText("Recovery_discard"), QDialogButtonBox::DestructiveRole);
    mRestoreAll->setDefault(true);
    mRestoreSelected->setEnabled(false);
    connect(mList, &QTreeWidget::itemSelectionChanged, this,
            [this] { mRestoreSelected->setEnabled(!mList->selectedItems().isEmpty()); });
    connect(mRestoreAll, &QPushButton::clicked, this, [this] { choose(Choice::RestoreAll); });
    connect(mRestoreSelected, &QPushButton::clicked, this,
            [this] { choose(Choice::RestoreSelected); });
    connect(mDiscard, &QPushButton::clicked, this, [this] { choose(Choice::Discard); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(detail);
    layout->addWidget(mList);
    layout->addWidget(buttons);
    // Wide enough for the list's columns, up to a sensible limit.
    resize(qBound(480, mList->header()->length() + 60, 900), sizeHint().height());
}

QPushButton* RecoveryDialog::button(Choice choice) const {
    switch (choice) {
    case Choice::RestoreAll:
        return mRestoreAll;
    case Choice::RestoreSelected:
        return mRestoreSelected;
    case Choice::Discard:
        return mDiscard;
    }
    return nullptr;
}

void RecoveryDialog::choose(Choice choice) {
    mChosen.clear();
    for (int row = 0; row < mList->topLevelItemCount(); ++row) {
        const bool restore =
            choice == Choice::RestoreAll ||
            (choice == Choice::RestoreSelected && mList->topLevelItem(row)->isSelected());
        if (restore)
            mChosen.append(row);
    }
    if (choice == Choice::Discard)
        reject();
    else
        accept();
}

QList<int> RecoveryDialog::ask(const QList<RecoveryOffer>& offers) {
    RecoveryDialog dialog(offers);
    dialog.exec();
    return dialog.chosenRows();
}

} // namespace platform
