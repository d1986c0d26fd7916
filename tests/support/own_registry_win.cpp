// SPDX-License-Identifier: GPL-3.0-or-later
#include "own_registry.h"

namespace sonatrix::testing {

// The Windows tests run in a Wine prefix that scripts/test-windows.sh made
// for the run: its registry is the test's own.
std::unique_ptr<Registry> MakeOwnRegistry(const std::filesystem::path& /*root*/) {
    return MakeNativeRegistry();
}

}  // namespace sonatrix::testing
