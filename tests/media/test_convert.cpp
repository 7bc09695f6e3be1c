#include "media_fixture.h"
#include "tnetsdk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <sstream>
#include <unistd.h>

using namespace korvane::media::fixture;

namespace {

struct Message {
    int id, value;
    std::string text;
};

// Collects a conversion's messages; waits (without a time limit) for its last one.
class Listener
{
public:
    bool cancelOnFirstProgress = false;

    TSDK_CALLBACK_INFO record() { return {0, &Listener::onMessage, this}; }

    std::vector<Message> waitForEnd()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ended_.wait(lock, [&] { return done_; });
        return messages_;
    }
    std::vector<Message> waitForMessages(size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ended_.wait(lock, [&] { return messages_.size() >= count; });
        return messages_;
    }
    std::vector<Message> messages() { return waitForMessages(0); }

private:
    static int onMessage(int handle, int id, int value, int, int, const char *text, void *, int64_t, int, void *user,
                         void *)
    {
        auto *self = static_cast<Listener *>(user);
        if (self->cancelOnFirstProgress && self->messages().empty()) {
            EXPECT_EQ(TPLAY_CancelConvertFile(handle), 0);
        }
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->messages_.push_back({id, value, text ? text : ""});
        self->done_ = id == EUIMSG_COVERT_FILE_RESULT || (id == EUIMSG_COVERT_FILE_PROCESS && value == 100);
        self->ended_.notify_all();
        return 0;
    }

    std::mutex mutex_;
    std::condition_variable ended_;
    std::vector<Message> messages_;
    bool done_ = false;
};

bool exists(const std::string &path) { return access(path.c_str(), F_OK) == 0; }

const uint8_t kKeyStart[4] = {0, 0, 1, 0xFC};

class Conversion : public ::testing::Test
{
protected:
    void TearDown() override
    {
        remove(source.c_str());
        remove(destination.c_str());
    }
    // Converts `recording` and returns every message; the last one ends the conversion.
    std::vector<Message> convert(const std::vector<uint8_t> &recording)
    {
        writeFile(source, recording);
        TSDK_CALLBACK_INFO callback = listener.record();
        const int32_t handle = TPLAY_StartConvertFile(&callback, source.c_str(), destination.c_str(), "");
        EXPECT_GT(handle, 0);
        return handle > 0 ? listener.waitForEnd() : std::vector<Message>{};
    }

    std::string source = tempPath("convert.h264"), destination = tempPath("convert.mp4");
    Listener listener;
};

void expectProgressEndingAt100(const std::vector<Message> &messages)
{
    ASSERT_FALSE(messages.empty());
    int previous = -1;
    for (const Message &m : messages) {
        EXPECT_EQ(m.id, EUIMSG_COVERT_FILE_PROCESS);
        EXPECT_GT(m.value, previous);
        previous = m.value;
    }
    EXPECT_EQ(messages.back().value, 100);
}

// The failure's code, and its text naming the failed step (and FFmpeg's or the system's reason).
void expectFailure(const std::vector<Message> &messages, int code, const std::string &why = "")
{
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().id, EUIMSG_COVERT_FILE_RESULT);
    EXPECT_EQ(messages.back().value, code);
    EXPECT_NE(messages.back().text.find(why), std::string::npos) << messages.back().text;
    for (const Message &m : messages) EXPECT_FALSE(m.id == EUIMSG_COVERT_FILE_PROCESS && m.value == 100);
}

double number(const std::map<std::string, std::string> &values, const std::string &key)
{
    auto it = values.find(key);
    return it == values.end() ? -1 : atof(it->second.c_str());
}

