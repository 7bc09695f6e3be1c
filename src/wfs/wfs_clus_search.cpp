// Index-area searches: the next or previous cluster of a channel, of a recording,
// or of a given state, within the ring segment the search starts in.
#include "wfs_buffer.h"
#include "wfs_dir.h"
#include "wfs_file.h"

#include <algorithm>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {
const uint32_t INDEX_PER_BLOCK = WFS_BLOCK_SIZE;

// Reads index bytes one cached block at a time.
class IndexCursor {
public:
    explicit IndexCursor(wfs_pdp *pdp) : m_pdp(pdp) {}
    ~IndexCursor() { brelse(m_bh); }
    IndexCursor(const IndexCursor &) = delete;
    IndexCursor &operator=(const IndexCursor &) = delete;

    bool read(uint32_t clus, uint8_t *out)
    {
        const uint8_t *block = block_of(clus);
        if (!block) return false;
        *out = block[clus % INDEX_PER_BLOCK];
        return true;
    }

    // The 512 index bytes of the block holding clus, or none when it cannot be read.
    const uint8_t *block_of(uint32_t clus)
    {
        uint64_t block = m_pdp->start_sector + m_pdp->index_offset + clus / INDEX_PER_BLOCK;
        if (!m_bh || m_bh->blocknr != block || m_bh->dev != m_pdp->dev) {
            brelse(m_bh);
            m_bh = bread(m_pdp->dev, block);
        }
        return m_bh ? m_bh->data : nullptr;
    }

private:
    wfs_pdp *m_pdp;
    buffer_head *m_bh = nullptr;
};

struct Segment {
    uint32_t lo, hi;
};

// The stretch of the ring a cluster lies in: the current lap, or the previous one above the write head.
Segment segment_of(const wfs_pdp *pdp, uint32_t clus)
{
    if (clus > pdp->current_cluster) return {pdp->current_cluster + 1, pdp->end_cluster2};
    return {pdp->rev_clus, pdp->current_cluster};
}

bool on_channel(uint8_t index_byte, uint8_t channel)
{
    return channel == WFS_ANY_CHANNEL || (index_byte >> 2) == channel;
}

bool backward_kind(int kind)
{
    return kind == WFS_SEARCH_USABLE_DOWN || kind == WFS_SEARCH_FIRST_DOWN || kind == WFS_SEARCH_PREV_OF_FILE ||
           kind == WFS_SEARCH_USABLE_DOWN_STRICT;
}

uint8_t stream_of(wfs_pdp *pdp, uint32_t clus, bool *ok)
{
    wfs_dir_item item;
    *ok = get_dir_item_info_op(pdp, clus, &item, "get_next_clus_no") == WFS_OK;
    return item.stream_type;
}

// A byte that a search bound to one channel must judge: one of the channel, and for first-cluster
// searches not a continuation (state 0 never passes the first-cluster test).
bool is_candidate(uint8_t b, uint8_t channel, bool first_only)
{
    return (b >> 2) == channel && !(first_only && (b & 3) == 0);
}

// First cluster from c up to stop (one index block) that is a candidate; stop + 1 when none. The
// channels of a disk interleave: the scan looks at 16 index bytes a time.
uint32_t skip_to_candidate(const uint8_t *block, uint32_t c, uint32_t stop, uint8_t channel, bool first_only)
{
    const uint8_t *bytes = block + c % INDEX_PER_BLOCK;
    const uint32_t n = stop - c + 1;
    uint32_t i = 0;
#ifdef __SSE2__
    const __m128i channel_bits = _mm_set1_epi8((char)0xFC), wanted = _mm_set1_epi8((char)(channel << 2));
    const __m128i state_bits = _mm_set1_epi8(3), continuation = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
        __m128i hit = _mm_cmpeq_epi8(_mm_and_si128(v, channel_bits), wanted);
        if (first_only) hit = _mm_andnot_si128(_mm_cmpeq_epi8(_mm_and_si128(v, state_bits), continuation), hit);
        if (int mask = _mm_movemask_epi8(hit)) return c + i + (uint32_t)__builtin_ctz((unsigned)mask);
    }
#endif
    for (; i < n; ++i)
        if (is_candidate(bytes[i], channel, first_only)) return c + i;
    return stop + 1;
}

enum Verdict { SKIP, FOUND, STOP_NOT_FOUND, STOP_BOUNDARY, STOP_ERROR };

struct SearchContext {
    wfs_pdp *pdp;
    int kind;
    uint8_t channel;
    uint8_t stream;
};

