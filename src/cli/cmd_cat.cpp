// korvane-cli cat: a recording's bytes, as the file wrapper reads them, on standard output.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cfsfile.h"
#include "wfs_stream.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{
const qint64 CHUNK_BYTES =
    1 << 20; // sector-aligned, so every read goes straight from the disk into the chunk
const size_t PAGE_ALIGNMENT = 4096; // the kernel copies page-aligned buffers fastest

// The chunk goes out in one system call where the output takes it whole: no stdio buffer in between.
bool writeAll(const char *data, size_t size)
{
    while (size > 0) {
        ssize_t n = write(STDOUT_FILENO, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= (size_t)n;
    }
    return true;
}

// Bytes copied, or -1 when the output refused them.
qint64 copyToStdout(CFSFile &file)
{
    std::unique_ptr<char, decltype(&free)> chunk((char *)aligned_alloc(PAGE_ALIGNMENT, CHUNK_BYTES), free);
    if (!chunk) return -1;
    qint64 copied = 0, n;
    while (errno = 0, (n = file.Read(chunk.get(), CHUNK_BYTES)) > 0) {
        if (!writeAll(chunk.get(), (size_t)n)) return -1;
        copied += n;
    }
    return copied;
}
} // namespace

// What the library says about the last failed read of a recording, as ": reason", or nothing.
std::string lastReason()
{
    char why[512] = "";
    if (fs_last_error(why, sizeof why) == WFS_OK || !why[0]) return std::string();
    return std::string(": ") + why;
}

int runCat(const CliOptions &options)
{
    if (!openDisks(options)) return 1;
    wfs_register_stream_ops();
    const std::string &path = options.args.front();
    CFSFile file;
    if (!file.Open(QString::fromStdString(path), CFSFile::modeRead)) {
        fprintf(stderr, "korvane-cli: cannot open %s%s\n", path.c_str(), lastReason().c_str());
        return 1;
    }
    // The listed length is what the copy must reach; a recording whose length cannot be had is no success.
    const qint64 length = file.GetLength();
    if (length < 0) {
        fprintf(stderr, "korvane-cli: %s: the length of the recording cannot be read%s\n", path.c_str(),
                lastReason().c_str());
        return 1;
    }
    const qint64 copied = copyToStdout(file);
    if (copied < 0) {
        fprintf(stderr, "korvane-cli: cannot write the output\n");
        return 1;
    }
    // A read that fails part-way ends like the end of the recording: only the length tells them apart.
    if (copied < length) {
        fprintf(stderr, "korvane-cli: %s: %s\n", path.c_str(),
                qPrintable(CFSFile::EndedEarly(file.GetFilePath(), copied, length, errno)));
        return 1;
    }
    return 0;
}
