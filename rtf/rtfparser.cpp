#include "rtf/rtfparser.h"

#include "rtf/fontsubstitutes.h"
#include "rtf/rtfkeywords.h"

#include <QBrush>
#include <QCoreApplication>
#include <QFont>

#include <algorithm>
#include <utility>

namespace rtf {

namespace {

constexpr int pcCodePage = 437;
constexpr int pc850CodePage = 850;

QByteArrayView withoutLeadingWhitespace(QByteArrayView data) {
    qsizetype start = 0;
    while (start < data.size() && (data[start] == ' ' || data[start] == '\t' ||
                                   data[start] == '\r' || data[start] == '\n'))
        ++start;
    return data.sliced(start);
}

bool isBlankAfterEnd(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\0'; });
}

bool toggleIsOn(const RtfToken& token) { return !token.hasParameter || token.parameter != 0; }

QString atByte(qsizetype offset) {
    return QCoreApplication::translate("rtf", " (at byte %1).").arg(offset);
}

} // namespace

RtfParser::RtfParser(QByteArrayView rtf)
    : rtf_(withoutLeadingWhitespace(rtf)), tokenizer_(rtf, rtf.size() - rtf_.size()) {}

bool RtfParser::parse(RtfContent& content, QString& error) {
    if (rtf_.isEmpty()) {
        error = QCoreApplication::translate("rtf", "The RTF text is empty.");
        return false;
    }
    if (!rtf_.startsWith("{\\rtf")) {
        error = QCoreApplication::translate(
            "rtf", "This is not RTF text: it does not start with “{\\rtf”.");
        return false;
    }
    RtfToken token;
    for (;;) {
        if (!tokenizer_.next(token, error_)) {
            error = error_;
            return false;
        }
        if (token.kind == RtfToken::Kind::End)
            break;
        if (!(ended_ ? handleAfterEnd(token) : handle(token))) {
            error = error_;
            return false;
        }
    }
    if (!ended_) {
        error = QCoreApplication::translate(
            "rtf", "The RTF text is cut off: it ends before all its groups are closed.");
        return false;
    }
    content = std::move(content_);
    content.unreadCodePages = std::move(unreadCodePages_);
    return true;
}

bool RtfParser::handleAfterEnd(const RtfToken& token) {
    if (token.kind == RtfToken::Kind::Text && isBlankAfterEnd(token.data))
        return true;
    if (token.kind == RtfToken::Kind::GroupEnd)
        return fail(QCoreApplication::translate(
                        "rtf", "The RTF text has a closing brace with no group to close") +
                    atByte(token.offset));
    return fail(QCoreApplication::translate(
                    "rtf", "The RTF text goes on after its outermost group has closed") +
                atByte(token.offset));
}

bool RtfParser::handle(const RtfToken& token) {
    if (!groups_.empty() && group().destination == Destination::Skipped &&
        token.kind != RtfToken::Kind::GroupStart && token.kind != RtfToken::Kind::GroupEnd)
        return true;

    switch (token.kind) {
    case RtfToken::Kind::GroupStart:
        return openGroup();
    case RtfToken::Kind::GroupEnd:
        return closeGroup();
    case RtfToken::Kind::ControlWord:
        return handleControlWord(token);
    case RtfToken::Kind::ControlSymbol:
        return handleControlSymbol(token.symbol);
    case RtfToken::Kind::HexByte:
        if (!consumeSkippedCharacter())
            pendingBytes_ += static_cast<char>(token.byte);
        return true;
    case RtfToken::Kind::Text: {
        const qsizetype skipped = std::min<qsizetype>(pendingSkip_, token.data.size());
        pendingSkip_ -= static_cast<int>(skipped);
        appendBytes(token.data.sliced(skipped));
        return true;
    }
    case RtfToken::Kind::BinaryData:
        consumeSkippedCharacter();
        return true;
    case RtfToken::Kind::End:
        break;
    }
    return true;
}

bool RtfParser::openGroup() {
    flushBytes();
    pendingSkip_ = 0;
    if (groups_.size() >= static_cast<size_t>(maxGroupDepth))
        return fail(QCoreApplication::translate(
                        "rtf", "The RTF text nests groups more than %1 deep, which is more "
                               "than Figurello reads.")
                        .arg(maxGroupDepth));
    if (groups_.empty()) {
        groups_.emplace_back();
        return true;
    }
    // Only the character right after an attachment's group stands in for it.
    group().awaitsAttachmentCharacter = false;
    groups_.push_back(group());
    return true;
}

bool RtfParser::closeGroup() {
    flushBytes();
    pendingSkip_ = 0;
    if (groups_.size() == 1) {
        content_ = text_.finish(currentBlockFormat(), currentCharFormat());
        groups_.pop_back();
        ended_ = true;
        return true;
    }
    const Destination closed = group().destination;
    const bool closedAnAttachment = group().describesAttachment;
    groups_.pop_back();
    if (closedAnAttachment && !group().describesAttachment)
        group().awaitsAttachmentCharacter = true;
    if (closed == group().destination)
        return true;
    if (closed == Destination::FontTable)
        fonts_.finishEntry();
    if (closed == Destination::FontTable || closed == Destination::ColorTable)
        formatState_.reset();
    return true;
}

bool RtfParser::handleControlWord(const RtfToken& token) {
    flushBytes();
    const KeywordMeaning meaning = keywordMeaning(token.word);
    switch (meaning.keyword) {
    case Keyword::SkippedDestination:
        group().destination = Destination::Skipped;
        return true;
    case Keyword::FontTable:
        group().destination = Destination::FontTable;
        return true;
    case Keyword::Attachment:
        group().destination = Destination::Skipped;
        group().describesAttachment = true;
        return true;
    case Keyword::ColorTable:
        group().destination = Destination::ColorTable;
        return true;
    case Keyword::AnsiCharacterSet:
        documentCodePage_ = windowsLatin1CodePage;
        return true;
    case Keyword::MacCharacterSet:
        documentCodePage_ = macRomanCodePage;
        return true;
    case Keyword::PcCharacterSet:
        documentCodePage_ = pcCodePage;
        return true;
    case Keyword::Pc850CharacterSet:
        documentCodePage_ = pc850CodePage;
        return true;
    case Keyword::AnsiCodePage:
        if (token.hasParameter && token.parameter > 0)
            documentCodePage_ = canonicalCodePage(token.parameter);
        return true;
    case Keyword::UnicodeSkipCount:
        if (token.hasParameter)
            group().unicodeSkip = std::max(0, token.parameter);
        return true;
    case Keyword::Unicode:
        if (token.hasParameter)
            deliverUnicode(token.parameter);
        return true;
    case Keyword::Character:
        if (!consumeSkippedCharacter())
            deliver(QStringView(&meaning.character, 1));
        return true;
    default:
        break;
    }

    switch (group().destination) {
    case Destination::FontTable:
        handleFontTableWord(meaning.keyword, token);
        break;
    case Destination::ColorTable:
        handleColorTableWord(meaning.keyword, token);
        break;
    case Destination::Text:
        handleTextWord(meaning.keyword, token);
        break;
    case Destination::Skipped:
        break;
    }
    return true;
}

void RtfParser::handleFontTableWord(Keyword keyword, const RtfToken& token) {
    if (!token.hasParameter)
        return;
    switch (keyword) {
    case Keyword::Font:
        fonts_.beginEntry(token.parameter);
        break;
    case Keyword::FontCharset:
        fonts_.setCharset(token.parameter);
        break;
    case Keyword::FontCodePage:
        fonts_.setCodePage(token.parameter);
        break;
    default:
        break;
    }
}

void RtfParser::handleColorTableWord(Keyword keyword, const RtfToken& token) {
    if (!token.hasParameter)
        return;
    switch (keyword) {
    case Keyword::Red:
        colors_.setRed(token.parameter);
        break;
    case Keyword::Green:
        colors_.setGreen(token.parameter);
        break;
    case Keyword::Blue:
        colors_.setBlue(token.parameter);
        break;
    default:
        break;
    }
}

void RtfParser::handleTextWord(Keyword keyword, const RtfToken& token) {
    CharacterState& character = group().character;
    switch (keyword) {
    case Keyword::DefaultFont:
        if (token.hasParameter) {
            defaultFont_ = token.parameter;
            character.font = token.parameter;
        }
        break;
    case Keyword::Font:
        if (token.hasParameter)
            character.font = token.parameter;
        break;
    case Keyword::FontSize:
        if (!token.hasParameter)
            character.halfPoints = defaultHalfPoints;
        else if (token.parameter > 0)
            character.halfPoints = std::min(token.parameter, maxHalfPoints);
        break;
    case Keyword::Foreground:
        character.foreground = token.hasParameter ? token.parameter : 0;
        break;
    case Keyword::Background:
        character.background = token.hasParameter ? token.parameter : 0;
        break;
    case Keyword::Bold:
        character.bold = toggleIsOn(token);
        break;
    case Keyword::Italic:
        character.italic = toggleIsOn(token);
        break;
    case Keyword::Underline:
        character.underline = toggleIsOn(token);
        break;
    case Keyword::UnderlineNone:
        character.underline = false;
        break;
    case Keyword::Strike:
        character.strike = toggleIsOn(token);
        break;
    case Keyword::Superscript:
        character.verticalAlignment = QTextCharFormat::AlignSuperScript;
        break;
    case Keyword::Subscript:
        character.verticalAlignment = QTextCharFormat::AlignSubScript;
        break;
    case Keyword::NoSuperSub:
        character.verticalAlignment = QTextCharFormat::AlignNormal;
        break;
    case Keyword::Plain:
        character = CharacterState{};
        character.font = defaultFont_;
        break;
    case Keyword::ParagraphBreak:
        endParagraph();
        break;
    case Keyword::ResetParagraph:
        group().alignment.reset();
        break;
    case Keyword::AlignLeft:
        group().alignment = Qt::AlignLeft;
        break;
    case Keyword::AlignRight:
        group().alignment = Qt::AlignRight;
        break;
    case Keyword::AlignCenter:
        group().alignment = Qt::AlignHCenter;
        break;
    case Keyword::AlignJustify:
        group().alignment = Qt::AlignJustify;
        break;
    case Keyword::AlignNatural:
        group().alignment.reset();
        break;
    default:
        break;
    }
}

bool RtfParser::handleControlSymbol(char symbol) {
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        if (!consumeSkippedCharacter())
            pendingBytes_ += symbol;
        return true;
    case '~':
    case '-':
    case '_': {
        flushBytes();
        if (consumeSkippedCharacter())
            return true;
        const char16_t character = symbol == '~'   ? u'\u00A0'
                                   : symbol == '-' ? u'\u00AD'
                                                   : u'\u2011';
        deliver(QStringView(&character, 1));
        return true;
    }
    case '\n':
        flushBytes();
        if (group().destination == Destination::Text)
            endParagraph();
        return true;
    case '*':
        flushBytes();
        group().destination = Destination::Skipped;
        return true;
    default:
        return true;
    }
}

