// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing every listed target sound with a library sound drawn at random
// ("随机换音").
#pragma once

namespace sonatrix {

class MainModel;

// How often a draw that lands on a file other than a ".wav" is repeated
// before that target file is left as it is.
inline constexpr int kRandomDrawTries = 16;

// Asks, then gives each item of the target list its own draw from the
// library; reports the copies that failed, then says it is done.
void Button3Click(MainModel& model);

}  // namespace sonatrix
