// File mode over a container (MP4, MPEG-TS, ...) read with libavformat. Video packets are turned into
// Annex B and framed as recorder frames, stamped from the creation time, so the rest of the player
// treats them like a recording. Sound in containers is not played.
#include "file_source_detail.h"

#include "ffmpeg_ptr.h"

extern "C" {
#include <libavutil/parseutils.h>
}

#include <algorithm>
#include <cmath>

namespace korvane::media {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext *p) const { avformat_close_input(&p); }
};

class ContainerFileSource : public FileSource
{
public:
    bool open(const std::string &path)
    {
        AVFormatContext *raw = nullptr;
        if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return false;
        format_.reset(raw);
        if (avformat_find_stream_info(format_.get(), nullptr) < 0) return false;
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (stream_ < 0) return false;
        const AVStream *video = format_->streams[stream_];
        const AVCodecID id = video->codecpar->codec_id;
        if (id != AV_CODEC_ID_H264 && id != AV_CODEC_ID_HEVC) return false;
        codecByte_ = id == AV_CODEC_ID_HEVC ? kCodecH265 : kCodecH264;
        width_ = video->codecpar->width;
        height_ = video->codecpar->height;
        fps_ = frameRate(video);
        begin_ = creationTime();
        return openAnnexBFilter(video, id == AV_CODEC_ID_HEVC ? "hevc_mp4toannexb" : "h264_mp4toannexb");
    }

    Result next(MediaFrame &frame) override
    {
        while (receiveFiltered()) {
            const bool taken = makeFrame(frame);
            av_packet_unref(packet_.get());
            if (taken) return Result::Frame;
        }
        return Result::End;
    }

    bool seekPercent(int percent) override
    {
        const int64_t target = format_->duration > 0 ? format_->duration * percent / 100 : 0;
        if (av_seek_frame(format_.get(), -1, target + startOffset(), AVSEEK_FLAG_BACKWARD) < 0) return false;
        av_bsf_flush(filter_.get());
        return true;
    }

    time_t beginTime() const override { return begin_; }
    time_t endTime() const override
    {
        return format_->duration > 0 ? begin_ + time_t(format_->duration / AV_TIME_BASE) : 0;
    }

private:
    static uint8_t frameRate(const AVStream *video)
    {
        const AVRational rate = video->avg_frame_rate.num ? video->avg_frame_rate : video->r_frame_rate;
        const double fps = rate.den ? av_q2d(rate) : 0;
        return uint8_t(std::clamp<long>(std::lround(fps), 0, 255));
    }

    time_t creationTime() const
    {
        const AVDictionaryEntry *entry = av_dict_get(format_->metadata, "creation_time", nullptr, 0);
        int64_t microseconds = 0;
        if (!entry || av_parse_time(&microseconds, entry->value, 0) < 0 || microseconds <= 0) return 0;
        return time_t(microseconds / 1000000);
    }

    int64_t startOffset() const { return format_->start_time != AV_NOPTS_VALUE ? format_->start_time : 0; }

    bool openAnnexBFilter(const AVStream *video, const char *name)
    {
        const AVBitStreamFilter *kind = av_bsf_get_by_name(name);
        AVBSFContext *raw = nullptr;
        if (!kind || av_bsf_alloc(kind, &raw) < 0) return false;
        filter_.reset(raw);
        if (avcodec_parameters_copy(filter_->par_in, video->codecpar) < 0) return false;
        filter_->time_base_in = video->time_base;
        return av_bsf_init(filter_.get()) >= 0 && packet_;
    }

    // The next Annex B packet of the video stream in packet_, or false at the end.
    bool receiveFiltered()
    {
        for (;;) {
            const int got = av_bsf_receive_packet(filter_.get(), packet_.get());
            if (got == 0) return true;
            if (got != AVERROR(EAGAIN)) return false;
            if (!readVideoPacket()) {
                if (av_bsf_send_packet(filter_.get(), nullptr) < 0) return false;
                continue;
            }
            if (av_bsf_send_packet(filter_.get(), packet_.get()) < 0) av_packet_unref(packet_.get());
        }
    }

    bool readVideoPacket()
    {
        while (av_read_frame(format_.get(), packet_.get()) >= 0) {
            if (packet_->stream_index == stream_) return true;
            av_packet_unref(packet_.get());
        }
        return false;
    }

    uint32_t stampOf(const AVPacket *packet) const
    {
        if (!begin_ || packet->pts == AV_NOPTS_VALUE) return 0;
        const double seconds = double(packet->pts) * av_q2d(format_->streams[stream_]->time_base) -
                               double(startOffset()) / AV_TIME_BASE;
        return epochToStamp(begin_ + time_t(std::max(0.0, seconds)));
    }

    bool makeFrame(MediaFrame &frame)
    {
        if (packet_->size <= 0 || size_t(packet_->size) > size_t(kMaxFrameBytes)) return false;
        std::vector<uint8_t> bytes =
            (packet_->flags & AV_PKT_FLAG_KEY)
                ? frameKey(packet_->data, size_t(packet_->size), codecByte_, fps_, width_, height_, stampOf(packet_.get()))
                : frameVideo(packet_->data, size_t(packet_->size));
        auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
        size_t consumed = 0;
        return describeFrame(shared, 0, shared->size(), frame, consumed);
    }

    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    AvPtr<AVBSFContext> filter_;
    AvPtr<AVPacket> packet_{av_packet_alloc()};
    int stream_ = -1;
    uint8_t codecByte_ = kCodecH264, fps_ = 0;
    int width_ = 0, height_ = 0;
    time_t begin_ = 0;
};

} // namespace

std::unique_ptr<FileSource> openContainerFile(const std::string &path)
{
    auto source = std::make_unique<ContainerFileSource>();
    if (!source->open(path)) return nullptr;
    return source;
}

std::unique_ptr<FileSource> openFileSource(const std::string &path)
{
    if (looksLikeRecorderFile(path)) return openRecorderFile(path);
    return openContainerFile(path);
}

} // namespace korvane::media
