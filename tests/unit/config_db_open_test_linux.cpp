// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "config_db_world.h"
#include "replace/config_db_repair.h"

namespace sonatrix {
namespace {

using testing::ConfigDbWorld;
using testing::DialogForm;

TEST(ConfigDbOpen, AFileThatCannotBeOpenedEndsWithTheStandardErrorBox) {
    ConfigDbWorld world;
    // A socket is found as a file but cannot be opened for reading.
    std::filesystem::create_directories(world.ConfigDb().parent_path());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = world.ConfigDbPath();
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    world.dialogs.ThenText(testing::kAccount);
    Button2Click(world.model);
    ::close(fd);

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.Shown(1).form, DialogForm::AppError);
    EXPECT_EQ(world.Shown(1).caption, "Sonatrix2009");
    EXPECT_EQ(world.Shown(1).text, "Cannot open file " + path + ".");
    EXPECT_EQ(world.dialogs.busyCursorOn, 0);
    EXPECT_TRUE(std::filesystem::exists(world.ConfigDb()));
}

}  // namespace
}  // namespace sonatrix
