// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-in tools for the ways a calculation tool can fail, and what the tests that use them
// look at: the state before and after a line, and whether a tool's process is gone.

#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "toollink/toollink.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <optional>
#include <utility>

// Time-outs and restarts on a loaded machine: generous, yet far short of never.
constexpr int kMarginMs = 4000;

// What the worksheet's state holds, to compare before and after a line.
using Mirror = std::pair<std::optional<plist::Dictionary>, std::optional<plist::Dictionary>>;
inline Mirror mirrorOf(const SCalcState& state) {
    return {CopyVariablesDictionary(state), CopyFunctionsDictionary(state)};
}

inline bool processExists(qint64 pid) { return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH; }

// A shell script in the folder, to stand in for the tool; its path.
inline QString writeStandIn(const QTemporaryDir& folder, const QString& name,
                            const QByteArray& script) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + script) < 0)
        qFatal("cannot write a stand-in tool");
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

// Waits for the tool to end and for what its end set in motion. A tool the worksheet started
// again would be running now, or would have ended after writing its launch down.
[[nodiscard]] inline bool toolHasEnded(const ToolLink& tool) {
    if (!QTest::qWaitFor([&tool] { return !tool.isRunning(); }, kMarginMs))
        return false;
    QCoreApplication::sendPostedEvents();
    return !tool.isRunning();
}
