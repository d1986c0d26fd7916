// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/desktop_events.h"
#include "platform/desktop_settings.h"
#include "replace/desktop_write.h"

namespace sonatrix {

std::vector<std::string> DesktopShadowsOf(const std::string&) {
    return {};
}

int DesktopFolderIndex(FileSystem&, const std::string&, std::optional<DesktopItem>& index,
                       std::string& missingTheme) {
    index.reset();
    missingTheme.clear();
    return 0;
}

std::vector<std::string> DesktopSettingsToPoint(const std::vector<std::string>& written) {
    std::vector<std::string> settings;
    for (const std::string& name : written)
        for (std::string& setting : DesktopSettingsOfSound(name))
            settings.push_back(std::move(setting));
    return settings;
}

std::vector<DesktopItem> DesktopSettingsFor(const std::string& folder,
                                            const std::vector<std::string>& written,
                                            std::vector<std::pair<std::string, int>>& failures) {
    std::vector<DesktopItem> changes;
    for (const std::string& name : written) {
        const std::string value = SettingValueOfFile(folder + name);
        for (const std::string& setting : DesktopSettingsOfSound(name)) {
            std::optional<std::string> now;
            if (const int error = ReadDesktopSetting(setting, now))
                failures.emplace_back(setting, error);
            else if (now != value)
                changes.emplace_back(setting, value);
        }
    }
    return changes;
}

std::vector<std::string> DesktopSettingsOfSound(const std::string& name) {
    const DesktopEvent* event = DesktopEventOfFile(name);
    return event ? EventFileSettings(event->name) : std::vector<std::string>{};
}

}  // namespace sonatrix
