// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QMainWindow;

namespace platform {

// What the document controller needs of a document: its contents in and out, its window, and
// whether it has unsaved changes. One document, one window.
class Document : public QObject {
    Q_OBJECT

public:
    ~Document() override;

    // Fills the document from a file's bytes of the given type. On failure `error` may receive
    // a sentence for the user; an empty one means "not readable" without more detail.
    virtual bool readFromData(const QByteArray& data, const QString& typeName, QString* error) = 0;
    // The bytes a save writes, whatever type is asked for; empty with `error` set on failure.
    virtual QByteArray dataOfType(const QString& typeName, QString* error) = 0;
    // Creates and sets up the window, once the contents (if any) have been read.
    virtual void makeWindowControllers() = 0;
    virtual QMainWindow* window() const = 0;

    virtual bool isDocumentEdited() const = 0;
    virtual void setDocumentEdited(bool edited) = 0;
    // Whether the document may close now. `standardCloseCheck` asks the user to save, discard
    // or cancel, saving when asked to, and says whether closing may go ahead.
    virtual bool canCloseDocument(const std::function<bool()>& standardCloseCheck) {
        return !isDocumentEdited() || standardCloseCheck();
    }
    // A line that names the document, for lists of documents.
    virtual QString summary() const { return displayName(); }

    // The file the document saves to; empty while untitled or when read from a file it must
    // not overwrite (plain text, RTF).
    QString filePath() const { return mFilePath; }
    void setFilePath(const QString& path);
    // Whether the document belongs to a file: saved, or read from one.
    bool hasFileLocation() const { return !mFilePath.isEmpty() || !mOriginPath.isEmpty(); }
    // The file the document was read from, even when it saves elsewhere.
    QString originPath() const { return mOriginPath; }
    void setOriginPath(const QString& path) { mOriginPath = path; }
    // What the window title shows: the file name, or "Untitled" with a number.
    // The name in its window's title: the file's name without its suffix, whatever the kind
    // of file, or the untitled name.
    QString titleName() const;
    QString displayName() const;
    void setUntitledName(const QString& name) { mUntitledName = name; }

signals:
    void filePathChanged();
    // The contents changed, by typing or otherwise.
    void contentsEdited();
    // The document gained unsaved changes, or lost them by saving or undoing.
    void editedChanged(bool edited);

private:
    QString mFilePath;
    QString mOriginPath;
    QString mUntitledName;
};

} // namespace platform
