// korvane-cli list: every recording the Disk page shows, in its order.
#include "cli_commands.h"
#include "cli_options.h"

#include "catalogue/crecordloader.h"
#include "common/crecordname.h"
#include "wfs.h"

#include <cstdio>
#include <string>

namespace {
void printTime(FILE *out, uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    fprintf(out, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
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

QString listedPath(const wfs_file_info_v2 &record, const QString &fileName)
{
    return CRecordName::recordPath(record.disk, record.part, CRecordLoader::startDate(record), record.channel,
                                   fileName);
}

void writeListLines(FILE *out, const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records)
{
    for (int i = 0; i < pairs.size(); ++i) {
        const wfs_file_info_v2 &r = records[i];
        fputs(listedPath(r, pairs[i].second).toUtf8().constData(), out);
        fputc('\t', out);
        printTime(out, r.start_time);
        fputc('\t', out);
        printTime(out, r.end_time);
        fprintf(out, "\t%u\n", r.length_kib);
    }
}

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
    CRecordLoader loader(format, [](const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records) {
        writeListLines(stdout, pairs, records);
    });
    loader.loadDataFromDisk(ide.ide_num);
    if (!loader.readFailed()) return 0;
    fprintf(stderr, "korvane-cli: the list is incomplete: %s\n", qPrintable(loader.readError()));
    return 1;
}
