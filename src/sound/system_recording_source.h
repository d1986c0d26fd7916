// SPDX-License-Identifier: GPL-3.0-or-later
// The recording source the system's sound settings chose, asked of the
// system itself: Qt 6.4's QMediaDevices::defaultAudioInput() ignores the
// PulseAudio server's choice.
#pragma once

#include <QByteArray>

namespace sonatrix::gui {

// The id (QAudioDevice::id()) of the system's default recording source, or
// empty when the system does not tell Qt's default apart from it.
QByteArray SystemRecordingSourceId();

}  // namespace sonatrix::gui
