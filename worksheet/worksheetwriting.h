// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFont>
#include <QSize>
#include <QString>

#include <optional>

class QTextDocument;
struct SCalcState;

// The size a worksheet's window starts at, and is saved with when no window showed it.
inline constexpr QSize kDefaultWindowSize(640, 520);

// A worksheet in its native format: the text as RTF, the state's variables and functions, the
// font typing takes and the window's frame. Empty, with the reason, when it cannot be written.
QByteArray worksheetData(const QTextDocument& text, const SCalcState& state,
                         const QFont& typingFont, const QString& windowFrame, QString* error);

// A frame as read from a file, kept for this desktop's primary screen, as a window would keep
// it; a window of the default size at the screen's corner when there is none.
QString frameOnThisScreen(const std::optional<QString>& saved);
