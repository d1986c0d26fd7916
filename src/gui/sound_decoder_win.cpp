// Decoding on Windows through Qt Multimedia's QAudioDecoder over Media
// Foundation, until the program folder for Windows carries FFmpeg's
// libraries. A first pass in the source's own format tells its rate and
// channels; a second pass asks Media Foundation for exactly the layout the
// converted sound keeps.
#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

#include "library/sound_files.h"
#include "sound_decoder.h"

namespace sonatrix::gui {
namespace {

// Runs one decoding of `url` to its end on the calling thread. `onBuffer`
// returns false to end it early. Returns the decoder's error, if any.
std::optional<QAudioDecoder::Error> RunDecoder(
    const QUrl& url, const QAudioFormat& format, const std::atomic<bool>& stop,
    const std::function<bool(const QAudioBuffer&)>& onBuffer) {
    QAudioDecoder decoder;
    if (format.isValid())
        decoder.setAudioFormat(format);
    decoder.setSource(url);
    QEventLoop loop;
    std::optional<QAudioDecoder::Error> failure;
    bool done = false;
    auto finish = [&] {
        done = true;
        loop.quit();
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        const QAudioBuffer buffer = decoder.read();
        if (buffer.isValid() && !onBuffer(buffer)) {
            decoder.stop();
            finish();
        }
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, finish);
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&](QAudioDecoder::Error error) {
                         failure = error;
                         finish();
                     });
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, &loop, [&] {
        if (stop) {
            decoder.stop();
            finish();
        }
    });
    stopPoll.start(50);
    decoder.start();
    if (!done)
        loop.exec();
    return failure;
}

std::string Reason(QAudioDecoder::Error error) {
    return error == QAudioDecoder::NotSupportedError ? kUnsupportedCodec : kNotASoundFile;
}

class QtSoundDecoder : public SoundDecoder {
  public:
    DecodeResult Decode(const std::string& path, const std::atomic<bool>& stop) override {
        DecodeResult result;
        const QUrl url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path)));
        QAudioFormat source;
        if (const auto error =
                RunDecoder(url, QAudioFormat(), stop, [&](const QAudioBuffer& buffer) {
                    source = buffer.format();
                    return false;
                })) {
            result.reason = Reason(*error);
            return result;
        }
        if (!source.isValid()) {
            result.reason = kNoSoundInFile;
            return result;
        }
        const PcmLayout layout = ConvertedLayout(source.channelCount(), source.sampleRate());
        QAudioFormat wanted;
        wanted.setSampleFormat(QAudioFormat::Int16);
        wanted.setChannelCount(layout.channels);
        wanted.setSampleRate(layout.sampleRate);
        DecodedSound& sound = result.sound;
        sound.channels = layout.channels;
        sound.sampleRate = layout.sampleRate;
        const auto error = RunDecoder(url, wanted, stop, [&](const QAudioBuffer& buffer) {
            if (buffer.format() != wanted)
                return false;
            sound.samples.append(buffer.constData<char>(), std::size_t(buffer.byteCount()));
            return true;
        });
        if (error || sound.samples.empty()) {
            result.reason = error ? Reason(*error) : kDamagedSoundFile;
            return result;
        }
        result.ok = !stop;
        return result;
    }
};

}  // namespace

std::unique_ptr<SoundDecoder> MakeSoundDecoder() {
    return std::make_unique<QtSoundDecoder>();
}

}  // namespace sonatrix::gui
