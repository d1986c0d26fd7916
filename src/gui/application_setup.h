// SPDX-License-Identifier: GPL-3.0-or-later
// What the program sets on the application object before its windows are
// made: its name, the menu entry it belongs to and its window font (with
// the program folder's font where the system has no 宋体).
#pragma once

class QApplication;

namespace sonatrix::gui {

// Names the program "Sonatrix2009" (the task bar's and the window class's
// name) and gives it the window font. No display name is set: Qt appends a
// set display name to every window title the window system gets, and each
// title bar must read exactly its window's caption.
void SetUpApplication(QApplication& app);

}  // namespace sonatrix::gui
