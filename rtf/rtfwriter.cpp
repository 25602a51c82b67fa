// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfwriter.h"

#include "rtf/rtfcontent.h"
#include "rtf/rtfpicturewriter.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>
#include <optional>
#include <vector>

namespace rtf {

namespace {

constexpr double fallbackPointSize = 12.0;

using RunStyle = rtf::CharacterProperties;

void appendUnicodeEscape(QByteArray& out, char16_t unit) {
    out += "\\uc0\\u";
    out += QByteArray::number(unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : unit);
    out += ' ';
}

// Escapes text for RTF. A surrogate that has lost its partner is written as U+FFFD so the output
// never holds half a character.
void appendEscaped(QByteArray& out, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit == QChar::LineSeparator) {
            out += "\\line ";
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            appendUnicodeEscape(out, unit);
            appendUnicodeEscape(out, text[++i].unicode());
        } else if (QChar::isSurrogate(unit)) {
            appendUnicodeEscape(out, u'\uFFFD');
        } else if (unit >= 0x80) {
            appendUnicodeEscape(out, unit);
        }
    }
}

QString alignmentWord(const QTextBlockFormat& format) {
    if (!format.hasProperty(QTextFormat::BlockAlignment))
        return {};
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return QStringLiteral("\\qc");
    if (horizontal & Qt::AlignJustify)
        return QStringLiteral("\\qj");
    if (horizontal & Qt::AlignRight)
        return QStringLiteral("\\qr");
    return QStringLiteral("\\ql");
}

std::optional<QColor> brushColor(const QTextCharFormat& format, QTextFormat::Property property) {
    if (!format.hasProperty(property))
        return std::nullopt;
    const QBrush brush = format.brushProperty(property);
    if (brush.style() == Qt::NoBrush)
        return std::nullopt;
    return brush.color();
}

class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument& document) : mDocument(document) {}

    QByteArray write();

private:
    RunStyle styleOf(const QTextCharFormat& format);
    int fontIndex(const QString& family);
    int colorIndex(const std::optional<QColor>& color);
    void writeStyleChanges(const RunStyle& style);
    void writePictures(QStringView text, const QTextImageFormat& format);
    void writeHeader(QByteArray& out) const;

    const QTextDocument& mDocument;
    QStringList mFamilies;
    std::vector<QRgb> mColors;
    QByteArray mBody;
    std::optional<RunStyle> mWritten;
};

QByteArray RtfWriter::write() {
    std::optional<QString> paragraphAlignment;
    for (QTextBlock block = mDocument.begin(); block.isValid(); block = block.next()) {
        if (block != mDocument.begin())
            mBody += "\\\n";
        const QString alignment = alignmentWord(block.blockFormat());
        if (alignment != paragraphAlignment) {
            mBody += "\\pard" + alignment.toLatin1() + "\\pardirnatural\n";
            paragraphAlignment = alignment;
        }
        if (block.begin().atEnd()) {
            writeStyleChanges(styleOf(block.charFormat()));
            continue;
        }
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            writeStyleChanges(styleOf(format));
            if (format.isImageFormat())
                writePictures(fragment.fragment().text(), format.toImageFormat());
            else
                appendEscaped(mBody, fragment.fragment().text());
        }
    }

    QByteArray out;
    writeHeader(out);
    out += mBody;
    out += '}';
    return out;
}

