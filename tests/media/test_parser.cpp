#include "media_fixture.h"
#include "streamreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace korvane::media::fixture;

namespace {

struct Parsed {
    std::vector<uint8_t> bytes;
    uint32_t type, subType, encodeType, year, month, day, hour, minute, second, rate, width, height;
    bool operator==(const Parsed &o) const
    {
        return bytes == o.bytes && std::tie(type, subType, encodeType, year, month, day, hour, minute, second, rate,
                                            width, height) == std::tie(o.type, o.subType, o.encodeType, o.year,
                                                                       o.month, o.day, o.hour, o.minute, o.second,
                                                                       o.rate, o.width, o.height);
    }
};

void PrintTo(const Parsed &f, std::ostream *os)
{
    *os << "{type " << f.type << "/" << f.subType << ", " << f.bytes.size() << " bytes, enc " << f.encodeType << ", "
        << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute << ":" << f.second << ", "
        << f.rate << " fps, " << f.width << "x" << f.height << "}";
}

Parsed copyOf(const H264_PARSER_FRAME &f)
{
    return {std::vector<uint8_t>(f.pData, f.pData + f.nLength), f.nFrameType, f.nSubType, f.nEncodeType, f.nYear,
            f.nMonth, f.nDay, f.nHour, f.nMinute, f.nSecond, f.nFrameRate, f.nWidth, f.nHeight};
}

// Feeds the stream in pieces of `chunk` bytes (0: all at once) and collects every frame.
std::vector<Parsed> parseAll(const std::vector<uint8_t> &stream, size_t chunk = 0)
{
    H264_PARSER_HANDLE parser = H264_PARSER_Create(0);
    std::vector<Parsed> frames;
    const size_t step = chunk ? chunk : std::max<size_t>(stream.size(), 1);
    for (size_t at = 0; at < stream.size(); at += step) {
        const uint32_t n = uint32_t(std::min(step, stream.size() - at));
        EXPECT_EQ(H264_PARSER_InputData(parser, stream.data() + at, n), 0);
        while (const H264_PARSER_FRAME *f = H264_PARSER_GetNextFrame(parser)) frames.push_back(copyOf(*f));
    }
    H264_PARSER_Destroy(parser);
    return frames;
}

size_t countOf(const std::vector<Parsed> &frames, uint32_t type, int subType = -1)
{
    return size_t(std::count_if(frames.begin(), frames.end(), [&](const Parsed &f) {
        return f.type == type && (subType < 0 || f.subType == uint32_t(subType));
    }));
}

std::vector<uint8_t> concatenated(const std::vector<Parsed> &frames)
{
    std::vector<uint8_t> out;
    for (const Parsed &f : frames) out.insert(out.end(), f.bytes.begin(), f.bytes.end());
    return out;
}

std::vector<uint8_t> placeholder(size_t n)
{
    std::vector<uint8_t> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = uint8_t(2 + i % 250);
    return out;
}

class ParserCodecs : public ::testing::TestWithParam<uint32_t>
{
};

TEST_P(ParserCodecs, CountsFramesByTypeAndReadsTheParameterSets)
{
    RecordingOptions options;
    options.encodeType = GetParam();
    options.misleadingHeader = true;
    const std::vector<uint8_t> stream = makeRecording(smallClip(GetParam()), options);
    const std::vector<Parsed> frames = parseAll(stream);

    EXPECT_EQ(countOf(frames, H264_FRAME_VIDEO), 75u);
    EXPECT_EQ(countOf(frames, H264_FRAME_VIDEO, 0), 3u);
    EXPECT_EQ(countOf(frames, H264_FRAME_AUDIO, 14), 75u);
    EXPECT_EQ(countOf(frames, H264_FRAME_INFO, 1), 3u);
    EXPECT_EQ(concatenated(frames), stream) << "frames must tile the stream exactly";
    for (const Parsed &f : frames) {
        EXPECT_EQ(f.encodeType, GetParam());
        EXPECT_EQ(f.width, 176u);
        EXPECT_EQ(f.height, 144u);
        EXPECT_EQ(f.rate, 25u);
    }
}

INSTANTIATE_TEST_SUITE_P(H264AndH265, ParserCodecs, ::testing::Values(2u, 5u));

TEST(ParserTime, EveryFrameCarriesItsKeyFramesStamp)
{
    RecordingOptions options;
    options.firstStamp = packStamp(2024, 12, 31, 23, 59, 59);
    const std::vector<Parsed> frames = parseAll(makeRecording(smallClip(2), options));
    std::vector<std::vector<uint32_t>> keyTimes;
    for (const Parsed &f : frames)
        if (f.type == H264_FRAME_VIDEO && f.subType == 0) keyTimes.push_back({f.year, f.month, f.day, f.hour, f.minute, f.second});
    const std::vector<std::vector<uint32_t>> expected = {
        {2024, 12, 31, 23, 59, 59}, {2025, 1, 1, 0, 0, 0}, {2025, 1, 1, 0, 0, 1}};
    EXPECT_EQ(keyTimes, expected);
    const Parsed &lastAudio = *std::find_if(frames.rbegin(), frames.rend(), [](const Parsed &f) { return f.type == 2; });
    EXPECT_EQ(lastAudio.second, 1u);
    EXPECT_EQ(lastAudio.year, 2025u);
}

TEST(ParserTime, FramesBeforeTheFirstKeyFrameCarryNoTime)
{
    RecordingOptions options;
    options.leadingVideoFrames = 4;
    const std::vector<Parsed> frames = parseAll(makeRecording(smallClip(2), options));
    ASSERT_GT(frames.size(), 6u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(frames[i].year, 0u) << i;
        EXPECT_EQ(frames[i].rate, 0u) << i;
        EXPECT_EQ(frames[i].width, 0u) << i;
    }
    EXPECT_EQ(frames[3].type, 1u);
    EXPECT_EQ(frames[3].subType, 1u);
    EXPECT_EQ(frames[4].type, 2u);
    EXPECT_EQ(frames[5].subType, 0u);
    EXPECT_EQ(frames[5].year, 2024u);
    EXPECT_EQ(frames[5].minute, 15u);
}

class ParserChunks : public ::testing::TestWithParam<size_t>
{
};

TEST_P(ParserChunks, AnyChunkingGivesTheSameFrames)
{
    RecordingOptions options;
    options.leadingVideoFrames = 2;
    const std::vector<uint8_t> stream = makeRecording(smallClip(5), options);
    static const std::vector<Parsed> whole = parseAll(stream);
    EXPECT_EQ(parseAll(stream, GetParam()), whole);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ParserChunks, ::testing::Values(1, 2, 3, 7, 17, 4093, 32768));

TEST(ParserChunking, AFrameSplitAcrossChunksComesWithTheChunkThatCompletesIt)
{
    RecorderWriter w;
    w.video(placeholder(1000));
    H264_PARSER_HANDLE parser = H264_PARSER_Create(0);
    ASSERT_EQ(H264_PARSER_InputData(parser, w.bytes().data(), 600), 0);
    EXPECT_EQ(H264_PARSER_GetNextFrame(parser), nullptr);
    ASSERT_EQ(H264_PARSER_InputData(parser, w.bytes().data() + 600, uint32_t(w.bytes().size() - 600)), 0);
    const H264_PARSER_FRAME *f = H264_PARSER_GetNextFrame(parser);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->nLength, 1008u);
    EXPECT_EQ(f->nPayloadLength, 1000u);
    EXPECT_EQ(f->pPayload, f->pData + 8);
    EXPECT_EQ(H264_PARSER_GetNextFrame(parser), nullptr);
    H264_PARSER_Destroy(parser);
}

