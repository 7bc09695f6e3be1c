// The drives the device layer reads: a raw image file or block device, a raw image
// split into numbered pieces (".001", ".002", ...), an Expert Witness image set
// (".E01", ".E02", ...) read through libewf, or an image held in memory.
// Everything is opened for reading only.
#pragma once

#include <cstddef>
#include <cstdint>

struct wfs_image;

// Opens the drive at path; the kind follows from the name and, for Expert Witness
// sets, from the signature. None when it cannot be read; why (if given) then says why.
wfs_image *wfs_image_open(const char *path, char *why = nullptr, size_t why_size = 0);
// An image held in memory; the bytes must outlive the image.
wfs_image *wfs_image_open_memory(const void *data, size_t size);
void wfs_image_close(wfs_image *image);

// Reads len bytes at a byte offset; 0 when all were read, -1 otherwise (a short read is a failure,
// and so is a read that touches an Expert Witness chunk that fails its checksum, however often).
int wfs_image_read(wfs_image *image, void *dst, size_t len, uint64_t offset);

// Why a read failed.
enum wfs_image_failure_kind {
    WFS_IMAGE_PAST_END = 1,        // beyond the image's end, or the file is shorter now than when opened
    WFS_IMAGE_MISSING_SEGMENT = 2, // a piece or segment file of the set is not there
    WFS_IMAGE_CHECKSUM = 3,        // an Expert Witness chunk fails its checksum
    WFS_IMAGE_IO_ERROR = 4,        // the system or libewf reports a read error
};

// The failed reads of the calling thread: how many there were, and the last one.
struct wfs_image_failure {
    unsigned count;
    int kind;       // wfs_image_failure_kind; 0 before the first failure
    char text[320]; // what failed and where, e.g. "checksum failure in chunk 37 (bytes ...) of disk.E01"
};
const wfs_image_failure *wfs_image_last_failure();
// "past the end", "missing segment", "checksum failure", "I/O error".
const char *wfs_image_failure_name(int kind);
// Size in bytes.
uint64_t wfs_image_size(const wfs_image *image);
// What the drive is, for the library's trace: "raw", "split raw, 3 pieces", "Expert Witness, 2 segment
// files", "memory".
const char *wfs_image_kind(const wfs_image *image);
