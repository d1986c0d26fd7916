#include "catalogue/desktop_events.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "platform/desktop_settings.h"
#include "replace/desktop_write.h"

namespace sonatrix {

std::vector<std::string> DesktopShadowsOf(const std::string&) {
    return {};
}

int PrepareDesktopFolder(MainModel&, ChangeRun&) {
    return 0;
}

std::vector<std::pair<std::string, std::string>> DesktopSettingsFor(
    MainModel& model, const std::vector<std::string>& written) {
    std::vector<std::pair<std::string, std::string>> changes;
    for (const std::string& name : written) {
        const DesktopEvent* event = DesktopEventOfFile(name);
        if (!event)
            continue;
        const std::string setting = EventFileSetting(event->name);
        const std::string value = SettingValueOfFile(model.state.TargetSoundDir + name);
        std::optional<std::string> now;
        if (model.svc.desktop.Read(setting, now) != 0 || now != value)
            changes.emplace_back(setting, value);
    }
    return changes;
}

std::vector<std::string> DesktopSettingsOfSound(const std::string& name) {
    const DesktopEvent* event = DesktopEventOfFile(name);
    return event ? std::vector<std::string>{EventFileSetting(event->name)}
                 : std::vector<std::string>{};
}

}  // namespace sonatrix
