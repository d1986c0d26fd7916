// SPDX-License-Identifier: GPL-3.0-or-later
// The current local date and time as the user's settings print them.
#pragma once

#include <QString>

#include "library/audio_capture.h"

class QtLocalTimeText : public sonatrix::LocalTimeText {
  public:
    // The system locale's short date format, a space, its long time format.
    std::string Now() override;
};

// `format` without its time-zone fields ("t", "tt"...): Qt's long time
// formats name the zone, which the user's clock does not show and whose
// offset digits would leak into a recording's name.
QString WithoutTimeZone(const QString& format);
