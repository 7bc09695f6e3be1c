#include "wfs_userdata.h"

#include "wfs_buffer.h"
#include "wfs_device.h"
#include "wfs_log.h"
#include "wfs_partition.h"

#include <cstring>
#include <vector>

namespace {
const uint32_t ITEMS_PER_BLOCK = WFS_BLOCK_SIZE / sizeof(wfs_ud_item);
const uint16_t CLEAR_RUN = 128;

bool ring_usable(const wfs_pdp *pdp)
{
    return pdp->ud_offset != 0 && pdp->ud_item_size == sizeof(wfs_ud_item) && pdp->ud_item_count > 1;
}

bool item_in_ring(const wfs_pdp *pdp, uint32_t n) { return n >= 1 && n < pdp->ud_item_count; }

uint32_t next_item(const wfs_pdp *pdp, uint32_t n) { return n + 1 >= pdp->ud_item_count ? 1 : n + 1; }

uint64_t item_block(const wfs_pdp *pdp, uint32_t n) { return pdp->start_sector + pdp->ud_offset + n / ITEMS_PER_BLOCK; }

bool read_ud(wfs_pdp *pdp, uint32_t n, wfs_ud_item *out)
{
    buffer_head *bh = bread(pdp->dev, item_block(pdp, n));
    if (!bh) return false;
    memcpy(out, bh->data + n % ITEMS_PER_BLOCK * sizeof *out, sizeof *out);
    brelse(bh);
    return true;
}

bool write_ud(wfs_pdp *pdp, uint32_t n, const wfs_ud_item &item)
{
    buffer_head *bh = bread(pdp->dev, item_block(pdp, n));
    if (!bh) return false;
    memcpy(bh->data + n % ITEMS_PER_BLOCK * sizeof item, &item, sizeof item);
    bh->dirt = 1;
    brelse(bh);
    return true;
}

bool nibble_match(uint8_t pattern, uint8_t value)
{
    bool high = (pattern >> 4) == 0xF || (pattern >> 4) == (value >> 4);
    bool low = (pattern & 0xF) == 0xF || (pattern & 0xF) == (value & 0xF);
    return high && low;
}

bool card_matches(const wfs_card_pattern &p, const wfs_ud_item &item)
{
    if (p.kind != 0xFF && p.kind != item.kind) return false;
    for (int i = 0; i < 10; ++i)
        if (!nibble_match(p.card[i], item.card[i])) return false;
    return true;
}
} // namespace

uint32_t ud_get_item(wfs_pdp *pdp, uint32_t item_no, uint32_t first_cluster, uint8_t out[12])
{
    if (item_no == 0 || !ring_usable(pdp) || !item_in_ring(pdp, item_no)) return WFS_ERR_UD_NOT_FOUND;
    wfs_ud_item item;
    if (!read_ud(pdp, item_no, &item)) return WFS_ERR_READ;
    if (item.first_cluster_no != first_cluster) {
        ud_check_item(pdp);
        return WFS_ERR_UD_NOT_FOUND;
    }
    memcpy(out, &item, 12);
    return WFS_OK;
}

uint32_t ud_find_item(wfs_pdp *pdp, const wfs_card_pattern *patterns, int count, uint32_t first_cluster,
                      uint32_t start_item)
{
    if (!ring_usable(pdp) || count <= 0 || !item_in_ring(pdp, start_item)) return WFS_ERR_UD_NOT_FOUND;
    if (pdp->status != WFS_STATUS_CLEAN) ud_check_item(pdp);
    int matched = 0;
    int kind = -1;
    for (uint32_t n = start_item, steps = 0; n != pdp->ud_last_item && steps < pdp->ud_item_count;
         n = next_item(pdp, n), ++steps) {
        wfs_ud_item item;
        if (!read_ud(pdp, n, &item)) return WFS_ERR_READ;
        if (item.first_cluster_no != first_cluster) continue;
        if (kind < 0) kind = item.kind;
        if (item.kind != kind) continue;
        if (card_matches(patterns[matched % count], item) && ++matched == count) return WFS_OK;
    }
    return WFS_ERR_UD_NOT_FOUND;
}

uint32_t ud_add_item(wfs_pdp *pdp, uint32_t first_cluster, const uint8_t record[12], uint32_t *item_no)
{
    if (!ring_usable(pdp) || !item_in_ring(pdp, pdp->ud_last_item)) return WFS_ERR_UD_NOT_FOUND;
    wfs_ud_item item;
    memcpy(&item, record, 12);
    item.lap = pdp->flag_f;
    item.first_cluster_no = first_cluster;
    if (!write_ud(pdp, pdp->ud_last_item, item)) return WFS_ERR_READ;
    *item_no = pdp->ud_last_item;
    pdp->ud_last_item = next_item(pdp, pdp->ud_last_item);
    ud_check_item(pdp);
    save_pdp(pdp);
    return WFS_OK;
}

void ud_check_item(wfs_pdp *pdp)
{
    if (pdp->flag_f == 0 || !ring_usable(pdp) || !item_in_ring(pdp, pdp->ud_first_item)) return;
    uint32_t n = pdp->ud_first_item;
    // A last item outside the ring is never met: at most one lap of the ring is cleared.
    for (uint32_t steps = 1; n != pdp->ud_last_item && steps < pdp->ud_item_count; ++steps) {
        wfs_ud_item item;
        if (!read_ud(pdp, n, &item)) break;
        if (!(item.first_cluster_no < pdp->current_cluster && item.lap != pdp->flag_f)) break;
        wfs_warn("del ud fir_clus=%u\n", item.first_cluster_no);
        memset(&item, 0, sizeof item);
        write_ud(pdp, n, item);
        n = next_item(pdp, n);
    }
    pdp->ud_first_item = n;
}

uint32_t init_ud_area(wfs_pdp *pdp)
{
    if (pdp->sec_size == 0) return WFS_ERR_NOT_PRESENT;
    uint64_t blocks = (uint64_t)pdp->ud_item_size * pdp->ud_item_count / pdp->sec_size;
    std::vector<uint8_t> zeros;
    zeros.resize((size_t)CLEAR_RUN * WFS_BLOCK_SIZE);
    if (zeros.empty()) {
        wfs_error("init_ud_area error!!!!\n");
        return WFS_ERR_READ;
    }
    uint64_t first = pdp->start_sector + pdp->ud_offset;
    for (uint64_t done = 0; done < blocks; done += CLEAR_RUN) {
        uint16_t run = (uint16_t)(blocks - done < CLEAR_RUN ? blocks - done : CLEAR_RUN);
        bwrite_multi(pdp->dev, run, first + done, zeros.data());
        ide_flush((int)pdp->dev);
    }
    return WFS_OK;
}

void wfs_print_card(const uint8_t r[11])
{
    wfs_debug("CardNO: %02d %02x%02x%02x%02x%02x%02x%02x%02x%02x%02x\n", r[10], r[9], r[8], r[7], r[6], r[5], r[4], r[3],
              r[2], r[1], r[0]);
}
