// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop tests run in a home of their own.
#include <gtest/gtest.h>

#include "desktop_home.h"
#include "temp_dir.h"

int main(int argc, char** argv) {
    const sonatrix::testing::TempDir home;
    sonatrix::testing::UseOwnDesktopHome(home.Path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
