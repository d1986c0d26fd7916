// SPDX-License-Identifier: GPL-3.0-or-later
// The window's colour values (0x00BBGGRR, or 0x80000000 plus a system colour
// index) as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace sonatrix::gui {

inline constexpr int kSystemColourWindowText = 8;

QColor ColourFromValue(std::uint32_t value, const QPalette& palette);

}  // namespace sonatrix::gui