TEST(ParserResync, JunkBetweenFramesIsSkipped)
{
    const std::vector<uint8_t> clean = makeRecording(smallClip(2), {});
    const std::vector<Parsed> expected = parseAll(clean);
    const std::vector<std::vector<uint8_t>> junk = {
        {0xAB, 0xCD}, {0, 0, 1, 0x42, 7}, {0, 0, 0, 0, 1}, {0, 0, 1, 0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 9}, {0, 0}};
    RecorderWriter dirty;
    size_t n = 0;
    for (const Parsed &f : expected) {
        dirty.raw(junk[n++ % junk.size()]);
        dirty.raw(f.bytes);
    }
    EXPECT_EQ(parseAll(dirty.bytes(), 4093), expected);
}

// Frames of every kind with junk before each one; clean holds the same frames without the junk.
struct JunkedStream {
    std::vector<uint8_t> bytes, clean;
    std::vector<size_t> frameStarts; // where each frame's 00 00 01 begins in bytes
};

JunkedStream junkBeforeEveryFrame()
{
    const std::vector<std::vector<uint8_t>> junk = {{0xAB}, {0, 0}, {0, 0, 0}, {0, 0, 1, 0x42, 0}, {1, 0, 0}, {0}};
    RecorderWriter frames[6];
    frames[0].key(placeholder(40), packStamp(2024, 1, 2, 3, 4, 5), 25, 2, 176, 144);
    frames[1].video(placeholder(30));
    frames[2].audio(14, placeholder(20));
    frames[3].info(1, "STATUS:00000000;");
    frames[4].video(placeholder(9));
    frames[5].key(placeholder(25), packStamp(2024, 1, 2, 3, 4, 6), 25, 2, 176, 144);
    JunkedStream s;
    for (size_t i = 0; i < 6; ++i) {
        s.bytes.insert(s.bytes.end(), junk[i].begin(), junk[i].end());
        s.frameStarts.push_back(s.bytes.size());
        s.bytes.insert(s.bytes.end(), frames[i].bytes().begin(), frames[i].bytes().end());
        s.clean.insert(s.clean.end(), frames[i].bytes().begin(), frames[i].bytes().end());
    }
    return s;
}

