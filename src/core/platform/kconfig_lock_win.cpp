// SPDX-License-Identifier: GPL-3.0-or-later
// KDE's config files are edited on Linux only.
#include <windows.h>

#include "platform/kconfig_lock.h"

namespace sonatrix {

int LockKConfigFile(const std::string&, int, std::unique_ptr<HeldLock>&) {
    return ERROR_NOT_SUPPORTED;
}

}  // namespace sonatrix
