// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as another program's settings file: Thunderbird's prefs.js,
// Pidgin's prefs.xml, or an INI file read in KConfig's dialect, as the
// first byte chooses. An edit either is refused or gives a file from which
// the value reads back, and editing that file again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_groups.h"
#include "platform/prefs_js.h"
#include "platform/purple_prefs_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0: {
            const sonatrix::PrefValue value = std::string("file:///t/\"a\\b\n");
            const auto edited = sonatrix::WithUserPref(text, "mail.biff.play_sound.url", value);
            if (edited &&
                (sonatrix::UserPrefValue(*edited, "mail.biff.play_sound.url") != value ||
                 sonatrix::WithUserPref(*edited, "mail.biff.play_sound.url", value) != edited))
                std::abort();
            break;
        }
        case 1: {
            const std::string path = "/pidgin/sound/file/im_recv";
            const auto edited = sonatrix::WithPurplePref(text, path, "path", "/t/'a'&<b>");
            if (edited && (sonatrix::PurplePrefValue(*edited, path) != "/t/'a'&<b>" ||
                           sonatrix::WithPurplePref(*edited, path, "path", "/t/'a'&<b>") != edited))
                std::abort();
            break;
        }
        default:
            for (const auto& group : sonatrix::ReadIniGroups(text, sonatrix::IniDialect::KConfig)) {
                for (const auto& [key, value] : group.entries) {
                    if (group.Find(key) != &value)
                        std::abort();
                }
            }
    }
    return 0;
}
