#include "player_test_support.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <QApplication>
#include <QThread>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <cstring>
#include <thread>

namespace korvane::media::playertest {

namespace {

constexpr int kShadeBase = 30, kShadeStep = 8, kWhite = 235;

void paintShade(AVFrame *frame, int index, bool marker)
{
    const int luma = kShadeBase + kShadeStep * (index % kFps);
    const int width = frame->width, height = frame->height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame->data[0][y * frame->linesize[0] + x] =
                uint8_t(marker && x < width / 2 && y < height / 2 ? kWhite : luma);
    for (int plane = 1; plane < 3; ++plane)
        for (int y = 0; y < height / 2; ++y) memset(frame->data[plane] + y * frame->linesize[plane], 128, width / 2);
}

} // namespace

std::vector<EncodedFrame> encodeShades(uint32_t encodeType, int pictures, bool marker, int width, int height)
{
    auto paint = [marker](AVFrame *frame, int index) { paintShade(frame, index, marker); };
    return fixture::encodeFrames(encodeType, width, height, pictures, kFps, paint, "8");
}

int greyOf(int picture) { return int(std::lround((kShadeBase + kShadeStep * (picture % kFps) - 16) * 255.0 / 219)); }

int pictureOfGrey(int grey)
{
    for (int i = 0; i < kFps; ++i)
        if (std::abs(greyOf(i) - grey) <= 3) return i;
    return -1;
}

std::vector<std::vector<uint8_t>> recorderFrames(const std::vector<EncodedFrame> &clip, const StreamOptions &options)
{
    std::vector<std::vector<uint8_t>> frames;
    const uint8_t codec = options.encodeType == 5 ? 3 : 2;
    for (size_t i = 0; i < clip.size(); ++i) {
        fixture::RecorderWriter writer;
        if (clip[i].key)
            writer.key(clip[i].bytes, fixture::advanceStamp(options.firstStamp, int(i) / kFps), options.fpsByte, codec,
                       options.width, options.height);
        else
            writer.video(clip[i].bytes);
        frames.push_back(writer.bytes());
        if (clip[i].key && !options.information.empty()) {
            fixture::RecorderWriter info;
            info.info(1, options.information);
            frames.push_back(info.bytes());
        }
        if (options.sound) {
            fixture::RecorderWriter sound;
            sound.audio(14, fixture::alawPayload(320, uint32_t(i)));
            frames.push_back(sound.bytes());
        }
    }
    return frames;
}

std::vector<uint8_t> joined(const std::vector<std::vector<uint8_t>> &frames)
{
    std::vector<uint8_t> out;
    for (const auto &frame : frames) out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

TSDK_CALLBACK_INFO MessageLog::callback() { return {0, &MessageLog::receive, this}; }

int MessageLog::receive(int, int id, int p1, int p2, int p3, const char *text, void *data, int64_t length, int,
                        void *user, void *)
{
    auto *log = static_cast<MessageLog *>(user);
    Message m{id, p1, p2, p3, text ? text : "", data ? std::string(static_cast<char *>(data), size_t(length)) : ""};
    std::lock_guard<std::mutex> lock(log->mutex_);
    log->messages_.push_back(std::move(m));
    return 0;
}

std::vector<Message> MessageLog::all() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

std::vector<Message> MessageLog::withId(int id) const
{
    std::vector<Message> out;
    for (const Message &m : all())
        if (m.id == id) out.push_back(m);
    return out;
}

Message MessageLog::waitFor(int id, int timeoutMs, const std::function<bool(const Message &)> &match) const
{
    Message found;
    waitUntil([&] {
        for (const Message &m : withId(id))
            if (!match || match(m)) {
                found = m;
                return true;
            }
        return false;
    }, timeoutMs);
    return found;
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool pushAll(int handle, const std::vector<std::vector<uint8_t>> &frames)
{
    for (const auto &frame : frames) {
        int32_t result = TSDK_ERR_BUFFER_FULL;
        for (int attempt = 0; attempt < 100 && result == TSDK_ERR_BUFFER_FULL; ++attempt) {
            result = TPLAY_PushMediaData(handle, frame.data(), int32_t(frame.size()));
            QApplication::processEvents();
        }
        if (result != 0) return false;
    }
    return true;
}

QImage drawn(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

int greyAt(const QImage &image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (std::abs(r - g) > 6 || std::abs(g - b) > 6) return -1;
    return (r + g + b) / 3;
}

QImage ffmpegPicture(const std::vector<EncodedFrame> &clip, uint32_t encodeType, int index, const QRect &crop,
                     const QSize &size)
{
    const std::string path = fixture::tempPath(encodeType == 5 ? "reference.hevc" : "reference.h264");
    std::vector<uint8_t> stream;
    for (const EncodedFrame &frame : clip) stream.insert(stream.end(), frame.bytes.begin(), frame.bytes.end());
    fixture::writeFile(path, stream);
    const std::string filter = "select=eq(n\\," + std::to_string(index) + "),crop=" + std::to_string(crop.width()) +
                               ":" + std::to_string(crop.height()) + ":" + std::to_string(crop.x()) + ":" +
                               std::to_string(crop.y()) + ",scale=" + std::to_string(size.width()) + ":" +
                               std::to_string(size.height()) + ":flags=fast_bilinear";
    int status = -1;
    const std::string pixels = fixture::runCommand(std::string("ffmpeg -nostdin -v error -f ") +
                                                       (encodeType == 5 ? "hevc" : "h264") + " -i '" + path +
                                                       "' -vf '" + filter + "' -frames:v 1 -pix_fmt bgra -f rawvideo -",
                                                   &status);
    remove(path.c_str());
    if (status != 0 || pixels.size() != size_t(size.width()) * size_t(size.height()) * 4) return {};
    QImage image(size, QImage::Format_ARGB32);
    memcpy(image.bits(), pixels.data(), pixels.size());
    return image.convertToFormat(QImage::Format_RGB32);
}

double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull()) return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace korvane::media::playertest
