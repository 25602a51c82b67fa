#pragma once

#include <QString>

// A copy of text with every occurrence of the UTF-16 unit from replaced by to.
QString stringByReplacingChar(const QString& text, QChar from, QChar to);
