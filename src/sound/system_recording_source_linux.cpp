// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>

#include "system_recording_source.h"

namespace sonatrix::gui {

// Asked once: the answer does not change while the recorder is in use often
// enough to ask every time.
QByteArray SystemRecordingSourceId() {
    static const QByteArray name = [] {
        QProcess pactl;
        pactl.start("pactl", {"get-default-source"});
        if (!pactl.waitForFinished(2000) || pactl.exitStatus() != QProcess::NormalExit ||
            pactl.exitCode() != 0) {
            pactl.kill();
            pactl.waitForFinished(500);
            return QByteArray();
        }
        return pactl.readAllStandardOutput().trimmed();
    }();
    return name;
}

}  // namespace sonatrix::gui
