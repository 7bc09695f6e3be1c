#include "mp4_writer.h"

#include "media_frame.h"
#include "recorder_frame.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace korvane::media {

std::vector<uint8_t> extractParameterSets(uint32_t encodeType, const uint8_t *data, size_t size)
{
    const AVBitStreamFilter *filter = av_bsf_get_by_name("extract_extradata");
    AVBSFContext *raw = nullptr;
    if (!filter || size > INT32_MAX || av_bsf_alloc(filter, &raw) < 0) return {};
    AvPtr<AVBSFContext> bsf(raw);
    bsf->par_in->codec_type = AVMEDIA_TYPE_VIDEO;
    bsf->par_in->codec_id = encodeType == 5 ? AV_CODEC_ID_HEVC : AV_CODEC_ID_H264;
    AvPtr<AVPacket> packet(av_packet_alloc());
    if (!packet || av_bsf_init(bsf.get()) < 0 || av_new_packet(packet.get(), int(size)) < 0) return {};
    memcpy(packet->data, data, size);
    if (av_bsf_send_packet(bsf.get(), packet.get()) < 0 || av_bsf_receive_packet(bsf.get(), packet.get()) < 0)
        return {};
    size_t extraSize = 0;
    const uint8_t *extra = av_packet_get_side_data(packet.get(), AV_PKT_DATA_NEW_EXTRADATA, &extraSize);
    return extra ? std::vector<uint8_t>(extra, extra + extraSize) : std::vector<uint8_t>{};
}

namespace {

// The recorder's stamps are local time; MP4 keeps its creation time in UTC, so players show
// the recorder's clock again in this zone. Empty for a stamp that is no time.
std::string creationTime(uint32_t stamp)
{
    const time_t when = stampToEpoch(stamp);
    struct tm utc = {};
    if (when <= 0 || !gmtime_r(&when, &utc)) return std::string();
    char text[40];
    strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000000Z", &utc);
    return text;
}

} // namespace

Mp4Writer::~Mp4Writer()
{
    if (!format_) return;
    if (format_->pb) avio_closep(&format_->pb);
    avformat_free_context(format_);
}

int Mp4Writer::addVideoStream(const VideoTrack &video)
{
    video_ = avformat_new_stream(format_, nullptr);
    if (!video_) return AVERROR(ENOMEM);
    AVCodecParameters *par = video_->codecpar;
    par->codec_type = AVMEDIA_TYPE_VIDEO;
    par->codec_id = video.encodeType == 5 ? AV_CODEC_ID_HEVC : AV_CODEC_ID_H264;
    par->codec_tag = video.encodeType == 5 ? MKTAG('h', 'v', 'c', '1') : MKTAG('a', 'v', 'c', '1');
    par->width = int(video.width);
    par->height = int(video.height);
    par->extradata = static_cast<uint8_t *>(av_mallocz(video.parameterSets.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!par->extradata) return AVERROR(ENOMEM);
    memcpy(par->extradata, video.parameterSets.data(), video.parameterSets.size());
    par->extradata_size = int(video.parameterSets.size());
    videoTimeBase_ = {1, int(video.frameRate)};
    video_->time_base = videoTimeBase_;
    video_->avg_frame_rate = {int(video.frameRate), 1};
    return 0;
}

int Mp4Writer::addAudioStream(const AVCodecContext *encoder)
{
    audio_ = avformat_new_stream(format_, nullptr);
    if (!audio_) return AVERROR(ENOMEM);
    audioTimeBase_ = encoder->time_base;
    audio_->time_base = audioTimeBase_;
    return avcodec_parameters_from_context(audio_->codecpar, encoder);
}

int Mp4Writer::open(const std::string &path, const VideoTrack &video, const AVCodecContext *audioEncoder)
{
    packet_.reset(av_packet_alloc());
    int rc = packet_ ? avformat_alloc_output_context2(&format_, nullptr, "mp4", path.c_str()) : AVERROR(ENOMEM);
    if (rc >= 0) rc = addVideoStream(video);
    if (rc >= 0 && audioEncoder) rc = addAudioStream(audioEncoder);
    const std::string created = creationTime(video.firstStamp);
    if (rc >= 0 && !created.empty()) rc = av_dict_set(&format_->metadata, "creation_time", created.c_str(), 0);
    if (rc >= 0) rc = avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE);
    created_ = rc >= 0;
    return rc < 0 ? rc : avformat_write_header(format_, nullptr);
}

int Mp4Writer::writeVideo(const uint8_t *data, size_t size, bool key, int64_t frameIndex)
{
    int rc = av_new_packet(packet_.get(), int(size));
    if (rc < 0) return rc;
    memcpy(packet_->data, data, size);
    packet_->pts = packet_->dts = frameIndex;
    packet_->duration = 1;
    packet_->flags = key ? AV_PKT_FLAG_KEY : 0;
    packet_->stream_index = video_->index;
    av_packet_rescale_ts(packet_.get(), videoTimeBase_, video_->time_base);
    return av_interleaved_write_frame(format_, packet_.get());
}

int Mp4Writer::writeAudio(AVPacket *packet)
{
    packet->stream_index = audio_->index;
    av_packet_rescale_ts(packet, audioTimeBase_, audio_->time_base);
    return av_interleaved_write_frame(format_, packet);
}

int Mp4Writer::finish()
{
    const int rc = av_write_trailer(format_);
    const int closed = avio_closep(&format_->pb);
    return rc < 0 ? rc : closed;
}

} // namespace korvane::media
