// SPDX-License-Identifier: GPL-3.0-or-later
// Previews through Qt Multimedia: one sound at a time, a new one cuts the
// old one off, and a file that cannot be played gives the desktop's alert.
// A sound QSoundEffect cannot play (ADPCM, A-law, float or 24-bit WAV, any
// other format) is decoded first, by the helper process, and its PCM copy
// is played once it is ready.
#pragma once

#include <QObject>
#include <QSoundEffect>
#include <QString>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>

#include <memory>

#include "platform/sound_player.h"
#include "sound_module.h"

class QAudioOutput;
class QMediaPlayer;

class QtSoundPlayer : public QObject, public sonatrix::SoundPlayer {
    Q_OBJECT
  public:
    // `decoder`: what turns other sounds into PCM; without one they give
    // the alert.
    explicit QtSoundPlayer(sonatrix::gui::PreviewDecoder* decoder = nullptr,
                           QObject* parent = nullptr);
    ~QtSoundPlayer() override;
    void PlayAsync(const std::string& path) override;

  private:
    // The system's default sound: the sound theme's alert, or a beep.
    void PlayDefault();
    void EffectStatusChanged();
    // A name Qt can open for the bytes `path`; a name that is no text in
    // the locale's encoding is played from a copy.
    QString OpenableName(const std::string& path);
    void Play(const QString& file);
    // Starts decoding the sound at `path` into a PCM copy that plays when
    // it is ready, unless another sound is asked for first. False when it
    // is no sound to decode.
    bool PlayDecodedCopy(const std::string& path);

    QSoundEffect effect_;  // the one sound that plays; a member, so it lives on
    QUrl requested_;       // what the caller asked for, to tell its failure from the alert's
    QString alertFile_;    // the sound theme's alert; empty when there is none
    std::unique_ptr<QTemporaryFile> copy_;    // the copy OpenableName made, while it plays
    std::unique_ptr<QTemporaryDir> decoded_;  // the copies PlayDecodedCopy makes
    int asked_ = 0;                           // counts the sounds asked for
    int decodingFor_ = 0;                     // the sound whose copy is being made
    sonatrix::gui::PreviewDecoder* decoder_ = nullptr;
    QMediaPlayer* alertPlayer_ = nullptr;  // for an alert QSoundEffect cannot decode
    QAudioOutput* alertOutput_ = nullptr;
};

// True when `file` is a WAV file QSoundEffect can play: PCM of 8, 16 or
// 32 bits per sample.
bool IsPlayableWav(const QString& file);

// The freedesktop sound theme's "bell" or "dialog-warning" from the XDG data
// folders, a WAV preferred; empty when the theme has neither.
QString FindAlertSound();
