// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/desktop_events.h"

namespace sonatrix {

const DesktopEvent* DesktopEventOfFile(std::string_view fileName) {
    if (!fileName.ends_with(kDesktopSoundExtension))
        return nullptr;
    fileName.remove_suffix(kDesktopSoundExtension.size());
    for (const DesktopEvent& event : DesktopEvents()) {
        if (fileName == event.name)
            return &event;
    }
    return nullptr;
}

const char* DesktopEventOfQQSound(std::string_view qqSound) {
    for (const QQSoundEvent& row : ThemeEvents()) {
        if (qqSound == row.qqSound)
            return row.event;
    }
    return nullptr;
}

}  // namespace sonatrix
