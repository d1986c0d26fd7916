// SPDX-License-Identifier: GPL-3.0-or-later
// A glyph button: raised like a push button, its picture left of the
// caption with the pair centred, never eliding the caption (a caption a
// little wider than the button is clipped at the edge instead, so every
// word stays readable where it fits).
#pragma once

#include <QToolButton>

namespace sonatrix::gui {

class GlyphButton : public QToolButton {
    Q_OBJECT
  public:
    explicit GlyphButton(QWidget* parent = nullptr);

    static constexpr int kSpacing = 4;  // between the picture and the caption

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sonatrix::gui
