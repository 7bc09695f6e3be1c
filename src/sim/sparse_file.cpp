#include "sparse_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace korvane::sim {

namespace {

constexpr size_t kGatherLimit = 16u << 20;

bool zeroBlock(const uint8_t *p, size_t n)
{
    return std::all_of(p, p + n, [](uint8_t b) { return b == 0; });
}

} // namespace

SparseFile::~SparseFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool SparseFile::create(const std::string &path, uint64_t bytes, std::string &error)
{
    path_ = path;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0 || ::ftruncate(fd_, off_t(bytes)) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool SparseFile::write(uint64_t offset, const uint8_t *data, size_t length)
{
    if (!pending_.empty() && (offset != pendingOffset_ + pending_.size() || pending_.size() >= kGatherLimit))
        if (!flush())
            return false;
    if (pending_.empty())
        pendingOffset_ = offset;
    pending_.insert(pending_.end(), data, data + length);
    return true;
}

bool SparseFile::flush()
{
    const bool ok = writeNonZero(pendingOffset_, pending_.data(), pending_.size());
    pending_.clear();
    return ok;
}

bool SparseFile::writeNonZero(uint64_t offset, const uint8_t *data, size_t length)
{
    size_t i = 0;
    while (i < length) {
        const size_t n = std::min<size_t>(kBlockSize, length - i);
        if (zeroBlock(data + i, n)) {
            i += n;
            continue;
        }
        size_t end = i + n;
        while (end < length) {
            const size_t m = std::min<size_t>(kBlockSize, length - end);
            if (zeroBlock(data + end, m))
                break;
            end += m;
        }
        if (!writeRaw(offset + i, data + i, end - i))
            return false;
        i = end;
    }
    return true;
}

bool SparseFile::writeRaw(uint64_t offset, const uint8_t *data, size_t length)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fd_, data, length, off_t(offset));
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            error_ = path_ + ": " + std::strerror(n < 0 ? errno : EIO);
            return false;
        }
        data += n;
        offset += uint64_t(n);
        length -= size_t(n);
    }
    return true;
}

bool SparseFile::overwrite(uint64_t offset, const uint8_t *data, size_t length)
{
    return flush() && writeRaw(offset, data, length);
}

bool SparseFile::truncate(uint64_t bytes)
{
    if (!flush())
        return false;
    if (::ftruncate(fd_, off_t(bytes)) != 0) {
        error_ = path_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool SparseFile::close(std::string &error)
{
    bool ok = flush();
    if (fd_ >= 0 && ::close(fd_) != 0 && ok) {
        error_ = path_ + ": " + std::strerror(errno);
        ok = false;
    }
    fd_ = -1;
    if (!ok)
        error = error_;
    return ok;
}

} // namespace korvane::sim
