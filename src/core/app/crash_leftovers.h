// SPDX-License-Identifier: GPL-3.0-or-later
// At start, what an earlier run stopped part-way (a crash, a kill, a power
// cut) left behind: the store made whole, and the temporary files of
// unfinished copies removed from the client's and the library's folders.
#pragma once

namespace sonatrix {

class MainModel;

// Once the program's folders are decided.
void RemoveCrashLeftovers(MainModel& model);

}  // namespace sonatrix
