#include "wfs_search.h"

#include "wfs_dir.h"
#include "wfs_image.h"
#include "wfs_log.h"
#include "wfs_time.h"
#include "wfs_volume.h"

#include <algorithm>
#include <vector>

namespace {
const int64_t MAX_WALK_BACK_SECONDS = 2399;
const uint32_t MAX_WALK_FORWARD = 32;
const uint32_t MAX_LIST_SEARCHES = 10000;
const uint32_t MAX_COUNT_ONLY = 10000000;
const uint32_t MAX_ALARM_ROUNDS = 10000;
const int64_t MIN_VIDEO_SECONDS = 3;
const uint8_t STREAM_TYPE_SINGLE_DAY = 3;
const int32_t EXHAUSTED = -1, UNPOSITIONED = 0, POSITIONED = 1, CANDIDATE = 2;

bool forward_type(int type) { return type == WFS_SEARCH_USABLE || type == WFS_SEARCH_FIRST; }
bool admitted(uint32_t mask, uint32_t bit) { return bit < 32 && ((mask >> bit) & 1); }
uint32_t day_of(uint32_t packed) { return packed >> 17; }

bool on_channel(const wfs_dir_item &d, uint8_t channel)
{
    return channel == WFS_ANY_CHANNEL || dir_item_channel(d) == channel;
}

bool stream_matches(const wfs_dir_item &d, uint8_t filter)
{
    return filter == WFS_STREAM_ANY || filter == 0xFF || d.stream_type == filter;
}

// True when (t, hint) sorts before the item's (start_time, repeat_no).
bool key_before(uint32_t t, uint8_t hint, const wfs_dir_item &d)
{
    return t < d.start_time || (t == d.start_time && hint < d.repeat_no);
}

uint32_t read_item(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *d)
{
    return get_dir_item_info_op(pdp, clus, d, "file_goto_driver");
}

uint32_t midpoint(uint32_t lo, uint32_t hi) { return (uint32_t)(((uint64_t)lo + hi) / 2); }

// Binary search over every cluster of lo..hi by (start_time, repeat_no). The times of a damaged
// directory need not be sorted; the search still halves its range every step.
uint32_t narrow(wfs_pdp *pdp, uint32_t t, uint8_t hint, uint32_t *lo, uint32_t *hi)
{
    const int MAX_HALVINGS = 33; // a range of 32-bit cluster numbers
    int halvings = 0;
    for (uint32_t mid = midpoint(*lo, *hi); mid != *lo; mid = midpoint(*lo, *hi)) {
        if (++halvings > MAX_HALVINGS) return WFS_ERR_END_OF_CHAIN;
        wfs_dir_item d;
        uint32_t rc = read_item(pdp, mid, &d);
        if (rc != WFS_OK) return rc;
        (key_before(t, hint, d) ? *hi : *lo) = mid;
    }
    return WFS_OK;
}

// Walks back from the binary-search result to the cluster of the channel that covers t.
uint32_t forward_start(FILEHANDLE h, uint32_t t, uint8_t hint, uint8_t stream, uint32_t lo, uint32_t a, uint32_t b,
                       uint32_t *out)
{
    wfs_dir_item d;
    uint32_t rc = read_item(h->pdp, b, &d);
    if (rc != WFS_OK) return rc;
    uint32_t start = key_before(t, hint, d) ? a : b;
    uint32_t c = start;
    for (;;) {
        if ((rc = read_item(h->pdp, c, &d)) != WFS_OK) return rc;
        bool mine = on_channel(d, h->channel) && stream_matches(d, stream);
        if (day_of(d.end_time) != day_of(t) || wfs_time_diff_seconds(t, d.start_time) > MAX_WALK_BACK_SECONDS) break;
        if (mine && d.end_time <= t) break;
        if (mine && !(d.start_time == t && d.repeat_no < hint)) break;
        if (c <= lo) {
            c = start;
            break;
        }
        --c;
    }
    if ((rc = read_item(h->pdp, c, &d)) != WFS_OK) return rc;
    bool covers = t < d.end_time && (d.start_time != t || hint <= d.repeat_no);
    if (on_channel(d, h->channel) && covers && c > 0) --c;
    *out = c;
    return WFS_OK;
}

// Walks forward a little to the last cluster of the channel that starts at or before t.
uint32_t backward_start(FILEHANDLE h, uint32_t t, uint8_t stream, uint32_t hi, uint32_t a, uint32_t *out)
{
    uint32_t best = a;
    for (uint32_t i = 0; i < MAX_WALK_FORWARD && a + i <= hi; ++i) {
        wfs_dir_item d;
        uint32_t rc = read_item(h->pdp, a + i, &d);
        if (rc != WFS_OK) return rc;
        if (d.start_time > t) break;
        if (on_channel(d, h->channel) && stream_matches(d, stream)) best = a + i;
    }
    *out = best + 1;
    return WFS_OK;
}

// Repeats a search while its result is on the wrong side of t; each search moves on, so
// no more steps than the partition has clusters.
uint32_t settle(wfs_pdp *pdp, int type, uint32_t t, uint32_t bound, uint8_t channel, uint32_t *found)
{
    for (uint32_t steps = 0;; ++steps) {
        if (steps > pdp->total_clus) return WFS_ERR_END_OF_CHAIN;
        uint32_t time = 0;
        uint32_t rc = WFS_OK;
        if (type == WFS_SEARCH_FIRST || type == WFS_SEARCH_FIRST_DOWN) rc = get_dir_item_time(pdp, *found, &time);
        if (rc != WFS_OK) return rc;
        // Forward: the first recording that starts at or after t; backward: the last that starts at or
        // before it, which is the one that covers t when one does.
        bool again = (type == WFS_SEARCH_FIRST && time < t) || (type == WFS_SEARCH_FIRST_DOWN && time > t);
        if (!again) return WFS_OK;
        if ((rc = get_next_clus_no(pdp, type, *found, bound, found, channel)) != WFS_OK) return rc;
    }
}

bool section_admitted(const wfs_time_section *s, uint32_t part_mask) { return admitted(part_mask, s->pdp->driver_type); }

void refresh_work_drivers(uint32_t part_mask)
{
    for (uint32_t k = 0; k < WFS_DRIVER_TYPES; ++k) {
        wfs_pdp *work = wfs_work_driver(k);
        if (!work || !admitted(part_mask, k)) continue;
        wfs_build_time_sections(work);
        wfs_refresh_live_section(work);
    }
}

// One round of positioning every admitted section at t; the earliest (latest backward) wins.
wfs_time_section *position_round(FILEHANDLE h, wfs_time_section *list, bool forward, uint32_t t, int type,
                                 uint8_t hint, uint32_t part_mask, uint8_t stream)
{
    wfs_time_section *best = nullptr;
    for (wfs_time_section *s = list; s; s = s->next) {
        if (s->state == EXHAUSTED || !section_admitted(s, part_mask)) continue;
        // An end time is exclusive, a start time is not: a section that starts at t covers it.
        if (forward ? s->end_time <= t : s->start_time > t) {
            s->state = EXHAUSTED;
            continue;
        }
        if (best && (forward ? s->start_time > best->candidate_time : s->end_time < best->candidate_time)) continue;
        h->pdp = s->pdp;
        // A backward search looks from the section's last cluster down until the section has been positioned.
        uint32_t lo = forward ? s->cursor : s->start_clus;
        uint32_t hi = forward || s->state == UNPOSITIONED ? s->end_clus : s->cursor;
        if (file_goto_driver(h, t, lo, hi, type, hint, stream) != WFS_OK) {
            s->state = EXHAUSTED;
            continue;
        }
        s->cursor = h->cur_cluster;
        s->candidate_time = forward ? h->cur_dir_info.start_time : h->cur_dir_info.end_time;
        s->state = POSITIONED;
        if (!best || (forward ? s->candidate_time < best->candidate_time : s->candidate_time > best->candidate_time))
            best = s;
    }
    return best;
}

bool overlaps(const wfs_time_section *s, uint32_t from, uint32_t to) { return s->end_time >= from && s->start_time <= to; }

bool inside(const wfs_time_section *s, uint32_t clus) { return clus >= s->start_clus && clus <= s->end_clus; }

// Brings a section that has not been searched yet to the recording at from.
void position_section(FILEHANDLE h, wfs_time_section *s, uint8_t channel, uint32_t from, uint32_t to, uint8_t hint,
                      bool backward, uint8_t stream)
{
    h->pdp = s->pdp;
    h->channel = channel;
    if (file_goto_driver(h, from, s->start_clus, s->end_clus, WFS_SEARCH_USABLE, hint, stream) != WFS_OK) {
        s->state = EXHAUSTED;
        return;
    }
    s->cursor = h->cur_cluster;
    s->state = POSITIONED;
    for (uint32_t steps = 0; backward && steps <= s->end_clus - s->start_clus; ++steps) {
        uint32_t next = 0, time = 0;
        if (get_next_clus_no(s->pdp, WFS_SEARCH_FIRST, s->cursor, s->end_clus, &next, channel) != WFS_OK) break;
        if (!inside(s, next) || get_dir_item_time(s->pdp, next, &time) != WFS_OK || time >= to) break;
        s->cursor = next;
    }
}

// Turns a positioned section into one that holds the first cluster of its next recording.
void take_candidate(wfs_time_section *s, uint8_t channel, uint32_t from, uint32_t to, uint8_t hint, bool backward)
{
    wfs_dir_item d;
    if (get_dir_item_info_op(s->pdp, s->cursor, &d, "find_next_file") != WFS_OK ||
        (backward && (d.end_time < from || d.start_time > to))) {
        s->state = EXHAUSTED;
        return;
    }
    uint32_t at = s->cursor;
    s->cursor = d.first_cluster_no;
    if (!backward && (s->cursor < s->start_clus || hint != 0)) {
        uint32_t next = 0;
        if (get_next_clus_no(s->pdp, WFS_SEARCH_FIRST, at, s->end_clus, &next, channel) != WFS_OK) next = 0;
        s->cursor = next;
    }
    uint32_t time = 0;
    if (!inside(s, s->cursor) || get_dir_item_time(s->pdp, s->cursor, &time) != WFS_OK) {
        s->state = EXHAUSTED;
        return;
    }
    s->candidate_time = time;
    s->state = CANDIDATE;
}

void advance_section(wfs_time_section *s, uint8_t channel, bool backward)
{
    uint32_t next = 0, time = 0;
    bool at_edge = backward ? s->cursor == s->start_clus : s->cursor == s->end_clus;
    int kind = backward ? WFS_SEARCH_FIRST_DOWN : WFS_SEARCH_FIRST;
    uint32_t bound = backward ? s->start_clus : s->end_clus;
    if (at_edge || get_next_clus_no(s->pdp, kind, s->cursor, bound, &next, channel) != WFS_OK || !inside(s, next) ||
        get_dir_item_time(s->pdp, next, &time) != WFS_OK) {
        s->state = EXHAUSTED;
        return;
    }
    s->cursor = next;
    s->candidate_time = time;
}

bool better(const wfs_time_section *s, const wfs_time_section *best, bool backward)
{
    if (!best) return true;
    return backward ? s->candidate_time > best->candidate_time : s->candidate_time < best->candidate_time;
}

// Whether a listed recording is one the caller asked for.
bool accepted(const wfs_file_info_v2 &r, uint32_t found, uint32_t from, uint32_t type_mask, uint8_t stream)
{
    uint8_t stream_type = r.stream & 0x0F;
    bool wanted_kind = (r.av == 0 && (type_mask & WFS_LIST_PICTURE)) || (r.av != 0 && (type_mask & WFS_LIST_VIDEO));
    if (r.end_time <= from || !(stream == WFS_STREAM_ANY || stream == stream_type) || !wanted_kind) return false;
    if (r.av != 0 && wfs_time_diff_seconds(r.end_time, r.start_time) < MIN_VIDEO_SECONDS) return false;
    if (found != r.first_cluster_no) return false;
    return !(stream_type == STREAM_TYPE_SINGLE_DAY && day_of(r.end_time) != day_of(r.start_time));
}

bool skips_beyond_range(uint32_t alarm_mask) { return alarm_mask & (1u << 3 | 1u << 4 | 1u << 9); }

wfs_pdp *list_partition(uint32_t type_mask)
{
    for (uint32_t k = 0; k < WFS_DRIVER_TYPES; ++k) {
        wfs_pdp *work = wfs_work_driver(k);
        if (!work || !admitted(type_mask, k)) continue;
        wfs_build_time_sections(work);
        wfs_refresh_live_section(work);
        return work;
    }
    return nullptr;
}
} // namespace

