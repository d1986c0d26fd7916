// SPDX-License-Identifier: GPL-3.0-or-later
// A program folder with a small library and a QQ-like client folder, for
// the commands that overwrite a client's sounds.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/dialogs.h"
#include "model/target_list.h"
#include "replace/single_replacement.h"
#include "scripted_dialogs.h"
#include "test_world.h"

namespace sonatrix::testing {

class ReplaceWorld : public TestWorld {
  public:
    ReplaceWorld() { SetAppDir(); }

    // A library file below app/newsounds/ ("自定义/a.wav"), holding its own
    // relative path unless told otherwise.
    std::filesystem::path Library(const std::string& relative) {
        return Put("app/newsounds/" + relative, "library:" + relative);
    }
    std::filesystem::path Library(const std::string& relative, const std::string& bytes) {
        return Put("app/newsounds/" + relative, bytes);
    }

    // A client sound folder below the root whose files hold "old:<name>";
    // it becomes the target.
    void Target(const std::string& folder, const std::vector<std::string>& names) {
        std::filesystem::create_directories(At(folder));
        for (const auto& name : names)
            Put(folder + "/" + name, Old(name));
        model.state.TargetSoundDir = FolderOf(folder);
        model.state.TargetList = names;
    }
    static std::string Old(const std::string& name) { return "old:" + name; }

    std::string FolderOf(const std::string& relative) const {
        return At(relative).string() + std::string(1, std::filesystem::path::preferred_separator);
    }
    std::string Content(const std::string& relative) const { return ReadFile(At(relative)); }

    // "换音" of `librarySound` over the target's `file`, confirmed.
    void ReplaceAt(const std::string& librarySound, const std::string& file) {
        model.state.SelectedLibrarySound = librarySound;
        ListBox1Click(model, RowOf(model, file));
        dialogs.ThenResult(DlgResult::OK);
        M_replace89(model);
    }

    const ShownDialog& Shown(std::size_t index) const { return dialogs.shown.at(index); }
};

}  // namespace sonatrix::testing
