// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace rtf {

// Mac fixed-pitch families (Menlo, Monaco, Courier…), which a Linux desktop rarely has. The
// desktop's substitute for them is fixed-pitch only when asked for with QFont::TypeWriter.
bool isFixedPitchMacFamily(const QString& family);

// The font a stored family and size ask for. The family is kept as it was, installed or not, so
// it is saved back unchanged; what shows is fontconfig's substitute for it.
QFont fontForStoredFamily(const QString& family, double points);

} // namespace rtf
