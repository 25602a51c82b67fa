// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/largestack.h"

#include <gtest/gtest.h>

// The tests evaluate on a stack as large as CalcTool's, so that deep recursion is tested as the
// tool runs it, in every build.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RunOnLargeStack([] { return RUN_ALL_TESTS(); });
}
