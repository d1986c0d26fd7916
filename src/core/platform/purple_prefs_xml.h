// SPDX-License-Identifier: GPL-3.0-or-later
// Pidgin's prefs.xml, as libpurple writes it: nested <pref name='…'>
// elements below <pref version='1' name='/'>, a leaf holding type='…' and
// value='…'. One pref is read or set in place; the rest of the file is not
// reformatted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonatrix {

// The value of the pref `path` ("/pidgin/sound/file/im_recv"), its entities
// decoded; nothing when the file holds no such pref or is not well-formed
// XML (libpurple then reads none of it).
std::optional<std::string> PurplePrefValue(std::string_view xml, std::string_view path);

// `xml` with the pref `path` of `type` ("path", "bool") holding `value`:
// the attributes of its element rewritten in place, or, when it is missing,
// its element (and any missing parent) added as the last child of the
// nearest parent there is, indented as libpurple indents. Every other byte
// is kept. Nothing when `xml` is not well-formed or has no root pref.
std::optional<std::string> WithPurplePref(std::string_view xml, std::string_view path,
                                          std::string_view type, std::string_view value);

}  // namespace sonatrix
