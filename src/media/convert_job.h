// One raw-recording-to-MP4 conversion on its own thread.
#pragma once

#include "tnetsdk.h"

#include <atomic>
#include <string>
#include <thread>

namespace korvane::media {

class ConvertJob
{
public:
    ConvertJob(int32_t handle, const TSDK_CALLBACK_INFO &callback, std::string source, std::string destination);
    ConvertJob(const ConvertJob &) = delete;
    ConvertJob &operator=(const ConvertJob &) = delete;
    ~ConvertJob(); // waits for the thread

    void start();
    // The thread stops at its next frame; a cancelled job sends no further message.
    void requestCancel() { cancelled_ = true; }
    // From another thread: cancels, waits, and removes the output unless it was completed.
    void cancelAndWait();
    bool finished() const { return finished_; }
    bool onOwnThread() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    void run();
    int convert();
    void removeIncompleteOutput();
    void reportProgress(uint64_t consumed, uint64_t total);
    void notify(int message, int value, const char *text = nullptr) const;
    // Keeps the failed step, with FFmpeg's reason for ffmpegError when given, and returns result.
    int fail(int result, const std::string &step, int ffmpegError = 0);

    const int32_t handle_;
    const TSDK_CALLBACK_INFO callback_;
    const std::string source_, destination_;
    std::atomic<bool> cancelled_{false}, outputCreated_{false}, complete_{false}, finished_{false};
    int lastPercent_ = -1;
    std::string why_; // the failed step and its reason, sent with the failure
    std::thread thread_;
};

} // namespace korvane::media
