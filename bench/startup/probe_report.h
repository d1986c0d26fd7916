// SPDX-License-Identifier: GPL-3.0-or-later
// What a start-up probe tells the benchmark that started it, in the file
// SONATRIX_PROBE_REPORT names: "key value" lines.
#pragma once

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

namespace sonatrix::bench {

// The shared objects this process has mapped, as ldd would list them (the
// dynamic linker's own among them): what the start has loaded so far.
inline std::set<std::string> LoadedLibraries() {
    std::set<std::string> found;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        const std::size_t slash = line.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string path = line.substr(slash);
        const std::size_t so = path.rfind(".so");
        if (so != std::string::npos && (so + 3 == path.size() || path[so + 3] == '.'))
            found.insert(path);
    }
    return found;
}

// Appends `key value` to the report, when one is asked for.
inline void Report(const std::string& key, const std::string& value) {
    if (const char* file = std::getenv("SONATRIX_PROBE_REPORT"))
        std::ofstream(file, std::ios::app) << key << ' ' << value << '\n';
}

// The libraries loaded now: their count, and each one's path.
inline void ReportLoadedLibraries() {
    const std::set<std::string> libraries = LoadedLibraries();
    Report("libraries", std::to_string(libraries.size()));
    for (const std::string& library : libraries)
        Report("library", library);
}

}  // namespace sonatrix::bench