wfs_time_section *wfs_build_search_list(bool backward, const wfs_pdp *only)
{
    std::vector<wfs_time_section *> all;
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        wfs_pdp *p = wfs_driver_slot(i);
        if (p->driver_type == WFS_DRIVER_FREE || p->err_status != 0 || p->current_cluster == 0) continue;
        if (only && p != only) continue;
        uint32_t n = std::min<uint32_t>(p->collision_num + 2, WFS_MAX_SECTIONS);
        for (uint32_t j = 0; j < n; ++j) {
            if (!wfs_section_valid(p, (int)j)) continue;
            wfs_time_section *s = &p->sections[j];
            s->state = UNPOSITIONED;
            s->cursor = s->start_clus;
            all.push_back(s);
        }
    }
    std::stable_sort(all.begin(), all.end(), [backward](const wfs_time_section *a, const wfs_time_section *b) {
        return backward ? a->end_time > b->end_time : a->start_time < b->start_time;
    });
    for (size_t i = 0; i < all.size(); ++i) all[i]->next = i + 1 < all.size() ? all[i + 1] : nullptr;
    return all.empty() ? nullptr : all.front();
}

uint32_t file_goto_driver(FILEHANDLE h, uint32_t t, uint32_t lo, uint32_t hi, int type, uint8_t hint,
                          uint8_t stream_filter)
{
    wfs_debug("file_goto_driver(%d -> %d), ", (int)lo, (int)hi);
    wfs_pdp *pdp = h->pdp;
    if (lo > hi || lo == 0 || hi >= pdp->total_clus) return FS_NO_EXIST_FILE;
    uint32_t a = lo, b = hi, c = 0;
    uint32_t rc = narrow(pdp, t, hint, &a, &b);
    if (rc != WFS_OK) return rc;
    bool forward = forward_type(type);
    rc = forward ? forward_start(h, t, hint, stream_filter, lo, a, b, &c) : backward_start(h, t, stream_filter, hi, a, &c);
    if (rc != WFS_OK) return rc;
    uint32_t found = 0;
    rc = get_next_clus_no(pdp, type, c, forward ? hi : lo, &found, h->channel);
    if (rc == WFS_OK) rc = settle(pdp, type, t, forward ? hi : lo, h->channel, &found);
    if (rc == WFS_ERR_NO_INDEX || rc == WFS_ERR_END_OF_CHAIN) return FS_NO_EXIST_FILE;
    if (rc != WFS_OK) return rc;
    if (found < lo || found > hi) return FS_NO_EXIST_FILE;
    return file_set_cur_clus(h, found);
}

