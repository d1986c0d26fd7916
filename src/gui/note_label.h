// SPDX-License-Identifier: GPL-3.0-or-later
// A word-wrapped note whose lines are set as close as the window's bitmap
// font set them, so a note written for a fixed box fits it in any CJK font
// (the fallback fonts' own line spacing is a third larger).
#pragma once

#include <QLabel>

namespace sonatrix::gui {

class NoteLabel : public QLabel {
  public:
    using QLabel::QLabel;

    // Pixels from one line's top to the next: the font's pixel size plus one.
    int LineStep() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sonatrix::gui
