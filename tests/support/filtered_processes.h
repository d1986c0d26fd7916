// SPDX-License-Identifier: GPL-3.0-or-later
// The real process walk, narrowed to the processes a test started (and the
// test itself) when asked, so that clients running elsewhere on the machine
// cannot change a test's outcome.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/processes.h"

namespace sonatrix::testing {

class FilteredProcesses : public ProcessSource {
  public:
    explicit FilteredProcesses(ProcessSource& real) : real_(real) {}

    // From now on only the test process and the processes of `Allow` are seen.
    void OnlyOwn(int selfPid) {
        onlyOwn_ = true;
        allowed_ = {selfPid};
    }
    void Allow(int pid) { allowed_.push_back(pid); }
    // Every snapshot fails, as when the process list is unavailable.
    bool unavailable = false;

    bool Snapshot(std::vector<ProcessEntry>& out) override {
        if (unavailable) {
            out.clear();
            return false;
        }
        if (!real_.Snapshot(out))
            return false;
        if (onlyOwn_) {
            std::erase_if(out, [&](const ProcessEntry& p) {
                return std::find(allowed_.begin(), allowed_.end(), p.pid) == allowed_.end();
            });
        }
        return true;
    }

  private:
    ProcessSource& real_;
    bool onlyOwn_ = false;
    std::vector<int> allowed_;
};

}  // namespace sonatrix::testing
