// SPDX-License-Identifier: GPL-3.0-or-later
// A Windows build made without libebur128's archive: nothing is measured,
// and every sound is written as it is (the message says why).
#include "library/loudness.h"

namespace sonatrix {

std::optional<double> MomentaryMax(std::string_view, const PcmLayoutOfFile&) {
    return std::nullopt;
}

std::optional<double> TruePeak(std::string_view, const PcmLayoutOfFile&) {
    return std::nullopt;
}

}  // namespace sonatrix
