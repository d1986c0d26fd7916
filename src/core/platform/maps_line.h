// SPDX-License-Identifier: GPL-3.0-or-later
// One line of /proc/PID/maps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonatrix {

// The file path a maps line names, or nothing for an anonymous mapping or a
// pseudo-entry ("[heap]", "[stack]", "[vdso]", "[anon:...]", "/memfd:...").
// The path is everything after the five fields and their padding, inner
// spaces kept; a trailing " (deleted)" is dropped; the kernel's "\012" for
// a newline is kept as written.
std::optional<std::string> MappedFilePath(std::string_view line);

// The same path as a view into `line`: the process walk reads hundreds of
// lines per process and keeps only the first of each file.
std::optional<std::string_view> MappedFilePathIn(std::string_view line);

}  // namespace sonatrix
