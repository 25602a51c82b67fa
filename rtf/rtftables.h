// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/rtffontname.h"

#include <QColor>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace rtf {

struct FontEntry {
    FontFace face;
    std::optional<int> charset;
    // From \cpg, which names the code page outright; 0 when the entry has none.
    int codePage = 0;

    // The code page of text in this font: its own where it gives one, else the document's.
    int effectiveCodePage(int documentCodePage) const;
};

// Built from the \fonttbl group: each entry starts with \fN and its name ends at a semicolon.
class FontTable {
public:
    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    void appendName(QStringView text);
    void finishEntry();

    const FontEntry* find(int number) const;
    // The entry being read, whose code page decodes its name.
    const FontEntry& entry() const { return mEntry; }

private:
    std::map<int, FontEntry> mFonts;
    std::optional<int> mCurrent;
    FontEntry mEntry;
    QString mName;
    bool mNameEnded = false;
};

// Built from the \colortbl group. An entry with no \red, \green or \blue, such as the empty
// first entry macOS writes, stands for the default colour.
class ColorTable {
public:
    void setRed(int value) { setComponent(mRed, value); }
    void setGreen(int value) { setComponent(mGreen, value); }
    void setBlue(int value) { setComponent(mBlue, value); }
    void appendText(QStringView text);

    // Nothing for the default colour and for indexes past the end of the table.
    std::optional<QColor> color(int index) const;

private:
    void setComponent(int& component, int value);

    std::vector<std::optional<QColor>> mColors;
    int mRed = 0;
    int mGreen = 0;
    int mBlue = 0;
    bool mHasComponent = false;
};

} // namespace rtf