// The machine's time zone for one test, as a POSIX TZ text.
class LocalZone
{
public:
    explicit LocalZone(const char *zone)
    {
        const char *current = getenv("TZ");
        hadZone_ = current != nullptr;
        if (hadZone_) saved_ = current;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone()
    {
        if (hadZone_) setenv("TZ", saved_.c_str(), 1); else unsetenv("TZ");
        tzset();
    }

private:
    bool hadZone_ = false;
    std::string saved_;
};

TEST_F(Conversion, H264WithAudioBecomesAnMp4WithTheSameVideoAndAac)
{
    LocalZone zone("UTC0");
    RecordingOptions options;
    options.leadingVideoFrames = 3;
    expectProgressEndingAt100(convert(makeRecording(smallClip(2), options)));

    auto video = ffprobe("-count_frames -select_streams v:0 -show_entries "
                         "stream=codec_name,codec_tag_string,width,height,nb_read_frames,duration " + destination);
    EXPECT_EQ(video["codec_name"], "h264");
    EXPECT_EQ(video["codec_tag_string"], "avc1");
    EXPECT_EQ(video["width"], "176");
    EXPECT_EQ(video["height"], "144");
    EXPECT_EQ(video["nb_read_frames"], "75") << "frames before the first key frame are left out";
    EXPECT_NEAR(number(video, "duration"), 3.0, 1.0 / 25);

    auto audio = ffprobe("-select_streams a:0 -show_entries stream=codec_name,sample_rate,channels,duration " + destination);
    EXPECT_EQ(audio["codec_name"], "aac");
    EXPECT_EQ(audio["sample_rate"], "8000");
    EXPECT_EQ(audio["channels"], "1");
    EXPECT_NEAR(number(audio, "duration"), 3.0, 0.2);

    auto format = ffprobe("-show_entries format_tags=creation_time " + destination);
    EXPECT_EQ(format["TAG:creation_time"], "2024-03-05T10:15:00.000000Z");
}

// The recorder's clock is local time; the MP4 keeps the same moment in UTC.
TEST_F(Conversion, TheCreationTimeIsTheFirstStampInUtc)
{
    LocalZone zone("CST-8"); // eight hours east of Greenwich
    expectProgressEndingAt100(convert(makeRecording(smallClip(1), RecordingOptions())));
    auto format = ffprobe("-show_entries format_tags=creation_time " + destination);
    EXPECT_EQ(format["TAG:creation_time"], "2024-03-05T02:15:00.000000Z");
}

TEST_F(Conversion, H265WithoutAudioKeepsItsCodecUnderTheHvc1Tag)
{
    RecordingOptions options;
    options.encodeType = 5;
    options.audio = false;
    options.repeats = 2;
    expectProgressEndingAt100(convert(makeRecording(smallClip(5), options)));

    auto video = ffprobe("-count_frames -show_entries "
                         "stream=codec_type,codec_name,codec_tag_string,width,height,nb_read_frames,duration " +
                         destination);
    EXPECT_EQ(video["codec_type"], "video") << "one stream only";
    EXPECT_EQ(video["codec_name"], "hevc");
    EXPECT_EQ(video["codec_tag_string"], "hvc1");
    EXPECT_EQ(video["width"], "176");
    EXPECT_EQ(video["nb_read_frames"], "150");
    EXPECT_NEAR(number(video, "duration"), 6.0, 1.0 / 25);
}

TEST_F(Conversion, AGapInTheStampsBecomesAGapInTime)
{
    RecordingOptions first, later;
    later.firstStamp = advanceStamp(first.firstStamp, 10);
    std::vector<uint8_t> recording = makeRecording(smallClip(2), first);
    const std::vector<uint8_t> second = makeRecording(smallClip(2), later);
    recording.insert(recording.end(), second.begin(), second.end());
    expectProgressEndingAt100(convert(recording));

    auto video = ffprobe("-count_frames -select_streams v:0 -show_entries stream=nb_read_frames,duration " + destination);
    EXPECT_EQ(video["nb_read_frames"], "150");
    EXPECT_NEAR(number(video, "duration"), 13.0, 1.0 / 25);
    auto audio = ffprobe("-select_streams a:0 -show_entries stream=duration " + destination);
    EXPECT_NEAR(number(audio, "duration"), 13.0, 0.2);
}

// The clip framed with each key frame stamped as given (seconds after the first stamp).
std::vector<uint8_t> withKeyStamps(const std::vector<EncodedFrame> &clip, const std::vector<int> &seconds)
{
    const uint32_t first = packStamp(2024, 3, 5, 10, 15, 0);
    RecorderWriter w;
    size_t key = 0;
    for (const EncodedFrame &f : clip) {
        if (f.key) w.key(f.bytes, advanceStamp(first, seconds.at(key++)), 25, 2, 176, 144);
        else w.video(f.bytes);
    }
    EXPECT_EQ(key, seconds.size());
    return w.bytes();
}

// The video packets' presentation times in the output, in its stream's time base.
std::vector<long> videoTimes(const std::string &path)
{
    std::istringstream lines(runCommand("ffprobe -v error -select_streams v:0 -show_entries packet=pts -of csv=p=0 " +
                                        path));
    std::vector<long> times;
    for (std::string line; std::getline(lines, line);) times.push_back(atol(line.c_str()));
    std::sort(times.begin(), times.end());
    return times;
}

void expectEvenlySpaced(const std::string &path, size_t frames, double seconds)
{
    const std::vector<long> times = videoTimes(path);
    ASSERT_EQ(times.size(), frames);
    for (size_t i = 1; i < times.size(); ++i)
        ASSERT_EQ(times[i] - times[i - 1], times[1] - times[0]) << "frame " << i;
    auto video = ffprobe("-select_streams v:0 -show_entries stream=duration " + path);
    EXPECT_NEAR(number(video, "duration"), seconds, 1.0 / 25);
}

// Stamps are whole seconds of the recorder's clock: a key frame's stamp may run up to a second
// ahead of the frames counted at the rate (the recording began mid-second) or behind it (a group
// of pictures that is no multiple of the rate); neither is a gap in the recording.
TEST_F(Conversion, KeyFrameStampsWithinASecondOfTheFrameCountKeepTheFramesEvenlySpaced)
{
    const std::vector<EncodedFrame> gopOf30 = encodeClip(2, 176, 144, 75, 30);
    const struct {
        const std::vector<EncodedFrame> &clip;
        std::vector<int> stamps;
        const char *what;
    } cases[] = {
        {smallClip(2), {0, 2, 3}, "each a second ahead"},
        {smallClip(2), {0, 0, 1}, "each a second behind"},
        {gopOf30, {0, 1, 3}, "began 0.6 s into its first second, a key frame every 1.2 s"},
        {gopOf30, {0, 1, 2}, "a key frame every 1.2 s"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(source, withKeyStamps(c.clip, c.stamps));
        Listener own;
        TSDK_CALLBACK_INFO callback = own.record();
        ASSERT_GT(TPLAY_StartConvertFile(&callback, source.c_str(), destination.c_str(), ""), 0);
        expectProgressEndingAt100(own.waitForEnd());
        expectEvenlySpaced(destination, 75, 3.0);
        remove(destination.c_str());
    }
}

TEST_F(Conversion, ALittleJunkAndACutLastFrameStillConvert)
{
    RecordingOptions options;
    options.audio = false;
    options.repeats = 2;
    std::vector<uint8_t> recording = makeRecording(smallClip(2), options);
    const size_t whole = recording.size();
    std::vector<uint8_t> junk(whole / 10);
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = uint8_t(3 + i * 7 % 250);
    const size_t middle = size_t(std::search(recording.begin() + ptrdiff_t(whole / 2), recording.end(),
                                             std::begin(kKeyStart), std::end(kKeyStart)) -
                                 recording.begin());
    recording.insert(recording.begin() + ptrdiff_t(middle), junk.begin(), junk.end());
    recording.resize(recording.size() - smallClip(2).back().bytes.size() / 2);
    expectProgressEndingAt100(convert(recording));
    expectEvenlySpaced(destination, 149, 149.0 / 25);
}

TEST_F(Conversion, LargerFilesReportProgressInSteps)
{
    RecordingOptions options;
    options.repeats = 12;
    const std::vector<Message> messages = convert(makeRecording(smallClip(2), options));
    expectProgressEndingAt100(messages);
    EXPECT_GT(messages.size(), 3u);
}

TEST_F(Conversion, AFileWithoutKeyFramesFails)
{
    RecorderWriter w;
    for (const EncodedFrame &f : smallClip(2))
        if (!f.key) w.video(f.bytes);
    expectFailure(convert(w.bytes()), TSDK_ERR_NO_KEY_FRAME, "looking for a key frame");
    EXPECT_FALSE(exists(destination));
}

TEST_F(Conversion, AFileCutInsideItsFirstKeyFrameFails)
{
    std::vector<uint8_t> recording = makeRecording(smallClip(2), {});
    recording.resize(smallClip(2)[0].bytes.size() / 2);
    expectFailure(convert(recording), TSDK_ERR_NO_KEY_FRAME);
    EXPECT_FALSE(exists(destination));
}

TEST_F(Conversion, KeyFramesWithoutParameterSetsFail)
{
    RecorderWriter w;
    std::vector<uint8_t> noise(4000);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(3 + i * 7 % 240);
    w.key(noise, packStamp(2024, 1, 1, 0, 0, 0), 25, 2, 176, 144);
    for (int i = 0; i < 24; ++i) w.video(noise);
    expectFailure(convert(w.bytes()), TSDK_ERR_CORRUPT_STREAM);
    EXPECT_FALSE(exists(destination));
}

// H.265 key frames whose sequence parameter set is damaged after its profile: the muxer takes
// them, but no decoder reads the result.
std::vector<EncodedFrame> withDamagedSequenceParameters(std::vector<EncodedFrame> clip)
{
    for (EncodedFrame &f : clip) {
        if (!f.key) continue;
        std::vector<uint8_t> &b = f.bytes;
        for (size_t i = 0; i + 24 < b.size(); ++i) {
            const bool sps = b[i] == 0 && b[i + 1] == 0 && b[i + 2] == 1 && ((b[i + 3] >> 1) & 0x3F) == 33;
            if (!sps) continue;
            for (size_t j = i + 18; j < i + 24; ++j) b[j] = 0xFF;
            break;
        }
    }
    return clip;
}

TEST_F(Conversion, AnMp4ThatNoDecoderReadsIsAFailureAndLeavesNoFile)
{
    RecordingOptions options;
    options.encodeType = 5;
    options.audio = false;
    expectFailure(convert(makeRecording(withDamagedSequenceParameters(smallClip(5)), options)),
                  TSDK_ERR_CORRUPT_STREAM);
    EXPECT_FALSE(exists(destination));
}

TEST_F(Conversion, AFileThatIsMostlyNotFramesFails)
{
    std::vector<uint8_t> recording = makeRecording(smallClip(2), {});
    recording.resize(recording.size() / 3);
    uint32_t state = 12345;
    for (size_t i = 0; i < 400000; ++i) {
        state = state * 1103515245 + 12345;
        recording.push_back(uint8_t(2 + (state >> 16) % 250));
    }
    expectFailure(convert(recording), TSDK_ERR_CORRUPT_STREAM);
    EXPECT_FALSE(exists(destination));
}

TEST_F(Conversion, AnUnwritableDestinationFails)
{
    destination = "/nonexistent-korvane-dir/out.mp4";
    expectFailure(convert(makeRecording(smallClip(2), {})), TSDK_ERR_OUTPUT, "creating the MP4: No such file or directory");
}

TEST_F(Conversion, AMissingSourceFails)
{
    TSDK_CALLBACK_INFO callback = listener.record();
    const int32_t handle = TPLAY_StartConvertFile(&callback, "/nonexistent-korvane.h264", destination.c_str(), "");
    ASSERT_GT(handle, 0);
    expectFailure(listener.waitForEnd(), TSDK_ERR_SOURCE_OPEN, "opening the recording: No such file or directory");
}

TEST_F(Conversion, BadArgumentsAreRefusedAtOnce)
{
    TSDK_CALLBACK_INFO callback = listener.record();
    writeFile(source, {1, 2, 3});
    EXPECT_EQ(TPLAY_StartConvertFile(nullptr, source.c_str(), destination.c_str(), ""), TSDK_ERR_ARGUMENT);
    EXPECT_EQ(TPLAY_StartConvertFile(&callback, nullptr, destination.c_str(), ""), TSDK_ERR_ARGUMENT);
    EXPECT_EQ(TPLAY_StartConvertFile(&callback, source.c_str(), "", ""), TSDK_ERR_ARGUMENT);
    EXPECT_EQ(TPLAY_StartConvertFile(&callback, source.c_str(), source.c_str(), ""), TSDK_ERR_ARGUMENT);
    EXPECT_EQ(TPLAY_CancelConvertFile(0), TSDK_ERR_UNKNOWN_HANDLE);
    EXPECT_EQ(TPLAY_CancelConvertFile(987654), TSDK_ERR_UNKNOWN_HANDLE);
}

TEST_F(Conversion, CancelFromItsOwnMessageStopsItAndLeavesNoFile)
{
    RecordingOptions options;
    options.repeats = 4;
    writeFile(source, makeRecording(smallClip(2), options));
    listener.cancelOnFirstProgress = true;
    TSDK_CALLBACK_INFO callback = listener.record();
    const int32_t handle = TPLAY_StartConvertFile(&callback, source.c_str(), destination.c_str(), "");
    ASSERT_GT(handle, 0);
    listener.waitForMessages(1);
    EXPECT_EQ(TPLAY_CancelConvertFile(handle), 0); // waits for the thread
    EXPECT_FALSE(exists(destination));
    const std::vector<Message> messages = listener.messages();
    ASSERT_EQ(messages.size(), 1u) << "nothing after the cancel";
    EXPECT_EQ(messages[0].value, 0);
    EXPECT_EQ(TPLAY_CancelConvertFile(handle), TSDK_ERR_UNKNOWN_HANDLE);
}

TEST_F(Conversion, CancelRightAfterStartLeavesEitherNothingOrACompleteFile)
{
    writeFile(source, makeRecording(smallClip(2), {}));
    TSDK_CALLBACK_INFO callback = listener.record();
    const int32_t handle = TPLAY_StartConvertFile(&callback, source.c_str(), destination.c_str(), "");
    ASSERT_GT(handle, 0);
    EXPECT_EQ(TPLAY_CancelConvertFile(handle), 0);
    const std::vector<Message> messages = listener.messages();
    const bool completed = !messages.empty() && messages.back().value == 100;
    EXPECT_EQ(exists(destination), completed);
    for (const Message &m : messages) EXPECT_NE(m.id, EUIMSG_COVERT_FILE_RESULT);
}

TEST_F(Conversion, HandlesArePositiveAndDistinct)
{
    writeFile(source, makeRecording(smallClip(2), {}));
    Listener second;
    TSDK_CALLBACK_INFO first = listener.record(), other = second.record();
    const std::string otherDestination = tempPath("other.mp4");
    const int32_t a = TPLAY_StartConvertFile(&first, source.c_str(), destination.c_str(), "");
    const int32_t b = TPLAY_StartConvertFile(&other, source.c_str(), otherDestination.c_str(), "");
    EXPECT_GT(a, 0);
    EXPECT_GT(b, 0);
    EXPECT_NE(a, b);
    expectProgressEndingAt100(listener.waitForEnd());
    expectProgressEndingAt100(second.waitForEnd());
    remove(otherDestination.c_str());
}

} // namespace
