// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

namespace rtf {

struct RtfToken {
    enum class Kind {
        GroupStart,
        GroupEnd,
        ControlWord,
        ControlSymbol,
        HexByte,
        Text,
        BinaryData,
        End
    };

    Kind kind = Kind::End;
    QByteArrayView word;
    bool hasParameter = false;
    int parameter = 0;
    // For ControlSymbol; a backslash before a line break comes out as '\n'.
    char symbol = 0;
    unsigned char byte = 0;
    // For Text and BinaryData. Line breaks in the source are not part of any text.
    QByteArrayView data;
    qsizetype offset = 0;
};

// The value of a hexadecimal digit, or -1 for any other character. A table, inline: a
// picture's data is read a digit at a time.
inline int hexDigitValue(char c) {
    static constexpr auto values = [] {
        std::array<signed char, 256> table{};
        table.fill(-1);
        for (int k = 0; k < 10; ++k)
            table['0' + k] = static_cast<signed char>(k);
        for (int k = 0; k < 6; ++k) {
            table['a' + k] = static_cast<signed char>(10 + k);
            table['A' + k] = static_cast<signed char>(10 + k);
        }
        return table;
    }();
    return values[static_cast<unsigned char>(c)];
}

// Splits RTF into groups, control words, control symbols, \'hh bytes and runs of text, and
// rejects what cannot be split: over-long control words, parameters that do not fit in an int,
// bad hex escapes and data that stops in the middle of a token.
class RtfTokenizer {
public:
    static constexpr int maxControlWordLength = 32;

    // Starts at byte start; error messages count bytes from the beginning of input.
    explicit RtfTokenizer(QByteArrayView input, qsizetype start = 0)
        : mInput(input), mPosition(start) {}

    // Returns false with a readable error when the input cannot be split; End once it is used up.
    bool next(RtfToken& token, QString& error);

private:
    bool readControl(RtfToken& token, QString& error);
    bool readControlWord(RtfToken& token, QString& error);
    bool readParameter(RtfToken& token, QString& error);
    bool readBinaryData(RtfToken& token, QString& error);
    bool readHexByte(RtfToken& token, QString& error);

    QByteArrayView mInput;
    qsizetype mPosition = 0;
};

} // namespace rtf
