// SPDX-License-Identifier: GPL-3.0-or-later
// The store stays small and whole: the journal keeps its latest entries
// (those undo and redo no longer take go first), kept contents go with the
// last entry that refers to them, originals stay; a new start removes what
// a crash left and renames the entries of earlier versions.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/crash_leftovers.h"
#include "originals/change_run.h"
#include "originals/journal_stacks.h"
#include "originals/store_pruning.h"
#include "originals_world.h"
#include "standin_process.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint64_t> Numbers(const std::vector<EntryHeader>& headers) {
    std::vector<std::uint64_t> numbers;
    for (const EntryHeader& header : headers)
        numbers.push_back(header.number);
    return numbers;
}

std::vector<EntryHeader> Headers(const OriginalsStore& store) {
    std::vector<EntryHeader> headers;
    EXPECT_EQ(JournalHeaders(store, headers), 0);
    return headers;
}

// Every kept content is one an original or an entry refers to, and what
// an original or an entry's before names is kept (an after copied from the
// library need not be).
void ExpectBlobsExactlyReferenced(OriginalsWorld& world) {
    std::set<std::string> kept, referred;
    std::vector<FolderOriginals> every;
    ASSERT_EQ(world.Store().ReadEveryOriginal(every), 0);
    for (const auto& originals : every)
        for (const auto& original : originals.files)
            kept.insert(original.content);
    for (const JournalEntry& entry : world.Journal())
        for (const FileChange& change : entry.files) {
            kept.insert(change.before);
            referred.insert(change.after);
        }
    kept.erase(std::string(kAbsent));
    referred.insert(kept.begin(), kept.end());
    const TreeSnapshot blobs = world.Snapshot("userdata/originals/blobs");
    for (const std::string& content : kept)
        EXPECT_TRUE(blobs.contains(content)) << content << " is not kept";
    for (const auto& [blob, bytes] : blobs)
        EXPECT_TRUE(referred.contains(blob)) << blob << " is kept with nothing referring to it";
}

struct PruneRow {
    const char* name;
    int themes;  // 山村静夜 and 烈火金刚 by turns
    int undos;
    std::size_t keep;
    std::vector<std::uint64_t> left;
};

class Pruning : public ::testing::TestWithParam<PruneRow> {};

TEST_P(Pruning, KeepsTheLatestEntriesTheirContentsAndEveryOriginal) {
    const PruneRow& row = GetParam();
    OriginalsWorld world;
    const TreeSnapshot first = world.Snapshot(kClientSound);
    for (int i = 0; i < row.themes; ++i)
        (i % 2 ? SpeedButton10Click : SpeedButton5Click)(world.model);
    for (int i = 0; i < row.undos; ++i)
        world.Undo();
    const TreeSnapshot now = world.Snapshot(kClientSound);
    const JournalStacks stacks = ReplayJournal(Headers(world.Store()));

    OriginalsStore store = world.Store();
    PruneJournal(store, row.keep);
    EXPECT_EQ(Numbers(Headers(store)), row.left);
    ExpectBlobsExactlyReferenced(world);
    // What undo and redo take is as before.
    const JournalStacks pruned = ReplayJournal(Headers(store));
    EXPECT_EQ(Numbers(pruned.redo), Numbers(stacks.redo));
    EXPECT_EQ(world.Snapshot(kClientSound), now);
    world.RestoreAll(kClientSound);
    EXPECT_EQ(world.Snapshot(kClientSound), first);
}

