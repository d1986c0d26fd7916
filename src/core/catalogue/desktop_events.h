// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's own event sounds: the Linux sound theme's event names, the
// Windows sound scheme's events, and which of them a theme's QQ sounds go to.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace sonatrix {

struct DesktopEvent {
    const char* name;  // "message-new-instant", "Notification.IM"
    const char* description;
    std::int32_t iconIndex;  // -1: none
};

// A preset theme's QQ sound and the event it goes to on the desktop.
struct QQSoundEvent {
    const char* qqSound;
    const char* event;
};

// This platform's events, in the order the target list shows them.
std::span<const DesktopEvent> DesktopEvents();

// This platform's table from a preset theme's QQ sounds to events.
std::span<const QQSoundEvent> ThemeEvents();

// The event whose file ("<event>.wav") is `fileName`, the case kept; nullptr
// for any other name.
const DesktopEvent* DesktopEventOfFile(std::string_view fileName);

// The event a preset theme's QQ sound ("msg.wav") goes to on the desktop;
// nullptr for a sound with no event ("folder.wav").
const char* DesktopEventOfQQSound(std::string_view qqSound);

// Each event is written as "<event>.wav".
inline constexpr std::string_view kDesktopSoundExtension = ".wav";

}  // namespace sonatrix
