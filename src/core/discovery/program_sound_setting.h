// SPDX-License-Identifier: GPL-3.0-or-later
// The values in a program's settings file that choose its events' sounds,
// pointed at a file, compared and carried from one version of the file to
// another. Every edit keeps each other byte of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/settings_program.h"

namespace sonatrix {

// A settings file that cannot be edited so that its program reads the new
// value back (a prefs.js that ends inside a comment, a prefs.xml that is
// not well-formed): nothing is written. Not a system's error code.
inline constexpr int kSettingsNotEditable = -3;
inline constexpr const char* kSettingsNotEditableText =
    "设置文件的格式无法识别，改动后程序可能读不出来，所以什么也没有更改。";

// The kind of program whose settings file `path` is, by the file's name
// (prefs.js, prefs.xml, <program>.notifyrc); nothing for another file.
std::optional<SettingsProgramKind> SettingsKindOfFile(std::string_view path);

// `text` with the event `eventId` playing the file `wav` (a path in the
// platform's encoding) as the program's own preferences would set it:
// Thunderbird's ".type" 1 and ".url" its file:// URL; Pidgin's file;
// KDE's "Sound=" and "Sound" in the event's "Action=" (`defaults`, the
// program's own notifyrc, gives the Action the user has not changed).
// Whether the event sounds at all is left as the user set it. Nothing when
// the file cannot be edited so that the program reads the value back.
std::optional<std::string> WithEventSound(SettingsProgramKind kind, std::string_view text,
                                          std::string_view defaults, std::string_view eventId,
                                          const std::string& wav);

// True when the user switched the event's sound off in the program, so a
// new sound for it is not heard: Thunderbird's "mail.<id>.play_sound"
// false, Pidgin's event not enabled or its sounds set to "none" or muted.
// A KDE event sounds once its Action names a sound, which WithEventSound
// does as the program's own dialog does.
bool EventSoundSwitchedOff(SettingsProgramKind kind, std::string_view text,
                           std::string_view eventId);

// The values that choose the sounds of the events `text` sets, as one text:
// two files with the same choice give the same text.
std::string SoundChoiceIn(SettingsProgramKind kind, std::string_view text);

// `now` with the sound of every event (or of `eventId` alone) as `from`
// chooses it; a value `from` does not hold goes back to the program's
// default. Nothing when `now` cannot be edited safely.
std::optional<std::string> WithSoundChoiceOf(SettingsProgramKind kind, std::string_view now,
                                             std::string_view from, std::string_view eventId = {});

// `value` as KConfig writes a string: "\\" for a backslash, "\s" for a
// blank at either end, "\t", "\n", "\r" and "\xNN" for control characters.
std::string KConfigEscaped(std::string_view value);

}  // namespace sonatrix
