// SPDX-License-Identifier: GPL-3.0-or-later
#include "bundled_font.h"

namespace sonatrix::gui {

// The Linux packages bring their CJK font with them as a dependency, and
// fontconfig draws it well.
void ChooseTextRasteriser() {}

QString UseBundledFontWhereSongtiIsMissing(const QString&) {
    return {};
}

}  // namespace sonatrix::gui
