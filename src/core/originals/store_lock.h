// SPDX-License-Identifier: GPL-3.0-or-later
// One writer at a time: every change to the store is made while its lock
// is held, by one process (running Sonatrix twice on one store is thus
// safe). The system lets go of the lock when its holder ends, a crash
// included, so a lock is never left behind.
#pragma once

#include <memory>

namespace sonatrix {

class HeldLock;
class OriginalsStore;

// Long enough for another process's store work, which never waits for
// the user while it holds the lock.
inline constexpr int kStoreLockWaitMs = 10000;

class StoreLock {
  public:
    explicit StoreLock(OriginalsStore& store, int waitMs = kStoreLockWaitMs);
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock();

    // 0 while the lock is held, else why it could not be taken.
    int Error() const { return error_; }

  private:
    std::unique_ptr<HeldLock> held_;
    int error_ = 0;
};

}  // namespace sonatrix
