// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's first show and the poll that waits for a client.
#pragma once

namespace sonatrix {

class MainModel;

inline constexpr const char* kNoClientRunning =
    "没有发现QQ在运行，请先启动QQ。如果QQ已经在运行，那么请点击“手工指定程序……”。";

// First show: seed, AppDir, library tree, the search for a client, the
// waiting state when none runs, the target list.
void FormShow(MainModel& model);

// One tick of Timer1 while waiting: adopts a QQ or TM client when one runs.
void Timer1Timer(MainModel& model);

}  // namespace sonatrix
