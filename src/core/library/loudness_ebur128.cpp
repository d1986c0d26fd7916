// SPDX-License-Identifier: GPL-3.0-or-later
// The meter is libebur128, the EBU R 128 reference implementation that
// FFmpeg and most players measure with.
#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "library/loudness.h"

namespace sonatrix {
namespace {

struct MeterDeleter {
    void operator()(ebur128_state* meter) const { ebur128_destroy(&meter); }
};

double Decibels(double linear) {
    return linear > 0 ? 20 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

}  // namespace

std::optional<Loudness> MeasureLoudness(std::string_view file, const PcmLayoutOfFile& layout) {
    const std::unique_ptr<ebur128_state, MeterDeleter> meter(
        ebur128_init(layout.channels, layout.sampleRate, EBUR128_MODE_M | EBUR128_MODE_TRUE_PEAK));
    if (!meter)
        return std::nullopt;
    if (layout.channels == 1 && ebur128_set_channel(meter.get(), 0, EBUR128_DUAL_MONO) != 0)
        return std::nullopt;

    // The meter's own 100 ms, so that every reading ends a block of it.
    const std::size_t step = (layout.sampleRate + 5) / 10;
    const std::size_t pad = 4 * step;
    const std::size_t frames = pad + layout.frames + pad + (step - layout.frames % step) % step;
    std::vector<float> samples((frames)*layout.channels, 0.0f);
    const std::vector<float> sound = PcmSamples(file, layout);
    std::copy(sound.begin(), sound.end(), samples.begin() + pad * layout.channels);

    Loudness loudness{-std::numeric_limits<double>::infinity(), 0};
    for (std::size_t at = 0; at < frames; at += step) {
        double momentary = 0;
        if (ebur128_add_frames_float(meter.get(), samples.data() + at * layout.channels, step) !=
                0 ||
            ebur128_loudness_momentary(meter.get(), &momentary) != 0)
            return std::nullopt;
        loudness.momentaryMax = std::max(loudness.momentaryMax, momentary);
    }
    double peak = 0;
    for (unsigned channel = 0; channel < layout.channels; ++channel) {
        double channelPeak = 0;
        if (ebur128_true_peak(meter.get(), channel, &channelPeak) != 0)
            return std::nullopt;
        peak = std::max(peak, channelPeak);
    }
    loudness.truePeak = Decibels(peak);
    return loudness;
}

}  // namespace sonatrix
