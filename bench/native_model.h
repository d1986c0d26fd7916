// SPDX-License-Identifier: GPL-3.0-or-later
// A main window model over the native services, with dialogs that answer
// nothing and a player and shell that only record: what every benchmark of
// a command needs.
#pragma once

#include <memory>
#include <string>

#include "model/main_model.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "recording_services.h"
#include "scripted_dialogs.h"
#include "standin_sound_services.h"

namespace sonatrix::bench {

struct NativeModel {
    // `appDir`: the program folder, with its trailing separator; the user's
    // data folder is "userdata" beside it.
    explicit NativeModel(std::string appDir)
        : model(Services{*files, *processes, *registry, dialogs, player, shell, decoder, progress},
                appDir, appDir + "../userdata/") {
        model.state.AppDir = model.ExecutableFolder;
    }

    std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    std::unique_ptr<ProcessSource> processes = MakeNativeProcessSource();
    std::unique_ptr<Registry> registry = MakeNativeRegistry();
    testing::ScriptedDialogs dialogs;
    testing::RecordingPlayer player;
    testing::RecordingShell shell;
    testing::StandInDecoder decoder;
    testing::InlineProgress progress;
    MainModel model;
};

}  // namespace sonatrix::bench
