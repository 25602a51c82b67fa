// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtftokenizer.h"

#include <QCoreApplication>
#include <climits>

namespace rtf {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

QString atByte(qsizetype offset) {
    return QCoreApplication::translate("rtf", " (at byte %1)").arg(offset);
}

QString cutOff(qsizetype offset) {
    return QCoreApplication::translate("rtf",
                                       "The RTF text is cut off: it ends inside a control word") +
           atByte(offset) + u'.';
}

} // namespace

bool RtfTokenizer::next(RtfToken& token, QString& error) {
    while (mPosition < mInput.size() && isLineBreak(mInput[mPosition]))
        ++mPosition;
    token = RtfToken{};
    token.offset = mPosition;
    if (mPosition >= mInput.size())
        return true;

    const char c = mInput[mPosition];
    if (c == '{') {
        token.kind = RtfToken::Kind::GroupStart;
        ++mPosition;
        return true;
    }
    if (c == '}') {
        token.kind = RtfToken::Kind::GroupEnd;
        ++mPosition;
        return true;
    }
    if (c == '\\')
        return readControl(token, error);

    const qsizetype start = mPosition;
    while (mPosition < mInput.size()) {
        const char t = mInput[mPosition];
        if (t == '\\' || t == '{' || t == '}' || isLineBreak(t))
            break;
        ++mPosition;
    }
    token.kind = RtfToken::Kind::Text;
    token.data = mInput.sliced(start, mPosition - start);
    return true;
}

bool RtfTokenizer::readControl(RtfToken& token, QString& error) {
    ++mPosition;
    if (mPosition >= mInput.size()) {
        error = cutOff(token.offset);
        return false;
    }
    const char c = mInput[mPosition];
    if (isLetter(c))
        return readControlWord(token, error);
    if (c == '\'')
        return readHexByte(token, error);
    ++mPosition;
    token.kind = RtfToken::Kind::ControlSymbol;
    token.symbol = isLineBreak(c) ? '\n' : c;
    return true;
}

bool RtfTokenizer::readControlWord(RtfToken& token, QString& error) {
    const qsizetype start = mPosition;
    while (mPosition < mInput.size() && isLetter(mInput[mPosition]))
        ++mPosition;
    if (mPosition - start > maxControlWordLength) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text has a control word longer than %1 letters")
                    .arg(maxControlWordLength) +
                atByte(token.offset) + u'.';
        return false;
    }
    token.kind = RtfToken::Kind::ControlWord;
    token.word = mInput.sliced(start, mPosition - start);
    if (!readParameter(token, error))
        return false;
    if (mPosition < mInput.size() && mInput[mPosition] == ' ')
        ++mPosition;
    if (token.word == "bin" && token.hasParameter)
        return readBinaryData(token, error);
    return true;
}

bool RtfTokenizer::readParameter(RtfToken& token, QString& error) {
    qsizetype digitsStart = mPosition;
    const bool negative = digitsStart < mInput.size() && mInput[digitsStart] == '-';
    if (negative)
        ++digitsStart;
    if (digitsStart >= mInput.size() || !isDigit(mInput[digitsStart]))
        return true;

    long long value = 0;
    mPosition = digitsStart;
    while (mPosition < mInput.size() && isDigit(mInput[mPosition])) {
        value = value * 10 + (mInput[mPosition] - '0');
        if (value > INT_MAX) {
            error = QCoreApplication::translate(
                        "rtf", "The RTF text has a number too large to be valid after \\%1")
                        .arg(QString::fromLatin1(token.word)) +
                    atByte(token.offset) + u'.';
            return false;
        }
        ++mPosition;
    }
    token.hasParameter = true;
    token.parameter = static_cast<int>(negative ? -value : value);
    return true;
}

bool RtfTokenizer::readBinaryData(RtfToken& token, QString& error) {
    if (token.parameter < 0) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text gives a negative length for binary data") +
                atByte(token.offset) + u'.';
        return false;
    }
    if (token.parameter > mInput.size() - mPosition) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text is cut off: its binary data is shorter than declared") +
                atByte(token.offset) + u'.';
        return false;
    }
    token.kind = RtfToken::Kind::BinaryData;
    token.data = mInput.sliced(mPosition, token.parameter);
    mPosition += token.parameter;
    return true;
}

bool RtfTokenizer::readHexByte(RtfToken& token, QString& error) {
    ++mPosition;
    if (mInput.size() - mPosition < 2) {
        error = cutOff(token.offset);
        return false;
    }
    const int high = hexDigitValue(mInput[mPosition]);
    const int low = hexDigitValue(mInput[mPosition + 1]);
    if (high < 0 || low < 0) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text has \\' without two hexadecimal digits after it") +
                atByte(token.offset) + u'.';
        return false;
    }
    mPosition += 2;
    token.kind = RtfToken::Kind::HexByte;
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return true;
}

} // namespace rtf
