#include "wfs_dir.h"
#include "wfs_volume.h"

#include <algorithm>
#include <cstring>

namespace {
const uint32_t WORK_SECTION_UNSET = 0xFFFFFFFF;

void close_section(wfs_pdp *pdp, uint32_t j, uint32_t last_clus)
{
    get_dir_item_time1(pdp, last_clus, &pdp->sections[j].end_time);
    pdp->sections[j].end_clus = last_clus;
}

void open_section(wfs_pdp *pdp, uint32_t j, uint32_t first_clus)
{
    get_dir_item_time(pdp, first_clus, &pdp->sections[j].start_time);
    pdp->sections[j].start_clus = first_clus;
}
} // namespace

uint32_t wfs_build_time_sections(wfs_pdp *pdp)
{
    memset(pdp->sections, 0, sizeof pdp->sections);
    for (wfs_time_section &s : pdp->sections) s.pdp = pdp;
    if (pdp->current_cluster == 0) return WFS_OK;
    uint32_t n = std::min<uint32_t>(pdp->collision_num, WFS_MAX_COLLISIONS);
    pdp->sections[0].start_time = pdp->start_time1;
    pdp->sections[0].start_clus = pdp->rev_clus;
    pdp->work_section = WORK_SECTION_UNSET;
    uint32_t j = 0;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t x = pdp->collision[i];
        if (pdp->work_section == WORK_SECTION_UNSET && x >= pdp->current_cluster) pdp->work_section = j++;
        close_section(pdp, j++, x - 1);
        open_section(pdp, j, x);
    }
    if (pdp->work_section == WORK_SECTION_UNSET) pdp->work_section = n;
    wfs_time_section &last = pdp->sections[n + 1];
    if (pdp->start_cluster2 != 0) {
        last.end_time = pdp->end_time2;
        last.end_clus = pdp->end_cluster2;
    } else {
        last.start_clus = last.end_clus = 0;
    }
    wfs_refresh_live_section(pdp);
    return WFS_OK;
}

void wfs_refresh_live_section(wfs_pdp *pdp)
{
    if (pdp->current_cluster == 0 || pdp->work_section >= WFS_MAX_SECTIONS) return;
    wfs_time_section &work = pdp->sections[pdp->work_section];
    get_dir_item_time1(pdp, pdp->current_cluster, &work.end_time);
    work.end_clus = pdp->current_cluster;
    if (pdp->work_section + 1 >= WFS_MAX_SECTIONS) return;
    wfs_time_section &following = pdp->sections[pdp->work_section + 1];
    if (following.end_clus != 0) open_section(pdp, pdp->work_section + 1, pdp->current_cluster + 1);
}

bool wfs_section_valid(const wfs_pdp *pdp, int j)
{
    if (j == 0) return true;
    const wfs_time_section &s = pdp->sections[j];
    return s.start_clus != 0 && s.end_clus >= s.start_clus && s.start_time <= s.end_time;
}
