// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start-up timing, shared by the application and the bare QTextEdit program it is measured
// against (bench/startup), so that both are timed the same way. With FIGURELLO_QUIT_AT_FIRST_PAINT
// in the environment, the first paint of a text view prints how long the process took to get
// there and ends the process. "@" and the CLOCK_MONOTONIC time of the launch in
// nanoseconds counts from then; any other value (such as 1) from the process's start as the
// kernel records it, to the nearest clock tick.

#include <QCoreApplication>
#include <QEvent>
#include <QTextEdit>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace platform {

class FirstPaintProbe : public QObject {
public:
    static void installIfAsked() {
        if (!qEnvironmentVariableIsSet(kVariable))
            return;
        QCoreApplication::instance()->installEventFilter(new FirstPaintProbe);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        const auto* view = qobject_cast<QTextEdit*>(watched->parent());
        if (!view || view->viewport() != watched)
            return false;
        QCoreApplication::instance()->removeEventFilter(this);
        // The paint itself counts; nothing queued behind it does, so that timing the whole
        // process times the same.
        QCoreApplication::sendEvent(watched, event);
        std::printf("first paint %.3f ms\n", millisecondsSinceLaunch());
        std::fflush(stdout);
        std::_Exit(0);
    }

private:
    static constexpr char kVariable[] = "FIGURELLO_QUIT_AT_FIRST_PAINT";

    static double nowNs(clockid_t clock) {
        timespec now{};
        clock_gettime(clock, &now);
        return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
    }

    static double millisecondsSinceLaunch() {
        const QString launched = qEnvironmentVariable(kVariable);
        bool isNumber = false;
        const double launchedNs = launched.mid(1).toDouble(&isNumber);
        if (launched.startsWith(u'@') && isNumber)
            return (nowNs(CLOCK_MONOTONIC) - launchedNs) / 1e6;
        // Field 22 of /proc/self/stat: the start time in clock ticks since boot.
        std::ifstream stat("/proc/self/stat");
        std::string line;
        std::getline(stat, line);
        const auto afterName = line.rfind(')');
        std::size_t field = 3;
        std::size_t at = afterName + 1;
        while (field < 22 && at != std::string::npos) {
            at = line.find(' ', at + 1);
            ++field;
        }
        const double startedTicks = std::strtod(line.c_str() + at, nullptr);
        return nowNs(CLOCK_BOOTTIME) / 1e6 - startedTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
    }
};

} // namespace platform
