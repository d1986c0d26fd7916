// SPDX-License-Identifier: GPL-3.0-or-later
// Where QQ's per-account settings file says QQ takes "msg.wav" from.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sonatrix {

// The bytes from a drive letter on that can belong to one recorded path.
inline constexpr std::size_t kConfigDbWindow = 256;

// The first single-byte Windows path in `bytes` that names "msg.": a
// candidate is an upper-case drive letter "C".."Z" followed by ":", its
// window the 256 bytes from the letter on, cut at the first zero byte. Of
// the first window holding "msg.", the part up to "msg." and three more
// bytes is taken, and its folder part (GBK rules, separator kept) returned.
// Empty when no window holds "msg.".
std::string RecordedSoundFolder(std::string_view bytes);

}  // namespace sonatrix
