// SPDX-License-Identifier: GPL-3.0-or-later
// One command's writes of sounds into the target. A client's folder is
// written through the store of originals; so is the desktop's place: its
// folder, and then the settings that point the desktop at what was written
// (its sound theme, or the sound scheme's values), all in the one entry.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace sonatrix {

class ChangeRun;
class FileSystem;
class MainModel;

inline constexpr const char* kDesktopSoundsOff =
    "系统提示音已关闭，更改后的声音不会播放。请在系统设置中打开提示音。";
// `theme`: the sound theme the user hears, which is not installed here.
std::string DesktopThemeMissingText(const std::string& theme);

// Creates `folder` and every missing folder above it, never a root.
// Returns 0 or the system's error code.
int CreateFolderAndParents(FileSystem& files, const std::string& folder);

class TargetWrite {
  public:
    // `commandName`: the command as the user knows it ("随机换音").
    TargetWrite(MainModel& model, std::string commandName);
    TargetWrite(const TargetWrite&) = delete;
    TargetWrite& operator=(const TargetWrite&) = delete;
    ~TargetWrite();

    // Keeps what the target's sounds `names` hold now (see ChangeRun::Keep).
    void Keep(const std::vector<std::string>& names);
    // Copies `source` over the target's sound `name`. Returns 0, or the
    // error that left the sound as it was (or, on the desktop, unheard).
    int Copy(const std::string& source, const std::string& name);
    // Ends the run. On the desktop, points it at the sounds written, and
    // reports each setting that could not be changed.
    void Finish();
    // On the desktop, once something was written: says that the desktop
    // plays no event sounds, when it plays none (nothing is switched on),
    // and that the other events play "freedesktop" when the theme the user
    // hears is not installed.
    void TellDesktopNotes();

  private:
    // Gives the item `name` of the target's place `bytes`, kept first.
    int WriteBytes(const std::string& bytes, const std::string& name);
    void PointDesktopAtWritten();

    MainModel& model_;
    bool desktop_;
    int prepareError_ = 0;
    std::string missingTheme_;
    std::unique_ptr<ChangeRun> run_;
    std::vector<std::string> written_;
    bool finished_ = false;
};

}  // namespace sonatrix
