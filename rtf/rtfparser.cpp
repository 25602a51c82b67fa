// SPDX-License-Identifier: GPL-3.0-or-later
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
    : mRtf(withoutLeadingWhitespace(rtf)), mTokenizer(rtf, rtf.size() - mRtf.size()) {}

bool RtfParser::parse(RtfContent& content, QString& error) {
    if (mRtf.isEmpty()) {
        error = QCoreApplication::translate("rtf", "The RTF text is empty.");
        return false;
    }
    if (!mRtf.startsWith("{\\rtf")) {
        error = QCoreApplication::translate(
            "rtf", "This is not RTF text: it does not start with “{\\rtf”.");
        return false;
    }
    RtfToken token;
    for (;;) {
        if (!mTokenizer.next(token, mError)) {
            error = mError;
            return false;
        }
        if (token.kind == RtfToken::Kind::End)
            break;
        if (!(mEnded ? handleAfterEnd(token) : handle(token))) {
            error = mError;
            return false;
        }
    }
    if (!mEnded) {
        error = QCoreApplication::translate(
            "rtf", "The RTF text is cut off: it ends before all its groups are closed.");
        return false;
    }
    content = std::move(mContent);
    content.unreadCodePages = std::move(mUnreadCodePages);
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
    const bool followsStar = std::exchange(mFollowsStar, false);
    if (!mGroups.empty() && group().destination == Destination::Skipped &&
        token.kind != RtfToken::Kind::GroupStart && token.kind != RtfToken::Kind::GroupEnd) {
        if (followsStar && token.kind == RtfToken::Kind::ControlWord &&
            keywordMeaning(token.word).keyword == Keyword::ShapePicture)
            openShapePicture();
        return true;
    }
    if (!mGroups.empty() && group().destination == Destination::Picture) {
        if (token.kind == RtfToken::Kind::Text) {
            mPicture.appendHex(token.data);
            return true;
        }
        if (token.kind == RtfToken::Kind::BinaryData) {
            mPicture.appendBinary(token.data);
            return true;
        }
    }

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
            mPendingBytes += static_cast<char>(token.byte);
        return true;
    case RtfToken::Kind::Text: {
        const qsizetype skipped = std::min<qsizetype>(mPendingSkip, token.data.size());
        mPendingSkip -= static_cast<int>(skipped);
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
    mPendingSkip = 0;
    if (mGroups.size() >= static_cast<size_t>(maxGroupDepth))
        return fail(QCoreApplication::translate(
                        "rtf", "The RTF text nests groups more than %1 deep, which is more "
                               "than Figurello reads.")
                        .arg(maxGroupDepth));
    if (mGroups.empty()) {
        mGroups.emplace_back();
        return true;
    }
    // Only the character right after an attachment's group stands in for it.
    group().awaitsAttachmentCharacter = false;
    mGroups.push_back(group());
    group().opensPicture = false;
    return true;
}

bool RtfParser::closeGroup() {
    flushBytes();
    mPendingSkip = 0;
    if (mGroups.size() == 1) {
        mContent = mText.finish(currentBlockFormat(), currentCharFormat());
        mGroups.pop_back();
        mEnded = true;
        return true;
    }
    const Destination closed = group().destination;
    const bool closedAnAttachment = group().describesAttachment;
    const bool closedAPicture = group().opensPicture;
    mGroups.pop_back();
    if (closedAPicture && group().destination == Destination::Text)
        mText.appendPicture(mPicture.finish(), currentCharFormat());
    if (closedAnAttachment && !group().describesAttachment)
        group().awaitsAttachmentCharacter = true;
    if (closed == group().destination)
        return true;
    if (closed == Destination::FontTable)
        mFonts.finishEntry();
    if (closed == Destination::FontTable || closed == Destination::ColorTable)
        mFormatState.reset();
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
    case Keyword::Picture:
        openPicture();
        return true;
    case Keyword::AnsiCharacterSet:
        mDocumentCodePage = windowsLatin1CodePage;
        return true;
    case Keyword::MacCharacterSet:
        mDocumentCodePage = macRomanCodePage;
        return true;
    case Keyword::PcCharacterSet:
        mDocumentCodePage = pcCodePage;
        return true;
    case Keyword::Pc850CharacterSet:
        mDocumentCodePage = pc850CodePage;
        return true;
    case Keyword::AnsiCodePage:
        if (token.hasParameter && token.parameter > 0)
            mDocumentCodePage = canonicalCodePage(token.parameter);
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
    case Destination::Picture:
        mPicture.handleWord(meaning.keyword, token);
        break;
    case Destination::Skipped:
        break;
    }
    return true;
}