uint32_t file_goto_work_driver(FILEHANDLE h, uint8_t channel, uint32_t time, int type, uint8_t hint,
                               uint32_t alarm_mask, uint32_t part_mask, uint32_t, uint8_t stream_filter)
{
    wfs_date_time t = wfs_unpack_time(time);
    wfs_debug("file_goto_work_driver() driver_type:%d, ch:%d file_type:%x, hint:%d time:%04d-%02d-%02d %02d:%02d:%02d\n",
              (int)part_mask, (int)channel, (unsigned)alarm_mask, (int)hint, t.year, t.month, t.day, t.hour, t.minute,
              t.second);
    h->channel = channel;
    refresh_work_drivers(part_mask);
    bool forward = forward_type(type);
    h->sections = wfs_build_search_list(!forward);
    for (uint32_t round = 0; round < MAX_ALARM_ROUNDS; ++round) {
        if (!forward && round > 0) h->sections = wfs_build_search_list(true);
        h->channel = channel;
        wfs_time_section *best = position_round(h, h->sections, forward, time, type, hint, part_mask, stream_filter);
        if (!best) return FS_NO_EXIST_FILE;
        h->pdp = best->pdp;
        uint32_t rc = file_set_cur_clus(h, best->cursor);
        if (rc != WFS_OK) return rc;
        if (admitted(alarm_mask, h->alarm)) return WFS_OK;
        if (type == WFS_SEARCH_FIRST) {
            // The next recording of the same second needs a larger repeat number; past 255 there is none.
            if (h->cur_dir_info.repeat_no == 0xFF) return FS_NO_EXIST_FILE;
            time = h->cur_dir_info.start_time;
            hint = (uint8_t)(h->cur_dir_info.repeat_no + 1);
        } else if (type == WFS_SEARCH_FIRST_DOWN) {
            // The next round looks before this recording's start.
            time = wfs_time_add_seconds(h->cur_dir_info.start_time, -1);
            hint = 0;
        } else {
            return WFS_OK;
        }
    }
    return FS_NO_EXIST_FILE;
}

