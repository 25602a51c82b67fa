// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A child process on two pipes, for the side-by-side comparison: lines go to its standard
// input, replies (property lists, or anything ending the same way) come from its output.

#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Starts the program with the arguments; exits the comparison when it cannot.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void send(const std::string& text);
    // Reads up to and including the next "</plist>" and returns the reply's size in bytes.
    std::size_t readReply();
    // Closes the child's input, reads its output to the end and waits for it to exit.
    void finish();

private:
    pid_t mPid = -1;
    int mInput = -1;
    int mOutput = -1;
    std::string mPending;
};
