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

class PlaceWriter;
class TargetKindWrites;

// One command's writes into the target, through the store: what each kind
// of target does besides copying a sound is its TargetKindWrites'.
class TargetWrite {
  public:
    // `commandName`: the command as the user knows it ("随机换音").
    TargetWrite(MainModel& model, std::string commandName);
    TargetWrite(const TargetWrite&) = delete;
    TargetWrite& operator=(const TargetWrite&) = delete;
    ~TargetWrite();

    // Keeps what the target's sounds `names` hold now (see ChangeRun::Keep).
    void Keep(const std::vector<std::string>& names);
    // Copies `source` over the target's sound `name` (as the list names
    // it), as loud as its original while the user asks for it. Returns 0,
    // or the error that left the sound as it was (or unheard, where the
    // kind sets more than the file).
    int Copy(const std::string& source, const std::string& name);
    // Ends the run, once the kind has set what it sets for the sounds
    // written (reporting what failed), and tells, in one message, why
    // sounds were not made as loud as their originals. Returns the error
    // of the run's end (see ChangeRun::Finish).
    int Finish();
    // Once something was written: what the user should know of it, such
    // as a sound that was switched off and will not be heard (nothing is
    // switched on).
    void TellNotes();

  private:
    class RunWriter;

    MainModel& model_;
    std::unique_ptr<TargetKindWrites> kind_;
    int prepareError_ = 0;
    std::unique_ptr<ChangeRun> run_;
    std::unique_ptr<RunWriter> writer_;
    std::vector<std::string> written_;
    std::string loudnessNotes_;
    bool finished_ = false;
    int finishError_ = 0;
};

}  // namespace sonatrix
