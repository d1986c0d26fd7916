// The platform's decoder of audio files for the core's SoundDecoder.
#pragma once

#include <memory>

#include "platform/sound_decoder.h"

namespace sonatrix::gui {

std::unique_ptr<SoundDecoder> MakeSoundDecoder();

}  // namespace sonatrix::gui
