// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_label.h"

#include <QPainter>
#include <QTextLayout>

namespace sonatrix::gui {

int NoteLabel::LineStep() const {
    const int pixels = font().pixelSize() > 0 ? font().pixelSize() : fontMetrics().height();
    return pixels + 1;
}

void NoteLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect box = contentsRect();
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        // The glyphs keep their ascent; only the gap between lines shrinks.
        line.setPosition(QPointF(0, top));
        top += LineStep();
    }
    layout.endLayout();
    painter.setClipRect(box);
    layout.draw(&painter, box.topLeft());
}

}  // namespace sonatrix::gui
