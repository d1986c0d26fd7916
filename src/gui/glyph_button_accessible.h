// SPDX-License-Identifier: GPL-3.0-or-later
// How assistive technology sees a glyph button: a button named by its
// caption whose press returns at once, the command running after the call
// as a push button's does (a tool button's own interface runs the command
// inside the call, so a screen reader would wait on the command's dialog).
#pragma once

namespace sonatrix::gui {

// Makes every GlyphButton use that interface; safe to call again.
void InstallGlyphButtonAccessibility();

}  // namespace sonatrix::gui
