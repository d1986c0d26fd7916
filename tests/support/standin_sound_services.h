// The decoding and batch services of the core, for core tests that cannot
// reach the windows' decoder: a stand-in decoder that reads a small text
// description of a sound, and a batch that runs each step at once.
#pragma once

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "model/batch_progress.h"
#include "platform/sound_decoder.h"

namespace sonatrix::testing {

// Decodes files holding "TONE <channels> <rate> <frames>" into that many
// frames of a ramp; says kNotASoundFile of anything else.
class StandInDecoder : public SoundDecoder {
  public:
    DecodeResult Decode(const std::string& path, const std::atomic<bool>& stop) override {
        ++calls;
        DecodeResult result;
        unsigned channels = 0, rate = 0, frames = 0;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const bool parsed =
            file && std::fscanf(file, "TONE %u %u %u", &channels, &rate, &frames) == 3;
        if (file)
            std::fclose(file);
        if (!parsed || stop) {
            result.reason = kNotASoundFile;
            return result;
        }
        result.ok = true;
        result.sound.channels = static_cast<std::uint16_t>(channels);
        result.sound.sampleRate = static_cast<std::int32_t>(rate);
        for (unsigned i = 0; i < frames * channels; ++i) {
            result.sound.samples.push_back(static_cast<char>(i & 0xFF));
            result.sound.samples.push_back(static_cast<char>((i >> 8) & 0xFF));
        }
        return result;
    }
    int calls = 0;
};

// Runs each step on the calling thread. With `cancelAt` set, that step
// runs as a cancel arrives: its work sees `stop` set and the batch ends.
class InlineProgress : public BatchProgress {
  public:
    void Begin(int total) override { totals.push_back(total); }
    bool Run(int done, const std::string& name, const Work& work) override {
        names.push_back(name);
        const std::atomic<bool> stop{done == cancelAt};
        work(stop);
        return !stop;
    }
    void End() override { ++ended; }

    int cancelAt = -1;
    std::vector<int> totals;
    std::vector<std::string> names;
    int ended = 0;
};

}  // namespace sonatrix::testing
