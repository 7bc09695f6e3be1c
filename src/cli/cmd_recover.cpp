// korvane-cli recover: the recordings the disks still hold that no listing reaches, one line
// each: path, start, end, size in KiB and kind, by disk, partition, channel and start.
#include "cli_commands.h"
#include "cli_options.h"

#include "catalogue/crecordloader.h"
#include "wfs.h"
#include "wfs_recover.h"

#include <cstdio>
#include <vector>

namespace {
void printTime(uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    printf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

void printFragment(const wfs_fragment &f)
{
    fputs(qPrintable(CRecordLoader::recoveredPath(f)), stdout);
    putchar('\t');
    printTime(f.start_time);
    putchar('\t');
    printTime(f.end_time);
    printf("\t%u\t%s\n", f.size_kib, wfs_fragment_kind_name(f.kind));
}

} // namespace

int runRecover(const CliOptions &options)
{
    if (!openDisks(options)) return 1;
    IdeInfo ide;
    ide_get_info(&ide);
    int status = 0;
    std::vector<wfs_fragment> fragments;
    for (int disk = 0; disk < ide.ide_num; ++disk)
        for (uint32_t part = 0; part < WFS_MAX_PARTS; ++part) {
            if (!get_pdp((uint32_t)disk, part)) continue;
            if (!CRecordLoader::recoveredFragments((uint32_t)disk, part, fragments)) {
                fprintf(stderr, "korvane-cli: partition %u of disk %d could not be searched\n", part, disk);
                status = 1;
                continue;
            }
            for (const wfs_fragment &f : fragments) printFragment(f);
        }
    return status;
}
