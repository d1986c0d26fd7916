// SPDX-License-Identifier: GPL-3.0-or-later
#include "target_list_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QWidget>

#include "catalogue/catalogue.h"
#include "model/target_list.h"
#include "pictures.h"

namespace sonatrix::gui {

QSize TargetListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(kTargetListItemHeight);
    return size;
}

void TargetListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QRect rect = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(rect, selected ? palette.highlight() : palette.base());

    const QByteArray name = index.data(kItemBytesRole).toByteArray();
    if (auto icon = SoundIconIndex(std::string_view(name.constData(), name.size())))
        painter->drawPixmap(rect.left() + kTargetListIconLeft, rect.top(), ListImage(*icon));

    painter->setFont(option.font);
    painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                             : palette.color(QPalette::Text));
    const QRect textRect(rect.left() + kTargetListTextLeft, rect.top(),
                         rect.width() - kTargetListTextLeft, rect.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.rect = rect;
        focus.state = option.state;
        focus.backgroundColor =
            selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base);
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
    painter->restore();
}

}  // namespace sonatrix::gui
