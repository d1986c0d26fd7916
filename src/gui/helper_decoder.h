// SPDX-License-Identifier: GPL-3.0-or-later
// The program's decoder: the helper process sonatrix-decode, started for the
// first sound and kept for the next ones, converts each file into a WAV
// file. Its faults stay its own: when it dies on a file, or says nothing for
// longer than the silence limit, that file fails and the next one starts a
// new helper. Cancelling ends the helper at once, whatever it is doing.
#pragma once

#include <QByteArray>
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
    static constexpr int kSilenceLimitMs = 15000;

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

    // How long the helper may say nothing about the file in hand before it
    // counts as hung.
    void SetSilenceLimit(int milliseconds) { silenceLimitMs_ = milliseconds; }

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
    };

    void StartHelper();
    void ReadAnswers();
    void Finish(const DecodeResult& result);
    // Ends the helper (the next file starts another) and fails the file in
    // hand with `reason`.
    void EndHelper(const char* reason);

    QString program_;
    int silenceLimitMs_ = kSilenceLimitMs;
    QProcess* helper_ = nullptr;
    QTimer* silence_ = nullptr;
    std::optional<Job> job_;
    QByteArray answers_;  // what the helper said, up to a line's end
};

}  // namespace sonatrix::gui
