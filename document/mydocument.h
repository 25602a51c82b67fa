#pragma once

#include "platform/document.h"

#include <QByteArray>
#include <QFont>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QMainWindow;
class QProcess;
class QTextDocument;
class QTextEdit;
struct SCalcState;

namespace platform {
class DocumentWindow;
}

// One worksheet: its text, its own copy of the calculator state, and its window. Reads the
// native worksheet format, plain text and RTF; always saves the native format.
class MyDocument : public platform::Document {
    Q_OBJECT

public:
    MyDocument();
    ~MyDocument() override;

    bool readFromData(const QByteArray& data, const QString& typeName, QString* error) override;
    QByteArray dataOfType(const QString& typeName, QString* error) override;
    void makeWindowControllers() override;
    QMainWindow* window() const override;
    bool isDocumentEdited() const override;
    void setDocumentEdited(bool edited) override;

    // Text read from a file or the template, waiting for the window. Null clears it.
    void setString(const QTextDocument* string);
    // Each loader says why it failed in `error`, when given.
    bool loadNativeData(const QByteArray& data, QString* error = nullptr);
    bool loadPlainTextData(const QByteArray& data, QString* error = nullptr);
    bool loadRTFData(const QByteArray& data, QString* error = nullptr);
    // Moves the waiting text into the text view and sets the typing attributes.
    void setLoadedDocData();
    // Sets up the freshly made window: its text, its frame, its calculation tool.
    void windowControllerDidLoadNib();

    // The new-document template's contents; empty when there is none.
    QByteArray dataOfNewDoc() const;
    void startCalcTask();

    SCalcState* calcState() const { return mCalcState; }
    const std::optional<QString>& loadedWindowFrame() const { return mLoadedWindowFrame; }
    const std::optional<QFont>& initialTypingFont() const { return mInitialTypingFont; }
    bool hasPendingString() const { return mString != nullptr; }

    QTextEdit* textView = nullptr;
    platform::DocumentWindow* docWindow = nullptr;

private:
    std::unique_ptr<QTextDocument> mString;
    std::optional<QFont> mInitialTypingFont;
    SCalcState* mCalcState = nullptr;
    std::optional<QString> mLoadedWindowFrame;
    bool mFormatIntegersAsHex = false;
    QAction* mDecFormatItem = nullptr;
    QAction* mHexFormatItem = nullptr;
    bool mForgettingFunction = false;
    QProcess* mCalcTask = nullptr;
    QByteArray mResultBuffer;
    QString mLineToCalculate;
};
