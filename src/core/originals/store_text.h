// SPDX-License-Identifier: GPL-3.0-or-later
// The line format of the store's small text files. Names and paths are
// bytes of any kind, so the few bytes that would break a line are written
// as %XX.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

// `text` with control bytes, DEL and "%" written as "%XX".
std::string EscapedText(std::string_view text);
// The bytes an escaped text stands for; nothing when it is malformed.
std::optional<std::string> UnescapedText(std::string_view escaped);

// The lines of `text`, each without its "\n". A last line without its
// "\n" was cut short and is left out.
std::vector<std::string_view> CompleteLines(std::string_view text);

// Splits "key rest" at the first blank; false when there is no blank.
bool SplitField(std::string_view line, std::string_view& key, std::string_view& rest);

}  // namespace sonatrix
