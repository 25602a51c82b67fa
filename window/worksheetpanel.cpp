// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheetpanel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

WorksheetPanel::WorksheetPanel(const QString& title, QWidget* parent)
    : QDockWidget(title, parent) {}

QLineEdit* WorksheetPanel::makeFilter(const QString& name, QWidget* parent) {
    auto* filter = new QLineEdit(parent);
    filter->setPlaceholderText(tr("Filter"));
    filter->setAccessibleName(name);
    return filter;
}

void WorksheetPanel::enableClearButton(QLineEdit* filter) {
    if (filter->isClearButtonEnabled())
        return;
    filter->setClearButtonEnabled(true);
    // Qt's button takes its name and tooltip from this action, which has neither.
    for (QAction* action : filter->actions()) {
        action->setText(tr("Clear the filter"));
        action->setToolTip(tr("Clear the filter"));
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
