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

// Empties the list and fills it with the "*.wav" entries of the target's
// sound folder (or, without one, the folder derived from the target line).
void M_list_qqshund(MainModel& model);

// A selection in the list: it becomes SelectedTargetSound, is played, and
// its description is shown. `index` is -1 when nothing is selected.
void ListBox1Click(MainModel& model, int index);

}  // namespace sonatrix
