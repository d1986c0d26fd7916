// SPDX-License-Identifier: GPL-3.0-or-later
// Asynchronous playback of one sound at a time.
#pragma once

#include <string>

namespace sonatrix {

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Starts playing the WAV file at `path` and returns at once; a sound
    // still playing is cut off. A file that cannot be played gives the
    // system's default sound.
    virtual void PlayAsync(const std::string& path) = 0;
};

}  // namespace sonatrix
