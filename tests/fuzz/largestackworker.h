// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Runs the job on one long-lived thread with the large stack the tool evaluates on, and returns
// its result. A thread per input would cost more than the input: the sanitizers map and clear
// the whole stack each time.
int RunOnLargeStackWorker(const std::function<int()>& job);
