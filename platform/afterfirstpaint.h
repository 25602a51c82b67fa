// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace platform {

// Runs `work` once `widget` has been painted for the first time, after that paint is on the
// screen: for what a window needs soon, but not in order to be seen, so that starting it does
// not keep the window from appearing. Nothing runs if `context` or `widget` goes first.
void afterFirstPaint(QWidget* widget, QObject* context, std::function<void()> work);

} // namespace platform
