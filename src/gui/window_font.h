// SPDX-License-Identifier: GPL-3.0-or-later
// The window font: "宋体" 13 pixels, or where 宋体 is missing (any Linux
// desktop) the installed Song face whose metrics come closest to it.
#pragma once

#include <QFont>

namespace sonatrix::gui {

QFont WindowFont();

}  // namespace sonatrix::gui
