// SPDX-License-Identifier: GPL-3.0-or-later
// Any line of /proc/PID/maps: the path taken from it lies inside the line.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/maps_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    if (auto path = sonatrix::MappedFilePath(line)) {
        if (path->empty() || path->front() != '/' || line.find(*path) == std::string_view::npos)
            std::abort();
    }
    return 0;
}
