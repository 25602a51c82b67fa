#pragma once

#include <QColor>
#include <QPalette>

namespace platform {

// The worksheet's named colours, "GoodResult" and "BadResult", in the variant that stays
// readable on the palette's base colour: darker shades on a light background, lighter shades
// on a dark one. An unknown name gives the palette's text colour.
QColor namedColor(const char* name, const QPalette& palette);

bool isDarkPalette(const QPalette& palette);

} // namespace platform
