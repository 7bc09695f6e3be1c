// korvane-cli info: the disks found and what the library knows of each partition.
#include "cli_commands.h"
#include "cli_options.h"

#include "wfs.h"

#include <cstdio>
#include <string>

namespace {
const char *typeName(uint32_t type)
{
    switch (type) {
    case 0:
        return "record";
    case WFS_DRIVER_PICTURE:
        return "picture";
    default:
        return "other";
    }
}

std::string dateText(uint32_t packed)
{
    if (packed == 0) return "-";
    wfs_date_time t = wfs_unpack_time(packed);
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

void printPartition(FILE *out, uint32_t disk, uint32_t part)
{
    wfs_driver_info info;
    if (wfs_get_driver_info(disk, part, &info) != 0) {
        fprintf(out, "  partition %u: not mounted\n", part);
        return;
    }
    fprintf(out, "  partition %u: type %u (%s)%s, %u time sections\n", part, info.driver_type,
            typeName(info.driver_type), info.is_work_driver ? ", work driver" : "", info.section_count);
    fprintf(out, "    from write head:  %s .. %s\n", dateText(info.start_time).c_str(), dateText(info.end_time).c_str());
    fprintf(out, "    below write head: %s .. %s\n", dateText(info.start_time2).c_str(),
            dateText(info.end_time2).c_str());
    fprintf(out, "    total %u MiB, free %u MiB, error status %u\n", info.total_mib, info.free_mib, info.err_status);
}

// The library prints its tables through the debug hook, which takes no context.
FILE *g_tablesOut = nullptr;
void printLine(const char *line) { fputs(line, g_tablesOut); }
} // namespace

void writeInfo(FILE *out)
{
    IdeInfo ide;
    ide_get_info(&ide);
    for (int disk = 0; disk < ide.ide_num; ++disk) {
        fprintf(out, "disk %d: PhysicalDrive%d %s, %llu sectors (%llu MiB), volume at sector %u\n", disk,
                ide_get_drive_number(disk), ide_get_drive_path(disk), (unsigned long long)ide.ide_cap[disk],
                (unsigned long long)(ide.ide_cap[disk] / 2048), ide_get_base_sector(disk));
        for (uint32_t part = 0; part < WFS_MAX_PARTS; ++part)
            if (get_pdp((uint32_t)disk, part)) printPartition(out, (uint32_t)disk, part);
    }
    fprintf(out, "\n");
    g_tablesOut = out;
    wfs_set_debug_hook(printLine);
    wfs_print_drivers();
    wfs_set_debug_hook(nullptr);
}

int runInfo(const CliOptions &options)
{
    if (!openDisks(options)) return 1;
    writeInfo(stdout);
    return 0;
}
