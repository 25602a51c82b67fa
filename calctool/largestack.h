#pragma once

#include <functional>

// Runs the work on a thread with a stack large enough for deep recursion in user functions and
// returns its result. The stack is only reserved address space until used.
int RunOnLargeStack(const std::function<int()>& work);