// The stream fed in pieces that end at the given positions (and at its end).
std::vector<Parsed> parseCutAt(const std::vector<uint8_t> &stream, std::vector<size_t> cuts)
{
    cuts.push_back(stream.size());
    H264_PARSER_HANDLE parser = H264_PARSER_Create(0);
    std::vector<Parsed> frames;
    size_t from = 0;
    for (size_t cut : cuts) {
        EXPECT_EQ(H264_PARSER_InputData(parser, stream.data() + from, uint32_t(cut - from)), 0);
        while (const H264_PARSER_FRAME *f = H264_PARSER_GetNextFrame(parser)) frames.push_back(copyOf(*f));
        from = cut;
    }
    H264_PARSER_Destroy(parser);
    return frames;
}

TEST(ParserResync, AStartCodeAfterJunkThatEndsAChunkIsKept)
{
    const JunkedStream s = junkBeforeEveryFrame();
    const std::vector<Parsed> expected = parseAll(s.clean);
    ASSERT_EQ(expected.size(), 6u);
    for (size_t i = 1; i < s.frameStarts.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ(parseCutAt(s.bytes, {s.frameStarts[i] + 3}), expected) << "00 00 01 are the chunk's last bytes";
    }
}

TEST(ParserChunking, EverySplitOfStartCodesAndHeadersAfterJunkGivesTheSameFrames)
{
    const JunkedStream s = junkBeforeEveryFrame();
    const std::vector<Parsed> expected = parseAll(s.clean);
    for (size_t cut = 1; cut < s.bytes.size(); ++cut) {
        ASSERT_EQ(parseCutAt(s.bytes, {cut}), expected) << "one cut at byte " << cut;
    }
    for (size_t start : s.frameStarts)
        for (size_t a = start > 3 ? start - 3 : 1; a < start + 16; ++a)
            for (size_t b = a + 1; b <= start + 17 && b < s.bytes.size(); ++b) {
                ASSERT_EQ(parseCutAt(s.bytes, {a, b}), expected) << "cuts at bytes " << a << " and " << b;
            }
}

