// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_home.h"

namespace sonatrix::testing {

void UseOwnDesktopHome(const std::filesystem::path&) {}

}  // namespace sonatrix::testing
