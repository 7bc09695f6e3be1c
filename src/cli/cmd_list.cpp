// korvane-cli list: every recording the Disk page shows, in its order.
#include "cli_commands.h"
#include "cli_options.h"

#include "catalogue/crecordloader.h"
#include "common/crecordname.h"
#include "wfs.h"

#include <cstdio>
#include <string>

namespace {
void printTime(uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    printf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

void printBatch(const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records)
{
    for (int i = 0; i < pairs.size(); ++i) {
        const wfs_file_info_v2 &r = records[i];
        QString path = CRecordName::recordPath(r.disk, r.part, CRecordLoader::startDate(r), r.channel, pairs[i].second);
        fputs(path.toUtf8().constData(), stdout);
        putchar('\t');
        printTime(r.start_time);
        putchar('\t');
        printTime(r.end_time);
        printf("\t%u\n", r.length_kib);
    }
}

bool parseFormat(const std::vector<std::string> &args, int *format)
{
    *format = 0;
    if (args.empty()) return true;
    if (args.size() != 2 || args[0] != "--format") return false;
    bool ok = false;
    *format = QString::fromStdString(args[1]).toInt(&ok);
    return ok && *format >= 0 && *format <= 15;
}
} // namespace

int runList(const CliOptions &options)
{
    int format = 0;
    if (!parseFormat(options.args, &format)) {
        fprintf(stderr, "korvane-cli: list takes [--format N] with N from 0 to 15\n");
        return 2;
    }
    if (!openDisks(options)) return 1;
    IdeInfo ide;
    ide_get_info(&ide);
    CRecordLoader loader(format, printBatch);
    loader.loadDataFromDisk(ide.ide_num);
    return 0;
}
