// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace rtf {

enum class Keyword {
    Unknown,
    Rtf,
    AnsiCharacterSet,
    MacCharacterSet,
    PcCharacterSet,
    Pc850CharacterSet,
    AnsiCodePage,
    DefaultFont,
    FontTable,
    ColorTable,
    SkippedDestination,
    Attachment,
    Picture,
    ShapePicture,
    PictureKind,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    Font,
    FontCharset,
    FontCodePage,
    FontSize,
    Red,
    Green,
    Blue,
    Foreground,
    Background,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Superscript,
    Subscript,
    NoSuperSub,
    Plain,
    ParagraphBreak,
    ResetParagraph,
    AlignLeft,
    AlignRight,
    AlignCenter,
    AlignJustify,
    AlignNatural,
    Unicode,
    UnicodeSkipCount,
    Character,
};

struct KeywordMeaning {
    Keyword keyword = Keyword::Unknown;
    // The text a Character keyword stands for, such as a tab for \tab.
    char16_t character = 0;
};

KeywordMeaning keywordMeaning(QByteArrayView word);

} // namespace rtf
