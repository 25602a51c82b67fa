#pragma once

#include <QString>

// A copy of text with every occurrence of the UTF-16 unit from replaced by to.
QString stringByReplacingChar(const QString& text, QChar from, QChar to);

// A copy of text without any of the UTF-16 units in chars.
QString stringByRemovingChars(const QString& text, QStringView chars);
