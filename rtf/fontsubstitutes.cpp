// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/fontsubstitutes.h"

#include <algorithm>
#include <array>

namespace rtf {

bool isFixedPitchMacFamily(const QString& family) {
    static constexpr std::array<QStringView, 8> families = {
        u"Menlo",       u"Monaco",  u"Courier", u"Courier New",
        u"Andale Mono", u"SF Mono", u"PT Mono", u"Osaka-Mono"};
    return std::any_of(families.begin(), families.end(), [&family](QStringView known) {
        return family.compare(known, Qt::CaseInsensitive) == 0;
    });
}

QFont fontForStoredFamily(const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points);
    if (isFixedPitchMacFamily(family))
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace rtf
