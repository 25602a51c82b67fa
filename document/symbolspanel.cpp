#include "document/symbolspanel.h"

#include "document/mydocument.h"
#include "document/symbollisting.h"
#include "document/worksheeteditor.h"
#include "document/worksheetsettings.h"
#include "engine/dictionaries.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Marks a row as a function's, so that inserting and forgetting know which table it names.
constexpr int kIsFunctionRole = Qt::UserRole + 1;

} // namespace

SymbolsPanel::SymbolsPanel(MyDocument* document) : QDockWidget(tr("Symbols")), mDocument(document) {
    setObjectName(QStringLiteral("symbolsPanel"));
    auto* contents = new QWidget(this);
    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    mFilter = new QLineEdit(contents);
    mFilter->setPlaceholderText(tr("Filter"));
    // The clear button's icon comes from the theme, a lookup that would cost every new window
    // time before it appears: it is added when the panel is first shown.
    connect(this, &QDockWidget::visibilityChanged, mFilter, [filter = mFilter](bool visible) {
        if (visible)
            filter->setClearButtonEnabled(true);
    });
    mTree = new QTreeWidget(contents);
    mTree->setColumnCount(2);
    mTree->setHeaderLabels({tr("Name"), tr("Value or definition")});
    mTree->setRootIsDecorated(true);
    // Sorted within each group by the clicked column; the groups keep their order.
    mTree->header()->setSectionsClickable(true);
    mTree->header()->setSortIndicatorShown(true);
    mTree->header()->setSortIndicator(0, Qt::AscendingOrder);
    connect(mTree->header(), &QHeaderView::sortIndicatorChanged, this, &SymbolsPanel::sortGroups);
    mTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mTree->setContextMenuPolicy(Qt::CustomContextMenu);
    mVariables = new QTreeWidgetItem(mTree, {tr("Variables")});
    mFunctions = new QTreeWidgetItem(mTree, {tr("Functions")});
    for (QTreeWidgetItem* group : {mVariables, mFunctions}) {
        group->setFlags(Qt::ItemIsEnabled);
        group->setExpanded(true);
    }
    layout->addWidget(mFilter);
    layout->addWidget(mTree);
    setWidget(contents);

    // Coalesces the refreshes of a burst of calculations into one.
    mRefresh = new QTimer(this);
    mRefresh->setSingleShot(true);
    mRefresh->setInterval(50);
    connect(mRefresh, &QTimer::timeout, this, &SymbolsPanel::refresh);
    connect(document, &MyDocument::calculationFinished, this, &SymbolsPanel::refreshSoon);
    connect(document, &MyDocument::recalculationFinished, this, &SymbolsPanel::refreshSoon);
    connect(document, &MyDocument::symbolsChanged, this, &SymbolsPanel::refreshSoon);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            refresh();
    });
    connect(mFilter, &QLineEdit::textChanged, this, &SymbolsPanel::applyFilter);
    connect(mTree, &QTreeWidget::itemDoubleClicked, this, &SymbolsPanel::insertName);
    connect(mTree, &QWidget::customContextMenuRequested, this, &SymbolsPanel::showContextMenu);
}

void SymbolsPanel::refreshSoon() {
    // A hidden panel costs nothing; it catches up when shown.
    if (isVisible())
        mRefresh->start();
}

void SymbolsPanel::sortGroups() {
    const int column = mTree->header()->sortIndicatorSection();
    const Qt::SortOrder order = mTree->header()->sortIndicatorOrder();
    mVariables->sortChildren(column, order);
    mFunctions->sortChildren(column, order);
}

void SymbolsPanel::refresh() {
    qDeleteAll(mVariables->takeChildren());
    qDeleteAll(mFunctions->takeChildren());
    if (const auto variables = CopyVariablesDictionary(*mDocument->calcState())) {
        for (const auto& [name, value] : *variables) {
            const QString shown = QString::fromStdString(name);
            auto* row = new QTreeWidgetItem(
                mVariables, {shown, mDocument->formatCalculatedResult(value.real().value_or(0))});
            row->setData(0, kIsFunctionRole, false);
        }
    }
    if (const auto functions = CopyFunctionsDictionary(*mDocument->calcState())) {
        for (const auto& [name, definition] : *functions) {
            const QString shown = QString::fromStdString(name);
            auto* row = new QTreeWidgetItem(
                mFunctions, {shown, functionDefinition(shown, definition,
                                                       WorksheetSettings::isCommaDecimal())});
            row->setData(0, kIsFunctionRole, true);
        }
    }
    sortGroups();
    applyFilter();
}

void SymbolsPanel::applyFilter() {
    const QString wanted = mFilter->text().trimmed();
    for (QTreeWidgetItem* group : {mVariables, mFunctions})
        for (int i = 0; i < group->childCount(); ++i)
            group->child(i)->setHidden(
                !group->child(i)->text(0).contains(wanted, Qt::CaseInsensitive));
}

void SymbolsPanel::insertName(QTreeWidgetItem* item) {
    if (!item || !item->parent() || mDocument->textView()->isReadOnly())
        return;
    const bool function = item->data(0, kIsFunctionRole).toBool();
    mDocument->textView()->insertPlainText(item->text(0) + (function ? QStringLiteral("(") : ""));
    mDocument->textView()->setFocus();
}

void SymbolsPanel::showContextMenu(const QPoint& position) {
    QTreeWidgetItem* item = mTree->itemAt(position);
    if (!item || !item->parent())
        return;
    const QString name = item->text(0);
    const bool function = item->data(0, kIsFunctionRole).toBool();
    QMenu menu(this);
    menu.addAction(tr("Insert “%1”").arg(name), this, [this, item] { insertName(item); });
    menu.addAction(tr("Forget “%1”").arg(name), this,
                   [this, name, function] { mDocument->forgetSymbol(name, function); });
    menu.exec(mTree->viewport()->mapToGlobal(position));
}