Verdict judge(const SearchContext &s, uint32_t c, uint8_t b)
{
    wfs_pdp *pdp = s.pdp;
    switch (s.kind) {
    case WFS_SEARCH_ALLOC:
        return (b & 3) != WFS_STATE_SPECIAL ? FOUND : SKIP;
    case WFS_SEARCH_USABLE:
    case WFS_SEARCH_USABLE_DOWN:
    case WFS_SEARCH_USABLE_DOWN_STRICT:
        return on_channel(b, s.channel) && wfs_index_usable(pdp, c, b) ? FOUND : SKIP;
    case WFS_SEARCH_FIRST:
    case WFS_SEARCH_FIRST_DOWN:
        return on_channel(b, s.channel) && wfs_index_first(pdp, c, b) ? FOUND : SKIP;
    case WFS_SEARCH_FIRST_ANY:
        return wfs_index_first(pdp, c, b) ? FOUND : SKIP;
    case WFS_SEARCH_FIRST_STRICT:
        if (!on_channel(b, s.channel) || !wfs_index_first(pdp, c, b)) return SKIP;
        return (b & 3) == WFS_STATE_FIRST2 ? STOP_BOUNDARY : FOUND;
    case WFS_SEARCH_BAD:
        return !wfs_index_usable(pdp, c, b) ? FOUND : SKIP;
    case WFS_SEARCH_NEXT_OF_FILE:
    case WFS_SEARCH_PREV_OF_FILE: {
        if (!on_channel(b, s.channel) || !wfs_index_usable(pdp, c, b)) return SKIP;
        bool ok = false;
        if (stream_of(pdp, c, &ok) != s.stream) return ok ? SKIP : STOP_ERROR;
        if (s.kind == WFS_SEARCH_PREV_OF_FILE) return FOUND;
        return wfs_index_continuation(pdp, c, b) ? FOUND : STOP_NOT_FOUND;
    }
    default:
        return STOP_NOT_FOUND;
    }
}

// Checks the start cluster where a kind depends on it, and learns its channel and stream.
uint32_t prepare(SearchContext &s, IndexCursor &index, uint32_t cluster)
{
    bool file_kind = s.kind == WFS_SEARCH_NEXT_OF_FILE || s.kind == WFS_SEARCH_PREV_OF_FILE;
    if (!file_kind && s.kind != WFS_SEARCH_USABLE_DOWN_STRICT) return WFS_OK;
    uint8_t b = 0;
    if (!index.read(cluster, &b)) return WFS_ERR_READ;
    if (s.kind == WFS_SEARCH_USABLE_DOWN_STRICT)
        return on_channel(b, s.channel) && wfs_index_first(s.pdp, cluster, b) ? WFS_ERR_RECORD_BOUNDARY : WFS_OK;
    s.channel = b >> 2;
    bool ok = false;
    s.stream = stream_of(s.pdp, cluster, &ok);
    if (!ok) return WFS_ERR_READ;
    if (s.kind == WFS_SEARCH_PREV_OF_FILE && !wfs_index_continuation(s.pdp, cluster, b)) return WFS_ERR_RECORD_BOUNDARY;
    return WFS_OK;
}
} // namespace

uint32_t get_next_clus_no(wfs_pdp *pdp, int kind, uint32_t cluster, uint32_t bound, uint32_t *out, uint8_t channel)
{
    if (pdp->index_offset == 0) return WFS_ERR_NO_INDEX;
    if (cluster > pdp->total_clus) return WFS_ERR_CLUSTER_RANGE;
    bool down = backward_kind(kind);
    if (down && cluster == 0) return WFS_ERR_END_OF_CHAIN;
    IndexCursor index(pdp);
    SearchContext s = {pdp, kind, channel, 0};
    uint32_t rc = prepare(s, index, cluster);
    if (rc != WFS_OK) return rc;
    uint32_t first = down ? cluster - 1 : cluster + 1;
    Segment seg = segment_of(pdp, first);
    if (kind == WFS_SEARCH_ALLOC) seg = {pdp->rev_clus, pdp->total_clus - pdp->total_clus / 2097152 - 1};
    if (bound != 0) (down ? seg.lo : seg.hi) = bound;
    if (seg.hi >= pdp->total_clus) seg.hi = pdp->total_clus - 1;
    // Kinds bound to one channel look at the directory only for bytes of that channel.
    bool one_channel = s.channel != WFS_ANY_CHANNEL && kind != WFS_SEARCH_ALLOC && kind != WFS_SEARCH_BAD &&
                       kind != WFS_SEARCH_FIRST_ANY;
    bool first_only = kind == WFS_SEARCH_FIRST || kind == WFS_SEARCH_FIRST_STRICT;
    for (uint32_t c = first; down ? c >= seg.lo && c <= first : c <= seg.hi;) {
        const uint8_t *block = index.block_of(c);
        if (!block) return WFS_ERR_READ;
        uint32_t block_first = c / INDEX_PER_BLOCK * INDEX_PER_BLOCK;
        uint32_t stop = down ? std::max(block_first, seg.lo) : std::min(block_first + INDEX_PER_BLOCK - 1, seg.hi);
        for (;; down ? --c : ++c) {
            if (one_channel && !down) {
                c = skip_to_candidate(block, c, stop, s.channel, first_only);
                if (c > stop) {
                    c = stop;
                    break;
                }
            }
            uint8_t b = block[c % INDEX_PER_BLOCK];
            if (!one_channel || (b >> 2) == s.channel) {
                switch (judge(s, c, b)) {
                case SKIP:
                    break;
                case FOUND:
                    *out = c;
                    return WFS_OK;
                case STOP_BOUNDARY:
                    *out = c;
                    return WFS_ERR_RECORD_BOUNDARY;
                case STOP_ERROR:
                    return WFS_ERR_READ;
                case STOP_NOT_FOUND:
                    return WFS_ERR_END_OF_CHAIN;
                }
            }
            if (c == stop) break;
        }
        if (down && c == 0) break;
        down ? --c : ++c;
    }
    return WFS_ERR_END_OF_CHAIN;
}
