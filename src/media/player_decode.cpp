// The decode thread of a player: frames in, pictures, sound and texts out to the present queue.
#include "tplay_player.h"

namespace korvane::media {

namespace {
constexpr auto kInputWait = std::chrono::milliseconds(100);
constexpr auto kIdleWait = std::chrono::milliseconds(50);
} // namespace

void Player::decodeLoop()
{
    while (!stopping_) {
        const int seek = seekPercent_.exchange(-1);
        if (seek >= 0) applySeek(seek);
        MediaFrame frame;
        switch (nextInput(frame)) {
        case Input::Frame:
            handleFrame(frame);
            break;
        case Input::Idle:
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
    if (frame.isKey()) waitingForKey_ = !decoder_.ensureCodec(keyFrameEncodeType(frame));
    const bool keyFramesOnly = clock()->step() >= 4;
    if (keyFramesOnly && !frame.isKey()) waitingForKey_ = true;
    if (waitingForKey_ || frame.payloadSize == 0) return true;
    return sendToDecoder(frame);
}

bool Player::sendToDecoder(const MediaFrame &frame)
{
    const double mediaTime = timeline_.next(frame);
    latestMediaTime_ = mediaTime;
    const int64_t seq = nextSeq_++;
    history_.add({seq, decoder_.encodeType(), mediaTime, frame});
    decoder_.send(frame.payload(), frame.payloadSize, seq);
    return emitPictures(frame, mediaTime);
}

bool Player::emitPictures(const MediaFrame &frame, double mediaTime)
{
    PresentItem item;
    item.kind = PresentItem::Kind::Picture;
    while (decoder_.receive(item.picture, item.seq)) {
        const int64_t behind = nextSeq_ - 1 - item.seq;
        item.mediaTime = mediaTime - double(behind) / timeline_.fps();
        item.key = frame.isKey() && behind == 0;
        item.fps = timeline_.fps();
        item.streamBytes = behind == 0 ? frame.size() : 0;
        if (!presentQueue_.put(item, stopping_)) return false;
    }
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
