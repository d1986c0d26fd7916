// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/sound_files.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

// The formats the decoder reads, by their usual extensions. A file that is
// not what its name says is reported by the decoder, not passed over.
constexpr std::array<std::string_view, 16> kSoundExtensions{
    ".wav", ".mp3", ".mp2",  ".ogg",  ".oga", ".opus", ".flac", ".m4a",
    ".aac", ".aif", ".aiff", ".aifc", ".au",  ".snd",  ".wma",  ".caf"};

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Le(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

bool IsSoundFileName(std::string_view name) {
    const std::string extension = ExtensionOf(name);
    for (const std::string_view known : kSoundExtensions)
        if (SameIgnoringAsciiCase(extension, known))
            return true;
    return false;
}

std::vector<std::string> SoundFilesIn(FileSystem& files, const std::string& folder) {
    std::vector<DirEntry> entries;
    std::vector<std::string> names;
    files.ListPattern(folder, "*", entries);
    for (DirEntry& entry : entries)
        if (!entry.isFolder && IsSoundFileName(entry.name))
            names.push_back(std::move(entry.name));
    return names;
}

int ProbePcmWav(const std::string& path, bool& pcm) {
    pcm = false;
    int error = 0;
    std::FILE* file = OpenOrdinaryFile(path, error);
    if (!file)
        return error;
    unsigned char head[12];
    if (std::fread(head, 1, sizeof head, file) == sizeof head && !std::memcmp(head, "RIFF", 4) &&
        !std::memcmp(head + 8, "WAVE", 4)) {
        // Chunks before "fmt " (LIST, fact, JUNK) are stepped over.
        unsigned char chunk[8];
        for (int chunks = 0; chunks < 64 && std::fread(chunk, 1, 8, file) == 8; ++chunks) {
            const std::uint32_t size = Le(chunk + 4, 4);
            if (std::memcmp(chunk, "fmt ", 4) != 0) {
                if (std::fseek(file, static_cast<long>(size + (size & 1)), SEEK_CUR) != 0)
                    break;
                continue;
            }
            unsigned char format[40] = {};
            const std::size_t got = std::fread(format, 1, size < 40 ? size : 40, file);
            const auto tag = static_cast<std::uint16_t>(Le(format, 2));
            // The extensible format names its samples by the first two
            // bytes of a GUID, which for PCM is 1 as well.
            pcm = got >= 16 && (tag == kFormatPcm ||
                                (tag == kFormatExtensible && got >= 26 && Le(format + 24, 2) == 1));
            break;
        }
    }
    std::fclose(file);
    return 0;
}

PcmLayout ConvertedLayout(int sourceChannels, int sourceRate) {
    PcmLayout layout;
    layout.channels = static_cast<std::uint16_t>(sourceChannels >= 2 ? 2 : 1);
    layout.sampleRate = sourceRate >= 8000 && sourceRate <= 48000 ? sourceRate : 44100;
    return layout;
}

std::string ConvertedName(const std::string& sourceName) {
    const std::string extension = ExtensionOf(sourceName);
    return sourceName.substr(0, sourceName.size() - extension.size()) + ".wav";
}

}  // namespace sonatrix
