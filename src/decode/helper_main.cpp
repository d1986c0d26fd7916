// SPDX-License-Identifier: GPL-3.0-or-later
// sonatrix-decode: converts sound files into 16-bit PCM WAV files for
// Sonatrix, one request after another. It runs as a process of its own so
// that a file that breaks the decoder cannot take the program down; the
// program ends it when it stops answering and starts another. Requests and
// answers are helper_protocol's (platform/sound_decoder.h), on the standard
// input and output.
#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "platform/sound_decoder.h"
#include "sound_conversion.h"
#include "wav_file_sink.h"

namespace {

using Clock = std::chrono::steady_clock;

void Say(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string Convert(const std::string& source, const std::string& wav) {
    namespace protocol = sonatrix::helper_protocol;
    Say(protocol::kProgress);
    Clock::time_point said = Clock::now();
    const sonatrix::decode::Heartbeat heartbeat = [&said] {
        const Clock::time_point now = Clock::now();
        if (now - said >= std::chrono::milliseconds(protocol::kBeatMs)) {
            Say(protocol::kProgress);
            said = now;
        }
    };
    sonatrix::decode::WavFileSink sink(wav);
    return sonatrix::decode::ConvertSound(source, sink, heartbeat);
}

}  // namespace

int main() {
    sonatrix::decode::QuietFfmpeg();
    std::string source;
    std::string wav;
    while (std::getline(std::cin, source, '\0') && std::getline(std::cin, wav, '\0')) {
        std::string reason;
        try {
            reason = Convert(source, wav);
        } catch (const std::exception&) {
            reason = sonatrix::kDecodingFailed;
        }
        Say(reason.empty() ? std::string(sonatrix::helper_protocol::kDone)
                           : sonatrix::helper_protocol::kFailed + reason);
    }
    return 0;
}
