#include "wfs_image.h"

#include <libewf.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
enum image_kind { IMAGE_RAW, IMAGE_SPLIT, IMAGE_EWF, IMAGE_MEMORY };

struct piece {
    int fd;
    uint64_t first; // byte offset of the piece in the whole image
    uint64_t size;
    std::string path;
};
} // namespace

struct wfs_image {
    image_kind kind;
    uint64_t size;
    std::string path;
    std::vector<piece> pieces; // raw: one; split raw: every piece in order
    libewf_handle_t *ewf = nullptr;
    std::mutex ewf_lock; // a libewf handle keeps a file position and chunk cache of its own
    uint32_t ewf_bytes_per_sector = 512;
    uint32_t ewf_sectors_per_chunk = 64;
    const uint8_t *memory = nullptr;
    char kind_text[64];
};

namespace
{
const int MAX_PIECES = 10000;

thread_local wfs_image_failure t_failure;

void fail(int kind, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
void fail(int kind, const char *fmt, ...)
{
    t_failure.count++;
    t_failure.kind = kind;
    int n = snprintf(t_failure.text, sizeof t_failure.text, "%s: ", wfs_image_failure_name(kind));
    va_list args;
    va_start(args, fmt);
    vsnprintf(t_failure.text + n, sizeof t_failure.text - (size_t)n, fmt, args);
    va_end(args);
}

void say(char *why, size_t why_size, const char *fmt, const char *arg)
{
    if (why && why_size) snprintf(why, why_size, fmt, arg);
}

int open_read_only(const char *path)
{
    return open(path, O_RDONLY | O_CLOEXEC);
}

uint64_t size_of(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0) return 0;
    if (S_ISBLK(st.st_mode)) {
        uint64_t bytes = 0;
        return ioctl(fd, BLKGETSIZE64, &bytes) == 0 ? bytes : 0;
    }
    return (uint64_t)st.st_size;
}

// The whole range or a failure that says why: a file that ends early has shrunk since it was opened.
bool pread_exact(const piece &p, uint8_t *dst, size_t len, uint64_t offset)
{
    size_t done = 0;
    while (done < len) {
        ssize_t n = pread(p.fd, dst + done, len - done, (off_t)(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            fail(WFS_IMAGE_IO_ERROR, "byte %llu of %s: %s", (unsigned long long)(offset + done), p.path.c_str(),
                 strerror(errno));
            return false;
        }
        if (n == 0) {
            fail(WFS_IMAGE_PAST_END, "byte %llu of %s, which has %llu bytes now (%llu when opened)",
                 (unsigned long long)(offset + done), p.path.c_str(), (unsigned long long)size_of(p.fd),
                 (unsigned long long)p.size);
            return false;
        }
        done += (size_t)n;
    }
    return true;
}

// "disk.001" -> where its number starts and how wide it is; false unless the name ends in ".", then
// three to nine digits that read 1.
bool first_piece_number(const std::string &path, size_t *digits_at, size_t *width)
{
    size_t end = path.size(), at = end;
    while (at > 0 && isdigit((unsigned char)path[at - 1]))
        --at;
    if (end - at < 3 || end - at > 9 || at == 0 || path[at - 1] != '.') return false;
    if (strtoul(path.c_str() + at, nullptr, 10) != 1) return false;
    *digits_at = at;
    *width = end - at;
    return true;
}

std::string piece_name(const std::string &path, size_t digits_at, size_t width, int number)
{
    char digits[16];
    snprintf(digits, sizeof digits, "%0*d", (int)width, number);
    return path.substr(0, digits_at) + digits;
}

bool looks_like_ewf(const char *path)
{
    const char *dot = strrchr(path, '.');
    if (!dot || (dot[1] != 'E' && dot[1] != 'e')) return false;
    libewf_error_t *error = nullptr;
    int rc = libewf_check_file_signature(path, &error);
    libewf_error_free(&error);
    return rc == 1;
}

void close_pieces(wfs_image *image)
{
    for (const piece &p : image->pieces)
        close(p.fd);
    image->pieces.clear();
}

bool open_raw(wfs_image *image, const char *path, char *why, size_t why_size)
{
    int fd = open_read_only(path);
    if (fd < 0) {
        say(why, why_size, "%s", strerror(errno));
        return false;
    }
    image->kind = IMAGE_RAW;
    image->size = size_of(fd);
    image->pieces.push_back({fd, 0, image->size, path});
    snprintf(image->kind_text, sizeof image->kind_text, "raw");
    return true;
}

bool exists(const std::string &path) { return access(path.c_str(), F_OK) == 0; }

// The size the pieces before the last share: the one most of them have, the first piece's on a tie.
uint64_t usual_piece_size(const std::vector<piece> &pieces)
{
    std::map<uint64_t, size_t> count;
    for (size_t i = 0; i + 1 < pieces.size(); ++i)
        count[pieces[i].size]++;
    uint64_t usual = pieces.front().size;
    for (const auto &c : count)
        if (c.second > count[usual]) usual = c.first;
    return usual;
}

// A piece cut short, grown or from another set would shift every byte after it: such a set is refused.
bool pieces_fit(const std::vector<piece> &pieces, char *why, size_t why_size)
{
    if (pieces.size() < 2) return true;
    const uint64_t usual = usual_piece_size(pieces);
    char text[600];
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        if (pieces[i].size == usual) continue;
        snprintf(text, sizeof text, "piece %s has %llu bytes where the pieces before the last have %llu",
                 pieces[i].path.c_str(), (unsigned long long)pieces[i].size, (unsigned long long)usual);
        say(why, why_size, "%s", text);
        return false;
    }
    if (pieces.back().size <= usual) return true;
    snprintf(text, sizeof text, "the last piece %s has %llu bytes, more than the %llu of the pieces before it",
             pieces.back().path.c_str(), (unsigned long long)pieces.back().size, (unsigned long long)usual);
    say(why, why_size, "%s", text);
    return false;
}

// Every numbered piece after the first, as long as the numbers run on without a gap; a gap
// with pieces after it is a missing piece.
bool open_split(wfs_image *image, const std::string &path, size_t digits_at, size_t width, char *why,
                size_t why_size)
{
    image->kind = IMAGE_SPLIT;
    image->size = 0;
    for (int n = 1; n <= MAX_PIECES; ++n) {
        std::string name = piece_name(path, digits_at, width, n);
        int fd = open_read_only(name.c_str());
        if (fd < 0 && n > 1 && errno == ENOENT && !exists(piece_name(path, digits_at, width, n + 1))) break;
        if (fd < 0) {
            if (errno == ENOENT)
                say(why, why_size, "missing segment: piece %s is not there, the pieces after it are",
                    name.c_str());
            else
                say(why, why_size, "%s", strerror(errno));
            close_pieces(image);
            return false;
        }
        uint64_t size = size_of(fd);
        image->pieces.push_back({fd, image->size, size, name});
        image->size += size;
    }
    if (!pieces_fit(image->pieces, why, why_size)) {
        close_pieces(image);
        return false;
    }
    snprintf(image->kind_text, sizeof image->kind_text, "split raw, %zu pieces", image->pieces.size());
    return true;
}

void ewf_failure(char *why, size_t why_size, libewf_error_t *&error, const char *what)
{
    char text[512] = "";
    if (error) libewf_error_sprint(error, text, sizeof text);
    libewf_error_free(&error);
    if (why && why_size) snprintf(why, why_size, "%s%s%s", what, text[0] ? ": " : "", text);
}

bool open_ewf(wfs_image *image, const char *path, char *why, size_t why_size)
{
    libewf_error_t *error = nullptr;
    char **names = nullptr;
    int count = 0;
    if (libewf_glob(path, strlen(path), LIBEWF_FORMAT_UNKNOWN, &names, &count, &error) != 1) {
        ewf_failure(why, why_size, error, "its segment files cannot be found");
        return false;
    }
    bool ok = libewf_handle_initialize(&image->ewf, &error) == 1 &&
              libewf_handle_open(image->ewf, names, count, LIBEWF_OPEN_READ, &error) == 1;
    size64_t media = 0;
    ok = ok && libewf_handle_get_media_size(image->ewf, &media, &error) == 1;
    libewf_glob_free(names, count, nullptr);
    const char *failure = "not a readable Expert Witness image";
    if (ok && libewf_handle_segment_files_corrupted(image->ewf, &error) != 0) {
        ok = false;
        failure = "its segment files are incomplete or damaged";
    }
    if (!ok) {
        ewf_failure(why, why_size, error, failure);
        if (image->ewf) libewf_handle_free(&image->ewf, nullptr);
        return false;
    }
    image->kind = IMAGE_EWF;
    image->size = media;
    libewf_handle_get_bytes_per_sector(image->ewf, &image->ewf_bytes_per_sector, nullptr);
    libewf_handle_get_sectors_per_chunk(image->ewf, &image->ewf_sectors_per_chunk, nullptr);
    if (image->ewf_bytes_per_sector == 0) image->ewf_bytes_per_sector = 512;
    if (image->ewf_sectors_per_chunk == 0) image->ewf_sectors_per_chunk = 64;
    snprintf(image->kind_text, sizeof image->kind_text, "Expert Witness, %d segment file%s", count,
             count == 1 ? "" : "s");
    return true;
}

int read_pieces(wfs_image *image, uint8_t *dst, size_t len, uint64_t offset)
{
    for (const piece &p : image->pieces) {
        if (len == 0) break;
        if (offset >= p.first + p.size) continue;
        uint64_t inside = offset - p.first;
        size_t n = (size_t)std::min<uint64_t>(len, p.size - inside);
        if (!pread_exact(p, dst, n, inside)) return -1;
        dst += n;
        offset += n;
        len -= n;
    }
    return len == 0 ? 0 : -1;
}

// libewf lists every chunk it found damaged so far. A damaged chunk is read as zeros once it is in
// libewf's cache, so each read is checked against the whole list, not only against new entries.
bool touches_bad_chunk(wfs_image *image, uint64_t first, uint64_t end)
{
    uint32_t errors = 0;
    if (libewf_handle_get_number_of_checksum_errors(image->ewf, &errors, nullptr) != 1) return false;
    const uint64_t sector = image->ewf_bytes_per_sector;
    for (uint32_t i = 0; i < errors; ++i) {
        uint64_t start = 0, count = 0;
        if (libewf_handle_get_checksum_error(image->ewf, i, &start, &count, nullptr) != 1) continue;
        uint64_t bad_first = start * sector, bad_end = (start + count) * sector;
        if (bad_first >= end || bad_end <= first) continue;
        fail(WFS_IMAGE_CHECKSUM, "chunk %llu (bytes %llu-%llu) of %s", (unsigned long long)(start / image->ewf_sectors_per_chunk),
             (unsigned long long)bad_first, (unsigned long long)bad_end - 1, image->path.c_str());
        return true;
    }
    return false;
}

int read_ewf(wfs_image *image, uint8_t *dst, size_t len, uint64_t offset)
{
    std::lock_guard<std::mutex> hold(image->ewf_lock);
    const uint64_t first = offset, end = offset + len;
    char text[256] = "";
    while (len > 0) {
        libewf_error_t *error = nullptr;
        ssize_t n = libewf_handle_read_random(image->ewf, dst, len, (off64_t)offset, &error);
        if (n <= 0 && error) libewf_error_sprint(error, text, sizeof text);
        libewf_error_free(&error);
        if (n <= 0) break;
        dst += n;
        offset += (uint64_t)n;
        len -= (size_t)n;
    }
    if (touches_bad_chunk(image, first, end)) return -1;
    if (len == 0) return 0;
    fail(WFS_IMAGE_IO_ERROR, "byte %llu of %s: %s", (unsigned long long)offset, image->path.c_str(),
         text[0] ? text : "libewf read nothing");
    return -1;
}
} // namespace

