// SPDX-License-Identifier: GPL-3.0-or-later
// Loudness as a reader we did not write measures it: FFmpeg's ebur128 filter.
#pragma once

#include <algorithm>
#include <limits>
#include <regex>
#include <string>

#include "command_output.h"

namespace sonatrix::testing {

// The largest momentary loudness FFmpeg reports for the file, a mono file
// taken as dual mono (as the program measures it, as it plays on two
// speakers).
inline double FfmpegMomentaryMax(const std::string& file) {
    const std::string log = CommandOutput("ffmpeg -nostats -i '" + file +
                                          "' -af ebur128=peak=true:dualmono=true -f null - 2>&1");
    double most = -std::numeric_limits<double>::infinity();
    const std::regex momentary(R"( M: *(-?[0-9.]+))");
    for (std::sregex_iterator at(log.begin(), log.end(), momentary), end; at != end; ++at)
        most = std::max(most, std::stod((*at)[1]));
    return most;
}

}  // namespace sonatrix::testing
