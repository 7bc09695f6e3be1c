#include "real_media_support.h"

#include "alaw_tone.h"
#include "media_decode.h"
#include "simulator.h"

#include <cmath>
#include <map>

using namespace simtest;

namespace {

// Frequency of a tone from its rising zero crossings.
double toneFrequency(const std::vector<int16_t> &samples)
{
    int rising = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        rising += samples[i - 1] < 0 && samples[i] >= 0;
    return rising * 8000.0 / double(samples.size());
}

struct Fix {
    double latitude = 0, longitude = 0, knots = 0, course = 0;
};

// ddmm.mmmm and its letter, read as a player reads them: whole degrees = value / 100.
double degrees(const std::string &value, const std::string &letter, char positive)
{
    const double v = std::stod(value);
    const int whole = int(v) / 100;
    const double signedDegrees = whole + (v - whole * 100) / 60;
    return letter == std::string(1, positive) ? signedDegrees : -signedDegrees;
}

Fix fixOf(const std::vector<std::string> &rmc)
{
    return {degrees(rmc[3], rmc[4], 'N'), degrees(rmc[5], rmc[6], 'E'), std::stod(rmc[7]), std::stod(rmc[8])};
}

double metresBetween(const Fix &a, const Fix &b)
{
    const double north = (b.latitude - a.latitude) * 111320;
    const double east = (b.longitude - a.longitude) * 111320 * std::cos(a.latitude * M_PI / 180);
    return std::hypot(north, east);
}

double bearing(const Fix &a, const Fix &b)
{
    const double north = b.latitude - a.latitude;
    const double east = (b.longitude - a.longitude) * std::cos(a.latitude * M_PI / 180);
    const double d = std::atan2(east, north) * 180 / M_PI;
    return d < 0 ? d + 360 : d;
}

std::vector<std::string> informationTexts(const FrameWalk &walk)
{
    std::vector<std::string> texts;
    for (const RecorderFrame *f : framesOfType(walk, 0xF9))
        texts.push_back(f->text());
    return texts;
}

FrameWalk writeAndRead(const Scenario &s, const std::string &name, size_t rec = 0)
{
    ImageFile f(name);
    const Manifest m = writeOrFail(s, f.path());
    const RecordingResult *r = find(m, rec);
    return r ? readRecording(Image(f.path()), *r) : FrameWalk{};
}

} // namespace

TEST(RealAudio, FortyMillisecondALawFramesOfTheChannelsTone)
{
    Scenario s = realScenario();
    for (int channel : {0, 5}) {
        RecordingSpec r = realVideo(channel, at(10), 2);
        r.audio = true;
        s.recordings.push_back(r);
    }
    ImageFile f("real-audio");
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    double frequencies[2] = {};
    for (size_t rec = 0; rec < 2; ++rec) {
        const FrameWalk walk = readRecording(img, *find(m, rec));
        const auto audio = framesOfType(walk, 0xFA);
        ASSERT_EQ(audio.size(), 2u * 25);
        std::vector<uint8_t> alaw;
        for (const RecorderFrame *a : audio) {
            EXPECT_EQ(a->header[4], 14);
            EXPECT_EQ(le16(&a->header[6]), 320);
            alaw.insert(alaw.end(), a->payload.begin(), a->payload.end());
        }
        const std::vector<int16_t> pcm = decodeAlaw(alaw);
        ASSERT_EQ(pcm.size(), 16000u);
        const std::vector<int16_t> firstHalf(pcm.begin(), pcm.begin() + 8000);
        frequencies[rec] = toneFrequency(pcm);
        EXPECT_NEAR(frequencies[rec], toneHertz(s.recordings[rec].channel), 2);
        EXPECT_NEAR(toneFrequency(firstHalf), frequencies[rec], 2) << "a steady tone";
        EXPECT_GT(*std::max_element(pcm.begin(), pcm.end()), 4000);
    }
    EXPECT_GT(std::abs(frequencies[0] - frequencies[1]), 50) << "each channel its own tone";
}

TEST(RealAudio, AudioFramesSitBetweenTheVideoFramesOfTheirSecond)
{
    Scenario s = realScenario();
    RecordingSpec r = realVideo(0, at(10), 2, 2, 4);
    r.audio = true;
    s.recordings.push_back(r);
    const FrameWalk walk = writeAndRead(s, "real-audio-order");
    std::string order;
    for (const RecorderFrame &f : walk.frames)
        order += f.type == 0xFC ? 'K' : f.type == 0xFD ? 'P' : f.type == 0xF9 ? 'I' : 'a';
    const std::string second = "KIaaaaaaPaaaaaaPaaaaaaPaaaaaaa";
    EXPECT_EQ(order, second + second);
}

