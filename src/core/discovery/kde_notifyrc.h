// SPDX-License-Identifier: GPL-3.0-or-later
// KDE's programs that play sounds through KNotification: each one's events
// from its own "<program>.notifyrc" (in "knotifications5/" or
// "knotifications6/" of a data folder), and the user's choices from the
// file of the same name in the configuration folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/settings_program.h"

namespace sonatrix {

class FileSystem;

// The program's events: each "[Event/<id>]" of `defaults` (of `user` when
// there are no defaults), named by its "Name[zh_CN]", else "Name[zh]",
// else "Name"; its "Action=" and "Sound=" taken from `user` over
// `defaults`. An event sounds when its Action holds "Sound"; a Sound that
// is no absolute path is looked for in "sounds/" of `dataFolders`.
std::vector<ProgramEvent> KdeEvents(FileSystem& files, std::string_view defaults,
                                    std::string_view user,
                                    const std::vector<std::string>& dataFolders);

// The program's name from "[Global]": "Name", else "Comment", each in
// Chinese where it has it; else `fallback`.
std::string KdeProgramName(std::string_view defaults, std::string_view user,
                           const std::string& fallback);

// Every program with a notifyrc, in the data folders or the user's
// configuration folder, that has an event with a sound (a "Sound=" or
// "Sound" in its Action).
std::vector<SettingsProgram> FindKdePrograms(FileSystem& files, const std::string& configFolder,
                                             const std::vector<std::string>& dataFolders);

}  // namespace sonatrix
