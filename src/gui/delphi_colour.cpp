// SPDX-License-Identifier: GPL-3.0-or-later
#include "delphi_colour.h"

namespace sonatrix::gui {

QColor ColourFromValue(std::uint32_t value, const QPalette& palette) {
    if (value & 0x80000000u) {
        // Only the window-text system colour is ever set by the program.
        const int index = static_cast<int>(value & 0xFFu);
        return index == kSystemColourWindowText ? palette.color(QPalette::WindowText)
                                                : palette.color(QPalette::Window);
    }
    return QColor(value & 0xFFu, (value >> 8) & 0xFFu, (value >> 16) & 0xFFu);
}

}  // namespace sonatrix::gui
