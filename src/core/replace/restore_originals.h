// SPDX-License-Identifier: GPL-3.0-or-later
// Giving a client's sounds back the bytes they held before Sonatrix first
// changed them ("恢复原始声音", "全部恢复原始声音" in the target list's menu).
#pragma once

namespace sonatrix {

class MainModel;

inline constexpr const char* kRestoreOriginalCaption = "恢复原始声音";
inline constexpr const char* kRestoreAllOriginalsCaption = "全部恢复原始声音";
// Heads the desktop's settings a restore left as the user chose them after
// Sonatrix wrote them.
inline constexpr const char* kKeptLaterChoices = "以下设置在更改之后又被另行选择过，已保留：";

// The original of item `index` of the target list.
void RestoreOriginalClick(MainModel& model, int index);
// Every original kept for the target's folder.
void RestoreAllOriginalsClick(MainModel& model);

}  // namespace sonatrix
