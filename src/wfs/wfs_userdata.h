// The user-data ring of a partition: small card-number items attached to recordings.
#pragma once

#include "wfs_types.h"

// A search pattern: card digits (nibble 0xF matches any) and kind (0xFF matches any).
struct wfs_card_pattern {
    uint8_t card[10];
    uint8_t kind;
};

uint32_t ud_get_item(wfs_pdp *pdp, uint32_t item_no, uint32_t first_cluster, uint8_t out[12]);
uint32_t ud_find_item(wfs_pdp *pdp, const wfs_card_pattern *patterns, int count, uint32_t first_cluster,
                      uint32_t start_item);
uint32_t ud_add_item(wfs_pdp *pdp, uint32_t first_cluster, const uint8_t record[12], uint32_t *item_no);
void ud_check_item(wfs_pdp *pdp);
uint32_t init_ud_area(wfs_pdp *pdp);
// "CardNO: ..." line of a card record.
void wfs_print_card(const uint8_t record[11]);
