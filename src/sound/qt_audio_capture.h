// SPDX-License-Identifier: GPL-3.0-or-later
// Recording through Qt Multimedia from the system's default source:
// PCM, unsigned 8 bits, mono, 22050 Hz, appended to the recorder's file.
#pragma once

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QObject>

#include "library/audio_capture.h"
#include "library/wav_header.h"

class QAudioSource;
class QIODevice;

class QtAudioCapture : public QObject, public sonatrix::AudioCapture {
    Q_OBJECT
  public:
    // Error codes of Start and Stop.
    enum Error { kNoError = 0, kNoDevice = 1, kDeviceFailed = 2, kFileFailed = 3 };

    explicit QtAudioCapture(QObject* parent = nullptr);
    ~QtAudioCapture() override;

    int Start(const std::string& wavFile) override;
    int Stop() override;
    std::uint64_t BytesCaptured() const override { return appender_.DataSize(); }
    void Suspend() override;
    void Resume() override;

    // Seconds of sound captured, from the byte count: the source delivers
    // in whole buffer periods, so the wall clock says little.
    double SecondsCaptured() const;

  private:
    void ReadAvailable();
    void SourceStateChanged();
    void Release();
    // Waits, within a bound, for the sound up to now that the server has
    // yet to deliver.
    void Drain();
    // Milliseconds the source has been recording (not suspended).
    qint64 ActiveMilliseconds() const;

    QAudioSource* source_ = nullptr;
    QIODevice* io_ = nullptr;
    sonatrix::WavAppender appender_;
    int error_ = kNoError;     // the first failure since Start
    QElapsedTimer running_;    // since Start or the last Resume
    qint64 activeBefore_ = 0;  // milliseconds recorded before the last Suspend
};

// The system's default recording source (SystemRecordingSourceId), else
// Qt's default; null when there is no input at all.
QAudioDevice RecordingDevice();
