// SPDX-License-Identifier: GPL-3.0-or-later
#include <QStandardPaths>

#include "single_instance.h"

namespace sonatrix::gui {

// The session's runtime folder, or the private one Qt makes in its stead
// (its owner and rights checked), else the data folder.
QString InstanceFolder(const std::string& dataFolder) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return !runtime.isEmpty() ? runtime : QString::fromStdString(dataFolder);
}

}  // namespace sonatrix::gui
