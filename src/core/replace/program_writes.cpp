// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the sound of a program that names its sounds in its own
// settings: the sound goes into Sonatrix's own folder for the program, and
// the program's setting is pointed at it, in the same run.
#include <optional>

#include "discovery/program_sound_setting.h"
#include "discovery/program_target.h"
#include "discovery/settings_text.h"
#include "model/main_model.h"
#include "platform/config_file.h"
#include "platform/files.h"
#include "platform/ini_text.h"
#include "platform/path_pieces.h"
#include "replace/loudness_match.h"
#include "replace/target_kind_writes.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

constexpr const char* kNamedNoSound =
    "程序原来的设置没有为这个事件指定声音文件（播放的是系统或程序自带的声音），"
    "无从比较音量，新声音按原样写入。";

std::string NamedSoundGoneText(const std::string& file) {
    return "程序原来设置的声音文件已经不在了：" + file + "，无从比较音量，新声音按原样写入。";
}

class ProgramWrites : public TargetKindWrites {
  public:
    explicit ProgramWrites(MainModel& model) : model_(model), program_(model.state.TargetProgram) {}

    int PrepareFolder() override {
        return CreateFolderAndParents(model_.svc.files, model_.state.TargetSoundDir);
    }

    // Nothing of an event is written when its setting could not be.
    int ItemOfSound(const std::string& name, std::string& item) override {
        const ProgramEvent* event = program_.EventNamed(name);
        if (!event)
            return PathNotFoundCode();
        std::optional<std::string> edited;
        if (const int error = EditedSettings(*event, edited))
            return error;
        item = FileNameOf(SoundOf(*event));
        return 0;
    }

    int AfterWrite(PlaceWriter& writer, const std::string& name, const std::string&) override {
        const ProgramEvent* event = program_.EventNamed(name);
        if (!event)
            return PathNotFoundCode();
        // Kept before the new value is made from it: a write of another
        // program's meanwhile then keeps that write too.
        writer.Keep({SettingsName()});
        std::optional<std::string> edited;
        if (const int error = EditedSettings(*event, edited))
            return error;
        if (const int error = writer.WriteBytes(*edited, SettingsName()))
            return error;
        if (EventSoundSwitchedOff(program_.kind, *edited, event->id))
            switchedOff_.push_back(event->name);
        return 0;
    }

    void Finish(PlaceWriter&, const std::vector<std::string>&) override {
        RereadProgramEvents(model_);
    }

    // The event's sound is a new file of ours; what it stands in for is the
    // file the settings named before Sonatrix first changed them, which
    // the store keeps as the settings' first original, so that every later
    // replacement matches the program's own sound too.
    FirstSound FirstSoundOf(const std::string& name) override {
        const ProgramEvent* event = program_.EventNamed(name);
        if (!event)
            return {};
        std::optional<std::string> settings;
        if (!ReadFirstContent(model_, SettingsName(), settings))
            return {std::nullopt, kOriginalUnreadable};
        std::string file;
        for (const ProgramEvent& first :
             ProgramEventsIn(model_.svc.files, program_, settings.value_or(""))) {
            if (first.id == event->id)
                file = first.sound;
        }
        if (file.empty())
            return {std::nullopt, kNamedNoSound};
        if (!model_.svc.files.FileExists(file))
            return {std::nullopt, NamedSoundGoneText(file)};
        FirstSound sound{std::string(), {}};
        if (!ReadAsWav(model_, file, *sound.wav))
            return {std::nullopt, kOriginalUnreadable};
        return sound;
    }

    std::string Notes(const std::vector<std::string>&) override {
        std::string notes;
        for (const std::string& name : switchedOff_)
            notes += (notes.empty() ? "" : "\n") + ProgramEventOffText(program_, name);
        return notes;
    }

  private:
    std::string SettingsName() const { return FileNameOf(program_.settingsFile); }
    std::string SoundOf(const ProgramEvent& event) const {
        return ProgramSoundFile(model_.DataFolder, program_, event);
    }

    // The settings as they are now, with the event playing its sound.
    int EditedSettings(const ProgramEvent& event, std::optional<std::string>& edited) {
        std::optional<std::string> now;
        if (const int error = ReadConfigFile(model_.svc.files, program_.settingsFile, now))
            return error;
        std::string defaults;
        if (!program_.defaultsFile.empty()) {
            const auto text = ReadSettingsText(model_.svc.files, program_.defaultsFile);
            if (!text)
                return CorruptFileCode();
            defaults = *text;
        }
        // KConfig would read the administrator's value instead of ours.
        if (program_.kind == SettingsProgramKind::Kde && now) {
            for (const char* key : {"Sound", "Action"}) {
                if (IniKeyLocked(*now, "Event/" + event.id, key))
                    return kLockedByAdministrator;
            }
        }
        edited =
            WithEventSound(program_.kind, now.value_or(""), defaults, event.id, SoundOf(event));
        return edited ? 0 : kSettingsNotEditable;
    }

    MainModel& model_;
    const SettingsProgram program_;
    std::vector<std::string> switchedOff_;
};

}  // namespace

std::unique_ptr<TargetKindWrites> MakeProgramWrites(MainModel& model) {
    return std::make_unique<ProgramWrites>(model);
}

}  // namespace sonatrix
