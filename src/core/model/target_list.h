// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the target's sounds (ListBox1).
#pragma once

namespace sonatrix {

class MainModel;

// Height of every item of the list, with or without an icon.
inline constexpr int kTargetListItemHeight = 18;
// Where an item's icon and text start, from the item's left edge.
inline constexpr int kTargetListIconLeft = 1;
inline constexpr int kTargetListTextLeft = 20;

// What the description says of a program's event whose sound is switched
// off, or that plays the program's own sound.
inline constexpr const char* kProgramEventOff = "这个事件的声音已在程序中关闭。";
inline constexpr const char* kProgramEventOwnSound = "当前的声音：程序自带的声音";

// Empties the list and fills it with the "*.wav" entries of the target's
// sound folder (or, without one, the folder derived from the target line);
// on the desktop with its events, for a program's settings with its events
// by name.
void M_list_qqshund(MainModel& model);

// A selection in the list: it becomes SelectedTargetSound, is played, and
// its description is shown. `index` is -1 when nothing is selected.
void ListBox1Click(MainModel& model, int index);

}  // namespace sonatrix
