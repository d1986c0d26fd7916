// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_dir.h"

namespace sonatrix::testing {

std::string NarrowPath(const std::filesystem::path& path) {
    return path.string();
}

std::filesystem::path PathFromNarrow(const std::string& narrow) {
    return narrow;
}

}  // namespace sonatrix::testing
