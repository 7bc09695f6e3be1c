// korvane-cli cat: a recording's bytes, as the file wrapper reads them, on standard output.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cfsfile.h"
#include "wfs_stream.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
const qint64 CHUNK_BYTES = 1 << 20; // sector-aligned, so every read goes straight to the disk
const size_t PAGE_ALIGNMENT = 4096;   // the kernel copies page-aligned reads several times faster

bool copyToStdout(CFSFile &file)
{
    std::unique_ptr<char, decltype(&free)> chunk((char *)aligned_alloc(PAGE_ALIGNMENT, CHUNK_BYTES), free);
    if (!chunk) return false;
    qint64 n;
    while ((n = file.Read(chunk.get(), CHUNK_BYTES)) > 0)
        if (fwrite(chunk.get(), 1, (size_t)n, stdout) != (size_t)n) return false;
    return fflush(stdout) == 0;
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
    if (!copyToStdout(file)) {
        fprintf(stderr, "korvane-cli: cannot write the output\n");
        return 1;
    }
    return 0;
}
