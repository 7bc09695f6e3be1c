// korvane-cli mount: the recordings of the disks as a read-only folder tree (FUSE 3), so that every
// tool that reads files (players, ffprobe, sha256sum, rsync) reads them in place.
#define FUSE_USE_VERSION 312

#include "cli_commands.h"
#include "cli_options.h"
#include "cmd_mount_sources.h"
#include "wfs.h"

#include <fuse.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char FUSE_DEVICE[] = "/dev/fuse";
// The tree never changes while mounted: the kernel may keep what it was told.
const double CACHE_SECONDS = 86400;

struct MountOptions {
    std::string mountPoint;
    bool foreground = false;
    bool allowOther = false;
};

struct MountState {
    MountTree tree;
    uid_t uid;
    gid_t gid;
};

MountState &state()
{
    return *static_cast<MountState *>(fuse_get_context()->private_data);
}

void fillStat(const MountNode &node, struct stat *st)
{
    memset(st, 0, sizeof *st);
    const MountState &s = state();
    st->st_uid = s.uid;
    st->st_gid = s.gid;
    st->st_mtime = st->st_atime = st->st_ctime = (time_t)node.mtime;
    if (node.folder) {
        st->st_mode = S_IFDIR | 0555;
        st->st_nlink = 2 + node.subfolders;
        return;
    }
    st->st_mode = S_IFREG | 0444;
    st->st_nlink = 1;
    st->st_size = node.content->length();
    st->st_blocks = (st->st_size + 511) / 512;
}

int getattrOp(const char *path, struct stat *st, fuse_file_info *)
{
    const MountNode *node = state().tree.find(path);
    if (!node) return -ENOENT;
    fillStat(*node, st);
    return 0;
}

int readdirOp(const char *path, void *buf, fuse_fill_dir_t fill, off_t, fuse_file_info *,
              fuse_readdir_flags flags)
{
    const MountNode *node = state().tree.find(path);
    if (!node) return -ENOENT;
    if (!node->folder) return -ENOTDIR;
    const bool plus = flags & FUSE_READDIR_PLUS;
    fill(buf, ".", nullptr, 0, fuse_fill_dir_flags(0));
    fill(buf, "..", nullptr, 0, fuse_fill_dir_flags(0));
    for (const auto &child : node->children) {
        struct stat st;
        if (plus) {
            fillStat(*child.second, &st);
        } else {
            memset(&st, 0, sizeof st);
            st.st_mode = child.second->folder ? S_IFDIR : S_IFREG;
        }
        if (fill(buf, child.first.c_str(), &st, 0, plus ? FUSE_FILL_DIR_PLUS : fuse_fill_dir_flags(0))) break;
    }
    return 0;
}

int openOp(const char *path, fuse_file_info *fi)
{
    if ((fi->flags & O_ACCMODE) != O_RDONLY || (fi->flags & O_TRUNC)) return -EROFS;
    const MountNode *node = state().tree.find(path);
    if (!node) return -ENOENT;
    if (node->folder) return -EISDIR;
    int error = EIO;
    std::unique_ptr<MountReader> reader = node->content->open(&error);
    if (!reader) return -error;
    fi->fh = reinterpret_cast<uint64_t>(reader.release());
    // Every read comes here as the reader asked for it (dd bs=1M: 1 MiB a request, where the page
    // cache would ask 128 KiB at a time), and a short count reaches the reader unchanged: the page
    // cache would take it for the end of the file.
    fi->direct_io = 1;
    return 0;
}

MountReader *readerOf(const fuse_file_info *fi)
{
    return reinterpret_cast<MountReader *>(fi->fh);
}

int readOp(const char *, char *buf, size_t size, off_t offset, fuse_file_info *fi)
{
    return (int)readerOf(fi)->readAt(buf, std::min<size_t>(size, INT_MAX), offset);
}

int releaseOp(const char *, fuse_file_info *fi)
{
    delete readerOf(fi);
    return 0;
}

void *initOp(fuse_conn_info *, fuse_config *cfg)
{
    cfg->entry_timeout = cfg->attr_timeout = cfg->negative_timeout = CACHE_SECONDS;
    return fuse_get_context()->private_data;
}

// Every change is refused as on any read-only file system; the kernel refuses most of them
// already, since the mount is made read-only.
fuse_operations operations()
{
    fuse_operations ops;
    memset(&ops, 0, sizeof ops);
    ops.init = initOp;
    ops.getattr = getattrOp;
    ops.readdir = readdirOp;
    ops.open = openOp;
    ops.read = readOp;
    ops.release = releaseOp;
    ops.mknod = [](const char *, mode_t, dev_t) { return -EROFS; };
    ops.mkdir = [](const char *, mode_t) { return -EROFS; };
    ops.unlink = [](const char *) { return -EROFS; };
    ops.rmdir = [](const char *) { return -EROFS; };
    ops.symlink = [](const char *, const char *) { return -EROFS; };
    ops.rename = [](const char *, const char *, unsigned int) { return -EROFS; };
    ops.link = [](const char *, const char *) { return -EROFS; };
    ops.chmod = [](const char *, mode_t, fuse_file_info *) { return -EROFS; };
    ops.chown = [](const char *, uid_t, gid_t, fuse_file_info *) { return -EROFS; };
    ops.truncate = [](const char *, off_t, fuse_file_info *) { return -EROFS; };
    ops.write = [](const char *, const char *, size_t, off_t, fuse_file_info *) { return -EROFS; };
    ops.setxattr = [](const char *, const char *, const char *, size_t, int) { return -EROFS; };
    ops.removexattr = [](const char *, const char *) { return -EROFS; };
    ops.create = [](const char *, mode_t, fuse_file_info *) { return -EROFS; };
    ops.utimens = [](const char *, const struct timespec *, fuse_file_info *) { return -EROFS; };
    ops.fallocate = [](const char *, int, off_t, off_t, fuse_file_info *) { return -EROFS; };
    return ops;
}

