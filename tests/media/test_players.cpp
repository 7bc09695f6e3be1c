// The TPLAY_ players on real H.264/H.265 streams, presented into off-screen widgets.
#include "player_registry.h"
#include "player_test_support.h"
#include "streamreader.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPainter>

#include <atomic>
#include <thread>

using namespace korvane::media;
using namespace korvane::media::playertest;

namespace {

// A video window that, like the application's, has an idle background and paints a selection rectangle.
class VideoWindow : public QWidget
{
public:
    VideoWindow()
    {
        QPalette idle;
        idle.setColor(QPalette::Window, QColor(0, 0, 128));
        setPalette(idle);
        setAutoFillBackground(true);
        resize(kWidth, kHeight);
        show();
    }
    QRect selection;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (selection.isNull()) return;
        QPainter painter(this);
        painter.setPen(Qt::red);
        painter.drawRect(selection);
    }
};

const std::vector<EncodedFrame> &shades(uint32_t encodeType)
{
    static const std::vector<EncodedFrame> h264 = encodeShades(2, 75);
    static const std::vector<EncodedFrame> h265 = encodeShades(5, 50);
    return encodeType == 5 ? h265 : h264;
}

const std::vector<EncodedFrame> &markedShades()
{
    static const std::vector<EncodedFrame> clip = encodeShades(2, 25, true);
    return clip;
}

class Players : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (int handle : handles_) TPLAY_Stop(handle);
        QApplication::processEvents();
    }

    int openPush(int capacity = 100)
    {
        TSDK_CALLBACK_INFO callback = log_.callback();
        const int handle = TPLAY_OpenPlay(&callback, window_.winId(), capacity, 0, 0);
        handles_.push_back(handle);
        return handle;
    }

    // Pushes the frames, ends the stream and waits for the end message.
    void playToEnd(int handle, const std::vector<std::vector<uint8_t>> &frames)
    {
        ASSERT_TRUE(pushAll(handle, frames));
        ASSERT_EQ(TPLAY_ForcePlayEnd(handle), 0);
        ASSERT_EQ(log_.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);
    }

    int shownPicture() { return pictureOfGrey(greyAt(drawn(window_), kWidth / 2, kHeight / 2)); }

    bool waitShownSeq(int handle, int64_t seq)
    {
        return waitUntil([&] { return probePlayer(handle).shownSeq == seq; });
    }

    MessageLog log_;
    VideoWindow window_;
    std::vector<int> handles_;
};

class PushCodecs : public Players, public ::testing::WithParamInterface<uint32_t>
{
};

TEST_P(PushCodecs, PresentsEveryPictureIntoTheWidgetAndEndsAfterForcePlayEnd)
{
    const std::vector<EncodedFrame> &clip = shades(GetParam());
    StreamOptions options;
    options.encodeType = GetParam();
    const int handle = openPush();
    ASSERT_GT(handle, 0);
    ASSERT_EQ(TPLAY_Play(handle), 0);
    EXPECT_EQ(log_.waitFor(EUIMSG_PLAY_START).id, EUIMSG_PLAY_START);
    playToEnd(handle, recorderFrames(clip, options));

    EXPECT_EQ(probePlayer(handle).picturesShown, clip.size());
    EXPECT_EQ(shownPicture(), int(clip.size() - 1) % kFps);
}

INSTANTIATE_TEST_SUITE_P(H264AndH265, PushCodecs, ::testing::Values(2u, 5u));

TEST_F(Players, TheWidgetsOwnPaintingStaysOverTheVideo)
{
    window_.selection = QRect(10, 10, 50, 40);
    const int handle = openPush();
    TPLAY_Play(handle);
    playToEnd(handle, recorderFrames(std::vector<EncodedFrame>(shades(2).begin(), shades(2).begin() + 5), {}));

    const QImage image = drawn(window_);
    EXPECT_EQ(image.pixel(10, 30), qRgb(255, 0, 0));
    EXPECT_EQ(pictureOfGrey(greyAt(image, 30, 30)), 4);
}

TEST_F(Players, StreamInformationEverySecondWithSizeRateAndTimes)
{
    const int handle = openPush();
    TPLAY_Play(handle);
    ASSERT_TRUE(pushAll(handle, recorderFrames(shades(2), {})));
    const Message info = log_.waitFor(EUIMSG_STREAM_INFO);
    ASSERT_EQ(info.id, EUIMSG_STREAM_INFO);

    EXPECT_NE(info.text.find("\"fps\":25"), std::string::npos) << info.text;
    EXPECT_NE(info.text.find("\"width\":176"), std::string::npos) << info.text;
    EXPECT_NE(info.text.find("\"height\":144"), std::string::npos) << info.text;
    EXPECT_NE(info.text.find("\"bits\":"), std::string::npos) << info.text;
    const int begin = int(stampToEpoch(StreamOptions{}.firstStamp));
    EXPECT_EQ(info.param1, begin);
    EXPECT_GE(info.param2, begin);
    EXPECT_LE(info.param2, info.param3);
    EXPECT_EQ(info.param3, begin + 2); // the last key frame pushed is stamped 2 s after the first
}

