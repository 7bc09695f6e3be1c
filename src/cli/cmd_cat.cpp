// korvane-cli cat: a recording's bytes, as the file wrapper reads them, on standard output.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cfsfile.h"
#include "wfs_stream.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
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
    while ((n = file.Read(chunk.get(), CHUNK_BYTES)) > 0) {
        if (!writeAll(chunk.get(), (size_t)n)) return -1;
        copied += n;
    }
    return copied;
}
} // namespace

int runCat(const CliOptions &options)
{
    if (!openDisks(options)) return 1;
    wfs_register_stream_ops();
    const std::string &path = options.args.front();
    CFSFile file;
    if (!file.Open(QString::fromStdString(path), CFSFile::modeRead)) {
        fprintf(stderr, "korvane-cli: cannot open %s\n", path.c_str());
        return 1;
    }
    const qint64 length = file.GetLength();
    const qint64 copied = copyToStdout(file);
    if (copied < 0) {
        fprintf(stderr, "korvane-cli: cannot write the output\n");
        return 1;
    }
    // A read that fails part-way ends like the end of the recording: only the length tells them apart.
    if (copied < length) {
        fprintf(stderr, "korvane-cli: %s: read failed after %lld of %lld bytes\n", path.c_str(),
                (long long)copied, (long long)length);
        return 1;
    }
    return 0;
}
