// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of sonatrix-sound, as Qt's plugin loader finds it.
#include <QObject>

#include "qt_audio_capture.h"
#include "qt_sound_player.h"
#include "sound_module.h"

namespace sonatrix::gui {

class QtSoundModule : public QObject, public SoundModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SONATRIX_SOUND_MODULE_IID)
    Q_INTERFACES(sonatrix::gui::SoundModule)
  public:
    std::unique_ptr<SoundPlayer> MakePlayer(PreviewDecoder* decoder) override {
        return std::make_unique<QtSoundPlayer>(decoder);
    }
    std::unique_ptr<AudioCapture> MakeCapture() override {
        return std::make_unique<QtAudioCapture>();
    }
};

}  // namespace sonatrix::gui

#include "qt_sound_module.moc"
