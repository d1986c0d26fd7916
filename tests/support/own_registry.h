// SPDX-License-Identifier: GPL-3.0-or-later
// The registry a test world reads: the platform's own implementation, over a
// registry that belongs to the test, never the machine's.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/registry.h"

namespace sonatrix::testing {

// On Linux, the native Wine registry reading an empty prefix made under
// `root` (the world's test may write its system.reg); on Windows, the
// registry of the Wine prefix the test run made for itself.
std::unique_ptr<Registry> MakeOwnRegistry(const std::filesystem::path& root);

}  // namespace sonatrix::testing
