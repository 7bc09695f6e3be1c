// TPLAY_StartConvertFile and TPLAY_CancelConvertFile over a table of running conversions.
#include "convert_job.h"
#include "sdk_state.h"
#include "tnetsdk.h"

#include <climits>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace korvane::media {
namespace {

class ConvertTable
{
public:
    ~ConvertTable()
    {
        for (auto &entry : jobs_) entry.second->cancelAndWait();
    }

    int32_t start(const TSDK_CALLBACK_INFO &callback, const char *source, const char *destination)
    {
        reapFinished();
        std::lock_guard<std::mutex> lock(mutex_);
        const int32_t handle = nextHandle_;
        nextHandle_ = nextHandle_ == INT32_MAX ? 1 : nextHandle_ + 1;
        auto job = std::make_unique<ConvertJob>(handle, callback, source, destination);
        job->start();
        jobs_[handle] = std::move(job);
        return handle;
    }

    int32_t cancel(int32_t handle)
    {
        std::unique_ptr<ConvertJob> job;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = jobs_.find(handle);
            if (it == jobs_.end()) return TSDK_ERR_UNKNOWN_HANDLE;
            if (it->second->onOwnThread()) { // from inside one of its own messages: it cannot wait for itself
                it->second->requestCancel();
                return 0;
            }
            job = std::move(it->second);
            jobs_.erase(it);
        }
        job->cancelAndWait();
        return 0;
    }

private:
    // Joins the threads of conversions that ended by themselves.
    void reapFinished()
    {
        std::vector<std::unique_ptr<ConvertJob>> done;
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = jobs_.begin(); it != jobs_.end();) {
            if (it->second->finished() && !it->second->onOwnThread()) {
                done.push_back(std::move(it->second));
                it = jobs_.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::mutex mutex_;
    std::map<int32_t, std::unique_ptr<ConvertJob>> jobs_;
    int32_t nextHandle_ = 1;
};

ConvertTable &table()
{
    static ConvertTable conversions;
    return conversions;
}

bool sameFile(const char *a, const char *b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

} // namespace
} // namespace korvane::media

extern "C" {

// The options string is accepted for compatibility and not interpreted.
int32_t TPLAY_StartConvertFile(const TSDK_CALLBACK_INFO *pCallBack, const char *szSrcPath, const char *szDstPath,
                               const char *)
{
    using namespace korvane::media;
    if (!pCallBack || !szSrcPath || !szDstPath || !*szSrcPath || !*szDstPath || sameFile(szSrcPath, szDstPath))
        return TSDK_ERR_ARGUMENT;
    quietFFmpegLog();
    try {
        return table().start(*pCallBack, szSrcPath, szDstPath);
    } catch (...) {
        return TSDK_ERR_ARGUMENT;
    }
}

int32_t TPLAY_CancelConvertFile(int32_t hConvert)
{
    try {
        return korvane::media::table().cancel(hConvert);
    } catch (...) {
        return TSDK_ERR_UNKNOWN_HANDLE;
    }
}

} // extern "C"
