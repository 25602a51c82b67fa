// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/savedframe.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// A small window is still a window; smaller sizes would be unusable.
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 120;

// Numbers separated by white space; stops at the first word that is not a finite number.
QList<double> numbersIn(const QString& text) {
    QList<double> numbers;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        double number = word.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(number) || std::fabs(number) > 1e6)
            break;
        numbers.append(number);
    }
    return numbers;
}

} // namespace

QString savedFrameString(const QRect& frame, const QRect& available) {
    // The bottom of the visible area is the origin of the saved coordinates' y axis.
    const int bottom = available.y() + available.height();
    const int x = frame.x();
    const int y = bottom - (frame.y() + frame.height());
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 ")
        .arg(x)
        .arg(y)
        .arg(frame.width())
        .arg(frame.height())
        .arg(available.x())
        .arg(0)
        .arg(available.width())
        .arg(available.height());
}

QRect frameFromSavedString(const QString& saved, const QRect& available) {
    const QList<double> n = numbersIn(saved);
    if (n.size() < 4 || n[2] <= 0 || n[3] <= 0 || available.isEmpty())
        return QRect();
    // Without the screen part, take the frame as relative to a screen like this one.
    const double screenX = n.size() >= 8 ? n[4] : available.x();
    const double screenY = n.size() >= 8 ? n[5] : 0;
    const double screenHeight = n.size() >= 8 && n[7] > 0 ? n[7] : available.height();

    const int width = std::clamp(int(std::lround(n[2])), kMinimumWidth,
                                 std::max(kMinimumWidth, available.width()));
    const int height = std::clamp(int(std::lround(n[3])), kMinimumHeight,
                                  std::max(kMinimumHeight, available.height()));
    // Offsets from the left and the top of the visible area the frame was saved on.
    const double left = n[0] - screenX;
    const double top = (screenY + screenHeight) - (n[1] + n[3]);
    const int x = std::clamp(available.x() + int(std::lround(left)), available.x(),
                             available.x() + std::max(0, available.width() - width));
    const int y = std::clamp(available.y() + int(std::lround(top)), available.y(),
                             available.y() + std::max(0, available.height() - height));
    return QRect(x, y, width, height);
}

} // namespace platform
