// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {

QString applicationFolderIn(QString base, const char* fallbackUnderHome) {
    // Qt takes a relative setting as it is; the XDG rules say to ignore it.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome);
    return base + QLatin1Char('/') + QCoreApplication::applicationName().toLower();
}

} // namespace

QString userConfigFolder() {
    return applicationFolderIn(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), ".config");
}

QString userDataFolder() {
    return applicationFolderIn(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), ".local/share");
}

// Qt names no state location before 6.7.
QString userStateFolder() {
    return applicationFolderIn(qEnvironmentVariable("XDG_STATE_HOME"), ".local/state");
}

} // namespace platform
