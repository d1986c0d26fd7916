// SPDX-License-Identifier: GPL-3.0-or-later
// sonatrix-decode: converts one sound file into a 16-bit PCM WAV file for
// Sonatrix. It runs as a process of its own, one for each file, so that a
// file that breaks the decoder cannot take the program down, and it
// confines itself before FFmpeg reads the file, so that a file that takes
// the decoder over reaches nothing else. The request and the answers are
// helper_protocol's (platform/sound_decoder.h), on the standard input and
// output.
//
// For the tests, SONATRIX_DECODE_SHOW set makes it also say what confines
// it ("confined ...") and which decoders it opened ("decoder <name>"), and
// SONATRIX_DECODE_TRY=<call> makes it try a forbidden call once confined
// (confinement.h).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "confinement.h"
#include "platform/sound_decoder.h"
#include "sound_conversion.h"
#include "wav_file_sink.h"

namespace {

namespace protocol = sonatrix::helper_protocol;
using Clock = std::chrono::steady_clock;

void Say(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class Watcher : public sonatrix::decode::ConversionWatcher {
  public:
    explicit Watcher(bool show) : show_(show) {}
    void Working() override {
        const Clock::time_point now = Clock::now();
        if (now - said_ >= std::chrono::milliseconds(protocol::kBeatMs)) {
            Say(protocol::kProgress);
            said_ = now;
        }
    }
    void Stated(std::int64_t seconds) override { Say(protocol::kLength + std::to_string(seconds)); }
    void Opened(const char* decoder) override {
        if (show_)
            Say(std::string("decoder ") + decoder);
    }

  private:
    bool show_;
    Clock::time_point said_ = Clock::now();
};

std::string Convert(const std::string& source, const std::string& wav, bool show,
                    Watcher& watcher) {
    namespace decode = sonatrix::decode;
    Say(protocol::kProgress);
    decode::InputFile input;
    std::int64_t bytes = 0;
    if (std::string reason = decode::OpenSoundFile(source, watcher, input, bytes); !reason.empty())
        return reason;
    decode::WavFileSink sink(wav);
    if (std::string reason = sink.Open(); !reason.empty())
        return reason;
    // The CPU time of the longest time the program gives a file of this
    // size: a helper the program has lost cannot run on.
    const std::int64_t cpuMs = sonatrix::DecodeDeadlineMs(sonatrix::DecodeTimeRule{}, bytes,
                                                          sonatrix::kLongestSoundSeconds);
    const std::string confinedBy = decode::Confine(static_cast<int>(cpuMs / 1000 + 1));
    if (confinedBy.empty())
        return sonatrix::kDecodingFailed;
    if (show)
        Say("confined " + confinedBy);
    if (const char* call = std::getenv("SONATRIX_DECODE_TRY"))
        Say(decode::TryForbidden(call, source));
    return decode::ConvertSound(input.get(), source, sink, watcher);
}

}  // namespace

int main() {
    sonatrix::decode::QuietFfmpeg();
    std::string source;
    std::string wav;
    if (!std::getline(std::cin, source, '\0') || !std::getline(std::cin, wav, '\0'))
        return 0;
    const bool show = std::getenv("SONATRIX_DECODE_SHOW") != nullptr;
    Watcher watcher(show);
    std::string reason;
    try {
        reason = Convert(source, wav, show, watcher);
    } catch (const std::exception&) {
        reason = sonatrix::kDecodingFailed;
    }
    Say(reason.empty() ? std::string(protocol::kDone) : protocol::kFailed + reason);
    // Ends at once: what an ordinary exit does besides (a sanitizer's leak
    // check) needs calls a confined process may no longer make.
    std::_Exit(0);
}
