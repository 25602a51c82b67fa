// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/functionreferencepanel.h"

#include "worksheet/functionreference.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// What an entry's row types into the worksheet; groups have none.
constexpr int kInsertionRole = Qt::UserRole + 1;

} // namespace

FunctionReferencePanel::FunctionReferencePanel(bool commaIsDecimal, QWidget* parent)
    : QDockWidget(tr("Function Reference"), parent), mFilter(new QLineEdit), mView(new QTreeView),
      mModel(new QStandardItemModel(this)), mFiltered(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("functionReference"));
    mModel->setHorizontalHeaderLabels({tr("Name"), tr("What it does"), tr("Example")});
    QStandardItem* groups[] = {new QStandardItem(tr("Operators")),
                               new QStandardItem(tr("Functions")),
                               new QStandardItem(tr("Constants")), new QStandardItem(tr("Units"))};
    for (QStandardItem* group : groups) {
        group->setFlags(Qt::ItemIsEnabled);
        mModel->appendRow(group);
    }
    for (const ReferenceEntry& entry : functionReference(commaIsDecimal)) {
        const QString example =
            entry.answer.isEmpty() ? entry.example : tr("%1 → %2").arg(entry.example, entry.answer);
        auto* usage = new QStandardItem(entry.usage);
        usage->setData(entry.insertion, kInsertionRole);
        QList<QStandardItem*> row = {usage, new QStandardItem(entry.description),
                                     new QStandardItem(example)};
        // The whole entry, however narrow the panel.
        const QString whole =
            tr("%1\n%2\nExample: %3").arg(entry.usage, entry.description, example);
        for (QStandardItem* cell : row) {
            cell->setEditable(false);
            cell->setToolTip(whole);
        }
        groups[int(entry.kind)]->appendRow(row);
    }

    mFiltered->setSourceModel(mModel);
    mFiltered->setFilterCaseSensitivity(Qt::CaseInsensitive);
    mFiltered->setFilterKeyColumn(-1);
    // A group stays while any of its entries matches.
    mFiltered->setRecursiveFilteringEnabled(true);
    mView->setModel(mFiltered);
    mView->setUniformRowHeights(true);
    mView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mView->expandAll();

    mFilter->setPlaceholderText(tr("Filter"));
    mFilter->setClearButtonEnabled(true);
    connect(mFilter, &QLineEdit::textChanged, this, &FunctionReferencePanel::applyFilter);
    // Double-click, or Return on the current entry; Return in the filter takes the first entry
    // it finds, and Down goes to the list.
    connect(mView, &QTreeView::activated, this, &FunctionReferencePanel::insertEntry);
    connect(mFilter, &QLineEdit::returnPressed, this, [this] { insertEntry(firstShownEntry()); });
    mFilter->installEventFilter(this);

    auto* contents = new QWidget(this);
    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(mFilter);
    layout->addWidget(mView);
    setWidget(contents);
    setFocusProxy(mFilter);
}

void FunctionReferencePanel::applyFilter(const QString& text) {
    mFiltered->setFilterFixedString(text.trimmed());
    mView->expandAll();
}

void FunctionReferencePanel::insertEntry(const QModelIndex& index) {
    const QString insertion = index.siblingAtColumn(0).data(kInsertionRole).toString();
    if (!insertion.isEmpty())
        emit insertionRequested(insertion);
}

QModelIndex FunctionReferencePanel::firstShownEntry() const {
    for (int group = 0; group < mFiltered->rowCount(); ++group) {
        const QModelIndex parent = mFiltered->index(group, 0);
        if (mFiltered->rowCount(parent) > 0)
            return mFiltered->index(0, 0, parent);
    }
    return QModelIndex();
}

bool FunctionReferencePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mFilter && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && firstShownEntry().isValid()) {
        mView->setCurrentIndex(firstShownEntry());
        mView->setFocus();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

QStringList FunctionReferencePanel::shownEntries() const {
    QStringList shown;
    for (int group = 0; group < mFiltered->rowCount(); ++group) {
        const QModelIndex parent = mFiltered->index(group, 0);
        for (int row = 0; row < mFiltered->rowCount(parent); ++row)
            shown.append(mFiltered->index(row, 0, parent).data().toString());
    }
    return shown;
}
