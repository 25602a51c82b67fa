// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/rtfcodepage.h"
#include "rtf/rtfcontent.h"
#include "rtf/rtfkeywords.h"
#include "rtf/rtfpicturereader.h"
#include "rtf/rtftables.h"
#include "rtf/rtftextbuilder.h"
#include "rtf/rtftokenizer.h"

#include <QByteArray>
#include <QTextCharFormat>

#include <optional>
#include <vector>

namespace rtf {

// Reads RTF into RtfContent. Groups are kept on an explicit stack of saved states, so deep
// nesting costs memory rather than call depth, and is refused beyond maxGroupDepth.
class RtfParser {
public:
    static constexpr int maxGroupDepth = 1000;
    // 1638 points, the largest size common editors offer; larger sizes are clamped to it.
    static constexpr int maxHalfPoints = 3276;
    static constexpr int defaultHalfPoints = CharacterProperties::defaultHalfPoints;

    explicit RtfParser(QByteArrayView rtf);

    // False with a readable error when the data is not RTF or is damaged.
    bool parse(RtfContent& content, QString& error);

private:
    enum class Destination { Text, FontTable, ColorTable, Picture, Skipped };

    using CharacterState = CharacterProperties;

    struct GroupState {
        Destination destination = Destination::Text;
        CharacterState character;
        std::optional<Qt::Alignment> alignment;
        int unicodeSkip = 1;
        // The group describes an attachment (a picture, a file) that the text cannot hold.
        bool describesAttachment = false;
        // The next character stands in for an attachment described just before it.
        bool awaitsAttachmentCharacter = false;
        // The group's \pict began the picture being read; closing the group ends it.
        bool opensPicture = false;
    };

    bool handle(const RtfToken& token);
    bool handleAfterEnd(const RtfToken& token);
    bool openGroup();
    bool closeGroup();
    bool handleControlWord(const RtfToken& token);
    bool handleControlSymbol(char symbol);
    void handleFontTableWord(Keyword keyword, const RtfToken& token);
    void handleColorTableWord(Keyword keyword, const RtfToken& token);
    void handleTextWord(Keyword keyword, const RtfToken& token);
    void openPicture();
    void openShapePicture();
    void appendBytes(QByteArrayView bytes);
    void flushBytes();
    void deliver(QStringView text);
    void deliverUnicode(int parameter);
    void endParagraph();
    bool consumeSkippedCharacter();
    bool fail(const QString& message);

    GroupState& group() { return mGroups.back(); }
    int codePageForBytes() const;
    const QTextCharFormat& currentCharFormat();
    QTextBlockFormat currentBlockFormat() const;

    QByteArrayView mRtf;
    RtfTokenizer mTokenizer;
    std::vector<GroupState> mGroups;
    FontTable mFonts;
    ColorTable mColors;
    RtfTextBuilder mText;
    RtfContent mContent;
    CodePageDecoder mDecoder;
    QByteArray mPendingBytes;
    PictureReader mPicture;
    std::vector<int> mUnreadCodePages;
    int mDocumentCodePage = windowsLatin1CodePage;
    int mDefaultFont = -1;
    int mPendingSkip = 0;
    bool mEnded = false;
    // The previous token was \*, so a skipped group may still turn out to be one we know.
    bool mFollowsStar = false;
    QString mError;
    std::optional<CharacterState> mFormatState;
    QTextCharFormat mFormat;
};

} // namespace rtf
