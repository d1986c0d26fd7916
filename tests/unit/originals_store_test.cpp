// SPDX-License-Identifier: GPL-3.0-or-later
// The store itself: each content kept once, an original recorded once and
// never replaced, damaged records and kept copies refused rather than
// trusted, and a run cut short still leaving undo something to ask about.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "originals/change_run.h"
#include "originals_world.h"
#include "platform/files.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

std::string OnlyFileIn(const fs::path& folder) {
    EXPECT_EQ(FilesIn(folder), 1u);
    return ReadFile(fs::directory_iterator(folder)->path());
}

TEST(OriginalsStore, AHundredRandomReplacementsKeepEachContentOnce) {
    OriginalsWorld world;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    const std::string record = [&] {
        world.dialogs.ThenId(mb::kIdYes);
        Button3Click(world.model);
        return OnlyFileIn(world.base.At("userdata/originals/folders"));
    }();
    for (int run = 1; run < 100; ++run) {
        world.dialogs.ThenId(mb::kIdYes);
        Button3Click(world.model);
    }
    // The library's sounds and the client's first ones, each at most once.
    std::set<std::string> contents;
    for (const auto& [name, bytes] : before)
        contents.insert(bytes);
    const std::size_t librarySounds = static_cast<std::size_t>(world.model.state.LibrarySoundCount);
    EXPECT_LE(FilesIn(world.base.At("userdata/originals/blobs")), contents.size() + librarySounds);
    EXPECT_EQ(world.Journal().size(), 100u);
    // The first run's originals, never written over.
    EXPECT_EQ(OnlyFileIn(world.base.At("userdata/originals/folders")), record);

    world.RestoreAll(kClientSound);
    EXPECT_EQ(world.Snapshot(kClientSound), before);
}

TEST(OriginalsStore, ADamagedRecordIsReportedAndNeitherTrustedNorWrittenOver) {
    OriginalsWorld world;
    SpeedButton5Click(world.model);
    const TreeSnapshot themed = world.Snapshot(kClientSound);
    const fs::path folders = world.base.At("userdata/originals/folders");
    const fs::path record = fs::directory_iterator(folders)->path();
    WriteFile(record, "sonatrix originals 1\nfolder ");  // cut short
    world.dialogs.shown.clear();

    world.model.state.SelectedLibrarySound = NativePath("自定义\\new.wav");
    world.model.state.SelectedTargetSound = "msg.wav";
    world.dialogs.ThenResult(DlgResult::OK);
    M_replace89(world.model);
    RestoreAllOriginalsClick(world.model);
    const std::string damaged = SystemErrorText(CorruptFileCode());
    EXPECT_EQ(world.Texts(), (std::vector<std::string>{
                                 "Confirm:点击“OK”按钮，将用声音 " + NativePath("自定义\\new.wav") +
                                     "替换掉 msg.wav",
                                 "Error:" + damaged, "Error:" + record.string() + "\n" + damaged}));
    EXPECT_EQ(world.Snapshot(kClientSound), themed);
    EXPECT_EQ(ReadFile(record), "sonatrix originals 1\nfolder ");
}

// A name that leads out of the folder marks the entry or record that holds
// it damaged: it is named, and nothing outside the folder is touched.
TEST(OriginalsStore, ANameLeadingOutOfTheFolderIsDamageAndTouchesNothingThere) {
    OriginalsWorld world;
    world.Put("client/victim.wav", "another program's");
    SpeedButton5Click(world.model);
    const TreeSnapshot themed = world.Snapshot("client");
    std::vector<fs::path> damaged;
    for (const char* folder : {"journal", "folders"}) {
        damaged.push_back(
            fs::directory_iterator(world.base.At(std::string("userdata/originals/") + folder))
                ->path());
        std::string text = ReadFile(damaged.back());
        text.replace(text.find(" msg.wav\n"), 9, " ../victim.wav\n");
        WriteFile(damaged.back(), text);
    }
    world.dialogs.shown.clear();
    world.dialogs.ThenResult(DlgResult::Cancel);
    UndoLastChangeClick(world.model);
    RestoreAllOriginalsClick(world.model);
    const std::string reason = "\n" + SystemErrorText(CorruptFileCode());
    EXPECT_EQ(world.Texts(),
              (std::vector<std::string>{
                  "Confirm:无法撤销上次更改：它的记录已损坏：\n" + damaged[0].string() + reason,
                  "Error:" + damaged[1].string() + reason}));
    EXPECT_EQ(world.Snapshot("client"), themed);
}

