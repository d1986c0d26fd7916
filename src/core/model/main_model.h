// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's state and the services its commands use. The window
// (TForm1) shows this state and forwards the user's gestures to the
// handlers, which live in the core under the window's handler names.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/settings_program.h"
#include "model/tree_nodes.h"

namespace sonatrix {

class BatchProgress;
class Dialogs;
class FileSystem;
class ProcessSource;
class Registry;
class Shell;
class SoundDecoder;
class SoundPlayer;

struct Services {
    FileSystem& files;
    ProcessSource& processes;
    Registry& registry;
    Dialogs& dialogs;
    SoundPlayer& player;
    Shell& shell;
    SoundDecoder& decoder;
    BatchProgress& progress;
};

// Font colours of the target line, as the window's colour values.
namespace colour {
inline constexpr std::uint32_t kBlack = 0x000000;         // as designed
inline constexpr std::uint32_t kRed = 0x0000FF;           // 255: waiting for a client
inline constexpr std::uint32_t kWindowText = 0x80000008;  // clWindowText
}  // namespace colour

inline constexpr const char* kNoProgramChosen = "未选择程序";
inline constexpr const char* kSoundListNote = "这里列出了QQ或MSN的声音";
inline constexpr int kPollIntervalMs = 5000;

// Parts of the state a handler changed, so the window updates only those.
enum Aspect : unsigned {
    kAspectTargetStatus = 1u << 0,     // Label1 text and colour
    kAspectTargetList = 1u << 1,       // ListBox1 items
    kAspectCommandButtons = 1u << 2,   // the seven TargetCommandButtons
    kAspectTimer = 1u << 3,            // Timer1
    kAspectLibraryTree = 1u << 4,      // TreeView1 nodes
    kAspectLabels = 1u << 5,           // Label3, Label8, Label9
    kAspectCombo = 1u << 6,            // ComboBox1 index
    kAspectSelectFirstNode = 1u << 7,  // select the tree's first node (not a click)
};

class MainView {
  public:
    virtual ~MainView() = default;
    virtual void StateChanged(unsigned aspects) = 0;
};

struct MainState {
    std::int32_t LibrarySoundCount = 0;
    std::string AppDir;  // ends in a separator; where the shipped files are
    // The user's own "newsounds" (ending in a separator) when the program is
    // installed; empty when it runs from a folder it can write.
    std::string UserLibraryDir;
    std::string TargetSoundDir;  // ends in a separator; empty without a target
    std::int32_t TargetKind = 0;
    // The sixth kind's program: the target line shows its settings file and
    // the list its events.
    SettingsProgram TargetProgram;

    std::string TargetStatusText = kNoProgramChosen;  // Label1
    std::uint32_t TargetStatusColour = colour::kBlack;
    std::string SelectedTargetSound;                    // Label9
    std::string SelectedLibrarySound;                   // Label8
    std::string SoundDescriptionText = kSoundListNote;  // Label3
    std::vector<std::string> TargetList;                // ListBox1 items
    int ComboIndex = 0;                                 // ComboBox1
    bool Timer1Enabled = false;
    bool TargetCommandButtonsEnabled = true;
    // "音量与原声音一致": library sounds are written as loud as the sounds
    // they replace (replace/loudness_match.h).
    bool MatchLoudness = false;
};

class MainModel {
  public:
    // `executableFolder`: the folder of the running executable with its
    // trailing separator; it becomes AppDir at first show. `dataFolder`: the
    // program's folder in the user's data folder, with its trailing
    // separator (UserDataFolder() in the program, a temporary one in tests).
    MainModel(Services services, std::string executableFolder, std::string dataFolder);

    Services svc;
    const std::string ExecutableFolder;
    const std::string DataFolder;
    MainState state;
    TreeNodes libraryTree;  // TreeView1's nodes; Root() is LibraryRootNode
    std::mt19937 random;    // the program's one pseudo-random source

    void SetView(MainView* view) { view_ = view; }
    // Tells the window which parts of the state changed.
    void Changed(unsigned aspects);

  private:
    MainView* view_ = nullptr;
};

}  // namespace sonatrix