TEST_F(Players, InformationFramesAreReportedWithTheirText)
{
    StreamOptions options;
    options.information = "$GPRMC,101500.00,A;G-SENSOR:0.01,0.02,0.98;";
    const int handle = openPush();
    TPLAY_Play(handle);
    TPLAY_SetPlaySpeed(handle, 3);
    playToEnd(handle, recorderFrames(shades(2), options));

    const std::vector<Message> infos = log_.withId(EUIMSG_FRAME_INFO);
    ASSERT_EQ(infos.size(), 3u);
    EXPECT_EQ(infos[0].data, options.information);
    EXPECT_EQ(infos[0].param1, int(options.information.size()));
}

TEST_F(Players, AFullQueueReportsFullRefusesMoreAndReportsNotFullWhenDrained)
{
    const int handle = openPush(10);
    const auto frames = recorderFrames(shades(2), {});
    for (int i = 0; i < 10; ++i) ASSERT_EQ(TPLAY_PushMediaData(handle, frames[i].data(), int(frames[i].size())), 0);
    EXPECT_EQ(log_.waitFor(EUIMSG_BUFFER_STATE).param1, 1);
    EXPECT_EQ(TPLAY_PushMediaData(handle, frames[10].data(), int(frames[10].size())), TSDK_ERR_BUFFER_FULL);

    TPLAY_Play(handle);
    const Message drained = log_.waitFor(EUIMSG_BUFFER_STATE, 15000, [](const Message &m) { return m.param1 == 0; });
    EXPECT_EQ(drained.id, EUIMSG_BUFFER_STATE);
    EXPECT_EQ(log_.withId(EUIMSG_BUFFER_STATE).size(), 2u);
}

TEST_F(Players, FrameStepsForwardAndBackAcrossAKeyFrame)
{
    const int handle = openPush();
    ASSERT_EQ(TPLAY_Pause(handle, 1), 0);
    EXPECT_EQ(TPLAY_PlayNextFrame(handle), TSDK_ERR_STATE); // not playing yet
    ASSERT_EQ(TPLAY_Play(handle), 0);
    ASSERT_TRUE(pushAll(handle, recorderFrames(std::vector<EncodedFrame>(shades(2).begin(), shades(2).begin() + 50), {})));

    for (int seq = 0; seq < 3; ++seq) {
        TPLAY_PlayNextFrame(handle);
        ASSERT_TRUE(waitShownSeq(handle, seq));
        EXPECT_EQ(shownPicture(), seq);
    }
    TPLAY_PlayPreviousFrame(handle);
    ASSERT_TRUE(waitShownSeq(handle, 1));
    EXPECT_EQ(shownPicture(), 1);
    TPLAY_PlayPreviousFrame(handle);
    ASSERT_TRUE(waitShownSeq(handle, 0));
    EXPECT_EQ(TPLAY_PlayPreviousFrame(handle), TSDK_ERR_STATE); // nothing before the first picture
    TPLAY_PlayNextFrame(handle);
    for (int i = 0; i < 25; ++i) TPLAY_PlayNextFrame(handle);
    ASSERT_TRUE(waitShownSeq(handle, 26));
    EXPECT_EQ(shownPicture(), 1);
    TPLAY_PlayPreviousFrame(handle);
    TPLAY_PlayPreviousFrame(handle);
    ASSERT_TRUE(waitShownSeq(handle, 24)); // decoded again from the first key frame
    EXPECT_EQ(shownPicture(), 24);

    ASSERT_EQ(TPLAY_Pause(handle, 0), 0);
    ASSERT_EQ(TPLAY_ForcePlayEnd(handle), 0);
    EXPECT_EQ(log_.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);
}

