#include "sim_test_support.h"

#include <cstring>

using namespace simtest;

namespace {

struct StreamSummary {
    std::vector<uint32_t> keyStamps;
    std::vector<uint8_t> keyRates;
    uint8_t codec = 0, widthBy8 = 0, heightBy8 = 0;
    size_t videoFrames = 0, audioFrames = 0;
    size_t startCodesInPayload = 0;
    size_t end = 0; // offset after the last whole frame
    bool clean = true;
};

size_t startCodes(const std::vector<uint8_t> &b, size_t from, size_t to)
{
    size_t n = 0;
    for (size_t i = from; i + 2 < to; ++i)
        n += b[i] == 0 && b[i + 1] == 0 && b[i + 2] == 1;
    return n;
}

// Walks recorder frames the way the frame index does, jumping by each frame's size.
StreamSummary parseFrames(const std::vector<uint8_t> &b, size_t pos)
{
    StreamSummary s;
    while (pos + 16 <= b.size()) {
        if (b[pos] != 0 || b[pos + 1] != 0 || b[pos + 2] != 1) {
            s.clean = std::all_of(b.begin() + long(pos), b.end(), [](uint8_t x) { return x == 0; });
            break;
        }
        size_t header = 8, payload = 0;
        switch (b[pos + 3]) {
        case 0xFC:
            header = 16;
            payload = le32(&b[pos + 12]);
            s.keyStamps.push_back(le32(&b[pos + 8]));
            s.keyRates.push_back(b[pos + 5]);
            s.codec = b[pos + 4];
            s.widthBy8 = b[pos + 6];
            s.heightBy8 = b[pos + 7];
            ++s.videoFrames;
            break;
        case 0xFD:
            payload = le32(&b[pos + 4]);
            ++s.videoFrames;
            break;
        case 0xFA:
            payload = le16(&b[pos + 6]);
            ++s.audioFrames;
            break;
        default:
            s.clean = false;
            return s;
        }
        if (pos + header + payload > b.size())
            break;
        s.startCodesInPayload += startCodes(b, pos + header, pos + header + payload);
        pos += header + payload;
        s.end = pos;
    }
    return s;
}

} // namespace

TEST(FrameStream, RecordingReadInChainOrderIsAValidFrameStream)
{
    ImageFile f("frames");
    Scenario s = smallScenario();
    RecordingSpec main = video(0, at(23, 59, 50), 20, 20000);
    main.codec = 3;
    main.width = 704;
    main.height = 576;
    main.audio = true;
    s.recordings.push_back(main);
    s.recordings.push_back(video(1, at(23, 59, 52), 15, 5000));
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const RecordingResult *r = find(m, 0);
    ASSERT_NE(r, nullptr);
    const std::vector<uint8_t> bytes = img.recordingBytes(0, r->firstCluster);
    ASSERT_EQ(bytes.size(), (size_t(r->clusterCount - 1) * 8 + r->endLength) * 512);
    const StreamSummary fs = parseFrames(bytes, 0);
    EXPECT_TRUE(fs.clean);
    EXPECT_EQ(fs.end, r->dataBytes);
    ASSERT_EQ(fs.keyStamps.size(), 20u);
    for (size_t i = 0; i < fs.keyStamps.size(); ++i)
        EXPECT_EQ(fs.keyStamps[i], packTime(main.start + Seconds(i))) << "second " << i;
    EXPECT_EQ(fs.keyStamps[10], pack(2024, 3, 6, 0, 0, 0)) << "stamps run over midnight";
    EXPECT_EQ(fs.videoFrames, 20u * 10);
    EXPECT_EQ(fs.audioFrames, 20u * 25);
    EXPECT_EQ(fs.keyRates.front(), 10);
    EXPECT_EQ(fs.codec, 3);
    EXPECT_EQ(fs.widthBy8, 88);
    EXPECT_EQ(fs.heightBy8, 72);
    EXPECT_EQ(fs.startCodesInPayload, 0u);
}

TEST(FrameStream, BytesPerSecondFollowTheScenario)
{
    ImageFile f("rates");
    Scenario s = smallScenario();
    s.recordings.push_back(video(0, at(6), 10, 12000));
    s.recordings.push_back(video(1, at(6), 10, 3000));
    const Manifest m = writeOrFail(s, f.path());
    EXPECT_EQ(find(m, 0)->dataBytes, 120000u);
    EXPECT_EQ(find(m, 1)->dataBytes, 30000u);
    EXPECT_EQ(find(m, 0)->clusterCount, (120000u + 4095) / 4096);
}

TEST(FrameStream, DhiiHeaderPrecedesTheFrames)
{
    ImageFile f("dhii");
    Scenario s = smallScenario();
    RecordingSpec r = video(0, at(7), 8);
    r.dhiiSectors = 3;
    s.recordings.push_back(r);
    RecordingSpec hidden = video(1, at(7), 8);
    hidden.dhiiSectors = 2;
    hidden.headSectorsInDir = false;
    s.recordings.push_back(hidden);
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const auto bytes = img.recordingBytes(0, find(m, 0)->firstCluster);
    ASSERT_GT(bytes.size(), 3u * 512);
    EXPECT_EQ(std::memcmp(bytes.data(), "DHII", 4), 0);
    EXPECT_EQ(le32(bytes.data() + 4), 3u * 512);
    EXPECT_EQ(img.dir(0, find(m, 0)->firstCluster).headSectors, 3);
    EXPECT_EQ(find(m, 0)->headSectors, 3);
    const StreamSummary fs = parseFrames(bytes, 3 * 512);
    EXPECT_EQ(fs.keyStamps.size(), 8u);
    EXPECT_EQ(fs.keyStamps.front(), packTime(at(7)));
    EXPECT_EQ(img.dir(0, find(m, 1)->firstCluster).headSectors, 0);
    EXPECT_EQ(std::memcmp(img.recordingBytes(0, find(m, 1)->firstCluster).data(), "DHII", 4), 0);
}

TEST(FrameStream, PicturesAreJpegBlobs)
{
    ImageFile f("pictures");
    Scenario s = smallScenario();
    s.partitions[0].driverType = 4;
    RecordingSpec p = video(5, at(12), 3, 2000);
    p.av = 0;
    s.recordings.push_back(p);
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const auto bytes = img.recordingBytes(0, find(m, 0)->firstCluster);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(bytes[i * 2000], 0xFF);
        EXPECT_EQ(bytes[i * 2000 + 1], 0xD8);
        EXPECT_EQ(bytes[i * 2000 + 1999], 0xD9);
    }
    EXPECT_EQ(img.dir(0, find(m, 0)->firstCluster).av, 0);
    EXPECT_EQ(img.index(0, find(m, 0)->firstCluster) >> 2, 5);
}

TEST(FrameStream, PictureRecordingNeedsAPicturePartition)
{
    ImageFile f("no-picture-partition");
    Scenario s = smallScenario();
    RecordingSpec p = video(0, at(12), 3);
    p.av = 0;
    s.recordings.push_back(p);
    EXPECT_FALSE(writeDisk(s, f.path()).ok);
}
