// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/target_list.h"

#include "catalogue/catalogue.h"
#include "catalogue/desktop_events.h"
#include "model/main_model.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/sound_player.h"

namespace sonatrix {
namespace {

std::string ListedFolder(const MainState& state) {
    if (!state.TargetSoundDir.empty())
        return state.TargetSoundDir;
    std::string folder = FolderPart(state.TargetStatusText);
    if (state.TargetKind == kKindQQ)
        folder += NativePath("sound\\");
    else if (state.TargetKind == kKindTM)
        folder += NativePath("TMsound\\");
    return folder;
}

// What the program plays for the selected event now is played, and said.
void ShowProgramEvent(MainModel& model) {
    MainState& state = model.state;
    const ProgramEvent* event = state.TargetProgram.EventNamed(state.SelectedTargetSound);
    if (!event)
        return;
    if (!event->sound.empty())
        model.svc.player.PlayAsync(event->sound);
    if (!event->enabled)
        state.SoundDescriptionText = kProgramEventOff;
    else if (event->sound.empty())
        state.SoundDescriptionText = kProgramEventOwnSound;
    else
        state.SoundDescriptionText = "当前的声音：" + FileNameOf(event->sound);
    model.Changed(kAspectLabels);
}

}  // namespace

void M_list_qqshund(MainModel& model) {
    model.state.TargetList.clear();
    std::vector<DirEntry> entries;
    if (model.state.TargetKind == kKindDesktop) {
        // Every event, whether or not a sound of Sonatrix's is there yet.
        for (const DesktopEvent& event : DesktopEvents())
            model.state.TargetList.push_back(event.name + std::string(kDesktopSoundExtension));
    } else if (model.state.TargetKind == kKindProgram) {
        if (!model.state.TargetSoundDir.empty()) {
            for (const ProgramEvent& event : model.state.TargetProgram.events)
                model.state.TargetList.push_back(event.name);
        }
    } else if (model.svc.files.ListPattern(ListedFolder(model.state), "*.wav", entries)) {
        for (auto& entry : entries)
            model.state.TargetList.push_back(std::move(entry.name));
    }
    model.Changed(kAspectTargetList);
}

void ListBox1Click(MainModel& model, int index) {
    auto& state = model.state;
    if (index < 0 || index >= static_cast<int>(state.TargetList.size()))
        return;
    state.SelectedTargetSound = state.TargetList[index];
    if (state.TargetKind == kKindProgram) {
        ShowProgramEvent(model);
        return;
    }
    if (state.TargetKind != kKindDesktop) {
        model.svc.player.PlayAsync(state.TargetSoundDir + state.SelectedTargetSound);
    } else if (const DesktopEvent* event = DesktopEventOfFile(state.SelectedTargetSound)) {
        // What the desktop itself would play now; nothing when it plays none.
        const std::string file = FileDesktopPlays(model.svc.files, event->name);
        if (!file.empty())
            model.svc.player.PlayAsync(file);
    }
    state.SoundDescriptionText = SoundDescription(state.SelectedTargetSound);
    model.Changed(kAspectLabels);
}

}  // namespace sonatrix
