// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The application's own diagnostic lines ("dealloc 1", "Error: …", "Caught …"): for the system
// journal while the window runs, and silent in the terminal unless asked for
// (QT_LOGGING_RULES="figurello.diagnostics=true", or figurello calc --verbose).
Q_DECLARE_LOGGING_CATEGORY(figurelloDiagnostics)
