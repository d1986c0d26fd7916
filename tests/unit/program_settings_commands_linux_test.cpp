// SPDX-License-Identifier: GPL-3.0-or-later
// Every command on a program that names its sounds in its own settings,
// each result read back by the program's own reader: libpurple's
// purple_prefs_load() for Pidgin, KConfig's kreadconfig5 for a KDE
// program, and for Thunderbird Thunderbird itself (started headless once,
// on a copy of the profile the commands wrote; otherwise prefs.js is read
// as Mozilla's parser reads it, checked against Thunderbird in that run).
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "command_output.h"
#include "discovery/program_sound_setting.h"
#include "discovery/program_target.h"
#include "discovery/settings_programs.h"
#include "library/library_tree.h"
#include "model/target_list.h"
#include "platform/file_url.h"
#include "platform/prefs_js.h"
#include "platform/settings_places.h"
#include "replace/random_replacement.h"
#include "replace/restore_originals.h"
#include "replace/themes.h"
#include "replace/undo_last_change.h"
#include "replace_world.h"
#include "standin_process.h"
#include "test_platform.h"
#include "wav_files.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kThunderbirdPrefs =
    "// Mozilla User Preferences\r\n\r\n/* by hand */\r\n"
    "user_pref(\"mail.biff.play_sound\", true);\r\n"
    "user_pref(\"mail.chat.play_sound\", false);\r\n";
constexpr const char* kPidginPrefs =
    "<?xml version='1.0' encoding='UTF-8' ?>\n\n<pref version='1' name='/'>\n"
    "\t<pref name='pidgin'>\n\t\t<pref name='sound'>\n"
    "\t\t\t<pref name='method' type='string' value='automatic'/>\n"
    "\t\t\t<pref name='enabled'>\n"
    "\t\t\t\t<pref name='im_recv' type='bool' value='1'/>\n"
    "\t\t\t\t<pref name='first_im_recv' type='bool' value='0'/>\n"
    "\t\t\t</pref>\n\t\t\t<pref name='file'>\n"
    "\t\t\t\t<pref name='im_recv' type='path' value=''/>\n"
    "\t\t\t</pref>\n\t\t</pref>\n\t</pref>\n</pref>\n";
constexpr const char* kKdeDefaults =
    "[Global]\nName=Chat\n[Event/message]\nName=Message\nName[zh_CN]=新消息\n"
    "Action=Popup\nSound=message-new-instant.oga\n[Event/highlight]\nName[zh_CN]=提到你\n"
    "Action=Popup|Sound\n";
constexpr const char* kKdeUser = "# mine\n[Event/highlight]\nAction=Popup|Sound|Taskbar\n";

struct ProgramRow {
    const char* label;
    SettingsProgramKind kind;
    const char* settings;  // below the root
    const char* original;
    const char* event;  // as the list names it
    const char* eventId;
    const char* offEvent;  // switched off in the program; "" for none
    const char* offEventId;
};

const ProgramRow kRows[] = {
    {"Thunderbird", SettingsProgramKind::Thunderbird, "tb/p/prefs.js", kThunderbirdPrefs, "新邮件",
     "biff", "聊天消息", "chat"},
    {"Pidgin", SettingsProgramKind::Pidgin, "purple/prefs.xml", kPidginPrefs, "收到消息", "im_recv",
     "收到消息并开始对话", "first_im_recv"},
    {"Kde", SettingsProgramKind::Kde, "config/chat.notifyrc", kKdeUser, "新消息", "message", "",
     ""},
};

const std::vector<std::pair<std::string, PrefValue>>& ThunderbirdEscapes() {
    static const std::vector<std::pair<std::string, PrefValue>> values{
        {"sonatrix.test.url", FileUrlOfPath("/tmp/声音 库/a#b%.wav")},
        {"sonatrix.test.escapes", std::string("q\"b\\s\nl\re\x01\t新'")},
    };
    return values;
}

