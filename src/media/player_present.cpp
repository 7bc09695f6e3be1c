// The present thread of a player: shows pictures on the clock, plays sound, sends the messages.
#include "tplay_player.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace korvane::media {

namespace {
constexpr auto kIdleWait = std::chrono::milliseconds(100);
constexpr auto kClockSlice = std::chrono::milliseconds(50); // speed and pause changes apply within this
constexpr auto kStepWait = std::chrono::seconds(2);
constexpr auto kReportInterval = std::chrono::seconds(1);

std::string streamInformation(int fps, int bits, const QSize &size)
{
    const QJsonObject info{{"fps", fps}, {"bits", bits}, {"width", size.width()}, {"height", size.height()}};
    return QJsonDocument(info).toJson(QJsonDocument::Compact).toStdString();
}
} // namespace

void Player::presentLoop()
{
    lastReport_ = Clock::now();
    while (!stopping_) {
        reportIfDue(Clock::now());
        if (const int direction = presentQueue_.takeStep())
            stepFrame(direction);
        else
            presentFront();
    }
    sound_.reset();
}

void Player::presentFront()
{
    uint64_t generation = 0;
    std::optional<PresentItem> front = presentQueue_.peek(generation);
    const Clock::time_point now = Clock::now();
    if (!front) {
        presentQueue_.waitUntil(now + kIdleWait);
        return;
    }
    if (front->kind == PresentItem::Kind::Picture) {
        const Clock::time_point due = clock()->due(front->mediaTime, now);
        if (due > now) {
            presentQueue_.waitUntil(std::min(due, now + kClockSlice));
            return;
        }
    }
    if (std::optional<PresentItem> item = presentQueue_.popIf(generation)) handleItem(*item);
}

void Player::handleItem(PresentItem &item)
{
    bytesSinceReport_ += item.streamBytes;
    switch (item.kind) {
    case PresentItem::Kind::Picture:
        showPicture(item);
        break;
    case PresentItem::Kind::Sound:
        if (!soundOn_) sound_.reset();
        if (!soundOn_ || item.pcm.isEmpty() || clock()->step() != 0 || clock()->paused()) break;
        if (!sound_) sound_ = std::make_unique<AudioSink>();
        sound_->write(item.pcm);
        break;
    case PresentItem::Kind::Information:
        post(EUIMSG_FRAME_INFO, int(item.text.size()), 0, 0, item.text, item.text);
        break;
    case PresentItem::Kind::End: {
        post(EUIMSG_PLAY_STOP);
        std::lock_guard<std::mutex> lock(probeMutex_);
        probe_.ended = true;
        break;
    }
    }
}

void Player::showPicture(const PresentItem &item)
{
    presenter_->show(item.picture);
    currentFps_ = item.fps;
    pictureSize_ = QSize(item.picture->width, item.picture->height);
    if (firstShownTime_ <= 0) firstShownTime_ = item.mediaTime;
    std::lock_guard<std::mutex> lock(probeMutex_);
    ++probe_.picturesShown;
    if (item.key) ++probe_.keyPicturesShown;
    probe_.shownSeq = item.seq;
    probe_.shownTime = item.mediaTime;
}

// Forward takes the next queued picture (or, after steps back, decodes the following one again);
// back decodes again from the key frame before the picture on screen.
void Player::stepFrame(int direction)
{
    const PlayerProbe shown = probe();
    if (direction < 0) {
        if (shown.shownSeq > 0) showFromHistory(shown.shownSeq - 1);
    } else if (shown.shownSeq < 0 || presentQueue_.firstPictureSeq() <= shown.shownSeq + 1 ||
               !showFromHistory(shown.shownSeq + 1)) {
        const Clock::time_point deadline = Clock::now() + kStepWait;
        while (!stopping_ && Clock::now() < deadline) {
            uint64_t generation = 0;
            if (!presentQueue_.peek(generation)) {
                presentQueue_.waitUntil(Clock::now() + kClockSlice);
                continue;
            }
            std::optional<PresentItem> item = presentQueue_.popIf(generation);
            if (!item) continue;
            if (item->kind != PresentItem::Kind::Sound) handleItem(*item);
            if (item->kind == PresentItem::Kind::Picture || item->kind == PresentItem::Kind::End) break;
        }
    }
    clock()->holdAt(probe().shownTime, Clock::now());
}

bool Player::showFromHistory(int64_t seq)
{
    const std::vector<HistoryEntry> chain = history_.chainTo(seq);
    if (chain.empty()) return false;
    stepDecoder_.flush();
    PresentItem item;
    for (const HistoryEntry &entry : chain) {
        if (!stepDecoder_.open(entry.encodeType)) return false;
        stepDecoder_.send(entry.frame.payload(), entry.frame.payloadSize, entry.seq);
        DecodedPicture picture;
        int64_t decoded = -1;
        while (stepDecoder_.receive(picture, decoded))
            if (decoded <= seq) item.picture = picture;
    }
    if (!item.picture) return false;
    item.seq = seq;
    item.mediaTime = chain.back().mediaTime;
    item.key = chain.size() == 1;
    item.fps = currentFps_;
    showPicture(item);
    return true;
}

void Player::reportIfDue(Clock::time_point now)
{
    if (now - lastReport_ < kReportInterval) return;
    lastReport_ = now;
    const PlayerProbe shown = probe();
    if (shown.picturesShown == 0 || shown.ended) return;
    const double span = shown.shownTime - mediaAtReport_;
    if (span > 0 && mediaAtReport_ > 0) bitRate_ = int(std::min(double(bytesSinceReport_) * 8 / span, 2e9));
    if (span != 0) {
        bytesSinceReport_ = 0;
        mediaAtReport_ = shown.shownTime;
    }
    const int begin = int(fileBegin_ > 0 ? fileBegin_ : time_t(firstShownTime_));
    const int current = int(std::floor(shown.shownTime));
    const double pushedEnd = double(stampToEpoch(lastPushedStamp_));
    const double end = fileEnd_ > 0 ? double(fileEnd_) : std::max(latestMediaTime_.load(), pushedEnd);
    post(EUIMSG_STREAM_INFO, begin, current, std::max(current, int(end)), streamInformation(currentFps_, bitRate_,
                                                                                            pictureSize_));
}

} // namespace korvane::media
