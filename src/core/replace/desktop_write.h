// SPDX-License-Identifier: GPL-3.0-or-later
// What writing the desktop's sounds takes beyond the files, on each
// platform: a theme's index and the files that would shadow a sound (Linux),
// the scheme's values naming each sound (Windows).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sonatrix {

class FileSystem;

// A name in the desktop's place (a file's or a setting's) and the bytes it
// is to hold.
using DesktopItem = std::pair<std::string, std::string>;

// The files of the desktop's folder that would be played instead of the
// sound `name` ("<event>.wav"): on Linux the same name as ".disabled",
// ".oga", ".ogg". None on Windows.
std::vector<std::string> DesktopShadowsOf(const std::string& name);

// The file that makes `folder` one the desktop plays from, when it lacks
// it or it no longer follows the theme the user hears: on Linux a theme's
// index.theme, inheriting that theme. Nothing on Windows. `missingTheme`:
// the theme the user hears, when it is not installed and "freedesktop" is
// inherited instead. Returns 0 or the error of a setting that could not be
// read.
int DesktopFolderIndex(FileSystem& files, const std::string& folder,
                       std::optional<DesktopItem>& index, std::string& missingTheme);

// The settings that may point the desktop at the sounds `written`.
std::vector<std::string> DesktopSettingsToPoint(const std::vector<std::string>& written);

// The settings to change, each with its new value, so that the desktop
// plays the sounds `written` of `folder`; those that hold it already are
// left out, and those that cannot be read are in `failures` with their
// error.
std::vector<DesktopItem> DesktopSettingsFor(const std::string& folder,
                                            const std::vector<std::string>& written,
                                            std::vector<std::pair<std::string, int>>& failures);

// The settings that belong to the sound `name` alone (Windows: its event's
// values), restored with it. None on Linux, where one theme serves all.
std::vector<std::string> DesktopSettingsOfSound(const std::string& name);

}  // namespace sonatrix
