// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheetwriting.h"

#include "engine/dictionaries.h"
#include "platform/savedframe.h"
#include "rtf/rtfwriter.h"
#include "worksheet/chartpictures.h"
#include "worksheet/worksheetfile.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextDocument>

QByteArray worksheetData(const QTextDocument& text, const SCalcState& state,
                         const QFont& typingFont, const QString& windowFrame, QString* error) {
    WorksheetFile file;
    const std::unique_ptr<QTextDocument> pictures = textWithChartsAsPictures(text);
    file.text = rtf::writeRtf(pictures ? *pictures : text).toStdString();
    file.variables = CopyVariablesDictionary(state);
    file.functions = CopyFunctionsDictionary(state);
    file.variableUnits = CopyVariableUnitsDictionary(state);
    if (!file.variables || !file.functions || !file.variableUnits) {
        if (error)
            *error = QCoreApplication::translate("Worksheet", "Out of memory.");
        return QByteArray();
    }
    file.fontName = typingFont.family().toStdString();
    file.fontSize = typingFont.pointSizeF() > 0 ? typingFont.pointSizeF()
                                                : double(QFontInfo(typingFont).pointSizeF());
    file.windowFrame = windowFrame.toStdString();
    return QByteArray::fromStdString(serializeWorksheetFile(file));
}

QString frameOnThisScreen(const std::optional<QString>& saved) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame(available.topLeft(), kDefaultWindowSize);
    if (saved) {
        const QRect loaded = platform::frameFromSavedString(*saved, available);
        if (!loaded.isNull())
            frame = loaded;
    }
    return platform::savedFrameString(frame, available);
}
