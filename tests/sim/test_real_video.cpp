#include "real_media_support.h"

#include "channel_picture.h"
#include "media_decode.h"

#include <algorithm>

using namespace simtest;

namespace {

std::vector<uint8_t> paintedLuma(const RecordingSpec &r, uint32_t stamp)
{
    const QImage picture = paintChannelPicture(r.channel, r.streamType, stamp, r.width, r.height);
    std::vector<uint8_t> luma;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            luma.push_back(uint8_t(16.5 + (65.481 * qRed(p) + 128.553 * qGreen(p) + 24.966 * qBlue(p)) / 255));
        }
    return luma;
}

std::vector<std::vector<uint8_t>> videoPayloads(const FrameWalk &walk)
{
    std::vector<std::vector<uint8_t>> out;
    for (const RecorderFrame &f : walk.frames)
        if (f.type == 0xFC || f.type == 0xFD)
            out.push_back(f.payload);
    return out;
}

bool containsAll(const std::vector<int> &types, std::initializer_list<int> wanted)
{
    return std::all_of(wanted.begin(), wanted.end(),
                       [&](int t) { return std::find(types.begin(), types.end(), t) != types.end(); });
}

bool startsWithStartCode(const std::vector<uint8_t> &p)
{
    const uint8_t three[] = {0, 0, 1}, four[] = {0, 0, 0, 1};
    return (p.size() > 3 && std::equal(three, three + 3, p.begin())) ||
           (p.size() > 4 && std::equal(four, four + 4, p.begin()));
}

class RealVideo : public ::testing::TestWithParam<uint8_t>
{
protected:
    bool hevc() const { return GetParam() == 3; }
    VideoKind kind() const { return hevc() ? VideoKind::H265 : VideoKind::H264; }
};

} // namespace

TEST_P(RealVideo, OneKeyFramePerSecondWithTheRecordingsCodecSizeAndStamp)
{
    ImageFile f("real-keys");
    Scenario s = realScenario();
    const RecordingSpec rec = realVideo(2, at(23, 59, 58), 4, GetParam());
    s.recordings.push_back(rec);
    const Manifest m = writeOrFail(s, f.path());
    const FrameWalk walk = readRecording(Image(f.path()), *find(m, 0));
    EXPECT_TRUE(walk.clean);
    EXPECT_EQ(walk.end, find(m, 0)->dataBytes);
    const auto keys = framesOfType(walk, 0xFC);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(framesOfType(walk, 0xFD).size(), 4u * 4);
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::vector<uint8_t> &h = keys[i]->header;
        EXPECT_EQ(h[4], GetParam());
        EXPECT_EQ(h[5], 5);
        EXPECT_EQ(h[6], 176 / 8);
        EXPECT_EQ(h[7], 144 / 8);
        EXPECT_EQ(le32(&h[8]), packTime(rec.start + Seconds(i))) << "second " << i;
    }
    EXPECT_EQ(le32(&keys[2]->header[8]), pack(2024, 3, 6, 0, 0, 0));
}

TEST_P(RealVideo, KeyFramesCarryTheirParameterSetsAndOtherFramesDoNot)
{
    ImageFile f("real-nal");
    Scenario s = realScenario();
    s.recordings.push_back(realVideo(0, at(9), 3, GetParam()));
    const Manifest m = writeOrFail(s, f.path());
    const FrameWalk walk = readRecording(Image(f.path()), *find(m, 0));
    ASSERT_EQ(framesOfType(walk, 0xFC).size(), 3u);
    for (const RecorderFrame *key : framesOfType(walk, 0xFC)) {
        const std::vector<int> types = nalTypes(key->payload, hevc());
        EXPECT_TRUE(hevc() ? containsAll(types, {32, 33, 34}) : containsAll(types, {7, 8, 5}));
        EXPECT_TRUE(!hevc() || containsAll(types, {19}) || containsAll(types, {20}));
        EXPECT_TRUE(startsWithStartCode(key->payload));
    }
    for (const RecorderFrame *other : framesOfType(walk, 0xFD)) {
        const std::vector<int> types = nalTypes(other->payload, hevc());
        ASSERT_FALSE(types.empty());
        for (int t : types)
            EXPECT_TRUE(hevc() ? t < 16 : t == 1) << "NAL type " << t;
    }
}

