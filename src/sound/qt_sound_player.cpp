// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_sound_player.h"

#include <QApplication>
#include <QAudioOutput>
#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QStandardPaths>
#include <QtEndian>

#include <fstream>
#include <iterator>

#include "library/sound_files.h"
#include "platform/path_pieces.h"
#include "platform/sound_decoder.h"

namespace {

bool IsWavFile(const QString& file) {
    return file.endsWith(".wav", Qt::CaseInsensitive);
}

}  // namespace

bool IsPlayableWav(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = in.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    // Chunks before "fmt " (LIST, fact) are stepped over, as the decoder does.
    for (int chunks = 0; chunks < 64; ++chunks) {
        const QByteArray chunk = in.read(8);
        if (chunk.size() < 8)
            return false;
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = in.read(16);
            if (size < 16 || format.size() < 16)
                return false;
            const quint16 tag = qFromLittleEndian<quint16>(format.constData());
            const quint16 bits = qFromLittleEndian<quint16>(format.constData() + 14);
            return tag == 1 && (bits == 8 || bits == 16 || bits == 32);
        }
        if (!in.seek(in.pos() + size + (size & 1)))
            return false;
    }
    return false;
}

QString FindAlertSound() {
    QString other;
    for (const char* name : {"bell", "dialog-warning"}) {
        for (const char* extension : {".wav", ".oga", ".ogg"}) {
            const QString found = QStandardPaths::locate(
                QStandardPaths::GenericDataLocation,
                QStringLiteral("sounds/freedesktop/stereo/%1%2").arg(name, extension));
            if (found.isEmpty())
                continue;
            if (IsWavFile(found) && IsPlayableWav(found))
                return found;
            if (!IsWavFile(found) && other.isEmpty())
                other = found;
        }
    }
    return other;
}

QtSoundPlayer::QtSoundPlayer(sonatrix::gui::PreviewDecoder* decoder, QObject* parent)
    : QObject(parent), effect_(this), alertFile_(FindAlertSound()), decoder_(decoder) {
    connect(&effect_, &QSoundEffect::statusChanged, this, &QtSoundPlayer::EffectStatusChanged);
}

QtSoundPlayer::~QtSoundPlayer() {
    ++asked_;
    if (decodingFor_ != 0)
        decoder_->Cancel();
}

QString QtSoundPlayer::OpenableName(const std::string& path) {
    const QByteArray bytes(path.data(), qsizetype(path.size()));
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes)
        return name;
    // Qt decodes such a name with replacement characters and can no longer
    // open it; the C library still can.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return QString();
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    copy_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/sonatrix-preview-XXXXXX.wav");
    if (!copy_->open() ||
        copy_->write(content.data(), qint64(content.size())) != qint64(content.size()) ||
        !copy_->flush())
        return QString();
    return copy_->fileName();
}

bool QtSoundPlayer::PlayDecodedCopy(const std::string& path) {
    if (!decoder_ || !sonatrix::IsSoundFileName(sonatrix::FileNameOf(path)))
        return false;
    if (!decoded_)
        decoded_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/sonatrix-preview-XXXXXX");
    if (!decoded_->isValid())
        return false;
    // Whatever played is cut off at the click, not when the copy is ready.
    effect_.stop();
    const int asked = asked_;
    const QString copy = decoded_->filePath(QStringLiteral("%1.wav").arg(asked));
    decodingFor_ = asked;
    decoder_->DecodeLater(path, QFile::encodeName(copy).toStdString(),
                          [this, asked, copy](const sonatrix::DecodeResult& result) {
                              if (decodingFor_ == asked)
                                  decodingFor_ = 0;
                              if (asked != asked_)
                                  return;  // another sound was asked for since
                              if (result.ok)
                                  Play(copy);
                              else
                                  PlayDefault();
                          });
    return true;
}

void QtSoundPlayer::PlayAsync(const std::string& path) {
    ++asked_;
    const QString file = OpenableName(path);
    if (alertPlayer_)
        alertPlayer_->stop();
    if (IsPlayableWav(file))
        Play(file);
    else if (!PlayDecodedCopy(path))
        PlayDefault();
}

void QtSoundPlayer::Play(const QString& file) {
    requested_ = QUrl::fromLocalFile(file);
    // The same URL again would be ignored, so a file changed on disk since
    // its last preview would not be read anew.
    effect_.setSource(QUrl());
    effect_.setSource(requested_);
    effect_.play();
}

void QtSoundPlayer::EffectStatusChanged() {
    // The header looked right but the decoder gave up on the data.
    if (effect_.status() == QSoundEffect::Error && !requested_.isEmpty() &&
        effect_.source() == requested_)
        PlayDefault();
}

void QtSoundPlayer::PlayDefault() {
    requested_.clear();
    effect_.stop();
    if (alertFile_.isEmpty()) {
        QApplication::beep();
        return;
    }
    if (IsWavFile(alertFile_)) {
        effect_.setSource(QUrl());
        effect_.setSource(QUrl::fromLocalFile(alertFile_));
        effect_.play();
        return;
    }
    // The theme ships Ogg Vorbis, which only the media player decodes.
    if (!alertPlayer_) {
        alertPlayer_ = new QMediaPlayer(this);
        alertOutput_ = new QAudioOutput(this);
        alertPlayer_->setAudioOutput(alertOutput_);
        alertPlayer_->setSource(QUrl::fromLocalFile(alertFile_));
        connect(alertPlayer_, &QMediaPlayer::errorOccurred, this, [this] {
            // Nothing can play the theme's sound here: fall back for good.
            alertFile_.clear();
            QApplication::beep();
        });
    }
    alertPlayer_->setPosition(0);
    alertPlayer_->play();
}
