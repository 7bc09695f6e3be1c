#include "tplay_player.h"

#include <QImageWriter>

#include <algorithm>
#include <thread>

namespace korvane::media {

Player::Player(int handle, const TSDK_CALLBACK_INFO &callback, TSDK_WINDOW window)
    : handle_(handle), window_(window), messages_(callback, handle), presenter_(VideoPresenter::create(window))
{
}

Player::~Player() { stop(); }

void Player::post(int id, int param1, int param2, int param3, std::string text, std::string data)
{
    messages_.post({id, param1, param2, param3, std::move(text), std::move(data)});
}

void Player::openPush(int queueFrames)
{
    const int capacity = queueFrames > 0 ? std::min(queueFrames, kMaxQueueFrames) : kDefaultQueueFrames;
    pushQueue_ = std::make_unique<PushQueue>(size_t(capacity),
                                             [this](bool full) { post(EUIMSG_BUFFER_STATE, full ? 1 : 0); });
}

bool Player::openFile(const std::string &path)
{
    fileSource_ = openFileSource(path);
    if (!fileSource_) return false;
    fileBegin_ = fileSource_->beginTime();
    fileEnd_ = fileSource_->endTime();
    return true;
}

int32_t Player::play()
{
    if (stopping_) return TSDK_ERR_STATE;
    if (started_.exchange(true)) return pause(false);
    post(EUIMSG_PLAY_START);
    auto self = shared_from_this();
    decodeThread_.start([self] { self->decodeLoop(); });
    presentThread_.start([self] { self->presentLoop(); });
    return 0;
}

// The threads own the player while they run, so a thread that does not end in time is left safely.
void Player::stop()
{
    if (stopping_.exchange(true)) return;
    if (pushQueue_) pushQueue_->close();
    presentQueue_.wake();
    decodeThread_.finish(std::chrono::milliseconds(2000));
    presentThread_.finish(std::chrono::milliseconds(2000));
    messages_.close();
    clip_.stop();
    presenter_->detach();
}

int32_t Player::push(const uint8_t *data, int32_t size)
{
    if (!pushQueue_ || stopping_) return TSDK_ERR_STATE;
    if (!data || size <= 0 || size > 4 * kMaxFrameBytes) return TSDK_ERR_ARGUMENT;
    std::vector<MediaFrame> frames;
    splitFrames(data, size_t(size), [&](MediaFrame &&frame) { frames.push_back(std::move(frame)); });
    if (frames.empty()) return TSDK_ERR_ARGUMENT;
    for (const MediaFrame &frame : frames)
        if (frame.isKey() && frame.stamp) lastPushedStamp_ = frame.stamp;
    const std::vector<MediaFrame> forClip = clip_.active() ? frames : std::vector<MediaFrame>{};
    switch (pushQueue_->push(std::move(frames), kPushBlock)) {
    case PushQueue::PushResult::Queued:
        for (const MediaFrame &frame : forClip) clip_.write(frame);
        return 0;
    case PushQueue::PushResult::Full:
        return TSDK_ERR_BUFFER_FULL;
    case PushQueue::PushResult::Closed:
        break;
    }
    return TSDK_ERR_STATE;
}

int32_t Player::forcePlayEnd()
{
    if (!pushQueue_) return TSDK_ERR_STATE;
    pushQueue_->finish();
    return 0;
}

int32_t Player::pause(bool on)
{
    clock()->setPaused(on, Clock::now());
    presentQueue_.wake();
    return 0;
}

int32_t Player::setSpeed(int step)
{
    if (step < -4 || step > 4) return TSDK_ERR_ARGUMENT;
    clock()->setStep(step, Clock::now());
    presentQueue_.wake();
    return 0;
}

// A step back needs the picture before the one on screen among the frames kept for decoding again.
int32_t Player::step(int direction)
{
    if (!started_ || stopping_) return TSDK_ERR_STATE;
    if (direction < 0 && !history_.holds(probe().shownSeq - 1)) return TSDK_ERR_STATE;
    clock()->setPaused(true, Clock::now());
    presentQueue_.requestStep(direction);
    return 0;
}

int32_t Player::setPosition(int percent)
{
    if (!fileSource_) return TSDK_ERR_STATE;
    if (percent < 0 || percent > 100) return TSDK_ERR_ARGUMENT;
    seekPercent_ = percent;
    return 0;
}

int32_t Player::playSound()
{
    if (!soundOn_.exchange(true)) post(EUIMSG_PLAY_SOUND);
    return 0;
}

int32_t Player::stopSound()
{
    soundOn_ = false;
    return 0;
}

int32_t Player::snapshot(const std::string &path, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    while (!presenter_->hasPicture() && Clock::now() < deadline && !stopping_)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const QImage picture = presenter_->fullPicture();
    if (picture.isNull() || path.empty()) return TSDK_ERR_STATE;
    QImageWriter writer(QString::fromLocal8Bit(path.c_str()), "jpeg");
    writer.setQuality(90);
    return writer.write(picture) ? 0 : TSDK_ERR_OUTPUT;
}

int32_t Player::startClip(const std::string &path)
{
    return !path.empty() && clip_.start(path) ? 0 : TSDK_ERR_OUTPUT;
}

int32_t Player::stopClip()
{
    clip_.stop();
    return 0;
}

int32_t Player::setRegion(const TSDK_RECT *region)
{
    if (!region) return presenter_->setRegion(std::nullopt) ? 0 : TSDK_ERR_ARGUMENT;
    const QRect rect(QPoint(region->nLeft, region->nTop), QSize(region->nRight - region->nLeft,
                                                                region->nBottom - region->nTop));
    return presenter_->setRegion(rect) ? 0 : TSDK_ERR_ARGUMENT;
}

std::shared_ptr<PlayClock> Player::clock() const
{
    std::lock_guard<std::mutex> lock(clockMutex_);
    return clock_;
}

void Player::shareClock(std::shared_ptr<PlayClock> clock)
{
    clock->setJoined();
    {
        std::lock_guard<std::mutex> lock(clockMutex_);
        clock_ = std::move(clock);
    }
    presentQueue_.wake();
}

PlayerProbe Player::probe() const
{
    std::lock_guard<std::mutex> lock(probeMutex_);
    return probe_;
}

} // namespace korvane::media
