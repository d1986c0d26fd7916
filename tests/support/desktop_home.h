// SPDX-License-Identifier: GPL-3.0-or-later
// A home of the test's own for what the desktop keeps per user: HOME and
// the XDG folders below `home`, GSettings in a key file there. Set before
// anything reads them: GLib reads them once per process. Nothing to do on
// Windows, where a test's Wine prefix is its own.
#pragma once

#include <filesystem>

namespace sonatrix::testing {

void UseOwnDesktopHome(const std::filesystem::path& home);

}  // namespace sonatrix::testing
