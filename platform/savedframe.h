// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

namespace platform {

// A window's frame as the saved-frame string that worksheets carry: "x y w h sx sy sw sh", the
// window and then the screen's visible area, in points with the origin at the bottom left of
// the screen, as Macs write it. Worksheets move between machines, so reading places the frame
// at the same spot relative to the visible area of the screen it lands on, clamped to fit.

// The string for a window frame on a screen whose visible area is `available`; both rectangles
// in Qt's global coordinates (origin top left).
QString savedFrameString(const QRect& frame, const QRect& available);

// The frame, in Qt's global coordinates, that a saved-frame string asks for on a screen whose
// visible area is `available`. Null when the string does not hold at least four numbers or its
// size is not positive.
QRect frameFromSavedString(const QString& saved, const QRect& available);

} // namespace platform
