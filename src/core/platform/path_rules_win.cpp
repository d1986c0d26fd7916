// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "platform/path_pieces.h"

namespace sonatrix {

// Narrow paths are in the ANSI code page: on a double-byte one (GBK and its
// kin) a trail byte may be 0x5C and is then no separator.
const PathRules& NativeRules() {
    static const PathRules rules{'\\', true, IsDBCSLeadByte(0x81) != FALSE};
    return rules;
}

}  // namespace sonatrix
