// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/sound_folder.h"

#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

struct Probe {
    bool fromParent;      // relative to P (the folder above) instead of F
    const char* marker;   // backslash-separated
    const char* adopted;  // folder adopted on success, relative like the marker
};

// The three probes shared by ByNameQQ (whose second one adopts a folder of
// its own, see below), ByNameTM and AnyExeTMLayout.
constexpr Probe kTMLayout[] = {
    {true, "Misc\\sound\\msg.wav", "Misc\\sound\\"},
    {false, "TMsound\\folder.wav", "TMsound\\"},
    {true, "Misc\\sound\\Classic\\msg.wav", "Misc\\sound\\Classic\\"},
};

bool EndsWithIgnoringCase(std::string_view path, std::string_view end) {
    return path.size() >= end.size() &&
           SameIgnoringAsciiCase(path.substr(path.size() - end.size()), end);
}

bool PassesGate(const std::string& exePath, std::int32_t mode, const std::string& wantedName) {
    // Every module of every process comes through here three times on each
    // poll tick: most end in neither the name nor ".exe", which the end of
    // the path tells without finding where the name starts.
    const bool byName = mode == ByNameQQ || mode == ByNameMsn || mode == ByNameTM;
    if (!EndsWithIgnoringCase(exePath, byName ? std::string_view(wantedName) : ".exe"))
        return false;
    const std::string_view name = std::string_view(exePath).substr(FolderPartLength(exePath));
    switch (mode) {
        case ByNameQQ:
        case ByNameMsn:
        case ByNameTM:
            return SameIgnoringAsciiCase(name, wantedName);
        case AnyExeSoundFolder:
        case AnyExeRingWav:
        case AnyExeTMLayout:
            return name.size() >= 4 && name.rfind('.') == name.size() - 4 &&
                   SameIgnoringAsciiCase(name.substr(name.size() - 4), ".exe");
        default:
            return false;
    }
}

}  // namespace

std::optional<std::string> ResolveSoundFolder(FileSystem& files, const std::string& exePath,
                                              std::int32_t mode, const std::string& wantedName) {
    if (!PassesGate(exePath, mode, wantedName))
        return std::nullopt;
    const std::string folder = FolderPart(exePath);
    const std::string parent = ParentFolderOf(exePath);

    switch (mode) {
        case ByNameMsn:
            return folder;
        case AnyExeSoundFolder:
            if (files.FileExists(folder + NativePath("sound\\folder.wav")))
                return folder + NativePath("sound\\");
            return std::nullopt;
        case AnyExeRingWav:
            if (files.FileExists(folder + "ring.wav"))
                return folder;
            return std::nullopt;
        default:
            break;
    }

    for (const Probe& probe : kTMLayout) {
        const std::string& base = probe.fromParent ? parent : folder;
        if (!files.FileExists(base + NativePath(probe.marker)))
            continue;
        // QQ keeps its sounds in "sound\" even where a TM marker is found,
        // unless the executable looked for is TM itself.
        if (mode == ByNameQQ && !probe.fromParent && wantedName != "TM.exe")
            return folder + NativePath("sound\\");
        // The folder keeps the letter case it has on disk ("Misc\Sound\").
        return files.OnDiskPath(base + NativePath(probe.adopted));
    }
    return std::nullopt;
}

}  // namespace sonatrix
