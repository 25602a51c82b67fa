// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/childprocess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "compare: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int input[2];
    int output[2];
    if (pipe(input) != 0 || pipe(output) != 0)
        Fail("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    for (int fd : {input[0], input[1], output[0], output[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    if (posix_spawnp(&mPid, args[0], &actions, nullptr, args.data(), environ) != 0)
        Fail(argv[0].c_str());
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    mInput = input[1];
    mOutput = output[0];
}

ChildProcess::~ChildProcess() {
    if (mPid > 0)
        finish();
}

void ChildProcess::send(const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(mInput, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("write to child");
        written += static_cast<std::size_t>(n);
    }
}

std::size_t ChildProcess::readReply() {
    static const std::string kEnd = "</plist>";
    char buffer[4096];
    for (;;) {
        std::size_t end = mPending.find(kEnd);
        if (end != std::string::npos) {
            std::size_t size = end + kEnd.size();
            if (size < mPending.size() && mPending[size] == '\n')
                ++size;
            mPending.erase(0, size);
            return size;
        }
        ssize_t n = read(mOutput, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("child ended before its reply");
        mPending.append(buffer, static_cast<std::size_t>(n));
    }
}

void ChildProcess::finish() {
    if (mInput >= 0)
        close(mInput);
    mInput = -1;
    char buffer[4096];
    while (read(mOutput, buffer, sizeof buffer) > 0) {
    }
    close(mOutput);
    int status = 0;
    waitpid(mPid, &status, 0);
    mPid = -1;
}
