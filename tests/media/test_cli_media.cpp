#include "media_fixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace korvane::media::fixture;

namespace {

class CliMedia : public ::testing::Test
{
protected:
    void TearDown() override
    {
        remove(source.c_str());
        remove(destination.c_str());
    }
    std::string cli(const std::string &arguments, int *status)
    {
        return runCommand(std::string(KORVANE_CLI) + " " + arguments + " 2>/dev/null", status);
    }
    std::string source = tempPath("cli.h264"), destination = tempPath("cli.mp4");
};

TEST_F(CliMedia, ProbeReportsFramesCodecSizeRateAndTimes)
{
    RecordingOptions options;
    options.encodeType = 5;
    options.leadingVideoFrames = 2;
    writeFile(source, makeRecording(smallClip(5), options));
    int status = -1;
    const std::string text = cli("probe " + source, &status);
    EXPECT_EQ(status, 0);
    for (const char *line : {"video frames: 77 (3 key)\n", "audio frames: 76 G.711 A-law\n", "information frames: 3\n",
                             "codec: H.265\n", "size: 176x144\n", "rate: 25 fps\n", "first: 2024-03-05 10:15:00\n",
                             "last: 2024-03-05 10:15:02\n", "(0 outside frames)"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " missing from\n" << text;
}

TEST_F(CliMedia, ProbeOfAFileWithoutKeyFramesFails)
{
    writeFile(source, std::vector<uint8_t>(5000, 0x33));
    int status = -1;
    EXPECT_NE(cli("probe " + source, &status).find("video frames: 0"), std::string::npos);
    EXPECT_EQ(status, 1);
}

TEST_F(CliMedia, ConvertSucceedsOnlyWithACompleteMp4)
{
    writeFile(source, makeRecording(smallClip(2), {}));
    int status = -1;
    cli("convert " + source + " " + destination, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ffprobe("-select_streams v:0 -show_entries stream=codec_name " + destination)["codec_name"], "h264");

    cli("convert " + source + " /nonexistent-korvane-dir/out.mp4", &status);
    EXPECT_EQ(status, 1);
    writeFile(source, std::vector<uint8_t>(5000, 0x33));
    cli("convert " + source + " " + destination + "-bad", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(access((destination + "-bad").c_str(), F_OK), 0);
}

} // namespace