bool parseMountOptions(const std::vector<std::string> &args, MountOptions *out)
{
    for (const std::string &arg : args) {
        if (arg == "--foreground")
            out->foreground = true;
        else if (arg == "--allow-other")
            out->allowOther = true;
        else if (out->mountPoint.empty())
            out->mountPoint = arg;
        else
            return false;
    }
    return !out->mountPoint.empty();
}

// A mount point as /proc/self/mountinfo writes it: blanks, tabs, newlines and backslashes in octal.
std::string unescapeMountPath(const std::string &field)
{
    std::string path;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            path += (char)strtol(field.substr(i + 1, 3).c_str(), nullptr, 8);
            i += 3;
        } else {
            path += field[i];
        }
    }
    return path;
}

bool isMountPoint(const std::string &path)
{
    std::ifstream mounts("/proc/self/mountinfo");
    for (std::string line; std::getline(mounts, line);) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (fields >> id >> parent >> device >> root >> point && unescapeMountPath(point) == path)
            return true;
    }
    return false;
}

// The mount point as an absolute path, or false with a message: it must exist, be a folder and
// not have anything mounted on it already.
bool usableMountPoint(const std::string &given, std::string *absolute)
{
    struct stat st;
    if (stat(given.c_str(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT)
            fprintf(stderr, "korvane-cli: the mount point %s does not exist\n", given.c_str());
        else if (error == ENOTCONN)
            fprintf(
                stderr,
                "korvane-cli: %s is a mount whose program has ended; unmount it first: fusermount3 -u %s\n",
                given.c_str(), given.c_str());
        else
            fprintf(stderr, "korvane-cli: cannot use the mount point %s: %s\n", given.c_str(),
                    strerror(error));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        fprintf(stderr, "korvane-cli: the mount point %s is not a folder\n", given.c_str());
        return false;
    }
    char real[PATH_MAX];
    if (!realpath(given.c_str(), real)) {
        fprintf(stderr, "korvane-cli: cannot use the mount point %s: %s\n", given.c_str(), strerror(errno));
        return false;
    }
    *absolute = real;
    if (isMountPoint(*absolute)) {
        fprintf(stderr, "korvane-cli: %s is in use: something is mounted there already (unmount it first)\n",
                given.c_str());
        return false;
    }
    return true;
}

bool fuseDevicePresent()
{
    struct stat st;
    if (stat(FUSE_DEVICE, &st) == 0 && S_ISCHR(st.st_mode)) return true;
    fprintf(stderr,
            "korvane-cli: %s is missing: the kernel's FUSE module is not loaded (modprobe fuse) or this "
            "container "
            "was not given the device\n",
            FUSE_DEVICE);
    return false;
}

int serve(MountState *mounted, const MountOptions &options, const std::string &mountPoint)
{
    std::string mountOptions = "ro,default_permissions,fsname=korvane,subtype=korvane";
    if (options.allowOther) mountOptions += ",allow_other";
    const char *argv[] = {"korvane-cli", "-o", mountOptions.c_str()};
    fuse_args args = FUSE_ARGS_INIT(3, const_cast<char **>(argv));
    const fuse_operations ops = operations();
    fuse *fs = fuse_new(&args, &ops, sizeof ops, mounted);
    fuse_opt_free_args(&args); // parsing may have copied them
    if (!fs) {
        fprintf(stderr, "korvane-cli: cannot start the file system (see above)\n");
        return 1;
    }
    fuse_session *session = fuse_get_session(fs);
    // SIGINT, SIGTERM and SIGHUP end the loop below, which then unmounts.
    if (fuse_set_signal_handlers(session) != 0 || fuse_mount(fs, mountPoint.c_str()) != 0) {
        fprintf(stderr, "korvane-cli: cannot mount on %s (see above)\n", options.mountPoint.c_str());
        fuse_remove_signal_handlers(session);
        fuse_destroy(fs);
        return 1;
    }
    // Only now, with the mount made, may the command return to the shell.
    fuse_daemonize(options.foreground ? 1 : 0);
    fuse_loop_config *loop = fuse_loop_cfg_create();
    const int result = fuse_loop_mt(fs, loop);
    fuse_loop_cfg_destroy(loop);
    fuse_remove_signal_handlers(session);
    fuse_unmount(fs);
    fuse_destroy(fs);
    if (result < 0) {
        fprintf(stderr, "korvane-cli: the mount on %s ended: %s\n", options.mountPoint.c_str(),
                strerror(-result));
        return 1;
    }
    return 0; // unmounted, or ended by a signal: both clean
}
} // namespace

int runMount(const CliOptions &options)
{
    MountOptions mount;
    if (!parseMountOptions(options.args, &mount)) {
        fprintf(stderr, "korvane-cli: mount takes one MOUNTPOINT\n");
        return 2;
    }
    std::string mountPoint;
    if (!usableMountPoint(mount.mountPoint, &mountPoint) || !fuseDevicePresent()) return 1;
    if (!openDisks(options)) return 1;
    MountState mounted;
    mounted.uid = getuid();
    mounted.gid = getgid();
    std::string listing;
    addDiskRecordings(&mounted.tree, &listing);
    addRecoveredRecordings(&mounted.tree);
    addKorvaneTexts(&mounted.tree, listing, (int64_t)time(nullptr));
    if (options.verbose) wfs_set_debug_hook([](const char *line) { fputs(line, stderr); });
    return serve(&mounted, mount, mountPoint);
}
