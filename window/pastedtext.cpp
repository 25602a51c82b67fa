// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pastedtext.h"

#include "rtf/rtfreader.h"

#include <QMimeData>
#include <QStringList>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// The names programs offer RTF under: the registered type, its older spelling, and what macOS
// and some X11 programs use.
const QStringList kRtfFormats = {
    QStringLiteral("text/rtf"),
    QStringLiteral("application/rtf"),
    QStringLiteral("text/richtext"),
};

QString rtfFormatOf(const QMimeData& data) {
    for (const QString& format : kRtfFormats)
        if (data.hasFormat(format))
            return format;
    return QString();
}

QString textOfRtf(const QByteArray& rtf) {
    QTextDocument document;
    // A text that cannot be read gives nothing, as an image would.
    if (!rtf::readRtf(rtf, document))
        return QString();
    return document.toPlainText();
}

} // namespace

QString pastedTextOf(const QMimeData* data) {
    if (!offersAnything(data))
        return QString();
    if (data->hasText())
        return data->text();
    if (data->hasHtml())
        // Pictures in it leave nothing behind, not an object marker.
        return QTextDocumentFragment::fromHtml(data->html())
            .toPlainText()
            .remove(QChar::ObjectReplacementCharacter);
    const QString rtf = rtfFormatOf(*data);
    if (!rtf.isEmpty())
        return textOfRtf(data->data(rtf));
    return QString();
}

bool offersText(const QMimeData* data) {
    return offersAnything(data) &&
           (data->hasText() || data->hasHtml() || !rtfFormatOf(*data).isEmpty());
}

bool offersAnything(const QMimeData* data) { return data && !data->formats().isEmpty(); }
