// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/desktop_events.h"
#include "platform/desktop_settings.h"
#include "replace/desktop_write.h"

namespace sonatrix {

std::vector<std::string> DesktopShadowsOf(const std::string&) {
    return {};
}

std::optional<DesktopItem> DesktopFolderIndex(FileSystem&, const std::string&) {
    return std::nullopt;
}

std::vector<DesktopItem> DesktopSettingsFor(const std::string& folder,
                                            const std::vector<std::string>& written) {
    std::vector<DesktopItem> changes;
    for (const std::string& name : written) {
        const std::string value = SettingValueOfFile(folder + name);
        for (const std::string& setting : DesktopSettingsOfSound(name)) {
            std::optional<std::string> now;
            if (ReadDesktopSetting(setting, now) != 0 || now != value)
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
