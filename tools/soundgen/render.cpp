// SPDX-License-Identifier: GPL-3.0-or-later
#include "render.h"

#include <algorithm>
#include <cmath>

namespace sonatrix::soundgen {

std::vector<std::int16_t> Render(const Recipe& recipe) {
    Rng rng(SeedOf(recipe.path));
    Samples sound = recipe.make(rng);
    const std::size_t length = static_cast<std::size_t>(SampleCount(recipe.seconds));
    if (sound.size() > length) {
        // A tail that rings past the length dies away instead of stopping.
        const std::size_t fade = std::min(length / 4, static_cast<std::size_t>(SampleCount(0.04)));
        for (std::size_t i = 0; i < fade; ++i)
            sound[length - fade + i] *= static_cast<double>(fade - i) / static_cast<double>(fade);
    }
    sound.resize(length, 0.0);
    FadeEnds(sound);

    double loudest = 0.0;
    for (double s : sound)
        loudest = std::max(loudest, std::fabs(s));
    const double gain = loudest > 0.0 ? recipe.peak * 32767.0 / loudest : 0.0;

    std::vector<std::int16_t> pcm(sound.size());
    for (std::size_t i = 0; i < sound.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::floor(sound[i] * gain + 0.5));
    return pcm;
}

}  // namespace sonatrix::soundgen
