// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/user_data.h"

namespace sonatrix {
namespace {

TEST(UserDataFolder, IsSonatrixInTheUsersLocalApplicationData) {
    char expected[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", expected, MAX_PATH);
    ASSERT_GT(length, 0u) << "Wine sets LOCALAPPDATA for every prefix";
    const std::string folder = UserDataFolder();
    EXPECT_EQ(folder, std::string(expected, length) + "\\Sonatrix\\");
    EXPECT_TRUE(std::filesystem::is_directory(std::string(expected, length)));
}

}  // namespace
}  // namespace sonatrix
