// SPDX-License-Identifier: GPL-3.0-or-later
// The helper's confinement for the one file it decodes: limits on its
// memory, its CPU time and its children, and a sandbox, entered once its
// input and output are open and before FFmpeg reads a byte of the file. A
// file that takes the decoder over then finds nothing to reach: no other
// file, no program, no network, no more than its share of the machine.
#pragma once

#include <cstdint>
#include <string>

namespace sonatrix::decode {

// The most memory a helper may take (its address space on Linux, its job
// object's limit on Windows): far more than a sound takes as it streams,
// far less than a desktop can spare.
inline constexpr std::int64_t kHelperMemoryBytes = std::int64_t{512} << 20;

// Confines the calling process for good, with `cpuSeconds` of CPU time.
// Returns what confines it, in a few words, or "" when it could not be
// confined (then it must not decode).
std::string Confine(int cpuSeconds);

// For a test of the confinement: tries `call` ("exec", "socket", or "open"
// of `path`), which a confined helper is refused. Returns "escaped <call>"
// or "refused <call>", unless the system ends the process first, or
// "untried <call>" for a call this system's confinement does not cover.
std::string TryForbidden(const std::string& call, const std::string& path);

}  // namespace sonatrix::decode
