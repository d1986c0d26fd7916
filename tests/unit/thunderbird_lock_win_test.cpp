// SPDX-License-Identifier: GPL-3.0-or-later
// Thunderbird's profile lock on Windows: "parent.lock" held open, shared
// with no one, while it runs; one left behind by a crash is no lock.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/settings_places.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

TEST(ThunderbirdLock, LiveWhileParentLockIsHeldOpen) {
    const testing::TempDir profile;
    const std::string folder = profile.Folder();
    EXPECT_FALSE(ThunderbirdProfileInUse(folder));
    const std::string lock = folder + "parent.lock";
    const HANDLE held = CreateFileA(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(ThunderbirdProfileInUse(folder));
    CloseHandle(held);
    EXPECT_FALSE(ThunderbirdProfileInUse(folder));
}

}  // namespace
}  // namespace sonatrix
