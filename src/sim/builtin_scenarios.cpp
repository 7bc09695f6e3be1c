#include "builtin_scenarios.h"

namespace korvane::sim {

namespace {

class Lcg
{
public:
    explicit Lcg(uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
    uint32_t below(uint32_t n)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(state_ >> 33) % n;
    }

private:
    uint64_t state_;
};

// Every camera records CIF at 12 frames per second; the fourth one in H.265,
// the first one with sound.
RecordingSpec demoRecording(int channel, Seconds start, Seconds length, uint8_t alarm)
{
    RecordingSpec r;
    r.channel = channel;
    r.start = start;
    r.end = start + length;
    r.alarm = alarm;
    r.fps = 12;
    r.codec = channel == 3 ? 3 : 2;
    r.audio = channel == 0;
    if (alarm != 0)
        r.card = "6214" + std::to_string(100000 + channel * 1000 + alarm);
    return r;
}

void addMidnightRecordings(Scenario &s, Seconds midnight)
{
    s.recordings.push_back(demoRecording(0, midnight - 75, 150, 0));
    s.recordings.push_back(demoRecording(2, midnight - 30, 95, 2));
}

bool overlaps(const Scenario &s, const RecordingSpec &r)
{
    for (const RecordingSpec &o : s.recordings)
        if (o.channel == r.channel && o.streamType == r.streamType && o.start < r.end + 5 && r.start < o.end + 5)
            return true;
    return false;
}

// H.265 takes several times longer to encode, so its recordings are shorter.
Seconds demoLength(Lcg &rng, int channel) { return channel == 3 ? 5 + rng.below(31) : 10 + rng.below(81); }

void addChannelDay(Scenario &s, Lcg &rng, int channel, Seconds from, Seconds to)
{
    static const uint8_t alarms[] = {0, 0, 1, 2, 3, 4};
    for (Seconds t = from + rng.below(3600); t < to; t += 5400 + rng.below(7200)) {
        RecordingSpec r = demoRecording(channel, t, demoLength(rng, channel), alarms[rng.below(6)]);
        if (overlaps(s, r))
            continue;
        s.recordings.push_back(r);
        if (channel == 1) { // this camera also records its sub stream
            RecordingSpec sub = r;
            sub.streamType = 1;
            sub.width = 176;
            sub.height = 144;
            sub.card.clear();
            s.recordings.push_back(sub);
        }
    }
}

// Two more partitions hold what only recovery finds. The third is a small ring that wrapped and
// lost power near the end of its older lap: the newest lap took the first clusters of two
// recordings (tails) and the mount's repair drops the rest of the older lap (hidden). On the
// fourth the write head was last saved before two more recordings were made (beyond).
void addRecoveryPartitions(Scenario &s, Seconds evening)
{
    PartitionSpec ring;
    ring.clusters = 48;
    ring.status = 0;
    PartitionSpec unsaved;
    unsaved.clusters = 256;
    unsaved.driverType = 1;
    unsaved.headSavedAt = evening + 3600 + 210;
    s.partitions.push_back(ring);
    s.partitions.push_back(unsaved);
    for (int slot = 0; slot < 4; ++slot)
        for (int channel = 0; channel < 2; ++channel) {
            RecordingSpec r = demoRecording(channel, evening + slot * 60 + channel * 5, 40, 0);
            r.partition = 2;
            s.recordings.push_back(r);
        }
    for (int slot = 0; slot < 4; ++slot) {
        RecordingSpec r = demoRecording(2, evening + 3600 + slot * 120, 30, slot == 3 ? 1 : 0);
        r.partition = 3;
        s.recordings.push_back(r);
    }
}

} // namespace

Scenario demoScenario(uint64_t seed)
{
    Scenario s;
    s.seed = seed;
    s.payloads = PayloadKind::Real;
    s.sectorsPerCluster = 128; // 64 KiB clusters
    PartitionSpec first;
    first.clusters = 512; // filled on the first day, so the recorder moves on to the second
    PartitionSpec second;
    second.clusters = 1024;
    second.extDir = true;
    s.partitions = {first, second};
    const Seconds day1 = makeTime(2024, 3, 5);
    const Seconds day2 = day1 + 86400;
    addMidnightRecordings(s, day2);
    Lcg rng(seed);
    for (int channel = 0; channel < 4; ++channel)
        addChannelDay(s, rng, channel, day1 + 6 * 3600, day2 + 20 * 3600);
    addRecoveryPartitions(s, day2 + 21 * 3600);
    return s;
}

Scenario bench2TibScenario(uint64_t seed)
{
    Scenario s;
    s.seed = seed;
    s.sectorsPerCluster = 4096; // 2 MiB clusters
    PartitionSpec part;
    part.clusters = 262144;
    part.udItems = 65536;
    s.partitions = {part, part, part, part};
    const Seconds first = makeTime(2024, 1, 1);
    for (int slot = 0; slot < 30 * 48; ++slot)
        for (int channel = 0; channel < 16; ++channel) {
            RecordingSpec r;
            r.channel = channel;
            r.start = first + Seconds(slot) * 1800;
            r.end = r.start + 1800;
            r.bytesPerSecond = 65536;
            r.alarm = uint8_t(slot % 7 == 3 ? 1 : 0);
            s.recordings.push_back(r);
        }
    return s;
}

} // namespace korvane::sim
