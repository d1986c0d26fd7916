// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_audio_capture.h"

#include <QAudioFormat>
#include <QAudioSource>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include "system_recording_source.h"

namespace {

constexpr int kSampleRate = 22050;
// A tenth of a second per buffer keeps the delivery steady; the server may
// still deliver in larger periods.
constexpr qsizetype kBufferBytes = kSampleRate / 10;
// Virtual sources deliver up to two seconds late, in whole periods.
constexpr qint64 kDrainLimitMs = 3000;

QAudioFormat RecordingFormat() {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::UInt8);
    format.setChannelCount(1);
    format.setSampleRate(kSampleRate);
    return format;
}

}  // namespace

QAudioDevice RecordingDevice() {
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    if (inputs.isEmpty())
        return QAudioDevice();
    const QByteArray wanted = sonatrix::gui::SystemRecordingSourceId();
    for (const QAudioDevice& device : inputs)
        if (!wanted.isEmpty() && device.id() == wanted)
            return device;
    const QAudioDevice fallback = QMediaDevices::defaultAudioInput();
    return fallback.isNull() ? inputs.first() : fallback;
}

QtAudioCapture::QtAudioCapture(QObject* parent) : QObject(parent) {}

QtAudioCapture::~QtAudioCapture() {
    Release();
}

int QtAudioCapture::Start(const std::string& wavFile) {
    Release();
    error_ = kNoError;
    const QAudioDevice device = RecordingDevice();
    if (device.isNull())
        return kNoDevice;
    if (appender_.Open(wavFile) != 0)
        return kFileFailed;
    source_ = new QAudioSource(device, RecordingFormat(), this);
    source_->setBufferSize(kBufferBytes);
    connect(source_, &QAudioSource::stateChanged, this, &QtAudioCapture::SourceStateChanged);
    io_ = source_->start();
    if (!io_ || source_->error() != QAudio::NoError) {
        Release();
        appender_.Close();
        return kDeviceFailed;
    }
    connect(io_, &QIODevice::readyRead, this, &QtAudioCapture::ReadAvailable);
    activeBefore_ = 0;
    running_.start();
    return kNoError;
}

int QtAudioCapture::Stop() {
    if (!source_)
        return error_ != kNoError ? error_ : kDeviceFailed;
    // What was recorded up to now belongs to the recording, even the part
    // the server has not delivered yet.
    Drain();
    Release();
    if (appender_.Close() != 0 && error_ == kNoError)
        error_ = kFileFailed;
    return error_;
}

void QtAudioCapture::Suspend() {
    if (!source_ || source_->state() == QAudio::SuspendedState ||
        source_->state() == QAudio::StoppedState)
        return;
    Drain();
    activeBefore_ += running_.elapsed();
    running_.invalidate();
    source_->suspend();
}

void QtAudioCapture::Resume() {
    if (!source_ || source_->state() != QAudio::SuspendedState)
        return;
    source_->resume();
    running_.start();
}

qint64 QtAudioCapture::ActiveMilliseconds() const {
    return activeBefore_ + (running_.isValid() ? running_.elapsed() : 0);
}

void QtAudioCapture::Drain() {
    ReadAvailable();
    // A tenth of a second short counts as complete: the last period may
    // straddle the stop.
    const qint64 wanted = ActiveMilliseconds() * kSampleRate / 1000 - kSampleRate / 10;
    QElapsedTimer waited;
    waited.start();
    while (qint64(BytesCaptured()) < wanted && waited.elapsed() < kDrainLimitMs &&
           error_ == kNoError && source_ && source_->state() != QAudio::StoppedState) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        ReadAvailable();
    }
}

double QtAudioCapture::SecondsCaptured() const {
    return static_cast<double>(BytesCaptured()) / kSampleRate;
}

void QtAudioCapture::ReadAvailable() {
    if (!io_)
        return;
    const QByteArray bytes = io_->readAll();
    if (!bytes.isEmpty() && appender_.Append(bytes.constData(), size_t(bytes.size())) != 0 &&
        error_ == kNoError)
        error_ = kFileFailed;
}

void QtAudioCapture::SourceStateChanged() {
    if (!source_)
        return;
    const QAudio::Error error = source_->error();
    if ((error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError) &&
        error_ == kNoError)
        error_ = kDeviceFailed;
}

void QtAudioCapture::Release() {
    if (source_) {
        // The source deletes its device when it stops.
        if (io_)
            io_->disconnect(this);
        io_ = nullptr;
        source_->disconnect(this);
        source_->stop();
        source_->deleteLater();
    }
    source_ = nullptr;
    io_ = nullptr;
}
