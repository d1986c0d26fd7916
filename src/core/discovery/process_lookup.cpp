// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/process_lookup.h"

#include "discovery/sound_folder.h"
#include "model/main_model.h"

namespace sonatrix {
namespace {

// Applies one search's outcome to the target, as FindApp does.
std::int32_t Adopt(MainModel& model, bool listed, const std::vector<ProcessEntry>& processes,
                   const std::optional<ProcessMatch>& match) {
    if (match) {
        model.state.TargetStatusText = match->executable;
        model.state.TargetSoundDir = match->soundFolder;
        model.Changed(kAspectTargetStatus);
        return match->pid;
    }
    bool anyExamined = false;
    for (const auto& process : processes)
        anyExamined = anyExamined || process.pid > 0;
    if (listed && anyExamined)
        model.state.TargetSoundDir.clear();
    return 0;
}

}  // namespace

std::optional<ProcessMatch> FindInSnapshot(FileSystem& files,
                                           const std::vector<ProcessEntry>& processes,
                                           const std::string& wantedName, std::int32_t mode) {
    for (const auto& process : processes) {
        if (process.pid <= 0)
            continue;
        for (const auto& module : process.modules) {
            if (auto folder = ResolveSoundFolder(files, module, mode, wantedName))
                return ProcessMatch{process.pid, module, std::move(*folder)};
        }
    }
    return std::nullopt;
}

std::int32_t FindApp(MainModel& model, const std::string& wantedName, std::int32_t mode) {
    std::vector<ProcessEntry> processes;
    const bool listed = model.svc.processes.Snapshot(processes);
    return Adopt(
        model, listed, processes,
        listed ? FindInSnapshot(model.svc.files, processes, wantedName, mode) : std::nullopt);
}

bool M_find_qq(MainModel& model) {
    // One walk of the processes serves all three tries: the tick repeats
    // every five seconds for as long as no client runs.
    std::vector<ProcessEntry> processes;
    const bool listed = model.svc.processes.Snapshot(processes);
    struct Try {
        const char* name;
        std::int32_t mode;
    };
    constexpr Try kTries[] = {
        {"QQ.exe", ByNameQQ}, {"TM.exe", ByNameQQ}, {"QQ.exe", AnyExeSoundFolder}};
    for (const Try& attempt : kTries) {
        auto match = listed ? FindInSnapshot(model.svc.files, processes, attempt.name, attempt.mode)
                            : std::nullopt;
        if (Adopt(model, listed, processes, match) != 0)
            return true;
    }
    return false;
}

}  // namespace sonatrix
