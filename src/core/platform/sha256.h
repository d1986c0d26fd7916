// SPDX-License-Identifier: GPL-3.0-or-later
// The SHA-256 digest, from the platform's own implementation: the store of
// originals names every content it keeps by it.
#pragma once

#include <string>
#include <string_view>

namespace sonatrix {

// The digest of `bytes` as 64 lower-case hexadecimal digits; empty in the
// unlikely case that the system cannot compute it.
std::string Sha256Hex(std::string_view bytes);

}  // namespace sonatrix
