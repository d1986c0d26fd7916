// SPDX-License-Identifier: GPL-3.0-or-later
// The running processes and the modules loaded in each.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sonatrix {

struct ProcessEntry {
    std::int32_t pid = 0;
    // Full paths of the process's modules in the platform's order, the
    // program's executable among them; empty for a process that cannot be
    // inspected.
    std::vector<std::string> modules;
};

class ProcessSource {
  public:
    virtual ~ProcessSource() = default;
    // A point-in-time list of all processes in the system's order. False
    // when the process list is not available at all.
    virtual bool Snapshot(std::vector<ProcessEntry>& out) = 0;
};

std::unique_ptr<ProcessSource> MakeNativeProcessSource();

// `source`, whose first snapshot is taken at once on a thread of its own,
// while the program builds its windows; the first Snapshot() call returns
// that one (waiting for it if need be), later calls take a new one.
std::unique_ptr<ProcessSource> PrefetchFirstSnapshot(std::unique_ptr<ProcessSource> source);

}  // namespace sonatrix
