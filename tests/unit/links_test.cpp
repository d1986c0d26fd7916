// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/links.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/path_pieces.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::RecordingShell;
using testing::TestWorld;

struct LinkRow {
    const char* name;
    std::function<void(MainModel&)> handler;
    const char* how;  // "default" or "browser"
    // The address expected, from AppDir.
    std::function<std::string(const std::string&)> address;
};

class Links : public ::testing::TestWithParam<LinkRow> {
  protected:
    void SetUp() override { world.SetAppDir(); }
    TestWorld world;
};

TEST_P(Links, OpenTheirAddressWithOneShellCall) {
    const LinkRow& row = GetParam();
    row.handler(world.model);
    ASSERT_EQ(world.shell.calls.size(), 1u);
    EXPECT_EQ(world.shell.calls[0].how, row.how);
    EXPECT_EQ(world.shell.calls[0].argument, row.address(world.appDir));
    EXPECT_TRUE(world.dialogs.shown.empty());
    EXPECT_TRUE(world.player.played.empty());
}

std::string FilePage(const std::string& appDir, const char* page) {
    // A Unix AppDir starts with "/"; a Windows one with its drive.
    return (appDir.front() == '/' ? "file://" : "file:///") + appDir + page;
}

INSTANTIATE_TEST_SUITE_P(
    EveryLink, Links,
    ::testing::Values(
        LinkRow{"HomePage", Label6Click, "default",
                [](const std::string& d) { return FilePage(d, "about.htm"); }},
        LinkRow{"UpdatesOpenTheHomePage", SpeedButton6Click, "default",
                [](const std::string& d) { return FilePage(d, "about.htm"); }},
        LinkRow{"MailWithSubject", Label7Click, "default",
                [](const std::string&) { return std::string("mailto:?subject=qq sound"); }},
        LinkRow{"Sponsor", Label2Click, "default",
                [](const std::string& d) { return FilePage(d, "about.htm#sponsor"); }},
        LinkRow{"OtherGameInBrowser", Label5Click, "browser",
                [](const std::string& d) { return FilePage(d, "about.htm#game"); }},
        LinkRow{"CommentSectionInBrowser", Label11Click, "browser",
                [](const std::string& d) { return FilePage(d, "about.htm#comment"); }},
        LinkRow{"HelpPathInBrowserEvenWhenMissing", Button1Click, "browser",
                [](const std::string& d) { return d + "help.htm"; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramPageAddress, DriveLetterFolderGetsThreeSlashes) {
    EXPECT_EQ(ProgramPageAddress("C:\\Sonatrix\\", "about.htm"), "file:///C:\\Sonatrix\\about.htm");
    EXPECT_EQ(ProgramPageAddress("/opt/s/", "news.htm"), "file:///opt/s/news.htm");
}

TEST(About, PlaysTheIntroMusicThenShowsTheBoxAndPlaysAgainEachTime) {
    TestWorld world;
    world.SetAppDir();
    std::vector<std::size_t> playedWhenShown;
    world.dialogs.onShow = [&](const auto&) {
        playedWhenShown.push_back(world.player.played.size());
    };
    SpeedButton9Click(world.model);
    SpeedButton9Click(world.model);

    const std::string music = world.appDir + NativePath("newsounds\\片头音乐\\Music9.wav");
    EXPECT_EQ(world.player.played, (std::vector<std::string>{music, music}));
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::About);
    // The music was started before each box opened.
    EXPECT_EQ(playedWhenShown, (std::vector<std::size_t>{1, 2}));
    EXPECT_TRUE(world.shell.calls.empty());
}

}  // namespace
}  // namespace sonatrix
