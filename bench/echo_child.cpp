// SPDX-License-Identifier: GPL-3.0-or-later
// The anchor for lock-step lines: a child that reads lines as CalcTool does and answers each
// with a fixed reply of the given size, ending like a property list, and computes nothing.
//   echo_child BYTES

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const long size = argc > 1 ? std::atol(argv[1]) : 0;
    const std::string tail = "</plist>\n";
    std::string reply(static_cast<std::size_t>(size) > tail.size() ? size - tail.size() : 0, ' ');
    reply += tail;

    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::size_t written = 0;
        while (written < reply.size()) {
            ssize_t n = ::write(STDOUT_FILENO, reply.data() + written, reply.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return 3;
            written += static_cast<std::size_t>(n);
        }
    }
    return 0;
}
