// SPDX-License-Identifier: GPL-3.0-or-later
// The meter is libebur128, the EBU R 128 reference implementation that
// FFmpeg and most players measure with.
#include "library/loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace sonatrix {
namespace {

constexpr double kSilence = -std::numeric_limits<double>::infinity();

struct MeterDeleter {
    void operator()(ebur128_state* meter) const { ebur128_destroy(&meter); }
};
using Meter = std::unique_ptr<ebur128_state, MeterDeleter>;

Meter MeterFor(const PcmLayoutOfFile& layout, int mode) {
    Meter meter(ebur128_init(layout.channels, layout.sampleRate, mode));
    if (meter && layout.channels == 1 &&
        ebur128_set_channel(meter.get(), 0, EBUR128_DUAL_MONO) != EBUR128_SUCCESS)
        meter.reset();
    return meter;
}

// Feeds the sound to `meter` between 0.4 s of silence on either side, in
// the meter's own 100 ms blocks (so that every momentary reading ends one),
// calling `afterBlock` after each. False when the meter fails.
template <typename AfterBlock>
bool Feed(ebur128_state* meter, std::string_view file, const PcmLayoutOfFile& layout,
          AfterBlock afterBlock) {
    const std::size_t block = (layout.sampleRate + 5) / 10;
    const std::size_t pad = 4 * block;
    const std::size_t frames = pad + layout.frames + pad;
    std::vector<float> samples;
    // Block by block: a long sound never needs all its samples at once.
    for (std::size_t at = 0; at < frames; at += block) {
        samples.assign(block * layout.channels, 0.0f);
        // The padding is whole blocks: a block holds sound from its start.
        if (at >= pad && at - pad < layout.frames) {
            const std::vector<float> sound = PcmSamples(file, layout, at - pad, block);
            std::copy(sound.begin(), sound.end(), samples.begin());
        }
        if (ebur128_add_frames_float(meter, samples.data(), block) != EBUR128_SUCCESS ||
            !afterBlock())
            return false;
    }
    return true;
}

}  // namespace

std::optional<double> MomentaryMax(std::string_view file, const PcmLayoutOfFile& layout) {
    const Meter meter = MeterFor(layout, EBUR128_MODE_M);
    double most = kSilence;
    const auto read = [&] {
        double momentary = 0;
        if (ebur128_loudness_momentary(meter.get(), &momentary) != EBUR128_SUCCESS)
            return false;
        most = std::max(most, momentary);
        return true;
    };
    if (!meter || !Feed(meter.get(), file, layout, read))
        return std::nullopt;
    return most;
}

std::optional<double> TruePeak(std::string_view file, const PcmLayoutOfFile& layout) {
    const Meter meter = MeterFor(layout, EBUR128_MODE_TRUE_PEAK);
    if (!meter || !Feed(meter.get(), file, layout, [] { return true; }))
        return std::nullopt;
    double most = 0;
    for (unsigned channel = 0; channel < layout.channels; ++channel) {
        double peak = 0;
        if (ebur128_true_peak(meter.get(), channel, &peak) != EBUR128_SUCCESS)
            return std::nullopt;
        most = std::max(most, peak);
    }
    return most > 0 ? 20 * std::log10(most) : kSilence;
}

}  // namespace sonatrix