uint32_t find_next_file(FILEHANDLE h, uint8_t channel, uint32_t from, uint32_t to, uint8_t hint, uint32_t part_mask,
                        bool backward, uint8_t stream_filter)
{
    wfs_time_section *best = nullptr;
    for (wfs_time_section *s = h->sections; s; s = s->next) {
        if (s->state == EXHAUSTED || !section_admitted(s, part_mask) || !overlaps(s, from, to)) continue;
        if (s->state == UNPOSITIONED && (!best || best->candidate_time >= s->start_time))
            position_section(h, s, channel, from, to, hint, backward, stream_filter);
        if (s->state == POSITIONED) take_candidate(s, channel, from, to, hint, backward);
        if (s->state == CANDIDATE && better(s, best, backward)) best = s;
    }
    if (!best) return 0;
    uint32_t result = best->cursor;
    h->pdp = best->pdp;
    h->found_time = best->candidate_time;
    advance_section(best, channel, backward);
    return result;
}

uint32_t wfs_file_list(uint8_t channel, uint32_t from, uint32_t to, uint32_t *count, wfs_file_info_v2 *records,
                       uint32_t alarm_mask, uint8_t hint, uint32_t type_mask, uint8_t stream_filter)
{
    return wfs_file_list_in(nullptr, channel, from, to, count, records, alarm_mask, hint, type_mask, stream_filter);
}

