#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>

#include <functional>
#include <memory>

namespace rtftest {

// The opening macOS puts before every text: Cocoa header, PostScript font names, a colour table
// with its empty first entry, the expanded colour table and paragraph words.
QByteArray macHeader();

// macHeader() followed by body and the closing brace.
QByteArray macDocument(const QByteArray& body);

// The document's text with '\n' between paragraphs, and with line separators, non-breaking
// spaces and the like kept as they are, unlike QTextDocument::toPlainText().
QString textOf(const QTextDocument& document);

// The format of the character at position (0-based, within the whole document).
QTextCharFormat formatAt(const QTextDocument& document, int position);

// One line per paragraph and per run, naming family, size, weight, slant, decorations and
// colours, so comparing two documents shows where they differ.
QString describeStyle(const QTextCharFormat& format);
QString describeDocument(const QTextDocument& document);

// Reads rtf into a fresh document; on failure, error says why and the document is empty.
std::unique_ptr<QTextDocument> readDocument(const QByteArray& rtf, QString* error = nullptr);

using DocumentBuilder = std::function<void(QTextDocument&)>;

std::unique_ptr<QObject> makeTokenizerTest();
std::unique_ptr<QObject> makeFontNameTest();
std::unique_ptr<QObject> makeReaderTest();
std::unique_ptr<QObject> makeMalformedInputTest();
std::unique_ptr<QObject> makeWriterTest();
std::unique_ptr<QObject> makeRoundTripTest();

} // namespace rtftest

Q_DECLARE_METATYPE(rtftest::DocumentBuilder)
