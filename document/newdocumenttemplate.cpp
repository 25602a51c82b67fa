// The per-user template new worksheets start from, and the command that saves one.

#include "document/mydocument.h"
#include "platform/atomicwrite.h"
#include "document/worksheetwindow.h"
#include "platform/filetypes.h"
#include "platform/keyedtexts.h"
#include "platform/userfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

QString MyDocument::pathOfNewDocState() {
    return platform::userConfigFolder() + QStringLiteral("/com.brannoch.Figurello2.figurello");
}

QByteArray MyDocument::dataOfNewDoc() {
    QFile file(pathOfNewDocState());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void MyDocument::saveAsNewDocumentContent() {
    auto* confirm =
        new QMessageBox(QMessageBox::Question, QCoreApplication::applicationName(),
                        platform::keyedText("ConfirmSaveNew"), QMessageBox::NoButton, mDocWindow);
    confirm->setInformativeText(platform::keyedText("ConfirmSaveNew_detail"));
    QPushButton* ok =
        confirm->addButton(platform::keyedText("ConfirmSaveNew_ok"), QMessageBox::AcceptRole);
    confirm->addButton(platform::keyedText("ConfirmSaveNew_cancel"), QMessageBox::RejectRole);
    confirm->setDefaultButton(ok);
    confirm->setWindowModality(Qt::WindowModal);
    confirm->setAttribute(Qt::WA_DeleteOnClose);
    connect(confirm, &QMessageBox::finished, this, [this, confirm, ok] {
        if (confirm->clickedButton() == ok)
            writeNewDocumentContent();
    });
    confirm->open();
}

void MyDocument::writeNewDocumentContent() {
    QString reason;
    const QByteArray data = dataOfType(platform::kWorksheetType, &reason);
    if (data.isEmpty())
        return;
    const QString path = pathOfNewDocState();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (platform::writeFileAtomically(path, data, &error))
        return;
    auto* failure = new QMessageBox(
        QMessageBox::Warning, QCoreApplication::applicationName(),
        platform::keyedText("CannotWrite").arg(QDir::toNativeSeparators(path), error),
        QMessageBox::Ok, mDocWindow);
    failure->setWindowModality(Qt::WindowModal);
    failure->setAttribute(Qt::WA_DeleteOnClose);
    failure->open();
}
