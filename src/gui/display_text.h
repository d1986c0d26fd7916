// SPDX-License-Identifier: GPL-3.0-or-later
// Byte strings from the core shown on screen: the core keeps the exact bytes
// (a GBK file name unpacked on Linux stays GBK), the screen gets a readable
// text.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace sonatrix::gui {

// Each line on its own: valid UTF-8 as it is; otherwise GBK when the
// platform can decode it; otherwise UTF-8 with replacement characters.
QString DisplayText(std::string_view bytes);

// A path or text typed or chosen in a Qt dialog, as the core's bytes.
std::string CoreBytes(const QString& text);

}  // namespace sonatrix::gui