// 1080p pictures decode on frame threads when the machine has the cores. Such a decoder gives a picture
// out only when later frames come in; when they stop coming, the player still shows every picture
// pushed, and decodes on rightly from there when frames come again.
TEST_F(Players, FrameThreadsShowEveryPicturePushedWhenFramesStopComing)
{
    const std::vector<EncodedFrame> clip = encodeShades(2, 40, false, 1920, 1080);
    StreamOptions options;
    options.width = 1920;
    options.height = 1080;
    const auto frames = recorderFrames(clip, options);
    const int handle = openPush();
    TPLAY_Play(handle);
    size_t pushed = 0;
    const auto shownAfterPushing = [&](size_t end) {
        if (!pushAll(handle, {frames.begin() + long(pushed), frames.begin() + long(end)})) return -1;
        pushed = end;
        if (!waitUntil([&] { return probePlayer(handle).picturesShown == end; }, 5000)) return -2;
        return shownPicture();
    };
    EXPECT_EQ(shownAfterPushing(5), 4);
    EXPECT_EQ(probePlayer(handle).decodeThreads, decodeThreadsFor(1920, 1080, 1, availableCores()));
    EXPECT_EQ(shownAfterPushing(12), 11);
    EXPECT_EQ(shownAfterPushing(30), 29 % kFps); // across a key frame
    playToEnd(handle, {frames.begin() + 30, frames.end()});
    EXPECT_EQ(probePlayer(handle).picturesShown, clip.size());
    EXPECT_EQ(shownPicture(), 39 % kFps);
}

TEST_F(Players, FastestSpeedShowsKeyFramesOnlyAndOtherSpeedsShowAll)
{
    const int keyOnly = openPush();
    EXPECT_EQ(TPLAY_SetPlaySpeed(keyOnly, 5), TSDK_ERR_ARGUMENT);
    ASSERT_EQ(TPLAY_SetPlaySpeed(keyOnly, 4), 0);
    TPLAY_Play(keyOnly);
    playToEnd(keyOnly, recorderFrames(shades(2), {}));
    EXPECT_EQ(probePlayer(keyOnly).picturesShown, 3u);
    EXPECT_EQ(probePlayer(keyOnly).keyPicturesShown, 3u);

    MessageLog otherLog;
    TSDK_CALLBACK_INFO callback = otherLog.callback();
    const int fast = TPLAY_OpenPlay(&callback, window_.winId(), 100, 0, 0);
    handles_.push_back(fast);
    ASSERT_EQ(TPLAY_SetPlaySpeed(fast, 2), 0);
    TPLAY_Play(fast);
    ASSERT_TRUE(pushAll(fast, recorderFrames(shades(2), {})));
    TPLAY_ForcePlayEnd(fast);
    ASSERT_EQ(otherLog.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);
    EXPECT_EQ(probePlayer(fast).picturesShown, shades(2).size());
}

TEST_F(Players, SnapshotIsAJpegOfThePictureOnScreen)
{
    const int handle = openPush();
    TPLAY_Play(handle);
    playToEnd(handle, recorderFrames(std::vector<EncodedFrame>(shades(2).begin(), shades(2).begin() + 10), {}));
    const std::string path = fixture::tempPath("snapshot.jpg");
    ASSERT_EQ(TPLAY_CatchPictureSyn(handle, path.c_str(), 3000), 0);

    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2).startsWith("\xFF\xD8"));
    const QImage jpeg(QString::fromStdString(path));
    EXPECT_EQ(jpeg.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(pictureOfGrey(greyAt(jpeg, 80, 70)), 9);
    EXPECT_LT(TPLAY_CatchPictureSyn(handle, "/nonexistent-dir/x.jpg", 100), 0);
    remove(path.c_str());
}

TEST_F(Players, ClipStartsAtTheNextKeyFrameAndHoldsTheFramesAsPushed)
{
    const auto frames = recorderFrames(shades(2), {});
    const int handle = openPush();
    TPLAY_Play(handle);
    ASSERT_TRUE(pushAll(handle, {frames.begin(), frames.begin() + 5}));
    const std::string path = fixture::tempPath("clip.h264");
    ASSERT_EQ(TPLAY_StartRecordData(handle, path.c_str()), 0);
    ASSERT_TRUE(pushAll(handle, {frames.begin() + 5, frames.begin() + 60}));
    ASSERT_EQ(TPLAY_StopRecordData(handle), 0);

    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray clip = file.readAll();
    const std::vector<uint8_t> expected = joined({frames.begin() + 25, frames.begin() + 60});
    ASSERT_EQ(size_t(clip.size()), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<const uint8_t *>(clip.data())));

    H264_PARSER_HANDLE parser = H264_PARSER_Create(0);
    H264_PARSER_InputData(parser, reinterpret_cast<const unsigned char *>(clip.data()), uint32_t(clip.size()));
    const H264_PARSER_FRAME *first = H264_PARSER_GetNextFrame(parser);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->nFrameType, 1u);
    EXPECT_EQ(first->nSubType, 0u);
    H264_PARSER_Destroy(parser);
    remove(path.c_str());
}

