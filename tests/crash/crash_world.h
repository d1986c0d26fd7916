// SPDX-License-Identifier: GPL-3.0-or-later
// The world of the crash tests, shared by the test and the program it
// kills: the originals' world with a sound to drop from outside and a home
// for the desktop's settings, and every command that writes into a client's
// folder or the desktop's sounds, run by name with every question answered
// yes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "desktop_home.h"
#include "discovery/target_switch.h"
#include "library/wav_header.h"
#include "originals/store_pruning.h"
#include "originals_world.h"
#include "platform/sha256.h"
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

// Tells two states of the written files apart, to pass one to a program.
inline std::string HashOf(const TreeSnapshot& files) {
    std::string all;
    for (const auto& [name, bytes] : files)
        all += name + '\0' + std::to_string(bytes.size()) + '\0' + bytes;
    return Sha256Hex(all);
}

// The change a command run by name is to the user: what undo and redo name.
inline std::string JournalNameOf(std::string_view name) {
    for (const CommandCase& known : EveryWriteCommand())
        if (name == known.name)
            return known.caption;
    if (name == "Drop")
        return kReplaceCaption;
    if (name == "RestoreOne")
        return kRestoreOriginalCaption;
    if (name == "RestoreAll")
        return kRestoreAllOriginalsCaption;
    return kPresetThemes[0].name;  // the theme, its undo, its redo, on the desktop too
}

// The journal filled to its length with changes like a theme's, so that
// the next command prunes it.
inline void FillJournal(OriginalsWorld& world) {
    world.Run(WriteCommand::Theme);
    const std::filesystem::path journal = world.base.At("userdata/originals/journal");
    const std::string entry = ReadFile(journal / "00000000000000000001-c");
    for (std::size_t number = 2; number <= kJournalLength; ++number) {
        std::string name = std::to_string(number);
        WriteFile(journal / (std::string(20 - name.size(), '0') + name + "-c"), entry);
    }
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
    } else if (name == "FullJournal") {
        FillJournal(world);
    } else {
        return false;
    }
    return true;
}

}  // namespace sonatrix::testing
