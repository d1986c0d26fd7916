// SPDX-License-Identifier: GPL-3.0-or-later
// The sound theme lookup over theme folders laid out in a temporary folder.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/sound_theme.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

using testing::TempDir;
using testing::WriteFile;

struct ThemeRow {
    const char* event;
    const char* theme;
    const char* found;  // below the first root ("mine/x.wav"), or a second root's "sys:…"
    bool disabled = false;
};

class SoundThemeLookup : public ::testing::TestWithParam<ThemeRow> {
  protected:
    void SetUp() override {
        // The user's themes, then the system's.
        Put(user_, "mine/index.theme",
            "[Sound Theme]\nInherits=base\nDirectories=.\n\n[.]\nOutputProfile=stereo\n");
        Put(user_, "mine/message-new-instant.wav");
        Put(user_, "mine/message-new-instant.ogg");  // ".ogg" before ".wav"
        Put(user_, "mine/bell.disabled");
        Put(user_, "mine/message.wav");
        Put(user_, "broken/index.theme", "[Sound Theme]\nInherits=missing\nDirectories=.\n");
        Put(user_, "broken/bell.wav");
        Put(system_, "base/index.theme",
            "[Sound Theme]\nDirectories=stereo 5.1\n\n[stereo]\nOutputProfile=stereo\n\n"
            "[5.1]\nOutputProfile=5.1\n");
        Put(system_, "base/stereo/bell.oga");
        Put(system_, "base/5.1/dialog-error.oga");  // another output profile
        Put(system_, "base/dialog-error.wav");      // the theme's own folder, no directory
        Put(system_, "freedesktop/index.theme", "[Sound Theme]\nDirectories=stereo\n");
        Put(system_, "freedesktop/stereo/bell.oga");
        Put(system_, "freedesktop/stereo/complete.oga");
        Put(system_, "trash-empty.wav");  // unthemed
    }
    void Put(const TempDir& root, const std::string& relative, const std::string& bytes = "x") {
        WriteFile(root.Path() / relative, bytes);
    }
    std::string Expected(const std::string& found) const {
        if (found.starts_with("sys:"))
            return system_.Folder() + found.substr(4);
        return found.empty() ? found : user_.Folder() + found;
    }

    TempDir user_, system_;
    std::unique_ptr<FileSystem> files_ = MakeNativeFileSystem();
};

TEST_P(SoundThemeLookup, FindsWhatLibcanberraWouldPlay) {
    const ThemeRow& row = GetParam();
    const ThemeSound sound =
        FindThemeSound(*files_, {user_.Folder(), system_.Folder()}, row.theme, row.event);
    EXPECT_EQ(sound.file, Expected(row.found));
    EXPECT_EQ(sound.disabled, row.disabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SoundThemeLookup,
    ::testing::Values(ThemeRow{"message-new-instant", "mine", "mine/message-new-instant.ogg"},
                      // the name cut at its last "-", in the same folder first
                      ThemeRow{"message-new-email", "mine", "mine/message.wav"},
                      ThemeRow{"bell", "mine", "", true},
                      ThemeRow{"bell", "base", "sys:base/stereo/bell.oga"},
                      ThemeRow{"dialog-error", "base", "sys:base/dialog-error.wav"},
                      ThemeRow{"complete", "mine", "sys:freedesktop/stereo/complete.oga"},
                      // inheriting a missing theme spoils the theme: freedesktop alone
                      ThemeRow{"bell", "broken", "sys:freedesktop/stereo/bell.oga"},
                      ThemeRow{"bell", "nowhere", "sys:freedesktop/stereo/bell.oga"},
                      ThemeRow{"trash-empty", "mine", "sys:trash-empty.wav"},
                      ThemeRow{"phone-incoming-call", "mine", ""}));

}  // namespace
}  // namespace sonatrix
