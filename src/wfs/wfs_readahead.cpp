#include "wfs_readahead.h"

#include "wfs_device.h"
#include "wfs_types.h"

#include <cstring>
#include <list>
#include <memory>
#include <unordered_map>

namespace {
const uint64_t RUN_BLOCKS = 128; // 64 KiB
const size_t MAX_RUNS = 2048;    // 128 MiB at most, only as much as is read

struct Run {
    uint64_t key;
    uint64_t blocks; // fewer than RUN_BLOCKS where the disk ends inside the run
    uint8_t data[RUN_BLOCKS * WFS_BLOCK_SIZE];
};

std::list<std::unique_ptr<Run>> g_runs; // most recently used first
std::unordered_map<uint64_t, std::list<std::unique_ptr<Run>>::iterator> g_index;

uint64_t run_key(uint32_t dev, uint64_t block) { return (uint64_t)dev << 56 | block / RUN_BLOCKS; }

Run *find(uint64_t key)
{
    // Scans read block after block of one run: the most recent run needs no lookup.
    if (!g_runs.empty() && g_runs.front()->key == key) return g_runs.front().get();
    auto it = g_index.find(key);
    if (it == g_index.end()) return nullptr;
    g_runs.splice(g_runs.begin(), g_runs, it->second);
    return g_runs.front().get();
}

Run *load(uint32_t dev, uint64_t block, uint64_t key)
{
    std::unique_ptr<Run> run;
    if (g_runs.size() >= MAX_RUNS) {
        run = std::move(g_runs.back());
        g_index.erase(run->key);
        g_runs.pop_back();
    } else {
        run.reset(new Run);
    }
    // A run never reaches past the end of the disk, so only a real failure is reported as one.
    uint64_t first = block / RUN_BLOCKS * RUN_BLOCKS, end = ide_volume_sectors((int)dev);
    if (end <= block) return nullptr;
    run->blocks = end - first < RUN_BLOCKS ? end - first : RUN_BLOCKS;
    if (ide_read((uint16_t)dev, (uint16_t)run->blocks, first, run->data) != 0) return nullptr;
    run->key = key;
    g_runs.push_front(std::move(run));
    g_index[key] = g_runs.begin();
    return g_runs.front().get();
}
} // namespace

int wfs_readahead_block(uint32_t dev, uint64_t block, uint8_t *dst)
{
    uint64_t key = run_key(dev, block);
    Run *run = find(key);
    if (!run) run = load(dev, block, key);
    if (!run || block % RUN_BLOCKS >= run->blocks) return ide_read((uint16_t)dev, 1, block, dst);
    memcpy(dst, run->data + block % RUN_BLOCKS * WFS_BLOCK_SIZE, WFS_BLOCK_SIZE);
    return 0;
}

void wfs_readahead_reset()
{
    g_index.clear();
    g_runs.clear();
}

size_t wfs_readahead_runs() { return g_runs.size(); }
