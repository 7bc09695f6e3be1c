// The decode thread of a player: frames in, pictures, sound and texts out to the present queue.
#include "tplay_player.h"

#include <QDebug>

namespace korvane::media {

namespace {
constexpr auto kInputWait = std::chrono::milliseconds(100);
constexpr auto kIdleWait = std::chrono::milliseconds(50);

std::atomic<int> g_playersPlaying{0}; // decode loops running, for the thread rule

struct PlayingCount {
    PlayingCount() { ++g_playersPlaying; }
    ~PlayingCount() { --g_playersPlaying; }
};
} // namespace

void Player::decodeLoop()
{
    const PlayingCount playing;
    while (!stopping_) {
        const int seek = seekPercent_.exchange(-1);
        if (seek >= 0) applySeek(seek);
        MediaFrame frame;
        switch (nextInput(frame)) {
        case Input::Frame:
            handleFrame(frame);
            break;
        case Input::Idle:
            if (!sent_.empty() && decoder_.holdsPictures()) releaseHeldPictures();
            break;
        case Input::End:
            if (!finishStream()) return;
            break;
        case Input::Closed:
            return;
        }
    }
}

Player::Input Player::nextInput(MediaFrame &frame)
{
    if (pushQueue_) {
        switch (pushQueue_->pop(frame, kInputWait)) {
        case PushQueue::PopResult::Frame:
            return Input::Frame;
        case PushQueue::PopResult::Empty:
            return Input::Idle;
        case PushQueue::PopResult::End:
            return Input::End;
        case PushQueue::PopResult::Closed:
            return Input::Closed;
        }
    }
    if (fileSource_->next(frame) != FileSource::Result::Frame) return Input::End;
    clip_.write(frame);
    return Input::Frame;
}

void Player::applySeek(int percent)
{
    if (!fileSource_->seekPercent(percent)) return;
    decoder_.flush();
    sent_.clear();
    waitingForKey_ = true;
    timeline_.reset();
    history_.clear();
    presentQueue_.clear();
    clock()->restart();
    std::lock_guard<std::mutex> lock(probeMutex_);
    probe_.ended = false; // playing again: stream information resumes, and a new end is reported
}

// Push mode ends here; file mode waits for a seek that starts it again.
bool Player::finishStream()
{
    if (!drainDecoder()) return false;
    PresentItem end;
    end.kind = PresentItem::Kind::End;
    if (!presentQueue_.put(std::move(end), stopping_) || pushQueue_) return false;
    while (!stopping_ && seekPercent_ < 0) std::this_thread::sleep_for(kIdleWait);
    return true;
}

bool Player::handleFrame(const MediaFrame &frame)
{
    if (frame.isVideo()) return handleVideo(frame);
    if (frame.type == kTypeAudio) return handleSound(frame);
    if (frame.type == kTypeInfo) return handleInformation(frame);
    return true;
}

// Frames before the first key frame, after a codec change or skipped at the fastest speed are not
// decoded: decoding waits for the next key frame.
bool Player::handleVideo(const MediaFrame &frame)
{
    if (frame.isKey()) waitingForKey_ = !openDecoderFor(frame);
    const bool keyFramesOnly = clock()->step() >= 4;
    if (keyFramesOnly && !frame.isKey()) waitingForKey_ = true;
    if (waitingForKey_ || frame.payloadSize == 0) return true;
    return sendToDecoder(frame);
}

// A key frame may start the decoder afresh, for another codec or another number of threads; the
// pictures still inside the old one are shown first.
bool Player::openDecoderFor(const MediaFrame &key)
{
    const VideoFormat format = parameterSets_.read(key.payload(), key.payloadSize);
    pictureWidth_ = format.width ? int(format.width) : key.headerWidth;
    pictureHeight_ = format.height ? int(format.height) : key.headerHeight;
    const uint32_t encodeType = format.encodeType ? format.encodeType : keyFrameEncodeType(key);
    const int threads = wantedThreads(pictureWidth_, pictureHeight_);
    if (decoder_.isOpen() && decoder_.encodeType() == encodeType && decoder_.threads() == threads) return true;
    const int before = decoder_.threads();
    if (decoder_.isOpen() && !drainDecoder()) return false;
    if (!decoder_.open(encodeType, threads)) return false;
    if (threads != before && (threads > 1 || before > 1))
        qDebug().noquote() << QString("media: player %1 decodes %2x%3 %4 on %5 %6 thread(s)")
                                  .arg(handle_)
                                  .arg(pictureWidth_)
                                  .arg(pictureHeight_)
                                  .arg(encodeType == 5 ? "H.265" : "H.264")
                                  .arg(threads)
                                  .arg(decoder_.threading());
    std::lock_guard<std::mutex> lock(probeMutex_);
    probe_.decodeThreads = threads;
    return true;
}

// Frame threads delay each picture; they pay only while pictures are shown one after another.
int Player::wantedThreads(int width, int height) const
{
    const auto playClock = clock();
    if (playClock->paused() || playClock->step() < 0) return 1;
    return decodeThreadsFor(width, height, g_playersPlaying, availableCores());
}

bool Player::sendToDecoder(const MediaFrame &frame)
{
    const double mediaTime = timeline_.next(frame);
    latestMediaTime_ = mediaTime;
    const int64_t seq = nextSeq_++;
    history_.add({seq, decoder_.encodeType(), mediaTime, frame});
    sent_.push_back({seq, mediaTime, frame.isKey(), frame.size()});
    decoder_.send(frame.payload(), frame.payloadSize, seq);
    return emitPictures();
}

// Each picture goes out with what its frame said when it was sent. A frame the decoder gave no picture
// for (corrupt data) is passed over, and so is a picture of a frame not waiting for one (decoded again,
// see releaseHeldPictures).
bool Player::emitPictures()
{
    PresentItem item;
    item.kind = PresentItem::Kind::Picture;
    while (decoder_.receive(item.picture, item.seq)) {
        while (!sent_.empty() && sent_.front().seq < item.seq) sent_.pop_front();
        if (sent_.empty() || sent_.front().seq != item.seq) continue;
        const SentFrame frame = sent_.front();
        sent_.pop_front();
        item.mediaTime = frame.mediaTime;
        item.key = frame.key;
        item.fps = timeline_.fps();
        item.streamBytes = frame.streamBytes;
        if (!presentQueue_.put(item, stopping_)) return false;
    }
    return true;
}

// Every picture still inside the decoder goes out; the decoder then waits for a key frame.
bool Player::drainDecoder()
{
    decoder_.drain();
    const bool ok = emitPictures();
    sent_.clear();
    waitingForKey_ = true;
    return ok;
}

// Frames stopped coming (a pause, a picture shown after a seek while paused, a slow source) while the
// decoder holds pictures back. They are drained out to be shown, and the decoder, opened again with the
// threads wanted now, decodes once more the frames from the last key frame to be ready for the next one.
// Their pictures were shown already and are passed over.
bool Player::releaseHeldPictures()
{
    const int64_t lastSent = sent_.back().seq;
    const uint32_t encodeType = decoder_.encodeType();
    if (!drainDecoder()) return false;
    const std::vector<HistoryEntry> chain = history_.chainTo(lastSent);
    if (chain.empty() || !decoder_.open(encodeType, wantedThreads(pictureWidth_, pictureHeight_))) return true;
    for (const HistoryEntry &entry : chain) {
        decoder_.send(entry.frame.payload(), entry.frame.payloadSize, entry.seq);
        if (!emitPictures()) return false;
    }
    waitingForKey_ = false;
    std::lock_guard<std::mutex> lock(probeMutex_);
    probe_.decodeThreads = decoder_.threads();
    return true;
}

bool Player::handleSound(const MediaFrame &frame)
{
    PresentItem item;
    item.kind = PresentItem::Kind::Sound;
    item.mediaTime = timeline_.current();
    item.streamBytes = frame.size();
    if (soundOn_) item.pcm = soundDecoder_.decode(frame.subType, frame.payload(), frame.payloadSize);
    return presentQueue_.put(std::move(item), stopping_);
}

bool Player::handleInformation(const MediaFrame &frame)
{
    PresentItem item;
    item.kind = PresentItem::Kind::Information;
    item.mediaTime = timeline_.current();
    item.streamBytes = frame.size();
    item.text.assign(reinterpret_cast<const char *>(frame.payload()), frame.payloadSize);
    return presentQueue_.put(std::move(item), stopping_);
}

} // namespace korvane::media
