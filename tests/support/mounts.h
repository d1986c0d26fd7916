// SPDX-License-Identifier: GPL-3.0-or-later
// Real file systems that fail the way a user's disk can: a small tmpfs that
// fills up, and a read-only bind mount. Root ignores permissions, so these
// are how a test meets "cannot be written" as root. Mounting needs the
// privilege to; Available() says whether this machine grants it.
#pragma once

#include <cstddef>
#include <filesystem>

namespace sonatrix::testing {

class ScopedMount {
  public:
    // A tmpfs of `bytes` at `at` (created when missing).
    static ScopedMount SmallDisk(const std::filesystem::path& at, std::size_t bytes);
    // `folder` itself, made read-only in place by a bind mount over it.
    static ScopedMount ReadOnly(const std::filesystem::path& folder);
    static bool Available();

    ScopedMount(ScopedMount&& other) noexcept;
    ~ScopedMount();
    bool Mounted() const { return mounted_; }

  private:
    explicit ScopedMount(std::filesystem::path at, bool mounted)
        : at_(std::move(at)), mounted_(mounted) {}
    std::filesystem::path at_;
    bool mounted_ = false;
};

}  // namespace sonatrix::testing