wfs_image *wfs_image_open(const char *path, char *why, size_t why_size)
{
    if (!path || !*path) {
        say(why, why_size, "%s", "no file named");
        return nullptr;
    }
    wfs_image *image = new wfs_image;
    image->path = path;
    std::string name = path;
    size_t digits_at = 0, width = 0;
    bool ok;
    if (looks_like_ewf(path))
        ok = open_ewf(image, path, why, why_size);
    else if (first_piece_number(name, &digits_at, &width))
        ok = open_split(image, name, digits_at, width, why, why_size);
    else
        ok = open_raw(image, path, why, why_size);
    if (ok) return image;
    delete image;
    return nullptr;
}

wfs_image *wfs_image_open_memory(const void *data, size_t size)
{
    wfs_image *image = new wfs_image;
    image->path = "(memory)";
    image->kind = IMAGE_MEMORY;
    image->memory = static_cast<const uint8_t *>(data);
    image->size = size;
    snprintf(image->kind_text, sizeof image->kind_text, "memory");
    return image;
}

void wfs_image_close(wfs_image *image)
{
    if (!image) return;
    close_pieces(image);
    if (image->ewf) {
        libewf_handle_close(image->ewf, nullptr);
        libewf_handle_free(&image->ewf, nullptr);
    }
    delete image;
}