TEST_F(Players, DisplayRegionCropsThePicture)
{
    const int handle = openPush();
    TPLAY_Play(handle);
    playToEnd(handle, recorderFrames(markedShades(), {}));
    EXPECT_EQ(greyAt(drawn(window_), 20, 20), 255); // the white quadrant, top left

    const TSDK_RECT bottomRight{4096, 4096, 8192, 8192};
    ASSERT_EQ(TPLAY_PlaySetDisplayRegion(handle, &bottomRight), 0);
    EXPECT_EQ(pictureOfGrey(greyAt(drawn(window_), 20, 20)), 24);
    const TSDK_RECT topLeft{0, 0, 4096, 4096};
    ASSERT_EQ(TPLAY_PlaySetDisplayRegion(handle, &topLeft), 0);
    EXPECT_EQ(greyAt(drawn(window_), kWidth - 20, kHeight - 20), 255);
    const TSDK_RECT empty{100, 100, 100, 900};
    EXPECT_LT(TPLAY_PlaySetDisplayRegion(handle, &empty), 0);
    ASSERT_EQ(TPLAY_PlaySetDisplayRegion(handle, nullptr), 0);
    EXPECT_EQ(pictureOfGrey(greyAt(drawn(window_), kWidth - 20, kHeight - 20)), 24);
}

// What a window shows is the decoded picture scaled to the window as FFmpeg scales it: the whole
// picture or its display region, centred with its aspect kept, black beside it. A snapshot is the
// whole decoded picture at its own size, whatever the window shows.
TEST_F(Players, WindowsShowTheDecodedPictureAsFFmpegScalesItAndSnapshotsKeepItsSize)
{
    const std::vector<EncodedFrame> clip(fixture::smallClip(2).begin(), fixture::smallClip(2).begin() + 10);
    const int last = int(clip.size()) - 1;
    const int handle = openPush();
    TPLAY_SetPlaySpeed(handle, 3);
    TPLAY_Play(handle);
    playToEnd(handle, recorderFrames(clip, {}));

    const auto expectShown = [&](const QSize &window, const QRect &crop, const char *what) {
        window_.resize(window);
        const QImage image = drawn(window_);
        const QSize size = crop.size().scaled(window, Qt::KeepAspectRatio);
        const QRect target(QPoint((window.width() - size.width()) / 2, (window.height() - size.height()) / 2), size);
        const QImage reference = ffmpegPicture(clip, 2, last, crop, size);
        ASSERT_FALSE(reference.isNull()) << what;
        EXPECT_LT(meanDifference(image.copy(target), reference), 1.0) << what;
        int notBlack = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!target.contains(x, y) && image.pixel(x, y) != qRgb(0, 0, 0)) ++notBlack;
        EXPECT_EQ(notBlack, 0) << what;
    };
    const QRect whole(0, 0, kWidth, kHeight);
    expectShown(QSize(300, 200), whole, "a wider window");
    expectShown(QSize(120, 150), whole, "a narrower window");
    const TSDK_RECT region{2048, 1024, 6144, 5120};
    ASSERT_EQ(TPLAY_PlaySetDisplayRegion(handle, &region), 0);
    expectShown(QSize(120, 150), QRect(44, 18, 88, 72), "a display region");
    expectShown(QSize(300, 200), QRect(44, 18, 88, 72), "a display region in a wider window");

    const std::string path = fixture::tempPath("full-snapshot.jpg");
    ASSERT_EQ(TPLAY_CatchPictureSyn(handle, path.c_str(), 3000), 0);
    const QImage jpeg = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    remove(path.c_str());
    EXPECT_EQ(jpeg.size(), QSize(kWidth, kHeight));
    EXPECT_LT(meanDifference(jpeg, ffmpegPicture(clip, 2, last, whole, whole.size())), 3.0);
}

TEST_F(Players, StopLeavesTheWidgetToItsOwnPainting)
{
    const int handle = openPush();
    TPLAY_Play(handle);
    playToEnd(handle, recorderFrames(std::vector<EncodedFrame>(shades(2).begin(), shades(2).begin() + 3), {}));
    ASSERT_EQ(TPLAY_Stop(handle), 0);
    waitUntil([] { return false; }, 100); // lets the presenter leave the widget
    EXPECT_EQ(drawn(window_).pixel(80, 70), qRgb(0, 0, 128));
    EXPECT_EQ(TPLAY_Stop(handle), TSDK_ERR_UNKNOWN_HANDLE);
    const auto frames = recorderFrames(shades(2), {});
    EXPECT_EQ(TPLAY_PushMediaData(handle, frames[0].data(), int(frames[0].size())), TSDK_ERR_UNKNOWN_HANDLE);
}

