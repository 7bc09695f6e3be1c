// The disk catalogue's loading loop, free of widgets: every video recording of
// every record partition and channel, in batches, as the Disk page and the
// command-line listing both show them.
#pragma once

#include "wfs_recover.h"
#include "wfs_types.h"

#include <QDate>
#include <QLoggingCategory>
#include <QPair>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcCatalogue)

typedef QPair<QString, QString> RecordPair; // record key, file name
typedef QVector<RecordPair> RecordPairs;

class CRecordLoader
{
public:
    // A batch of pairs and, in the same order, the list records they were made from.
    using BatchSink = std::function<void(const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records)>;

    static constexpr int BATCH_SIZE = 200;
    static constexpr uint32_t MAX_RECORDS_PER_CALL = 12000;
    static constexpr int CHANNELS = 32;

    CRecordLoader(int recordFormat, BatchSink sink, const std::atomic<bool> *idle = nullptr);

    // Lists every disk of the inventory; emits the batches and, last, an empty end mark.
    int loadDataFromDisk(int ideNum);

    static QString recordKey(const wfs_file_info_v2 &record);
    static QString fileName(const wfs_file_info_v2 &record);
    static QDate startDate(const wfs_file_info_v2 &record);

    // The recovered recordings of a mounted partition in listing order (channel, start); false
    // when its disk could not be searched.
    static bool recoveredFragments(uint32_t disk, uint32_t part, std::vector<wfs_fragment> &fragments);
    // Every partition's recovered recordings, by disk and partition; false when one could not be searched.
    static bool allRecoveredFragments(std::vector<wfs_fragment> &fragments);
    // "/mnt/ide<d><p>/recovered/<date>/<channel>/<name>" of a fragment.
    static QString recoveredPath(const wfs_fragment &fragment);

    // Whether a block could not be read while listing (the list then lacks what it held), and why.
    bool readFailed() const { return !m_strReadError.isEmpty(); }
    QString readError() const { return m_strReadError; }

private:
    bool stopped() const { return m_idle && m_idle->load(); }
    bool readPartitions(uint32_t disk, wfs_part_entry *entries);
    void loadPartition(uint32_t disk, uint32_t part);
    void noteReadError(uint32_t disk, uint32_t part);
    void loadChannel(uint32_t disk, uint32_t part, uint8_t channel, uint32_t start, uint32_t end);
    bool acceptable(const wfs_file_info_v2 &record, uint32_t disk, uint32_t part, uint8_t channel) const;
    void add(const wfs_file_info_v2 &record);
    void flush();

    int m_recordFormat;
    BatchSink m_sink;
    const std::atomic<bool> *m_idle;
    int m_count = 0;
    RecordPairs m_pairs;
    QVector<wfs_file_info_v2> m_records;
    std::vector<wfs_file_info_v2> m_listBuffer; // room for one list call, reused
    QString m_strReadError;
};
