#include "wfs_test_image.h"

#include "wfs.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <vector>
#include <stdexcept>
#include <unistd.h>

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/korvane-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

ScratchDir::~ScratchDir() { std::filesystem::remove_all(m_path); }

RawImage::RawImage(const std::string &path, uint64_t sectors) : m_path(path)
{
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0 || ftruncate(m_fd, (off_t)(sectors * 512)) != 0) throw std::runtime_error("cannot create " + path);
}

RawImage::~RawImage() { close(m_fd); }

void RawImage::write(uint64_t sector, uint32_t offset, const void *data, size_t len)
{
    if (pwrite(m_fd, data, len, (off_t)(sector * 512 + offset)) != (ssize_t)len)
        throw std::runtime_error("cannot write " + m_path);
}

int scanImages(const std::vector<std::string> &paths)
{
    std::vector<const char *> list;
    for (const std::string &p : paths) list.push_back(p.c_str());
    ide_set_images(list.data(), (int)list.size());
    ide_set_scan_devices(false);
    ide_init();
    IdeInfo info;
    return ide_get_info(&info);
}

uint32_t mountImages(const std::vector<std::string> &paths, int *normalCount)
{
    scanImages(paths);
    int count = 0;
    uint32_t rc = wfs_file_sys_init(&count, 0);
    if (normalCount) *normalCount = count;
    return rc;
}

uint64_t fileDigest(const std::string &path)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot read " + path);
    std::vector<uint64_t> chunk(1 << 17);
    uint64_t digest = 1469598103934665603ull;
    ssize_t n;
    while ((n = read(fd, chunk.data(), chunk.size() * 8)) > 0) {
        for (size_t i = 0; i < (size_t)n / 8; ++i) digest = (digest ^ chunk[i]) * 1099511628211ull;
        digest = (digest ^ (uint64_t)n) * 1099511628211ull;
    }
    close(fd);
    return digest;
}

ConsoleCapture::ConsoleCapture() : m_file(tmpfile()) { wfs_set_console(m_file); }

ConsoleCapture::~ConsoleCapture()
{
    wfs_set_console(nullptr);
    fclose(m_file);
}

std::string ConsoleCapture::text()
{
    fflush(m_file);
    rewind(m_file);
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, m_file)) > 0) out.append(buf, n);
    return out;
}