INSTANTIATE_TEST_SUITE_P(Rows, Pruning,
                         ::testing::Values(PruneRow{"TheOldestGo", 8, 0, 5, {4, 5, 6, 7, 8}},
                                           PruneRow{"UndoneGoFirst", 6, 2, 6, {1, 2, 3, 4, 7, 8}},
                                           PruneRow{
                                               "NothingBelowTheLength", 3, 1, 4, {1, 2, 3, 4}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A number once given is never given again, even when its entry is gone:
// an entry is never mistaken for another.
TEST(Journal, GivesNoNumberTwice) {
    OriginalsWorld world;
    SpeedButton5Click(world.model);
    SpeedButton10Click(world.model);
    const fs::path journal = world.base.At("userdata/originals/journal");
    fs::remove(journal / "00000000000000000002-c");
    world.Undo();
    EXPECT_TRUE(fs::exists(journal / "00000000000000000003-u1"));
}

// A temporary file as the atomic writes name theirs, by process `pid`.
fs::path Leftover(OriginalsWorld& world, const std::string& folder, int pid) {
    return world.base.Put(folder + "/.sonatrix-copy-" + std::to_string(pid) + "-7", "half");
}

// What an earlier run left, and what a new start must do about it.
struct Left {
    std::vector<fs::path> gone;
    std::vector<fs::path> kept;
    std::unique_ptr<StandInProcess> running;  // another program, still writing
};

struct TidyRow {
    const char* name;
    std::function<void(OriginalsWorld&, Left&)> arrange;
    const char* nextUndo;
};

class StartTidying : public ::testing::TestWithParam<TidyRow> {};

TEST_P(StartTidying, RemovesWhatACrashLeftAndNothingElse) {
    OriginalsWorld world;
    Left left;
    GetParam().arrange(world, left);
    RemoveCrashLeftovers(world.model);
    for (const fs::path& path : left.gone)
        EXPECT_FALSE(fs::exists(path)) << path;
    for (const fs::path& path : left.kept)
        EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(world.NextUndo(), GetParam().nextUndo);
}

// A theme cut short after it kept the files and wrote msg.wav.
void ThemeCutShort(OriginalsWorld& world, Left& left) {
    StandInProcess ended(world.base.At("ended/QQ.exe"));
    const int endedPid = ended.Pid();
    ended.Stop();
    left.running = std::make_unique<StandInProcess>(world.base.At("running/QQ.exe"));
    const fs::path journal = world.base.At("userdata/originals/journal");
    std::string cutShort;
    fs::path entry;
    {
        ChangeRun run(world.Store(), "山村静夜", world.Dir(kClientSound));
        run.Keep({"msg.wav", "ring.wav"});
        entry = fs::directory_iterator(journal)->path();
        cutShort = ReadFile(entry);
        ASSERT_EQ(run.Copy(world.base.appDir + NativePath("newsounds\\自定义\\new.wav"), "msg.wav"),
                  0);
    }
    WriteFile(entry, cutShort);
    for (const char* folder : {kClientSound, "userdata/originals/blobs", "userdata/originals"})
        left.gone.push_back(Leftover(world, folder, endedPid));
    left.kept.push_back(Leftover(world, kClientSound, left.running->Pid()));
    left.kept.push_back(Leftover(world, kClientTM, endedPid));  // no run wrote there
    left.gone.push_back(
        world.base.Put("userdata/originals/blobs/" + Sha256Hex("nobody's"), "nobody's"));
}

// Entries as earlier versions wrote them: 山村静夜, then 烈火金刚, undone.
void EarlierEntries(OriginalsWorld& world, Left& left) {
    SpeedButton5Click(world.model);
    SpeedButton10Click(world.model);
    world.Undo();
    const fs::path journal = world.base.At("userdata/originals/journal");
    fs::remove(journal / "00000000000000000003-u2");
    for (const auto& [from, undone] :
         {std::pair{"00000000000000000001-c", '0'}, std::pair{"00000000000000000002-c", '1'}}) {
        std::string text = ReadFile(journal / from);
        text.replace(0, text.find('\n'), "sonatrix journal 1");
        const std::size_t files = text.find("\nfile ");
        text.insert(files + 1, std::string("undone ") + undone + "\n");
        const fs::path earlier = journal / std::string(from).substr(0, 20);
        WriteFile(earlier, text);
        fs::remove(journal / from);
        left.gone.push_back(earlier);
    }
    left.kept.push_back(journal / "00000000000000000001-c");
    left.kept.push_back(journal / "00000000000000000002-x");
}

INSTANTIATE_TEST_SUITE_P(Rows, StartTidying,
                         ::testing::Values(TidyRow{"ACrashPartWay", ThemeCutShort, "山村静夜"},
                                           TidyRow{"EntriesOfAnEarlierVersion", EarlierEntries,
                                                   "山村静夜"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
