// SPDX-License-Identifier: GPL-3.0-or-later
#include "bundled_font.h"

namespace sonatrix::gui {

// The Linux packages bring their CJK font with them as a dependency, and
// fontconfig draws it well.
void ChooseTextRasteriser() {}

QString UseBundledFontWhereSongtiIsMissing(const QString&) {
    return {};
}

QFont::HintingPreference WindowFontHinting() {
    // The desktop's usual "slight" hinting runs FreeType's auto-hinter on
    // every glyph. For a Song face at these sizes it hardly moves a stroke,
    // yet it costs more than the rest of drawing the text: the first frame
    // of the main window comes a good deal sooner without it.
    return QFont::PreferNoHinting;
}

}  // namespace sonatrix::gui
