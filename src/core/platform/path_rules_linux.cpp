// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/path_pieces.h"

namespace sonatrix {

// UTF-8 never has a 0x5C trail byte, so no double-byte rule is needed here.
const PathRules& NativeRules() {
    static const PathRules rules{'/', false, false};
    return rules;
}

}  // namespace sonatrix
