// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a fuzz target does when an oracle fails: abort with the reason, so that libFuzzer keeps
// the input and the sanitizers print where it happened.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
