// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper_decoder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <memory>
#include <utility>

namespace sonatrix::gui {
namespace {

DecodeResult Failure(std::string reason) {
    DecodeResult result;
    result.reason = std::move(reason);
    return result;
}

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

HelperDecoder::HelperDecoder(QString helper, QObject* parent)
    : QObject(parent), program_(std::move(helper)), silence_(new QTimer(this)) {
    silence_->setSingleShot(true);
    connect(silence_, &QTimer::timeout, this, [this] { EndHelper(kDecodingFailed); });
}

HelperDecoder::~HelperDecoder() {
    EndHelper(kDecodingFailed);
}

DecodeResult HelperDecoder::Decode(const std::string& source, const std::string& wav,
                                   const std::atomic<bool>& stop) {
    // This thread drives the helper: waiting on it here would never end.
    if (QThread::currentThread() == thread())
        return Failure(kDecodingFailed);
    auto promise = std::make_shared<std::promise<DecodeResult>>();
    std::future<DecodeResult> result = promise->get_future();
    QMetaObject::invokeMethod(this, [this, source, wav, promise] {
        DecodeLater(source, wav,
                    [promise](const DecodeResult& decoded) { promise->set_value(decoded); });
    });
    bool cancelled = false;
    while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (stop && !cancelled) {
            cancelled = true;
            QMetaObject::invokeMethod(this, &HelperDecoder::Cancel);
        }
    }
    try {
        return result.get();
    } catch (const std::future_error&) {
        // The decoder went before it could take the file.
        return Failure(kDecodingFailed);
    }
}

void HelperDecoder::DecodeLater(const std::string& source, const std::string& wav, Done done) {
    Cancel();
    job_ = Job{wav, std::move(done)};
    if (!helper_)
        StartHelper();
    // A helper that could not start has failed the file already.
    if (!helper_)
        return;
    helper_->write(Bytes(source) + '\0' + Bytes(wav) + '\0');
    silence_->start(silenceLimitMs_);
}

void HelperDecoder::Cancel() {
    if (job_)
        EndHelper(kDecodingFailed);
}

qint64 HelperDecoder::HelperProcessId() const {
    return helper_ ? helper_->processId() : 0;
}

QString HelperDecoder::BesideProgram() {
    const QString folder = QCoreApplication::applicationDirPath() + '/';
    const QString beside = folder + QStringLiteral("sonatrix-decode");
    for (const QString& candidate :
         {beside, beside + QStringLiteral(".exe"),
          folder + QStringLiteral("../libexec/sonatrix/sonatrix-decode")})
        if (QFileInfo(candidate).isFile())
            return candidate;
    return beside;
}

void HelperDecoder::StartHelper() {
    helper_ = new QProcess(this);
    // What a crashing helper (or a sanitizer in it) says reaches the
    // program's own standard error.
    helper_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(helper_, &QProcess::readyReadStandardOutput, this, &HelperDecoder::ReadAnswers);
    connect(helper_, &QProcess::finished, this, [this] {
        ReadAnswers();
        EndHelper(kDecodingFailed);
    });
    connect(helper_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            EndHelper(kNoDecoderProgram);
    });
    helper_->start(program_, {});
}

void HelperDecoder::ReadAnswers() {
    if (!helper_)
        return;
    answers_ += helper_->readAllStandardOutput();
    for (qsizetype end = answers_.indexOf('\n'); end >= 0; end = answers_.indexOf('\n')) {
        QByteArray line = answers_.left(end);
        answers_.remove(0, end + 1);
        // A Windows helper ends its lines in "\r\n".
        if (line.endsWith('\r'))
            line.chop(1);
        if (line == helper_protocol::kProgress && job_) {
            silence_->start(silenceLimitMs_);
            emit Working();
        } else if (line == helper_protocol::kDone) {
            Finish(DecodeResult{true, {}});
        } else if (line.startsWith(helper_protocol::kFailed)) {
            Finish(
                Failure(line.mid(qsizetype(std::strlen(helper_protocol::kFailed))).toStdString()));
        }
    }
}

void HelperDecoder::Finish(const DecodeResult& result) {
    silence_->stop();
    std::optional<Job> job = std::exchange(job_, std::nullopt);
    if (!job)
        return;
    // What a helper that was ended left of the file.
    if (!result.ok)
        std::remove(job->wav.c_str());
    if (job->done)
        job->done(result);
}

void HelperDecoder::EndHelper(const char* reason) {
    if (QProcess* helper = std::exchange(helper_, nullptr)) {
        helper->disconnect(this);
        helper->kill();
        // Its files are closed before what it left is removed.
        helper->waitForFinished(5000);
        helper->deleteLater();
    }
    answers_.clear();
    Finish(Failure(reason));
}

}  // namespace sonatrix::gui
