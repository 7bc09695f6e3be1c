#include "recorder.h"

#include "layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <queue>
#include <tuple>

namespace korvane::sim {

namespace {

struct Need {
    double time; // true time at which the file needs cluster `index`
    size_t file;
    uint32_t index;
    bool operator>(const Need &o) const
    {
        if (time != o.time)
            return time > o.time;
        if (file != o.file)
            return file > o.file;
        return index > o.index;
    }
};

bool cardDigits(const std::string &card, uint8_t out[10])
{
    if (card.size() > 20)
        return false;
    std::memset(out, 0, 10);
    const std::string padded = std::string(20 - card.size(), '0') + card;
    for (size_t i = 0; i < 20; ++i) {
        if (padded[i] < '0' || padded[i] > '9')
            return false;
        const size_t digit = 19 - i; // digit 0 is the least significant
        out[digit / 2] |= uint8_t((padded[i] - '0') << (digit % 2 ? 4 : 0));
    }
    return true;
}

class Recorder
{
public:
    Recorder(const Scenario &s, const std::vector<PartitionResult> &layout, Simulation &sim, std::string &error)
        : s_(s), layout_(layout), sim_(sim), error_(error), clusterBytes_(uint64_t(s.sectorsPerCluster) * kBlockSize),
          repeatNo_(s.firstRepeatNo)
    {
    }

    bool run()
    {
        if (!prepareRecordings() || !preparePartitions())
            return false;
        while (!queue_.empty()) {
            const Need need = queue_.top();
            queue_.pop();
            if (!serve(need))
                return false;
        }
        markOpenFiles();
        return checkSavedHeads();
    }

private:
    bool fail(const std::string &message)
    {
        error_ = message;
        return false;
    }

    uint32_t typeOf(const RecordingSpec &r) const
    {
        return r.av == kAvPicture ? kPictureDriverType : kNormalDriverType;
    }

    bool validateRecording(size_t i, const RecordingSpec &r)
    {
        const std::string name = "recording " + std::to_string(i);
        if (r.channel < 0 || r.channel > 63)
            return fail(name + ": channel must be 0..63");
        if (r.end <= r.start)
            return fail(name + ": ends before it starts");
        if (r.av != 0 && r.av != 2 && r.av != 3)
            return fail(name + ": AV kind must be 0, 2 or 3");
        if (r.partition < kAutoPartition || r.partition >= int(layout_.size()))
            return fail(name + ": no such partition");
        if (r.start < makeTime(2000, 1, 1) || r.end > makeTime(2064, 1, 1))
            return fail(name + ": times must lie in the years 2000 to 2063");
        if (s_.payloads == PayloadKind::Real && (r.width > kMaxRealWidth || r.height > kMaxRealHeight))
            return fail(name + ": real video must be at most " + std::to_string(kMaxRealWidth) + "x" +
                        std::to_string(kMaxRealHeight));
        if (s_.payloads != PayloadKind::Real && (r.width > 2040 || r.height > 2040))
            return fail(name + ": width and height must be at most 2040");
        if (r.partition == kAutoPartition && workPartition_.count(typeOf(r)) == 0)
            return fail(name + ": no partition of type " + std::to_string(typeOf(r)));
        uint8_t digits[10];
        if (!cardDigits(r.card, digits))
            return fail(name + ": card number must be up to 20 decimal digits");
        if (r.firstDirFlag != 2 && r.firstDirFlag != 3)
            return fail(name + ": first-cluster flag must be 2 or 3");
        return true;
    }

    bool prepareRecordings()
    {
        for (size_t p = layout_.size(); p-- > 0;)
            workPartition_[layout_[p].driverType] = int(p);
        for (size_t i = 0; i < s_.recordings.size(); ++i)
            if (!validateRecording(i, s_.recordings[i]))
                return false;
        const StampClock clock = [this](Seconds t) { return recorderStamp(s_, t); };
        if (!planAllFrames(s_, clock, sim_.frames, error_))
            return false;
        for (size_t i = 0; i < s_.recordings.size(); ++i) {
            const RecordingSpec &r = s_.recordings[i];
            SimFile f;
            f.rec = i;
            f.firstSecond = r.start;
            f.endSecond = r.end;
            f.headBytes = uint64_t(r.dhiiSectors) * kBlockSize;
            f.bytes = f.headBytes + sim_.frames[i].index.bytes(0, uint64_t(r.end - r.start));
            addFile(std::move(f));
        }
        return true;
    }

