#include "real_media.h"

#include "alaw_tone.h"
#include "channel_picture.h"
#include "info_text.h"
#include "route.h"
#include "video_encoder.h"

namespace korvane::sim {

namespace {

constexpr uint8_t kCodecH265 = 3;

bool checkRecording(const RecordingSpec &spec, std::string &error)
{
    if (spec.width < 64 || spec.height < 64 || spec.width % 8 || spec.height % 8)
        error = "real payloads need a width and height of at least 64, in multiples of 8";
    else if (spec.av != kAvPicture && (spec.fps == 0 || spec.fps > 60))
        error = "real video needs a frame rate of 1 to 60";
    else if (spec.av != kAvPicture && spec.codec != 2 && spec.codec != kCodecH265)
        error = "real video needs codec 2 (H.264) or 3 (H.265)";
    return error.empty();
}

void putStart(Bytes &out, uint8_t type, size_t header)
{
    out.insert(out.end(), header, 0);
    uint8_t *p = out.data() + out.size() - header;
    p[2] = 1;
    p[3] = type;
}

void append(Bytes &out, const uint8_t *data, size_t n) { out.insert(out.end(), data, data + n); }

// Lays out the recorder frames of each second around the encoded pictures.
class SecondWriter
{
public:
    SecondWriter(const RecordingSpec &spec, uint64_t seed, Bytes &out)
        : spec_(spec), route_(seed), tone_(spec.audio ? alawToneSecond(spec.channel) : Bytes{}), out_(out)
    {
    }

    bool append(Seconds second, uint32_t stamp, const EncodedFrame *video, std::string &error)
    {
        for (uint32_t i = 0; i < spec_.fps; ++i)
            if (video[i].key != (i == 0) || video[i].data.size() + kKeyHeader > kMaxFrameBytes) {
                error = "the encoder did not give one key frame per second";
                return false;
            }
        keyFrame(stamp, video[0].data);
        infoFrame(infoText(route_.at(second), second, spec_.alarm != 0));
        uint32_t audio = 0;
        for (uint32_t i = 0; i < spec_.fps; ++i) {
            if (i > 0)
                videoFrame(video[i].data);
            for (uint32_t a = audioFramesAfter(i, spec_.fps); a > 0 && spec_.audio; --a)
                audioFrame(audio++);
        }
        return true;
    }

private:
    void keyFrame(uint32_t stamp, const Bytes &payload)
    {
        putStart(out_, 0xFC, kKeyHeader);
        uint8_t *p = out_.data() + out_.size() - kKeyHeader;
        p[4] = spec_.codec;
        p[5] = spec_.fps;
        p[6] = uint8_t(spec_.width / 8);
        p[7] = uint8_t(spec_.height / 8);
        putU32(p + 8, stamp);
        putU32(p + 12, uint32_t(payload.size()));
        korvane::sim::append(out_, payload.data(), payload.size());
    }

    void videoFrame(const Bytes &payload)
    {
        putStart(out_, 0xFD, kShortHeader);
        putU32(out_.data() + out_.size() - 4, uint32_t(payload.size()));
        korvane::sim::append(out_, payload.data(), payload.size());
    }

    void infoFrame(const std::string &text)
    {
        putStart(out_, 0xF9, kShortHeader);
        uint8_t *p = out_.data() + out_.size() - kShortHeader;
        p[4] = kInfoKindText;
        putU16(p + 6, uint16_t(text.size()));
        korvane::sim::append(out_, reinterpret_cast<const uint8_t *>(text.data()), text.size());
    }

    void audioFrame(uint32_t index)
    {
        putStart(out_, 0xFA, kShortHeader);
        uint8_t *p = out_.data() + out_.size() - kShortHeader;
        p[4] = kAudioCodecAlaw;
        putU16(p + 6, uint16_t(kAudioPayload));
        korvane::sim::append(out_, tone_.data() + size_t(index) * kAudioPayload, kAudioPayload);
    }

    const RecordingSpec &spec_;
    Route route_;
    Bytes tone_;
    Bytes &out_;
};

QImage pictureOf(const RecordingSpec &spec, uint32_t stamp)
{
    return paintChannelPicture(spec.channel, spec.streamType, stamp, spec.width, spec.height);
}

// Encodes a recording second by second and lays each second out as soon as
// the encoder has given all its frames.
class RecordingEncoder
{
public:
    RecordingEncoder(const RecordingSpec &spec, uint64_t seed, const StampClock &clock, RecordingFrames &out)
        : spec_(spec), clock_(clock), out_(out), writer_(spec, seed, out.media)
    {
    }

    bool run(std::string &error)
    {
        const bool pictures = spec_.av == kAvPicture;
        const PictureCodec codec = pictures ? PictureCodec::Jpeg
                                   : spec_.codec == kCodecH265 ? PictureCodec::H265
                                                               : PictureCodec::H264;
        perSecond_ = pictures ? 1 : spec_.fps;
        if (!encoder_.open(codec, spec_.width, spec_.height, int(perSecond_), error))
            return false;
        for (Seconds t = spec_.start; t < spec_.end; ++t)
            if (!encoder_.encode(pictureOf(spec_, clock_(t)), int(perSecond_), error) || !layOutReady(error))
                return false;
        if (!encoder_.finish(error) || !layOutReady(error))
            return false;
        if (starts_.size() - 1 != uint64_t(spec_.end - spec_.start) || !encoder_.frames().empty()) {
            error = "the encoder lost frames";
            return false;
        }
        out_.index = SecondIndex(std::move(starts_));
        return true;
    }

private:
    bool layOutReady(std::string &error)
    {
        std::vector<EncodedFrame> &frames = encoder_.frames();
        size_t used = 0;
        for (; frames.size() - used >= perSecond_; used += perSecond_) {
            const Seconds second = spec_.start + Seconds(starts_.size() - 1);
            if (second >= spec_.end) {
                error = "the encoder gave too many frames";
                return false;
            }
            if (spec_.av == kAvPicture)
                append(out_.media, frames[used].data.data(), frames[used].data.size());
            else if (!writer_.append(second, clock_(second), &frames[used], error))
                return false;
            starts_.push_back(out_.media.size());
        }
        frames.erase(frames.begin(), frames.begin() + long(used));
        return true;
    }

    const RecordingSpec &spec_;
    const StampClock &clock_;
    RecordingFrames &out_;
    SecondWriter writer_;
    VideoEncoder encoder_;
    uint32_t perSecond_ = 1;
    std::vector<uint64_t> starts_{0};
};

} // namespace

bool encodeRecording(const RecordingSpec &spec, uint64_t seed, const StampClock &clock, RecordingFrames &out,
                     std::string &error)
{
    out = {};
    if (!checkRecording(spec, error))
        return false;
    return RecordingEncoder(spec, seed, clock, out).run(error);
}

} // namespace korvane::sim
