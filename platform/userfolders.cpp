// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {

QString applicationFolderIn(QString base, const QString& fallbackUnderHome) {
    // Qt takes a relative setting as it is; the XDG rules say to ignore it.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QLatin1Char('/') + fallbackUnderHome;
    return base + QLatin1Char('/') + QCoreApplication::applicationName().toLower();
}

} // namespace

QString userConfigFolder() {
    return applicationFolderIn(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        QStringLiteral(".config"));
}

QString userDataFolder() {
    return applicationFolderIn(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QStringLiteral(".local/share"));
}

// Qt names no state location before 6.7.
QString userStateFolder() {
    // A Flatpak sandbox may write only in the application's own folder of the home folder,
    // where Flatpak since 1.13 points XDG_STATE_HOME; earlier ones leave it unset.
    const QString sandbox = qEnvironmentVariable("FLATPAK_ID");
    if (!sandbox.isEmpty() && qEnvironmentVariable("XDG_STATE_HOME").isEmpty())
        return applicationFolderIn(QString(),
                                   QStringLiteral(".var/app/%1/.local/state").arg(sandbox));
    return applicationFolderIn(qEnvironmentVariable("XDG_STATE_HOME"),
                               QStringLiteral(".local/state"));
}

} // namespace platform
