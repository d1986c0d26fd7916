// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/error_text.h"

namespace sonatrix {

std::string TrimmedErrorText(std::string text) {
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last > ' ' && last != '.' && last != 0x7F)
            break;
        text.pop_back();
    }
    return text;
}

}  // namespace sonatrix
