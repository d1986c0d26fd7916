// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's sounds on Linux, read back by what the desktop itself uses:
// GSettings' own command line tool, libcanberra (canberra-gtk-play, its
// file opens seen with strace) playing the theme GSettings names against
// the private sound server, GLib's key file reader as GTK reads its
// settings.ini, and KConfig's kreadconfig5 and kwriteconfig5. The desktop is
// GNOME with Yaru as the distribution's default (desktop_home_linux.cpp).
// Every reader runs on a session bus of its own.
#include <glib.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
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
#include "originals/journal.h"
#include "originals/originals_store.h"
#include "platform/config_file.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/ini_text.h"
#include "replace/restore_originals.h"
#include "replace/single_replacement.h"
#include "replace/store_of.h"
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
const std::string kYaru = "/usr/share/sounds/Yaru/stereo/";

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
    for (const char c : command)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return Output("dbus-run-session -- sh -c " + quoted + "' 2>/dev/null");
}

std::string Gsettings(const std::string& arguments) {
    return Reader("gsettings " + arguments + " 2>&1");
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
        fs::remove_all(Home("HOME") + "/dotfiles");
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
    std::string Config(const std::string& below) const {
        return Home("XDG_CONFIG_HOME") + "/" + below;
    }
    void InstallTheme(const std::string& name) {
        WriteFile(Home("XDG_DATA_HOME") + "/sounds/" + name + "/index.theme",
                  "[Sound Theme]\nName=X\nDirectories=.\n");
    }
    std::string Kreadconfig(const std::string& file, const char* group, const char* key) {
        return Reader("kreadconfig5 --file " + file + " --group " + group + " --key " + key +
                      " 2>/dev/null");
    }

    void ChooseDesktop() { ComboBox1Select(model, kKindDesktop); }

    void RestoreAll() {
        dialogs.ThenResult(DlgResult::OK);
        RestoreAllOriginalsClick(model);
    }

    // The sound file libcanberra opens for `event` with the theme GSettings
    // names, handed to it as GNOME's settings daemon hands it to GTK.
    std::string CanberraOpens(const std::string& event) {
        const std::string trace = (root.Path() / "canberra.trace").string();
        std::string theme = Gsettings("get org.gnome.desktop.sound theme-name");
        theme = theme.substr(1, theme.size() - 2);
        Reader("xvfb-run -a strace -f -e trace=openat -o " + trace + " canberra-gtk-play -i " +
               event + " --property=canberra.xdg-theme.name=" + theme);
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
    ASSERT_EQ(CanberraOpens("message-new-instant"), kYaru + "message-new-instant.oga");

    // A click plays what the desktop plays now: the distribution's theme.
    ChooseDesktop();
    ListBox1Click(model, RowOf(model, "message-new-instant.wav"));
    EXPECT_EQ(player.played.back(), kYaru + "message-new-instant.oga");

    ReplaceAt("电话/PHONE13.WAV", "message-new-instant.wav");
    const std::string written = Custom() + "message-new-instant.wav";
    EXPECT_EQ(ReadFile(written), kPhone13);
    EXPECT_EQ(CanberraOpens("message-new-instant"), written);
    // Every other event sounds as before.
    EXPECT_EQ(CanberraOpens("bell"), kYaru + "bell.oga");
    EXPECT_EQ(CanberraOpens("complete"), kYaru + "complete.oga");
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
    EXPECT_EQ(CanberraOpens("message-new-instant"), kYaru + "message-new-instant.oga");

    // Even with the theme's folder removed meanwhile, the settings come back.
    fs::remove_all(Custom());
    RestoreAll();
    EXPECT_EQ(Gsettings("get org.gnome.desktop.sound theme-name"), "'Yaru'");
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
    EXPECT_EQ(CanberraOpens("message-new-instant"), kYaru + "message-new-instant.oga");
    EXPECT_EQ(ReadFile(Custom() + "message-new-instant.oga"),
              ReadFile(kFreedesktop + "complete.oga"));
    EXPECT_EQ(ReadFile(Custom() + "index.theme"), index);
    EXPECT_EQ(ReadFile(Custom() + "bell.oga"), "my bell");
    EXPECT_EQ(ReadFile(Home("XDG_CONFIG_HOME") + "/kdeglobals"), kde);
}

struct InheritedRow {
    const char* desktop;   // XDG_CURRENT_DESKTOP
    const char* selected;  // the desktop's theme before, "" for none
    bool installed;        // a theme of that name is on the machine
    const char* inherited;
    const char* missing;  // the theme the replacement says is not installed
};

class DesktopInherits : public DesktopLinux, public ::testing::WithParamInterface<InheritedRow> {
  protected:
    void TearDown() override { ::setenv("XDG_CURRENT_DESKTOP", desktop_.c_str(), 1); }
    const std::string desktop_ = Home("XDG_CURRENT_DESKTOP");
};

TEST_P(DesktopInherits, TheNewThemeInheritsTheOneTheUserHearsWhenItExists) {
    const InheritedRow& row = GetParam();
    ::setenv("XDG_CURRENT_DESKTOP", row.desktop, 1);
    if (row.installed)
        InstallTheme(row.selected);
    if (std::string(row.desktop) == "KDE") {
        WriteFile(Config("kdeglobals"), *row.selected
                                            ? "[Sounds]\nTheme=" + std::string(row.selected) + "\n"
                                            : "[General]\nColorScheme=Breeze\n");
    } else if (*row.selected) {
        Gsettings(std::string("set org.gnome.desktop.sound theme-name ") + row.selected);
        ASSERT_TRUE(Settle([&] { return ThemeNameInProcess() == row.selected; }));
    }
    ChooseDesktop();
    ReplaceAt("电话/PHONE13.WAV", "bell.wav");
    EXPECT_EQ(IniValue(ReadFile(Custom() + "index.theme"), "Sound Theme", "Inherits"),
              row.inherited);
    EXPECT_EQ(Gsettings("get org.gnome.desktop.sound theme-name"), "'__custom'");
    const bool told = dialogs.shown.back().text == DesktopThemeMissingText(row.missing);
    EXPECT_EQ(told, *row.missing != '\0') << dialogs.shown.back().text;
}

INSTANTIATE_TEST_SUITE_P(
    Themes, DesktopInherits,
    ::testing::Values(InheritedRow{"GNOME", "", false, "Yaru", ""},
                      InheritedRow{"GNOME", "myth", true, "myth", ""},
                      // libcanberra would pass over a theme inheriting a missing one
                      InheritedRow{"GNOME", "ubuntu", false, "freedesktop", "ubuntu"},
                      InheritedRow{"GNOME", "__custom", false, "freedesktop", ""},
                      // Plasma's own default when kdeglobals names none
                      InheritedRow{"KDE", "", false, "freedesktop", "ocean"},
                      InheritedRow{"KDE", "myth", true, "myth", ""}));

struct ConfigRow {
    const char* name;
    const char* file;  // below $XDG_CONFIG_HOME
    const char* bytes;
    fs::perms mode;
    bool linked;  // kept in ~/dotfiles, linked into place
    bool locked;  // the administrator's "[$i]": the replacement is refused
};

// The setting as GTK (GLib's key file) or KConfig (kreadconfig5) reads it.
class ConfigFiles : public DesktopLinux, public ::testing::WithParamInterface<ConfigRow> {
  protected:
    std::string ThemeRead(const std::string& path) {
        if (path.ends_with("kdeglobals"))
            return Kreadconfig(path, "Sounds", "Theme");
        GKeyFile* file = g_key_file_new();
        std::string theme = "<unreadable>";
        if (g_key_file_load_from_file(file, path.c_str(), G_KEY_FILE_NONE, nullptr)) {
            gchar* value = g_key_file_get_string(file, "Settings", "gtk-sound-theme-name", nullptr);
            theme = value ? value : "";
            g_free(value);
        }
        g_key_file_free(file);
        return theme;
    }
};

TEST_P(ConfigFiles, ComeBackByteForByteWithTheirLinkAndMode) {
    const ConfigRow& row = GetParam();
    const fs::path path = Config(row.file);
    const fs::path real = row.linked ? fs::path(Home("HOME")) / "dotfiles" / row.name : path;
    WriteFile(real, row.bytes);
    fs::permissions(real, row.mode);
    if (row.linked) {
        fs::create_directories(path.parent_path());
        fs::create_symlink(real, path);
    }
    const std::string before = ThemeRead(path);

    ChooseDesktop();
    ReplaceAt("电话/PHONE13.WAV", "message-new-instant.wav");
    if (row.locked) {
        EXPECT_NE(dialogs.shown.back().text.find(kLockedByAdministratorText), std::string::npos)
            << dialogs.shown.back().text;
        EXPECT_EQ(ThemeRead(path), before);
    } else {
        EXPECT_EQ(ThemeRead(path), "__custom");
    }
    EXPECT_EQ(fs::is_symlink(path), row.linked);
    EXPECT_EQ(fs::status(path).permissions(), row.mode);

    RestoreAll();
    EXPECT_EQ(ReadFile(real), row.bytes);
    EXPECT_EQ(fs::status(real).permissions(), row.mode);
    EXPECT_EQ(fs::is_symlink(path), row.linked);
    if (row.linked)
        EXPECT_EQ(fs::read_symlink(path), real);
}

constexpr fs::perms kUsual = fs::perms(0644);

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigFiles,
    ::testing::Values(
        ConfigRow{"CrlfSpacedDuplicatesNoFinalNewline", "gtk-3.0/settings.ini",
                  "[Settings]\r\ngtk-sound-theme-name = a\r\ngtk-theme-name=Adwaita\r\n"
                  "gtk-sound-theme-name = freedesktop",
                  kUsual, false, false},
        ConfigRow{"ByteOrderMark", "kdeglobals",
                  "\xEF\xBB\xBF# mine\n[General]\nColorScheme=Breeze\n", kUsual, false, false},
        ConfigRow{"HeaderOnly", "gtk-4.0/settings.ini", "[Settings]\n", kUsual, false, false},
        ConfigRow{"DotfilesLink", "gtk-3.0/settings.ini", "[Settings]\ngtk-theme-name=Adwaita\n",
                  fs::perms(0600), true, false},
        ConfigRow{"KioskLocked", "kdeglobals", "[Sounds]\nTheme[$i]=ocean\n", kUsual, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct LaterRow {
    const char* name;
    const char* desktop;  // whose setting counts first
    // The user's own tool choosing "myth" (%s: kdeglobals), and reading it back.
    const char* choose;
    const char* read;
    const char* myth;       // "myth" as `read` prints it
    const char* inProcess;  // GSettings' theme once this process sees the choice
};

class LaterChoice : public DesktopLinux, public ::testing::WithParamInterface<LaterRow> {
  protected:
    void TearDown() override { ::setenv("XDG_CURRENT_DESKTOP", desktop_.c_str(), 1); }
    std::string Tool(const char* command) {
        std::string line = command;
        if (const auto at = line.find("%s"); at != std::string::npos)
            line.replace(at, 2, Config("kdeglobals"));
        return Reader(line + " 2>/dev/null");
    }
    const std::string desktop_ = Home("XDG_CURRENT_DESKTOP");
};

TEST_P(LaterChoice, IsKeptByRestoreAndFollowedByTheNextReplacement) {
    const LaterRow& row = GetParam();
    ::setenv("XDG_CURRENT_DESKTOP", row.desktop, 1);
    WriteFile(Config("kdeglobals"), "[General]\nColorScheme=Breeze\n");
    InstallTheme("myth");
    ChooseDesktop();
    ReplaceAt("电话/PHONE13.WAV", "message-new-instant.wav");
    Tool(row.choose);
    ASSERT_EQ(Tool(row.read), row.myth);
    ASSERT_TRUE(Settle([&] { return ThemeNameInProcess() == row.inProcess; }));

    RestoreAll();
    EXPECT_EQ(Tool(row.read), row.myth);
    EXPECT_NE(dialogs.shown.back().text.find(kKeptLaterChoices), std::string::npos)
        << dialogs.shown.back().text;

    // The next replacement inherits the theme chosen since; its restore
    // gives that theme back, not the one before the first.
    ReplaceAt("电话/PHONE7.WAV", "message-new-instant.wav");
    EXPECT_EQ(IniValue(ReadFile(Custom() + "index.theme"), "Sound Theme", "Inherits"), "myth");
    EXPECT_NE(Tool(row.read), row.myth);
    RestoreAll();
    EXPECT_EQ(Tool(row.read), row.myth);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, LaterChoice,
    ::testing::Values(
        LaterRow{"Gsettings", "GNOME", "gsettings set org.gnome.desktop.sound theme-name myth",
                 "gsettings get org.gnome.desktop.sound theme-name", "'myth'", "myth"},
        LaterRow{"Kwriteconfig5", "KDE", "kwriteconfig5 --file %s --group Sounds --key Theme myth",
                 "kreadconfig5 --file %s --group Sounds --key Theme", "myth", "__custom"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopLinux, AKeyWrittenSinceStaysWhenTheThemeGoesBack) {
    const std::string kde = Config("kdeglobals");
    WriteFile(kde, "[General]\nColorScheme=Breeze\n");
    ChooseDesktop();
    ReplaceAt("电话/PHONE13.WAV", "message-new-instant.wav");
    Reader("kwriteconfig5 --file " + kde + " --group General --key Font Mine 2>/dev/null");
    RestoreAll();
    EXPECT_EQ(Kreadconfig(kde, "General", "Font"), "Mine");
    EXPECT_EQ(Kreadconfig(kde, "Sounds", "Theme"), "");
    EXPECT_EQ(ReadFile(kde).find("[Sounds]"), std::string::npos) << ReadFile(kde);
}

// kwriteconfig5 started while Sonatrix edits kdeglobals, and let go once
// it has found KConfig's lock held (it reads the lock file to judge it).
struct KdeWriter {
    static inline std::string file;
    static inline GPid pid = 0;

    static void StartOnceLocked(const DiskStep&) {
        const std::string lock = file + ".lock";
        if (pid != 0 || !fs::exists(lock))
            return;
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ::inotify_add_watch(watch, lock.c_str(), IN_CLOSE_NOWRITE);
        const char* argv[] = {"kwriteconfig5", "--file", file.c_str(), "--group", "General",
                              "--key",         "Font",   "Mine",       nullptr};
        g_spawn_async(nullptr, const_cast<char**>(argv), nullptr,
                      static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
                      nullptr, nullptr, &pid, nullptr);
        pollfd ready{watch, POLLIN, 0};
        ::poll(&ready, 1, 20000);
        ::close(watch);
    }
};

TEST_F(DesktopLinux, AKdeProgramWritingMeanwhileKeepsItsWriteAndOurs) {
    KdeWriter::file = Config("kdeglobals");
    KdeWriter::pid = 0;
    WriteFile(KdeWriter::file, "[General]\nColorScheme=Breeze\n");
    ChooseDesktop();
    SetDiskStepObserver(&KdeWriter::StartOnceLocked);
    ReplaceAt("电话/PHONE13.WAV", "message-new-instant.wav");
    SetDiskStepObserver(nullptr);
    ASSERT_NE(KdeWriter::pid, 0) << "kdeglobals was written without KConfig's lock";
    int status = 0;
    ::waitpid(KdeWriter::pid, &status, 0);
    EXPECT_EQ(Kreadconfig(KdeWriter::file, "Sounds", "Theme"), "__custom");
    EXPECT_EQ(Kreadconfig(KdeWriter::file, "General", "Font"), "Mine");
    EXPECT_EQ(Kreadconfig(KdeWriter::file, "General", "ColorScheme"), "Breeze");
}

// Earlier versions kept the settings files' keys as values of their own.
TEST_F(DesktopLinux, ASettingKeptByTheEarlierVersionIsStillRestored) {
    const std::string setting = "gtk-3.0/settings.ini gtk-sound-theme-name";
    const std::string file = "[Settings]\ngtk-theme-name=Adwaita\ngtk-sound-theme-name=";
    WriteFile(Config("gtk-3.0/settings.ini"), file + "__custom\n");
    fs::create_directories(Custom());
    ChooseDesktop();
    OriginalsStore store = StoreOf(model);
    const std::string key = store.KeyOf(TargetPlace(model.state));
    std::string before, after;
    ASSERT_EQ(store.Keep({ItemValue::Kind::Bytes, "freedesktop"}, before), 0);
    ASSERT_EQ(store.Keep({ItemValue::Kind::Bytes, "__custom"}, after), 0);
    ASSERT_EQ(store.WriteOriginals({key, {{setting, before}}}), 0);
    JournalEntry entry{{}, JournalTimeNow(), "换音", key, {{setting, before, after}}};
    ASSERT_EQ(CreateJournalEntry(store, entry), 0);

    RestoreAll();
    EXPECT_EQ(ReadFile(Config("gtk-3.0/settings.ini")), file + "freedesktop\n");
}

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
