// File-mode players (raw recorder files and MP4), many players at once, and the presentation clock.
#include "play_clock.h"
#include "player_registry.h"
#include "player_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <atomic>
#include <thread>

using namespace korvane::media;
using namespace korvane::media::playertest;

namespace {

const std::vector<EncodedFrame> &clip()
{
    static const std::vector<EncodedFrame> frames = encodeShades(2, 50);
    return frames;
}

class FilePlayers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window_.resize(kWidth, kHeight);
        window_.show();
    }
    void TearDown() override
    {
        if (handle_ > 0) TPLAY_Stop(handle_);
        for (const std::string &path : files_) remove(path.c_str());
    }

    std::string file(const std::string &name)
    {
        files_.push_back(fixture::tempPath(name));
        return files_.back();
    }

    int openFile(const std::string &path)
    {
        TSDK_CALLBACK_INFO callback = log_.callback();
        handle_ = TPLAY_OpenFilePlay(&callback, path.c_str(), window_.winId(), 0, 0);
        return handle_;
    }

    int shownPicture() { return pictureOfGrey(greyAt(drawn(window_), kWidth / 2, kHeight / 2)); }

    MessageLog log_;
    QWidget window_;
    int handle_ = 0;
    std::vector<std::string> files_;
};

TEST_F(FilePlayers, RawRecorderFilePlaysToTheEndWithItsTimes)
{
    const std::string path = file("recording.h264");
    fixture::writeFile(path, joined(recorderFrames(clip(), {})));
    ASSERT_GT(openFile(path), 0);
    ASSERT_EQ(TPLAY_Play(handle_), 0);
    ASSERT_EQ(log_.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);

    EXPECT_EQ(probePlayer(handle_).picturesShown, clip().size());
    EXPECT_EQ(shownPicture(), 24);
    const Message info = log_.waitFor(EUIMSG_STREAM_INFO, 100);
    ASSERT_EQ(info.id, EUIMSG_STREAM_INFO);
    const int begin = int(stampToEpoch(StreamOptions{}.firstStamp));
    EXPECT_EQ(info.param1, begin);
    EXPECT_EQ(info.param3, begin + 2);
}

TEST_F(FilePlayers, Mp4PlaysThroughLibavformat)
{
    const std::string raw = file("clip.264"), mp4 = file("clip.mp4");
    std::vector<uint8_t> annexB;
    for (const EncodedFrame &frame : clip()) annexB.insert(annexB.end(), frame.bytes.begin(), frame.bytes.end());
    fixture::writeFile(raw, annexB);
    int status = -1;
    fixture::runCommand("ffmpeg -v error -y -f h264 -r 25 -i " + raw + " -c copy " + mp4 + " 2>&1", &status);
    ASSERT_EQ(status, 0);

    ASSERT_GT(openFile(mp4), 0);
    ASSERT_EQ(TPLAY_SetPlaySpeed(handle_, 2), 0);
    ASSERT_EQ(TPLAY_Play(handle_), 0);
    ASSERT_EQ(log_.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);
    EXPECT_EQ(probePlayer(handle_).picturesShown, clip().size());
    EXPECT_EQ(shownPicture(), 24);
}

TEST_F(FilePlayers, PositionSeeksInPercent)
{
    const std::string path = file("seek.h264");
    fixture::writeFile(path, joined(recorderFrames(clip(), {})));
    ASSERT_GT(openFile(path), 0);
    ASSERT_EQ(TPLAY_SetPlayPosition(handle_, 101), TSDK_ERR_ARGUMENT);
    ASSERT_EQ(TPLAY_SetPlayPosition(handle_, 30), 0); // inside the first group: plays from the second key frame
    ASSERT_EQ(TPLAY_Play(handle_), 0);
    ASSERT_EQ(log_.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);
    EXPECT_EQ(probePlayer(handle_).picturesShown, 25u);
    EXPECT_EQ(probePlayer(handle_).keyPicturesShown, 1u);

    // Played to the end, a seek starts it again: stream information and a new end follow.
    const size_t infosAtEnd = log_.withId(EUIMSG_STREAM_INFO).size();
    ASSERT_EQ(TPLAY_SetPlayPosition(handle_, 0), 0);
    EXPECT_TRUE(waitUntil([&] { return log_.withId(EUIMSG_PLAY_STOP).size() == 2; }));
    EXPECT_GT(log_.withId(EUIMSG_STREAM_INFO).size(), infosAtEnd);
}

TEST(ManyPlayers, SixteenStartAndStopAtOnce)
{
    const std::vector<std::vector<uint8_t>> frames = recorderFrames(clip(), {});
    std::vector<std::unique_ptr<QWidget>> windows;
    std::vector<WId> ids;
    for (int i = 0; i < 16; ++i) {
        windows.push_back(std::make_unique<QWidget>());
        windows.back()->resize(kWidth, kHeight);
        ids.push_back(windows.back()->winId());
    }
    MessageLog log;
    std::atomic<int> failures{0};
    std::atomic<bool> stopAll{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < 16; ++i)
        threads.emplace_back([&, i] {
            TSDK_CALLBACK_INFO callback = log.callback();
            const int handle = TPLAY_OpenPlay(&callback, ids[size_t(i)], 100, 0, 0);
            if (handle <= 0 || TPLAY_Play(handle) != 0) ++failures;
            for (size_t f = 0; f < size_t(10 + i); ++f) TPLAY_PushMediaData(handle, frames[f].data(), int(frames[f].size()));
            while (!stopAll) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (TPLAY_Stop(handle) != 0) ++failures;
            if (TPLAY_PushMediaData(handle, frames[0].data(), int(frames[0].size())) != TSDK_ERR_UNKNOWN_HANDLE) ++failures;
        });
    EXPECT_TRUE(waitUntil([&] { return log.withId(EUIMSG_PLAY_START).size() == 16; }));
    stopAll = true;
    for (std::thread &thread : threads) thread.join();
    EXPECT_EQ(failures, 0);
}

