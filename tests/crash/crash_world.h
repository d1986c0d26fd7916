// SPDX-License-Identifier: GPL-3.0-or-later
// The world of the crash tests, shared by the test and the program it
// kills: the originals' world with a sound to drop from outside and a home
// for the desktop's settings, and every command that writes into a client's
// folder or the desktop's sounds, run by name with every question answered
// yes.
#pragma once

#include <string>
#include <string_view>

#include "desktop_home.h"
#include "discovery/target_switch.h"
#include "library/wav_header.h"
#include "originals_world.h"
#include "replace/dropped_replacement.h"

namespace sonatrix::testing {

inline constexpr const char* kDroppedSound = "outside/dropped.wav";
// A folder two programs write at once, each every second file.
inline constexpr const char* kSharedFolder = "client/shared";
inline constexpr int kSharedFiles = 100;

inline std::string SharedFile(int number) {
    return "s" + std::to_string(number) + ".wav";
}

// Where the desktop keeps its sounds and their settings, below the root.
inline constexpr const char* kDesktopHome = "home";

// The program that runs the commands keeps the desktop's settings in the
// world's home. GSettings stays out: GIO would keep them in memory only.
inline void UseWorldsDesktopHome(const std::filesystem::path& root) {
    UseOwnDesktopHome(root / kDesktopHome);
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
}

// The files of the desktop's sounds and settings, below the world's home;
// the folders made for them are not counted, as they change no sound.
inline TreeSnapshot DesktopFiles(const OriginalsWorld& world) {
    TreeSnapshot files;
    if (std::filesystem::exists(world.base.At(kDesktopHome)))
        for (auto& [name, bytes] : world.Snapshot(kDesktopHome))
            if (bytes != "<folder>")
                files.emplace(name, std::move(bytes));
    return files;
}

inline void LayDroppedSound(OriginalsWorld& world) {
    world.Put(kDroppedSound, WavHeaderBytes(1, 16, 22050, 4) + std::string(4, '\x11'));
}

// False for a name it does not know.
inline bool RunByName(OriginalsWorld& world, std::string_view name) {
    for (const CommandCase& known : EveryWriteCommand())
        if (name == known.name) {
            world.Run(known.command);
            return true;
        }
    MainModel& model = world.Current();
    if (name == "DesktopTheme") {
        ComboBox1Select(model, kKindDesktop);
        SpeedButton5Click(model);
    } else if (name == "Drop") {
        ListBox1DropFile(model, RowOf(model, "msg.wav"), world.Path(kDroppedSound));
    } else if (name == "RestoreOne") {
        RestoreOriginalClick(model, RowOf(model, "msg.wav"));
    } else if (name == "RestoreAll") {
        RestoreAllOriginalsClick(model);
    } else if (name == "Undo") {
        UndoLastChangeClick(model);
    } else if (name == "Redo") {
        RedoClick(model);
    } else {
        return false;
    }
    return true;
}

}  // namespace sonatrix::testing
