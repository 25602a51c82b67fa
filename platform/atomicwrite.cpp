// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomicwrite.h"

#include <QSaveFile>

namespace platform {

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

} // namespace platform
