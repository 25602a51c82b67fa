#include "platform/userfolders.h"

#include <QDir>

namespace platform {

namespace {

QString applicationFolderIn(const char* variable, const char* fallbackUnderHome) {
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome);
    return base + QStringLiteral("/figurello");
}

} // namespace

QString userConfigFolder() { return applicationFolderIn("XDG_CONFIG_HOME", ".config"); }

QString userDataFolder() { return applicationFolderIn("XDG_DATA_HOME", ".local/share"); }

QString userStateFolder() { return applicationFolderIn("XDG_STATE_HOME", ".local/state"); }

} // namespace platform
