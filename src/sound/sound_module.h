// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module (sonatrix-sound): the program's playing and recording,
// everything that needs Qt Multimedia and the sound server's libraries. The
// program loads it the first time a sound plays or the recorder starts
// (src/gui/sound_module_loader.h), so that a start loads none of them. This
// is what the two sides know of each other.
#pragma once

#include <QtPlugin>
#include <functional>
#include <memory>
#include <string>

#include "library/audio_capture.h"
#include "platform/sound_decoder.h"
#include "platform/sound_player.h"

namespace sonatrix::gui {

// What a preview asks of the program's decoding helper: a sound that cannot
// be played as it is plays from a PCM copy.
class PreviewDecoder {
  public:
    using Done = std::function<void(const DecodeResult&)>;
    virtual ~PreviewDecoder() = default;
    // On the window's thread: starts decoding `source` into `wav` and
    // returns; `done` is called on this thread once it is decoded, failed
    // or cancelled. A decoding still in hand is cancelled.
    virtual void DecodeLater(const std::string& source, const std::string& wav, Done done) = 0;
    // Cancels the decoding in hand, if any.
    virtual void Cancel() = 0;
};

class SoundModule {
  public:
    virtual ~SoundModule() = default;
    // The preview player. Without a `decoder`, a sound that cannot be
    // played as it is gives the alert.
    virtual std::unique_ptr<SoundPlayer> MakePlayer(PreviewDecoder* decoder) = 0;
    virtual std::unique_ptr<AudioCapture> MakeCapture() = 0;
};

}  // namespace sonatrix::gui

#define SONATRIX_SOUND_MODULE_IID "org.sonatrix.SoundModule/1"
Q_DECLARE_INTERFACE(sonatrix::gui::SoundModule, SONATRIX_SOUND_MODULE_IID)
