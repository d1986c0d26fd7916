// SPDX-License-Identifier: GPL-3.0-or-later
// The decoding and batch services of the core, for core tests that cannot
// reach the program's decoder: a stand-in decoder that reads a small text
// description of a sound, and a batch that runs each step at once.
#pragma once

#include <atomic>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "library/wav_header.h"
#include "model/batch_progress.h"
#include "platform/sound_decoder.h"

namespace sonatrix::testing {

// Decodes files holding "TONE <channels> <rate> <frames>" into a WAV of
// that many frames of a ramp; runs out of memory on "HUGE"; says
// kNotASoundFile of anything else.
class StandInDecoder : public SoundDecoder {
  public:
    DecodeResult Decode(const std::string& source, const std::string& wav,
                        const std::atomic<bool>& stop) override {
        ++calls;
        DecodeResult result;
        unsigned channels = 0, rate = 0, frames = 0;
        std::FILE* file = std::fopen(source.c_str(), "rb");
        char word[5] = {};
        const bool parsed =
            file && std::fscanf(file, "TONE %u %u %u", &channels, &rate, &frames) == 3;
        const bool huge = file && !parsed && std::fseek(file, 0, SEEK_SET) == 0 &&
                          std::fread(word, 1, 4, file) == 4 && std::string(word) == "HUGE";
        if (file)
            std::fclose(file);
        if (huge)
            throw std::bad_alloc();
        if (!parsed || stop) {
            result.reason = kNotASoundFile;
            return result;
        }
        std::string samples;
        for (unsigned i = 0; i < frames * channels; ++i) {
            samples.push_back(static_cast<char>(i & 0xFF));
            samples.push_back(static_cast<char>((i >> 8) & 0xFF));
        }
        result.ok = WritePcmWavFile(wav, static_cast<std::uint16_t>(channels),
                                    static_cast<std::int32_t>(rate), samples) == 0;
        return result;
    }
    int calls = 0;
};

// Runs each step on the calling thread. With `cancelAt` set, that step
// runs as a cancel arrives: its work sees `stop` set and the batch ends.
class InlineProgress : public BatchProgress {
  public:
    void Begin(int total) override {
        totals.push_back(total);
        running = true;
    }
    bool Run(int done, const std::string& name, const Work& work) override {
        names.push_back(name);
        const std::atomic<bool> stop{done == cancelAt};
        work(stop);
        return !stop;
    }
    void End() override {
        ++ended;
        running = false;
    }
    bool Running() const override { return running; }
    void StopForClosing() override {}
    bool Closing() const override { return false; }

    int cancelAt = -1;
    std::vector<int> totals;
    std::vector<std::string> names;
    int ended = 0;
    bool running = false;
};

}  // namespace sonatrix::testing
