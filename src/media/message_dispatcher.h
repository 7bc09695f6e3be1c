// Delivers a player's messages to the caller's callback, in order, on a thread of its own,
// so no callback ever runs inside a caller's TPLAY_ call or under a player lock.
#pragma once

#include "tnetsdk.h"
#include "worker_thread.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace korvane::media {

struct PlayerMessage {
    int id = 0;
    int param1 = 0, param2 = 0, param3 = 0;
    std::string text;          // passed as szText when not empty
    std::string data;          // passed as pData with its length when not empty
};

class MessageDispatcher
{
public:
    MessageDispatcher(const TSDK_CALLBACK_INFO &callback, int handle);
    ~MessageDispatcher();

    void post(PlayerMessage message);
    // After close returns no callback runs any more (unless close was called from inside one).
    void close();

private:
    // Shared with the delivering thread, which may outlive the dispatcher when a callback closes it.
    struct Queue {
        TSDK_CALLBACK_INFO callback{};
        int handle = 0;
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<PlayerMessage> pending;
        bool closed = false;
    };
    static void run(const std::shared_ptr<Queue> &queue);
    static void deliver(const Queue &queue, PlayerMessage &message);

    std::shared_ptr<Queue> queue_;
    WorkerThread thread_;
};

} // namespace korvane::media
