// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QMimeData;

// What a paste or a drop puts into a worksheet: the plain text of what was copied or dragged,
// however the program it came from offered it.
//
// Plain text is taken as it is; a program that offers only HTML or only RTF gives the text of
// it, without its formatting. Null when nothing there is text, such as an image.
QString pastedTextOf(const QMimeData* data);

// Whether the data offers text in any of those forms, without reading it: for a drag that moves
// over the text, which must not convert megabytes at every step.
bool offersText(const QMimeData* data);

// Whether the data offers anything at all. A clipboard nobody owns offers nothing, and pasting
// from it is no reason to say anything.
bool offersAnything(const QMimeData* data);
