// SPDX-License-Identifier: GPL-3.0-or-later
// What a write into each kind of target does besides copying a sound: a
// client's folder of WAVs does nothing more; the desktop gets its theme's
// index and the settings that make it play the sounds written; a program
// gets its own setting pointed at the sound. The commands write through
// TargetWrite, which asks the kind, so that none of them branches on it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sonatrix {

class MainModel;

// The items of the target's place as the command's run keeps and writes
// them.
class PlaceWriter {
  public:
    virtual ~PlaceWriter() = default;
    virtual void Keep(const std::vector<std::string>& names) = 0;
    // Gives the item `name` `bytes`, what it holds kept first.
    virtual int WriteBytes(const std::string& bytes, const std::string& name) = 0;
    virtual int Remove(const std::string& name) = 0;
};

// What a target played for one of its sounds before Sonatrix first wrote
// it, for a replacement made as loud as that.
struct FirstSound {
    std::optional<std::string> wav;  // the sound as WAV bytes; nothing: none to match
    std::string whyNone;             // without one, why, for the user; empty: no file
};

class TargetKindWrites {
  public:
    virtual ~TargetKindWrites() = default;

    // Before the store names the target's place, which is known by its
    // folder as it is on disk. Returns 0 or the error that stops every write.
    virtual int PrepareFolder() { return 0; }
    // Once the run is open, before the first sound is written.
    virtual int Prepare(PlaceWriter&) { return 0; }
    // The item the list's sound `name` is written to. Returns 0, or the
    // error for which nothing of it may be written.
    virtual int ItemOfSound(const std::string& name, std::string& item) {
        item = name;
        return 0;
    }
    // The items that would be heard instead of `item`: kept, and removed
    // once it is written.
    virtual std::vector<std::string> ShadowsOf(const std::string&) { return {}; }
    // What the target sets besides the file, once `item` is written for
    // the sound `name`.
    virtual int AfterWrite(PlaceWriter&, const std::string& name, const std::string& item) {
        (void)name;
        (void)item;
        return 0;
    }
    // What the target sets once every sound of the command (`written`, as
    // the list names them) is written; reports what failed itself.
    virtual void Finish(PlaceWriter&, const std::vector<std::string>& written) { (void)written; }
    // The sound the target played for its sound `name` before Sonatrix
    // first wrote it, asked where the item written has no original of its
    // own: a new file of ours. A folder of WAVs played none.
    virtual FirstSound FirstSoundOf(const std::string& name) {
        (void)name;
        return {};
    }
    // What the user should know once `written` are written (a sound that
    // will not be heard); empty for nothing.
    virtual std::string Notes(const std::vector<std::string>& written) {
        (void)written;
        return {};
    }
};

// The kind of the model's target now.
std::unique_ptr<TargetKindWrites> WritesOfTarget(MainModel& model);
// The desktop's and a program's, in their own files.
std::unique_ptr<TargetKindWrites> MakeDesktopWrites(MainModel& model);
std::unique_ptr<TargetKindWrites> MakeProgramWrites(MainModel& model);

}  // namespace sonatrix
