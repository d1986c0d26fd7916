// SPDX-License-Identifier: GPL-3.0-or-later
#include "case_twin.h"
#include "temp_dir.h"

namespace sonatrix::testing {

bool PutCaseTwin(const std::filesystem::path& folder, const std::string& name,
                 const std::string& bytes) {
    WriteFile(folder / name, bytes);
    return true;
}

}  // namespace sonatrix::testing
