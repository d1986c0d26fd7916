// SPDX-License-Identifier: GPL-3.0-or-later
// Long work of a command, one file after another, run off the window's
// thread while the window shows how far it has got and offers to cancel.
#pragma once

#include <atomic>
#include <functional>
#include <string>

namespace sonatrix {

class BatchProgress {
  public:
    using Work = std::function<void(const std::atomic<bool>& stop)>;

    virtual ~BatchProgress() = default;
    // A batch of `total` steps starts; a batch that lasts more than about
    // half a second shows its progress with a cancel button.
    virtual void Begin(int total) = 0;
    // Runs step `done` (0-based) off the window's thread, showing `name` as
    // the file in hand, and returns when `work` has returned. False when
    // the batch was stopped: `work` was asked to stop and has returned.
    virtual bool Run(int done, const std::string& name, const Work& work) = 0;
    virtual void End() = 0;

    // True from Begin to End.
    virtual bool Running() const = 0;
    // Stops the running batch because the program is closing (the user
    // said so, or the session ends).
    virtual void StopForClosing() = 0;
    // True once the batch was stopped for closing: what the command would
    // still say is left unsaid.
    virtual bool Closing() const = 0;
};

}  // namespace sonatrix
