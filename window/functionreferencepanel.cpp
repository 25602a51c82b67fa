// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/functionreferencepanel.h"

#include "worksheet/functionreference.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What an entry's row types into the worksheet; groups have none.
constexpr int kInsertionRole = Qt::UserRole + 1;
// "What it does", the one column that wraps.
constexpr int kDescriptionColumn = 1;
// The fewest characters a line of it wraps to, as a width of average ones.
constexpr int kNarrowestDescription = 24;

// QTreeView asks for a row's height without the width of its columns, which wrapped text
// depends on: what an entry does is measured at its column's width of now.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), mView(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize unwrapped = QStyledItemDelegate::sizeHint(option, index);
        if (index.column() != kDescriptionColumn)
            return unwrapped;
        QStyleOptionViewItem wrapped = option;
        wrapped.rect = QRect(0, 0, mView->columnWidth(kDescriptionColumn), 1);
        return {unwrapped.width(), QStyledItemDelegate::sizeHint(wrapped, index).height()};
    }

private:
    QTreeView* mView;
};

} // namespace

FunctionReferencePanel::FunctionReferencePanel(bool commaIsDecimal, QWidget* parent)
    : WorksheetPanel(tr("Function Reference"), parent),
      mFilter(makeFilter(tr("Filter the reference"), nullptr)), mView(new QTreeView),
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
    // The name and the example always show whole; what an entry does takes the width left, and
    // wraps in it where the panel is narrower than its longest line.
    mView->setWordWrap(true);
    mView->setItemDelegate(new WrappingDelegate(mView));
    mView->header()->setStretchLastSection(false);
    mView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mView->header()->setSectionResizeMode(kDescriptionColumn, QHeaderView::Stretch);
    mView->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    // The view keeps the rows' heights from its last layout; a new width wraps them anew.
    auto* rewrap = new QTimer(this);
    rewrap->setSingleShot(true);
    connect(rewrap, &QTimer::timeout, mView, &QTreeView::doItemsLayout);
    connect(mView->header(), &QHeaderView::sectionResized, rewrap, [rewrap](int column) {
        if (column == kDescriptionColumn)
            rewrap->start();
    });
    mView->expandAll();

    enableClearButton(mFilter);
    mView->setAccessibleName(tr("Operators, functions, constants and units"));
    connect(mFilter, &QLineEdit::textChanged, this, &FunctionReferencePanel::applyFilter);
    // Double-click, or Return on the current entry; Return in the filter takes the first entry
    // it finds, and Down goes to the list.
    connect(mView, &QTreeView::activated, this, &FunctionReferencePanel::insertEntry);
    connect(mFilter, &QLineEdit::returnPressed, this,
            [this] { insertEntry(firstEntry(mFiltered)); });
    followFilterIntoList(mFilter, mView);

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

int FunctionReferencePanel::widthDescribingIn(int descriptionWidth) const {
    // QTreeView narrows sizeHintForColumn() to protected; QAbstractItemView's is public.
    const QAbstractItemView* list = mView;
    int columns = 0;
    for (int column = 0; column < mFiltered->columnCount(); ++column)
        columns += column == kDescriptionColumn ? descriptionWidth
                                                : std::max(mView->header()->sectionSizeHint(column),
                                                           list->sizeHintForColumn(column));
    // The list with its frame and scroll bar, in the panel's margins.
    const int shown = columns + 2 * mView->frameWidth() +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mView);
    const QMargins margins = widget()->layout()->contentsMargins();
    return QDockWidget::sizeHint().width() - widget()->sizeHint().width() + margins.left() + shown +
           margins.right();
}

QSize FunctionReferencePanel::sizeHint() const {
    const QAbstractItemView* list = mView;
    return {widthDescribingIn(std::max(mView->header()->sectionSizeHint(kDescriptionColumn),
                                       list->sizeHintForColumn(kDescriptionColumn))),
            QDockWidget::sizeHint().height()};
}

int FunctionReferencePanel::narrowestWholeWidth() const {
    // A few words a line, still readable.
    return widthDescribingIn(kNarrowestDescription * fontMetrics().averageCharWidth());
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
