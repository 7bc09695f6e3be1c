#include "real_media_support.h"

#include "scenario_json.h"

using namespace simtest;

namespace {

std::string parseError(const std::string &text)
{
    Scenario s;
    std::string error;
    EXPECT_FALSE(parseScenarioJson(text, s, error)) << text;
    return error;
}

} // namespace

TEST(ScenarioJson, ExampleFileDescribesTheDisk)
{
    Scenario s;
    std::string error;
    ASSERT_TRUE(loadScenarioFile(KORVANE_EXAMPLE_SCENARIO, s, error)) << error;
    EXPECT_EQ(s.seed, 7u);
    EXPECT_EQ(s.mbrStart, 2048u);
    EXPECT_TRUE(s.uncleanStop);
    ASSERT_EQ(s.partitions.size(), 2u);
    EXPECT_EQ(s.partitions[1].driverType, 4u);
    EXPECT_TRUE(s.partitions[0].extDir);
    ASSERT_EQ(s.recordings.size(), 5u);
    EXPECT_EQ(s.recordings[0].dhiiSectors, 4);
    EXPECT_TRUE(s.recordings[0].audio);
    EXPECT_EQ(s.recordings[1].streamType, 1);
    EXPECT_EQ(s.recordings[2].codec, 3);
    EXPECT_TRUE(s.recordings[2].locked);
    EXPECT_EQ(s.recordings[2].card, "6214830012345678");
    EXPECT_EQ(s.recordings[3].av, 0);
    EXPECT_EQ(s.recordings[0].end - s.recordings[0].start, 120);
    ASSERT_EQ(s.clockJumps.size(), 1u);
    EXPECT_EQ(s.clockJumps[0].backSeconds, 1800);
}

TEST(ScenarioJson, ExampleFileWritesADisk)
{
    Scenario s;
    std::string error;
    ASSERT_TRUE(loadScenarioFile(KORVANE_EXAMPLE_SCENARIO, s, error)) << error;
    ImageFile f("example");
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    EXPECT_EQ(img.base(), 2048u);
    EXPECT_EQ(img.pdp(1).driverType, 4u);
    EXPECT_EQ(m.recordings.size(), 5u);
    EXPECT_EQ(find(m, 3)->partition, 1) << "pictures go to the picture partition";
    EXPECT_EQ(find(m, 4)->state, RecordingState::Open);
    EXPECT_EQ(find(m, 4)->startTime, pack(2024, 3, 5, 9, 1, 0));
    EXPECT_EQ(img.collisions(0).size(), 1u);
}

TEST(ScenarioJson, PayloadsArePlaceholdersUnlessRealAreAskedFor)
{
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenarioJson(R"({"partitions":[{"clusters":100}]})", s, error)) << error;
    EXPECT_EQ(s.payloads, PayloadKind::Placeholder);
    ASSERT_TRUE(parseScenarioJson(R"({"payloads":"real","partitions":[{"clusters":100}]})", s, error)) << error;
    EXPECT_EQ(s.payloads, PayloadKind::Real);
    EXPECT_NE(parseError(R"({"payloads":"jpeg"})").find("payloads"), std::string::npos);
}

TEST(ScenarioJson, RealExampleWritesPlayableRecordings)
{
    Scenario s;
    std::string error;
    ASSERT_TRUE(loadScenarioFile(KORVANE_REAL_SCENARIO, s, error)) << error;
    EXPECT_EQ(s.payloads, PayloadKind::Real);
    ImageFile f("real-example");
    const Manifest m = writeOrFail(s, f.path());
    ASSERT_EQ(m.recordings.size(), 4u);
    Image img(f.path());
    for (size_t i = 0; i < 3; ++i) {
        const FrameWalk walk = readRecording(img, *find(m, i));
        const auto keys = framesOfType(walk, 0xFC);
        EXPECT_EQ(Seconds(keys.size()), s.recordings[i].end - s.recordings[i].start);
        EXPECT_EQ(keys.front()->header[4], s.recordings[i].codec);
        EXPECT_EQ(framesOfType(walk, 0xF9).size(), keys.size());
    }
}

TEST(ScenarioJson, PatchesAndTruncation)
{
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenarioJson(R"({"partitions":[{"clusters":100}],
        "patches":[{"block":24,"offset":328,"hex":"DEADbeef","image_relative":true}],
        "truncate_blocks":5000})",
                                  s, error))
        << error;
    ASSERT_EQ(s.patches.size(), 1u);
    EXPECT_EQ(s.patches[0].bytes, (std::vector<uint8_t>{0xDE, 0xAD, 0xBE, 0xEF}));
    EXPECT_TRUE(s.patches[0].imageRelative);
    EXPECT_EQ(s.truncateBlocks, 5000u);
}

TEST(ScenarioJson, MistakesAreNamed)
{
    EXPECT_NE(parseError("{").find("invalid JSON"), std::string::npos);
    EXPECT_NE(parseError(R"({"partitions":[{"clusters":10,"colour":1}]})").find("partitions[0]: unknown key \"colour\""),
              std::string::npos);
    EXPECT_NE(parseError(R"({"partitions":[{"type":0}]})").find("clusters"), std::string::npos);
    EXPECT_NE(parseError(R"({"recordings":[{"channel":0,"start":"2024-03-05 9:00","end":"2024-03-05 09:01:00"}]})")
                  .find("recordings[0].start"),
              std::string::npos);
    EXPECT_NE(parseError(R"({"recordings":[{"channel":0,"alarm":300,"start":"2024-03-05 09:00:00","end":"2024-03-05 09:01:00"}]})")
                  .find("out of range"),
              std::string::npos);
    EXPECT_NE(parseError(R"({"recordings":[{"channel":0,"codec":"mpeg2","start":"2024-03-05 09:00:00","end":"2024-03-05 09:01:00"}]})")
                  .find("codec"),
              std::string::npos);
    EXPECT_NE(parseError(R"({"patches":[{"block":1,"hex":"abc"}]})").find("odd"), std::string::npos);
    EXPECT_NE(parseError(R"({"seed":-1})").find("seed"), std::string::npos);
    EXPECT_NE(parseError(R"({"seed":1,"seed":2})").find("invalid JSON"), std::string::npos);
}
