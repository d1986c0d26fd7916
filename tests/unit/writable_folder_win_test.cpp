// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "model/library_locations.h"
#include "platform/user_data.h"
#include "platform/writable_folder.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::TestWorld;

// Wine's drive Z: is the Unix root; no one may create files in /proc, so it
// stands for a program folder under Program Files.
constexpr const char* kUnwritableFolder = "Z:\\proc\\";

TEST(FolderIsWritable, OnlyForAnExistingFolderTheUserMayWriteInAndLeavesNothing) {
    TestWorld world;
    EXPECT_TRUE(FolderIsWritable(world.appDir));
    EXPECT_TRUE(FolderIsWritable(world.appDir.substr(0, world.appDir.size() - 1)));
    EXPECT_TRUE(std::filesystem::is_empty(world.At("app")));
    EXPECT_FALSE(FolderIsWritable(world.appDir + "missing"));
    EXPECT_FALSE(FolderIsWritable(kUnwritableFolder));
}

TEST(ReadOnlyProgramFolder, KeepsTheUsersSoundsInLocalApplicationData) {
    TestWorld world;
    const std::string dataFolder = UserDataFolder();
    ASSERT_FALSE(dataFolder.empty());
    const ProgramFolders folders =
        DecideProgramFolders(*world.files, kUnwritableFolder, dataFolder);
    EXPECT_EQ(folders.appDir, kUnwritableFolder);
    EXPECT_EQ(folders.userLibraryDir, dataFolder + "newsounds\\");
}

}  // namespace
}  // namespace sonatrix
