#include "convert_job.h"

#include "g711_to_aac.h"
#include "mp4_check.h"
#include "mp4_writer.h"
#include "recorder_file.h"
#include "recorder_frame.h"

#include <cstdio>
#include <ctime>
#include <optional>

namespace korvane::media {

namespace {

constexpr uint32_t kDefaultFrameRate = 25;
constexpr uint32_t kAudioProbeSeconds = 3;
constexpr int kCancelled = 1;

bool isKeyFrame(const H264_PARSER_FRAME &f) { return f.nFrameType == H264_FRAME_VIDEO && f.nSubType == 0; }
bool isG711(const H264_PARSER_FRAME &f)
{
    return f.nFrameType == H264_FRAME_AUDIO && (f.nSubType == kAudioAlaw || f.nSubType == kAudioUlaw);
}

int64_t secondsOf(uint32_t stamp)
{
    const DateTime t = unpackStamp(stamp);
    struct tm when = {};
    when.tm_year = int(t.year) - 1900;
    when.tm_mon = int(t.month) - 1;
    when.tm_mday = int(t.day);
    when.tm_hour = int(t.hour);
    when.tm_min = int(t.minute);
    when.tm_sec = int(t.second);
    return int64_t(timegm(&when));
}

// Video frames counted at the stream's rate; a key frame whose stamp lies more than a second
// ahead of the count (frames missing from the recording) moves the count up to its stamp.
class VideoClock
{
public:
    VideoClock(uint32_t frameRate, uint32_t firstStamp) : rate_(frameRate), first_(secondsOf(firstStamp)) {}
    int64_t next(const H264_PARSER_FRAME &f)
    {
        if (isKeyFrame(f) && f.nStamp != 0) {
            const int64_t anchor = (secondsOf(f.nStamp) - first_) * rate_;
            if (anchor > next_ + rate_) next_ = anchor;
        }
        return next_++;
    }
    int64_t upcomingSample() const { return next_ * kAudioSampleRate / rate_; }

private:
    int64_t rate_, first_, next_ = 0;
};

struct StreamHead {
    VideoTrack video;
    uint8_t audioCodec = 0; // 0: no G.711 audio near the start
};

// Finds the first key frame and whether G.711 audio follows it within a few seconds.
int scanHead(const std::string &source, StreamHead &head)
{
    RecorderFileReader reader;
    if (!reader.open(source)) return TSDK_ERR_SOURCE_OPEN;
    const H264_PARSER_FRAME *f;
    while ((f = reader.next()) && !isKeyFrame(*f)) {
    }
    if (!f) return reader.readFailed() ? TSDK_ERR_READ : TSDK_ERR_NO_KEY_FRAME;
    head.video = {f->nEncodeType, f->nFrameRate ? f->nFrameRate : kDefaultFrameRate, f->nWidth, f->nHeight,
                  extractParameterSets(f->nEncodeType, f->pPayload, f->nPayloadLength), f->nStamp};
    if (head.video.parameterSets.empty() || head.video.width == 0) return TSDK_ERR_CORRUPT_STREAM;
    for (uint32_t video = 0; (f = reader.next()) && video < kAudioProbeSeconds * head.video.frameRate;) {
        if (isG711(*f)) {
            head.audioCodec = uint8_t(f->nSubType);
            break;
        }
        video += f->nFrameType == H264_FRAME_VIDEO;
    }
    return 0;
}

} // namespace

ConvertJob::ConvertJob(int32_t handle, const TSDK_CALLBACK_INFO &callback, std::string source, std::string destination)
    : handle_(handle), callback_(callback), source_(std::move(source)), destination_(std::move(destination))
{
}

ConvertJob::~ConvertJob()
{
    if (thread_.joinable()) thread_.join();
}

void ConvertJob::start() { thread_ = std::thread([this] { run(); }); }

void ConvertJob::cancelAndWait()
{
    requestCancel();
    if (thread_.joinable()) thread_.join();
    removeIncompleteOutput();
}

void ConvertJob::removeIncompleteOutput()
{
    if (outputCreated_ && !complete_) remove(destination_.c_str());
}

void ConvertJob::notify(int message, int value, const char *text) const
{
    if (callback_.pCallBack)
        callback_.pCallBack(handle_, message, value, 0, 0, text, nullptr, 0, 0, callback_.pUser, nullptr);
}

void ConvertJob::reportProgress(uint64_t consumed, uint64_t total)
{
    const int percent = total ? int(std::min<uint64_t>(99, consumed * 100 / total)) : 0;
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    notify(EUIMSG_COVERT_FILE_PROCESS, percent);
}

void ConvertJob::run()
{
    int result;
    try {
        result = convert();
    } catch (...) {
        result = TSDK_ERR_CODEC;
    }
    if (cancelled_) {
        removeIncompleteOutput();
    } else if (result < 0) {
        removeIncompleteOutput();
        notify(EUIMSG_COVERT_FILE_RESULT, result, "conversion failed");
    } else {
        complete_ = true;
        notify(EUIMSG_COVERT_FILE_PROCESS, 100);
    }
    finished_ = true;
}

int ConvertJob::convert()
{
    StreamHead head;
    if (int rc = scanHead(source_, head)) return rc;
    RecorderFileReader reader;
    if (!reader.open(source_)) return TSDK_ERR_SOURCE_OPEN;
    std::optional<G711ToAac> audio;
    if (head.audioCodec && audio.emplace().open(head.audioCodec) < 0) return TSDK_ERR_CODEC;
    Mp4Writer writer;
    const int opened = writer.open(destination_, head.video, audio ? audio->encoder() : nullptr);
    outputCreated_ = writer.created();
    if (opened < 0) return TSDK_ERR_OUTPUT;

    bool audioWriteFailed = false;
    const auto writeAudio = [&](AVPacket *packet) {
        const int rc = writer.writeAudio(packet);
        audioWriteFailed = audioWriteFailed || rc < 0;
        return rc;
    };
    VideoClock clock(head.video.frameRate, head.video.firstStamp);
    bool started = false;
    reportProgress(0, reader.size());
    while (const H264_PARSER_FRAME *f = reader.next()) {
        if (cancelled_) return kCancelled;
        started = started || isKeyFrame(*f);
        if (!started) continue;
        if (f->nFrameType == H264_FRAME_VIDEO) {
            if (writer.writeVideo(f->pPayload, f->nPayloadLength, isKeyFrame(*f), clock.next(*f)) < 0)
                return TSDK_ERR_OUTPUT;
        } else if (audio && f->nFrameType == H264_FRAME_AUDIO && f->nSubType == head.audioCodec) {
            if (audio->push(f->pPayload, f->nPayloadLength, clock.upcomingSample(), writeAudio) < 0)
                return audioWriteFailed ? TSDK_ERR_OUTPUT : TSDK_ERR_CODEC;
        }
        reportProgress(reader.consumed(), reader.size());
    }
    if (reader.readFailed()) return TSDK_ERR_READ;
    if (reader.framedBytes() * 2 < reader.size()) return TSDK_ERR_CORRUPT_STREAM;
    if (audio && audio->finish(writeAudio) < 0) return audioWriteFailed ? TSDK_ERR_OUTPUT : TSDK_ERR_CODEC;
    if (cancelled_) return kCancelled;
    if (writer.finish() < 0) return TSDK_ERR_OUTPUT;
    // Damaged parameter sets pass the muxer but leave a file no player opens.
    return firstVideoFrameDecodes(destination_) ? 0 : TSDK_ERR_CORRUPT_STREAM;
}

} // namespace korvane::media
