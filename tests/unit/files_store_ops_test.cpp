// SPDX-License-Identifier: GPL-3.0-or-later
// What the store asks of the native files beyond copies: a file created
// only when its name is free, a lock one holder at a time. (Links and
// leftovers are met in the store's own tests.)
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

struct OpsRow {
    const char* name;
    std::function<void(FileSystem& files, const TempDir& dir)> check;
};

class StoreFileOps : public ::testing::TestWithParam<OpsRow> {};

TEST_P(StoreFileOps, BehaveAsTheStoreNeeds) {
    TempDir dir;
    const std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    GetParam().check(*files, dir);
}

std::string In(const TempDir& dir, const char* name) {
    return NarrowPath(dir.Path() / name);
}

// Nothing but `names` in the folder (no temporary file left).
void ExpectOnly(const TempDir& dir, std::set<std::string> names) {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, names);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoreFileOps,
    ::testing::Values(OpsRow{"ANewFileOnlyWhereTheNameIsFree",
                             [](FileSystem& files, const TempDir& dir) {
                                 EXPECT_EQ(files.CreateNewFile(In(dir, "entry"), "first"), 0);
                                 EXPECT_EQ(files.CreateNewFile(In(dir, "entry"), "second"),
                                           FileExistsCode());
                                 EXPECT_EQ(ReadFile(dir.Path() / "entry"), "first");
                                 ExpectOnly(dir, {"entry"});
                             }},
                      OpsRow{"ALockHasOneHolderAtATime",
                             [](FileSystem& files, const TempDir& dir) {
                                 std::unique_ptr<HeldLock> first, second;
                                 ASSERT_EQ(files.LockFile(In(dir, "lock"), 0, first), 0);
                                 EXPECT_EQ(files.LockFile(In(dir, "lock"), 50, second), BusyCode());
                                 first.reset();
                                 EXPECT_EQ(files.LockFile(In(dir, "lock"), 0, second), 0);
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
