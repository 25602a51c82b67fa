// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// The desktop's list of recently used files, shared by every application:
// $XDG_DATA_HOME/recently-used.xbel (or ~/.local/share/recently-used.xbel).
QString recentlyUsedListPath();

// Records that this application used the file at `path` just now, keeping every other entry of
// the list. The file's MIME type is `mimeType`, or when empty what its extension says. A list
// that cannot be read as XBEL is left as it is: false, with the reason in `error` when given.
bool addToRecentlyUsed(const QString& path, const QString& mimeType, QString* error = nullptr);

} // namespace platform
