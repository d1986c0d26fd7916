// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace sonatrix {

// A system message as the program shows it: without the trailing blanks,
// control characters and "." that the system's texts end with.
std::string TrimmedErrorText(std::string text);

}  // namespace sonatrix
