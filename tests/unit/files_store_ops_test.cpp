// SPDX-License-Identifier: GPL-3.0-or-later
// What the store asks of the native files beyond copies: a file created
// only when its name is free, a lock one holder at a time. (Links and
// leftovers are met in the store's own tests.)
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/files.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace sonatrix::testing {
namespace {

TEST(StoreFileOps, ANewFileOnlyWhereTheNameIsFree) {
    const TempDir dir;
    const std::string entry = NarrowPath(dir.Path() / "entry");
    const std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    EXPECT_EQ(files->CreateNewFile(entry, "first"), 0);
    EXPECT_EQ(files->CreateNewFile(entry, "second"), FileExistsCode());
    // Nothing else in the folder: no temporary file left.
    EXPECT_EQ(TakeSnapshot(dir.Path()), (TreeSnapshot{{"entry", "first"}}));
}

TEST(StoreFileOps, ALockHasOneHolderAtATime) {
    const TempDir dir;
    const std::string lock = NarrowPath(dir.Path() / "lock");
    const std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    std::unique_ptr<HeldLock> first, second;
    ASSERT_EQ(files->LockFile(lock, 0, first), 0);
    EXPECT_EQ(files->LockFile(lock, 50, second), BusyCode());
    first.reset();
    EXPECT_EQ(files->LockFile(lock, 0, second), 0);
}

}  // namespace
}  // namespace sonatrix::testing
