// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheetpanel.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

WorksheetPanel::WorksheetPanel(const QString& title, QWidget* parent)
    : QDockWidget(title, parent) {}

QLineEdit* WorksheetPanel::makeFilter(const QString& name, QWidget* parent) {
    auto* filter = new QLineEdit(parent);
    filter->setPlaceholderText(tr("Filter"));
    filter->setAccessibleName(name);
    return filter;
}

void WorksheetPanel::followFilterIntoList(QLineEdit* filter, QAbstractItemView* list) {
    mFilter = filter;
    mList = list;
    filter->installEventFilter(this);
}

QModelIndex WorksheetPanel::firstEntry(const QAbstractItemModel* shown) {
    for (int group = 0; group < shown->rowCount(); ++group) {
        const QModelIndex parent = shown->index(group, 0);
        if (shown->rowCount(parent) > 0)
            return shown->index(0, 0, parent);
    }
    return QModelIndex();
}

bool WorksheetPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mFilter && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        const QModelIndex first = firstEntry(mList->model());
        if (!first.isValid())
            return false;
        mList->setCurrentIndex(first);
        mList->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void WorksheetPanel::enableClearButton(QLineEdit* filter) {
    if (filter->isClearButtonEnabled())
        return;
    filter->setClearButtonEnabled(true);
    // Qt's button has an icon and nothing a screen reader could say; it is the filter's only one.
    for (QToolButton* button : filter->findChildren<QToolButton*>()) {
        button->setAccessibleName(tr("Clear the filter"));
        button->setToolTip(tr("Clear the filter"));
    }
}

void WorksheetPanel::keyPressEvent(QKeyEvent* event) {
    // The filter and the list leave Escape to their parent.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        emit leaveRequested();
        event->accept();
        return;
    }
    // Shift+F10 opens the context menu as the Menu key does, for keyboards without one.
    QWidget* focused = focusWidget();
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier && focused) {
        const QPoint at = focused->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, focused->mapToGlobal(at));
        QCoreApplication::sendEvent(focused, &menuKey);
        event->accept();
        return;
    }
    QDockWidget::keyPressEvent(event);
}
