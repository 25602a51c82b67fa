// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An X server of the test's own (Xvfb), for what the offscreen platform cannot show: it keeps
// its clipboard inside the process, so no other program can own it, and nobody may own it.

#include <QByteArray>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

class XServer {
public:
    // Starts Xvfb on a display it picks itself and points DISPLAY and Qt at it. Exits the test
    // with a message when it cannot: these tests mean nothing on another platform.
    XServer() {
        int displayPipe[2];
        if (::pipe(displayPipe) != 0)
            fail("cannot make a pipe");
        mPid = ::fork();
        if (mPid == 0) {
            ::close(displayPipe[0]);
            // It ends with the test, even one that crashed, and keeps none of its output open.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int nowhere = ::open("/dev/null", O_RDWR);
            ::dup2(nowhere, STDOUT_FILENO);
            ::dup2(nowhere, STDERR_FILENO);
            const std::string fd = std::to_string(displayPipe[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                     "-nolisten", "tcp", static_cast<char*>(nullptr));
            std::_Exit(127);
        }
        ::close(displayPipe[1]);
        std::string display;
        char c = 0;
        while (::read(displayPipe[0], &c, 1) == 1 && c != '\n')
            display += c;
        ::close(displayPipe[0]);
        if (mPid < 0 || display.empty())
            fail("cannot start Xvfb (scripts/setup installs it)");
        qputenv("DISPLAY", QByteArray(":") + display.c_str());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    ~XServer() {
        if (mPid > 0) {
            ::kill(mPid, SIGTERM);
            ::waitpid(mPid, nullptr, 0);
        }
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

private:
    [[noreturn]] static void fail(const char* why) {
        std::fprintf(stderr, "FAIL: %s\n", why);
        std::exit(1);
    }

    pid_t mPid = -1;
};
