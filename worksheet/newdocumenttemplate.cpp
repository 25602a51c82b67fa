// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user template new worksheets start from.

#include "worksheet/newdocumenttemplate.h"

#include "platform/userfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString newDocumentTemplatePath() {
    return platform::userConfigFolder() + QStringLiteral("/com.brannoch.Figurello2.figurello");
}

QByteArray newDocumentTemplateData() {
    QFile file(newDocumentTemplatePath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
