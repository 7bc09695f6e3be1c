// The folder tree "korvane-cli mount" shows. It is a list of files, each named by its path under
// the mount point, with its modification time and its content; the folders are what the paths
// imply. Sources of files add entries before the mount (the disks' recordings, the texts under
// ".korvane"; another source adds its own entries the same way) and nothing changes afterwards,
// so any number of threads may read the tree while it is mounted.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <sys/types.h>

// One open of a file: every open reads on its own, so reads of different opens never wait for
// each other's position.
class MountReader
{
  public:
    virtual ~MountReader() = default;
    // Up to size bytes from offset into out: the count, or -errno. Fewer bytes than asked for come
    // where the file ends, or where the bytes after them cannot be had: the read that starts there
    // fails with EIO. Never zeros or other bytes in their place. Called from several threads at once.
    virtual ssize_t readAt(char *out, size_t size, int64_t offset) = 0;
};

// What a file holds and how it is read.
class MountContent
{
  public:
    virtual ~MountContent() = default;
    // The length in bytes that reading the whole file gives; asked for by every stat of the file.
    virtual int64_t length() = 0;
    // A reader of its own, or null with *error set to the errno value.
    virtual std::unique_ptr<MountReader> open(int *error) = 0;
};

// Bytes made in memory before the mount (the texts under ".korvane").
class MountText : public MountContent
{
  public:
    explicit MountText(std::string bytes) : m_bytes(std::move(bytes)) {}
    int64_t length() override { return (int64_t)m_bytes.size(); }
    std::unique_ptr<MountReader> open(int *error) override;

  private:
    std::string m_bytes;
};

struct MountEntry {
    std::string path; // under the mount point, without a leading "/": "idea0/2024-03-05/000/10.15.00-..."
    int64_t mtime;    // seconds since 1970
    std::shared_ptr<MountContent> content;
};

struct MountNode {
    bool folder = true;
    int64_t mtime = 0; // a folder's: the latest of what it holds
    std::shared_ptr<MountContent> content;
    std::map<std::string, std::unique_ptr<MountNode>> children; // by name, in the order ls shows them
    size_t subfolders = 0;
};

class MountTree
{
  public:
    // Adds a file and the folders on its way; false (and nothing added) when the path is not a
    // plain relative path of names, or names a file or folder that is there already.
    bool add(MountEntry entry);
    // The node of a path as the file system asks for it ("/", "/idea0/..."), or null.
    const MountNode *find(const std::string &path) const;
    size_t files() const { return m_files; }

  private:
    MountNode m_root;
    size_t m_files = 0;
};