RunStyle RtfWriter::styleOf(const QTextCharFormat& format) {
    const QFont defaultFont = mDocument.defaultFont();
    RunStyle style;

    const QStringList families = format.fontFamilies().toStringList();
    const QString family =
        families.isEmpty() || families.first().isEmpty() ? defaultFont.family() : families.first();
    style.font = fontIndex(family);

    double points = format.fontPointSize();
    if (points <= 0)
        points = defaultFont.pointSizeF();
    if (points <= 0)
        points = fallbackPointSize;
    style.halfPoints = std::max(1, qRound(points * 2));

    style.bold = format.hasProperty(QTextFormat::FontWeight)
                     ? format.fontWeight() >= QFont::DemiBold
                     : defaultFont.weight() >= QFont::DemiBold;
    style.italic =
        format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    style.underline = format.fontUnderline();
    style.strike = format.fontStrikeOut();
    style.verticalAlignment = format.verticalAlignment();
    if (style.verticalAlignment != QTextCharFormat::AlignSuperScript &&
        style.verticalAlignment != QTextCharFormat::AlignSubScript)
        style.verticalAlignment = QTextCharFormat::AlignNormal;
    style.foreground = colorIndex(brushColor(format, QTextFormat::ForegroundBrush));
    style.background = colorIndex(brushColor(format, QTextFormat::BackgroundBrush));
    return style;
}

int RtfWriter::fontIndex(const QString& family) {
    const qsizetype found = mFamilies.indexOf(family);
    if (found >= 0)
        return static_cast<int>(found);
    mFamilies.append(family);
    return static_cast<int>(mFamilies.size() - 1);
}

// Entry 0 of the colour table is left empty, so index 0 means "no colour of its own".
int RtfWriter::colorIndex(const std::optional<QColor>& color) {
    if (!color)
        return 0;
    const QRgb rgb = color->rgb();
    const auto found = std::find(mColors.begin(), mColors.end(), rgb);
    if (found != mColors.end())
        return static_cast<int>(found - mColors.begin()) + 1;
    mColors.push_back(rgb);
    return static_cast<int>(mColors.size());
}

void RtfWriter::writeStyleChanges(const RunStyle& style) {
    const RunStyle before = mWritten.value_or(RunStyle{-1, -1, -1, 0});
    QByteArray words;
    const auto toggle = [&words](bool was, bool is, const char* on, const char* off) {
        if (was != is)
            words += is ? on : off;
    };
    if (style.font != before.font)
        words += "\\f" + QByteArray::number(style.font);
    if (style.halfPoints != before.halfPoints)
        words += "\\fs" + QByteArray::number(style.halfPoints);
    if (style.foreground != before.foreground)
        words += "\\cf" + QByteArray::number(style.foreground);
    if (style.background != before.background)
        words += "\\cb" + QByteArray::number(style.background);
    toggle(before.bold, style.bold, "\\b", "\\b0");
    toggle(before.italic, style.italic, "\\i", "\\i0");
    toggle(before.underline, style.underline, "\\ul", "\\ulnone");
    toggle(before.strike, style.strike, "\\strike", "\\strike0");
    if (style.verticalAlignment != before.verticalAlignment) {
        if (style.verticalAlignment == QTextCharFormat::AlignSuperScript)
            words += "\\super";
        else if (style.verticalAlignment == QTextCharFormat::AlignSubScript)
            words += "\\sub";
        else
            words += "\\nosupersub";
    }
    if (!words.isEmpty())
        mBody += words + ' ';
    mWritten = style;
}

// Each object replacement character in an image's run is one picture; one image may be
// inserted several times over.
void RtfWriter::writePictures(QStringView text, const QTextImageFormat& format) {
    for (QChar c : text) {
        if (c == QChar::ObjectReplacementCharacter)
            mBody += pictureGroup(format, mDocument);
        else
            appendEscaped(mBody, QStringView(&c, 1));
    }
}

void RtfWriter::writeHeader(QByteArray& out) const {
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl";
    for (qsizetype i = 0; i < mFamilies.size(); ++i) {
        out += "\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        QString name = mFamilies[i];
        name.remove(u';');
        appendEscaped(out, name);
        out += ';';
    }
    out += "}\n{\\colortbl;";
    for (QRgb rgb : mColors) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
               QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    }
    out += "}\n";
}

} // namespace

QByteArray writeRtf(const QTextDocument& document) { return RtfWriter(document).write(); }

} // namespace rtf
