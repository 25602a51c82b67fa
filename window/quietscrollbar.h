// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QRect>
#include <QScrollBar>

// A scroll bar that repaints only when something the eye could see has changed. A long
// worksheet grows at every Return, which changes the scroll bar's range and value several times
// over, yet its handle, already as short as the style allows and back at the bottom by the time
// the window paints, looks the same; and the style's scroll bar is among the costlier things a
// window paints. Whether it changed is judged as the window is about to paint, once the changes
// of the moment are all made.
class QuietScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit QuietScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Look {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look&) const = default;
    };
    Look currentLook() const;

    Look mPaintedLook;
    bool mCheckPending = false;
    QPointer<QWidget> mWatchedWindow;
};
