#include "platform/namedcolors.h"

#include <cstring>

namespace platform {

namespace {

struct NamedColor {
    const char* name;
    QRgb light; // on a light background
    QRgb dark;  // on a dark background
};

const NamedColor kColors[] = {
    {"GoodResult", qRgb(0x00, 0x80, 0x1c), qRgb(0x5c, 0xd6, 0x70)},
    {"BadResult", qRgb(0xc4, 0x1e, 0x1e), qRgb(0xff, 0x6b, 0x6b)},
};

} // namespace

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < 128;
}

QColor namedColor(const char* name, const QPalette& palette) {
    for (const NamedColor& color : kColors)
        if (std::strcmp(color.name, name) == 0)
            return QColor(isDarkPalette(palette) ? color.dark : color.light);
    return palette.color(QPalette::Text);
}

} // namespace platform
