// What the store asks of the native files beyond copies: a file created
// only when its name is free, a lock one holder at a time, links read and
// made as links, and the leftovers of ended writers removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"
#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

struct OpsRow {
    const char* name;
    std::function<void(FileSystem& files, const TempDir& dir)> check;
    bool needsLinks = false;
};

class StoreFileOps : public ::testing::TestWithParam<OpsRow> {};

TEST_P(StoreFileOps, BehaveAsTheStoreNeeds) {
#ifdef _WIN32
    if (GetParam().needsLinks)
        GTEST_SKIP() << "Windows follows its links itself";
#endif
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
    ::testing::Values(
        OpsRow{"ANewFileOnlyWhereTheNameIsFree",
               [](FileSystem& files, const TempDir& dir) {
                   EXPECT_EQ(files.CreateNewFile(In(dir, "entry"), "first"), 0);
                   EXPECT_EQ(files.CreateNewFile(In(dir, "entry"), "second"), FileExistsCode());
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
               }},
        OpsRow{"LeftoversOfEndedWritersOnly",
               [](FileSystem& files, const TempDir& dir) {
                   StandInProcess ended(dir.Path() / "ended" / "QQ.exe");
                   const int endedPid = ended.Pid();
                   ended.Stop();
                   StandInProcess running(dir.Path() / "running" / "QQ.exe");
                   const auto temporary = [&](int pid) {
                       const std::string name = ".sonatrix-copy-" + std::to_string(pid) + "-1";
                       WriteFile(dir.Path() / name, "half");
                       return name;
                   };
                   temporary(endedPid);
                   const std::string others = temporary(running.Pid());
                   const std::string own = temporary(SelfPid());
                   WriteFile(dir.Path() / ".sonatrix-copy-notes", "not a writer's");
                   files.RemoveLeftovers(dir.Folder());
                   ExpectOnly(dir, {"ended", "running", others, own, ".sonatrix-copy-notes"});
               }},
        OpsRow{"LinksAreReadAndMadeAsLinks",
               [](FileSystem& files, const TempDir& dir) {
                   WriteFile(dir.Path() / "msg.wav", "RIFF");
                   std::string target;
                   EXPECT_NE(files.ReadLink(In(dir, "msg.wav"), target), 0);
                   EXPECT_EQ(files.MakeLink("gone.wav", In(dir, "msg.wav")), 0);
                   EXPECT_EQ(files.ReadLink(In(dir, "msg.wav"), target), 0);
                   EXPECT_EQ(target, "gone.wav");
                   EXPECT_EQ(fs::read_symlink(dir.Path() / "msg.wav"), "gone.wav");
                   ExpectOnly(dir, {"msg.wav"});
               },
               true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
