// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/mount.h>

#include <string>

#include "mounts.h"
#include "temp_dir.h"

namespace sonatrix::testing {

ScopedMount ScopedMount::SmallDisk(const std::filesystem::path& at, std::size_t bytes) {
    std::filesystem::create_directories(at);
    const std::string options = "size=" + std::to_string(bytes);
    const bool ok = ::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) == 0;
    return ScopedMount(at, ok);
}

ScopedMount ScopedMount::ReadOnly(const std::filesystem::path& folder) {
    bool ok = ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
    if (ok &&
        ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        ::umount(folder.c_str());
        ok = false;
    }
    return ScopedMount(folder, ok);
}

bool ScopedMount::Available() {
    static const bool available = [] {
        TempDir probe;
        return SmallDisk(probe.Path() / "disk", 4096).Mounted();
    }();
    return available;
}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : at_(std::move(other.at_)), mounted_(other.mounted_) {
    other.mounted_ = false;
}

ScopedMount::~ScopedMount() {
    if (mounted_)
        ::umount2(at_.c_str(), MNT_DETACH);
}

}  // namespace sonatrix::testing
