// SPDX-License-Identifier: GPL-3.0-or-later
// KConfig's lock of one of KDE's config files: "<file>.lock", made and
// honoured as Qt's QLockFile makes it, which is what KConfig takes while it
// writes. Held while Sonatrix edits such a file, so that a KDE program
// writing it at the same moment waits for Sonatrix, and Sonatrix for it.
#pragma once

#include <memory>
#include <string>

namespace sonatrix {

class HeldLock;

// Takes the lock of `file`, waiting up to `waitMs` for its holder (then
// BusyCode()). A lock whose holder no longer runs, or one older than Qt's
// 30 seconds, is taken over as QLockFile takes it over. Returns 0 or the
// system's error code.
int LockKConfigFile(const std::string& file, int waitMs, std::unique_ptr<HeldLock>& held);

}  // namespace sonatrix
