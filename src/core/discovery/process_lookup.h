// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the target among the running processes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace sonatrix {

class FileSystem;
class MainModel;

struct ProcessMatch {
    std::int32_t pid = 0;
    std::string executable;  // the matching module's path, as listed
    std::string soundFolder;
};

// The first module, in snapshot order, that the sound-folder rule adopts
// under `mode`; processes with an id of 0 or less are never examined.
std::optional<ProcessMatch> FindInSnapshot(FileSystem& files,
                                           const std::vector<ProcessEntry>& processes,
                                           const std::string& wantedName, std::int32_t mode);

// Walks the running processes; on a match sets the target line to the
// executable and TargetSoundDir to its sound folder and returns the
// process id. Without a match TargetSoundDir is emptied (unless no process
// could be listed at all) and 0 is returned.
std::int32_t FindApp(MainModel& model, const std::string& wantedName, std::int32_t mode);

// The three tries of the start-up and the poll, over one snapshot of the
// processes: "QQ.exe" by name, "TM.exe" with QQ's probes, any program with
// a "sound\folder.wav". True when one of them matched.
bool M_find_qq(MainModel& model);

}  // namespace sonatrix
