// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_recording_source.h"

namespace sonatrix::gui {

// Qt's default input on Windows is the system's default recording device.
QByteArray SystemRecordingSourceId() {
    return {};
}

}  // namespace sonatrix::gui
