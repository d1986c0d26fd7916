// The desktop's sounds on Windows, run under Wine: the sound scheme's value
// read back by Wine's own reg.exe, and put back by a restore.
#include <gtest/gtest.h>

#include <cstdio>

#include "catalogue/catalogue.h"
#include "discovery/target_switch.h"
#include "model/target_list.h"
#include "replace/restore_originals.h"
#include "replace/single_replacement.h"
#include "replace_world.h"

namespace sonatrix::testing {
namespace {

constexpr const char* kKey = "HKCU\\AppEvents\\Schemes\\Apps\\.Default\\Notification.IM\\.Current";

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::_popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::_pclose(pipe);
    }
    return out;
}

std::string RegQuery() {
    return Output(std::string("reg query \"") + kKey + "\" /ve 2>&1");
}

class DesktopWin : public ::testing::Test, public ReplaceWorld {};

TEST_F(DesktopWin, TheSchemeNamesTheWrittenSoundUntilTheOldValueIsPutBack) {
    Output(std::string("reg add \"") + kKey + "\" /ve /t REG_EXPAND_SZ /d C:\\old\\ding.wav /f");
    const std::string before = RegQuery();
    ASSERT_NE(before.find("REG_EXPAND_SZ"), std::string::npos) << before;
    Library("电话/PHONE13.WAV", "phone13");
    ComboBox1Select(model, kKindDesktop);
    const auto& list = model.state.TargetList;
    const int row =
        static_cast<int>(std::find(list.begin(), list.end(), "Notification.IM.wav") - list.begin());
    ASSERT_LT(row, static_cast<int>(list.size()));

    model.state.SelectedLibrarySound = "电话\\PHONE13.WAV";
    ListBox1Click(model, row);
    dialogs.ThenResult(DlgResult::OK);
    M_replace89(model);
    EXPECT_EQ(ReadFile(PathFromNarrow(model.state.TargetSoundDir + "Notification.IM.wav")),
              "phone13");
    const std::string replaced = RegQuery();
    EXPECT_NE(replaced.find("REG_SZ"), std::string::npos) << replaced;
    EXPECT_NE(replaced.find("Notification.IM.wav"), std::string::npos) << replaced;

    dialogs.ThenResult(DlgResult::OK);
    RestoreOriginalClick(model, row);
    EXPECT_EQ(RegQuery(), before);
}

}  // namespace
}  // namespace sonatrix::testing