TEST(RealInformation, OneTextFrameAfterEveryKeyFrame)
{
    Scenario s = realScenario();
    s.recordings.push_back(realVideo(0, at(8), 6));
    const FrameWalk walk = writeAndRead(s, "real-info-frames");
    ASSERT_EQ(framesOfType(walk, 0xF9).size(), 6u);
    for (size_t i = 0; i + 1 < walk.frames.size(); ++i)
        if (walk.frames[i].type == 0xFC) {
            const RecorderFrame &info = walk.frames[i + 1];
            ASSERT_EQ(info.type, 0xF9);
            EXPECT_EQ(info.header[4], 1) << "a text of items";
            EXPECT_EQ(le16(&info.header[6]), info.payload.size());
            EXPECT_EQ(info.text().back(), ';');
        }
}

TEST(RealInformation, ItemsFollowTheFrameInformationGrammar)
{
    Scenario s = realScenario();
    RecordingSpec r = realVideo(1, at(8, 59, 57), 12, 2, 1);
    r.alarm = 2;
    s.recordings.push_back(r);
    const std::vector<std::string> texts = informationTexts(writeAndRead(s, "real-info-items"));
    ASSERT_EQ(texts.size(), 12u);
    size_t gga = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::vector<std::string> rmc;
        std::map<std::string, int> seen;
        for (const InfoItem &item : infoItems(texts[i])) {
            ++seen[item.key];
            if (item.key == "GPS:") {
                EXPECT_TRUE(checksumHolds(item.value)) << item.value;
                const auto fields = sentenceFields(item.value);
                if (fields[0] == "$GNRMC")
                    rmc = fields;
                gga += fields[0] == "$GNGGA";
            } else if (item.key == "G-SENSOR:")
                EXPECT_TRUE(hasShape(item.value, "s*,s*,s*")) << item.value;
            else if (item.key == "STATUS:") {
                EXPECT_TRUE(hasShape(item.value, "dddddddd") || hasShape(item.value, "ddddddddddd")) << item.value;
                EXPECT_EQ(item.value[2], '1') << "the alarm input of an alarm recording";
            } else if (item.key == "SPEED:") {
                EXPECT_TRUE(hasShape(item.value, "*") || hasShape(item.value, "*.*")) << item.value;
            }
        }
        EXPECT_EQ(seen["G-SENSOR:"] + seen["STATUS:"] + seen["SPEED:"], 3) << texts[i];
        ASSERT_EQ(rmc.size(), 13u) << texts[i];
        EXPECT_EQ(rmc[2], "A");
        const std::string hms = formatTime(r.start + Seconds(i)).substr(11);
        EXPECT_EQ(rmc[1], hms.substr(0, 2) + hms.substr(3, 2) + hms.substr(6, 2) + ".00");
        EXPECT_EQ(rmc[9], "050324");
        EXPECT_TRUE(hasShape(rmc[3], "dddd.dddd")) << rmc[3];
        EXPECT_TRUE(hasShape(rmc[5], "ddddd.dddd")) << rmc[5];
    }
    EXPECT_GE(gga, 2u) << "GGA sentences now and then";
}

TEST(RealInformation, PositionsMoveAsTheSpeedAndCourseSay)
{
    Scenario s = realScenario();
    s.seed = 11;
    s.recordings.push_back(realVideo(0, at(14), 90, 2, 1));
    const std::vector<std::string> texts = informationTexts(writeAndRead(s, "real-info-route"));
    ASSERT_EQ(texts.size(), 90u);
    std::vector<Fix> fixes;
    std::vector<double> speedItems;
    for (const std::string &text : texts)
        for (const InfoItem &item : infoItems(text)) {
            if (item.key == "GPS:" && item.value.rfind("$GNRMC", 0) == 0)
                fixes.push_back(fixOf(sentenceFields(item.value)));
            if (item.key == "SPEED:")
                speedItems.push_back(std::stod(item.value));
        }
    ASSERT_EQ(fixes.size(), 90u);
    ASSERT_EQ(speedItems.size(), 90u);
    double travelled = 0;
    for (size_t i = 0; i + 1 < fixes.size(); ++i) {
        const double expected = (fixes[i].knots + fixes[i + 1].knots) / 2 * 1.852 / 3.6;
        const double moved = metresBetween(fixes[i], fixes[i + 1]);
        travelled += moved;
        EXPECT_LE(moved, expected * 1.1 + 0.5) << "second " << i;
        if (fixes[i].course == fixes[i + 1].course) { // no corner in between
            EXPECT_NEAR(moved, expected, expected * 0.1 + 0.5) << "second " << i;
            if (moved > 5) {
                EXPECT_NEAR(bearing(fixes[i], fixes[i + 1]), fixes[i].course, 3) << "second " << i;
            }
        }
        EXPECT_NEAR(speedItems[i], fixes[i].knots * 1.852, 1.0);
    }
    EXPECT_GT(travelled, 100) << "the vehicle moves";
    EXPECT_NEAR(fixes[0].latitude, 51.5, 0.5);
}

