// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper_decoder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
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
    : QObject(parent), program_(std::move(helper)), deadline_(new QTimer(this)) {
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] { Settle(Failure(kDecodingTimedOut)); });
}

HelperDecoder::~HelperDecoder() {
    Settle(Failure(kDecodingFailed));
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
    job_ = Job{wav, std::move(done), QFileInfo(QString::fromStdString(source)).size(), rule_};
    StartHelper(source, wav);
}

void HelperDecoder::Cancel() {
    if (job_)
        Settle(Failure(kDecodingFailed));
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

void HelperDecoder::StartHelper(const std::string& source, const std::string& wav) {
    QProcess* helper = helper_ = new QProcess(this);
    // What a crashing helper (or a sanitizer in it) says reaches the
    // program's own standard error.
    helper->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(helper, &QProcess::readyReadStandardOutput, this, &HelperDecoder::ReadAnswers);
    // Each signal is about its own helper, which may be gone already.
    connect(helper, &QProcess::finished, this, [this, helper] {
        ReadAnswers();
        if (helper_ == helper)
            Settle(Failure(kDecodingFailed));
    });
    connect(helper, &QProcess::errorOccurred, this, [this, helper](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && helper_ == helper)
            Settle(Failure(kNoDecoderProgram));
    });
    started_.start();
    SetDeadline(0);
    helper->start(program_, {});
    // A helper that could not start has failed the file already.
    if (helper_ != helper)
        return;
    helper->write(Bytes(source) + '\0' + Bytes(wav) + '\0');
    helper->closeWriteChannel();
}

void HelperDecoder::ReadAnswers() {
    QProcess* const helper = helper_;
    if (!helper)
        return;
    answers_ += helper->readAllStandardOutput();
    for (qsizetype end = answers_.indexOf('\n'); end >= 0 && helper_ == helper && job_;
         end = answers_.indexOf('\n')) {
        QByteArray line = answers_.left(end);
        answers_.remove(0, end + 1);
        // A Windows helper ends its lines in "\r\n".
        if (line.endsWith('\r'))
            line.chop(1);
        if (line == helper_protocol::kProgress) {
            emit Working();
        } else if (line.startsWith(helper_protocol::kLength)) {
            SetDeadline(line.mid(qsizetype(std::strlen(helper_protocol::kLength))).toLongLong());
        } else if (line == helper_protocol::kDone) {
            Settle(DecodeResult{true, {}});
        } else if (line.startsWith(helper_protocol::kFailed)) {
            Settle(
                Failure(line.mid(qsizetype(std::strlen(helper_protocol::kFailed))).toStdString()));
        }
    }
}

void HelperDecoder::SetDeadline(std::int64_t statedSeconds) {
    if (!job_)
        return;
    const std::int64_t left =
        DecodeDeadlineMs(job_->rule, job_->sourceBytes, statedSeconds) - started_.elapsed();
    deadline_->start(static_cast<int>(std::clamp<std::int64_t>(left, 0, INT_MAX)));
}

void HelperDecoder::Settle(const DecodeResult& result) {
    EndHelper();
    std::optional<Job> job = std::exchange(job_, std::nullopt);
    if (!job)
        return;
    // What a helper that failed or was ended left of the file.
    if (!result.ok)
        std::remove(job->wav.c_str());
    if (job->done)
        job->done(result);
}

void HelperDecoder::EndHelper() {
    deadline_->stop();
    answers_.clear();
    if (QProcess* helper = std::exchange(helper_, nullptr)) {
        helper->disconnect(this);
        // A helper that has answered ends by itself; one that has not is
        // ended here.
        helper->kill();
        // Its files are closed before what it left is removed.
        helper->waitForFinished(5000);
        helper->deleteLater();
    }
}

}  // namespace sonatrix::gui