TEST(ManyPlayers, StopWhilePushingFromAnotherThread)
{
    const std::vector<std::vector<uint8_t>> frames = recorderFrames(clip(), {});
    MessageLog log;
    TSDK_CALLBACK_INFO callback = log.callback();
    const int handle = TPLAY_OpenPlay(&callback, 0, 20, 0, 0);
    ASSERT_EQ(TPLAY_Play(handle), 0);
    std::atomic<int> pushed{0};
    std::thread pusher([&] {
        for (size_t f = 0;; f = (f + 1) % frames.size()) {
            const int32_t result = TPLAY_PushMediaData(handle, frames[f].data(), int(frames[f].size()));
            if (result == TSDK_ERR_UNKNOWN_HANDLE || result == TSDK_ERR_STATE) return;
            ++pushed;
        }
    });
    waitUntil([&] { return pushed > 30; });
    EXPECT_EQ(TPLAY_Stop(handle), 0);
    pusher.join();
    EXPECT_GT(pushed, 30);
}

// As the application does: the end message's handler releases the player.
TEST(ManyPlayers, StopFromInsideTheEndMessage)
{
    struct Stopper {
        std::atomic<int> handle{0};
        std::atomic<int> result{1};
        static int onMessage(int, int id, int, int, int, const char *, void *, int64_t, int, void *user, void *)
        {
            auto *self = static_cast<Stopper *>(user);
            if (id == EUIMSG_PLAY_STOP) self->result = TPLAY_Stop(self->handle);
            return 0;
        }
    } stopper;
    const TSDK_CALLBACK_INFO callback{0, &Stopper::onMessage, &stopper};
    stopper.handle = TPLAY_OpenPlay(&callback, 0, 100, 0, 0);
    ASSERT_EQ(TPLAY_Play(stopper.handle), 0);
    ASSERT_TRUE(pushAll(stopper.handle, recorderFrames({clip().begin(), clip().begin() + 5}, {})));
    ASSERT_EQ(TPLAY_ForcePlayEnd(stopper.handle), 0);
    EXPECT_TRUE(waitUntil([&] { return stopper.result != 1; }));
    EXPECT_EQ(stopper.result, 0);
    EXPECT_EQ(TPLAY_Play(stopper.handle), TSDK_ERR_UNKNOWN_HANDLE);
}

TEST(PlayClock, PacesByFrameRateTimesTwoToTheStep)
{
    using namespace std::chrono;
    PlayClock clock;
    const PlayClock::Clock::time_point start{};
    EXPECT_EQ(clock.due(1000.0, start), start); // the first picture starts the clock
    EXPECT_EQ(clock.due(1001.0, start), start + seconds(1));
    clock.setStep(2, start);
    EXPECT_EQ(clock.due(1001.0, start), start + milliseconds(250));
    clock.setStep(-4, start);
    EXPECT_EQ(clock.due(1001.0, start), start + seconds(16));
    clock.setPaused(true, start);
    EXPECT_EQ(clock.due(1001.0, start), PlayClock::Clock::time_point::max());
}

TEST(PlayClock, JumpsRestartItAndLatePicturesAreShownAtOnce)
{
    using namespace std::chrono;
    PlayClock clock;
    const PlayClock::Clock::time_point start{};
    clock.due(1000.0, start);
    EXPECT_EQ(clock.due(2000.0, start + seconds(1)), start + seconds(1)); // a gap: restart at the new picture
    EXPECT_EQ(clock.due(2000.2, start + seconds(1)), start + milliseconds(1200));
    EXPECT_EQ(clock.due(2000.1, start + seconds(2)), start + seconds(2)); // late: at once, and restarted
    EXPECT_EQ(clock.due(2000.2, start + seconds(2)), start + milliseconds(2100));
}

TEST(PlayClock, APausedClockHoldsAcrossAGapAndFastPlayOverSparseKeyFramesStaysPaced)
{
    using namespace std::chrono;
    PlayClock clock;
    const PlayClock::Clock::time_point start{};
    clock.due(1000.0, start);
    clock.setPaused(true, start);
    EXPECT_EQ(clock.due(2000.0, start), PlayClock::Clock::time_point::max()) << "paused: not even after a gap";
    EXPECT_EQ(clock.due(2000.04, start), PlayClock::Clock::time_point::max());
    clock.setPaused(false, start + seconds(5));
    EXPECT_EQ(clock.due(2000.0, start + seconds(5)), start + seconds(5)) << "resumed where the gap led";

    PlayClock fast;
    fast.setStep(4, start);
    fast.due(0.0, start);
    EXPECT_EQ(fast.due(8.0, start), start + milliseconds(500)) << "key frames 8 s apart at 16x: half a second each";
}

} // namespace
