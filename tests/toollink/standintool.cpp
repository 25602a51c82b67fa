// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for CalcTool that fails in one chosen way, for the tests of how a worksheet
// survives its tool.
//
// FIGURELLO_STANDIN_FAULT names the fault. FIGURELLO_STANDIN_DIR is a folder of the test's own:
// each launch appends its process id to "launches" there, and only the first launch in it is
// faulty. Every later launch becomes the real tool, FIGURELLO_CALCTOOL, with the same
// arguments, so a tool the worksheet restarts after the fault works.

#include "calctool/reply.h"
#include "engine/calcengine.h"
#include "plist/xmlwriter.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// What a tool that took the reply would record: the test checks that the worksheet did not.
std::string reply(std::string_view symbol = "x") {
    return plist::writeXml(MakeReply(kValue, 99, "", symbol, 0));
}

bool writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// Unbuffered, so no more than the request is taken from the pipe.
void readRequest() {
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) == 1 && c != '\n') {
    }
}

[[noreturn]] void stayForever() {
    for (;;)
        ::pause();
}

[[noreturn]] void dieOf(int signal) {
    // No core file in the build folder.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::signal(signal, SIG_DFL);
    ::raise(signal);
    std::_Exit(1);
}

int misbehave(std::string_view fault) {
    if (fault == "exit-at-once")
        return 0;
    if (fault == "close-stdout") {
        // Can never answer, yet goes on taking requests, and will not end when asked.
        std::signal(SIGTERM, SIG_IGN);
        ::close(STDOUT_FILENO);
        for (;;)
            readRequest();
    }
    if (fault == "never-read")
        stayForever();

    readRequest();
    if (fault == "exit-before-answering")
        return 0;
    if (fault == "cut-off") {
        const std::string whole = reply();
        writeAll(std::string_view(whole).substr(0, whole.size() / 2));
        stayForever();
    }
    if (fault == "garbage-then-reply") {
        writeAll("\x01\xfe not a reply \x7f\n" + reply());
        stayForever();
    }
    if (fault == "two-replies") {
        // One write, so both arrive together.
        writeAll(reply() + reply("y"));
        stayForever();
    }
    if (fault == "huge-reply") {
        // Written as it is made, so its start arrives well within the time limit.
        const std::string whole = reply("@");
        const std::size_t name = whole.find("<string>@") + std::strlen("<string>");
        writeAll(std::string_view(whole).substr(0, name));
        const std::string block(64 * 1024, 'x');
        for (int i = 0; i < 160; ++i)
            writeAll(block);
        writeAll(std::string_view(whole).substr(name + 1));
        stayForever();
    }
    if (fault == "sigkill")
        dieOf(SIGKILL);
    if (fault == "sigsegv")
        dieOf(SIGSEGV);
    if (fault == "sigterm")
        dieOf(SIGTERM);
    std::fprintf(stderr, "standin: unknown fault %.*s\n", int(fault.size()), fault.data());
    return 2;
}

} // namespace

int main(int, char** argv) {
    const char* fault = std::getenv("FIGURELLO_STANDIN_FAULT");
    const char* folder = std::getenv("FIGURELLO_STANDIN_DIR");
    const char* realTool = std::getenv("FIGURELLO_CALCTOOL");
    if (!fault || !folder || !realTool) {
        std::fputs("standin: FIGURELLO_STANDIN_FAULT, FIGURELLO_STANDIN_DIR and "
                   "FIGURELLO_CALCTOOL must be set\n",
                   stderr);
        return 2;
    }
    const std::string launches = std::string(folder) + "/launches";
    if (FILE* log = std::fopen(launches.c_str(), "a")) {
        std::fprintf(log, "%ld\n", long(::getpid()));
        std::fclose(log);
    }
    const std::string marker = std::string(folder) + "/faulted";
    const int first = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (first < 0) {
        ::execv(realTool, argv);
        std::fprintf(stderr, "standin: cannot run %s: %s\n", realTool, std::strerror(errno));
        return 127;
    }
    ::close(first);
    return misbehave(fault);
}
