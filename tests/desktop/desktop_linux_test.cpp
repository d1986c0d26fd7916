// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's sounds on Linux, read back by what the desktop itself uses:
// GSettings' own command line tool, and libcanberra (canberra-gtk-play,
// its file opens seen with strace) playing against the private sound
// server, with Debian's freedesktop theme as the theme inherited. Every
// reader runs on a session bus of its own.
#include <glib.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <regex>
#include <thread>

#include "catalogue/catalogue.h"
#include "command_output.h"
#include "discovery/target_switch.h"
#include "model/target_list.h"
#include "platform/desktop_settings.h"
#include "platform/ini_text.h"
#include "replace/restore_originals.h"
#include "replace/single_replacement.h"
#include "replace/target_write.h"
#include "replace/undo_last_change.h"
#include "replace_world.h"
#include "temp_dir.h"
#include "test_platform.h"
#include "wav_files.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGnomeSound = "org.gnome.desktop.sound";
constexpr const char* kThemeSetting = "org.gnome.desktop.sound theme-name";
const std::string kFreedesktop = "/usr/share/sounds/freedesktop/stereo/";

std::string Home(const char* variable) {
    return std::getenv(variable);
}

// What a command prints, its last newline dropped.
std::string Output(const std::string& command) {
    std::string out = CommandOutput(command);
    if (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

// What a reader of the desktop's settings prints, run on a session bus of
// its own that ends with it. Without one, a GTK program autolaunches a bus
// where dbus-x11 is installed, and that bus outlives it holding the pipe
// open. The bus's own complaints are not the reader's output.
std::string Reader(const std::string& command) {
    std::string quoted = "'";
    for (const char c : command + " 2>&1")
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return Output("dbus-run-session -- sh -c " + quoted + "' 2>/dev/null");
}

std::string Gsettings(const std::string& arguments) {
    return Reader("gsettings " + arguments);
}

// Waits, with a generous deadline, for `ready`, letting GLib take in what
// another program changed meanwhile (the key file's monitor).
bool Settle(const std::function<bool()>& ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Short real WAVs, their tones telling the sounds apart.
const std::string kPhone13 = ToneWav(0.1, 440);
const std::string kPhone7 = ToneWav(0.1, 660);

class DesktopLinux : public ::testing::Test, public ReplaceWorld {
  protected:
    void SetUp() override {
        fs::remove_all(Home("XDG_DATA_HOME") + "/sounds");
        for (const char* below : {"gtk-3.0", "gtk-4.0", "kdeglobals"})
            fs::remove_all(fs::path(Home("XDG_CONFIG_HOME")) / below);
        Gsettings(std::string("reset-recursively ") + kGnomeSound);
        ASSERT_TRUE(Settle([&] { return ThemeNameInProcess() == std::nullopt; }));
        Library("电话/PHONE13.WAV", kPhone13);
        Library("电话/PHONE7.WAV", kPhone7);
    }

    std::optional<std::string> ThemeNameInProcess() {
        std::optional<std::string> value;
        ReadDesktopSetting(kThemeSetting, value);
        return value;
    }

    std::string Custom() const { return Home("XDG_DATA_HOME") + "/sounds/__custom/"; }

    void ChooseDesktop() { ComboBox1Select(model, kKindDesktop); }

    void RestoreAll() {
        dialogs.ThenResult(DlgResult::OK);
        RestoreAllOriginalsClick(model);
    }

    // The sound file libcanberra opens for `event` under the desktop's
    // settings as GTK reads them.
    std::string CanberraOpens(const std::string& event) {
        const std::string trace = (root.Path() / "canberra.trace").string();
        Reader("xvfb-run -a strace -f -e trace=openat -o " + trace + " canberra-gtk-play -i " +
               event);
        std::ifstream in(trace);
        const std::regex opened(R"re("([^"]+\.(oga|ogg|wav))", O_RDONLY[^)]*\) = \d)re");
        std::string line, last;
        std::smatch match;
        while (std::getline(in, line)) {
            if (std::regex_search(line, match, opened))
                last = fs::path(match[1].str()).lexically_normal().string();
        }
        return last;
    }

    void SkipWithoutCanberra() {
        if (const char* why = WhyNoSoundServer())
            GTEST_SKIP() << why;
    }
};

TEST_F(DesktopLinux, AReplacementIsWhatCanberraPlaysUntilItIsRestored) {
    SkipWithoutCanberra();
    ASSERT_EQ(CanberraOpens("message-new-instant"), kFreedesktop + "message-new-instant.oga");

    // A click plays what the desktop plays now.
    ChooseDesktop();
    ListBox1Click(model, RowOf(model, "message-new-instant.wav"));
    EXPECT_EQ(player.played.back(), kFreedesktop + "message-new-instant.oga");

    ReplaceAt("电话/PHONE13.WAV", "message-new-instant.wav");
    const std::string written = Custom() + "message-new-instant.wav";
    EXPECT_EQ(ReadFile(written), kPhone13);
    EXPECT_EQ(CanberraOpens("message-new-instant"), written);
    ListBox1Click(model, RowOf(model, "message-new-instant.wav"));
    EXPECT_EQ(player.played.back(), written);
    // The desktop's own message, not the question about QQ's settings file.
    ASSERT_EQ(dialogs.shown.size(), 1u);

    // Asked from another target, Ctrl+Z names the theme's folder as it is.
    Target("client/sound", {"msg.wav"});
    dialogs.ThenResult(DlgResult::Cancel);
    UndoLastChangeClick(model);
    EXPECT_NE(dialogs.shown.back().text.find("\n" + Custom() + "\n"), std::string::npos)
        << dialogs.shown.back().text;
    ChooseDesktop();

    dialogs.ThenResult(DlgResult::OK);
    RestoreOriginalClick(model, RowOf(model, "message-new-instant.wav"));
    EXPECT_EQ(CanberraOpens("message-new-instant"), kFreedesktop + "message-new-instant.oga");

    // Even with the theme's folder removed meanwhile, the settings come back.
    fs::remove_all(Custom());
    RestoreAll();
    EXPECT_EQ(Gsettings("get org.gnome.desktop.sound theme-name"), "'freedesktop'");
    EXPECT_EQ(Output("grep -rs theme-name " + Home("XDG_CONFIG_HOME")), "");
    EXPECT_TRUE(fs::is_empty(Custom()));
}

TEST_F(DesktopLinux, AnotherProgramsThemeIsExtendedAndWhatAReplacementShadowedComesBack) {
    SkipWithoutCanberra();
    const std::string index = "[Sound Theme]\nName=Mine\nInherits=freedesktop\nDirectories=.\n";
    const std::string kde = "[General]\nColorScheme=Breeze\n\n[Sounds]\nTheme=ocean\n";
    WriteFile(Custom() + "index.theme", index);
    WriteFile(Custom() + "bell.oga", "my bell");
    fs::copy_file(kFreedesktop + "complete.oga", Custom() + "message-new-instant.oga");
    WriteFile(Home("XDG_CONFIG_HOME") + "/kdeglobals", kde);
    ChooseDesktop();

    ReplaceAt("电话/PHONE7.WAV", "message-new-instant.wav");
    EXPECT_EQ(CanberraOpens("message-new-instant"), Custom() + "message-new-instant.wav");
    EXPECT_FALSE(fs::exists(Custom() + "message-new-instant.oga"));
    EXPECT_EQ(IniValue(ReadFile(Home("XDG_CONFIG_HOME") + "/kdeglobals"), "Sounds", "Theme"),
              "__custom");

    // As before: the desktop was not pointed at that theme.
    RestoreAll();
    EXPECT_EQ(CanberraOpens("message-new-instant"), kFreedesktop + "message-new-instant.oga");
    EXPECT_EQ(ReadFile(Custom() + "message-new-instant.oga"),
              ReadFile(kFreedesktop + "complete.oga"));
    EXPECT_EQ(ReadFile(Custom() + "index.theme"), index);
    EXPECT_EQ(ReadFile(Custom() + "bell.oga"), "my bell");
    EXPECT_EQ(ReadFile(Home("XDG_CONFIG_HOME") + "/kdeglobals"), kde);
}

struct InheritedRow {
    const char* selected;  // GNOME's theme before, "" for none
    bool installed;        // a theme of that name is on the machine
    const char* inherited;
};

class DesktopInherits : public DesktopLinux, public ::testing::WithParamInterface<InheritedRow> {};

TEST_P(DesktopInherits, TheNewThemeInheritsTheOneSelectedBeforeWhenItExists) {
    const InheritedRow& row = GetParam();
    if (row.installed)
        WriteFile(Home("XDG_DATA_HOME") + "/sounds/" + row.selected + "/index.theme",
                  "[Sound Theme]\nName=X\nDirectories=.\n");
    if (*row.selected) {
        Gsettings(std::string("set org.gnome.desktop.sound theme-name ") + row.selected);
        ASSERT_TRUE(Settle([&] { return ThemeNameInProcess() == row.selected; }));
    }
    ChooseDesktop();
    ReplaceAt("电话/PHONE13.WAV", "bell.wav");
    EXPECT_EQ(IniValue(ReadFile(Custom() + "index.theme"), "Sound Theme", "Inherits"),
              row.inherited);
    EXPECT_EQ(Gsettings("get org.gnome.desktop.sound theme-name"), "'__custom'");
}

INSTANTIATE_TEST_SUITE_P(Themes, DesktopInherits,
                         ::testing::Values(InheritedRow{"", false, "freedesktop"},
                                           InheritedRow{"myth", true, "myth"},
                                           // libcanberra would pass over a theme
                                           // inheriting a missing one
                                           InheritedRow{"ubuntu", false, "freedesktop"},
                                           InheritedRow{"__custom", false, "freedesktop"}));

TEST_F(DesktopLinux, SoundsSwitchedOffAreToldAndLeftOff) {
    Gsettings("set org.gnome.desktop.sound event-sounds false");
    ASSERT_TRUE(Settle([] { return EventSoundsOff(); }));
    ChooseDesktop();
    ReplaceAt("电话/PHONE13.WAV", "message.wav");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].form, DialogForm::PlainMessage);
    EXPECT_EQ(dialogs.shown[1].text, kDesktopSoundsOff);
    EXPECT_EQ(Gsettings("get org.gnome.desktop.sound event-sounds"), "false");
}

struct XfceRow {
    const char* name;
    bool bus;      // a session bus runs
    bool service;  // it can start Xfce's settings daemon
    bool listed;
};

// Xfce's setting is one to write only where xfconf-query has a daemon to
// ask: with xfconf-query on the PATH, a private session bus decides.
class XfceSetting : public ::testing::TestWithParam<XfceRow> {
  protected:
    void SetUp() override {
        WriteFile(dir.Path() / "bin/xfconf-query", "#!/bin/sh\nexit 1\n");
        fs::permissions(dir.Path() / "bin/xfconf-query", fs::perms(0755));
        ::setenv("PATH", ((dir.Path() / "bin").string() + ":" + path).c_str(), 1);
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    }
    void TearDown() override {
        ::setenv("PATH", path.c_str(), 1);
        if (bus)
            ::setenv("DBUS_SESSION_BUS_ADDRESS", bus->c_str(), 1);
        else
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        if (busPid > 0) {
            ::kill(busPid, SIGTERM);
            g_spawn_close_pid(busPid);
        }
    }
    // Starts a session bus of the test's own, whose services are those in
    // `services`, and points GIO at it.
    void StartBus(const fs::path& services) {
        fs::create_directories(services);
        const fs::path config = dir.Path() / "bus.conf";
        WriteFile(config, "<busconfig><type>session</type><listen>unix:dir=" + dir.Path().string() +
                              "</listen><auth>EXTERNAL</auth><servicedir>" + services.string() +
                              "</servicedir><policy context=\"default\"><allow "
                              "send_destination=\"*\" eavesdrop=\"true\"/><allow "
                              "eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        const std::string configArgument = "--config-file=" + config.string();
        const char* argv[] = {"dbus-daemon", "--nofork", configArgument.c_str(),
                              "--print-address=1", nullptr};
        gint out = -1;
        ASSERT_TRUE(g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr,
                                             G_SPAWN_SEARCH_PATH, nullptr, nullptr, &busPid,
                                             nullptr, &out, nullptr, nullptr));
        std::string address;
        for (char c = 0; ::read(out, &c, 1) == 1 && c != '\n';)
            address += c;
        ::close(out);
        ASSERT_FALSE(address.empty());
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    }

    TempDir dir;
    const std::string path = Home("PATH");
    const std::optional<std::string> bus = [] {
        const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        return address ? std::optional<std::string>(address) : std::nullopt;
    }();
    GPid busPid = 0;
};

TEST_P(XfceSetting, IsWrittenOnlyWhereItsDaemonCanBeReached) {
    const XfceRow& row = GetParam();
    if (row.service)
        WriteFile(dir.Path() / "services/org.xfce.Xfconf.service",
                  "[D-BUS Service]\nName=org.xfce.Xfconf\nExec=/bin/false\n");
    if (row.bus)
        StartBus(dir.Path() / "services");
    const std::vector<std::string> settings = SoundThemeSettings();
    const bool listed = std::find(settings.begin(), settings.end(),
                                  "xfconf xsettings /Net/SoundThemeName") != settings.end();
    EXPECT_EQ(listed, row.listed);
}

INSTANTIATE_TEST_SUITE_P(Buses, XfceSetting,
                         ::testing::Values(XfceRow{"NoBus", false, false, false},
                                           XfceRow{"NoDaemon", true, false, false},
                                           XfceRow{"DaemonStartable", true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
