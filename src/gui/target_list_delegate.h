// SPDX-License-Identifier: GPL-3.0-or-later
// ListBox1's owner drawing: 18-pixel rows, the catalogue icon at the left
// and every name starting 20 pixels in, both at the top of the row.
#pragma once

#include <QStyledItemDelegate>

namespace sonatrix::gui {

// Where an item keeps the file name as the core's bytes (the icon lookup
// needs the exact name, the display text may be a lenient decoding).
inline constexpr int kItemBytesRole = Qt::UserRole + 1;

class TargetListDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // ListBox1MeasureItem
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // ListBox1DrawItem
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace sonatrix::gui
