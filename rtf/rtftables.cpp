// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtftables.h"

#include "rtf/rtfcodepage.h"

#include <algorithm>

namespace rtf {

void FontTable::beginEntry(int number) {
    finishEntry();
    mCurrent = number;
}

int FontEntry::effectiveCodePage(int documentCodePage) const {
    if (codePage != 0)
        return codePage;
    const int charsetCodePage = charset ? codePageForCharset(*charset, documentCodePage) : 0;
    return charsetCodePage != 0 ? charsetCodePage : documentCodePage;
}

void FontTable::setCharset(int charset) { mEntry.charset = charset; }

void FontTable::setCodePage(int codePage) {
    if (codePage > 0)
        mEntry.codePage = canonicalCodePage(codePage);
}

void FontTable::appendName(QStringView text) {
    if (!mCurrent || mNameEnded)
        return;
    const qsizetype semicolon = text.indexOf(u';');
    if (semicolon < 0) {
        mName += text;
        return;
    }
    mName += text.first(semicolon);
    mNameEnded = true;
}

void FontTable::finishEntry() {
    if (mCurrent) {
        mName.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
        mEntry.face = fontFaceFromRtfName(mName);
        mFonts.insert_or_assign(*mCurrent, mEntry);
    }
    mCurrent.reset();
    mEntry = FontEntry{};
    mName.clear();
    mNameEnded = false;
}

const FontEntry* FontTable::find(int number) const {
    const auto found = mFonts.find(number);
    return found == mFonts.end() ? nullptr : &found->second;
}

void ColorTable::appendText(QStringView text) {
    for (QChar c : text) {
        if (c != u';')
            continue;
        if (mHasComponent)
            mColors.push_back(QColor(mRed, mGreen, mBlue));
        else
            mColors.push_back(std::nullopt);
        mRed = mGreen = mBlue = 0;
        mHasComponent = false;
    }
}

std::optional<QColor> ColorTable::color(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= mColors.size())
        return std::nullopt;
    return mColors[static_cast<size_t>(index)];
}

void ColorTable::setComponent(int& component, int value) {
    component = std::clamp(value, 0, 255);
    mHasComponent = true;
}

} // namespace rtf
