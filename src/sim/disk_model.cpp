#include "disk_model.h"

#include "layout.h"
#include "packed_time.h"

#include <algorithm>
#include <cstring>

namespace korvane::sim {

namespace {

constexpr uint32_t kMaxCollisions = 128;
constexpr uint32_t kRepairReach = 520; // clusters the mount-time repair walks past current_cluster
constexpr uint32_t kPictureRepairGap = 64; // clusters the repair keeps free ahead of the write head
constexpr uint32_t kVideoRepairGap = 256;

bool isRepairedType(uint32_t type) { return type == 0 || type == 3 || type == 4; }

} // namespace

uint8_t indexState(uint8_t dirFlag)
{
    switch (dirFlag) {
    case 0:
    case 1:
        return 0;
    case 3:
        return 1;
    case 2:
        return 2;
    default:
        return 3;
    }
}

DiskModel::DiskModel(const Scenario &scenario, std::vector<PartitionResult> &parts, const Simulation &sim)
    : scenario_(scenario), parts_(parts), sim_(sim), clusterBytes_(uint64_t(scenario.sectorsPerCluster) * kBlockSize)
{
}

uint32_t DiskModel::recorderTime(Seconds trueSecond) const
{
    return recorderStamp(scenario_, trueSecond);
}

Seconds DiskModel::secondOfByte(const SimFile &f, uint64_t byte) const
{
    if (byte < f.headBytes)
        return f.firstSecond;
    const uint64_t offset = recordingOffset(sim_, scenario_, f, byte - f.headBytes);
    return scenario_.recordings[f.rec].start + Seconds(sim_.frames[f.rec].index.secondAt(offset));
}

uint32_t DiskModel::usedSectors(const SimFile &f, size_t index) const
{
    if (index + 1 < f.clusters.size() || scenario_.recordings[f.rec].fullLastCluster)
        return scenario_.sectorsPerCluster;
    return uint32_t(ceilDiv(f.bytes - index * clusterBytes_, kBlockSize));
}

uint32_t DiskModel::clusterStart(const SimFile &f, size_t index) const
{
    return recorderTime(secondOfByte(f, index * clusterBytes_));
}

uint32_t DiskModel::clusterEnd(const SimFile &f, size_t index) const
{
    if (index + 1 == f.clusters.size())
        return fileEnd(f);
    return recorderTime(secondOfByte(f, (index + 1) * clusterBytes_ - 1));
}

// The end of the last second written, so that a recording of n seconds lasts n seconds.
uint32_t DiskModel::fileEnd(const SimFile &f) const
{
    const Seconds last = secondOfByte(f, f.bytes - 1);
    return packTime(last - clockBack(scenario_, last) + 1);
}

uint8_t DiskModel::dirFlag(size_t part, uint32_t cluster, const SimFile &f, size_t index) const
{
    const uint8_t flag = index == 0 ? scenario_.recordings[f.rec].firstDirFlag : 1;
    if (!sim_.parts[part].skipped[cluster])
        return flag;
    return flag == 2 ? 4 : 5; // a locked cluster the writer stepped over
}

void DiskModel::dirItem(size_t part, uint32_t cluster, uint8_t *out) const
{
    std::memset(out, 0, kDirItemSize);
    const int32_t owner = sim_.parts[part].owner[cluster];
    if (owner < 0)
        return;
    const SimFile &f = sim_.files[size_t(owner)];
    const RecordingSpec &r = scenario_.recordings[f.rec];
    const size_t k = sim_.parts[part].ordinal[cluster];
    const size_t last = f.clusters.size() - 1;
    const bool closedFirst = k == 0 && !f.open;
    out[0] = r.alarm;
    out[1] = dirFlag(part, cluster, f, k);
    putU16(out + 2, uint16_t(k == 0 ? (f.open ? 0 : last) : k));
    putU32(out + 4, k == 0 ? f.udItem : f.clusters[k - 1]);
    putU32(out + 8, k < last ? f.clusters[k + 1] : f.open ? kOpenLink : 0);
    putU32(out + 12, clusterStart(f, k));
    putU32(out + 16, closedFirst ? fileEnd(f) : clusterEnd(f, k));
    putU16(out + 20, uint16_t(r.headSectorsInDir && f.segment == 0 ? r.dhiiSectors : 0));
    putU16(out + 22, uint16_t(k == last || closedFirst ? endLength(f) : 0));
    putU32(out + 24, f.clusters.front());
    out[28] = uint8_t((r.attr & 0x1F) | (r.locked ? kLockedBit : 0));
    out[29] = r.streamType;
    out[30] = f.repeatNo;
    out[31] = uint8_t(r.channel << 2 | (r.av & 3));
}

uint16_t DiskModel::endLength(const SimFile &f) const
{
    return scenario_.recordings[f.rec].fullLastCluster ? 0 : uint16_t(usedSectors(f, f.clusters.size() - 1));
}

void DiskModel::extItem(size_t part, uint32_t cluster, uint8_t *out) const
{
    std::memset(out, 0, kDirItemSize);
    const int32_t owner = sim_.parts[part].owner[cluster];
    if (owner < 0)
        return;
    const RecordingSpec &r = scenario_.recordings[sim_.files[size_t(owner)].rec];
    out[0] = r.extCode0;
    out[1] = r.extCode1;
    putU32(out + 4, r.extEvents);
}

uint8_t DiskModel::indexByte(size_t part, uint32_t cluster) const
{
    uint8_t item[kDirItemSize];
    dirItem(part, cluster, item);
    return uint8_t((item[31] & 0xFC) | indexState(item[1]));
}

uint32_t DiskModel::newestEnd(size_t part) const
{
    const SimPartition &sp = sim_.parts[part];
    const SimFile *newest = nullptr;
    Seconds newestSecond = 0;
    for (const SimFile &f : sim_.files) {
        if (f.partition != int(part) || f.generation != sp.generation || f.clusters.empty())
            continue;
        const Seconds last = secondOfByte(f, f.bytes - 1);
        if (!newest || last > newestSecond)
            newest = &f, newestSecond = last;
    }
    return newest ? fileEnd(*newest) : 0;
}

void DiskModel::finishSections(size_t part, PartitionResult &r) const
{
    const SimPartition &sp = sim_.parts[part];
    uint8_t item[kDirItemSize];
    dirItem(part, sp.lapFirst, item);
    r.startTime1 = getU32(item + 12);
    r.endTime1 = newestEnd(part);
    if (sp.hasPreviousLap && sp.current < sp.previousLapEnd) {
        r.startCluster2 = sp.current + 1;
        r.endCluster2 = sp.previousLapEnd;
        dirItem(part, r.startCluster2, item);
        r.startTime2 = getU32(item + 12);
        dirItem(part, r.endCluster2, item);
        r.endTime2 = getU32(item + 16);
    }
    for (uint32_t c : sp.collisions)
        if (r.collisions.size() < kMaxCollisions)
            r.collisions.push_back(c);
}

// After a power loss the saved write head lags behind: it still names the
// oldest cluster that was open, so the mount-time repair walks over all of them.
void DiskModel::finishOpenState(size_t part, PartitionResult &r) const
{
    uint32_t oldestOpen = r.headCluster;
    bool anyOpen = false;
    for (const SimFile &f : sim_.files)
        if (f.open && f.partition == int(part)) {
            anyOpen = true;
            oldestOpen = std::min(oldestOpen, f.clusters.back());
        }
    if (anyOpen && r.headCluster - oldestOpen < kRepairReach)
        r.currentCluster = oldestOpen;
    const auto &plan = scenario_.partitions[part];
    if (plan.headSavedAt && sim_.parts[part].headSaved) {
        r.currentCluster = sim_.parts[part].savedCurrent;
        uint8_t item[kDirItemSize];
        dirItem(part, r.currentCluster, item);
        r.endTime1 = getU32(item + 16);
    }
    r.status = plan.status ? *plan.status : anyOpen ? 0 : kCleanStatus;
}

void DiskModel::finishPartition(size_t part)
{
    PartitionResult &r = parts_[part];
    const SimPartition &sp = sim_.parts[part];
    r.flagF = uint8_t(sp.lap);
    r.udFirstItem = r.udItemCount ? sp.udFirst : 0;
    r.udLastItem = r.udItemCount ? sp.udLast : 0;
    r.status = kCleanStatus;
    if (!sp.written)
        return finishOpenState(part, r);
    r.currentCluster = r.headCluster = sp.current;
    finishSections(part, r);
    finishOpenState(part, r);
}

void DiskModel::finishPartitions()
{
    for (size_t p = 0; p < parts_.size(); ++p)
        finishPartition(p);
}

// The write head the mount leaves: the repair after an unclean stop walks from the saved
// head over what was written after it, up to the last recording end within its reach.
uint32_t DiskModel::repairedHead(size_t part) const
{
    const PartitionResult &r = parts_[part];
    const SimPartition &sp = sim_.parts[part];
    const uint32_t first = std::max(r.currentCluster, r.revClus);
    const uint32_t end = uint32_t(std::min<uint64_t>(uint64_t(r.currentCluster) + kRepairReach, r.totalClus));
    uint32_t last = first;
    bool found = false;
    for (uint32_t c = first; c < end; ++c) {
        if (sp.owner[c] < 0 || sp.skipped[c])
            continue;
        const SimFile &f = sim_.files[size_t(sp.owner[c])];
        if (f.generation != sp.generation)
            break; // the older lap: its clock is far behind
        if (sp.ordinal[c] + 1 == f.clusters.size() || scenario_.recordings[f.rec].streamType == 3 ||
            scenario_.recordings[f.rec].streamType == 4)
            last = c, found = true;
    }
    const bool recorded = found || r.currentCluster != 0;
    return r.revClus != r.currentCluster + 1 && recorded ? last : r.currentCluster;
}

DiskModel::MountedHead DiskModel::mountedHead(size_t part) const
{
    const PartitionResult &r = parts_[part];
    if (r.status == kCleanStatus || !isRepairedType(r.driverType))
        return {r.currentCluster, r.startCluster2 ? r.endCluster2 : 0};
    const uint32_t current = repairedHead(part);
    const uint32_t gap = r.driverType == kPictureDriverType ? kPictureRepairGap : kVideoRepairGap;
    return {current, r.startCluster2 && uint64_t(current) + gap < r.endCluster2 ? r.endCluster2 : 0};
}

// Runs of a file's surviving clusters that no listing reaches: each is one fragment. A file
// whose first cluster survives is listed when the mounted partition's sections hold it.
void DiskModel::addFragments(size_t part, size_t fileIndex, size_t recording, std::vector<FragmentResult> &out) const
{
    const PartitionResult &r = parts_[part];
    const SimPartition &sp = sim_.parts[part];
    const SimFile &f = sim_.files[fileIndex];
    const MountedHead head = mountedHead(part);
    auto listed = [&](uint32_t c) {
        return (head.current != 0 && c >= r.revClus && c <= head.current) ||
               (head.end2 != 0 && c > head.current && c <= head.end2);
    };
    // Past the head lie what the newest lap wrote after it and the older lap up to its end.
    const uint32_t regionEnd = std::max(r.startCluster2 ? r.endCluster2 : 0, r.headCluster);
    auto owned = [&](size_t k) {
        const uint32_t c = f.clusters[k];
        return sp.owner[c] == int32_t(fileIndex) && !sp.skipped[c] && c > head.current && c <= regionEnd;
    };
    const uint32_t first = f.clusters[0];
    if (sp.owner[first] == int32_t(fileIndex) && !sp.skipped[first] && listed(first))
        return; // a listed recording, also where it runs past the head
    const bool whole = owned(0);
    const FragmentKind kind =
        !whole ? FragmentKind::Tail : f.generation == sp.generation ? FragmentKind::Beyond : FragmentKind::Hidden;
    const RecordingSpec &plan = scenario_.recordings[f.rec];
    for (size_t k = 0; k < f.clusters.size();) {
        if (!owned(k)) {
            ++k;
            continue;
        }
        FragmentResult g;
        g.kind = kind;
        g.recording = recording;
        g.partition = int(part);
        g.channel = plan.channel;
        g.av = plan.av;
        g.streamType = plan.streamType;
        g.alarm = plan.alarm;
        g.repeatNo = f.repeatNo;
        g.firstOrdinal = uint32_t(k);
        for (; k < f.clusters.size() && owned(k); ++k)
            g.clusters.push_back(f.clusters[k]);
        const bool endsFile = k == f.clusters.size();
        g.lastSectors = endsFile ? usedSectors(f, k - 1) : scenario_.sectorsPerCluster;
        uint8_t item[kDirItemSize];
        dirItem(part, g.clusters.front(), item);
        g.startTime = getU32(item + 12);
        dirItem(part, g.clusters.back(), item);
        g.endTime = getU32(item + 16);
        g.sizeKiB = uint32_t((uint64_t(g.clusters.size() - 1) * scenario_.sectorsPerCluster + g.lastSectors) / 2);
        g.headSectors = g.firstOrdinal == 0 && f.segment == 0 ? plan.dhiiSectors : 0;
        out.push_back(std::move(g));
    }
}

void DiskModel::fillManifest(Manifest &m) const
{
    m.baseSector = scenario_.mbrStart;
    m.imageSectors = imageSectors();
    m.secPerClus = scenario_.sectorsPerCluster;
    m.partitions = parts_;
    m.recordings.clear();
    for (const SimFile &f : sim_.files) {
        if (f.clusters.empty())
            continue;
        const RecordingSpec &r = scenario_.recordings[f.rec];
        RecordingResult out;
        out.scenarioIndex = f.rec;
        out.segment = f.segment;
        out.partition = f.partition;
        out.channel = r.channel;
        out.av = r.av;
        out.streamType = r.streamType;
        out.alarm = r.alarm;
        out.repeatNo = f.repeatNo;
        out.firstCluster = f.clusters.front();
        out.clusterCount = uint32_t(f.clusters.size());
        out.survivingClusters = f.surviving;
        out.startTime = clusterStart(f, 0);
        out.endTime = fileEnd(f);
        out.endLength = uint16_t(usedSectors(f, f.clusters.size() - 1));
        out.lengthKiB = uint32_t((uint64_t(out.clusterCount - 1) * m.secPerClus + out.endLength) / 2);
        out.headSectors = f.segment == 0 ? r.dhiiSectors : 0;
        out.userDataItem = f.udItem;
        out.dataBytes = f.bytes;
        out.state = f.open ? RecordingState::Open : f.firstLost ? RecordingState::Overwritten : RecordingState::Survived;
        out.locked = r.locked;
        m.recordings.push_back(out);
    }
    m.fragments.clear();
    for (size_t p = 0; p < parts_.size(); ++p)
        for (size_t i = 0, recording = 0; i < sim_.files.size(); ++i) {
            if (sim_.files[i].clusters.empty())
                continue;
            if (sim_.files[i].partition == int(p))
                addFragments(p, i, recording, m.fragments);
            ++recording;
        }
    std::stable_sort(m.fragments.begin(), m.fragments.end(), [](const FragmentResult &a, const FragmentResult &b) {
        return a.partition != b.partition ? a.partition < b.partition : a.clusters.front() < b.clusters.front();
    });
}

Bytes DiskModel::volumeHeader() const
{
    Bytes b(kBlockSize, 0);
    std::memcpy(b.data(), scenario_.version.data(), std::min<size_t>(scenario_.version.size(), 6));
    for (size_t i = 0; i < 4; ++i)
        putU32(b.data() + 480 + 4 * i, scenario_.keyParamOffset[i]);
    if (scenario_.version != "WFS0.3") { // old volumes get their flags from the reader's conversion
        b[510] = 'K';
        b[511] = 'V';
    }
    return b;
}

Bytes DiskModel::partitionTable() const
{
    Bytes b(kBlockSize, 0);
    putU32(b.data() + 40, 3);
    putU32(b.data() + 44, kValidMark);
    putU32(b.data() + 48, 3);
    putU32(b.data() + 52, 1);
    for (size_t i = 0; i < parts_.size(); ++i) {
        uint8_t *e = b.data() + 56 + 64 * i;
        putU64(e, parts_[i].startSector);
        putU64(e + 8, parts_[i].totalSectors);
        putU32(e + 28, 24);
        putU32(e + 56, 1);
    }
    return b;
}

Bytes DiskModel::masterBootRecord() const
{
    Bytes b(kBlockSize, 0);
    b[446 + 4] = 0x83;
    putU32(b.data() + 454, scenario_.mbrStart);
    putU32(b.data() + 458, uint32_t(std::min<uint64_t>(imageSectors() - scenario_.mbrStart, UINT32_MAX)));
    b[510] = 0x55;
    b[511] = 0xAA;
    return b;
}

Bytes DiskModel::keyParamBlock(size_t part) const
{
    const PartitionResult &r = parts_[part];
    Bytes b(kBlockSize, 0);
    putU64(b.data(), r.totalSectors);
    putU32(b.data() + 60, r.tempOff);
    putU32(b.data() + 68, r.dataOffset);
    putU32(b.data() + 504, 1);
    putU32(b.data() + 508, kValidMark);
    return b;
}

Bytes DiskModel::pdpBlock(size_t part) const
{
    const PartitionResult &r = parts_[part];
    const uint32_t k = scenario_.keyParamOffset[part];
    Bytes b(kBlockSize, 0);
    uint8_t *p = b.data();
    p[8] = r.flagF;
    putU32(p + 12, r.status);
    putU32(p + 16, r.startTime1);
    putU32(p + 20, r.endTime1);
    putU32(p + 24, r.currentCluster);
    putU32(p + 28, r.startCluster2);
    putU32(p + 32, r.endCluster2);
    putU32(p + 36, r.startTime2);
    putU32(p + 40, r.endTime2);
    putU32(p + 44, kBlockSize);
    putU32(p + 48, r.secPerClus);
    putU32(p + 52, r.extDirOffset);
    putU32(p + 56, r.revClus);
    putU32(p + 60, r.indexOffset);
    putU32(p + 64, r.tempOff);
    putU32(p + 68, r.dirOffset);
    putU32(p + 72, r.dataOffset);
    putU32(p + 76, r.totalClus);
    putU32(p + 84, r.driverType);
    putU32(p + 88, r.udOffset);
    putU32(p + 92, r.udItemCount ? kUdItemSize : 0);
    putU32(p + 96, r.udItemCount);
    putU32(p + 100, r.udFirstItem);
    putU32(p + 104, r.udLastItem);
    putU32(p + 116, r.currentCluster);
    putU32(p + 140, uint32_t(part));
    putU32(p + 156, scenario_.partitions[part].collisionOff);
    putU32(p + 160, uint32_t(r.collisions.size()));
    putU32(p + 164, uint32_t(std::count_if(r.collisions.begin(), r.collisions.end(),
                                           [&](uint32_t c) { return c <= r.currentCluster; })));
    putU64(p + 224, r.startSector);
    putU32(p + 236, r.backdirOffset);
    putU32(p + 240, k + kFaceLibBlock);
    putU32(p + 248, k + kLockFileBlock);
    putU32(p + 256, k + kMarkFileBlock);
    putU32(p + 328, kValidMark);
    return b;
}

Bytes DiskModel::collisionBlock(size_t part) const
{
    Bytes b(kBlockSize, 0);
    const auto &c = parts_[part].collisions;
    for (size_t i = 0; i < c.size(); ++i)
        putU32(b.data() + 4 * i, c[i]);
    return b;
}

Bytes DiskModel::directoryArea(size_t part) const
{
    const PartitionResult &r = parts_[part];
    Bytes b(ceilDiv(r.totalClus, kDirItemsPerBlock) * kBlockSize, 0);
    for (uint32_t c = 0; c < r.totalClus; ++c)
        if (sim_.parts[part].owner[c] >= 0)
            dirItem(part, c, b.data() + size_t(c) * kDirItemSize);
    return b;
}

Bytes DiskModel::extDirectoryArea(size_t part) const
{
    const PartitionResult &r = parts_[part];
    Bytes b(ceilDiv(r.totalClus, kDirItemsPerBlock) * kBlockSize, 0);
    for (uint32_t c = 0; c < r.totalClus; ++c)
        extItem(part, c, b.data() + size_t(c) * kDirItemSize);
    return b;
}

Bytes DiskModel::indexArea(size_t part, const Bytes &directory) const
{
    const PartitionResult &r = parts_[part];
    Bytes b(ceilDiv(r.totalClus, kIndexPerBlock) * kBlockSize, 0);
    for (uint32_t c = 0; c < r.totalClus; ++c) {
        const uint8_t *item = directory.data() + size_t(c) * kDirItemSize;
        b[c] = uint8_t((item[31] & 0xFC) | indexState(item[1]));
    }
    return b;
}

uint64_t DiskModel::imageSectors() const
{
    const PartitionResult &last = parts_.back();
    return scenario_.mbrStart + last.startSector + last.totalSectors;
}

uint64_t DiskModel::clusterOffset(size_t part, uint32_t cluster) const
{
    const PartitionResult &r = parts_[part];
    return volumeBlockOffset(r.startSector + r.dataOffset + uint64_t(cluster) * r.secPerClus);
}

} // namespace korvane::sim
