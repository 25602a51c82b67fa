#pragma once

#include "platform/rtffontname.h"

#include <QColor>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace platform::rtf {

struct FontEntry {
    FontFace face;
    // 0 when text in this font follows the document's code page.
    int codePage = 0;
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
    // The code page of the entry being read, for decoding its name.
    int entryCodePage() const { return entry_.codePage; }

private:
    std::map<int, FontEntry> fonts_;
    std::optional<int> current_;
    FontEntry entry_;
    QString name_;
    bool nameEnded_ = false;
};

// Built from the \colortbl group. An entry with no \red, \green or \blue, such as the empty
// first entry macOS writes, stands for the default colour.
class ColorTable {
public:
    void setRed(int value) { setComponent(red_, value); }
    void setGreen(int value) { setComponent(green_, value); }
    void setBlue(int value) { setComponent(blue_, value); }
    void appendText(QStringView text);

    // Nothing for the default colour and for indexes past the end of the table.
    std::optional<QColor> color(int index) const;

private:
    void setComponent(int& component, int value);

    std::vector<std::optional<QColor>> colors_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool hasComponent_ = false;
};

} // namespace platform::rtf
