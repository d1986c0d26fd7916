// SPDX-License-Identifier: GPL-3.0-or-later
// The C runtime converts narrow names with its own locale, "C" at start,
// which takes every byte for the code point of the same value; the Win32
// A-functions that the core calls use the ANSI code page. Switching the
// runtime to the user's locale makes std::filesystem in the tests and the
// core name the same files.
#include <clocale>

namespace {
const bool kRuntimeUsesTheAnsiCodePage = std::setlocale(LC_CTYPE, "") != nullptr;
}  // namespace
