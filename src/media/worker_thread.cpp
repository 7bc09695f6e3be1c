#include "worker_thread.h"

#include <cstdio>

namespace korvane::media {

void WorkerThread::start(std::function<void()> body)
{
    finish(std::chrono::milliseconds(2000));
    std::promise<void> promise;
    done_ = promise.get_future();
    thread_ = std::thread([body = std::move(body), promise = std::move(promise)]() mutable {
        body();
        body = nullptr; // release what the body owns before saying we are done
        promise.set_value();
    });
}

bool WorkerThread::finish(std::chrono::milliseconds limit)
{
    if (!thread_.joinable()) return true;
    if (thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach();
        return true;
    }
    if (done_.wait_for(limit) != std::future_status::ready) {
        fprintf(stderr, "media: a player thread did not end within %lld ms; left to finish alone\n",
                static_cast<long long>(limit.count()));
        thread_.detach();
        return false;
    }
    thread_.join();
    return true;
}

} // namespace korvane::media
