// SPDX-License-Identifier: GPL-3.0-or-later
// At start, what an earlier run stopped part-way (a crash, a kill, a power
// cut) left behind: the store made whole, and the temporary files of
// unfinished copies removed from the client's and the library's folders.
#pragma once

namespace sonatrix {

class MainModel;

// Said at start, followed by what of the store could not be read, a line each.
inline constexpr const char* kStoreUnreadable =
    "无法读取保存原始声音的文件夹，其中的内容原样保留，直到可以读取：";

// Once the program's folders are decided.
void RemoveCrashLeftovers(MainModel& model);

}  // namespace sonatrix
