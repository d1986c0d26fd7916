#include "window_font.h"

#include <QStringList>

namespace sonatrix::gui {

QFont WindowFont() {
    QFont font;
    // Qt takes the first family that is installed.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(13);
    return font;
}

}  // namespace sonatrix::gui
