// The per-user template new worksheets start from, and the command that saves one.

#include "document/newdocumenttemplate.h"

#include "document/mydocument.h"
#include "document/worksheettype.h"
#include "document/worksheetwindow.h"
#include "platform/atomicwrite.h"
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

QString MyDocument::pathOfNewDocState() { return newDocumentTemplatePath(); }

QByteArray MyDocument::dataOfNewDoc() { return newDocumentTemplateData(); }

void MyDocument::saveAsNewDocumentContent() {
    if (mDocWindow)
        mDocWindow->askToSaveAsTemplate();
}

bool MyDocument::writeNewDocumentContent(QString* error) {
    const QByteArray data = dataOfType(kWorksheetType, error);
    if (data.isEmpty())
        return false;
    const QString path = pathOfNewDocState();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return platform::writeFileAtomically(path, data, error);
}
