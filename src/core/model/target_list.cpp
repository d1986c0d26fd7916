#include "model/target_list.h"

#include "catalogue/catalogue.h"
#include "model/main_model.h"
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

}  // namespace

void M_list_qqshund(MainModel& model) {
    model.state.TargetList.clear();
    std::vector<DirEntry> entries;
    if (model.svc.files.ListPattern(ListedFolder(model.state), "*.wav", entries)) {
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
    model.svc.player.PlayAsync(state.TargetSoundDir + state.SelectedTargetSound);
    state.SoundDescriptionText = SoundDescription(state.SelectedTargetSound);
    model.Changed(kAspectLabels);
}

}  // namespace sonatrix
