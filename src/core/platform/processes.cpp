// SPDX-License-Identifier: GPL-3.0-or-later
#include <future>
#include <utility>

#include "platform/processes.h"

namespace sonatrix {
namespace {

class PrefetchedProcesses : public ProcessSource {
  public:
    explicit PrefetchedProcesses(std::unique_ptr<ProcessSource> source)
        : source_(std::move(source)), first_(std::async(std::launch::async, [this] {
              First first;
              first.listed = source_->Snapshot(first.processes);
              return first;
          })) {}

    bool Snapshot(std::vector<ProcessEntry>& out) override {
        if (!first_.valid())
            return source_->Snapshot(out);
        First first = first_.get();
        out = std::move(first.processes);
        return first.listed;
    }

  private:
    struct First {
        bool listed = false;
        std::vector<ProcessEntry> processes;
    };

    std::unique_ptr<ProcessSource> source_;
    std::future<First> first_;  // waited for when dropped unused
};

}  // namespace

std::unique_ptr<ProcessSource> PrefetchFirstSnapshot(std::unique_ptr<ProcessSource> source) {
    return std::make_unique<PrefetchedProcesses>(std::move(source));
}

}  // namespace sonatrix
