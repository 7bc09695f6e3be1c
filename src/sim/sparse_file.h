#pragma once

#include "bytes.h"

#include <string>

namespace korvane::sim {

// Writes an image as a sparse file: all-zero blocks are never written, and
// contiguous pieces are gathered into large writes.
class SparseFile
{
public:
    SparseFile() = default;
    ~SparseFile();
    SparseFile(const SparseFile &) = delete;
    SparseFile &operator=(const SparseFile &) = delete;

    bool create(const std::string &path, uint64_t bytes, std::string &error);
    bool write(uint64_t offset, const uint8_t *data, size_t length); // buffered, block-aligned offsets
    bool flush();
    bool overwrite(uint64_t offset, const uint8_t *data, size_t length); // written as given, zeros too
    bool truncate(uint64_t bytes);
    bool close(std::string &error);
    const std::string &error() const { return error_; }

private:
    bool writeNonZero(uint64_t offset, const uint8_t *data, size_t length);
    bool writeRaw(uint64_t offset, const uint8_t *data, size_t length);

    int fd_ = -1;
    std::string path_;
    std::string error_;
    Bytes pending_;
    uint64_t pendingOffset_ = 0;
};

} // namespace korvane::sim
