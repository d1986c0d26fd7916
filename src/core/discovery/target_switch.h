// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the kind of client in ComboBox1, and the QQ and MSN lookups that
// the restore commands use whatever the current target is.
#pragma once

#include <string>

namespace sonatrix {

class MainModel;

inline constexpr const char* kAskQQPath = "注册表中没有找到合适的值，您要手工指定qq路径吗？";
inline constexpr const char* kAskMsnPath = "注册表中没有找到合适的值，您要手工指定 MSN 的路径吗？";

// The user selected item `index` of ComboBox1: forgets the target and
// searches for a client of that kind (or opens the picker for "更改其他程序",
// the program chooser for "更改程序设置中的声音").
void ComboBox1Select(MainModel& model, int index);

// QQ's sound folder: a running QQ, else the registry's "Install", else a
// folder the user picks. `folder` is empty when none was obtained. The
// current target is left as it was. Returns false when reading the
// registry raised an error, which has been shown; the command then ends.
[[nodiscard]] bool LocateQQSoundDir(MainModel& model, std::string& folder);

// The same for MSN Messenger ("InstallationDirectory").
[[nodiscard]] bool LocateMsnSoundDir(MainModel& model, std::string& folder);

}  // namespace sonatrix
