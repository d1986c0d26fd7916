// SPDX-License-Identifier: GPL-3.0-or-later
// A label that acts as a link: hand cursor, and a click signal.
#pragma once

#include <QLabel>

namespace sonatrix::gui {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace sonatrix::gui
