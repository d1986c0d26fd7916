// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"

namespace sonatrix {

std::string InvalidDataTypeText(const std::string& valueName) {
    return "Invalid data type for '" + valueName + "'";
}

}  // namespace sonatrix
