#include "cmd_mount_sources.h"

#include "cli_commands.h"

#include "common/cfsfile.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <QMutexLocker>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace
{
const int MAIN_STREAM = 0;
const char MOUNT_PREFIX[] = "/mnt/";

// Every call into the library holds the lock every file wrapper and the catalogue loader hold:
// the library serves one caller at a time.
class LibraryLock
{
  public:
    LibraryLock() : m_locker(&CFSFile::Lock()) {}

  private:
    QMutexLocker m_locker;
};

// A failed read is named on standard error: in the foreground the user sees why a tool got EIO.
void reportFailure(const std::string &path, const char *what, int64_t offset)
{
    char why[512] = "";
    fs_last_error(why, sizeof why);
    fprintf(stderr, "korvane-cli mount: %s: %s at byte %lld%s%s\n", path.c_str(), what, (long long)offset,
            why[0] ? ": " : "", why);
}

int openErrno()
{
    return fs_last_error(nullptr, 0) == 1 ? ENFILE : EIO; // 1: the library's handle table is full
}

// One open of a recording: a stream of its own, positioned for every read.
class RecordingReader : public MountReader
{
  public:
    RecordingReader(const std::string &path, FILEHANDLE stream, int64_t length)
        : m_path(path), m_stream(stream), m_length(length)
    {
    }
    ~RecordingReader() override
    {
        LibraryLock lock;
        fs_fclose(m_stream);
    }

    ssize_t readAt(char *out, size_t size, int64_t offset) override
    {
        if (offset < 0) return -EINVAL;
        if (offset >= m_length) return 0;
        const size_t wanted = (size_t)std::min<int64_t>((int64_t)size, m_length - offset);
        LibraryLock lock;
        if (fs_fseek(m_stream, offset, SEEK_SET) != 0) {
            reportFailure(m_path, "cannot seek", offset);
            return -EIO;
        }
        const size_t got = fs_fread(out, 1, wanted, m_stream);
        if (got == wanted) return (ssize_t)got;
        // The bytes before the failure go out; the read that starts at it fails.
        if (got > 0) return (ssize_t)got;
        reportFailure(m_path, "read failed", offset);
        return -EIO;
    }

  private:
    const std::string m_path;
    FILEHANDLE m_stream;
    const int64_t m_length;
};

class RecordingContent : public MountContent
{
  public:
    RecordingContent(std::string path, int64_t listedBytes) : m_path(std::move(path)), m_listed(listedBytes)
    {
    }

    // The stream's own length (the listed length less a "DHII" header); while it cannot be had,
    // the listed length, and the reads say why they fail.
    int64_t length() override
    {
        int64_t known = m_length.load();
        if (known >= 0) return known;
        LibraryLock lock;
        FILEHANDLE h = fs_fopen(m_path.c_str(), "rb");
        if (!h) return m_listed;
        int64_t length = fs_fseek(h, 0, SEEK_END) == 0 ? fs_ftell(h) : -1;
        fs_fclose(h);
        if (length < 0) return m_listed;
        m_length = length;
        return length;
    }

    std::unique_ptr<MountReader> open(int *error) override
    {
        const int64_t bytes = length();
        LibraryLock lock;
        FILEHANDLE h = fs_fopen(m_path.c_str(), "rb");
        if (!h) {
            *error = openErrno();
            reportFailure(m_path, "cannot open", 0);
            return nullptr;
        }
        return std::make_unique<RecordingReader>(m_path, h, bytes);
    }

  private:
    const std::string m_path; // "/mnt/ide..."
    const int64_t m_listed;
    std::atomic<int64_t> m_length{-1};
};

// What a function writes to a FILE, as a string.
template <typename Write> std::string captured(Write write)
{
    char *bytes = nullptr;
    size_t size = 0;
    FILE *out = open_memstream(&bytes, &size);
    if (!out) return std::string();
    write(out);
    fclose(out);
    std::string text(bytes, size);
    free(bytes);
    return text;
}
} // namespace

void addDiskRecordings(MountTree *tree, std::string *listing)
{
    IdeInfo ide;
    ide_get_info(&ide);
    *listing = captured([&](FILE *out) {
        CRecordLoader loader(MAIN_STREAM, [&](const RecordPairs &pairs,
                                              const QVector<wfs_file_info_v2> &records) {
            writeListLines(out, pairs, records);
            for (int i = 0; i < pairs.size(); ++i) {
                const std::string path = listedPath(records[i], pairs[i].second).toStdString();
                const int64_t listed = int64_t(records[i].length_kib) * 1024;
                MountEntry entry{path.substr(sizeof MOUNT_PREFIX - 1),
                                 wfs_packed_to_local_seconds(records[i].start_time),
                                 std::make_shared<RecordingContent>(path, listed)};
                if (!tree->add(std::move(entry)))
                    fprintf(stderr,
                            "korvane-cli: the mount leaves out %s: its path is taken or has an empty name\n",
                            path.c_str());
            }
        });
        loader.loadDataFromDisk(ide.ide_num);
    });
}

void addRecoveredRecordings(MountTree *tree)
{
    std::vector<wfs_fragment> fragments;
    CRecordLoader::allRecoveredFragments(fragments);
    for (const wfs_fragment &f : fragments) {
        const std::string path = CRecordLoader::recoveredPath(f).toStdString();
        MountEntry entry{path.substr(sizeof MOUNT_PREFIX - 1), wfs_packed_to_local_seconds(f.start_time),
                         std::make_shared<RecordingContent>(path, int64_t(f.bytes))};
        if (!tree->add(std::move(entry)))
            fprintf(stderr, "korvane-cli: the mount leaves out %s: its path is taken\n", path.c_str());
    }
}

void addKorvaneTexts(MountTree *tree, const std::string &listing, int64_t mtime)
{
    const std::string info = captured([](FILE *out) { writeInfo(out); });
    tree->add({".korvane/info.txt", mtime, std::make_shared<MountText>(info)});
    tree->add({".korvane/recordings.tsv", mtime, std::make_shared<MountText>(listing)});
}