TEST(RealInformation, AllChannelsOfADiskShareOneVehicle)
{
    Scenario s = realScenario();
    s.recordings.push_back(realVideo(0, at(14), 2, 2, 1));
    s.recordings.push_back(realVideo(3, at(14), 2, 3, 1));
    ImageFile f("real-info-shared");
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const auto a = informationTexts(readRecording(img, *find(m, 0)));
    const auto b = informationTexts(readRecording(img, *find(m, 1)));
    EXPECT_EQ(infoItems(a[1])[0].value, infoItems(b[1])[0].value);
}

TEST(RealDeterminism, SameSeedSameImageOtherSeedOtherRoute)
{
    auto scenario = [](uint64_t seed) {
        Scenario s = realScenario();
        s.seed = seed;
        s.partitions.push_back(s.partitions[0]);
        s.partitions[1].driverType = 4;
        RecordingSpec main = realVideo(0, at(6), 3);
        main.audio = true;
        s.recordings.push_back(main);
        s.recordings.push_back(realVideo(1, at(6), 3, 3));
        RecordingSpec picture = realVideo(2, at(6), 2);
        picture.av = 0;
        s.recordings.push_back(picture);
        return s;
    };
    ImageFile a("same-a"), b("same-b"), c("other");
    writeOrFail(scenario(5), a.path());
    writeOrFail(scenario(5), b.path());
    writeOrFail(scenario(6), c.path());
    const std::vector<uint8_t> first = fileBytes(a.path());
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == fileBytes(b.path()));
    EXPECT_FALSE(first == fileBytes(c.path()));
}

TEST(RealLayout, ManifestAndMetadataOnlyImagesMatchTheFramesWritten)
{
    Scenario s = realScenario(40);
    s.partitions.push_back(s.partitions[0]);
    s.partitions[1].clusters = 200;
    s.recordings.push_back(realVideo(0, at(9), 40));
    s.recordings.push_back(realVideo(1, at(9, 0, 5), 20, 3));
    ImageFile full("layout-full"), meta("layout-meta");
    const Manifest m = writeOrFail(s, full.path());
    const Manifest planned = writeOrFail(s, meta.path(), WriteOptions{true});
    ASSERT_EQ(m.recordings.size(), planned.recordings.size());
    for (size_t i = 0; i < m.recordings.size(); ++i) {
        EXPECT_EQ(m.recordings[i].dataBytes, planned.recordings[i].dataBytes);
        EXPECT_EQ(m.recordings[i].endLength, planned.recordings[i].endLength);
        EXPECT_EQ(m.recordings[i].endTime, planned.recordings[i].endTime);
    }
    Image img(full.path()), metaImg(meta.path());
    EXPECT_EQ(img.pdp(0).currentCluster, metaImg.pdp(0).currentCluster);
    const RecordingResult *first = find(m, 0, 0), *second = find(m, 0, 1);
    ASSERT_NE(second, nullptr) << "the first recording runs into the next partition";
    for (const RecordingResult &r : m.recordings) {
        const FrameWalk walk = readRecording(img, r);
        ASSERT_FALSE(walk.frames.empty());
        EXPECT_EQ(walk.frames[0].type, 0xFC) << "every file starts with a key frame";
        EXPECT_EQ(le32(&walk.frames[0].header[8]), r.startTime);
        if (find(m, r.scenarioIndex, r.segment + 1))
            continue; // cut off at the end of its last cluster
        EXPECT_EQ(walk.end, r.dataBytes);
        EXPECT_TRUE(walk.clean);
        const auto keys = framesOfType(walk, 0xFC);
        EXPECT_EQ(packTime(unpackTime(le32(&keys.back()->header[8])) + 1), r.endTime)
            << "the end is the end of the last whole second";
    }
    const Seconds cut = unpackTime(first->endTime);
    EXPECT_GE(unpackTime(second->startTime), cut - 1) << "the interrupted second starts over";
    EXPECT_LE(unpackTime(second->startTime), cut);
}
