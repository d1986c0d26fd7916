// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the store of originals is the user's, in the folder
// %LOCALAPPDATA%\Sonatrix\originals. One theme kept there, given back and
// undone, with the client's folder written in another letter case than the
// first time.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "originals_world.h"
#include "platform/user_data.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

TEST(OriginalsOnWindows, AreKeptInTheUsersLocalAppDataAndComeBack) {
    // The test run's own Wine prefix is the only user whose store may be used.
    if (!UnderWine())
        GTEST_SKIP() << "would write into this user's own store";
    const std::string dataFolder = UserDataFolder();
    ASSERT_FALSE(dataFolder.empty());
    fs::remove_all(dataFolder);

    OriginalsWorld world;
    MainModel user(world.model.svc, world.base.appDir, dataFolder);
    user.state = world.model.state;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    SpeedButton5Click(user);
    const TreeSnapshot themed = world.Snapshot(kClientSound);
    ASSERT_NE(themed, before);

    char localAppData[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", localAppData, MAX_PATH);
    const std::string store = std::string(localAppData, length) + "\\Sonatrix\\originals\\";
    EXPECT_EQ(ReadFile(store + "blobs\\" + Sha256Hex(before.at("msg.wav"))), before.at("msg.wav"));

    user.state.TargetSoundDir = Upper(world.Dir(kClientSound));
    world.dialogs.ThenResult(DlgResult::OK);
    RestoreAllOriginalsClick(user);
    EXPECT_EQ(world.Snapshot(kClientSound), before);
    for (const TreeSnapshot* wanted : {&themed, &before}) {
        world.dialogs.ThenResult(DlgResult::OK);
        UndoLastChangeClick(user);
        EXPECT_EQ(world.Snapshot(kClientSound), *wanted);
    }
    fs::remove_all(dataFolder);
}

}  // namespace
}  // namespace sonatrix::testing
