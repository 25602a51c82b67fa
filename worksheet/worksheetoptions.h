// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

// What the user chose, or the desktop tells, about how every worksheet calculates. The owner of
// a worksheet hands it a value, and a new one whenever the user changes a setting.
struct WorksheetOptions {
    // How long one line may take before it is given up, in seconds.
    double timeLimitSeconds = 1.0;
    // Whether numbers are written with a decimal comma, as the user's locale writes them.
    bool commaIsDecimal = false;
    // Whether Return on an answered line also updates the answers that depend on it.
    bool updatesDependents = true;

    // The defaults, with the locale's decimal mark.
    static WorksheetOptions forLocale(const QLocale& locale) {
        WorksheetOptions options;
        options.commaIsDecimal = locale.decimalPoint() == QLatin1String(",");
        return options;
    }

    bool operator==(const WorksheetOptions&) const = default;
};
