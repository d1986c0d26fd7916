// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/catalogue.h"

#include "catalogue/desktop_events.h"
#include "platform/path_pieces.h"

namespace sonatrix {

std::string SoundDescription(std::string_view fileName) {
    for (const auto& sound : kKnownSounds) {
        if (fileName == sound.fileName)
            return sound.description ? sound.description : kUnknownSoundType;
    }
    if (const DesktopEvent* event = DesktopEventOfFile(fileName))
        return event->description;
    return kUnknownSoundType;
}

std::optional<int> SoundIconIndex(std::string_view fileName) {
    for (const auto& sound : kKnownSounds) {
        if (SameIgnoringAsciiCase(fileName, sound.fileName))
            return sound.iconIndex >= 0 ? std::optional<int>(sound.iconIndex) : std::nullopt;
    }
    if (const DesktopEvent* event = DesktopEventOfFile(fileName))
        return event->iconIndex >= 0 ? std::optional<int>(event->iconIndex) : std::nullopt;
    return std::nullopt;
}

}  // namespace sonatrix