void RtfParser::openPicture() {
    // A \pict inside a picture is damage; its data goes into the picture being read.
    if (group().destination == Destination::Picture)
        return;
    group().destination = Destination::Picture;
    group().opensPicture = true;
    mPicture = PictureReader{};
}

// Word's and LibreOffice's {\*\shppict {\pict …}} holds the picture they mean to be shown.
void RtfParser::openShapePicture() {
    if (mGroups.size() >= 2 && mGroups[mGroups.size() - 2].destination == Destination::Text)
        group().destination = Destination::Text;
}

void RtfParser::handleFontTableWord(Keyword keyword, const RtfToken& token) {
    if (!token.hasParameter)
        return;
    switch (keyword) {
    case Keyword::Font:
        mFonts.beginEntry(token.parameter);
        break;
    case Keyword::FontCharset:
        mFonts.setCharset(token.parameter);
        break;
    case Keyword::FontCodePage:
        mFonts.setCodePage(token.parameter);
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
        mColors.setRed(token.parameter);
        break;
    case Keyword::Green:
        mColors.setGreen(token.parameter);
        break;
    case Keyword::Blue:
        mColors.setBlue(token.parameter);
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
            mDefaultFont = token.parameter;
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
        character.font = mDefaultFont;
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
            mPendingBytes += symbol;
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
        mFollowsStar = true;
        return true;
    default:
        return true;
    }
}

void RtfParser::appendBytes(QByteArrayView bytes) { mPendingBytes += bytes; }

void RtfParser::flushBytes() {
    if (mPendingBytes.isEmpty())
        return;
    const int codePage = codePageForBytes();
    QString decoded;
    if (!mDecoder.append(mPendingBytes, codePage, decoded) &&
        std::find(mUnreadCodePages.begin(), mUnreadCodePages.end(), codePage) ==
            mUnreadCodePages.end())
        mUnreadCodePages.push_back(codePage);
    mPendingBytes.clear();
    deliver(decoded);
}

void RtfParser::deliver(QStringView text) {
    switch (group().destination) {
    case Destination::Text:
        for (QChar c : text) {
            // macOS writes a placeholder byte there; the text shows where the attachment was.
            if (std::exchange(group().awaitsAttachmentCharacter, false))
                c = QChar::ObjectReplacementCharacter;
            mText.append(c.unicode(), currentCharFormat());
        }
        break;
    case Destination::FontTable:
        mFonts.appendName(text);
        break;
    case Destination::ColorTable:
        mColors.appendText(text);
        break;
    case Destination::Picture:
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
    mPendingSkip = group().unicodeSkip;
}

void RtfParser::endParagraph() { mText.endParagraph(currentBlockFormat(), currentCharFormat()); }

bool RtfParser::consumeSkippedCharacter() {
    if (mPendingSkip == 0)
        return false;
    --mPendingSkip;
    return true;
}

bool RtfParser::fail(const QString& message) {
    mError = message;
    return false;
}

int RtfParser::codePageForBytes() const {
    const GroupState& current = mGroups.back();
    if (current.destination == Destination::FontTable)
        return mFonts.entry().effectiveCodePage(mDocumentCodePage);
    if (current.destination == Destination::Text) {
        if (const FontEntry* font = mFonts.find(current.character.font))
            return font->effectiveCodePage(mDocumentCodePage);
    }
    return mDocumentCodePage;
}

const QTextCharFormat& RtfParser::currentCharFormat() {
    const CharacterState& state = group().character;
    if (mFormatState && *mFormatState == state)
        return mFormat;

    QTextCharFormat format;
    const FontEntry* font = mFonts.find(state.font);
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
    if (const auto color = mColors.color(state.foreground))
        format.setForeground(*color);
    // Unlike \cf0, which names the first table entry, a background of 0 always means none.
    if (const auto color = mColors.color(state.background); color && state.background != 0)
        format.setBackground(*color);

    mFormatState = state;
    mFormat = format;
    return mFormat;
}

QTextBlockFormat RtfParser::currentBlockFormat() const {
    QTextBlockFormat format;
    if (const auto& alignment = mGroups.back().alignment)
        format.setAlignment(*alignment);
    return format;
}

} // namespace rtf
