// Fuzz target: the frame index scan of a recording saved on the PC, and the look-ups on it.
#include "playback/cfileindex.h"

#include <QtGlobal>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
std::string scratchFile()
{
    const char *dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/korvane-fuzz-index-" + std::to_string(getpid()) + ".h264";
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = scratchFile();
    static const bool quiet =
        (qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}), true);
    (void)quiet;
    if (size == 0) return 0;
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return 0;
    fwrite(data + 1, 1, size - 1, file);
    fclose(file);
    CFileIndex index;
    index.StartFileIndex(QString::fromStdString(path), data[0] & 1);
    index.WaitFileIndex();
    FileIndexEntry entry;
    for (double fraction : {0.0, 0.37, 0.999, 1.0})
        index.FindByFraction(fraction, entry);
    if (index.IsIndexReady()) {
        index.FindBySecond(CFileIndex::SecondOfDay(index.FirstTime()) + 1, entry);
        if (index.Entries().isEmpty() || index.FrameCount() < 0 || index.FileLength() > qint64(size))
            __builtin_trap();
    }
    index.Duration();
    index.StopFileIndex();
    remove(path.c_str());
    return 0;
}
