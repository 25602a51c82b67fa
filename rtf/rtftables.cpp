#include "rtf/rtftables.h"

#include "rtf/rtfcodepage.h"

#include <algorithm>

namespace rtf {

void FontTable::beginEntry(int number) {
    finishEntry();
    current_ = number;
}

int FontEntry::effectiveCodePage(int documentCodePage) const {
    if (codePage != 0)
        return codePage;
    const int charsetCodePage = charset ? codePageForCharset(*charset, documentCodePage) : 0;
    return charsetCodePage != 0 ? charsetCodePage : documentCodePage;
}

void FontTable::setCharset(int charset) { entry_.charset = charset; }

void FontTable::setCodePage(int codePage) {
    if (codePage > 0)
        entry_.codePage = canonicalCodePage(codePage);
}

void FontTable::appendName(QStringView text) {
    if (!current_ || nameEnded_)
        return;
    const qsizetype semicolon = text.indexOf(u';');
    if (semicolon < 0) {
        name_ += text;
        return;
    }
    name_ += text.first(semicolon);
    nameEnded_ = true;
}

void FontTable::finishEntry() {
    if (current_) {
        name_.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
        entry_.face = fontFaceFromRtfName(name_);
        fonts_.insert_or_assign(*current_, entry_);
    }
    current_.reset();
    entry_ = FontEntry{};
    name_.clear();
    nameEnded_ = false;
}

const FontEntry* FontTable::find(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? nullptr : &found->second;
}

void ColorTable::appendText(QStringView text) {
    for (QChar c : text) {
        if (c != u';')
            continue;
        if (hasComponent_)
            colors_.push_back(QColor(red_, green_, blue_));
        else
            colors_.push_back(std::nullopt);
        red_ = green_ = blue_ = 0;
        hasComponent_ = false;
    }
}

std::optional<QColor> ColorTable::color(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= colors_.size())
        return std::nullopt;
    return colors_[static_cast<size_t>(index)];
}

void ColorTable::setComponent(int& component, int value) {
    component = std::clamp(value, 0, 255);
    hasComponent_ = true;
}

} // namespace rtf
