// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's sounds on Windows, run under Wine: the sound scheme's values
// read back by Wine's own reg.exe, and the file Wine's own PlaySound opens
// for the event (in a program of its own, play_alias) before a replacement,
// after it and after a restore. PlaySound needs an audio device for that:
// run under scripts/with-sound-server.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "command_output.h"
#include "discovery/target_switch.h"
#include "platform/desktop_settings.h"
#include "replace/restore_originals.h"
#include "replace_world.h"
#include "running_program.h"
#include "wav_files.h"

namespace sonatrix::testing {
namespace {

namespace fs = std::filesystem;

const std::string kEventKey = "HKCU\\AppEvents\\Schemes\\Apps\\.Default\\Notification.IM\\";
// play_alias's answers other than a file's number.
constexpr DWORD kNoneOpen = 100;
constexpr DWORD kNoDevice = 101;

// A short tone, long enough for PlaySound to be found holding it.
const std::string kTone = ToneWav(0.5, 440);

struct SchemeRow {
    const char* name;
    // The event has a scheme default too, which Wine plays instead of ".Current".
    bool schemeDefault;
};

class DesktopWin : public ::testing::TestWithParam<SchemeRow>, public ReplaceWorld {
  protected:
    std::vector<std::string> Keys() const {
        if (GetParam().schemeDefault)
            return {kEventKey + ".Current", kEventKey + ".Default"};
        return {kEventKey + ".Current"};
    }

    std::string RegQuery() const {
        std::string out;
        for (const std::string& key : Keys())
            out += CommandOutput("reg query \"" + key + "\" /ve 2>&1");
        return out;
    }

    // Which of `files` Wine's PlaySound opens for Notification.IM: its
    // number, kNoneOpen or kNoDevice.
    static DWORD PlaySoundOpens(const std::vector<fs::path>& files) {
        std::wstring arguments = L"Notification.IM";
        for (const fs::path& file : files)
            arguments += L" \"" + file.wstring() + L"\"";
        const RunningProgram play(FromBuildPath(SONATRIX_PLAY_ALIAS), arguments);
        return play.WaitForExit().value_or(kNoneOpen);
    }
};

TEST_P(DesktopWin, PlaySoundOpensTheWrittenSoundUntilTheOldOneIsPutBack) {
    const fs::path old = Put("media/ding.wav", kTone);
    CommandOutput("reg delete \"" + kEventKey.substr(0, kEventKey.size() - 1) + "\" /f 2>&1");
    for (const std::string& key : Keys())
        CommandOutput("reg add \"" + key + "\" /ve /t REG_EXPAND_SZ /d \"" + old.string() +
                      "\" /f");
    const std::string before = RegQuery();
    ASSERT_NE(before.find("REG_EXPAND_SZ"), std::string::npos) << before;
    const fs::path written = PathFromNarrow(DesktopSoundFolder(dataDir) + "Notification.IM.wav");
    const DWORD first = PlaySoundOpens({old, written});
    if (first == kNoDevice)
        GTEST_SKIP() << "Wine has no audio device: run under scripts/with-sound-server.sh";
    EXPECT_EQ(first, 0u);

    Library("电话/PHONE13.WAV", kTone);
    ComboBox1Select(model, kKindDesktop);
    ReplaceAt("电话\\PHONE13.WAV", "Notification.IM.wav");
    const std::string replaced = RegQuery();
    EXPECT_NE(replaced.find("REG_SZ"), std::string::npos) << replaced;
    EXPECT_NE(replaced.find("Notification.IM.wav"), std::string::npos) << replaced;
    EXPECT_EQ(PlaySoundOpens({old, written}), 1u);

    dialogs.ThenResult(DlgResult::OK);
    RestoreOriginalClick(model, RowOf(model, "Notification.IM.wav"));
    EXPECT_EQ(RegQuery(), before);
    EXPECT_EQ(PlaySoundOpens({old, written}), 0u);
}

INSTANTIATE_TEST_SUITE_P(Schemes, DesktopWin,
                         ::testing::Values(SchemeRow{"CurrentOnly", false},
                                           SchemeRow{"WithSchemeDefault", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the control panel and other programs see: the registry itself.
class DesktopWinScheme : public ::testing::Test, public ReplaceWorld {
  protected:
    void SetUp() override {
        CommandOutput("reg delete \"" + kEventKey.substr(0, kEventKey.size() - 1) + "\" /f 2>&1");
        Library("电话/PHONE13.WAV", kTone);
        ComboBox1Select(model, kKindDesktop);
    }
    // The ".Current" key's value; nullopt when there is no such key.
    static std::optional<std::wstring> Current() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER,
                          L"AppEvents\\Schemes\\Apps\\.Default\\Notification.IM\\.Current", 0,
                          KEY_READ | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return std::nullopt;
        wchar_t value[MAX_PATH] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
        return std::wstring(value);
    }
    static void SetCurrent(const std::wstring& value) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"AppEvents\\Schemes\\Apps\\.Default\\Notification.IM\\.Current", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    void RestoreAll() {
        dialogs.ThenResult(DlgResult::OK);
        RestoreAllOriginalsClick(model);
    }
};

TEST_F(DesktopWinScheme, AKeyOfOursGoesAndAValueChosenSinceStays) {
    ReplaceAt("电话\\PHONE13.WAV", "Notification.IM.wav");
    ASSERT_NE(Current().value_or(L"").find(L"Notification.IM.wav"), std::wstring::npos);
    RestoreAll();
    EXPECT_EQ(Current(), std::nullopt);

    ReplaceAt("电话\\PHONE13.WAV", "Notification.IM.wav");
    SetCurrent(L"C:\\windows\\media\\chord.wav");
    RestoreAll();
    EXPECT_EQ(Current(), L"C:\\windows\\media\\chord.wav");
}

TEST_F(DesktopWinScheme, AValueTheNarrowTextCannotHoldIsLeftAlone) {
    const std::wstring unconvertible = L"C:\\media\\\u0915.wav";
    SetCurrent(unconvertible);
    ReplaceAt("电话\\PHONE13.WAV", "Notification.IM.wav");
    EXPECT_EQ(Current(), unconvertible);
    EXPECT_EQ(dialogs.shown.back().caption, "Error") << dialogs.shown.back().text;
}

}  // namespace
}  // namespace sonatrix::testing
