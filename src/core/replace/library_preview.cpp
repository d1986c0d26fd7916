// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/library_preview.h"

#include <memory>

#include "library/library_tree.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "model/tree_nodes.h"
#include "platform/files.h"
#include "platform/sound_player.h"
#include "replace/loudness_match.h"
#include "replace/target_kind_writes.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

// The file that plays `librarySound` as loud as it would be written over
// the chosen target sound: the library file itself when the gain is none
// or the preview cannot be written.
std::string PreviewFile(MainModel& model, const std::string& librarySound) {
    const MainState& state = model.state;
    if (!state.MatchLoudness || state.SelectedTargetSound.empty() || state.TargetSoundDir.empty() ||
        model.DataFolder.empty())
        return librarySound;
    // Matched as the write would be: to the same item, through its kind.
    const std::unique_ptr<TargetKindWrites> kind = WritesOfTarget(model);
    std::string item;
    if (kind->ItemOfSound(state.SelectedTargetSound, item) != 0)
        return librarySound;
    const MatchedSound matched =
        MatchToTargetSound(model, *kind, librarySound, state.SelectedTargetSound, item);
    if (!matched.bytes)
        return librarySound;
    FileSystem& files = model.svc.files;
    const std::string preview = model.DataFolder + kMatchedPreviewName;
    if (CreateFolderAndParents(files, model.DataFolder) != 0 ||
        files.WriteWholeFile(preview, *matched.bytes) != 0)
        return librarySound;
    return preview;
}

}  // namespace

void TreeView1Click(MainModel& model, const TreeNode* node) {
    if (!node)
        return;
    model.state.SelectedLibrarySound = LibraryRelativePath(*node);
    model.Changed(kAspectLabels);
    const std::string full =
        LibraryFilePath(model.svc.files, model.state, model.state.SelectedLibrarySound);
    if (model.svc.files.FileExists(full))
        model.svc.player.PlayAsync(PreviewFile(model, full));
}

}  // namespace sonatrix
