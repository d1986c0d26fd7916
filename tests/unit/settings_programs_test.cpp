// SPDX-License-Identifier: GPL-3.0-or-later
// The programs of the sixth kind found in a home of the test's own, as
// Thunderbird, Pidgin and KDE's programs lay out their settings there, and
// whether one runs and would write its settings over a change.
#include <gtest/gtest.h>

#include "discovery/settings_programs.h"
#include "discovery/thunderbird_settings.h"
#include "filtered_processes.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/processes.h"
#include "platform/utf8_path.h"
#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::NarrowPath;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Names(const std::vector<SettingsProgram>& programs) {
    std::vector<std::string> names;
    for (const SettingsProgram& program : programs)
        names.push_back(program.name);
    return names;
}

// Each event as "<name>:<on|off>:<sound>".
std::vector<std::string> Events(const SettingsProgram& program) {
    std::vector<std::string> events;
    for (const ProgramEvent& event : program.events)
        events.push_back(event.name + (event.enabled ? ":on:" : ":off:") + event.sound);
    return events;
}

class SettingsPrograms : public ::testing::Test {
  protected:
    TempDir home;
    std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    SettingsPlaces places{
        Folder("tb"), Folder("purple"), Folder("config"), {Folder("data1"), Folder("data2")}};

    std::string Folder(const char* name) const { return home.Folder() + name + kSep; }
    void Put(const std::string& relative, const std::string& bytes) const {
        WriteFile(home.Path() / testing::PathFromNarrow(relative), bytes);
    }
};

TEST_F(SettingsPrograms, ThunderbirdProfilesAsProfilesIniNamesThem) {
    const std::string elsewhere = Folder("elsewhere");
    // The install's default wins over an older "Default=1"; a profile whose
    // folder is gone is left out; [Profile4] is never read, [Profile3]
    // being missing.
    Put("tb/profiles.ini",
        "\xEF\xBB\xBF[Profile1]\r\nName=工作\r\nIsRelative=0\r\nPath=" + elsewhere +
            "\r\nDefault=1\r\n\r\n[Install4F96D1932A9F858E]\r\n"
            "Default=Profiles/xy.old\r\n\r\n[Profile0]\r\nName=old\r\n"
            "IsRelative=1\r\nPath=Profiles/xy.old\r\n\r\n[Profile2]\r\n"
            "Name=gone\r\nIsRelative=1\r\nPath=gone\r\n\r\n[Profile4]\r\n"
            "Name=late\r\nIsRelative=1\r\nPath=late\r\n");
    Put("tb/Profiles/xy.old/prefs.js", "");
    Put("tb/late/prefs.js", "");
    Put("elsewhere/prefs.js",
        "user_pref(\"mail.biff.play_sound\", false);\n"
        "user_pref(\"mail.chat.play_sound.type\", 1);\n"
        "user_pref(\"mail.chat.play_sound.url\", \"file:///tmp/%E6%96%B0%20x.wav\");\n"
        "user_pref(\"mail.feed.play_sound.url\", \"file:///tmp/unused.wav\");\n");
    const std::vector<SettingsProgram> programs = FindSettingsPrograms(*files, places);
    ASSERT_EQ(Names(programs),
              (std::vector<std::string>{"Thunderbird（默认配置）", "Thunderbird（工作）"}));
    EXPECT_EQ(programs[0].settingsFile,
              Folder("tb") + "Profiles" + kSep + "xy.old" + kSep + "prefs.js");
    EXPECT_EQ(programs[1].settingsFile, elsewhere + "prefs.js");
    // A custom sound counts only with ".type" 1; feeds are off by default.
    EXPECT_EQ(
        Events(programs[1]),
        (std::vector<std::string>{"新邮件:off:", "聊天消息:on:" + NativePathOfUtf8("/tmp/新 x.wav"),
                                  "订阅更新:off:"}));
    EXPECT_EQ(ProgramSoundFile("/d/", programs[1], programs[1].events[0]),
              NativePath("/d/程序声音\\Thunderbird-elsewhere\\biff.wav"));

    const auto profiles = ThunderbirdProfiles(
        "[Profile0]\nName=a\nIsRelative=1\nPath=p/a\n[Profile1]\nName=b\nIsRelative=1\nPath=b\n"
        "Default=1\n",
        "/t/");
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_TRUE(!profiles[0].isDefault && profiles[1].isDefault);
}

