// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documentrecovery.h"
#include "platform/documenttype.h"
#include "platform/recoverydialog.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace platform {

class ClosedDocumentArchive;
class Document;

// Creates, opens, saves and closes documents, keeps the recent-files list, and asks about
// unsaved changes. Every user-facing error is shown here, as a message box on the window
// concerned.
class DocumentController : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<Document>()>;

    // Documents of the application's own type, made by the factory.
    DocumentController(DocumentType type, Factory factory, QObject* parent = nullptr);
    ~DocumentController() override;

    static DocumentController* sharedController();
    const DocumentType& documentType() const { return mDocumentType; }

    QList<Document*> documents() const { return mDocuments; }

    Document* newDocument();
    // Opens the file, or raises its window when it is already open. Null when it cannot be
    // read; the user has been told why.
    Document* openDocument(const QString& path);
    // Opens a copy of the file as a new untitled document, such as an example to try out.
    Document* openCopy(const QString& path);
    // Asks for files to open.
    void openDocumentsInteractively(QWidget* parent);

    bool saveDocument(Document* document);
    bool saveDocumentAs(Document* document);
    void revertDocument(Document* document);
    // Closes the document when it agrees, asking about unsaved changes when it says so, and
    // keeping it in the archive when it is untitled. False if it stays open.
    bool closeDocument(Document* document);
    // Asks to save, discard or cancel, and saves when asked to. True when closing may go ahead.
    bool runStandardCloseCheck(Document* document);
    // Closes every document, newest first; false as soon as one is kept open.
    bool closeAllDocuments();

    // Untitled documents closed with unsaved changes are kept here instead of being lost. Without
    // an archive they are simply closed.
    void keepClosedUntitledDocumentsIn(std::unique_ptr<ClosedDocumentArchive> archive);
    ClosedDocumentArchive* closedDocumentArchive() const { return mArchive.get(); }
    // Opens a kept document as a new untitled one and drops it from the archive.
    Document* reopenClosedDocument(const QString& path);

    // Documents with unsaved changes are written to recovery files while they are open.
    void keepRecoveryFilesIn(std::unique_ptr<DocumentRecovery> recovery);
    DocumentRecovery* documentRecovery() const { return mRecovery.get(); }
    // Offers back, in one question, the documents an instance that did not end cleanly left
    // behind, each under the name its window will have; the ones not chosen join the closed
    // documents. Returns how many were restored.
    using RecoveryChoice = std::function<QList<int>(const QList<RecoveryOffer>&)>;
    int offerRecovery(const RecoveryChoice& choose = &RecoveryDialog::ask);

    // Opens what a launch of the application asks for: the files named, and a new document when
    // asked or when no other is open; then brings the last of them to the front.
    void openForLaunch(const QStringList& paths, bool newWindow);

    QStringList recentFiles() const;
    void clearRecentFiles();

    // Reads a file into a new document without showing anything; for tests and reverting.
    std::unique_ptr<Document> readDocument(const QString& path, QString* error);
    // Writes the document's data to the path, atomically. False with `error` on failure.
    bool writeDocument(Document* document, const QString& path, QString* error) const;

signals:
    void recentFilesChanged();

private:
    Document* adopt(std::unique_ptr<Document> document);
    void noteRecentFile(const QString& path);
    void forget(Document* document);
    QString nextUntitledName();
    bool keepIfUnsavedAndUntitled(Document* document);
    // Reads a kept copy of a document that is to open with unsaved changes, belonging to
    // `filePath` (untitled when empty).
    std::unique_ptr<Document> readAsUnsaved(const QString& path, const QString& filePath,
                                            QString* error);
    Document* adoptAsUnsaved(std::unique_ptr<Document> document);
    // Reads a file as a new untitled document, or says why it cannot.
    std::unique_ptr<Document> readUntitledCopy(const QString& path);
    // Keeps a recovery file's contents among the closed documents.
    void keepRecoveredData(const QString& path, const QString& title);
    void bringToFront(Document* document);

    DocumentType mDocumentType;
    Factory mFactory;
    QList<Document*> mDocuments;
    int mUntitledCount = 0;
    std::unique_ptr<ClosedDocumentArchive> mArchive;
    std::unique_ptr<DocumentRecovery> mRecovery;
};

} // namespace platform
