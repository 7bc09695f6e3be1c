#include "wfs_log.h"
#include "wfs_time.h"
#include "wfs_volume.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
const size_t MAX_CHART_COLUMNS = 64;

bool mounted(const wfs_pdp &p) { return p.driver_type != WFS_DRIVER_FREE; }

std::string dev_part(const wfs_pdp &p, bool mark_work)
{
    char text[64];
    const char *star = mark_work && wfs_work_driver(p.driver_type) == &p ? "*" : "|";
    if (p.next)
        snprintf(text, sizeof text, "%s%u.%u -> %u.%u", star, p.dev, p.part, p.next->dev, p.next->part);
    else
        snprintf(text, sizeof text, "%s%u.%u -> ?.?", star, p.dev, p.part);
    return text;
}

std::string time_and_cluster(uint32_t time, uint32_t clus)
{
    wfs_date_time t = wfs_unpack_time(time);
    char text[64];
    snprintf(text, sizeof text, "|%02d-%02d %02d:%02d:%02d|%8u", t.month, t.day, t.hour, t.minute, t.second, clus);
    return text;
}

void print_basic()
{
    wfs_debug("driver basic parameter:\n");
    wfs_debug("| dev.part |type|total_clus | temp_off | index_off | dir_off |lock_off |mark_off |face_off | data_off | "
              "rev_clus | sec/clus |status|\n");
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        const wfs_pdp &p = *wfs_driver_slot(i);
        if (!mounted(p)) continue;
        wfs_debug("%s|%4u|%11u|%10u|%11u|%9u|%9u|%9u|%9u|%10u|%10u|%10u|0x%04x\n", dev_part(p, false).c_str(),
                  p.driver_type, p.total_clus, p.temp_off, p.index_offset, p.dir_offset, p.lock_file_info_off,
                  p.mark_file_info_off, p.face_lib_param_offset, p.data_offset, p.rev_clus, p.sec_per_clus, p.status);
    }
}

void print_operation()
{
    wfs_debug("driver operation parameter:\n");
    wfs_debug("| dev.part | F| S|  curr  |        start1         |         end1          |        start2         |  "
              "      end2           |\n");
    wfs_debug("|          |  |  |        |MM-DD HH:MM:SS|  clus  |MM-DD HH:MM:SS|  clus  |MM-DD HH:MM:SS|  clus  "
              "|MM-DD HH:MM:SS|  clus  |\n");
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        const wfs_pdp &p = *wfs_driver_slot(i);
        if (!mounted(p)) continue;
        wfs_debug("%s|%2u| %c|%8u%s%s%s%s|\n", dev_part(p, true).c_str(), p.flag_f, p.err_status == 0 ? 'O' : 'X',
                  p.current_cluster, time_and_cluster(p.start_time1, p.rev_clus).c_str(),
                  time_and_cluster(p.end_time1, p.current_cluster).c_str(),
                  time_and_cluster(p.start_time2, p.start_cluster2).c_str(),
                  time_and_cluster(p.end_time2, p.end_cluster2).c_str());
    }
}

std::vector<uint32_t> chart_columns()
{
    std::vector<uint32_t> times;
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        const wfs_pdp &p = *wfs_driver_slot(i);
        if (!mounted(p)) continue;
        for (uint32_t t : {p.start_time1, p.end_time1, p.start_time2, p.end_time2})
            if (t) times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    if (times.size() > MAX_CHART_COLUMNS) times.resize(MAX_CHART_COLUMNS);
    return times;
}

void print_chart()
{
    wfs_debug("driver time chart:\n");
    wfs_debug("|dev.part | period of time                                                 |\n");
    std::vector<uint32_t> columns = chart_columns();
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        const wfs_pdp &p = *wfs_driver_slot(i);
        if (!mounted(p)) continue;
        char head[32];
        snprintf(head, sizeof head, "|  %2d.%2d  |", (int)p.dev, (int)p.part);
        std::string row = head;
        for (uint32_t t : columns) {
            bool in1 = t >= p.start_time1 && t < p.end_time1;
            bool in2 = t >= p.start_time2 && t < p.end_time2;
            row += in1 || in2 ? '_' : ' ';
        }
        wfs_debug("%s\n", row.c_str());
    }
}

std::string section_time(uint32_t time)
{
    wfs_date_time t = wfs_unpack_time(time);
    char text[40];
    snprintf(text, sizeof text, "| %02d-%02d-%02d %02d:%02d:%02d", t.year % 100, t.month, t.day, t.hour, t.minute,
             t.second);
    return text;
}

void print_sections()
{
    wfs_debug("driver time sections:\n");
    wfs_debug("|dev part |start_clus| end_clus |    start_time     |   end_time        |\n");
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        const wfs_pdp &p = *wfs_driver_slot(i);
        if (!mounted(p)) continue;
        uint32_t n = std::min<uint32_t>(p.collision_num + 2, WFS_MAX_SECTIONS);
        for (uint32_t j = 0; j < n; ++j) {
            const wfs_time_section &s = p.sections[j];
            std::string times = wfs_section_valid(&p, (int)j) ? section_time(s.start_time) + section_time(s.end_time)
                                                               : std::string("  (error)");
            wfs_debug("|  %2d.%2d  |  %7d |  %7d %s\n", (int)p.dev, (int)p.part, (int)s.start_clus, (int)s.end_clus,
                      times.c_str());
        }
    }
}
} // namespace

void wfs_print_drivers()
{
    print_basic();
    print_operation();
    print_chart();
    print_sections();
}
