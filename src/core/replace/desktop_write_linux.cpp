// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/desktop_events.h"
#include "platform/config_file.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/ini_text.h"
#include "platform/sound_theme.h"
#include "replace/desktop_write.h"

namespace sonatrix {

std::vector<std::string> DesktopShadowsOf(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - kDesktopSoundExtension.size());
    // libcanberra looks for these before a ".wav".
    return {stem + ".disabled", stem + ".oga", stem + ".ogg"};
}

int DesktopFolderIndex(FileSystem& files, const std::string& folder,
                       std::optional<DesktopItem>& index, std::string& missingTheme) {
    constexpr const char* kThemeIndex = "index.theme";
    constexpr const char* kThemeGroup = "Sound Theme";
    constexpr const char* kInherits = "Inherits";
    index.reset();
    missingTheme.clear();
    std::vector<std::string> themes;
    if (const int error = ReadEffectiveSoundThemes(themes))
        return error;
    std::optional<std::string> text;
    if (const int error = ReadConfigFile(files, folder + kThemeIndex, text))
        return error;
    // Already what the user hears: what it inherits stays as it is.
    if (text && !themes.empty() && themes.front() == kCustomSoundTheme)
        return 0;
    std::string inherited = kFallbackSoundTheme;
    if (!themes.empty() && themes.back() != kCustomSoundTheme)
        inherited = themes.back();
    // libcanberra passes over a theme that inherits a missing one, whole.
    if (inherited != kFallbackSoundTheme &&
        !SoundThemeExists(files, SoundThemeRoots(), inherited)) {
        missingTheme = inherited;
        inherited = kFallbackSoundTheme;
    }
    if (!text)
        index = DesktopItem{kThemeIndex, CustomThemeIndex(inherited)};
    else if (IniValue(*text, kThemeGroup, kInherits) != inherited)
        // Another program's index keeps every other byte of its own.
        index = DesktopItem{kThemeIndex, WithIniValue(*text, kThemeGroup, kInherits, inherited)};
    return 0;
}

std::vector<std::string> DesktopSettingsToPoint(const std::vector<std::string>&) {
    return SoundThemeSettings();
}

std::vector<DesktopItem> DesktopSettingsFor(const std::string&, const std::vector<std::string>&,
                                            std::vector<std::pair<std::string, int>>& failures) {
    std::vector<DesktopItem> changes;
    for (const std::string& setting : SoundThemeSettings()) {
        std::optional<std::string> value;
        if (const int error = ReadDesktopSetting(setting, value)) {
            failures.emplace_back(setting, error);
            continue;
        }
        if (ChoiceInSetting(setting, value) != kCustomSoundTheme)
            changes.emplace_back(setting, *WithChoice(setting, value, kCustomSoundTheme));
    }
    return changes;
}

std::vector<std::string> DesktopSettingsOfSound(const std::string&) {
    return {};
}

}  // namespace sonatrix