    bool preparePartitions()
    {
        sim_.parts.resize(layout_.size());
        for (size_t p = 0; p < layout_.size(); ++p) {
            SimPartition &part = sim_.parts[p];
            part.owner.assign(layout_[p].totalClus, -1);
            part.ordinal.assign(layout_[p].totalClus, 0);
            part.skipped.assign(layout_[p].totalClus, 0);
            part.head = layout_[p].revClus;
            part.userData.assign(size_t(layout_[p].udItemCount) * kUdItemSize, 0);
        }
        return true;
    }

    void addFile(SimFile f)
    {
        sim_.files.push_back(std::move(f));
        push(sim_.files.size() - 1, 0);
    }

    void push(size_t file, uint32_t index)
    {
        const SimFile &f = sim_.files[file];
        const uint64_t at = uint64_t(index) * clusterBytes_;
        const uint64_t offset = at > f.headBytes ? at - f.headBytes : 0;
        const uint64_t first = uint64_t(f.firstSecond - plan(f).start);
        queue_.push({double(f.firstSecond) + sim_.frames[f.rec].index.timeAfter(first, offset), file, index});
    }

    const RecordingSpec &plan(const SimFile &f) const { return s_.recordings[f.rec]; }
    bool isAuto(const SimFile &f) const { return plan(f).partition == kAutoPartition; }

    int targetPartition(const SimFile &f) const
    {
        return isAuto(f) ? workPartition_.at(typeOf(plan(f))) : plan(f).partition;
    }

    bool stillValid(const SimFile &f) const
    {
        return sim_.parts[size_t(f.partition)].generation == f.generation &&
               (!isAuto(f) || targetPartition(f) == f.partition);
    }

    bool serve(const Need &need)
    {
        SimFile &f = sim_.files[need.file];
        if (f.partition < 0) {
            f.partition = targetPartition(f);
            f.generation = sim_.parts[size_t(f.partition)].generation;
        }
        if (!stillValid(f))
            return split(need);
        uint32_t cluster;
        if (!allocate(size_t(f.partition), cluster)) {
            if (!rotate(f))
                return false;
            return split(need);
        }
        if (!interleavesSafely(need))
            return false;
        take(need, cluster);
        return true;
    }

    // Clusters of one channel and stream type are chained through the index area,
    // so a recording may not take a cluster after a newer one of its kind has begun.
    bool interleavesSafely(const Need &need)
    {
        const SimFile &f = sim_.files[need.file];
        const auto key = std::make_tuple(f.partition, plan(f).channel, plan(f).streamType);
        auto newest = newestOfKind_.find(key);
        if (need.index == 0 || newest == newestOfKind_.end()) {
            newestOfKind_[key] = need.file;
            return true;
        }
        if (newest->second == need.file)
            return true;
        return fail("recordings " + std::to_string(sim_.files[newest->second].rec) + " and " + std::to_string(f.rec) +
                    " overlap on the same channel and stream type");
    }

    bool isLocked(const SimPartition &part, uint32_t c) const
    {
        return part.owner[c] >= 0 && plan(sim_.files[size_t(part.owner[c])]).locked;
    }

    // A locked recording is never overwritten: the writer steps over the whole
    // span from its first to its last cluster, so that no new cluster lands
    // between its clusters; unlocked clusters inside the span are given up.
    bool allocate(size_t p, uint32_t &cluster)
    {
        SimPartition &part = sim_.parts[p];
        const uint32_t limit = usableClusters(layout_[p].totalClus);
        uint32_t spanEnd = 0;
        bool inSpan = false;
        for (; part.head < limit; ++part.head) {
            if (isLocked(part, part.head)) {
                spanEnd = std::max(spanEnd, sim_.files[size_t(part.owner[part.head])].clusters.back());
                inSpan = true;
            } else if (!inSpan || part.head > spanEnd)
                break;
            stepOver(part, part.head);
        }
        if (part.head >= limit)
            return false;
        cluster = part.head++;
        return true;
    }

