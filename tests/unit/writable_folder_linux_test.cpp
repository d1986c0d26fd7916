// SPDX-License-Identifier: GPL-3.0-or-later
// A program folder that cannot be written: read-only, also for root (a
// read-only mount, as a live system or a locked-down /usr is).
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/catalogue.h"
#include "model/library_locations.h"
#include "mounts.h"
#include "platform/writable_folder.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::ScopedMount;
using testing::TestWorld;

TEST(FolderIsWritable, OnlyForAnExistingFolderTheUserMayWriteInAndLeavesNothing) {
    TestWorld world;
    EXPECT_TRUE(FolderIsWritable(world.appDir));
    EXPECT_TRUE(std::filesystem::is_empty(world.At("app")));
    EXPECT_FALSE(FolderIsWritable(world.appDir + "missing"));
    EXPECT_FALSE(FolderIsWritable(""));
}

TEST(ReadOnlyProgramFolder, MakesTheUserLibraryTheOneWrittenTo) {
    if (!ScopedMount::Available())
        GTEST_SKIP() << "mounting is not permitted here";
    TestWorld world;
    world.Put("app/newsounds/x.wav");
    const ScopedMount readOnly = ScopedMount::ReadOnly(world.At("app"));
    ASSERT_TRUE(readOnly.Mounted());

    EXPECT_FALSE(FolderIsWritable(world.appDir));
    const ProgramFolders folders = DecideProgramFolders(*world.files, world.appDir, world.dataDir);
    // The shipped files stay where they are, beside the executable.
    EXPECT_EQ(folders.appDir, world.appDir);
    EXPECT_EQ(folders.userLibraryDir, world.dataDir + kLibraryFolderName + "/");
}

}  // namespace
}  // namespace sonatrix
