// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes the bytes beside the file and renames them over it only once complete, so a failed
// write never damages what was there. False with the system's reason in `error` on failure.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error);

} // namespace platform
