// One player of the TPLAY_ interface. Push mode takes recorder frames from TPLAY_PushMediaData through a
// bounded queue; file mode reads a file itself. Each player runs three threads of its own:
//   decode:  frames -> libavcodec pictures (and G.711 sound, information texts) -> present queue
//   present: shows each picture when its media time is due on the player's clock, plays sound,
//            sends the stream information once per second and the information texts
//   messages: calls the caller's callback (MessageDispatcher)
// stop() ends all three with bounded waits; it may be called from any thread, a callback included.
#pragma once

#include "audio_output.h"
#include "clip_writer.h"
#include "file_source.h"
#include "frame_history.h"
#include "frame_timeline.h"
#include "message_dispatcher.h"
#include "parameter_sets.h"
#include "play_clock.h"
#include "present_queue.h"
#include "push_queue.h"
#include "tnetsdk.h"
#include "video_decoder.h"
#include "video_presenter.h"
#include "worker_thread.h"

#include <atomic>
#include <deque>
#include <memory>
#include <string>

namespace korvane::media {

// What a player has done so far, for diagnostics and tests.
struct PlayerProbe {
    uint64_t picturesShown = 0;
    uint64_t keyPicturesShown = 0;
    int64_t shownSeq = -1;  // decode number of the picture on screen
    double shownTime = 0;   // its media time
    bool ended = false;     // the end message was sent
    int decodeThreads = 0;  // threads of the video decoder, 0 before the first key frame
};

class Player : public std::enable_shared_from_this<Player>
{
public:
    static constexpr int kDefaultQueueFrames = 100;
    static constexpr int kMaxQueueFrames = 10000;
    static constexpr std::chrono::milliseconds kPushBlock{500};

    Player(int handle, const TSDK_CALLBACK_INFO &callback, TSDK_WINDOW window);
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    void openPush(int queueFrames);
    bool openFile(const std::string &path);

    int32_t play();
    void stop();
    int32_t push(const uint8_t *data, int32_t size);
    int32_t forcePlayEnd();
    int32_t pause(bool on);
    int32_t setSpeed(int step);
    int32_t step(int direction);
    int32_t setPosition(int percent);
    int32_t playSound();
    int32_t stopSound();
    int32_t snapshot(const std::string &path, int timeoutMs);
    int32_t startClip(const std::string &path);
    int32_t stopClip();
    int32_t setRegion(const TSDK_RECT *region);

    std::shared_ptr<PlayClock> clock() const;
    void shareClock(std::shared_ptr<PlayClock> clock);
    PlayerProbe probe() const;

private:
    using Clock = PlayClock::Clock;
    enum class Input { Frame, Idle, End, Closed };

    void post(int id, int param1 = 0, int param2 = 0, int param3 = 0, std::string text = {}, std::string data = {});

    // decode thread (player_decode.cpp)
    void decodeLoop();
    Input nextInput(MediaFrame &frame);
    void applySeek(int percent);
    bool handleFrame(const MediaFrame &frame);
    bool handleVideo(const MediaFrame &frame);
    bool openDecoderFor(const MediaFrame &key);
    int wantedThreads(int width, int height) const;
    bool sendToDecoder(const MediaFrame &frame);
    bool emitPictures();
    bool drainDecoder();
    bool releaseHeldPictures();
    bool handleSound(const MediaFrame &frame);
    bool handleInformation(const MediaFrame &frame);
    bool finishStream();

    // present thread (player_present.cpp)
    void presentLoop();
    void presentFront();
    void handleItem(PresentItem &item);
    void showPicture(const PresentItem &item);
    void stepFrame(int direction);
    bool showFromHistory(int64_t seq);
    void reportIfDue(Clock::time_point now);

    const int handle_;
    const TSDK_WINDOW window_;
    MessageDispatcher messages_;
    std::shared_ptr<VideoPresenter> presenter_;
    std::unique_ptr<PushQueue> pushQueue_;
    std::unique_ptr<FileSource> fileSource_;
    time_t fileBegin_ = 0, fileEnd_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> started_{false};
    std::atomic<int> seekPercent_{-1};
    std::atomic<bool> soundOn_{false};
    std::atomic<uint32_t> lastPushedStamp_{0};
    ClipWriter clip_;
    PresentQueue presentQueue_;
    FrameHistory history_;

    mutable std::mutex clockMutex_;
    std::shared_ptr<PlayClock> clock_ = std::make_shared<PlayClock>();

    // decode thread only
    struct SentFrame {
        int64_t seq;
        double mediaTime;
        bool key;
        size_t streamBytes;
    };
    VideoDecoder decoder_;
    ParameterSetReader parameterSets_;
    int pictureWidth_ = 0, pictureHeight_ = 0; // as the last key frame says
    std::deque<SentFrame> sent_;               // sent to the decoder, no picture out yet
    G711Decoder soundDecoder_;
    FrameTimeline timeline_;
    int64_t nextSeq_ = 0;
    bool waitingForKey_ = true;
    std::atomic<double> latestMediaTime_{0};

    // present thread only
    VideoDecoder stepDecoder_;
    std::unique_ptr<AudioSink> sound_;
    int currentFps_ = 0;
    QSize pictureSize_;
    double firstShownTime_ = 0;
    size_t bytesSinceReport_ = 0;
    double mediaAtReport_ = 0;
    int bitRate_ = 0;
    Clock::time_point lastReport_;

    mutable std::mutex probeMutex_;
    PlayerProbe probe_;

    WorkerThread decodeThread_;
    WorkerThread presentThread_;
};

} // namespace korvane::media
