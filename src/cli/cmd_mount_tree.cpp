#include "cmd_mount_tree.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace
{
class TextReader : public MountReader
{
  public:
    explicit TextReader(const std::string &bytes) : m_bytes(bytes) {}
    ssize_t readAt(char *out, size_t size, int64_t offset) override
    {
        if (offset < 0) return -EINVAL;
        if ((uint64_t)offset >= m_bytes.size()) return 0;
        const size_t n = std::min(size, m_bytes.size() - (size_t)offset);
        memcpy(out, m_bytes.data() + offset, n);
        return (ssize_t)n;
    }

  private:
    const std::string &m_bytes;
};

// The names of a path; false for an empty name, "." or "..".
bool splitPath(const std::string &path, std::vector<std::string> *names)
{
    size_t from = 0;
    while (from <= path.size()) {
        size_t slash = path.find('/', from);
        if (slash == std::string::npos) slash = path.size();
        std::string name = path.substr(from, slash - from);
        if (name.empty() || name == "." || name == "..") return false;
        names->push_back(std::move(name));
        from = slash + 1;
    }
    return !names->empty();
}
} // namespace

std::unique_ptr<MountReader> MountText::open(int *)
{
    return std::make_unique<TextReader>(m_bytes);
}

bool MountTree::add(MountEntry entry)
{
    std::vector<std::string> names;
    if (!entry.content || !splitPath(entry.path, &names)) return false;
    // Checked before anything is added, so that a refused entry leaves no empty folder behind.
    const MountNode *at = &m_root;
    for (size_t i = 0; i < names.size() && at; ++i) {
        auto child = at->children.find(names[i]);
        if (child == at->children.end()) break;
        if (!child->second->folder || i + 1 == names.size()) return false;
        at = child->second.get();
    }
    MountNode *folder = &m_root;
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        folder->mtime = std::max(folder->mtime, entry.mtime);
        std::unique_ptr<MountNode> &child = folder->children[names[i]];
        if (!child) {
            child = std::make_unique<MountNode>();
            ++folder->subfolders;
        }
        folder = child.get();
    }
    folder->mtime = std::max(folder->mtime, entry.mtime);
    auto file = std::make_unique<MountNode>();
    file->folder = false;
    file->mtime = entry.mtime;
    file->content = std::move(entry.content);
    folder->children[names.back()] = std::move(file);
    ++m_files;
    return true;
}

const MountNode *MountTree::find(const std::string &path) const
{
    const MountNode *node = &m_root;
    size_t from = 0;
    while (node && from < path.size()) {
        size_t slash = path.find('/', from);
        if (slash == std::string::npos) slash = path.size();
        if (slash > from) {
            auto child = node->children.find(path.substr(from, slash - from));
            node = child == node->children.end() ? nullptr : child->second.get();
        }
        from = slash + 1;
    }
    return node;
}
