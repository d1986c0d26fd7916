// SPDX-License-Identifier: GPL-3.0-or-later
// The store keeps exactly what a command writes over, as it is: no
// original for a file the command passed over, both of two names that
// differ in letter case only, a link (to nowhere, or to a file outside the
// folder, which is never written through) as a link.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "case_twin.h"
#include "originals_world.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

struct PassedOverRow {
    const char* name;
    const char* missing;  // below the root: what the command would have copied
    WriteCommand command;
};

class PassedOver : public ::testing::TestWithParam<PassedOverRow> {};

TEST_P(PassedOver, GetsNoOriginalAndIsLeftToTheClient) {
    const PassedOverRow& row = GetParam();
    OriginalsWorld world;
    fs::remove_all(world.base.At(row.missing));
    world.Run(row.command);
    FolderOriginals originals;
    ASSERT_EQ(world.Store().ReadOriginals(world.Store().KeyOf(world.Dir(kClientSound)), originals),
              0);
    EXPECT_EQ(OriginalNamed(originals, "msg.wav"), nullptr);

    // A client update later; restoring every original leaves it alone.
    world.Put("client/sound/msg.wav", "updated by the client");
    world.SayYesToEverything();
    RestoreAllOriginalsClick(world.model);
    EXPECT_EQ(world.Read("client/sound/msg.wav"), "updated by the client");
}

INSTANTIATE_TEST_SUITE_P(Rows, PassedOver,
                         ::testing::Values(PassedOverRow{"RandomWithNothingDrawn", "app/newsounds",
                                                         WriteCommand::Random},
                                           PassedOverRow{"RestoreWhoseSourceIsMissing",
                                                         "app/qqsounds/msg.wav",
                                                         WriteCommand::RestoreQQ}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeptAsIsRow {
    const char* name;
    // Lays the odd entry into the client's folder; false where the disk has
    // no such thing.
    std::function<bool(const fs::path& folder)> arrange;
};

class KeptAsIs : public ::testing::TestWithParam<KeptAsIsRow> {};

bool PutLinkToNowhere(const fs::path& folder) {
#ifdef _WIN32
    // Windows follows its links itself; Wine shows none that lead nowhere.
    (void)folder;
    return false;
#else
    fs::remove(folder / "msg.wav");
    fs::create_symlink("gone.wav", folder / "msg.wav");
    return true;
#endif
}

// Everything below the root but the client's sounds and the store.
TreeSnapshot Elsewhere(const OriginalsWorld& world) {
    TreeSnapshot shot = TakeSnapshot(world.base.root.Path(), "userdata");
    const std::string sounds = fs::path(kClientSound).make_preferred().string();
    std::erase_if(shot, [&](const auto& entry) { return entry.first.starts_with(sounds); });
    return shot;
}

TEST_P(KeptAsIs, ComesBackFromRestoreAndUndo) {
    OriginalsWorld world;
    if (!GetParam().arrange(world.base.At(kClientSound)))
        GTEST_SKIP() << "this disk holds no such entry";
    world.SetTarget(kClientSound);
    const TreeSnapshot before = world.Snapshot(kClientSound);
    const TreeSnapshot elsewhere = Elsewhere(world);
    world.Run(WriteCommand::Random);
    const TreeSnapshot random = world.Snapshot(kClientSound);
    for (const auto& [name, content] : random)
        EXPECT_NE(content, before.at(name)) << name << " was not written";

    world.RestoreAll(kClientSound);
    EXPECT_EQ(world.Snapshot(kClientSound), before);
    world.Undo();
    EXPECT_EQ(world.Snapshot(kClientSound), random);
    world.Undo();
    EXPECT_EQ(world.Snapshot(kClientSound), before);
    EXPECT_EQ(Elsewhere(world), elsewhere);
}

bool PutLinkToAFileOutside(const fs::path& folder) {
#ifdef _WIN32
    (void)folder;
    return false;
#else
    const fs::path outside = folder.parent_path().parent_path() / "outside.wav";
    WriteFile(outside, "a file of another program");
    fs::remove(folder / "msg.wav");
    fs::create_symlink(outside, folder / "msg.wav");
    return true;
#endif
}

bool PutCaseTwinOfMsg(const fs::path& folder) {
    return PutCaseTwin(folder, "MSG.wav", OriginalsWorld::First("MSG.wav"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeptAsIs,
    ::testing::Values(KeptAsIsRow{"TwoNamesDifferingInCaseOnly", PutCaseTwinOfMsg},
                      KeptAsIsRow{"ALinkToNowhere", PutLinkToNowhere},
                      KeptAsIsRow{"ALinkToAFileOutside", PutLinkToAFileOutside}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
