// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/pcm_samples.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace sonatrix {
namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

std::uint32_t Le(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void PutLe(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

int BytesPerSample(SampleFormat format) {
    switch (format) {
        case SampleFormat::UInt8:
            return 1;
        case SampleFormat::Int16:
            return 2;
        case SampleFormat::Int24:
            return 3;
        case SampleFormat::Int32:
        case SampleFormat::Float32:
            return 4;
    }
    return 0;
}

// The format a "fmt " chunk names, when it is one of ours.
std::optional<SampleFormat> FormatOf(std::uint16_t tag, std::uint16_t bits) {
    if (tag == kTagFloat)
        return bits == 32 ? std::optional(SampleFormat::Float32) : std::nullopt;
    if (tag != kTagPcm)
        return std::nullopt;
    switch (bits) {
        case 8:
            return SampleFormat::UInt8;
        case 16:
            return SampleFormat::Int16;
        case 24:
            return SampleFormat::Int24;
        case 32:
            return SampleFormat::Int32;
        default:
            return std::nullopt;
    }
}

// An integer sample's full scale: the value that reads as 1.
double FullScale(SampleFormat format) {
    return std::ldexp(1.0, 8 * BytesPerSample(format) - 1);
}

// The signed value of the integer sample at `at`.
std::int64_t IntegerAt(std::string_view file, std::size_t at, SampleFormat format) {
    const int bytes = BytesPerSample(format);
    const std::uint32_t raw = Le(file, at, bytes);
    if (format == SampleFormat::UInt8)
        return static_cast<std::int64_t>(raw) - 128;
    const int unused = 32 - 8 * bytes;
    return static_cast<std::int32_t>(raw << unused) >> unused;
}

float FloatAt(std::string_view file, std::size_t at) {
    const float value = std::bit_cast<float>(Le(file, at, 4));
    return std::isfinite(value) ? value : 0.0f;
}

}  // namespace

std::optional<PcmLayoutOfFile> ReadPcmLayout(std::string_view file) {
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<PcmLayoutOfFile> layout;
    // Chunks of any kind (LIST, fact, JUNK) may come before, between and
    // after the two that count.
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t body = at + 8;
        const std::size_t size = std::min<std::size_t>(Le(file, at + 4, 4), file.size() - body);
        if (id == "fmt " && size >= 16) {
            std::uint16_t tag = static_cast<std::uint16_t>(Le(file, body, 2));
            // The extensible format names its samples by the first two
            // bytes of a GUID: 1 and 3 as for the plain tags.
            if (tag == kTagExtensible)
                tag = size >= 40 ? static_cast<std::uint16_t>(Le(file, body + 24, 2)) : 0;
            const auto channels = static_cast<std::uint16_t>(Le(file, body + 2, 2));
            const std::uint32_t rate = Le(file, body + 4, 4);
            const std::uint32_t blockAlign = Le(file, body + 12, 2);
            const std::optional<SampleFormat> format =
                FormatOf(tag, static_cast<std::uint16_t>(Le(file, body + 14, 2)));
            if (!format || channels == 0 || rate == 0 ||
                blockAlign != channels * static_cast<std::uint32_t>(BytesPerSample(*format)))
                return std::nullopt;
            layout = PcmLayoutOfFile{*format, channels, rate, 0, 0};
        } else if (id == "data") {
            if (!layout)
                return std::nullopt;
            layout->dataOffset = body;
            // A data size beyond the file's end counts what is there.
            layout->frames = size / (layout->channels * BytesPerSample(layout->format));
            return layout;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::vector<float> PcmSamples(std::string_view file, const PcmLayoutOfFile& layout,
                              std::size_t first, std::size_t count) {
    const int bytes = BytesPerSample(layout.format);
    first = std::min(first, layout.frames);
    count = std::min(count, layout.frames - first) * layout.channels;
    std::vector<float> samples(count);
    const double scale = 1.0 / FullScale(layout.format);
    for (std::size_t i = 0, at = layout.dataOffset + first * layout.channels * bytes; i < count;
         ++i, at += bytes)
        samples[i] = layout.format == SampleFormat::Float32
                         ? FloatAt(file, at)
                         : static_cast<float>(IntegerAt(file, at, layout.format) * scale);
    return samples;
}

std::string WithGain(std::string_view file, const PcmLayoutOfFile& layout, double gainDb) {
    std::string out(file);
    const double gain = std::pow(10.0, gainDb / 20.0);
    const int bytes = BytesPerSample(layout.format);
    const std::size_t count = layout.frames * layout.channels;
    if (layout.format == SampleFormat::Float32) {
        for (std::size_t i = 0, at = layout.dataOffset; i < count; ++i, at += bytes)
            PutLe(out, at,
                  std::bit_cast<std::uint32_t>(static_cast<float>(FloatAt(file, at) * gain)), 4);
        return out;
    }
    // Below 24 bits a plain rounding would be heard as distortion that
    // follows the sound; adding two uniform numbers of one step each
    // (triangular, within ±1 step) turns it into a steady faint noise.
    // They are the halves of one draw of xorshift64: the standard engines
    // cost more than the gain itself.
    const bool dither = bytes <= 2;
    std::uint64_t random = 0x9E3779B97F4A7C15u;
    constexpr double kPerDraw = 1.0 / 4294967296.0;
    const double most = FullScale(layout.format) - 1;
    const double least = -FullScale(layout.format);
    for (std::size_t i = 0, at = layout.dataOffset; i < count; ++i, at += bytes) {
        double value = static_cast<double>(IntegerAt(file, at, layout.format)) * gain;
        if (dither) {
            random ^= random << 13;
            random ^= random >> 7;
            random ^= random << 17;
            value +=
                (static_cast<double>(random >> 32) + static_cast<double>(random & 0xFFFFFFFFu)) *
                    kPerDraw -
                1.0;
        }
        // Rounded half away from zero, inline: std::round is a call per sample.
        value = std::clamp(value, least, most);
        const auto rounded = static_cast<std::int64_t>(value + (value < 0 ? -0.5 : 0.5));
        const std::int64_t stored = layout.format == SampleFormat::UInt8 ? rounded + 128 : rounded;
        PutLe(out, at, static_cast<std::uint32_t>(stored), bytes);
    }
    return out;
}

}  // namespace sonatrix
