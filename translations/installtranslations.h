// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

// Installs into the running application the translation of Figurello's texts for the first of
// the locale's languages that has one, and Qt's own beside it (the standard dialog buttons).
// English has one too, holding only its plural forms ("1 answer changed"), so it is installed
// under every language. The C locale gets nothing more, whatever LANGUAGE says, as gettext does.
void installTranslations(const QLocale& locale = QLocale::system());
