// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a recipe into the 16-bit samples of its file.
#pragma once

#include <cstdint>
#include <vector>

#include "recipes.h"

namespace sonatrix::soundgen {

// The recipe's sound, cut or padded to its length, faded at both ends and
// scaled so that its loudest sample is its peak level. Seeded from the
// recipe's path, so the same path always gives the same samples.
std::vector<std::int16_t> Render(const Recipe& recipe);

}  // namespace sonatrix::soundgen
