// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "catalogue/catalogue.h"
#include "platform/files.h"
#include "replace/themes.h"
#include "replace_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::ReplaceWorld;

// The theme's source path as a test path below the root.
std::string Below(const char* backslashed) {
    std::string path = std::string("app/") + backslashed;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

const std::vector<std::string> kClientFiles{"msg.wav",  "Global.wav", "folder.wav", "system.wav",
                                            "ring.wav", "call.wav",   "online.wav", "type.wav"};

class Themes : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& theme : kPresetThemes)
            for (const char* source : theme.sources)
                world.Put(Below(source), std::string("library:") + source);
        world.Target("QQ/sound", kClientFiles);
    }
    std::set<std::string> ClientFolder() {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(world.At("QQ/sound")))
            names.insert(entry.path().filename().string());
        return names;
    }
    bool Untouched() {
        for (const auto& name : kClientFiles)
            if (world.Content("QQ/sound/" + name) != ReplaceWorld::Old(name))
                return false;
        return ClientFolder() == std::set<std::string>(kClientFiles.begin(), kClientFiles.end());
    }

    ReplaceWorld world;
};

struct ThemeRow {
    const char* name;
    void (*handler)(MainModel&);
    std::size_t index;
    const char* completion;
};

class EachTheme : public Themes, public ::testing::WithParamInterface<ThemeRow> {};

TEST_P(EachTheme, WritesExactlyItsSixFilesThenSaysDone) {
    GetParam().handler(world.model);
    const PresetTheme& theme = kPresetThemes[GetParam().index];
    for (std::size_t row = 0; row < kThemeRows; ++row) {
        EXPECT_EQ(world.Content(std::string("QQ/sound/") + kThemeDestinations[row]),
                  std::string("library:") + theme.sources[row])
            << kThemeDestinations[row];
    }
    EXPECT_EQ(world.Content("QQ/sound/online.wav"), ReplaceWorld::Old("online.wav"));
    EXPECT_EQ(world.Content("QQ/sound/type.wav"), ReplaceWorld::Old("type.wav"));
    EXPECT_EQ(ClientFolder(), std::set<std::string>(kClientFiles.begin(), kClientFiles.end()));
    ASSERT_EQ(world.dialogs.shown.size(), 1u);  // index 0: no question
    EXPECT_EQ(world.Shown(0).caption, "Information");
    EXPECT_EQ(world.Shown(0).buttons, kDlgOK);
    EXPECT_EQ(world.Shown(0).text, GetParam().completion);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, EachTheme,
    ::testing::Values(ThemeRow{"SpeedButton5", &SpeedButton5Click, 0, "山村静夜－完成。"},
                      ThemeRow{"SpeedButton7", &SpeedButton7Click, 1, "高山流水－完成。"},
                      ThemeRow{"SpeedButton8", &SpeedButton8Click, 2, "鸟语花香－完成。"},
                      ThemeRow{"SpeedButton10", &SpeedButton10Click, 3, "烈火金刚－完成。"},
                      ThemeRow{"SpeedButton11", &SpeedButton11Click, 4, "怒海狂涛－完成。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Themes, TwoThemesGiveRingAndCallTheSameSound) {
    SpeedButton7Click(world.model);
    EXPECT_EQ(world.Content("QQ/sound/ring.wav"), "library:newsounds\\动物\\鸟\\Bird122.wav");
    EXPECT_EQ(world.Content("QQ/sound/call.wav"), world.Content("QQ/sound/ring.wav"));
    SpeedButton10Click(world.model);
    EXPECT_EQ(world.Content("QQ/sound/ring.wav"), "library:newsounds\\电话\\PHONE41.WAV");
    EXPECT_EQ(world.Content("QQ/sound/call.wav"), world.Content("QQ/sound/ring.wav"));
}

class OtherKinds : public Themes, public ::testing::WithParamInterface<int> {};

TEST_P(OtherKinds, WarnFirstAndOnlyOkCopies) {
    world.model.state.ComboIndex = GetParam();
    world.dialogs.ThenResult(DlgResult::Cancel).ThenResult(DlgResult::OK);
    SpeedButton5Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    const auto& warning = world.Shown(0);
    EXPECT_EQ(warning.form, DialogForm::MessageDlg);
    EXPECT_EQ(warning.caption, "Warning");
    EXPECT_EQ(warning.buttons, kDlgOK | kDlgCancel);
    EXPECT_EQ(warning.text, "此功能仅对QQ有效，如果您当前已经手工指定了qq目录，那么请选择OK。");
    EXPECT_TRUE(Untouched());

    // OK goes on with the copies.
    SpeedButton5Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.Shown(2).text, "山村静夜－完成。");
    EXPECT_EQ(world.Content("QQ/sound/call.wav"), "library:newsounds\\电话\\PHONE7.WAV");
}

INSTANTIATE_TEST_SUITE_P(ComboIndex, OtherKinds, ::testing::Values(kKindMsn, kKindTM, kKindOther));

TEST_F(Themes, AMissingLibraryFileFailsItsRowsOnly) {
    std::filesystem::remove(world.At(Below("newsounds\\动物\\鸟\\Bird122.wav")));
    SpeedButton7Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    const std::string reason = SystemErrorText(FileNotFoundCode());
    EXPECT_EQ(world.Shown(0).caption, "Error");
    EXPECT_EQ(world.Shown(0).text, "ring.wav" + reason);
    EXPECT_EQ(world.Shown(1).caption, "Error");
    EXPECT_EQ(world.Shown(1).text, "call.wav" + reason);
    EXPECT_EQ(world.Shown(2).text, "高山流水－完成。");
    EXPECT_EQ(world.Content("QQ/sound/ring.wav"), ReplaceWorld::Old("ring.wav"));
    EXPECT_EQ(world.Content("QQ/sound/call.wav"), ReplaceWorld::Old("call.wav"));
    EXPECT_EQ(world.Content("QQ/sound/system.wav"), "library:newsounds\\风雨雷电\\Wind6.wav");
}

TEST_F(Themes, WithoutATargetAsksInsteadOfWritingBareNames) {
    world.model.state.TargetSoundDir.clear();
    world.dialogs.ThenId(mb::kIdYes).ThenText("");
    SpeedButton8Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.Shown(0).text, "当前没有可替换的QQ声音，是否手工指定程序？");
    EXPECT_EQ(world.Shown(0).caption, "询问");
    EXPECT_EQ(world.Shown(0).buttons, mb::kYesNo);
    EXPECT_EQ(world.Shown(1).form, DialogForm::Picker);
    EXPECT_TRUE(Untouched());
}

}  // namespace
}  // namespace sonatrix
