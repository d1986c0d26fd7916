// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyph_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "glyph_button_accessible.h"

namespace sonatrix::gui {

GlyphButton::GlyphButton(QWidget* parent) : QToolButton(parent) {
    InstallGlyphButtonAccessibility();
}

void GlyphButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton bevel;
    bevel.initFrom(this);
    bevel.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawPrimitive(QStyle::PE_PanelButtonCommand, bevel);

    const QPixmap picture =
        icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int pictureWidth = picture.isNull() ? 0 : iconSize().width() + kSpacing;
    const int shift = isDown() ? 1 : 0;
    const int left = std::max(1, (width() - pictureWidth - textWidth) / 2) + shift;
    if (!picture.isNull())
        painter.drawPixmap(left, (height() - iconSize().height()) / 2 + shift, picture);
    const QRect textRect(left + pictureWidth, shift, width() - left - pictureWidth, height());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect,
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     text());
}

}  // namespace sonatrix::gui
