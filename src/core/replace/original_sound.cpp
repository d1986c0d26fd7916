// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/original_sound.h"

#include <memory>

#include "library/pcm_samples.h"
#include "model/batch_progress.h"
#include "model/main_model.h"
#include "originals/item_place.h"
#include "originals/originals_store.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/sound_decoder.h"
#include "replace/store_of.h"
#include "replace/target_write.h"

namespace sonatrix {
namespace {

// A link's target as a path: relative ones start in the link's folder.
std::string LinkTargetPath(const std::string& folder, const std::string& target) {
    return target.starts_with(kSep) ? target : folder + target;
}

}  // namespace

bool ReadFirstContent(MainModel& model, const std::string& item,
                      std::optional<std::string>& bytes) {
    FileSystem& files = model.svc.files;
    const OriginalsStore store = StoreOf(model);
    const std::unique_ptr<ItemPlace> place = PlaceOf(files, TargetPlace(model.state));
    FolderOriginals originals;
    if (!place->Key().empty() && store.ReadOriginals(place->Key(), originals) != 0)
        return false;
    ItemValue value;
    if (const FolderOriginals::Original* original = originals.Find(place->NameOf(item), *place)) {
        if (original->content != kAbsent) {
            value.kind = original->content.front() == kLinkMark ? ItemValue::Kind::Link
                                                                : ItemValue::Kind::Bytes;
            if (files.ReadSharedFile(store.BlobPath(original->content), value.bytes) != 0)
                return false;
        }
    } else if (place->Read(item, value) != 0) {
        return false;
    }
    bytes.reset();
    if (value.kind == ItemValue::Kind::Absent)
        return true;
    if (value.kind == ItemValue::Kind::Bytes) {
        bytes = std::move(value.bytes);
        return true;
    }
    bytes.emplace();
    return files.ReadSharedFile(LinkTargetPath(model.state.TargetSoundDir, value.bytes), *bytes) ==
           0;
}

bool ReadAsWav(MainModel& model, const std::string& path, std::string& bytes) {
    FileSystem& files = model.svc.files;
    if (files.ReadSharedFile(path, bytes) != 0)
        return false;
    if (ReadPcmLayout(bytes))
        return true;
    // A passing file of the user's data folder; the name is the one the
    // desktop's sounds were first decoded to, so an older crash's leftover
    // is cleared too.
    const std::string wav = model.DataFolder + ".desktop-sound.wav.part";
    files.DeleteFile(wav);  // a crash's leftover; the decoder wants a new path
    if (CreateFolderAndParents(files, model.DataFolder) != 0)
        return false;
    // The decoder runs off the window's thread, as a batch of one step.
    DecodeResult decoded;
    BatchProgress& progress = model.svc.progress;
    progress.Begin(1);
    progress.Run(0, FileNameOf(path), [&](const std::atomic<bool>& stop) {
        decoded = model.svc.decoder.Decode(path, wav, stop);
    });
    progress.End();
    const bool read = decoded.ok && files.ReadSharedFile(wav, bytes) == 0;
    files.DeleteFile(wav);
    return read;
}

}  // namespace sonatrix
