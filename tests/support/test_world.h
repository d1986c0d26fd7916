// SPDX-License-Identifier: GPL-3.0-or-later
// A main window model over real services in a temporary program folder,
// with the scripted dialog layer and recording player and shell.
#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "filtered_processes.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "recording_services.h"
#include "scripted_dialogs.h"
#include "standin_process.h"
#include "standin_sound_services.h"
#include "temp_dir.h"

namespace sonatrix::testing {

class TestWorld {
  public:
    // `programFolder`: the executable's folder below the root ("stage/bin"
    // for a program installed the Unix way below root/stage).
    // `existingRoot`: a root another process laid out, left in place.
    explicit TestWorld(const char* programFolder = "app",
                       const std::filesystem::path& existingRoot = {});

    TempDir root;         // everything of the test lives below it
    std::string appDir;   // root/app/ : the executable's folder (AppDir when run from it)
    std::string dataDir;  // root/userdata/ : the user's data folder of the program
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<ProcessSource> processes;               // the real walk
    FilteredProcesses ownProcesses{*processes, SelfPid()};  // what the model sees
    std::unique_ptr<Registry> registry;                     // over a Wine prefix of the test's own
    ScriptedDialogs dialogs;
    RecordingPlayer player;
    RecordingShell shell;
    StandInDecoder decoder;
    InlineProgress progress;
    MainModel model;

    // A path below the test's root.
    std::filesystem::path At(const std::string& relative) const {
        return (root.Path() / PathFromNarrow(relative)).make_preferred();
    }
    // Writes a small file below the root and returns its path.
    std::filesystem::path Put(const std::string& relative, const std::string& bytes = "RIFF");
    // AppDir set as the first show sets it, without the rest of the show.
    void SetAppDir() { model.state.AppDir = appDir; }
};

// The row of `name` in the model's target list; past its end when not there.
inline int RowOf(const MainModel& model, const std::string& name) {
    const auto& list = model.state.TargetList;
    return static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin());
}

}  // namespace sonatrix::testing
