#include "catalogue/desktop_events.h"
#include "model/main_model.h"
#include "originals/change_run.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/sound_theme.h"
#include "replace/desktop_write.h"
#include "replace/store_of.h"

namespace sonatrix {
namespace {

constexpr const char* kThemeIndex = "index.theme";

}  // namespace

std::vector<std::string> DesktopShadowsOf(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - kDesktopSoundExtension.size());
    // libcanberra looks for these before a ".wav".
    return {stem + ".disabled", stem + ".oga", stem + ".ogg"};
}

int PrepareDesktopFolder(MainModel& model, ChangeRun& run) {
    // An index made by another program stays as it is.
    if (model.svc.files.FileExists(run.Folder() + kThemeIndex))
        return 0;
    const std::string index = CustomThemeIndex(
        InheritedSoundTheme(model.svc.desktop, model.svc.files, SoundThemeRoots()));
    std::string content;
    OriginalsStore store = StoreOf(model);
    if (const int error = store.KeepBytes(index, content))
        return error;
    return run.PutBack(content, kThemeIndex);
}

std::vector<std::pair<std::string, std::string>> DesktopSettingsFor(
    MainModel& model, const std::vector<std::string>&) {
    std::vector<std::pair<std::string, std::string>> changes;
    DesktopSettings& settings = model.svc.desktop;
    for (const std::string& setting : settings.ThemeNameSettings()) {
        std::optional<std::string> value;
        if (settings.Read(setting, value) != 0 || value != kCustomSoundTheme)
            changes.emplace_back(setting, kCustomSoundTheme);
    }
    return changes;
}

std::vector<std::string> DesktopSettingsOfSound(const std::string&) {
    return {};
}

}  // namespace sonatrix