void RtfParser::appendBytes(QByteArrayView bytes) { pendingBytes_ += bytes; }

void RtfParser::flushBytes() {
    if (pendingBytes_.isEmpty())
        return;
    const int codePage = codePageForBytes();
    QString decoded;
    if (!decoder_.append(pendingBytes_, codePage, decoded) &&
        std::find(unreadCodePages_.begin(), unreadCodePages_.end(), codePage) ==
            unreadCodePages_.end())
        unreadCodePages_.push_back(codePage);
    pendingBytes_.clear();
    deliver(decoded);
}

void RtfParser::deliver(QStringView text) {
    switch (group().destination) {
    case Destination::Text:
        for (QChar c : text) {
            // macOS writes a placeholder byte there; the text shows where the attachment was.
            if (std::exchange(group().awaitsAttachmentCharacter, false))
                c = QChar::ObjectReplacementCharacter;
            text_.append(c.unicode(), currentCharFormat());
        }
        break;
    case Destination::FontTable:
        fonts_.appendName(text);
        break;
    case Destination::ColorTable:
        colors_.appendText(text);
        break;
    case Destination::Skipped:
        break;
    }
}

void RtfParser::deliverUnicode(int parameter) {
    // Surrogates go through one at a time; the text builder pairs them.
    const int codePoint = parameter < 0 ? parameter + 0x10000 : parameter;
    if (codePoint < 0 || codePoint > 0x10FFFF) {
        const char16_t replacement = u'\uFFFD';
        deliver(QStringView(&replacement, 1));
    } else if (codePoint <= 0xFFFF) {
        const char16_t unit = static_cast<char16_t>(codePoint);
        deliver(QStringView(&unit, 1));
    } else {
        const char32_t wide = static_cast<char32_t>(codePoint);
        deliver(QString::fromUcs4(&wide, 1));
    }
    pendingSkip_ = group().unicodeSkip;
}

