// SPDX-License-Identifier: GPL-3.0-or-later
// The ToolHelp32 walk under the real calls: a stand-in QQ.exe started in a
// QQ-like installation is found with its module path and sound folder.
#include <gtest/gtest.h>

#include <windows.h>
#undef CopyFile
#undef DeleteFile
#undef MessageBox

#include <filesystem>

#include "discovery/process_lookup.h"
#include "discovery/sound_folder.h"
#include "platform/path_pieces.h"
#include "standin_process.h"
#include "temp_dir.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::StandInProcess;
using testing::TestWorld;

// A QQ installation under "C:\Program Files\Tencent", in a folder of its
// own so that tests never see each other's clients; removed afterwards.
class InstalledQQ {
  public:
    explicit InstalledQQ(const char* exeName) {
        static int serial = 0;
        folder_ = "C:\\Program Files\\Tencent\\QQ-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++serial) + "\\";
        testing::WriteFile(folder_ + "Misc\\sound\\msg.wav", "RIFF");
        exe_ = folder_ + "Bin\\" + exeName;
    }
    ~InstalledQQ() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string& Folder() const { return folder_; }
    const std::string& Exe() const { return exe_; }

  private:
    std::string folder_;
    std::string exe_;
};

class ToolHelpWalk : public ::testing::Test {
  protected:
    void Start(std::unique_ptr<StandInProcess>& slot, const std::string& exe) {
        slot = std::make_unique<StandInProcess>(exe);
        world.ownProcesses.Allow(slot->Pid());
    }

    TestWorld world;
    MainState& state = world.model.state;
};

TEST_F(ToolHelpWalk, ListsEveryProcessWithItsModules) {
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    InstalledQQ qq("QQ.exe");
    StandInProcess client(qq.Exe());

    std::vector<ProcessEntry> processes;
    ASSERT_TRUE(world.processes->Snapshot(processes));
    const ProcessEntry* mine = nullptr;
    const ProcessEntry* stand = nullptr;
    for (const auto& process : processes) {
        mine = process.pid == testing::SelfPid() ? &process : mine;
        stand = process.pid == client.Pid() ? &process : stand;
    }
    ASSERT_NE(mine, nullptr);
    ASSERT_NE(stand, nullptr);
    // The program's own executable comes first, its DLLs after it.
    ASSERT_FALSE(mine->modules.empty());
    EXPECT_TRUE(SameIgnoringAsciiCase(mine->modules.front(), self)) << mine->modules.front();
    EXPECT_GT(mine->modules.size(), 1u);
    ASSERT_FALSE(stand->modules.empty());
    EXPECT_TRUE(SameIgnoringAsciiCase(stand->modules.front(), qq.Exe())) << stand->modules.front();
}

TEST_F(ToolHelpWalk, FindAppAdoptsTheRunningClientAndItsSoundFolder) {
    InstalledQQ qq("QQ.exe");
    std::unique_ptr<StandInProcess> client;
    Start(client, qq.Exe());

    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), client->Pid());
    EXPECT_TRUE(SameIgnoringAsciiCase(state.TargetStatusText, qq.Exe())) << state.TargetStatusText;
    // Built by concatenation: the "..", as the folder above Bin, stays.
    const std::string bin = FolderPart(state.TargetStatusText);
    EXPECT_EQ(state.TargetSoundDir, bin.substr(0, bin.size() - 1) + "\\..\\Misc\\sound\\");
    EXPECT_TRUE(world.files->FileExists(state.TargetSoundDir + "msg.wav"));

    // Once it has ended the walk finds nothing and forgets the folder.
    client->Stop();
    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), 0);
    EXPECT_EQ(state.TargetSoundDir, "");
}

TEST_F(ToolHelpWalk, LowerCaseClientIsFoundAtStartUpTries) {
    InstalledQQ qq("qq.exe");
    std::unique_ptr<StandInProcess> client;
    Start(client, qq.Exe());
    EXPECT_TRUE(M_find_qq(world.model));
    EXPECT_TRUE(state.TargetSoundDir.ends_with("Bin\\..\\Misc\\sound\\")) << state.TargetSoundDir;
}

TEST_F(ToolHelpWalk, ClientWithoutMarkersIsPassedOverForALaterOne) {
    InstalledQQ bare("QQ.exe");
    std::filesystem::remove_all(bare.Folder() + "Misc");
    InstalledQQ real("QQ.exe");
    std::unique_ptr<StandInProcess> first;
    std::unique_ptr<StandInProcess> second;
    Start(first, bare.Exe());
    Start(second, real.Exe());
    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), second->Pid());
    EXPECT_TRUE(SameIgnoringAsciiCase(state.TargetStatusText, real.Exe()));
}

}  // namespace
}  // namespace sonatrix
