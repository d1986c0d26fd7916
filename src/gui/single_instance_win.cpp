// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>

#include "single_instance.h"

namespace sonatrix::gui {

// The user's own temporary folder, in the user's profile; the channel is a
// named pipe whose access list admits the user alone.
QString InstanceFolder(const std::string&) {
    return QDir::tempPath();
}

}  // namespace sonatrix::gui
