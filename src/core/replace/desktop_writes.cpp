// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the desktop's sounds: its folder made a theme the desktop plays,
// the same-named files it would play first taken away, and its settings
// pointed at the sounds written.
#include <optional>

#include "model/dialogs.h"
#include "model/main_model.h"
#include "platform/config_file.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "replace/desktop_write.h"
#include "replace/loudness_match.h"
#include "replace/target_kind_writes.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

class DesktopWrites : public TargetKindWrites {
  public:
    explicit DesktopWrites(MainModel& model) : model_(model) {}

    // The desktop's folder is made on its first use.
    int PrepareFolder() override {
        return CreateFolderAndParents(model_.svc.files, model_.state.TargetSoundDir);
    }

    int Prepare(PlaceWriter& writer) override {
        // What the user hears is read again at every write: they may have
        // chosen another theme since the last.
        std::optional<DesktopItem> index;
        if (const int error = DesktopFolderIndex(model_.svc.files, model_.state.TargetSoundDir,
                                                 index, missingTheme_))
            return error;
        return index ? writer.WriteBytes(index->second, index->first) : 0;
    }

    std::vector<std::string> ShadowsOf(const std::string& item) override {
        std::vector<std::string> there;
        for (std::string& shadow : DesktopShadowsOf(item)) {
            if (model_.svc.files.FileExists(model_.state.TargetSoundDir + shadow))
                there.push_back(std::move(shadow));
        }
        return there;
    }

    void Finish(PlaceWriter& writer, const std::vector<std::string>& written) override {
        if (written.empty())
            return;
        // Kept before the new values are made from them: a config file
        // another program writes meanwhile then keeps that program's write.
        writer.Keep(DesktopSettingsToPoint(written));
        std::vector<std::pair<std::string, int>> failed;
        for (const auto& [setting, value] :
             DesktopSettingsFor(model_.state.TargetSoundDir, written, failed)) {
            if (const int error = writer.WriteBytes(value, setting))
                failed.emplace_back(setting, error);
        }
        std::string failures;
        for (const auto& [setting, error] : failed)
            failures += (failures.empty() ? "" : "\n") + setting + "：" + SettingErrorText(error);
        if (!failures.empty())
            model_.svc.dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    }

    // The desktop's sound is a new file in a folder of ours; what it stands
    // in for is the sound the desktop played before, found from what its
    // settings held then.
    FirstSound FirstSoundOf(const std::string& name) override {
        const std::string file = DesktopFirstSound(
            model_.svc.files, model_.state.TargetSoundDir, name, [&](const std::string& setting) {
                std::optional<std::string> value;
                return ReadFirstContent(model_, setting, value) ? value : std::nullopt;
            });
        if (file.empty())
            return {};
        FirstSound first{std::string(), {}};
        if (!ReadAsWav(model_, file, *first.wav))
            return {std::nullopt, kOriginalUnreadable};
        return first;
    }

    std::string Notes(const std::vector<std::string>& written) override {
        if (written.empty())
            return {};
        std::string notes;
        if (EventSoundsOff())
            notes = kDesktopSoundsOff;
        if (!missingTheme_.empty())
            notes += (notes.empty() ? "" : "\n") + DesktopThemeMissingText(missingTheme_);
        return notes;
    }

  private:
    MainModel& model_;
    std::string missingTheme_;
};

}  // namespace

std::string DesktopThemeMissingText(const std::string& theme) {
    return "声音主题“" + theme + "”没有安装，其他事件将播放 freedesktop 主题的声音。";
}

std::unique_ptr<TargetKindWrites> MakeDesktopWrites(MainModel& model) {
    return std::make_unique<DesktopWrites>(model);
}

}  // namespace sonatrix
