// SPDX-License-Identifier: GPL-3.0-or-later
// How loud a short sound is. Integrated loudness gates a sound under about
// three seconds away (a 0.2 s chime reads -70 LUFS) and moves with trailing
// silence, so sounds are compared by their largest momentary loudness:
// K-weighted (ITU-R BS.1770), 400 ms windows every 100 ms, the sound padded
// with silence on both sides so that one shorter than a window still
// fills one. A mono sound is measured as dual mono, as it plays on two
// speakers. The true peak bounds any gain.
#pragma once

#include <optional>
#include <string_view>

#include "library/pcm_samples.h"

namespace sonatrix {

// The largest momentary loudness in LUFS, minus infinity for digital
// silence. Nothing when the meter cannot measure this layout (a rate it does
// not take), or the program was built without one.
std::optional<double> MomentaryMax(std::string_view file, const PcmLayoutOfFile& layout);

// The true peak in dBTP (4 times oversampled), minus infinity for digital
// silence. It costs several times what the loudness does: it is measured
// only where a gain would raise the sound.
std::optional<double> TruePeak(std::string_view file, const PcmLayoutOfFile& layout);

}  // namespace sonatrix
