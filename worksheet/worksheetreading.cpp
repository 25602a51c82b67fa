// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheetreading.h"

#include "platform/diagnostics.h"
#include "platform/filetypes.h"
#include "platform/keyedtexts.h"
#include "rtf/fontsubstitutes.h"
#include "rtf/rtfreader.h"
#include "worksheet/chartpictures.h"
#include "worksheet/worksheetfile.h"
#include "worksheet/worksheettype.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace {

bool readPlainText(const QByteArray& data, const QString& displayName, ReadWorksheet& read,
                   QString* error) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(data);
    if (decoder.hasError()) {
        // Guessing another encoding would show garbage that a save would then make permanent.
        if (error)
            *error = platform::keyedText("NotUtf8").arg(displayName);
        return false;
    }
    read.text = std::make_unique<QTextDocument>();
    read.text->setPlainText(text);
    return true;
}

bool readRtfText(const QByteArray& data, ReadWorksheet& read, QString* reason) {
    auto text = std::make_unique<QTextDocument>();
    if (!rtf::readRtf(data, *text, reason, &read.unreadCodePages))
        return false;
    takePicturesUnderPlotsAsCharts(*text);
    read.text = std::move(text);
    return true;
}

bool readNative(const QByteArray& data, const QString& displayName, ReadWorksheet& read,
                QString* error) {
    WorksheetReadResult parsed =
        parseWorksheetFile(std::string_view(data.constData(), data.size()));
    if (!parsed.file) {
        qCWarning(figurelloDiagnostics, "Error: %s", parsed.error.c_str());
        if (error)
            *error = platform::keyedText("NotAWorksheet")
                         .arg(displayName, QString::fromStdString(parsed.error));
        return false;
    }
    const WorksheetFile& file = *parsed.file;
    bool textRead = false;
    if (file.text) {
        QString reason;
        textRead = readRtfText(QByteArray::fromStdString(*file.text), read, &reason);
        if (!textRead) {
            qCWarning(figurelloDiagnostics, "Error: %s", qUtf8Printable(reason));
            if (error)
                *error = platform::keyedText("NotAWorksheet").arg(displayName, reason);
        }
    } else if (error) {
        *error = platform::keyedText("NotAWorksheet")
                     .arg(displayName,
                          QCoreApplication::translate("Worksheet", "It holds no worksheet text."));
    }
    read.variables = file.variables;
    read.functions = file.functions;
    read.variableUnits = file.variableUnits;
    if (file.fontName && !file.fontName->empty() && file.fontSize && *file.fontSize > 0 &&
        *file.fontSize < 1000) {
        // A family this desktop lacks (Helvetica, Menlo) shows through its substitute and is
        // saved back under its own name and size, as the file had it.
        read.typingFont =
            rtf::fontForStoredFamily(QString::fromStdString(*file.fontName), *file.fontSize);
    }
    if (file.windowFrame)
        read.windowFrame = QString::fromStdString(*file.windowFrame);
    return textRead;
}

} // namespace

bool readWorksheet(const QByteArray& data, const QString& typeName, const QString& displayName,
                   ReadWorksheet& read, QString* error) {
    if (typeName == platform::kPlainTextType)
        return readPlainText(data, displayName, read, error);
    if (typeName == platform::kRtfType) {
        QString reason;
        if (readRtfText(data, read, &reason))
            return true;
        if (error)
            *error = platform::keyedText("NotReadableRtf").arg(displayName, reason);
        return false;
    }
    if (typeName == kWorksheetType)
        return readNative(data, displayName, read, error);
    if (error)
        *error = platform::keyedText("UnknownFormat").arg(displayName);
    return false;
}
