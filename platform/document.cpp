// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/document.h"

#include <QFileInfo>

namespace platform {

Document::~Document() = default;

void Document::setFilePath(const QString& path) {
    if (path == mFilePath)
        return;
    mFilePath = path;
    emit filePathChanged();
}

QString Document::displayName() const {
    return mFilePath.isEmpty() ? mUntitledName : QFileInfo(mFilePath).fileName();
}

QString Document::titleName() const {
    return mFilePath.isEmpty() ? mUntitledName : QFileInfo(mFilePath).completeBaseName();
}

} // namespace platform
