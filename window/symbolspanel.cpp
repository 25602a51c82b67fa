// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/symbolspanel.h"

#include "engine/dictionaries.h"
#include "worksheet/resultformat.h"
#include "worksheet/symbollisting.h"
#include "worksheet/worksheet.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Marks a row as a function's, so that inserting and forgetting know which table it names.
constexpr int kIsFunctionRole = Qt::UserRole + 1;

// Filters and sorts the rows inside each group; the groups themselves always show, in their
// own order.
class SymbolFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        return !parent.isValid() || QSortFilterProxyModel::filterAcceptsRow(row, parent);
    }
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        if (!left.parent().isValid())
            return (sortOrder() == Qt::AscendingOrder) == (left.row() < right.row());
        return QSortFilterProxyModel::lessThan(left, right);
    }
};

QStandardItem* groupRow(QStandardItemModel* model, const QString& title) {
    auto* group = new QStandardItem(title);
    group->setFlags(Qt::ItemIsEnabled);
    model->appendRow({group, new QStandardItem()});
    return group;
}

void appendSymbol(QStandardItem* group, const QString& name, const QString& shown, bool function) {
    auto* nameItem = new QStandardItem(name);
    nameItem->setData(function, kIsFunctionRole);
    nameItem->setEditable(false);
    auto* shownItem = new QStandardItem(shown);
    shownItem->setEditable(false);
    group->appendRow({nameItem, shownItem});
}

} // namespace

SymbolsPanel::SymbolsPanel(Worksheet* worksheet)
    : WorksheetPanel(tr("Symbols")), mWorksheet(worksheet) {
    setObjectName(QStringLiteral("symbolsPanel"));
    auto* contents = new QWidget(this);
    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    mFilter = makeFilter(tr("Filter the variables and functions"), contents);
    // The clear button's icon comes from the theme, a lookup that would cost every new window
    // time before it appears: it is added when the panel is first shown.
    connect(this, &QDockWidget::visibilityChanged, mFilter, [filter = mFilter](bool visible) {
        if (visible)
            enableClearButton(filter);
    });

    mSymbols = new QStandardItemModel(0, 2, this);
    mSymbols->setHorizontalHeaderLabels({tr("Name"), tr("Value or definition")});
    mVariables = groupRow(mSymbols, tr("Variables"));
    mFunctions = groupRow(mSymbols, tr("Functions"));
    mShown = new SymbolFilter(this);
    mShown->setSourceModel(mSymbols);
    mShown->setFilterKeyColumn(0);
    mShown->setFilterCaseSensitivity(Qt::CaseInsensitive);

    mTree = new QTreeView(contents);
    mTree->setAccessibleName(tr("Variables and functions"));
    mTree->setModel(mShown);
    mTree->setRootIsDecorated(true);
    mTree->setSortingEnabled(true);
    mTree->sortByColumn(0, Qt::AscendingOrder);
    mTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mTree->setContextMenuPolicy(Qt::CustomContextMenu);
    mTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTree->expandAll();
    layout->addWidget(mFilter);
    layout->addWidget(mTree);
    setWidget(contents);
    setFocusProxy(mFilter);
    followFilterIntoList(mFilter, mTree);

    // Coalesces the refreshes of a burst of calculations into one.
    mRefresh = new QTimer(this);
    mRefresh->setSingleShot(true);
    mRefresh->setInterval(50);
    connect(mRefresh, &QTimer::timeout, this, &SymbolsPanel::refresh);
    connect(worksheet, &Worksheet::namesChanged, this, &SymbolsPanel::refreshSoon);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            refresh();
    });
    connect(mFilter, &QLineEdit::textChanged, this, [this](const QString& text) {
        mShown->setFilterFixedString(text.trimmed());
        mTree->expandAll();
    });
    connect(mTree, &QTreeView::doubleClicked, this, &SymbolsPanel::insertName);
    connect(mTree, &QWidget::customContextMenuRequested, this, &SymbolsPanel::showContextMenu);
}

void SymbolsPanel::refreshSoon() {
    // A hidden panel costs nothing; it catches up when shown.
    if (isVisible())
        mRefresh->start();
}

void SymbolsPanel::refresh() {
    mVariables->removeRows(0, mVariables->rowCount());
    mFunctions->removeRows(0, mFunctions->rowCount());
    VisitVariables(*mWorksheet->state(), [this](const std::string& name, double value,
                                                const std::string& unit) {
        appendSymbol(mVariables, QString::fromStdString(name),
                     withUnit(mWorksheet->formatValue(value), QString::fromStdString(unit)), false);
    });
    VisitFunctions(*mWorksheet->state(), [this](const std::string& name,
                                                std::vector<std::string>& definition) {
        const QString shown = QString::fromStdString(name);
        appendSymbol(mFunctions, shown,
                     functionDefinition(shown, definition, mWorksheet->options().commaIsDecimal),
                     true);
    });
    mTree->expandAll();
}

void SymbolsPanel::insertName(const QModelIndex& index) {
    if (!index.isValid() || !index.parent().isValid())
        return;
    const QModelIndex name = index.siblingAtColumn(0);
    const bool function = name.data(kIsFunctionRole).toBool();
    emit insertionRequested(name.data().toString() + (function ? QStringLiteral("(") : QString()));
}

void SymbolsPanel::showContextMenu(const QPoint& position) {
    const QModelIndex index = mTree->indexAt(position);
    if (!index.isValid() || !index.parent().isValid())
        return;
    const QModelIndex nameIndex = index.siblingAtColumn(0);
    const QString name = nameIndex.data().toString();
    const bool function = nameIndex.data(kIsFunctionRole).toBool();
    QMenu menu(this);
    // The lists may be rebuilt while the menu is open.
    const QPersistentModelIndex row(nameIndex);
    menu.addAction(tr("Insert “%1”").arg(name), this, [this, row] { insertName(row); });
    menu.addAction(tr("Forget “%1”").arg(name), this,
                   [this, name, function] { mWorksheet->forget(name, function); });
    menu.exec(mTree->viewport()->mapToGlobal(position));
}
