#include "platform/diagnostics.h"

Q_LOGGING_CATEGORY(figurelloDiagnostics, "figurello.diagnostics")
