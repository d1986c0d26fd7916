// SPDX-License-Identifier: GPL-3.0-or-later
// The freedesktop sound themes: which file the desktop plays for an event,
// found the way libcanberra finds it (the theme, the themes it inherits,
// then "freedesktop"; in each directory ".disabled", ".oga", ".ogg",
// ".wav"; "message-new-instant" falling back to "message-new", "message").
// Locale sub-folders are not looked into; no theme here has any.
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

class FileSystem;

inline constexpr const char* kCustomSoundTheme = "__custom";
inline constexpr const char* kFallbackSoundTheme = "freedesktop";

struct ThemeSound {
    std::string file;       // empty when nothing plays
    bool disabled = false;  // a ".disabled" file silences the event
};

// The sound `event` plays under `theme`, searching the theme folders
// `roots` (each "<data folder>/sounds/", ending in a separator).
ThemeSound FindThemeSound(FileSystem& files, const std::vector<std::string>& roots,
                          const std::string& theme, const std::string& event);

// True when a theme folder of `roots` holds the theme `name`.
bool SoundThemeExists(FileSystem& files, const std::vector<std::string>& roots,
                      const std::string& name);

// The index.theme of a "__custom" theme that inherits `inherited` and keeps
// its sounds in its own folder.
std::string CustomThemeIndex(const std::string& inherited);

}  // namespace sonatrix
