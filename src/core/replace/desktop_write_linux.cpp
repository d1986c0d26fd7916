// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/desktop_events.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/sound_theme.h"
#include "replace/desktop_write.h"

namespace sonatrix {

std::vector<std::string> DesktopShadowsOf(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - kDesktopSoundExtension.size());
    // libcanberra looks for these before a ".wav".
    return {stem + ".disabled", stem + ".oga", stem + ".ogg"};
}

std::optional<DesktopItem> DesktopFolderIndex(FileSystem& files, const std::string& folder) {
    constexpr const char* kThemeIndex = "index.theme";
    // An index made by another program stays as it is.
    if (files.FileExists(folder + kThemeIndex))
        return std::nullopt;
    return DesktopItem{kThemeIndex,
                       CustomThemeIndex(InheritedSoundTheme(files, SoundThemeRoots()))};
}

std::vector<DesktopItem> DesktopSettingsFor(const std::string&, const std::vector<std::string>&) {
    std::vector<DesktopItem> changes;
    for (const std::string& setting : SoundThemeSettings()) {
        std::optional<std::string> value;
        if (ReadDesktopSetting(setting, value) != 0 || value != kCustomSoundTheme)
            changes.emplace_back(setting, kCustomSoundTheme);
    }
    return changes;
}

std::vector<std::string> DesktopSettingsOfSound(const std::string&) {
    return {};
}

}  // namespace sonatrix
