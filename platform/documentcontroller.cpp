// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/documentcontroller.h"

#include "platform/closeddocumentarchive.h"
#include "platform/diagnostics.h"
#include "platform/document.h"
#include "platform/documentrecovery.h"
#include "platform/filetypes.h"
#include "platform/keyedtexts.h"
#include "platform/recentlyused.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include <vector>

namespace platform {

namespace {

DocumentController* gSharedController = nullptr;

const char kRecentFilesKey[] = "recentFiles";
constexpr int kMaxRecentFiles = 10;

QString canonical(const QString& path) {
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QFileInfo(path).absoluteFilePath() : resolved;
}

void showError(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), message,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

DocumentController::DocumentController(DocumentType type, Factory factory, QObject* parent)
    : QObject(parent), mDocumentType(std::move(type)), mFactory(std::move(factory)) {
    gSharedController = this;
}

DocumentController::~DocumentController() {
    for (Document* document : mDocuments)
        delete document;
    if (gSharedController == this)
        gSharedController = nullptr;
}

DocumentController* DocumentController::sharedController() { return gSharedController; }

Document* DocumentController::newDocument() {
    std::unique_ptr<Document> document = mFactory();
    document->setUntitledName(nextUntitledName());
    return adopt(std::move(document));
}

QString DocumentController::nextUntitledName() {
    ++mUntitledCount;
    return mUntitledCount == 1
               ? keyedText("Untitled")
               : QStringLiteral("%1 %2").arg(keyedText("Untitled")).arg(mUntitledCount);
}

std::unique_ptr<Document> DocumentController::readDocument(const QString& path, QString* error) {
    const QString name = QFileInfo(path).fileName();
    QByteArray contents;
    QString type;
    if (!readDocumentFile(mDocumentType, path, &contents, &type, error))
        return nullptr;
    std::unique_ptr<Document> document = mFactory();
    // Named after the file while reading, so that its messages can say which file.
    document->setUntitledName(name);
    QString reason;
    if (!document->readFromData(contents, type, &reason)) {
        *error = reason.isEmpty() ? keyedText("NotAWorksheet").arg(name, QString()) : reason;
        return nullptr;
    }
    document->setOriginPath(canonical(path));
    // Plain text and RTF open as new worksheets: saving must not overwrite them with another
    // format, so they save under a new name.
    if (type == mDocumentType.typeName)
        document->setFilePath(canonical(path));
    else
        document->setUntitledName(QFileInfo(path).completeBaseName());
    return document;
}

Document* DocumentController::openDocument(const QString& path) {
    const QString wanted = canonical(path);
    for (Document* document : mDocuments) {
        if (document->originPath() == wanted || document->filePath() == wanted) {
            bringToFront(document);
            return document;
        }
    }
    QString error;
    std::unique_ptr<Document> document = readDocument(path, &error);
    if (!document) {
        showError(nullptr, error);
        return nullptr;
    }
    noteRecentFile(wanted);
    return adopt(std::move(document));
}

void DocumentController::openDocumentsInteractively(QWidget* parent) {
    const QStringList paths =
        QFileDialog::getOpenFileNames(parent, tr("Open"), QString(), mDocumentType.openFilter);
    for (const QString& path : paths)
        openDocument(path);
}

Document* DocumentController::adopt(std::unique_ptr<Document> owned) {
    Document* document = owned.release();
    mDocuments.append(document);
    document->makeWindowControllers();
    if (mRecovery)
        mRecovery->watch(document);
    document->window()->show();
    return document;
}

bool DocumentController::writeDocument(Document* document, const QString& path,
                                       QString* error) const {
    QString reason;
    const QByteArray data = document->dataOfType(mDocumentType.typeName, &reason);
    return writeDocumentFile(path, data, reason, error);
}

bool DocumentController::saveDocument(Document* document) {
    if (document->filePath().isEmpty())
        return saveDocumentAs(document);
    QString error;
    if (!writeDocument(document, document->filePath(), &error)) {
        showError(document->window(), error);
        return false;
    }
    document->setDocumentEdited(false);
    noteRecentFile(document->filePath());
    return true;
}

bool DocumentController::saveDocumentAs(Document* document) {
    QString suggested = document->filePath();
    if (suggested.isEmpty()) {
        const QString folder = document->originPath().isEmpty()
                                   ? QString()
                                   : QFileInfo(document->originPath()).absolutePath() + '/';
        suggested = folder + document->displayName() + mDocumentType.dottedSuffix();
    }
    QString path = QFileDialog::getSaveFileName(document->window(), tr("Save As"), suggested,
                                                mDocumentType.saveFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += mDocumentType.dottedSuffix();
    QString error;
    if (!writeDocument(document, path, &error)) {
        showError(document->window(), error);
        return false;
    }
    document->setFilePath(canonical(path));
    document->setOriginPath(canonical(path));
    document->setDocumentEdited(false);
    noteRecentFile(document->filePath());
    return true;
}

void DocumentController::revertDocument(Document* document) {
    const QString path = document->filePath();
    if (path.isEmpty() || !document->isDocumentEdited())
        return;
    QMessageBox ask(QMessageBox::Question, QCoreApplication::applicationName(),
                    tr("Revert to the saved version of “%1”?").arg(document->displayName()),
                    QMessageBox::NoButton, document->window());
    ask.setInformativeText(tr("Your current changes will be lost."));
    QPushButton* revert = ask.addButton(tr("Revert"), QMessageBox::DestructiveRole);
    ask.addButton(QMessageBox::Cancel);
    ask.exec();
    if (ask.clickedButton() != revert)
        return;

    QString error;
    std::unique_ptr<Document> fresh = readDocument(path, &error);
    if (!fresh) {
        showError(document->window(), error);
        return;
    }
    const QRect geometry = document->window()->geometry();
    document->setDocumentEdited(false);
    document->window()->close();
    Document* reverted = adopt(std::move(fresh));
    reverted->window()->setGeometry(geometry);
}

bool DocumentController::runStandardCloseCheck(Document* document) {
    QMessageBox ask(QMessageBox::Warning, QCoreApplication::applicationName(),
                    keyedText("SaveChanges").arg(document->displayName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    document->window());
    ask.setInformativeText(keyedText("SaveChanges_detail"));
    ask.setDefaultButton(QMessageBox::Save);
    const int answer = ask.exec();
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::Discard || saveDocument(document);
}

bool DocumentController::closeDocument(Document* document) {
    if (!document->canCloseDocument([this, document] { return runStandardCloseCheck(document); }))
        return false;
    if (!keepIfUnsavedAndUntitled(document))
        return false;
    forget(document);
    return true;
}

bool DocumentController::keepIfUnsavedAndUntitled(Document* document) {
    // A document with a file was asked about; one without changes has nothing to lose.
    if (!mArchive || document->hasFileLocation() || !document->isDocumentEdited())
        return true;
    QString error;
    QString reason;
    const QByteArray data = document->dataOfType(mDocumentType.typeName, &reason);
    if (!data.isEmpty() && mArchive->keep(data, document->summary(), &error))
        return true;
    // Nothing may be lost: when the document cannot be kept, the user decides.
    showError(document->window(),
              keyedText("CannotKeepClosed").arg(data.isEmpty() ? reason : error));
    return runStandardCloseCheck(document);
}

void DocumentController::keepClosedUntitledDocumentsIn(
    std::unique_ptr<ClosedDocumentArchive> archive) {
    mArchive = std::move(archive);
}

Document* DocumentController::reopenClosedDocument(const QString& path) {
    std::unique_ptr<Document> document = readUntitledCopy(path);
    if (!document)
        return nullptr;
    if (mArchive)
        mArchive->remove(path);
    return adoptAsUnsaved(std::move(document));
}

Document* DocumentController::openCopy(const QString& path) {
    // A copy as it was read: nothing to save until it is changed.
    std::unique_ptr<Document> document = readUntitledCopy(path);
    return document ? adopt(std::move(document)) : nullptr;
}

std::unique_ptr<Document> DocumentController::readUntitledCopy(const QString& path) {
    QString error;
    std::unique_ptr<Document> document = readAsUnsaved(path, QString(), &error);
    if (!document) {
        showError(nullptr, error);
        return nullptr;
    }
    document->setUntitledName(nextUntitledName());
    return document;
}

std::unique_ptr<Document>
DocumentController::readAsUnsaved(const QString& path, const QString& filePath, QString* error) {
    std::unique_ptr<Document> document = readDocument(path, error);
    if (document) {
        document->setFilePath(filePath);
        document->setOriginPath(filePath);
    }
    return document;
}

Document* DocumentController::adoptAsUnsaved(std::unique_ptr<Document> document) {
    Document* reopened = adopt(std::move(document));
    // What it was read from is about to go, so its contents are unsaved again.
    reopened->setDocumentEdited(true);
    return reopened;
}

void DocumentController::keepRecoveryFilesIn(std::unique_ptr<DocumentRecovery> recovery) {
    mRecovery = std::move(recovery);
    for (Document* document : std::as_const(mDocuments))
        mRecovery->watch(document);
}

int DocumentController::offerRecovery(const RecoveryChoice& choose) {
    if (!mRecovery)
        return 0;
    struct Found {
        QString path;
        std::unique_ptr<Document> document;
    };
    std::vector<Found> found;
    QList<RecoveryOffer> offers;
    const int untitledBefore = mUntitledCount;
    for (const DocumentRecovery::Orphan& orphan : mRecovery->claimOrphans()) {
        // Read before asking, so that each is offered under the name its window will have.
        QString error;
        std::unique_ptr<Document> document = readAsUnsaved(orphan.path, orphan.filePath, &error);
        if (!document) {
            qCWarning(figurelloDiagnostics, "%s", qUtf8Printable(error));
            keepRecoveredData(orphan.path, orphan.displayName);
            continue;
        }
        if (orphan.filePath.isEmpty())
            document->setUntitledName(nextUntitledName());
        offers.append({document->titleName(), document->summary(), orphan.savedAt});
        found.push_back({orphan.path, std::move(document)});
    }
    const QList<int> chosen = offers.isEmpty() ? QList<int>() : choose(offers);

    // Untitled names the discarded ones would have had after the last restored one are free.
    mUntitledCount = untitledBefore;
    int untitledSeen = 0;
    int restored = 0;
    for (int row = 0; row < int(found.size()); ++row) {
        const bool untitled = !found[row].document->hasFileLocation();
        untitledSeen += untitled ? 1 : 0;
        if (chosen.contains(row)) {
            if (untitled)
                mUntitledCount = untitledBefore + untitledSeen;
            adoptAsUnsaved(std::move(found[row].document));
            ++restored;
            continue;
        }
        // Declined, but not thrown away: it can still be reopened from the closed documents.
        keepRecoveredData(found[row].path, found[row].document->summary());
    }
    mRecovery->releaseOrphans();
    return restored;
}

void DocumentController::keepRecoveredData(const QString& path, const QString& title) {
    QFile file(path);
    QString error;
    if (mArchive && file.open(QIODevice::ReadOnly) &&
        !mArchive->keep(file.readAll(), title, &error))
        qCWarning(figurelloDiagnostics, "%s", qUtf8Printable(error));
}

void DocumentController::openForLaunch(const QStringList& paths, bool newWindow) {
    Document* front = nullptr;
    for (const QString& path : paths)
        if (Document* opened = openDocument(path))
            front = opened;
    if (newWindow || mDocuments.isEmpty())
        front = newDocument();
    if (!front && !mDocuments.isEmpty())
        front = mDocuments.last();
    if (front)
        bringToFront(front);
}

void DocumentController::bringToFront(Document* document) {
    QMainWindow* window = document->window();
    window->show();
    window->raise();
    window->activateWindow();
}

void DocumentController::forget(Document* document) {
    if (mRecovery)
        mRecovery->unwatch(document);
    mDocuments.removeOne(document);
    document->deleteLater();
}

bool DocumentController::closeAllDocuments() {
    const QList<Document*> open = mDocuments;
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (!(*it)->window()->close())
            return false;
    return true;
}

QStringList DocumentController::recentFiles() const {
    return QSettings().value(kRecentFilesKey).toStringList();
}

void DocumentController::clearRecentFiles() {
    QSettings().remove(kRecentFilesKey);
    emit recentFilesChanged();
}

void DocumentController::noteRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    QSettings().setValue(kRecentFilesKey, files);
    emit recentFilesChanged();
    QString error;
    const QString mimeType =
        QFileInfo(path).suffix() == mDocumentType.suffix ? mDocumentType.mimeType : QString();
    if (!addToRecentlyUsed(path, mimeType, &error))
        qCWarning(figurelloDiagnostics, "%s", qUtf8Printable(error));
}

} // namespace platform