// A reader's output, run on a session bus of its own, its last newline dropped.
std::string Reader(const std::string& command) {
    std::string out = CommandOutput("dbus-run-session -- " + command + " 2>/dev/null");
    if (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

// The program of `row` found in a home below the root and made the target.
class ProgramWorld : public ReplaceWorld {
  public:
    explicit ProgramWorld(const ProgramRow& row) : row_(row) {}

    void Adopt() {
        Put("tb/profiles.ini", "[Profile0]\nName=default\nIsRelative=1\nPath=p\nDefault=1\n");
        Put("data/knotifications5/chat.notifyrc", kKdeDefaults);
        fs::create_directories(At("config"));
        Put(row_.settings, row_.original);
        for (std::string theme : kPresetThemes[0].sources) {
            std::replace(theme.begin(), theme.end(), '\\', '/');
            Put("app/" + theme, ToneWav(0.05, 300 + theme.size()));
        }
        Library("自定义/a.wav", kA);
        RebuildLibraryTree(model);
        const SettingsPlaces places{
            FolderOf("tb"), FolderOf("purple"), FolderOf("config"), {FolderOf("data")}};
        for (SettingsProgram& program : FindSettingsPrograms(*files, places)) {
            if (program.kind == row_.kind)
                AdoptSettingsProgram(model, std::move(program));
        }
        ASSERT_EQ(model.state.TargetStatusText, At(row_.settings).string());
        model.state.TargetKind = kKindProgram;
        M_list_qqshund(model);
    }

    const ProgramRow& Row() const { return row_; }

    std::string Settings() const { return ReadFile(At(row_.settings)); }
    std::string SoundOf(const std::string& eventId) const {
        return model.state.TargetSoundDir + eventId + ".wav";
    }

    // The file the program plays for `eventId`, as its own reader reads its
    // settings: empty for its own or the system's sound.
    std::string Plays(const std::string& eventId) {
        const std::string settings = At(row_.settings).string();
        switch (row_.kind) {
            case SettingsProgramKind::Thunderbird: {
                const std::string text = Settings();
                const std::string pref = "mail." + eventId + ".play_sound";
                if (UserPrefValue(text, pref + ".type") != PrefValue(std::int32_t(1)))
                    return {};
                const auto url = UserPrefValue(text, pref + ".url");
                return PathOfFileUrl(std::get<std::string>(url.value())).value_or("bad url");
            }
            case SettingsProgramKind::Pidgin: {
                const std::string out = Reader(std::string(SONATRIX_PURPLE_PREFS_READER) + " '" +
                                               FolderOf("purple") + "' " + eventId);
                const std::size_t file = out.find("file=");
                const std::string value = out.substr(file + 5, out.find('\n', file) - file - 5);
                return value == "(none)" ? std::string() : value;
            }
            case SettingsProgramKind::Kde: {
                const std::string group = " --group Event/" + eventId;
                // A sound plays only where the Action names one.
                const std::string action =
                    Reader("kreadconfig5 --file '" + settings + "'" + group + " --key Action");
                const std::string sound =
                    Reader("kreadconfig5 --file '" + settings + "'" + group + " --key Sound");
                return action.find("Sound") == std::string::npos && !sound.empty()
                           ? "silent:" + sound
                           : sound;
            }
        }
        return {};
    }

    // The command's dialogs after `answers`, each "<caption>:<text>".
    std::vector<std::string> Command(void (*command)(MainModel&), std::vector<Answer> answers) {
        dialogs.shown.clear();
        for (Answer& answer : answers)
            dialogs.Then(std::move(answer));
        command(model);
        return dialogs.Texts();
    }

    const std::string kA = ToneWav(0.05, 440);

  private:
    const ProgramRow& row_;
};

class ProgramSettings : public ::testing::TestWithParam<ProgramRow>, public ProgramWorld {
  protected:
    ProgramSettings() : ProgramWorld(GetParam()) {}
    void SetUp() override { Adopt(); }
};

// Thunderbird started headless on a profile holding `prefs` and the values
// below, then asked to quit, writes prefs.js anew from what it read; the
// values of `names` it kept, read from that file. Nothing when Thunderbird
// is not installed.
std::optional<std::string> ThunderbirdRewrites(const std::string& prefs) {
    if (std::system("command -v thunderbird >/dev/null") != 0)
        return std::nullopt;
    const TempDir profile;
    std::string text = prefs;
    // Escapes of every kind: quotes, backslashes, control characters, non-ASCII.
    for (const auto& [name, value] : ThunderbirdEscapes())
        text = WithUserPref(text, name, value).value();
    WriteFile(profile.Path() / "prefs.js", text);
    const std::string command = std::string("python3 '") + SONATRIX_THUNDERBIRD_ROUND_TRIP + "' '" +
                                profile.Path().string() + "' 90";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "3: Thunderbird could not parse prefs.js";
    const std::string after = ReadFile(profile.Path() / "prefs.js");
    EXPECT_NE(after, text) << "Thunderbird did not write prefs.js";
    for (const auto& [name, value] : ThunderbirdEscapes())
        EXPECT_EQ(UserPrefValue(after, name), value) << name;
    return after;
}

bool AnyError(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        if (text.starts_with("Error:"))
            return true;
    }
    return false;
}

// Replace, undo, redo, restore everything, a theme, restoring one sound
// and random replacement, in that order, each read back by the program.
TEST_P(ProgramSettings, EveryCommandReadBackByTheProgram) {
    const ProgramRow& row = GetParam();
    const std::string before = Plays(row.eventId);

    ReplaceAt("自定义/a.wav", row.event);
    EXPECT_FALSE(AnyError(dialogs.Texts())) << ::testing::PrintToString(dialogs.Texts());
    EXPECT_EQ(Plays(row.eventId), SoundOf(row.eventId));
    EXPECT_EQ(ReadFile(SoundOf(row.eventId)), kA);
    EXPECT_EQ(model.state.TargetProgram.EventNamed(row.event)->sound, SoundOf(row.eventId));
    if (row.kind == SettingsProgramKind::Thunderbird) {
        // Thunderbird itself keeps what the command wrote (on a copy).
        if (const auto kept = ThunderbirdRewrites(Settings())) {
            EXPECT_EQ(UserPrefValue(*kept, "mail.biff.play_sound.url"),
                      PrefValue(FileUrlOfPath(SoundOf(row.eventId))));
            EXPECT_EQ(UserPrefValue(*kept, "mail.biff.play_sound.type"), PrefValue(1));
        }
    }

    Command(UndoLastChangeClick, {{DlgResult::OK, mb::kIdOK, {}, {}}});
    EXPECT_EQ(Settings(), row.original) << "undo gives back every byte";
    EXPECT_FALSE(fs::exists(SoundOf(row.eventId)));
    Command(RedoClick, {{DlgResult::OK, mb::kIdOK, {}, {}}});
    EXPECT_EQ(Plays(row.eventId), SoundOf(row.eventId));

    Command(RestoreAllOriginalsClick, {{DlgResult::OK, mb::kIdOK, {}, {}}});
    EXPECT_EQ(Settings(), row.original) << "restore gives back every byte";
    EXPECT_EQ(Plays(row.eventId), before);

    const auto theme = Command(SpeedButton5Click, {});
    EXPECT_FALSE(AnyError(theme)) << ::testing::PrintToString(theme);
    EXPECT_EQ(Plays(row.eventId), SoundOf(row.eventId)) << "a theme's msg.wav";
    EXPECT_EQ(ReadFile(SoundOf(row.eventId)), ReadFile(At("app/newsounds/动物/昆虫/蟋蟀2.wav")));

    // Restoring one sound leaves the others the theme wrote.
    const std::string other = row.kind == SettingsProgramKind::Kde ? "highlight" : row.offEventId;
    const std::string otherPlays = Plays(other);
    ASSERT_EQ(otherPlays, SoundOf(other));
    Command([](MainModel& m) { RestoreOriginalClick(m, RowOf(m, m.state.SelectedTargetSound)); },
            {{DlgResult::OK, mb::kIdOK, {}, {}}});
    EXPECT_EQ(Plays(row.eventId), before);
    EXPECT_EQ(Plays(other), otherPlays);

    const auto random = Command(Button3Click, {{DlgResult::OK, mb::kIdYes, {}, {}}});
    EXPECT_FALSE(AnyError(random)) << ::testing::PrintToString(random);
    EXPECT_EQ(Plays(row.eventId), SoundOf(row.eventId));
}

// An event the user switched off in Thunderbird or Pidgin is written, said
// to stay silent, and left switched off. (A KDE event sounds once its
// Action names a sound, which is how KDE's own dialog switches it on.)
TEST(ProgramSettingsGuard, SwitchedOffEventIsReportedNotSwitchedOn) {
    for (const ProgramRow& row : {kRows[0], kRows[1]}) {
        SCOPED_TRACE(row.label);
        ProgramWorld world(row);
        world.Adopt();
        world.ReplaceAt("自定义/a.wav", row.offEvent);
        EXPECT_EQ(world.dialogs.shown.back().text,
                  ProgramEventOffText(world.model.state.TargetProgram, row.offEvent));
        EXPECT_EQ(world.Plays(row.offEventId), world.SoundOf(row.offEventId));
        EXPECT_FALSE(world.model.state.TargetProgram.EventNamed(row.offEvent)->enabled);
    }
}

// Pidgin writes prefs.xml when it exits: while it runs, a replacement and
// an undo of an earlier one ask for it to be closed and change nothing.
TEST(ProgramSettingsGuard, WhilePidginRunsNothingChanges) {
    ProgramWorld world(kRows[1]);
    world.Adopt();
    world.ReplaceAt("自定义/a.wav", "收到消息");
    const std::string replaced = world.Settings();
    StandInProcess pidgin(world.At("bin") / PidginExecutableName());
    world.ownProcesses.Allow(pidgin.Pid());
    world.dialogs.shown.clear();
    world.model.state.SelectedLibrarySound = "自定义/a.wav";
    ListBox1Click(world.model, RowOf(world.model, "发送消息"));
    M_replace89(world.model);
    UndoLastChangeClick(world.model);
    const std::string close = CloseProgramFirstText(world.model.state.TargetProgram);
    EXPECT_EQ(world.dialogs.Texts(false), (std::vector<std::string>{close, close}));
    EXPECT_EQ(world.Settings(), replaced);
    EXPECT_FALSE(fs::exists(world.SoundOf("send_im")));
}

// A prefs.js Thunderbird would not read back once edited (it ends inside
// a comment) is reported and left alone, and no sound is copied for it.
TEST(ProgramSettingsGuard, SettingsThatCannotBeEditedAreLeftAlone) {
    ProgramRow row = kRows[0];
    row.original = "user_pref(\"mail.biff.play_sound\", true);\n/* never closed";
    ProgramWorld world(row);
    world.Adopt();
    world.ReplaceAt("自定义/a.wav", "新邮件");
    EXPECT_EQ(world.dialogs.shown.back().text, kSettingsNotEditableText);
    EXPECT_EQ(world.Settings(), row.original);
    EXPECT_FALSE(fs::exists(world.SoundOf("biff")));
}

// What KDE's own writer changes in the notifyrc after a replacement: a key
// of its own stays when the sound goes back, and a sound the user chose
// since in the program stays theirs.
TEST(ProgramSettingsGuard, KdeRestoreKeepsWhatWasWrittenSince) {
    ProgramWorld world(kRows[2]);
    world.Adopt();
    const std::string file = world.At(kRows[2].settings).string();
    const auto kwrite = [&](const char* key, const char* value) {
        Reader("kwriteconfig5 --file '" + file + "' --group Event/message --key " + key + " " +
               value);
    };
    world.ReplaceAt("自定义/a.wav", "新消息");
    kwrite("Execute", "/bin/true");
    world.Command(RestoreAllOriginalsClick, {{DlgResult::OK, mb::kIdOK, {}, {}}});
    EXPECT_EQ(world.Plays("message"), "");
    EXPECT_EQ(Reader("kreadconfig5 --file '" + file + "' --group Event/message --key Execute"),
              "/bin/true");

    world.ReplaceAt("自定义/a.wav", "新消息");
    kwrite("Sound", "/mine.wav");
    const auto texts =
        world.Command(RestoreAllOriginalsClick, {{DlgResult::OK, mb::kIdOK, {}, {}}});
    EXPECT_EQ(world.Plays("message"), "/mine.wav");
    EXPECT_NE(texts.back().find(kKeptLaterChoices), std::string::npos) << texts.back();
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramSettings, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace sonatrix::testing
