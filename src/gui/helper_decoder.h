// SPDX-License-Identifier: GPL-3.0-or-later
// The program's decoder: the helper process sonatrix-decode, one for each
// file, converts the file into a WAV file. Its faults stay its own: when it
// dies on a file, or has not finished by the file's deadline (whatever it
// says meanwhile), that file fails and the helper is ended. Cancelling ends
// the helper at once, whatever it is doing.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "platform/sound_decoder.h"

class QProcess;
class QTimer;

namespace sonatrix::gui {

class HelperDecoder : public QObject, public SoundDecoder {
    Q_OBJECT
  public:
    using Done = std::function<void(const DecodeResult&)>;

    // `helper`: the helper's executable.
    explicit HelperDecoder(QString helper = BesideProgram(), QObject* parent = nullptr);
    ~HelperDecoder() override;

    // From a thread other than this object's, whose event loop drives the
    // helper meanwhile; setting `stop` ends the helper.
    DecodeResult Decode(const std::string& source, const std::string& wav,
                        const std::atomic<bool>& stop) override;

    // On this object's thread: starts decoding and returns. `done` is
    // called on this thread once the file is decoded, failed or cancelled.
    // A decoding still in hand is cancelled: the latest one is wanted.
    void DecodeLater(const std::string& source, const std::string& wav, Done done);
    // Cancels the decoding in hand, if any.
    void Cancel();

    // How long the helper may take over a file, from the next file on.
    void SetTimeRule(const DecodeTimeRule& rule) { rule_ = rule; }

    // The running helper's process id, or 0.
    qint64 HelperProcessId() const;

    // sonatrix-decode beside the running program, or where the Debian
    // package puts it.
    static QString BesideProgram();

  signals:
    // The helper said it is at work on the file in hand.
    void Working();

  private:
    struct Job {
        std::string wav;
        Done done;
        std::int64_t sourceBytes = 0;
        DecodeTimeRule rule;
    };

    void StartHelper(const std::string& source, const std::string& wav);
    void ReadAnswers();
    // Gives the file in hand until its deadline, from when its helper
    // started, now that it is known to state `seconds` of sound.
    void SetDeadline(std::int64_t statedSeconds);
    // The file in hand is over: its helper is ended, and `done` hears
    // `result`.
    void Settle(const DecodeResult& result);
    void EndHelper();

    QString program_;
    DecodeTimeRule rule_;
    QProcess* helper_ = nullptr;
    QTimer* deadline_ = nullptr;
    QElapsedTimer started_;
    std::optional<Job> job_;
    QByteArray answers_;  // what the helper said, up to a line's end
};

}  // namespace sonatrix::gui