TEST_F(SettingsPrograms, PidginAndKdeProgramsWithTheirEvents) {
    Put("purple/prefs.xml",
        "<?xml version='1.0' encoding='UTF-8' ?>\n<pref version='1' name='/'>\n"
        "<pref name='pidgin'><pref name='sound'><pref name='enabled'>"
        "<pref name='im_recv' type='bool' value='0'/><pref name='nick_said' type='bool' value='1'/>"
        "</pref><pref name='file'><pref name='login' type='path' value='/s/&#x65B0;.wav'/>"
        "</pref></pref></pref></pref>\n");
    // The user's own file decides Action and Sound; the program's own names
    // the events, in Chinese where it can. KDE 6's defaults come first.
    Put("data1/knotifications6/chat.notifyrc",
        "[Global]\nName=Chat\nName[zh_CN]=聊天\n[Event/message]\nName=Message\nName[zh_CN]=新消息\n"
        "Action=Popup|Sound\nSound=message.oga\n[Event/quiet]\nName=Quiet\nName[zh]=安静\n"
        "Action=Popup\n");
    Put("data2/knotifications5/chat.notifyrc", "[Event/old]\nName=Old\nSound=x.oga\n");
    Put("data2/sounds/message.oga", "OggS");
    Put("config/chat.notifyrc", "[Event/quiet]\nAction=Popup|Sound\nSound[$e]=/home/u/q\\s.wav\n");
    // No event of this one sounds: it is not offered.
    Put("data2/knotifications5/silent.notifyrc",
        "[Global]\nComment=Silent\n[Event/a]\nAction=Popup\n");
    // Events of one name are told apart.
    Put("config/mine.notifyrc",
        "[Event/ping]\nName=响\nAction=Sound\nSound=/p.wav\n[Event/pong]\n"
        "Name=响\n");

    const std::vector<SettingsProgram> programs = FindSettingsPrograms(*files, places);
    ASSERT_EQ(Names(programs), (std::vector<std::string>{"Pidgin", "聊天", "mine"}));
    const std::vector<std::string> pidgin = Events(programs[0]);
    ASSERT_EQ(pidgin.size(), 11u);
    EXPECT_EQ(pidgin[0], "好友上线:on:" + NativePathOfUtf8("/s/新.wav"));
    EXPECT_EQ(pidgin[2], "收到消息:off:");
    EXPECT_EQ(pidgin[9], "有人在聊天室中提到您的名字:on:");
    EXPECT_EQ(programs[1].defaultsFile, Folder("data1") + "knotifications6/chat.notifyrc");
    EXPECT_EQ(programs[1].settingsFile, Folder("config") + "chat.notifyrc");
    EXPECT_EQ(Events(programs[1]),
              (std::vector<std::string>{"新消息:on:" + Folder("data2") + "sounds/message.oga",
                                        "安静:on:/home/u/q .wav"}));
    EXPECT_EQ(Events(programs[2]),
              (std::vector<std::string>{"响（ping）:on:/p.wav", "响（pong）:off:"}));
}

// Pidgin, which writes prefs.xml when it exits, counts as running while a
// process of its name runs; KDE's programs, which read their settings
// again, never.
TEST_F(SettingsPrograms, PidginRunsWhileItsProcessDoes) {
    auto native = MakeNativeProcessSource();
    testing::FilteredProcesses processes(*native, testing::SelfPid());
    SettingsProgram pidgin;
    pidgin.kind = SettingsProgramKind::Pidgin;
    pidgin.programName = "Pidgin";
    EXPECT_FALSE(RunsAndWouldOverwrite(processes, pidgin));
    {
        testing::StandInProcess running(home.Path() / "bin" / PidginExecutableName());
        processes.Allow(running.Pid());
        EXPECT_TRUE(RunsAndWouldOverwrite(processes, pidgin));
        pidgin.kind = SettingsProgramKind::Kde;
        EXPECT_FALSE(RunsAndWouldOverwrite(processes, pidgin));
        pidgin.kind = SettingsProgramKind::Pidgin;
    }
    EXPECT_FALSE(RunsAndWouldOverwrite(processes, pidgin));
    EXPECT_EQ(CloseProgramFirstText(pidgin), "请先关闭 Pidgin，它退出时会覆盖这项更改。");
}

}  // namespace
}  // namespace sonatrix
