// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_font.h"

#include <QStringList>

#include "bundled_font.h"

namespace sonatrix::gui {

QFont WindowFont() {
    QFont font;
    // Qt takes the first family that is installed. The windows were laid
    // out for 宋体 (SimSun): full-width CJK glyphs as wide as the font is
    // high, half-width Latin letters, lines exactly the pixel size apart.
    // "AR PL SungtiL GB" (Debian: fonts-arphic-gbsn00lp) has those metrics
    // at every size; "AR PL UMing CN" (fonts-arphic-uming) has them at 13
    // pixels but sets larger sizes taller; the sans-serif faces after them
    // have wider Latin letters and taller lines, which cut captions off.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("AR PL SungtiL GB"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(13);
    font.setHintingPreference(WindowFontHinting());
    return font;
}

}  // namespace sonatrix::gui
