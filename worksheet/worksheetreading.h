// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>
#include <QTextDocument>

#include <memory>
#include <optional>

// What a file gives a worksheet: its text, and from a worksheet file its variables and
// functions, the font typing took and the window's frame.
struct ReadWorksheet {
    std::unique_ptr<QTextDocument> text;
    std::optional<plist::Dictionary> variables;
    std::optional<plist::Dictionary> functions;
    std::optional<plist::Dictionary> variableUnits;
    std::optional<QFont> typingFont;
    std::optional<QString> windowFrame;
    // The code pages of an RTF text that could not be read.
    QList<int> unreadCodePages;
};

// Reads a worksheet file, plain text (UTF-8) or RTF, as the document framework names their
// types, into `read`. False when the text cannot be read, with why in `error` when given,
// naming the file by `displayName`; what a worksheet file held besides is read even then.
bool readWorksheet(const QByteArray& data, const QString& typeName, const QString& displayName,
                   ReadWorksheet& read, QString* error);
