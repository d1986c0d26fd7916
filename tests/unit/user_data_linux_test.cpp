// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include <gtest/gtest.h>

#include "platform/user_data.h"
#include "scoped_env_linux.h"

namespace sonatrix {
namespace {

using testing::ScopedEnv;

TEST(UserDataFolder, FollowsXdgDataHomeElseTheHomeDefault) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/of/user");
        ScopedEnv home("HOME", "/home/user");
        EXPECT_EQ(UserDataFolder(), "/data/of/user/sonatrix/");
    }
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedEnv data("XDG_DATA_HOME", ignored);
        ScopedEnv home("HOME", "/home/user");
        EXPECT_EQ(UserDataFolder(), "/home/user/.local/share/sonatrix/")
            << (ignored ? ignored : "(unset)");
    }
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    EXPECT_EQ(UserDataFolder(), "");
}

}  // namespace
}  // namespace sonatrix
