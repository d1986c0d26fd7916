// SPDX-License-Identifier: GPL-3.0-or-later
// TForm3's MediaPlayer1: the media player's nine-button bar. The buttons are
// enabled only while the recording device is open, and act on it.
#pragma once

#include <QWidget>

#include <array>

class QToolButton;

namespace sonatrix {
class AudioCapture;
}

class MediaPlayerBar : public QWidget {
    Q_OBJECT
  public:
    enum Button { Play, Pause, Stop, Next, Prev, Step, Back, Record, Eject, kButtonCount };

    MediaPlayerBar(sonatrix::AudioCapture& capture, QWidget* parent = nullptr);

    // Called when the device opens or closes.
    void SetDeviceOpen(bool open);
    QToolButton* ButtonAt(Button button) const { return buttons_[button]; }

  private:
    void Pressed(Button button);

    sonatrix::AudioCapture& capture_;
    std::array<QToolButton*, kButtonCount> buttons_{};
};
