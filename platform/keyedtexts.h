#pragma once

#include <QString>

namespace platform {

// Every text the user sees, looked up by key in one table. A key missing from the table shows
// as the key itself, so a gap is visible rather than silent.
QString keyedText(const char* key);

// Whether the table has a text for the key.
bool hasKeyedText(const char* key);

} // namespace platform
