// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_conversion.h"

#include <cerrno>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
}

#include "library/sound_files.h"
#include "platform/files.h"
#include "platform/sound_decoder.h"

namespace sonatrix::decode {
namespace {

// The demuxers a sound file can need. None of them opens other files or
// addresses: a playlist, a concat script or an image named ".mp3" is
// refused as no sound.
constexpr const char* kAudioDemuxers =
    "wav,w64,mp3,ogg,flac,mov,aac,matroska,aiff,au,caf,asf,amr,voc,wv,ape";

// Far more packets than ten minutes of any sound take: a container can
// name the same bytes again and again, so its size alone bounds no work.
constexpr long kMostPackets = 1L << 24;

// An owner of an FFmpeg object, which `Free` frees through its address.
template <typename T, auto Free>
struct FreedBy {
    void operator()(T* object) const { Free(&object); }
};
template <typename T, auto Free>
using Owned = std::unique_ptr<T, FreedBy<T, Free>>;
using Frame = Owned<AVFrame, av_frame_free>;

int Interrupted(void* heartbeat) {
    (*static_cast<const Heartbeat*>(heartbeat))();
    return 0;
}

// A file that cannot be read is said so in the system's words; anything
// else FFmpeg cannot open is no sound it knows.
std::string OpenFailure(int error) {
    const int code = AVUNERROR(error);
    if (code == ENOENT || code == EACCES || code == EPERM || code == EISDIR || code == EIO)
        return CLibraryErrorText(code);
    return kNotASoundFile;
}

// Why a sound of this layout is refused, or "". Zero: not known yet.
std::string LayoutRefusal(int channels, int sampleRate) {
    if (sampleRate != 0 && (sampleRate < kLowestSampleRate || sampleRate > kHighestSampleRate))
        return kUnsupportedRate;
    if (channels > kMostChannels)
        return kTooManyChannels;
    return {};
}

// Frames at `rate` that the container states the stream holds, where it
// states it exactly; -1 where it only guesses (from the bit rate).
std::int64_t StatedFrames(const AVFormatContext& format, const AVStream& stream, int rate) {
    if (format.duration_estimation_method != AVFMT_DURATION_FROM_STREAM ||
        stream.duration == AV_NOPTS_VALUE || stream.duration <= 0)
        return -1;
    return av_rescale_q(stream.duration, stream.time_base, AVRational{1, rate});
}

class Converter {
  public:
    Converter(PcmSink& sink, const Heartbeat& heartbeat) : sink_(sink), heartbeat_(heartbeat) {}
    ~Converter() { av_channel_layout_uninit(&outLayout_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Run(AVFormatContext& format) {
        if (avformat_find_stream_info(&format, nullptr) < 0)
            return kNotASoundFile;
        const AVCodec* codec = nullptr;
        const int index = av_find_best_stream(&format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (index == AVERROR_DECODER_NOT_FOUND)
            return kUnsupportedCodec;
        if (index < 0)
            return kNoSoundInFile;
        const AVStream& stream = *format.streams[index];
        const AVCodecParameters& parameters = *stream.codecpar;
        if (std::string refused =
                LayoutRefusal(parameters.ch_layout.nb_channels, parameters.sample_rate);
            !refused.empty())
            return refused;
        if (StatedFrames(format, stream, 1) > kLongestSoundSeconds)
            return kSoundTooLong;

        const Owned<AVCodecContext, avcodec_free_context> decoder(avcodec_alloc_context3(codec));
        if (!decoder || avcodec_parameters_to_context(decoder.get(), &parameters) < 0 ||
            avcodec_open2(decoder.get(), codec, nullptr) < 0)
            return kUnsupportedCodec;
        if (!resampler_ || !converted_ || !decoded_)
            return kDamagedSoundFile;

        const Owned<AVPacket, av_packet_free> packet(av_packet_alloc());
        int read = 0;
        for (long packets = 0; (read = av_read_frame(&format, packet.get())) >= 0; ++packets) {
            heartbeat_();
            if (packets > kMostPackets)
                return kDamagedSoundFile;
            std::string reason;
            if (packet->stream_index == index) {
                // A damaged packet is passed over, as players do; a file
                // made mostly of them is refused below.
                if (avcodec_send_packet(decoder.get(), packet.get()) == 0)
                    ++goodPackets_;
                else
                    ++badPackets_;
                reason = Receive(*decoder);
            }
            av_packet_unref(packet.get());
            if (!reason.empty())
                return reason;
        }
        // The end of the file is the only good end: a read error is no
        // shorter sound.
        if (read != AVERROR_EOF || (format.pb && format.pb->error < 0))
            return kDamagedSoundFile;
        avcodec_send_packet(decoder.get(), nullptr);
        if (std::string reason = Receive(*decoder); !reason.empty())
            return reason;
        if (begun_)
            if (std::string reason = Convert(nullptr); !reason.empty())
                return reason;
        if (frames_ == 0 || badPackets_ > goodPackets_)
            return goodPackets_ == 0 && badPackets_ == 0 ? kNoSoundInFile : kDamagedSoundFile;
        return Finish(StatedFrames(format, stream, outRate_));
    }

  private:
    std::string Receive(AVCodecContext& decoder) {
        int received = 0;
        while ((received = avcodec_receive_frame(&decoder, decoded_.get())) == 0) {
            std::string reason = Convert(decoded_.get());
            av_frame_unref(decoded_.get());
            if (!reason.empty())
                return reason;
        }
        if (received != AVERROR(EAGAIN) && received != AVERROR_EOF)
            ++badPackets_;
        return {};
    }

    // Converts `frame` (nullptr: what the resampler still holds) and
    // writes it. The resampler is set up again when a frame's layout,
    // format or rate differs from the one before it.
    std::string Convert(AVFrame* frame) {
        if (frame) {
            if (frame->sample_rate == 0 || frame->ch_layout.nb_channels < 1)
                return kDamagedSoundFile;
            if (std::string refused =
                    LayoutRefusal(frame->ch_layout.nb_channels, frame->sample_rate);
                !refused.empty())
                return refused;
            // A stream that does not name its channels gets the usual
            // layout for their number, so it can be mixed down.
            if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
                const int count = frame->ch_layout.nb_channels;
                av_channel_layout_uninit(&frame->ch_layout);
                av_channel_layout_default(&frame->ch_layout, count);
            }
            if (!begun_)
                if (std::string reason = Begin(*frame); !reason.empty())
                    return reason;
        }
        int converted = ConvertInto(frame);
        if (converted == AVERROR_INPUT_CHANGED) {
            if (std::string reason = Convert(nullptr); !reason.empty())
                return reason;
            swr_close(resampler_.get());
            converted = ConvertInto(frame);
        }
        if (converted < 0)
            return kDamagedSoundFile;
        const std::size_t frames = static_cast<std::size_t>(converted_->nb_samples);
        frames_ += frames;
        if (frames_ > mostFrames_)
            return kSoundTooLong;
        return frames ? sink_.Write(converted_->data[0], frames) : std::string();
    }

    // The layout of the first frame is the sound's.
    std::string Begin(const AVFrame& first) {
        const PcmLayout layout = ConvertedLayout(first.ch_layout.nb_channels, first.sample_rate);
        av_channel_layout_default(&outLayout_, layout.channels);
        outRate_ = layout.sampleRate;
        mostFrames_ = static_cast<std::uint64_t>(kLongestSoundSeconds) * outRate_;
        begun_ = true;
        return sink_.Begin(layout.channels, layout.sampleRate);
    }

    int ConvertInto(const AVFrame* frame) {
        av_frame_unref(converted_.get());
        converted_->format = AV_SAMPLE_FMT_S16;
        converted_->sample_rate = outRate_;
        if (av_channel_layout_copy(&converted_->ch_layout, &outLayout_) < 0)
            return AVERROR(ENOMEM);
        // Until the first frame has set the resampler up there is nothing
        // it could hold.
        if (!frame && !swr_is_initialized(resampler_.get()))
            return 0;
        return swr_convert_frame(resampler_.get(), converted_.get(), frame);
    }

    // Where the container states the length exactly, the padding the codec
    // added beyond it is dropped, and a stream well short of it was cut.
    std::string Finish(std::int64_t stated) {
        std::uint64_t keep = frames_;
        if (stated > 0) {
            const auto promised = static_cast<std::uint64_t>(stated);
            if (keep > promised && keep - promised <= kLongestPadding)
                keep = promised;
            const std::uint64_t slack = std::max<std::uint64_t>(kLongestPadding, promised / 50);
            if (keep + slack < promised)
                return kDamagedSoundFile;
        }
        return sink_.Finish(keep);
    }

    PcmSink& sink_;
    const Heartbeat& heartbeat_;
    Owned<SwrContext, swr_free> resampler_{swr_alloc()};
    Frame decoded_{av_frame_alloc()};
    Frame converted_{av_frame_alloc()};
    AVChannelLayout outLayout_{};
    int outRate_ = 0;
    bool begun_ = false;
    std::uint64_t frames_ = 0;
    std::uint64_t mostFrames_ = 0;
    int goodPackets_ = 0;
    int badPackets_ = 0;
};

}  // namespace

std::string ConvertSound(const std::string& path, PcmSink& sink, const Heartbeat& heartbeat) {
    const AVIOInterruptCB interrupt{&Interrupted, const_cast<Heartbeat*>(&heartbeat)};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVIOContext* opened = nullptr;
    // "file:" before it: a name with a colon is no address.
    const int error =
        avio_open2(&opened, ("file:" + path).c_str(), AVIO_FLAG_READ, &interrupt, &options);
    av_dict_free(&options);
    if (error < 0)
        return OpenFailure(error);
    const Owned<AVIOContext, avio_closep> input(opened);
    if (avio_size(input.get()) > kLargestSourceBytes)
        return kSourceTooLarge;
    return ConvertSound(input.get(), path, sink, heartbeat);
}

std::string ConvertSound(AVIOContext* input, const std::string& name, PcmSink& sink,
                         const Heartbeat& heartbeat) {
    AVFormatContext* allocated = avformat_alloc_context();
    if (!allocated)
        return kDamagedSoundFile;
    allocated->pb = input;
    allocated->flags |= AVFMT_FLAG_CUSTOM_IO;
    allocated->interrupt_callback = {&Interrupted, const_cast<Heartbeat*>(&heartbeat)};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kAudioDemuxers, 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // On failure it frees the context.
    const int error = avformat_open_input(&allocated, name.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (error < 0)
        return OpenFailure(error);
    const Owned<AVFormatContext, avformat_close_input> format(allocated);
    Converter converter(sink, heartbeat);
    return converter.Run(*format);
}

void QuietFfmpeg() {
    av_log_set_level(AV_LOG_QUIET);
}

}  // namespace sonatrix::decode
