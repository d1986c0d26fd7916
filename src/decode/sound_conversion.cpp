// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_conversion.h"

#include <algorithm>
#include <cerrno>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avstring.h>
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

// The decoders of the sounds those demuxers carry, and no other: several
// of them also carry video, whose decoders a sound never needs. The
// Windows build's FFmpeg holds exactly these.
constexpr const char* kAudioDecoders =
    "mp3,mp3float,mp2,mp2float,vorbis,opus,flac,aac,aac_latm,alac,"
    "adpcm_ima_wav,adpcm_ms,adpcm_ima_qt,gsm,gsm_ms,wmav1,wmav2,amrnb,amrwb,wavpack,ape,"
    "pcm_alaw,pcm_bluray,pcm_dvd,pcm_f16le,pcm_f24le,pcm_f32be,pcm_f32le,pcm_f64be,pcm_f64le,"
    "pcm_lxf,pcm_mulaw,pcm_s16be,pcm_s16be_planar,pcm_s16le,pcm_s16le_planar,pcm_s24be,"
    "pcm_s24daud,pcm_s24le,pcm_s24le_planar,pcm_s32be,pcm_s32le,pcm_s32le_planar,pcm_s64be,"
    "pcm_s64le,pcm_s8,pcm_s8_planar,pcm_sga,pcm_u16be,pcm_u16le,pcm_u24be,pcm_u24le,pcm_u32be,"
    "pcm_u32le,pcm_u8,pcm_vidc";

// Far more packets than ten minutes of any sound take: a container can
// name the same bytes again and again, so its size alone bounds no work.
constexpr long kMostPackets = 1L << 24;

// Input frames converted at a time: a container may hold a whole sound in
// one block, and no buffer may grow with it.
constexpr int kSliceFrames = 4096;

// An owner of an FFmpeg object, which `Free` frees through its address.
template <typename T, auto Free>
struct FreedBy {
    void operator()(T* object) const { Free(&object); }
};
template <typename T, auto Free>
using Owned = std::unique_ptr<T, FreedBy<T, Free>>;

int Interrupted(void* watcher) {
    static_cast<ConversionWatcher*>(watcher)->Working();
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

// Frames at `rate` that the container states the stream holds: the
// stream's own length, or the file's where only that is stated; -1 where
// it states none. The file is not probed, so no length is guessed from
// its bit rate.
std::int64_t StatedFrames(const AVFormatContext& format, const AVStream& stream, int rate) {
    if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0 && stream.time_base.num > 0 &&
        stream.time_base.den > 0)
        return av_rescale_q(stream.duration, stream.time_base, AVRational{1, rate});
    if (format.duration != AV_NOPTS_VALUE && format.duration > 0)
        return av_rescale_q(format.duration, AVRational{1, AV_TIME_BASE}, AVRational{1, rate});
    return -1;
}

// The decoder of `id` among the audio decoders a sound may use, or none.
const AVCodec* AudioDecoder(AVCodecID id) {
    void* opaque = nullptr;
    while (const AVCodec* codec = av_codec_iterate(&opaque))
        if (codec->id == id && av_codec_is_decoder(codec) &&
            av_match_list(codec->name, kAudioDecoders, ',') > 0)
            return codec;
    return nullptr;
}

