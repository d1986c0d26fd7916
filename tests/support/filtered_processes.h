// SPDX-License-Identifier: GPL-3.0-or-later
// The real process walk, narrowed to the test itself and the processes it
// started and allowed, so that clients running elsewhere on the machine (or
// another test's, beside it) cannot change a test's outcome.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/processes.h"

namespace sonatrix::testing {

class FilteredProcesses : public ProcessSource {
  public:
    FilteredProcesses(ProcessSource& real, int selfPid) : real_(real), allowed_{selfPid} {}

    // From now on only `selfPid` and the processes of later `Allow`s are seen.
    void OnlyOwn(int selfPid) { allowed_ = {selfPid}; }
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
        std::erase_if(out, [&](const ProcessEntry& p) {
            return std::find(allowed_.begin(), allowed_.end(), p.pid) == allowed_.end();
        });
        return true;
    }

  private:
    ProcessSource& real_;
    std::vector<int> allowed_;
};

}  // namespace sonatrix::testing
