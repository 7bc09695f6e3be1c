#include "real_media.h"

#include "alaw_tone.h"
#include "channel_picture.h"
#include "info_text.h"
#include "route.h"
#include "video_encoder.h"

namespace korvane::sim {

namespace {

constexpr uint8_t kCodecH265 = 3;

bool checkRecording(const RecordingSpec &plan, std::string &error)
{
    if (plan.width < 64 || plan.height < 64 || plan.width % 8 || plan.height % 8)
        error = "real payloads need a width and height of at least 64, in multiples of 8";
    else if (plan.av != kAvPicture && (plan.fps == 0 || plan.fps > 60))
        error = "real video needs a frame rate of 1 to 60";
    else if (plan.av != kAvPicture && plan.codec != 2 && plan.codec != kCodecH265)
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
    SecondWriter(const RecordingSpec &plan, uint64_t seed, Bytes &out)
        : plan_(plan), route_(seed), tone_(plan.audio ? alawToneSecond(plan.channel) : Bytes{}), out_(out)
    {
    }

    bool append(Seconds second, uint32_t stamp, const EncodedFrame *video, std::string &error)
    {
        for (uint32_t i = 0; i < plan_.fps; ++i)
            if (video[i].key != (i == 0) || video[i].data.size() + kKeyHeader > kMaxFrameBytes) {
                error = "the encoder did not give one key frame per second";
                return false;
            }
        keyFrame(stamp, video[0].data);
        infoFrame(infoText(route_.at(second), second, plan_.alarm != 0));
        uint32_t audio = 0;
        for (uint32_t i = 0; i < plan_.fps; ++i) {
            if (i > 0)
                videoFrame(video[i].data);
            for (uint32_t a = audioFramesAfter(i, plan_.fps); a > 0 && plan_.audio; --a)
                audioFrame(audio++);
        }
        return true;
    }

private:
    void keyFrame(uint32_t stamp, const Bytes &payload)
    {
        putStart(out_, 0xFC, kKeyHeader);
        uint8_t *p = out_.data() + out_.size() - kKeyHeader;
        p[4] = plan_.codec;
        p[5] = plan_.fps;
        p[6] = headerSizeByte(plan_.width);
        p[7] = headerSizeByte(plan_.height);
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

    const RecordingSpec &plan_;
    Route route_;
    Bytes tone_;
    Bytes &out_;
};

QImage pictureOf(const RecordingSpec &plan, uint32_t stamp)
{
    return paintChannelPicture(plan.channel, plan.streamType, stamp, plan.width, plan.height);
}

// Encodes a recording second by second and lays each second out as soon as
// the encoder has given all its frames.
class RecordingEncoder
{
public:
    RecordingEncoder(const RecordingSpec &plan, uint64_t seed, const StampClock &clock, RecordingFrames &out)
        : plan_(plan), clock_(clock), out_(out), writer_(plan, seed, out.media)
    {
    }

    bool run(std::string &error)
    {
        const bool pictures = plan_.av == kAvPicture;
        const PictureCodec codec = pictures ? PictureCodec::Jpeg
                                   : plan_.codec == kCodecH265 ? PictureCodec::H265
                                                               : PictureCodec::H264;
        perSecond_ = pictures ? 1 : plan_.fps;
        if (!encoder_.open(codec, plan_.width, plan_.height, int(perSecond_), error))
            return false;
        for (Seconds t = plan_.start; t < plan_.end; ++t)
            if (!encoder_.encode(pictureOf(plan_, clock_(t)), int(perSecond_), error) || !layOutReady(error))
                return false;
        if (!encoder_.finish(error) || !layOutReady(error))
            return false;
        if (starts_.size() - 1 != uint64_t(plan_.end - plan_.start) || !encoder_.frames().empty()) {
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
            const Seconds second = plan_.start + Seconds(starts_.size() - 1);
            if (second >= plan_.end) {
                error = "the encoder gave too many frames";
                return false;
            }
            if (plan_.av == kAvPicture)
                append(out_.media, frames[used].data.data(), frames[used].data.size());
            else if (!writer_.append(second, clock_(second), &frames[used], error))
                return false;
            starts_.push_back(out_.media.size());
        }
        frames.erase(frames.begin(), frames.begin() + long(used));
        return true;
    }

    const RecordingSpec &plan_;
    const StampClock &clock_;
    RecordingFrames &out_;
    SecondWriter writer_;
    VideoEncoder encoder_;
    uint32_t perSecond_ = 1;
    std::vector<uint64_t> starts_{0};
};

} // namespace

bool encodeRecording(const RecordingSpec &plan, uint64_t seed, const StampClock &clock, RecordingFrames &out,
                     std::string &error)
{
    out = {};
    if (!checkRecording(plan, error))
        return false;
    return RecordingEncoder(plan, seed, clock, out).run(error);
}

} // namespace korvane::sim
