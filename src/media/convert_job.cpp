#include "convert_job.h"

#include "g711_to_aac.h"
#include "mp4_check.h"
#include "mp4_writer.h"
#include "recorder_file.h"
#include "recorder_frame.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

// FFmpeg's reason for an error code, as av_err2str gives it.
std::string ffmpegReason(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = "";
    av_make_error_string(text, sizeof text, error);
    return text;
}

// Finds the first key frame and whether G.711 audio follows it within a few seconds.
int scanHead(const std::string &source, StreamHead &head, std::string &why)
{
    const auto failed = [&why](int result, const std::string &step) {
        why = step;
        return result;
    };
    RecorderFileReader reader;
    if (!reader.open(source)) return failed(TSDK_ERR_SOURCE_OPEN, "opening the recording: " + std::string(strerror(errno)));
    const H264_PARSER_FRAME *f;
    while ((f = reader.next()) && !isKeyFrame(*f)) {
    }
    if (!f && reader.readFailed()) return failed(TSDK_ERR_READ, "reading the recording");
    if (!f) return failed(TSDK_ERR_NO_KEY_FRAME, "looking for a key frame: there is none");
    head.video = {f->nEncodeType, f->nFrameRate ? f->nFrameRate : kDefaultFrameRate, f->nWidth, f->nHeight,
                  extractParameterSets(f->nEncodeType, f->pPayload, f->nPayloadLength), f->nStamp};
    if (head.video.parameterSets.empty() || head.video.width == 0)
        return failed(TSDK_ERR_CORRUPT_STREAM, "reading the key frame's parameter sets: none usable");
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
        notify(EUIMSG_COVERT_FILE_RESULT, result, why_.empty() ? "conversion failed" : why_.c_str());
    } else {
        complete_ = true;
        notify(EUIMSG_COVERT_FILE_PROCESS, 100);
    }
    finished_ = true;
}

int ConvertJob::fail(int result, const std::string &step, int ffmpegError)
{
    why_ = ffmpegError < 0 ? step + ": " + ffmpegReason(ffmpegError) : step;
    return result;
}

int ConvertJob::convert()
{
    StreamHead head;
    if (int rc = scanHead(source_, head, why_)) return rc;
    RecorderFileReader reader;
    if (!reader.open(source_)) return fail(TSDK_ERR_SOURCE_OPEN, "opening the recording: " + std::string(strerror(errno)));
    std::optional<G711ToAac> audio;
    if (head.audioCodec) {
        if (const int rc = audio.emplace().open(head.audioCodec); rc < 0)
            return fail(TSDK_ERR_CODEC, "opening the AAC encoder", rc);
    }
    Mp4Writer writer;
    const int opened = writer.open(destination_, head.video, audio ? audio->encoder() : nullptr);
    outputCreated_ = writer.created();
    if (opened < 0) return fail(TSDK_ERR_OUTPUT, "creating the MP4", opened);

    int audioWriteError = 0;
    const auto writeAudio = [&](AVPacket *packet) {
        const int rc = writer.writeAudio(packet);
        if (rc < 0 && !audioWriteError) audioWriteError = rc;
        return rc;
    };
    const auto audioFailed = [&](int rc) {
        return audioWriteError ? fail(TSDK_ERR_OUTPUT, "writing audio", audioWriteError)
                               : fail(TSDK_ERR_CODEC, "encoding audio", rc);
    };
    VideoClock clock(head.video.frameRate, head.video.firstStamp);
    bool started = false;
    reportProgress(0, reader.size());
    while (const H264_PARSER_FRAME *f = reader.next()) {
        if (cancelled_) return kCancelled;
        started = started || isKeyFrame(*f);
        if (!started) continue;
        if (f->nFrameType == H264_FRAME_VIDEO) {
            if (const int rc = writer.writeVideo(f->pPayload, f->nPayloadLength, isKeyFrame(*f), clock.next(*f));
                rc < 0)
                return fail(TSDK_ERR_OUTPUT, "writing video", rc);
        } else if (audio && f->nFrameType == H264_FRAME_AUDIO && f->nSubType == head.audioCodec) {
            if (const int rc = audio->push(f->pPayload, f->nPayloadLength, clock.upcomingSample(), writeAudio); rc < 0)
                return audioFailed(rc);
        }
        reportProgress(reader.consumed(), reader.size());
    }
    if (reader.readFailed()) return fail(TSDK_ERR_READ, "reading the recording");
    if (reader.framedBytes() * 2 < reader.size())
        return fail(TSDK_ERR_CORRUPT_STREAM, "reading the recording: mostly not recorder frames");
    if (audio) {
        if (const int rc = audio->finish(writeAudio); rc < 0) return audioFailed(rc);
    }
    if (cancelled_) return kCancelled;
    if (const int rc = writer.finish(); rc < 0) return fail(TSDK_ERR_OUTPUT, "finishing the MP4", rc);
    // Damaged parameter sets pass the muxer but leave a file no player opens.
    if (!firstVideoFrameDecodes(destination_))
        return fail(TSDK_ERR_CORRUPT_STREAM, "checking the MP4: its first picture does not decode");
    return 0;
}

} // namespace korvane::media