// The sound's stream: FFmpeg's choice among those whose header states
// their layout, else the first one of sound.
int SoundStream(AVFormatContext& format) {
    const int best = av_find_best_stream(&format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (best >= 0)
        return best;
    for (unsigned i = 0; i < format.nb_streams; ++i)
        if (format.streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            return static_cast<int>(i);
    return -1;
}

class Converter {
  public:
    Converter(PcmSink& sink, ConversionWatcher& watcher) : sink_(sink), watcher_(watcher) {}
    ~Converter() {
        av_channel_layout_uninit(&outLayout_);
        av_channel_layout_uninit(&inLayout_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The file is not probed (avformat_find_stream_info): probing opens a
    // decoder for every stream, video ones too. The header tells the
    // streams apart; the decoder of the one sound learns the rest.
    std::string Run(AVFormatContext& format) {
        const Owned<AVPacket, av_packet_free> packet(av_packet_alloc());
        if (!packet || !resampler_ || !decoded_)
            return kDamagedSoundFile;
        // A format without a header makes its streams as it reads them.
        bool pending = false;
        if (format.nb_streams == 0 && (format.ctx_flags & AVFMTCTX_NOHEADER)) {
            if (av_read_frame(&format, packet.get()) < 0)
                return kNotASoundFile;
            pending = true;
        }
        const int index = SoundStream(format);
        if (index < 0)
            return kNotASoundFile;
        // The demuxer passes over the packets of every other stream.
        for (unsigned i = 0; i < format.nb_streams; ++i)
            if (i != static_cast<unsigned>(index))
                format.streams[i]->discard = AVDISCARD_ALL;
        const AVStream& stream = *format.streams[index];
        const AVCodecParameters& parameters = *stream.codecpar;
        if (std::string refused =
                LayoutRefusal(parameters.ch_layout.nb_channels, parameters.sample_rate);
            !refused.empty())
            return refused;
        if (const std::int64_t stated = StatedFrames(format, stream, 1000); stated >= 0) {
            watcher_.Stated((stated + 999) / 1000);
            if (stated > std::int64_t{kLongestSoundSeconds} * 1000)
                return kSoundTooLong;
        }

        const AVCodec* codec = AudioDecoder(parameters.codec_id);
        if (!codec)
            return kUnsupportedCodec;
        const Owned<AVCodecContext, avcodec_free_context> decoder(avcodec_alloc_context3(codec));
        AVDictionary* options = nullptr;
        av_dict_set(&options, "codec_whitelist", kAudioDecoders, 0);
        const bool opened = decoder &&
                            avcodec_parameters_to_context(decoder.get(), &parameters) >= 0 &&
                            avcodec_open2(decoder.get(), codec, &options) >= 0;
        av_dict_free(&options);
        if (!opened)
            return kUnsupportedCodec;
        watcher_.Opened(codec->name);

        int read = 0;
        for (long packets = 0; pending || (read = av_read_frame(&format, packet.get())) >= 0;
             ++packets) {
            pending = false;
            watcher_.Working();
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
        if (std::string reason = Drain(); !reason.empty())
            return reason;
        if (frames_ == 0 || badPackets_ > goodPackets_)
            return goodPackets_ == 0 && badPackets_ == 0 ? kNoSoundInFile : kDamagedSoundFile;
        return Finish(StatedFrames(format, stream, outRate_));
    }

  private:
    std::string Receive(AVCodecContext& decoder) {
        int received = 0;
        while ((received = avcodec_receive_frame(&decoder, decoded_.get())) == 0) {
            std::string reason = Convert(*decoded_);
            av_frame_unref(decoded_.get());
            if (!reason.empty())
                return reason;
        }
        if (received != AVERROR(EAGAIN) && received != AVERROR_EOF)
            ++badPackets_;
        return {};
    }

    // Converts `frame` and writes it, a slice at a time. The resampler is
    // set up again when a frame's layout, format or rate differs from the
    // one before it.
    std::string Convert(AVFrame& frame) {
        if (frame.sample_rate <= 0 || frame.ch_layout.nb_channels < 1 || frame.nb_samples < 0)
            return kDamagedSoundFile;
        if (std::string refused = LayoutRefusal(frame.ch_layout.nb_channels, frame.sample_rate);
            !refused.empty())
            return refused;
        // A stream that does not name its channels gets the usual layout
        // for their number, so it can be mixed down.
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            const int count = frame.ch_layout.nb_channels;
            av_channel_layout_uninit(&frame.ch_layout);
            av_channel_layout_default(&frame.ch_layout, count);
        }
        if (!begun_)
            if (std::string reason = Begin(frame); !reason.empty())
                return reason;
        if (InputDiffers(frame))
            if (std::string reason = SetUp(frame); !reason.empty())
                return reason;
        // What the whole frame would come to is weighed before any of it
        // is made: one block can hold hours of sound. A count beyond what
        // an int holds is refused the same way.
        const int most = swr_get_out_samples(resampler_.get(), frame.nb_samples);
        if (most < 0 || static_cast<std::uint64_t>(most) > mostFrames_ - frames_ + kLongestPadding)
            return kSoundTooLong;
        const auto format = static_cast<AVSampleFormat>(frame.format);
        const bool planar = av_sample_fmt_is_planar(format) != 0;
        const std::size_t channels = static_cast<std::size_t>(frame.ch_layout.nb_channels);
        const std::size_t step =
            static_cast<std::size_t>(av_get_bytes_per_sample(format)) * (planar ? 1 : channels);
        std::vector<const std::uint8_t*> in(planar ? channels : 1);
        for (int done = 0; done < frame.nb_samples; done += kSliceFrames) {
            for (std::size_t plane = 0; plane < in.size(); ++plane)
                in[plane] = frame.extended_data[plane] + step * static_cast<std::size_t>(done);
            if (std::string reason =
                    Push(in.data(), std::min(kSliceFrames, frame.nb_samples - done));
                !reason.empty())
                return reason;
        }
        return {};
    }

    // The layout of the first frame is the sound's.
    std::string Begin(const AVFrame& first) {
        const PcmLayout layout = ConvertedLayout(first.ch_layout.nb_channels, first.sample_rate);
        av_channel_layout_default(&outLayout_, layout.channels);
        outRate_ = layout.sampleRate;
        outFrameBytes_ = static_cast<std::size_t>(layout.channels) * 2;
        mostFrames_ = static_cast<std::uint64_t>(kLongestSoundSeconds) * outRate_;
        begun_ = true;
        return sink_.Begin(layout.channels, layout.sampleRate);
    }

    bool InputDiffers(const AVFrame& frame) const {
        return !swr_is_initialized(resampler_.get()) || frame.format != inFormat_ ||
               frame.sample_rate != inRate_ ||
               av_channel_layout_compare(&frame.ch_layout, &inLayout_) != 0;
    }

    // What the resampler holds of the frames before is written first.
    std::string SetUp(AVFrame& frame) {
        if (std::string reason = Drain(); !reason.empty())
            return reason;
        swr_close(resampler_.get());
        // On failure it frees the resampler.
        SwrContext* resampler = resampler_.release();
        const int set = swr_alloc_set_opts2(
            &resampler, &outLayout_, AV_SAMPLE_FMT_S16, outRate_, &frame.ch_layout,
            static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
        resampler_.reset(resampler);
        if (set < 0 || swr_init(resampler) < 0 ||
            av_channel_layout_copy(&inLayout_, &frame.ch_layout) < 0)
            return kDamagedSoundFile;
        inFormat_ = frame.format;
        inRate_ = frame.sample_rate;
        return {};
    }

    // Converts `count` frames at `in` (nullptr: the end) into a buffer
    // that holds no more than they come to.
    std::string Push(const std::uint8_t** in, int count) {
        const int room = swr_get_out_samples(resampler_.get(), count);
        if (room < 0)
            return kDamagedSoundFile;
        out_.resize(static_cast<std::size_t>(room) * outFrameBytes_ + outFrameBytes_);
        std::uint8_t* out = out_.data();
        const int made = swr_convert(resampler_.get(), &out, room, in, count);
        if (made < 0)
            return kDamagedSoundFile;
        frames_ += static_cast<std::uint64_t>(made);
        if (frames_ > mostFrames_)
            return kSoundTooLong;
        return made > 0 ? sink_.Write(out, static_cast<std::size_t>(made)) : std::string();
    }

    // Writes what the resampler still holds.
    std::string Drain() {
        if (!resampler_ || !swr_is_initialized(resampler_.get()))
            return {};
        while (swr_get_out_samples(resampler_.get(), 0) > 0) {
            const std::uint64_t before = frames_;
            if (std::string reason = Push(nullptr, 0); !reason.empty())
                return reason;
            if (frames_ == before)
                break;
        }
        return {};
    }

    // Where the container states the length, the padding the codec added
    // beyond it is dropped, and a stream well short of it was cut.
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
    ConversionWatcher& watcher_;
    Owned<SwrContext, swr_free> resampler_{swr_alloc()};
    Owned<AVFrame, av_frame_free> decoded_{av_frame_alloc()};
    std::vector<std::uint8_t> out_;
    AVChannelLayout outLayout_{};
    AVChannelLayout inLayout_{};
    int inFormat_ = -1;
    int inRate_ = 0;
    int outRate_ = 0;
    std::size_t outFrameBytes_ = 0;
    bool begun_ = false;
    std::uint64_t frames_ = 0;
    std::uint64_t mostFrames_ = 0;
    int goodPackets_ = 0;
    int badPackets_ = 0;
};

}  // namespace

void InputCloser::operator()(AVIOContext* input) const {
    avio_closep(&input);
}

std::string OpenSoundFile(const std::string& path, ConversionWatcher& watcher, InputFile& input,
                          std::int64_t& bytes) {
    const AVIOInterruptCB interrupt{&Interrupted, &watcher};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVIOContext* opened = nullptr;
    // "file:" before it: a name with a colon is no address.
    const int error =
        avio_open2(&opened, ("file:" + path).c_str(), AVIO_FLAG_READ, &interrupt, &options);
    av_dict_free(&options);
    if (error < 0)
        return OpenFailure(error);
    input.reset(opened);
    bytes = avio_size(opened);
    if (bytes > kLargestSourceBytes)
        return kSourceTooLarge;
    return {};
}

std::string ConvertSound(AVIOContext* input, const std::string& name, PcmSink& sink,
                         ConversionWatcher& watcher) {
    AVFormatContext* allocated = avformat_alloc_context();
    if (!allocated)
        return kDamagedSoundFile;
    allocated->pb = input;
    allocated->flags |= AVFMT_FLAG_CUSTOM_IO;
    allocated->interrupt_callback = {&Interrupted, &watcher};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kAudioDemuxers, 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // Should the demuxer open a decoder of its own, it too is a sound's.
    av_dict_set(&options, "codec_whitelist", kAudioDecoders, 0);
    // On failure it frees the context.
    const int error = avformat_open_input(&allocated, name.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (error < 0)
        return OpenFailure(error);
    const Owned<AVFormatContext, avformat_close_input> format(allocated);
    Converter converter(sink, watcher);
    return converter.Run(*format);
}

void QuietFfmpeg() {
    av_log_set_level(AV_LOG_QUIET);
}

}  // namespace sonatrix::decode
