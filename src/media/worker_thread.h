// A std::thread that can be waited for with a time limit and that never joins itself.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace korvane::media {

class WorkerThread
{
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;
    ~WorkerThread() { finish(std::chrono::milliseconds(2000)); }

    void start(std::function<void()> body);
    // Joins when the thread ends within the limit, or when called on the thread itself detaches it.
    // A thread still running after the limit is detached; its body must own what it uses.
    // False when it had to be left running.
    bool finish(std::chrono::milliseconds limit);
    bool running() const { return thread_.joinable(); }

private:
    std::thread thread_;
    std::future<void> done_;
};

} // namespace korvane::media
