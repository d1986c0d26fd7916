// SPDX-License-Identifier: GPL-3.0-or-later
// Capturing sound into a WAV file: PCM, mono, 8 bits, 22050 samples per
// second, appended after the header the recorder wrote.
#pragma once

#include <cstdint>
#include <string>

namespace sonatrix {

class AudioCapture {
  public:
    virtual ~AudioCapture() = default;

    // Opens the recording source and starts appending samples to `wavFile`,
    // which holds a header; returns at once. Returns 0, or an error code
    // when no source can be opened.
    virtual int Start(const std::string& wavFile) = 0;
    // Stops, first writing what the source still holds (it may deliver only
    // once per buffer period). Returns 0, or an error code when the source
    // failed while recording or the file could not be written.
    virtual int Stop() = 0;
    // Sample bytes written to the file since the last Start.
    virtual std::uint64_t BytesCaptured() const = 0;

    // The media-player bar's gestures on an open source: halt and go on.
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
};

// The current local date and time printed as the user's settings print
// them: the short date format, a space, the long time format.
class LocalTimeText {
  public:
    virtual ~LocalTimeText() = default;
    virtual std::string Now() = 0;
};

}  // namespace sonatrix
