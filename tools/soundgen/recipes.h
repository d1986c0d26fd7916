// SPDX-License-Identifier: GPL-3.0-or-later
// The design of every sound the program folder ships: one recipe per file.
#pragma once

#include <span>
#include <string_view>

#include "dsp.h"
#include "rng.h"

namespace sonatrix::soundgen {

struct Recipe {
    const char* path;  // under the program folder, backslash-separated
    double seconds;    // exact length of the finished file
    double peak;       // loudest sample, as a fraction of full scale
    Samples (*make)(Rng& rng);
};

std::span<const Recipe> Recipes();
// The recipe of the file at `path` (backslash-separated, exact case), or
// nullptr when the generator has none.
const Recipe* FindRecipe(std::string_view path);

}  // namespace sonatrix::soundgen
