#include "player_registry.h"

#include <map>
#include <mutex>

namespace korvane::media {

namespace {

class Registry
{
public:
    // Players still open when the process ends are stopped, so none of their threads outlives main.
    ~Registry()
    {
        std::map<int, std::shared_ptr<Player>> left;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            left.swap(players_);
        }
        for (auto &entry : left) entry.second->stop();
    }

    int newHandle()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return nextHandle_ < INT32_MAX ? nextHandle_++ : -1;
    }

    void add(int handle, std::shared_ptr<Player> player)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        players_[handle] = std::move(player);
    }

    std::shared_ptr<Player> find(int handle, bool remove)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = players_.find(handle);
        if (it == players_.end()) return nullptr;
        std::shared_ptr<Player> player = it->second;
        if (remove) players_.erase(it);
        return player;
    }

private:
    std::mutex mutex_;
    std::map<int, std::shared_ptr<Player>> players_;
    int nextHandle_ = 1;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

int newPlayerHandle() { return registry().newHandle(); }

void addPlayer(int handle, std::shared_ptr<Player> player) { registry().add(handle, std::move(player)); }

std::shared_ptr<Player> findPlayer(int handle) { return registry().find(handle, false); }
std::shared_ptr<Player> takePlayer(int handle) { return registry().find(handle, true); }

PlayerProbe probePlayer(int handle)
{
    std::shared_ptr<Player> player = findPlayer(handle);
    return player ? player->probe() : PlayerProbe{};
}

} // namespace korvane::media