int wfs_image_read(wfs_image *image, void *dst, size_t len, uint64_t offset)
{
    if (!image) return -1;
    if (offset > image->size || len > image->size - offset) {
        fail(WFS_IMAGE_PAST_END, "%zu bytes at byte %llu of %s, which has %llu bytes", len,
             (unsigned long long)offset, image->path.c_str(), (unsigned long long)image->size);
        return -1;
    }
    if (len == 0) return 0;
    uint8_t *out = static_cast<uint8_t *>(dst);
    switch (image->kind) {
    case IMAGE_MEMORY:
        memcpy(out, image->memory + offset, len);
        return 0;
    case IMAGE_EWF:
        return read_ewf(image, out, len, offset);
    default:
        return read_pieces(image, out, len, offset);
    }
}

uint64_t wfs_image_size(const wfs_image *image)
{
    return image ? image->size : 0;
}

const char *wfs_image_kind(const wfs_image *image)
{
    return image ? image->kind_text : "";
}

const wfs_image_failure *wfs_image_last_failure()
{
    return &t_failure;
}

const char *wfs_image_failure_name(int kind)
{
    switch (kind) {
    case WFS_IMAGE_PAST_END:
        return "past the end";
    case WFS_IMAGE_MISSING_SEGMENT:
        return "missing segment";
    case WFS_IMAGE_CHECKSUM:
        return "checksum failure";
    case WFS_IMAGE_IO_ERROR:
        return "I/O error";
    default:
        return "no failure";
    }
}
