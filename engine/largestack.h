// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Runs the work on a thread with a stack large enough for deep recursion in user functions and
// returns its result. The stack is only reserved address space until used. Evaluation on an
// ordinary thread is safe too, just with less room: the engine refuses what would not fit.
int RunOnLargeStack(const std::function<int()>& work);
