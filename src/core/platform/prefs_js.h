// SPDX-License-Identifier: GPL-3.0-or-later
// Thunderbird's prefs.js, in Mozilla's grammar: `user_pref("name", value);`
// statements, with comments and whitespace between them. One value is read
// or set while every other byte of the file stays as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace sonatrix {

// A pref's value: a boolean, a 32-bit integer, or a string (its bytes, UTF-8
// as Mozilla keeps them).
using PrefValue = std::variant<bool, std::int32_t, std::string>;

// The value that the last well-formed `user_pref` statement of `name` gives
// in `text`, read as Mozilla's parser reads it (both quotes, its escapes,
// the three kinds of comment, a statement it cannot parse passed over up
// to the next ";"); nothing when no statement sets it.
std::optional<PrefValue> UserPrefValue(std::string_view text, std::string_view name);

// `text` with `name` set to `value`: the value of the statement that sets
// it now rewritten in place, or, when none does, a line
// `user_pref("name", value);` added at the end in the file's own line
// ending. Every other byte is kept. Nothing when Mozilla would not read the
// value back from the result (a file that ends inside a comment or a
// string, or a string value holding a NUL byte).
std::optional<std::string> WithUserPref(std::string_view text, std::string_view name,
                                        const PrefValue& value);

// `value` as a prefs.js value: true/false, a decimal integer, or a string
// in double quotes escaped as Mozilla writes it (\" \\ \n \r), any other
// control character as \xNN. A string must not hold a NUL byte, which
// Mozilla cannot read back.
std::string PrefsJsLiteral(const PrefValue& value);

}  // namespace sonatrix