TEST(ParserResync, ImplausibleLengthsAreSkipped)
{
    const std::vector<uint8_t> payload = placeholder(100);
    RecorderWriter w;
    w.key(payload, packStamp(2024, 1, 2, 3, 4, 5), 25, 2, 176, 144);
    w.raw({0, 0, 1, 0xFD, 0xC0, 0x27, 0x09, 0x00}); // 600000 bytes claimed
    w.raw(payload);
    w.raw({0, 0, 1, 0xFC, 2, 25, 22, 18, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}); // key frame claiming 2 GiB
    w.video(payload);
    w.audio(10, payload);
    const std::vector<Parsed> frames = parseAll(w.bytes(), 64);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1].type, 1u);
    EXPECT_EQ(frames[1].subType, 1u);
    EXPECT_EQ(frames[1].bytes.size(), 108u);
    EXPECT_EQ(frames[2].subType, 10u);
}

TEST(ParserFallback, WithoutParameterSetsTheHeaderBytesDecide)
{
    RecorderWriter w;
    w.key(placeholder(300), packStamp(2024, 1, 2, 3, 4, 5), 15, 3, 704, 576);
    w.video(placeholder(50));
    const std::vector<Parsed> frames = parseAll(w.bytes());
    ASSERT_EQ(frames.size(), 2u);
    for (const Parsed &f : frames) {
        EXPECT_EQ(f.encodeType, 5u);
        EXPECT_EQ(f.width, 704u);
        EXPECT_EQ(f.height, 576u);
        EXPECT_EQ(f.rate, 15u);
    }
}

TEST(ParserFallback, TheNalUnitsOverruleTheCodecByte)
{
    RecorderWriter w;
    w.key(smallClip(5)[0].bytes, packStamp(2024, 1, 2, 3, 4, 5), 25, 2, 8, 8);
    const std::vector<Parsed> frames = parseAll(w.bytes());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].encodeType, 5u);
    EXPECT_EQ(frames[0].width, 176u);
}

TEST(ParserInput, RejectsNullDataAndUnfetchedFloods)
{
    EXPECT_LT(H264_PARSER_InputData(nullptr, nullptr, 0), 0);
    EXPECT_EQ(H264_PARSER_GetNextFrame(nullptr), nullptr);
    H264_PARSER_HANDLE parser = H264_PARSER_Create(0);
    EXPECT_LT(H264_PARSER_InputData(parser, nullptr, 5), 0);
    const std::vector<uint8_t> chunk(1 << 20, 0x55);
    int accepted = 0;
    while (H264_PARSER_InputData(parser, chunk.data(), uint32_t(chunk.size())) == 0 && accepted < 100) ++accepted;
    EXPECT_EQ(accepted, 64);
    EXPECT_EQ(H264_PARSER_GetNextFrame(parser), nullptr);
    EXPECT_EQ(H264_PARSER_InputData(parser, chunk.data(), uint32_t(chunk.size())), 0) << "junk was dropped";
    H264_PARSER_Destroy(parser);
}

} // namespace

// The picture size comes from the SPS itself, cropping included, at sizes that are no multiple
// of the coding block and with both codecs' conformance windows.
TEST(ParserPictureSize, ReadsTheCroppedSizeOfEveryCodecFromTheParameterSets)
{
    const std::pair<int, int> sizes[] = {{200, 122}, {1920, 1080}, {720, 576}};
    for (uint32_t encodeType : {2u, 5u}) {
        for (const auto &[width, height] : sizes) {
            const std::vector<EncodedFrame> clip = encodeClip(encodeType, width, height, 1, 1);
            RecordingOptions options;
            options.encodeType = encodeType;
            options.misleadingHeader = true;
            options.audio = options.info = false;
            const std::vector<Parsed> frames = parseAll(makeRecording(clip, options));
            ASSERT_FALSE(frames.empty());
            EXPECT_EQ(frames[0].encodeType, encodeType);
            EXPECT_EQ(frames[0].width, uint32_t(width)) << "codec " << encodeType;
            EXPECT_EQ(frames[0].height, uint32_t(height)) << "codec " << encodeType;
        }
    }
}
