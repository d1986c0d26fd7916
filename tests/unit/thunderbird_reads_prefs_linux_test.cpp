// SPDX-License-Identifier: GPL-3.0-or-later
// What Sonatrix writes into prefs.js, read by Thunderbird itself: started
// headless on the profile and asked to quit, it writes prefs.js anew from
// what it read, dropping whatever it could not parse.
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <cstdlib>

#include "platform/file_url.h"
#include "platform/prefs_js.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

TEST(ThunderbirdReadsPrefs, KeepsTheValuesWritten) {
    if (std::system("command -v thunderbird >/dev/null") != 0)
        GTEST_SKIP() << "Debian's thunderbird is not installed";
    const testing::TempDir profile;
    const std::vector<std::pair<std::string, PrefValue>> values{
        {"mail.biff.play_sound.type", std::int32_t(1)},
        {"mail.biff.play_sound.url", FileUrlOfPath("/tmp/声音 库/a#b%.wav")},
        {"mail.biff.play_sound", false},
        {"sonatrix.test.escapes", std::string("q\"b\\s\nl\re\x01\t新'")},
    };
    std::string text = "// by hand\nuser_pref(\"mail.biff.play_sound\", true);\n";
    for (const auto& [name, value] : values) {
        const auto written = WithUserPref(text, name, value);
        ASSERT_TRUE(written) << name;
        text = *written;
    }
    testing::WriteFile(profile.Path() / "prefs.js", text);

    const std::string command = std::string("python3 '") + SONATRIX_THUNDERBIRD_ROUND_TRIP + "' '" +
                                profile.Path().string() + "' 90";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "3: Thunderbird could not parse prefs.js";
    const std::string after = testing::ReadFile(profile.Path() / "prefs.js");
    EXPECT_NE(after, text) << "Thunderbird did not write prefs.js";
    for (const auto& [name, value] : values)
        EXPECT_EQ(UserPrefValue(after, name), value) << name;
}

}  // namespace
}  // namespace sonatrix