void RtfParser::endParagraph() { text_.endParagraph(currentBlockFormat(), currentCharFormat()); }

bool RtfParser::consumeSkippedCharacter() {
    if (pendingSkip_ == 0)
        return false;
    --pendingSkip_;
    return true;
}

bool RtfParser::fail(const QString& message) {
    error_ = message;
    return false;
}

int RtfParser::codePageForBytes() const {
    const GroupState& current = groups_.back();
    if (current.destination == Destination::FontTable)
        return fonts_.entry().effectiveCodePage(documentCodePage_);
    if (current.destination == Destination::Text) {
        if (const FontEntry* font = fonts_.find(current.character.font))
            return font->effectiveCodePage(documentCodePage_);
    }
    return documentCodePage_;
}

const QTextCharFormat& RtfParser::currentCharFormat() {
    const CharacterState& state = group().character;
    if (formatState_ && *formatState_ == state)
        return format_;

    QTextCharFormat format;
    const FontEntry* font = fonts_.find(state.font);
    if (font && !font->face.family.isEmpty()) {
        format.setFontFamilies({font->face.family});
        if (isFixedPitchMacFamily(font->face.family))
            format.setFontStyleHint(QFont::TypeWriter);
    }
    format.setFontPointSize(state.halfPoints / 2.0);
    if (state.bold || (font && font->face.bold))
        format.setFontWeight(QFont::Bold);
    if (state.italic || (font && font->face.italic))
        format.setFontItalic(true);
    if (state.underline)
        format.setFontUnderline(true);
    if (state.strike)
        format.setFontStrikeOut(true);
    if (state.verticalAlignment != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(state.verticalAlignment);
    if (const auto color = colors_.color(state.foreground))
        format.setForeground(*color);
    // Unlike \cf0, which names the first table entry, a background of 0 always means none.
    if (const auto color = colors_.color(state.background); color && state.background != 0)
        format.setBackground(*color);

    formatState_ = state;
    format_ = format;
    return format_;
}

QTextBlockFormat RtfParser::currentBlockFormat() const {
    QTextBlockFormat format;
    if (const auto& alignment = groups_.back().alignment)
        format.setAlignment(*alignment);
    return format;
}

} // namespace rtf
