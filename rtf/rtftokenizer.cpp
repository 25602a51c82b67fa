#include "rtf/rtftokenizer.h"

#include <QCoreApplication>
#include <climits>

namespace rtf {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

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
    while (position_ < input_.size() && isLineBreak(input_[position_]))
        ++position_;
    token = RtfToken{};
    token.offset = position_;
    if (position_ >= input_.size())
        return true;

    const char c = input_[position_];
    if (c == '{') {
        token.kind = RtfToken::Kind::GroupStart;
        ++position_;
        return true;
    }
    if (c == '}') {
        token.kind = RtfToken::Kind::GroupEnd;
        ++position_;
        return true;
    }
    if (c == '\\')
        return readControl(token, error);

    const qsizetype start = position_;
    while (position_ < input_.size()) {
        const char t = input_[position_];
        if (t == '\\' || t == '{' || t == '}' || isLineBreak(t))
            break;
        ++position_;
    }
    token.kind = RtfToken::Kind::Text;
    token.data = input_.sliced(start, position_ - start);
    return true;
}

bool RtfTokenizer::readControl(RtfToken& token, QString& error) {
    ++position_;
    if (position_ >= input_.size()) {
        error = cutOff(token.offset);
        return false;
    }
    const char c = input_[position_];
    if (isLetter(c))
        return readControlWord(token, error);
    if (c == '\'')
        return readHexByte(token, error);
    ++position_;
    token.kind = RtfToken::Kind::ControlSymbol;
    token.symbol = isLineBreak(c) ? '\n' : c;
    return true;
}

bool RtfTokenizer::readControlWord(RtfToken& token, QString& error) {
    const qsizetype start = position_;
    while (position_ < input_.size() && isLetter(input_[position_]))
        ++position_;
    if (position_ - start > maxControlWordLength) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text has a control word longer than %1 letters")
                    .arg(maxControlWordLength) +
                atByte(token.offset) + u'.';
        return false;
    }
    token.kind = RtfToken::Kind::ControlWord;
    token.word = input_.sliced(start, position_ - start);
    if (!readParameter(token, error))
        return false;
    if (position_ < input_.size() && input_[position_] == ' ')
        ++position_;
    if (token.word == "bin" && token.hasParameter)
        return readBinaryData(token, error);
    return true;
}

bool RtfTokenizer::readParameter(RtfToken& token, QString& error) {
    qsizetype digitsStart = position_;
    const bool negative = digitsStart < input_.size() && input_[digitsStart] == '-';
    if (negative)
        ++digitsStart;
    if (digitsStart >= input_.size() || !isDigit(input_[digitsStart]))
        return true;

    long long value = 0;
    position_ = digitsStart;
    while (position_ < input_.size() && isDigit(input_[position_])) {
        value = value * 10 + (input_[position_] - '0');
        if (value > INT_MAX) {
            error = QCoreApplication::translate(
                        "rtf", "The RTF text has a number too large to be valid after \\%1")
                        .arg(QString::fromLatin1(token.word)) +
                    atByte(token.offset) + u'.';
            return false;
        }
        ++position_;
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
    if (token.parameter > input_.size() - position_) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text is cut off: its binary data is shorter than declared") +
                atByte(token.offset) + u'.';
        return false;
    }
    token.kind = RtfToken::Kind::BinaryData;
    token.data = input_.sliced(position_, token.parameter);
    position_ += token.parameter;
    return true;
}

bool RtfTokenizer::readHexByte(RtfToken& token, QString& error) {
    ++position_;
    if (input_.size() - position_ < 2) {
        error = cutOff(token.offset);
        return false;
    }
    const int high = hexValue(input_[position_]);
    const int low = hexValue(input_[position_ + 1]);
    if (high < 0 || low < 0) {
        error = QCoreApplication::translate(
                    "rtf", "The RTF text has \\' without two hexadecimal digits after it") +
                atByte(token.offset) + u'.';
        return false;
    }
    position_ += 2;
    token.kind = RtfToken::Kind::HexByte;
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return true;
}

} // namespace rtf
