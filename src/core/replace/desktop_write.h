// What writing the desktop's sounds takes beyond the files, on each
// platform: a theme's index and the files that would shadow a sound (Linux),
// the scheme's value naming each sound (Windows).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sonatrix {

class ChangeRun;
class MainModel;

// The files of the desktop's folder that would be played instead of the
// sound `name` ("<event>.wav"): on Linux the same name as ".disabled",
// ".oga", ".ogg". None on Windows.
std::vector<std::string> DesktopShadowsOf(const std::string& name);

// Makes the desktop's folder one the desktop plays from, through `run`
// (Linux: an index.theme when it has none). Returns 0 or the error.
int PrepareDesktopFolder(MainModel& model, ChangeRun& run);

// The settings to change, each with its new value, so that the desktop
// plays the sounds `written` of its folder; those that hold it already are
// left out.
std::vector<std::pair<std::string, std::string>> DesktopSettingsFor(
    MainModel& model, const std::vector<std::string>& written);

// The settings that belong to the sound `name` alone (Windows: its event's
// value), restored with it. None on Linux, where one theme serves all.
std::vector<std::string> DesktopSettingsOfSound(const std::string& name);

}  // namespace sonatrix