TEST_F(Players, SoundWithoutAnAudioDeviceStaysSilentAndPlaysOn)
{
    StreamOptions options;
    options.sound = true;
    const int handle = openPush();
    TPLAY_Play(handle);
    ASSERT_EQ(TPLAY_PlaySound(handle), 0);
    EXPECT_EQ(log_.waitFor(EUIMSG_PLAY_SOUND).id, EUIMSG_PLAY_SOUND);
    playToEnd(handle, recorderFrames(std::vector<EncodedFrame>(shades(2).begin(), shades(2).begin() + 30), options));
    EXPECT_EQ(TPLAY_StopSound(handle), 0);
    EXPECT_EQ(probePlayer(handle).picturesShown, 30u);
}

TEST_F(Players, BadInputNeverStopsPlayback)
{
    const auto &clip = shades(2);
    auto frames = recorderFrames(clip, {});
    std::vector<std::vector<uint8_t>> stream;
    for (int i = 5; i < 8; ++i) stream.push_back(frames[size_t(i)]); // starts with predicted frames
    for (size_t i = 0; i < 50; ++i) stream.push_back(frames[i]);
    stream[10].resize(stream[10].size() / 2);                                // truncated
    for (size_t i = 40; i < stream[20].size(); i += 7) stream[20][i] ^= 0x5A; // corrupt
    stream[3][5] = 0;                                                        // zero frame rate on the key frame
    StreamOptions h265;
    h265.encodeType = 5;
    for (const auto &frame : recorderFrames(shades(5), h265)) stream.push_back(frame); // codec change

    const int handle = openPush();
    TPLAY_Play(handle);
    const uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(TPLAY_PushMediaData(handle, junk, sizeof junk), TSDK_ERR_ARGUMENT);
    EXPECT_EQ(TPLAY_PushMediaData(handle, nullptr, 10), TSDK_ERR_ARGUMENT);
    playToEnd(handle, stream);

    EXPECT_GE(probePlayer(handle).picturesShown, 90u);
    EXPECT_EQ(shownPicture(), int(shades(5).size() - 1) % kFps);
    EXPECT_EQ(TPLAY_PushMediaData(handle, frames[0].data(), int(frames[0].size())), TSDK_ERR_STATE);
}

TEST_F(Players, UnknownHandlesAndWrongModesFail)
{
    EXPECT_EQ(TPLAY_Play(987654), TSDK_ERR_UNKNOWN_HANDLE);
    EXPECT_EQ(TPLAY_Pause(-1, 1), TSDK_ERR_UNKNOWN_HANDLE);
    EXPECT_EQ(TPLAY_CatchPictureSyn(0, "/tmp/x.jpg", 10), TSDK_ERR_UNKNOWN_HANDLE);
    const int handle = openPush();
    EXPECT_EQ(TPLAY_SetPlayPosition(handle, 50), TSDK_ERR_STATE);
    EXPECT_EQ(TPLAY_Synor_Join(handle, handle), TSDK_ERR_ARGUMENT);
    EXPECT_EQ(TPLAY_Synor_Join(handle, 987654), TSDK_ERR_UNKNOWN_HANDLE);
    TSDK_CALLBACK_INFO callback = log_.callback();
    EXPECT_LT(TPLAY_OpenFilePlay(&callback, "/nonexistent.mp4", 0, 0, 0), 0);
}

TEST_F(Players, JoinedPlayersShareOneClock)
{
    const int main = openPush();
    MessageLog otherLog;
    TSDK_CALLBACK_INFO callback = otherLog.callback();
    const int joined = TPLAY_OpenPlay(&callback, 0, 100, 0, 0);
    handles_.push_back(joined);
    ASSERT_EQ(TPLAY_Synor_Join(main, joined), 0);
    ASSERT_EQ(TPLAY_Pause(main, 1), 0);
    TPLAY_Play(main);
    TPLAY_Play(joined);
    ASSERT_TRUE(pushAll(joined, recorderFrames(std::vector<EncodedFrame>(shades(2).begin(), shades(2).begin() + 10), {})));
    TPLAY_ForcePlayEnd(joined);
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(probePlayer(joined).picturesShown, 0u); // held by the main player's pause

    ASSERT_EQ(TPLAY_Pause(main, 0), 0);
    EXPECT_EQ(otherLog.waitFor(EUIMSG_PLAY_STOP).id, EUIMSG_PLAY_STOP);
    EXPECT_EQ(probePlayer(joined).picturesShown, 10u);
}

} // namespace
