// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/quietscrollbar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStyle>
#include <QStyleOptionSlider>

QuietScrollBar::QuietScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

QuietScrollBar::Look QuietScrollBar::currentLook() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        value() == minimum(), value() == maximum()};
}

void QuietScrollBar::sliderChange(SliderChange change) {
    // A style whose scroll bars show themselves on every move must hear of every move.
    if (change == SliderOrientationChange ||
        style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this)) {
        QScrollBar::sliderChange(change);
        return;
    }
    if (mCheckPending)
        return;
    // Judged when the window handles its next update request, just before it paints.
    QWidget* top = window();
    if (top != mWatchedWindow) {
        if (mWatchedWindow)
            mWatchedWindow->removeEventFilter(this);
        top->installEventFilter(this);
        mWatchedWindow = top;
    }
    mCheckPending = true;
    QCoreApplication::postEvent(top, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

bool QuietScrollBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mWatchedWindow && event->type() == QEvent::UpdateRequest && mCheckPending) {
        mCheckPending = false;
        if (currentLook() != mPaintedLook)
            update();
    }
    return false;
}

void QuietScrollBar::paintEvent(QPaintEvent* event) {
    mPaintedLook = currentLook();
    QScrollBar::paintEvent(event);
}
