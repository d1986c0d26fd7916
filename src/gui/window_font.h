// The window font: "宋体" 13 pixels, or an installed CJK font where 宋体 is
// missing (any Linux desktop).
#pragma once

#include <QFont>

namespace sonatrix::gui {

QFont WindowFont();

}  // namespace sonatrix::gui
