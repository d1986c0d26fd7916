#include <gtest/gtest.h>

#include <filesystem>

#include "platform/writable_folder.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::TestWorld;

TEST(FolderIsWritable, OnlyForAnExistingFolderTheUserMayWriteInAndLeavesNothing) {
    TestWorld world;
    EXPECT_TRUE(FolderIsWritable(world.appDir));
    EXPECT_TRUE(FolderIsWritable(world.appDir.substr(0, world.appDir.size() - 1)));
    EXPECT_TRUE(std::filesystem::is_empty(world.At("app")));
    EXPECT_FALSE(FolderIsWritable(world.appDir + "missing"));
    // Wine's drive Z: is the Unix root; no one may create files in /proc.
    EXPECT_FALSE(FolderIsWritable("Z:\\proc\\"));
}

}  // namespace
}  // namespace sonatrix