TEST_P(RealVideo, EveryKeyFrameDecodesOnItsOwnToThePictureOfItsStamp)
{
    ImageFile f("real-decode");
    Scenario s = realScenario();
    RecordingSpec rec = realVideo(1, at(12, 0, 8), 3, GetParam());
    rec.streamType = 1;
    s.recordings.push_back(rec);
    s.clockJumps.push_back({at(12, 0, 10), 3600}); // the picture shows the recorder's clock
    const Manifest m = writeOrFail(s, f.path());
    const FrameWalk walk = readRecording(Image(f.path()), *find(m, 0));
    const auto keys = framesOfType(walk, 0xFC);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(le32(&keys[2]->header[8]), packTime(at(11, 0, 10)));
    for (const RecorderFrame *key : keys) {
        const DecodedVideo d = decodeVideo(kind(), {key->payload});
        ASSERT_TRUE(d.ok) << d.error;
        ASSERT_EQ(d.luma.size(), 1u);
        EXPECT_EQ(d.width, 176);
        EXPECT_EQ(d.height, 144);
        const uint32_t stamp = le32(&key->header[8]);
        const double own = worstBlockDifference(d.luma[0], paintedLuma(rec, stamp), 176, 144);
        const double next = worstBlockDifference(d.luma[0], paintedLuma(rec, packTime(unpackTime(stamp) + 1)), 176, 144);
        EXPECT_LT(own, 12) << "the picture shows its own date and time";
        EXPECT_GT(next, 2 * own + 10) << "and not the next second's";
    }
}

TEST_P(RealVideo, TheWholeRecordingDecodesFrameByFrame)
{
    ImageFile f("real-all");
    Scenario s = realScenario();
    s.recordings.push_back(realVideo(3, at(7, 30), 3, GetParam(), 4));
    const Manifest m = writeOrFail(s, f.path());
    const FrameWalk walk = readRecording(Image(f.path()), *find(m, 0));
    const DecodedVideo d = decodeVideo(kind(), videoPayloads(walk));
    ASSERT_TRUE(d.ok) << d.error;
    ASSERT_EQ(d.luma.size(), 3u * 4);
    EXPECT_LT(worstBlockDifference(d.luma[4], d.luma[7], 176, 144), 4) << "one picture through the second";
    EXPECT_GT(worstBlockDifference(d.luma[3], d.luma[4], 176, 144), 20) << "the clock moves on";
}

INSTANTIATE_TEST_SUITE_P(Codecs, RealVideo, ::testing::Values(uint8_t(2), uint8_t(3)),
                         [](const auto &info) { return info.param == 3 ? "H265" : "H264"; });

TEST(RealPictures, PictureRecordingsHoldOneJpegPerSecond)
{
    ImageFile f("real-jpeg");
    Scenario s = realScenario();
    s.partitions[0].driverType = 4;
    RecordingSpec p = realVideo(4, at(12), 3);
    p.av = 0;
    s.recordings.push_back(p);
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const std::vector<uint8_t> bytes = img.recordingBytes(0, find(m, 0)->firstCluster);
    ASSERT_GE(bytes.size(), find(m, 0)->dataBytes);
    std::vector<std::vector<uint8_t>> jpegs; // each from its start marker to its end marker
    const size_t end = find(m, 0)->dataBytes;
    size_t from = 0;
    for (size_t i = 2; i <= end; ++i)
        if (bytes[i - 2] == 0xFF && bytes[i - 1] == 0xD9 && (i == end || bytes[i] == 0xFF)) {
            jpegs.emplace_back(bytes.begin() + long(from), bytes.begin() + long(i));
            from = i;
        }
    ASSERT_EQ(jpegs.size(), 3u);
    EXPECT_EQ(from, end);
    const DecodedVideo d = decodeVideo(VideoKind::Jpeg, jpegs);
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.luma.size(), 3u);
    EXPECT_EQ(d.width, 176);
    EXPECT_EQ(d.height, 144);
}

TEST(RealVideoLimits, SizesThatAreNotMultiplesOfEightAreRefused)
{
    ImageFile f("real-odd");
    Scenario s = realScenario();
    RecordingSpec r = realVideo(0, at(9), 2);
    r.width = 180;
    s.recordings.push_back(r);
    const Result result = writeDisk(s, f.path());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("recording 0"), std::string::npos) << result.message;
}

// Beyond 2040 pixels the key frame header saturates and the parameter sets alone give the size.
TEST(RealVideoLimits, UltraHdH265IsSizedByItsParameterSetsAndLargerIsRefused)
{
    ImageFile f("real-uhd");
    Scenario s = realScenario(2048);
    RecordingSpec r = realVideo(0, at(9), 2, 3, 1);
    r.width = 3840;
    r.height = 2160;
    s.recordings.push_back(r);
    const Manifest m = writeOrFail(s, f.path());
    const FrameWalk walk = readRecording(Image(f.path()), *find(m, 0));
    const auto keys = framesOfType(walk, 0xFC);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0]->header[6], 255);
    EXPECT_EQ(keys[0]->header[7], 255);
    const DecodedVideo d = decodeVideo(VideoKind::H265, {keys[1]->payload});
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.width, 3840);
    EXPECT_EQ(d.height, 2160);

    s.recordings[0].width = 3848;
    const Result wider = writeDisk(s, f.path());
    EXPECT_FALSE(wider.ok);
    EXPECT_NE(wider.message.find("at most 3840x2160"), std::string::npos) << wider.message;
}
