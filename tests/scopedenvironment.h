// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets an environment variable, or unsets it for an empty value, until the end of the scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : mName(name), mWasSet(qEnvironmentVariableIsSet(name)), mOld(qgetenv(name)) {
        value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnvironment() { mWasSet ? qputenv(mName, mOld) : qunsetenv(mName); }

private:
    const char* mName;
    bool mWasSet;
    QByteArray mOld;
};
