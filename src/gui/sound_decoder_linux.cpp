// Decoding through FFmpeg's libraries: every format the library takes in,
// with the source's own rate and channels known before the first sample.
#include "sound_decoder.h"

#include <cerrno>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libswresample/swresample.h>
}

#include "library/sound_files.h"
#include "platform/files.h"

namespace sonatrix::gui {
namespace {

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct ResamplerFreer {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

DecodeResult Failure(std::string reason) {
    DecodeResult result;
    result.reason = std::move(reason);
    return result;
}

// A file that cannot be read is said so in the system's words; anything
// else FFmpeg cannot open is no sound it knows.
std::string OpenFailure(int error) {
    const int code = AVUNERROR(error);
    if (code == ENOENT || code == EACCES || code == EPERM || code == EISDIR || code == EIO)
        return SystemErrorText(code);
    return kNotASoundFile;
}

class FfmpegSoundDecoder : public SoundDecoder {
  public:
    DecodeResult Decode(const std::string& path, const std::atomic<bool>& stop) override {
        AVFormatContext* opened = nullptr;
        if (const int error = avformat_open_input(&opened, path.c_str(), nullptr, nullptr))
            return Failure(OpenFailure(error));
        const std::unique_ptr<AVFormatContext, FormatCloser> format(opened);
        if (avformat_find_stream_info(format.get(), nullptr) < 0)
            return Failure(kNotASoundFile);
        const AVCodec* codec = nullptr;
        const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (stream == AVERROR_DECODER_NOT_FOUND)
            return Failure(kUnsupportedCodec);
        if (stream < 0)
            return Failure(kNoSoundInFile);
        const std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
        if (!decoder ||
            avcodec_parameters_to_context(decoder.get(), format->streams[stream]->codecpar) < 0 ||
            avcodec_open2(decoder.get(), codec, nullptr) < 0)
            return Failure(kUnsupportedCodec);
        if (decoder->ch_layout.nb_channels < 1 || decoder->sample_rate < 1)
            return Failure(kDamagedSoundFile);
        // A stream that does not name its channels gets the usual layout
        // for their number, so it can be mixed down.
        if (decoder->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            const int count = decoder->ch_layout.nb_channels;
            av_channel_layout_uninit(&decoder->ch_layout);
            av_channel_layout_default(&decoder->ch_layout, count);
        }

        DecodeResult result;
        const PcmLayout layout =
            ConvertedLayout(decoder->ch_layout.nb_channels, decoder->sample_rate);
        result.sound.channels = layout.channels;
        result.sound.sampleRate = layout.sampleRate;
        AVChannelLayout outLayout;
        av_channel_layout_default(&outLayout, layout.channels);
        SwrContext* made = nullptr;
        if (swr_alloc_set_opts2(&made, &outLayout, AV_SAMPLE_FMT_S16, layout.sampleRate,
                                &decoder->ch_layout, decoder->sample_fmt, decoder->sample_rate, 0,
                                nullptr) < 0 ||
            swr_init(made) < 0) {
            swr_free(&made);
            return Failure(kUnsupportedCodec);
        }
        const std::unique_ptr<SwrContext, ResamplerFreer> resampler(made);

        const std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        const std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
        int goodPackets = 0;
        int badPackets = 0;
        auto drain = [&] {
            while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
                Append(resampler.get(), frame.get(), frame->nb_samples, result.sound);
                av_frame_unref(frame.get());
            }
        };
        while (!stop && av_read_frame(format.get(), packet.get()) >= 0) {
            if (packet->stream_index == stream) {
                // A damaged packet is passed over, as players do; a file
                // made mostly of them is refused below.
                if (avcodec_send_packet(decoder.get(), packet.get()) == 0)
                    ++goodPackets;
                else
                    ++badPackets;
                drain();
            }
            av_packet_unref(packet.get());
        }
        avcodec_send_packet(decoder.get(), nullptr);
        drain();
        Append(resampler.get(), nullptr, 0, result.sound);
        if (stop)
            return Failure(kDamagedSoundFile);
        TrimPadding(*format, *format->streams[stream], result.sound);
        if (result.sound.samples.empty() || badPackets > goodPackets)
            return Failure(goodPackets == 0 && badPackets == 0 ? kNoSoundInFile
                                                               : kDamagedSoundFile);
        result.ok = true;
        return result;
    }

  private:
    // A codec fills its last frame or block up with padding (AAC, ADPCM);
    // where the container states the length exactly, what lies beyond it
    // is cut off. A length that is only an estimate is never trusted.
    static void TrimPadding(const AVFormatContext& format, const AVStream& stream,
                            DecodedSound& sound) {
        if (format.duration_estimation_method != AVFMT_DURATION_FROM_STREAM ||
            stream.duration == AV_NOPTS_VALUE || stream.duration <= 0)
            return;
        const std::size_t frameBytes = sound.channels * 2u;
        const auto stated = static_cast<std::size_t>(
            av_rescale_q(stream.duration, stream.time_base, AVRational{1, sound.sampleRate}));
        const std::size_t decoded = sound.samples.size() / frameBytes;
        // No codec pads by more than a frame of a few thousand samples.
        constexpr std::size_t kLongestPadding = 8192;
        if (decoded > stated && decoded - stated <= kLongestPadding)
            sound.samples.resize(stated * frameBytes);
    }

    // Converts the first `inFrames` samples of `frame` (nullptr: what the
    // resampler still holds) and appends them to `sound`.
    static void Append(SwrContext* resampler, const AVFrame* frame, int inFrames,
                       DecodedSound& sound) {
        const int room = swr_get_out_samples(resampler, inFrames);
        if (room <= 0)
            return;
        const std::size_t frameBytes = sound.channels * 2u;
        const std::size_t before = sound.samples.size();
        sound.samples.resize(before + static_cast<std::size_t>(room) * frameBytes);
        auto* out = reinterpret_cast<std::uint8_t*>(sound.samples.data() + before);
        const int made = swr_convert(
            resampler, &out, room,
            frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr, inFrames);
        sound.samples.resize(before + static_cast<std::size_t>(made > 0 ? made : 0) * frameBytes);
    }
};

}  // namespace

std::unique_ptr<SoundDecoder> MakeSoundDecoder() {
    av_log_set_level(AV_LOG_QUIET);
    return std::make_unique<FfmpegSoundDecoder>();
}

}  // namespace sonatrix::gui
