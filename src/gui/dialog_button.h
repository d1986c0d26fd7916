// SPDX-License-Identifier: GPL-3.0-or-later
// The push buttons of the program's dialogs.
#pragma once

#include <QPushButton>
#include <QRect>

namespace sonatrix::gui {

// A button at `place` in `parent`, named for assistive technology by its
// caption (UTF-8). Never an automatic default: Enter presses only the
// button a dialog makes its default, not whichever last had the focus.
QPushButton* DialogButton(QWidget* parent, const char* name, const char* caption, QRect place);

}  // namespace sonatrix::gui
