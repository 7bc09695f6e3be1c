#include "crecordloader.h"

#include "common/cfsfile.h"
#include "wfs.h"
#include "wfs_image.h"
#include "wfs_path.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMutexLocker>

#include <cstdio>
#include <vector>

Q_LOGGING_CATEGORY(lcCatalogue, "korvane.catalogue")

namespace {
const uint32_t ALL_ALARMS = 0xFFFFFFFF;
const uint32_t VIDEO_ON_RECORD_PARTITIONS = 0x23; // video files; driver types 0, 1 and 5
const int64_t MIN_SECONDS = 1;

bool isRecordPartition(uint32_t type) { return type == 0 || type == 1 || type == 5; }

uint32_t earliest(uint32_t a, uint32_t b) { return b != 0 && (a == 0 || b < a) ? b : a; }
uint32_t latest(uint32_t a, uint32_t b) { return b > a ? b : a; }

QString packedText(uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    return QString::asprintf("%04d:%02d:%02d-%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// The times a partition holds, widened by every stretch its clock restarted in.
void timeRange(const wfs_pdp *pdp, uint32_t *start, uint32_t *end)
{
    *start = earliest(pdp->start_time1, pdp->start_time2);
    *end = latest(pdp->end_time1, pdp->end_time2);
    uint32_t n = std::min<uint32_t>(pdp->collision_num + 2, WFS_MAX_SECTIONS);
    for (uint32_t j = 0; j < n; ++j) {
        if (!wfs_section_valid(pdp, (int)j)) continue;
        *start = earliest(*start, pdp->sections[j].start_time);
        *end = latest(*end, pdp->sections[j].end_time);
    }
}

uint32_t dayStart(uint32_t packed) { return packed & ~0x1FFFFu; }
uint32_t dayEnd(uint32_t packed) { return dayStart(packed) | 23u << 12 | 59u << 6 | 59u; }
} // namespace

CRecordLoader::CRecordLoader(int recordFormat, BatchSink sink, const std::atomic<bool> *idle)
    : m_recordFormat(recordFormat), m_sink(std::move(sink)), m_idle(idle)
{
}

int CRecordLoader::loadDataFromDisk(int ideNum)
{
    QElapsedTimer clock;
    clock.start();
    qCDebug(lcCatalogue) << "loadDataFromDisk before" << clock.elapsed() << " ideNum" << ideNum;
    m_count = 0;
    for (int disk = 0; disk < ideNum && !stopped(); ++disk) {
        wfs_part_entry entries[WFS_MAX_PARTS] = {};
        if (!readPartitions((uint32_t)disk, entries)) continue;
        for (uint32_t part = 0; part < WFS_MAX_PARTS && !stopped(); ++part)
            if (entries[part].total != 0) loadPartition((uint32_t)disk, part);
    }
    qCDebug(lcCatalogue) << "loadDataFromDisk after" << clock.elapsed();
    m_sink(RecordPairs(), QVector<wfs_file_info_v2>());
    return m_count;
}

// Every library call below holds the file lock: playback reads the same disks meanwhile.
bool CRecordLoader::readPartitions(uint32_t disk, wfs_part_entry *entries)
{
    QMutexLocker locker(&CFSFile::Lock());
    return wfs_read_partitions(disk, entries, WFS_MAX_PARTS) == WFS_OK;
}

void CRecordLoader::loadPartition(uint32_t disk, uint32_t part)
{
    uint32_t start = 0, end = 0;
    {
        QMutexLocker locker(&CFSFile::Lock());
        wfs_pdp *pdp = get_pdp(disk, part);
        if (!pdp) {
            qCDebug(lcCatalogue) << "get_pdp null";
            return;
        }
        if (!isRecordPartition(pdp->driver_type)) {
            qCDebug(lcCatalogue) << "pdp->driver_type" << pdp->driver_type;
            return;
        }
        wfs_build_time_sections(pdp);
        timeRange(pdp, &start, &end);
    }
    qCDebug(lcCatalogue).noquote() << QString::asprintf("disk %d part %d Time Range startTime:", (int)disk, (int)part)
                       << packedText(start) << "..endTime:" << packedText(end);
    if (end <= start) return;
    start = dayStart(start);
    end = dayEnd(end);
    for (int channel = 0; channel < CHANNELS && !stopped(); ++channel)
        loadChannel(disk, part, (uint8_t)channel, start, end);
}

void CRecordLoader::noteReadError(uint32_t disk, uint32_t part)
{
    if (readFailed()) return;
    const wfs_image_failure *failure = wfs_image_last_failure();
    m_strReadError = QString("disk %1 partition %2: %3")
                         .arg(disk)
                         .arg(part)
                         .arg(failure->count ? QString::fromLocal8Bit(failure->text) : QString("a block could not be read"));
    qCWarning(lcCatalogue).noquote() << "listing:" << m_strReadError;
}

void CRecordLoader::loadChannel(uint32_t disk, uint32_t part, uint8_t channel, uint32_t start, uint32_t end)
{
    std::vector<wfs_file_info_v2> &records = m_listBuffer;
    records.resize(MAX_RECORDS_PER_CALL);
    for (uint32_t from = start; !stopped();) {
        uint32_t found = MAX_RECORDS_PER_CALL;
        {
            QMutexLocker locker(&CFSFile::Lock());
            if (wfs_file_list_in(get_pdp(disk, part), channel, from, end, &found, records.data(), ALL_ALARMS, 0,
                                 VIDEO_ON_RECORD_PARTITIONS, WFS_STREAM_ANY) == WFS_ERR_READ)
                noteReadError(disk, part);
        }
        qCDebug(lcCatalogue) << "wfs_file_list 1 channel " << channel << "  Max = " << found;
        int accepted = 0;
        for (uint32_t i = 0; i < found; ++i) {
            const wfs_file_info_v2 &r = records[i];
            if (acceptable(r, disk, part, channel)) {
                ++accepted;
                add(r);
                qCInfo(lcCatalogue).noquote() << "Video " << m_count << " Name " << recordKey(r) << " OK ";
            } else {
                qCDebug(lcCatalogue).noquote() << "Video " << m_count << " Name " << recordKey(r) << " StreamType "
                                   << (r.stream & 0x0F) << " AlarmType " << r.alarm << " SKIP ";
            }
        }
        flush();
        if (found == 0 || accepted == 0 || records[found - 1].end_time >= end) return;
        from = records[found - 1].end_time;
    }
}

// A recording belongs here only when both its disk and its partition are the ones
// being loaded: the list covers every mounted partition of every disk.
bool CRecordLoader::acceptable(const wfs_file_info_v2 &r, uint32_t disk, uint32_t part, uint8_t channel) const
{
    return r.disk == disk && r.part == part && r.end_time > r.start_time && (r.av == 2 || r.av == 3) &&
           r.channel == channel && (r.stream & 0x0F) == m_recordFormat &&
           wfs_time_diff_seconds(r.end_time, r.start_time) > MIN_SECONDS;
}

void CRecordLoader::add(const wfs_file_info_v2 &record)
{
    ++m_count;
    m_pairs.append(RecordPair(recordKey(record), fileName(record)));
    m_records.append(record);
    if (m_pairs.size() == BATCH_SIZE) flush();
}

void CRecordLoader::flush()
{
    if (m_pairs.isEmpty()) return;
    m_sink(m_pairs, m_records);
    m_pairs.clear();
    m_records.clear();
}

QString CRecordLoader::recordKey(const wfs_file_info_v2 &r)
{
    wfs_date_time s = wfs_unpack_time(r.start_time), e = wfs_unpack_time(r.end_time);
    char key[64];
    snprintf(key, sizeof key, "%02d%02d%02d%04d%02d%02d%02d%02d%02d-%02d%02d%02d", r.disk, r.part, r.channel, s.year,
             s.month, s.day, s.hour, s.minute, s.second, e.hour, e.minute, e.second);
    return QString::fromLatin1(key);
}

QString CRecordLoader::fileName(const wfs_file_info_v2 &r)
{
    wfs_date_time s = wfs_unpack_time(r.start_time), e = wfs_unpack_time(r.end_time);
    char name[96];
    snprintf(name, sizeof name, "%02d.%02d.%02d-%02d.%02d.%02d[%s][@%x][%d].%s", s.hour, s.minute, s.second, e.hour,
             e.minute, e.second, wfs_alarm_letter(r.alarm), r.first_cluster_no, r.stream & 0x0F, "h264");
    return QString::fromLatin1(name);
}

QDate CRecordLoader::startDate(const wfs_file_info_v2 &r)
{
    wfs_date_time s = wfs_unpack_time(r.start_time);
    return QDate(s.year, s.month, s.day);
}

bool CRecordLoader::recoveredFragments(uint32_t disk, uint32_t part, std::vector<wfs_fragment> &fragments)
{
    uint32_t count = 0;
    fragments.resize(256);
    for (;;) {
        if (wfs_recover_list(disk, part, nullptr, fragments.data(), (uint32_t)fragments.size(), &count) != WFS_OK)
            return false;
        if (count <= fragments.size()) break;
        fragments.resize(count);
    }
    fragments.resize(count);
    return true;
}

bool CRecordLoader::allRecoveredFragments(std::vector<wfs_fragment> &fragments)
{
    fragments.clear();
    IdeInfo ide;
    ide_get_info(&ide);
    bool bAll = true;
    std::vector<wfs_fragment> partition;
    for (int disk = 0; disk < ide.ide_num; ++disk)
        for (uint32_t part = 0; part < WFS_MAX_PARTS; ++part) {
            if (!get_pdp((uint32_t)disk, part)) continue;
            if (!recoveredFragments((uint32_t)disk, part, partition)) {
                qCWarning(lcCatalogue) << "partition" << part << "of disk" << disk << "could not be searched for recovered recordings";
                bAll = false;
                continue;
            }
            fragments.insert(fragments.end(), partition.begin(), partition.end());
        }
    return bAll;
}

QString CRecordLoader::recoveredPath(const wfs_fragment &fragment)
{
    char path[512];
    wfs_recover_format_path(path, sizeof path, fragment);
    return QString::fromLatin1(path);
}
