// SPDX-License-Identifier: GPL-3.0-or-later
// What a command run by the system's shell prints, for the tests that read
// back what the program wrote with the system's own tools.
#pragma once

#include <cstdio>
#include <string>

namespace sonatrix::testing {

inline std::string CommandOutput(const std::string& command) {
#ifdef _WIN32
    FILE* pipe = ::_popen(command.c_str(), "r");
#else
    FILE* pipe = ::popen(command.c_str(), "r");
#endif
    std::string out;
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
#ifdef _WIN32
    ::_pclose(pipe);
#else
    ::pclose(pipe);
#endif
    return out;
}

}  // namespace sonatrix::testing
