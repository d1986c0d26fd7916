// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sonatrix {

// The value of the hexadecimal digit `c`, either case; -1 for any other
// character.
inline int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace sonatrix