    void stepOver(SimPartition &part, uint32_t c)
    {
        if (!isLocked(part, c))
            releaseOldOwner(part, c);
        part.skipped[c] = 1;
    }

    // The writer reached the end of its partition: the next lap starts at rev_clus,
    // of this partition or, for the type's work partition, of the next one of the type.
    bool rotate(const SimFile &f)
    {
        int next = f.partition;
        const uint32_t type = layout_[size_t(f.partition)].driverType;
        if (isAuto(f)) {
            if (workPartition_[type] != f.partition)
                return true;
            do
                next = (next + 1) % int(layout_.size());
            while (layout_[size_t(next)].driverType != type);
            workPartition_[type] = next;
        }
        return restartLap(size_t(next));
    }

    bool restartLap(size_t p)
    {
        SimPartition &part = sim_.parts[p];
        if (part.written) {
            part.hasPreviousLap = true;
            part.previousLapEnd = part.current;
            ++part.lap;
        }
        part.head = layout_[p].revClus;
        ++part.generation;
        part.lapStarted = false;
        part.hasLastBack = false;
        uint32_t probe;
        const uint32_t saved = part.head;
        if (!allocate(p, probe))
            return fail("partition " + std::to_string(p) + " is full of locked recordings");
        part.head = saved;
        return true;
    }

    // The recording goes on as a new file, restarting the second in which the
    // old one ran out of room with a key frame.
    bool split(const Need &need)
    {
        SimFile &f = sim_.files[need.file];
        if (f.clusters.empty()) {
            f.partition = -1;
            queue_.push({need.time, need.file, 0});
            return true;
        }
        SimFile next;
        next.rec = f.rec;
        next.segment = f.segment + 1;
        next.firstSecond = std::clamp(Seconds(std::floor(need.time)), f.firstSecond, f.endSecond);
        next.endSecond = f.endSecond;
        const RecordingSpec &r = plan(f);
        next.bytes = sim_.frames[f.rec].index.bytes(uint64_t(next.firstSecond - r.start), uint64_t(r.end - r.start));
        f.bytes = uint64_t(f.clusters.size()) * clusterBytes_;
        f.endSecond = next.firstSecond;
        if (next.bytes > 0)
            addFile(std::move(next));
        return true;
    }

    void noteClock(SimPartition &part, uint32_t cluster, double time)
    {
        const Seconds back = clockBack(s_, Seconds(std::floor(time)));
        if (part.hasLastBack && back > part.lastBack && cluster != part.lapFirst)
            part.collisions.insert(cluster);
        part.hasLastBack = true;
        part.lastBack = back;
    }

    void releaseOldOwner(SimPartition &part, uint32_t c)
    {
        if (part.owner[c] < 0 || part.skipped[c]) // a stepped-over cluster was given up already
            return;
        SimFile &old = sim_.files[size_t(part.owner[c])];
        --old.surviving;
        if (part.ordinal[c] == 0)
            old.firstLost = true;
    }

    void take(const Need &need, uint32_t c)
    {
        SimFile &f = sim_.files[need.file];
        SimPartition &part = sim_.parts[size_t(f.partition)];
        releaseOldOwner(part, c);
        part.collisions.erase(c);
        part.skipped[c] = 0;
        part.owner[c] = int32_t(need.file);
        part.ordinal[c] = need.index;
        part.current = c;
        part.written = true;
        if (!part.lapStarted) {
            part.lapStarted = true;
            part.lapFirst = c;
        }
        noteClock(part, c, need.time);
        noteSavedHead(part, size_t(f.partition), c, need.time);
        f.clusters.push_back(c);
        ++f.surviving;
        if (need.index == 0)
            startFile(f, part, size_t(f.partition));
        if (uint64_t(need.index + 1) * clusterBytes_ < f.bytes)
            push(need.file, need.index + 1);
    }