TEST(OriginalsStore, AKeptCopyWhoseBytesChangedIsNotPutBack) {
    OriginalsWorld world;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    SpeedButton5Click(world.model);
    const std::string msgFirst = Sha256Hex(before.at("msg.wav"));
    WriteFile(world.base.At("userdata/originals/blobs/" + msgFirst), "rot");
    world.dialogs.shown.clear();

    // The failure alone: nothing claims the restore was done.
    world.RestoreAll(kClientSound);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.Texts()[1], "Error:msg.wav" + SystemErrorText(CorruptFileCode()));
    TreeSnapshot wanted = before;
    wanted["msg.wav"] = ReadFile(world.base.At(OriginalsWorld::Below(kPresetThemes[0].sources[0])));
    EXPECT_EQ(world.Snapshot(kClientSound), wanted);

    // Keeping the same bytes again mends the kept copy.
    world.Put(std::string(kClientSound) + "/msg.wav", before.at("msg.wav"));
    world.Run(WriteCommand::Single);
    EXPECT_EQ(world.KeptBytes(msgFirst), before.at("msg.wav"));
}

// The program stopped after it kept the files and before it wrote its
// entry's end: the entry names every file, with what it wrote unknown.
TEST(OriginalsStore, ARunCutShortLeavesUndoAskingAboutEveryFileItTouched) {
    OriginalsWorld world;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    const fs::path journal = world.base.At("userdata/originals/journal");
    std::string cutShort;
    {
        ChangeRun run(world.Store(), "随机换音", world.Dir(kClientSound));
        run.Keep({"msg.wav", "ring.wav"});
        cutShort = OnlyFileIn(journal);
        ASSERT_EQ(run.Copy(world.base.appDir + NativePath("newsounds\\自定义\\new.wav"), "msg.wav"),
                  0);
    }
    WriteFile(fs::directory_iterator(journal)->path(), cutShort);

    // "ring.wav" still holds its first bytes: nothing to ask about it.
    world.dialogs.ThenResult(DlgResult::OK);
    UndoLastChangeClick(world.model);
    EXPECT_EQ(world.Texts(),
              (std::vector<std::string>{
                  "Confirm:以下声音在“随机换音”之后又被改动过，是否也撤销对它们的更改：\nmsg.wav",
                  "Information:已撤销：随机换音"}));
    EXPECT_EQ(world.Snapshot(kClientSound), before);
}

TEST(OriginalsStore, ARunThatChangesNothingLeavesNoEntry) {
    OriginalsWorld world;
    world.Run(WriteCommand::Single);
    world.RestoreAll(kClientSound);
    ASSERT_EQ(world.Journal().size(), 2u);
    // Restoring again finds every file as it was first.
    world.RestoreAll(kClientSound);
    EXPECT_EQ(world.Journal().size(), 2u);
    EXPECT_EQ(FilesIn(world.base.At("userdata/originals/journal")), 2u);
}

TEST(OriginalsStore, NamesOfAnyBytesSurviveTheRecords) {
    OriginalsWorld world;
    const std::string odd = "100% sure.wav";
    world.Put(std::string(kClientTM) + "/" + odd, "first odd");
    world.SetTarget(kClientTM);
    world.dialogs.ThenId(mb::kIdYes);
    Button3Click(world.model);
    ASSERT_NE(ReadFile(world.base.At(std::string(kClientTM) + "/" + odd)), "first odd");
    world.RestoreAll(kClientTM);
    EXPECT_EQ(ReadFile(world.base.At(std::string(kClientTM) + "/" + odd)), "first odd");
}

TEST(OriginalsStore, WithoutAUserDataFolderNothingIsOverwritten) {
    OriginalsWorld world;
    MainModel homeless(world.model.svc, world.base.appDir, "");
    homeless.state = world.model.state;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    homeless.state.SelectedLibrarySound = NativePath("自定义\\new.wav");
    homeless.state.SelectedTargetSound = "msg.wav";
    world.dialogs.ThenResult(DlgResult::OK);
    M_replace89(homeless);
    EXPECT_EQ(world.LastShown().text, SystemErrorText(PathNotFoundCode()));
    EXPECT_EQ(world.Snapshot(kClientSound), before);
}

}  // namespace
}  // namespace sonatrix::testing
