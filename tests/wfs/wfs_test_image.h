// Scratch disk images for the WFS library's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A temporary folder removed with everything in it when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string file(const std::string &name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A sparse image file of the given number of sectors, written block by block.
class RawImage {
public:
    RawImage(const std::string &path, uint64_t sectors);
    ~RawImage();
    void write(uint64_t sector, uint32_t offset, const void *data, size_t len);
    void put32(uint64_t sector, uint32_t offset, uint32_t value) { write(sector, offset, &value, 4); }
    void put64(uint64_t sector, uint32_t offset, uint64_t value) { write(sector, offset, &value, 8); }
    void text(uint64_t sector, uint32_t offset, const char *s, size_t len) { write(sector, offset, s, len); }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
    int m_fd;
};

// Offers exactly these images to the library, no block devices, and scans them.
int scanImages(const std::vector<std::string> &paths);
// Scans and mounts the images; returns the result of the volume initialisation.
uint32_t mountImages(const std::vector<std::string> &paths, int *normalCount = nullptr);
// A digest of a whole file's bytes, to prove that nothing was written to an image.
uint64_t fileDigest(const std::string &path);
// Collects the library's warning and error lines while it lives.
class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    std::string text();

private:
    FILE *m_file;
};