    void startFile(SimFile &f, SimPartition &part, size_t p)
    {
        f.repeatNo = repeatNo_++;
        if (!plan(f).card.empty() && layout_[p].udItemCount > 1)
            f.udItem = addUserData(part, p, f);
    }

    uint8_t *udItem(SimPartition &part, uint32_t n) { return part.userData.data() + size_t(n) * kUdItemSize; }

    uint32_t nextUd(size_t p, uint32_t n) const { return n + 1 >= layout_[p].udItemCount ? 1 : n + 1; }

    uint32_t addUserData(SimPartition &part, size_t p, const SimFile &f)
    {
        const uint32_t n = part.udLast;
        uint8_t *item = udItem(part, n);
        cardDigits(plan(f).card, item);
        item[10] = plan(f).cardKind;
        item[11] = uint8_t(part.lap);
        putU32(item + 12, f.clusters.front());
        part.udLast = nextUd(p, n);
        if (part.udLast == part.udFirst)
            dropUserData(part, p);
        checkUserData(part, p);
        return n;
    }

    void dropUserData(SimPartition &part, size_t p)
    {
        std::memset(udItem(part, part.udFirst), 0, kUdItemSize);
        part.udFirst = nextUd(p, part.udFirst);
    }

    // Items of an earlier lap whose recording lies behind the write head are gone.
    void checkUserData(SimPartition &part, size_t p)
    {
        if (uint8_t(part.lap) == 0)
            return;
        while (part.udFirst != part.udLast) {
            const uint8_t *item = udItem(part, part.udFirst);
            if (getU32(item + 12) >= part.current || item[11] == uint8_t(part.lap))
                break;
            dropUserData(part, p);
        }
    }

    void noteSavedHead(SimPartition &part, size_t p, uint32_t c, double time)
    {
        const auto &savedAt = s_.partitions[p].headSavedAt;
        if (!savedAt || time > double(*savedAt))
            return;
        part.headSaved = true;
        part.savedCurrent = c;
        part.savedGeneration = part.generation;
    }

    bool checkSavedHeads()
    {
        for (size_t p = 0; p < sim_.parts.size(); ++p) {
            const SimPartition &part = sim_.parts[p];
            if (s_.partitions[p].headSavedAt && (!part.headSaved || part.savedGeneration != part.generation))
                return fail("partition " + std::to_string(p) + ": its head must be saved after a cluster of its last lap");
        }
        return true;
    }

    void markOpenFiles()
    {
        if (!s_.uncleanStop)
            return;
        Seconds stop = 0;
        for (const RecordingSpec &r : s_.recordings)
            stop = std::max(stop, r.end);
        for (SimFile &f : sim_.files)
            if (f.endSecond == stop && s_.recordings[f.rec].end == stop && !f.clusters.empty())
                f.open = true;
    }

    const Scenario &s_;
    const std::vector<PartitionResult> &layout_;
    Simulation &sim_;
    std::string &error_;
    const uint64_t clusterBytes_;
    std::map<uint32_t, int> workPartition_;
    std::priority_queue<Need, std::vector<Need>, std::greater<Need>> queue_;
    std::map<std::tuple<int, int, uint8_t>, size_t> newestOfKind_;
    uint8_t repeatNo_;
};

} // namespace

Seconds clockBack(const Scenario &scenario, Seconds trueTime)
{
    Seconds back = 0;
    for (const ClockJump &j : scenario.clockJumps)
        if (j.at <= trueTime)
            back += j.backSeconds;
    return back;
}

uint32_t recorderStamp(const Scenario &scenario, Seconds trueTime)
{
    return packTime(trueTime - clockBack(scenario, trueTime));
}

uint64_t recordingOffset(const Simulation &sim, const Scenario &scenario, const SimFile &f, uint64_t offset)
{
    const Seconds first = f.firstSecond - scenario.recordings[f.rec].start;
    return sim.frames[f.rec].index.start(uint64_t(first)) + offset;
}

bool simulate(const Scenario &scenario, const std::vector<PartitionResult> &layout, Simulation &out,
              std::string &error)
{
    out = {};
    error.clear();
    Recorder recorder(scenario, layout, out, error);
    return recorder.run();
}

} // namespace korvane::sim
