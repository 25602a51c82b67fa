// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/afterfirstpaint.h"

#include <QEvent>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* widget, QObject* context, std::function<void()> work)
        : QObject(widget), mContext(context), mWork(std::move(work)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        watched->removeEventFilter(this);
        // Queued: the paint under way finishes and reaches the screen first.
        if (mContext)
            QMetaObject::invokeMethod(mContext, std::move(mWork), Qt::QueuedConnection);
        deleteLater();
        return false;
    }

private:
    QPointer<QObject> mContext;
    std::function<void()> mWork;
};

} // namespace

void afterFirstPaint(QWidget* widget, QObject* context, std::function<void()> work) {
    new FirstPaintWatcher(widget, context, std::move(work));
}

} // namespace platform