uint32_t wfs_file_list_in(const wfs_pdp *only, uint8_t channel, uint32_t from, uint32_t to, uint32_t *count,
                          wfs_file_info_v2 *records, uint32_t alarm_mask, uint8_t hint, uint32_t type_mask,
                          uint8_t stream_filter)
{
    bool backward = from > to;
    if (backward) std::swap(from, to);
    uint32_t wanted = records ? *count : MAX_COUNT_ONLY;
    *count = 0;
    if (from == to) return FS_NO_EXIST_FILE;
    FILEHANDLE h = nullptr;
    if (wfs_file_open(&h, 1, 0) != WFS_OK) return FS_NO_EXIST_FILE;
    const unsigned failures = wfs_image_last_failure()->count;
    if (wfs_pdp *work = list_partition(type_mask)) h->pdp = work;
    h->channel = channel;
    h->sections = wfs_build_search_list(backward, only);
    wfs_file_info_v2 scratch = {}, last = {};
    bool have_last = false;
    uint32_t n = 0;
    for (uint32_t searches = 0; n < wanted && searches < MAX_LIST_SEARCHES; ++searches) {
        uint32_t first = find_next_file(h, channel, from, to, hint, type_mask, backward, stream_filter);
        if (first == 0) break;
        bool beyond = backward ? h->found_time < from : h->found_time >= to;
        if (beyond) {
            if (skips_beyond_range(alarm_mask)) continue;
            break;
        }
        wfs_file_info_v2 &r = records ? records[n] : scratch;
        r = {};
        if (fill_file_info_v2(h->pdp, first, &r) != WFS_OK || !admitted(alarm_mask, r.alarm) || r.length_kib == 0)
            continue;
        if (have_last && last.disk == r.disk && last.part == r.part && last.first_cluster_no == r.first_cluster_no)
            continue;
        if (!accepted(r, first, from, type_mask, stream_filter)) continue;
        wfs_check_item_times(h->pdp, first, r.start_time, r.end_time);
        last = r;
        have_last = true;
        ++n;
    }
    *count = n;
    wfs_debug("%d file(s) found.\n", (int)n);
    wfs_file_close(h);
    // A disk that could not be read is no empty disk: what was found may be only part of the list.
    if (wfs_image_last_failure()->count != failures) return WFS_ERR_READ;
    return n > 0 ? WFS_OK : FS_NO_EXIST_FILE;
}
