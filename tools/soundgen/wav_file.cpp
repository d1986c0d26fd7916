#include "wav_file.h"

namespace sonatrix::soundgen {
namespace {

// Little-endian whatever the machine.
void PutLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeWav16(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate) {
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBits = 16;
    constexpr std::uint32_t kBlockAlign = kChannels * kBits / 8;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size()) * kBlockAlign;

    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    PutLE(out, 36 + dataBytes, 4);
    out += "WAVE";
    out += "fmt ";
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);  // PCM
    PutLE(out, kChannels, 2);
    PutLE(out, sampleRate, 4);
    PutLE(out, sampleRate * kBlockAlign, 4);
    PutLE(out, kBlockAlign, 2);
    PutLE(out, kBits, 2);
    out += "data";
    PutLE(out, dataBytes, 4);
    for (std::int16_t s : samples)
        PutLE(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

}  // namespace sonatrix::soundgen
