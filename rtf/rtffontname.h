// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rtf {

struct FontFace {
    QString family;
    bool bold = false;
    bool italic = false;

    bool operator==(const FontFace&) const = default;
};

// macOS names fonts in the font table by their PostScript names ("Menlo-Regular",
// "Helvetica-BoldOblique", "TimesNewRomanPSMT"); Qt wants the family. Names that do not look
// like PostScript names, such as "Helvetica" or "Times New Roman", are families already and
// come back unchanged, so the families our writer puts in a font table read back as they were.
// System font names, which start with a dot, give an empty family: the document's default.
FontFace fontFaceFromRtfName(const QString& name);

} // namespace rtf
