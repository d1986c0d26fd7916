// SPDX-License-Identifier: GPL-3.0-or-later
// The CJK font that ships in the program folder's "fonts", for systems
// without the window font "宋体" (a Windows that is not Chinese, Wine).
#pragma once

#include <QFont>
#include <QString>

namespace sonatrix::gui {

// Before the QApplication is made: where 宋体 is missing, text is drawn by
// Qt's own FreeType rather than the system's rasteriser (under Wine the
// latter loses strokes of Chinese characters). A platform chosen by the
// user (QT_QPA_PLATFORM) is left alone.
void ChooseTextRasteriser();

// Where 宋体 is missing, makes the font in `appDir` + "fonts" stand in for
// it, so that every window (they all ask for "宋体" first) and dialog gets a
// face with the Chinese glyphs. Returns the family that stands in, or an
// empty string when the system has 宋体 or nothing ships.
QString UseBundledFontWhereSongtiIsMissing(const QString& appDir);

// The hinting the windows' text is drawn with.
QFont::HintingPreference WindowFontHinting();

}  // namespace sonatrix::gui
