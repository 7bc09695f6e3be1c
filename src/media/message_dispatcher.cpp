#include "message_dispatcher.h"

namespace korvane::media {

MessageDispatcher::MessageDispatcher(const TSDK_CALLBACK_INFO &callback, int handle)
    : queue_(std::make_shared<Queue>())
{
    queue_->callback = callback;
    queue_->handle = handle;
    if (callback.pCallBack) thread_.start([queue = queue_] { run(queue); });
}

MessageDispatcher::~MessageDispatcher() { close(); }

void MessageDispatcher::post(PlayerMessage message)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    if (queue_->closed || !queue_->callback.pCallBack) return;
    queue_->pending.push_back(std::move(message));
    queue_->wake.notify_one();
}

void MessageDispatcher::close()
{
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        queue_->closed = true;
        queue_->pending.clear();
        queue_->wake.notify_one();
    }
    thread_.finish(std::chrono::milliseconds(2000));
}

void MessageDispatcher::run(const std::shared_ptr<Queue> &queue)
{
    std::unique_lock<std::mutex> lock(queue->mutex);
    for (;;) {
        queue->wake.wait(lock, [&] { return queue->closed || !queue->pending.empty(); });
        if (queue->closed) return;
        PlayerMessage message = std::move(queue->pending.front());
        queue->pending.pop_front();
        lock.unlock();
        deliver(*queue, message);
        lock.lock();
    }
}

void MessageDispatcher::deliver(const Queue &queue, PlayerMessage &message)
{
    const char *text = message.text.empty() ? nullptr : message.text.c_str();
    void *data = message.data.empty() ? nullptr : message.data.data();
    queue.callback.pCallBack(queue.handle, message.id, message.param1, message.param2, message.param3, text, data,
                             int64_t(message.data.size()), 0, queue.callback.pUser, nullptr);
}

} // namespace korvane::media
