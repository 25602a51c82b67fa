// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <span>

namespace platform {

// One text the user sees, under the key the code asks for it by. The text is the English
// source, marked with QT_TRANSLATE_NOOP so that lupdate finds it.
struct KeyedText {
    const char* key;
    const char* text;
};

// Adds an application's own texts to the ones the document framework brings, translated in
// `context` (the one their QT_TRANSLATE_NOOP names). The table must outlive every lookup; a key
// added again keeps its first text.
void addKeyedTexts(const char* context, std::span<const KeyedText> texts);

// Every text the user sees, looked up by key in one table. A key missing from the table shows
// as the key itself, so a gap is visible rather than silent.
QString keyedText(const char* key);

// The English text under the key, untranslated: what a worksheet written in English holds.
QString sourceKeyedText(const char* key);

// Whether the table has a text for the key.
bool hasKeyedText(const char* key);

} // namespace platform
