// korvane-cli mount as users run it: the recordings of simulator disks as files, read by the
// tools people read files with, checked against korvane-cli cat and list. The tests need FUSE
// (/dev/fuse and fusermount3); without them they are skipped and say why.
#include "cli_run.h"
#include "sim_disk.h"

#include "scenario_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace
{
const sim::Seconds DAY = sim::makeTime(2025, 7, 1, 6, 0, 0);
const sim::Seconds NEXT_DAY = sim::makeTime(2025, 7, 2, 0, 0, 0);

std::string realPath(const std::string &path)
{
    char real[PATH_MAX];
    return realpath(path.c_str(), real) ? real : path;
}

// The line of /proc/self/mountinfo for what is mounted at path, or "".
std::string mountLine(const std::string &path)
{
    std::ifstream mounts("/proc/self/mountinfo");
    const std::string real = realPath(path);
    for (std::string line; std::getline(mounts, line);) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (fields >> id >> parent >> device >> root >> point && point == real) return line;
    }
    return "";
}

// The options the mount at path has ("ro,nosuid,..."), or "" when nothing is mounted there.
std::string mountOptions(const std::string &path)
{
    std::istringstream fields(mountLine(path));
    std::string field;
    for (int i = 0; i < 6; ++i)
        fields >> field;
    return fields ? field : "";
}

bool isMounted(const std::string &path)
{
    return !mountOptions(path).empty();
}

// Processes whose command line names the mount point.
std::vector<pid_t> processesServing(const std::string &mountPoint)
{
    std::vector<pid_t> pids;
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string cmdline = slurp(entry.path().string() + "/cmdline");
        std::replace(cmdline.begin(), cmdline.end(), '\0', ' ');
        if (cmdline.find(" mount ") != std::string::npos && cmdline.find(mountPoint) != std::string::npos)
            pids.push_back((pid_t)std::stoi(name));
    }
    return pids;
}

bool waitFor(const std::function<bool()> &done, int seconds = 20)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int shell(const std::string &command)
{
    int rc = system(command.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc);
}

std::string inQuotes(const std::string &text)
{
    return "'" + text + "'";
}

// The recording paths korvane-cli list prints, in its order.
std::vector<std::string> listedPaths(const std::string &listing)
{
    std::vector<std::string> paths;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);)
        paths.push_back(line.substr(0, line.find('\t')));
    return paths;
}

// The start column of a listing line, read as local time.
std::map<std::string, time_t> listedStarts(const std::string &listing)
{
    std::map<std::string, time_t> starts;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string path, start;
        std::getline(fields, path, '\t');
        std::getline(fields, start, '\t');
        struct tm t = {};
        strptime(start.c_str(), "%Y-%m-%d %H:%M:%S", &t);
        t.tm_isdst = -1;
        starts[path] = mktime(&t);
    }
    return starts;
}

// Every regular file under root, as paths relative to it.
std::set<std::string> filesUnder(const std::string &root)
{
    std::set<std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.insert(entry.path().lexically_relative(root).string());
    return files;
}

// A mount made by korvane-cli, in the background (the command returns once it is made) or in the
// foreground (a child process until unmounted). Gone with the object, whatever happened meanwhile.
class Mount
{
  public:
    Mount(const ScratchDir &dir, const std::string &image, const std::string &name, bool foreground = false)
        : m_point(dir.file(name)), m_log(dir.file(name + ".log"))
    {
        std::filesystem::create_directory(m_point);
        if (!foreground) {
            CliRun run = runCli(dir, "mount", image, m_point);
            status = run.status;
            err = run.err;
            return;
        }
        std::vector<const char *> argv = {KORVANE_CLI, "mount",       "--no-devices",
                                          "--image",   image.c_str(), "--foreground"};
        // Only root may let other users in without a line in /etc/fuse.conf.
        if (getuid() == 0) argv.push_back("--allow-other");
        argv.push_back(m_point.c_str());
        argv.push_back(nullptr);
        m_child = fork();
        if (m_child == 0) {
            int log = open(m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
            execv(KORVANE_CLI, const_cast<char **>(argv.data()));
            _exit(127);
        }
        status = waitFor([&] { return isMounted(m_point) || exited(); }) && isMounted(m_point) ? 0 : 1;
    }
    ~Mount()
    {
        for (int i = 0; i < 4 && isMounted(m_point); ++i)
            shell("fusermount3 -u -z " + inQuotes(m_point) + " 2>/dev/null");
        if (m_child > 0 && !exited()) {
            kill(m_child, SIGKILL);
            waitpid(m_child, nullptr, 0);
        }
    }

    std::string path(const std::string &relative) const { return m_point + "/" + relative; }
    const std::string &point() const { return m_point; }
    // The foreground process: whether it ended, and its exit status then.
    bool exited()
    {
        if (m_child <= 0 || m_exitStatus >= 0) return m_exitStatus >= 0;
        int raw = 0;
        if (waitpid(m_child, &raw, WNOHANG) != m_child) return false;
        m_exitStatus = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return true;
    }
    int exitStatus() const { return m_exitStatus; }
    pid_t child() const { return m_child; }
    std::string log() const { return slurp(m_log); }

    int status = -1;
    std::string err;

  private:
    std::string m_point, m_log;
    pid_t m_child = -1;
    int m_exitStatus = -1;
};

class MountTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        int fd = open("/dev/fuse", O_RDWR | O_CLOEXEC);
        if (fd < 0)
            GTEST_SKIP() << "FUSE cannot be used here: /dev/fuse does not open (" << strerror(errno) << ")";
        close(fd);
        if (shell("command -v fusermount3 >/dev/null") != 0)
            GTEST_SKIP() << "FUSE cannot be used here: no fusermount3";
    }

    std::string cat(const std::string &image, const std::string &path) const
    {
        CliRun run = runCli(dir, "cat", image, path);
        EXPECT_EQ(run.status, 0) << path << ": " << run.err;
        return run.out;
    }

    ScratchDir dir;
};

// Three channels on two partitions over two days, one recording across midnight, a "DHII" header and
// a recording over 4 MiB, so that reads cross buffers, clusters and the pieces of the images.
sim::Scenario twoDays()
{
    sim::Scenario s;
    s.sectorsPerCluster = 64;
    s.partitions = {partition(400), partition(100)};
    s.recordings = {recording(0, DAY, 300, 0), recording(1, DAY + 10, 200, 0), recording(2, DAY + 20, 100, 1),
                    recording(1, NEXT_DAY - 40, 80, 0), recording(0, NEXT_DAY + 3600, 60, 0)};
    s.recordings[0].bytesPerSecond = 16000;
    s.recordings[1].dhiiSectors = 3;
    return s;
}

// Reads at the offsets and sizes given from one descriptor, checking each against the bytes.
void expectPreads(int fd, const std::string &bytes, const std::vector<std::pair<int64_t, size_t>> &reads)
{
    std::vector<char> buffer;
    for (const auto &read : reads) {
        buffer.resize(read.second);
        const ssize_t n = pread(fd, buffer.data(), read.second, read.first);
        const size_t want = read.first >= (int64_t)bytes.size()
                                ? 0
                                : std::min(read.second, bytes.size() - (size_t)read.first);
        ASSERT_EQ(n, (ssize_t)want) << "at " << read.first << ", " << read.second
                                    << " bytes: " << strerror(errno);
        ASSERT_TRUE(memcmp(buffer.data(), bytes.data() + read.first, want) == 0)
            << "at " << read.first << ", " << read.second << " bytes";
    }
}
} // namespace

// Raw, Expert Witness and split images mount as the same tree: every recording list prints, at
// its path, with its start as modification time, read-only, holding what cat writes; the texts
// of info and list beside them; reads at any offset, from many threads; gone with fusermount3 -u.
TEST_F(MountTest, EveryKindOfImageMountsAsTheFilesCatWrites)
{
    SimDisk disk(dir, "raw.img", twoDays());
    ASSERT_TRUE(disk.ok);
    const uint64_t digest = fileDigest(disk.path);
    const CliRun list = runCli(dir, "list", disk.path), info = runCli(dir, "info", disk.path);
    ASSERT_EQ(list.status, 0) << list.err;
    const std::vector<std::string> paths = listedPaths(list.out);
    ASSERT_EQ(paths.size(), 5u) << list.out;
    const std::map<std::string, time_t> starts = listedStarts(list.out);
    std::map<std::string, std::string> bytes;
    for (const std::string &path : paths)
        bytes[path] = cat(disk.path, path);

    ASSERT_EQ(shell("ewfacquire -q -u -t " + inQuotes(dir.file("evidence")) + " -S 1MiB -c fast -f encase6 " +
                    inQuotes(disk.path) + " >/dev/null 2>&1"),
              0);
    ASSERT_EQ(shell("split -b 1000003 -a 3 --numeric-suffixes=1 " + inQuotes(disk.path) + " " +
                    inQuotes(dir.file("pieces."))),
              0);
    const std::pair<const char *, std::string> images[] = {
        {"raw", disk.path}, {"e01", dir.file("evidence.E01")}, {"split", dir.file("pieces.001")}};
    for (const auto &image : images) {
        SCOPED_TRACE(image.first);
        Mount mount(dir, image.second, std::string("mnt-") + image.first);
        ASSERT_EQ(mount.status, 0) << mount.err;
        ASSERT_TRUE(isMounted(mount.point())) << "the command returned before the mount was made";
        EXPECT_NE(("," + mountOptions(mount.point()) + ",").find(",ro,"), std::string::npos)
            << mountOptions(mount.point());

        std::set<std::string> expected = {".korvane/info.txt", ".korvane/recordings.tsv"};
        for (const std::string &path : paths)
            expected.insert(path.substr(strlen("/mnt/")));
        EXPECT_EQ(filesUnder(mount.point()), expected);
        EXPECT_EQ(slurp(mount.path(".korvane/recordings.tsv")), list.out);
        if (image.first == std::string("raw")) {
            EXPECT_EQ(slurp(mount.path(".korvane/info.txt")), info.out);
        }

        for (const std::string &path : paths) {
            SCOPED_TRACE(path);
            const std::string file = mount.path(path.substr(strlen("/mnt/")));
            struct stat st;
            ASSERT_EQ(stat(file.c_str(), &st), 0) << strerror(errno);
            EXPECT_EQ(st.st_size, (off_t)bytes[path].size());
            EXPECT_EQ(st.st_mtime, starts.at(path));
            EXPECT_EQ(st.st_mode, S_IFREG | 0444u);
            ASSERT_EQ(stat(file.substr(0, file.rfind('/')).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode, S_IFDIR | 0555u);
            EXPECT_TRUE(slurp(file) == bytes[path]) << "the bytes differ from cat's";
        }
        ASSERT_TRUE(std::none_of(bytes.begin(), bytes.end(), [](const auto &b) { return b.second.empty(); }));

        if (image.first == std::string("raw")) {
            // The largest recording at odd offsets and sizes, across the buffer, clusters and its end.
            const std::string &path = paths.front();
            const std::string &want = bytes[path];
            ASSERT_GT(want.size(), 4u << 20);
            const int64_t size = (int64_t)want.size();
            int fd = open(mount.path(path.substr(strlen("/mnt/"))).c_str(), O_RDONLY);
            ASSERT_GE(fd, 0);
            expectPreads(fd, want,
                         {{0, 1},
                          {1, 3},
                          {511, 2},
                          {513, 4095},
                          {32767, 2},
                          {32769, 65537},
                          {32768 * 64 - 7, 14},
                          {1 << 20, (1 << 20) + 5},
                          {size - 1, 1},
                          {size - 7, 4096},
                          {size, 10},
                          {size + 4096, 1}});
            // Eight threads at once, half sharing that descriptor, half with one of their own.
            std::atomic<int> failures{0};
            std::vector<std::thread> threads;
            for (int t = 0; t < 8; ++t) {
                threads.emplace_back([&, t] {
                    int own = t % 2 ? open(mount.path(path.substr(strlen("/mnt/"))).c_str(), O_RDONLY) : fd;
                    std::mt19937_64 random(t);
                    std::vector<char> buffer(300000);
                    for (int i = 0; i < 150 && own >= 0; ++i) {
                        const int64_t at = (int64_t)(random() % (uint64_t)size);
                        const size_t n = 1 + random() % buffer.size();
                        const size_t expect = std::min<size_t>(n, (size_t)(size - at));
                        if (pread(own, buffer.data(), n, at) != (ssize_t)expect ||
                            memcmp(buffer.data(), want.data() + at, expect) != 0)
                            ++failures;
                    }
                    if (own < 0) ++failures;
                    if (own >= 0 && own != fd) close(own);
                });
            }
            for (std::thread &thread : threads)
                thread.join();
            EXPECT_EQ(failures, 0);
            close(fd);
        }

        // fusermount3 -u ends the program that served the mount.
        const std::vector<pid_t> servers = processesServing(mount.point());
        ASSERT_EQ(servers.size(), 1u) << "one program in the background serves the mount";
        ASSERT_EQ(shell("fusermount3 -u " + inQuotes(mount.point())), 0);
        EXPECT_FALSE(isMounted(mount.point()));
        EXPECT_TRUE(waitFor([&] { return kill(servers.front(), 0) != 0; }))
            << "the program outlived its mount";
    }
    EXPECT_EQ(fileDigest(disk.path), digest);
}

// A disk with real H.264 video: ffprobe reads a recording through the mount as it reads cat's copy;
// rsync -a copies a day with its times; --allow-other lets others in; every change is refused with EROFS and
// a missing path is ENOENT; SIGTERM and SIGINT end a mount in the foreground cleanly.
// A wrapped ring: the recordings the listing no longer reaches are under "recovered", with the
// bytes "cat" gives for their paths.
TEST_F(MountTest, RecoveredRecordingsJoinTheTree)
{
    SimDisk disk(dir, "ring.img", camerasOnARing(8));
    ASSERT_TRUE(disk.ok);
    const CliRun recover = runCli(dir, "recover", disk.path);
    ASSERT_EQ(recover.status, 0) << recover.err;
    const std::vector<std::string> paths = listedPaths(recover.out);
    ASSERT_FALSE(paths.empty()) << "the ring leaves no tail to recover";
    Mount mount(dir, disk.path, "mnt-ring");
    ASSERT_EQ(mount.status, 0) << mount.err;
    for (const std::string &path : paths) {
        SCOPED_TRACE(path);
        ASSERT_NE(path.find("/recovered/"), std::string::npos);
        const std::string want = cat(disk.path, path);
        EXPECT_FALSE(want.empty());
        EXPECT_TRUE(slurp(mount.path(path.substr(strlen("/mnt/")))) == want) << "the bytes differ from cat's";
    }
}

TEST_F(MountTest, ToolsReadTheRealVideoAndChangeNothing)
{
    sim::Scenario scenario;
    std::string error;
    ASSERT_TRUE(sim::loadScenarioFile(KORVANE_SOURCE_DIR "/resources/sim/real.json", scenario, error))
        << error;
    SimDisk disk(dir, "real.img", scenario);
    ASSERT_TRUE(disk.ok);
    const uint64_t digest = fileDigest(disk.path);
    const CliRun list = runCli(dir, "list", disk.path);
    const std::vector<std::string> paths = listedPaths(list.out);
    ASSERT_GE(paths.size(), 2u) << list.out;
    const std::string h264 = paths.front(); // channel 000: H.264
    ASSERT_NE(h264.find("/000/"), std::string::npos) << h264;

    Mount mount(dir, disk.path, "mnt", true);
    ASSERT_EQ(mount.status, 0) << mount.log();
    const std::string file = mount.path(h264.substr(strlen("/mnt/")));
    if (getuid() == 0) {
        EXPECT_NE(mountLine(mount.point()).find(",allow_other"), std::string::npos)
            << mountLine(mount.point());
    }

    {
        std::ofstream(dir.file("copy.h264"), std::ios::binary) << cat(disk.path, h264);
        const std::string probe = "ffprobe -v error -count_frames -show_entries "
                                  "stream=codec_name,width,height,nb_read_frames -of csv=p=0 ";
        const std::string viaMount = dir.file("probe-mount.txt"), viaCopy = dir.file("probe-copy.txt");
        ASSERT_EQ(shell(probe + inQuotes(file) + " >" + inQuotes(viaMount) + " 2>&1"), 0) << slurp(viaMount);
        ASSERT_EQ(shell(probe + inQuotes(dir.file("copy.h264")) + " >" + inQuotes(viaCopy) + " 2>&1"), 0);
        EXPECT_EQ(slurp(viaMount), slurp(viaCopy));
        EXPECT_EQ(slurp(viaMount).substr(0, 13), "h264,352,288,") << slurp(viaMount);
    }

    {
        const std::string day = mount.path("idea0/2024-03-05"), copy = dir.file("rsync");
        ASSERT_EQ(shell("rsync -a " + inQuotes(day + "/") + " " + inQuotes(copy + "/")), 0);
        const std::set<std::string> files = filesUnder(day);
        EXPECT_EQ(filesUnder(copy), files);
        EXPECT_GE(files.size(), 2u);
        for (const std::string &name : files) {
            struct stat original, copied;
            ASSERT_EQ(stat((day + "/" + name).c_str(), &original), 0);
            ASSERT_EQ(stat((copy + "/" + name).c_str(), &copied), 0);
            EXPECT_EQ(copied.st_mtime, original.st_mtime) << name;
            EXPECT_TRUE(slurp(copy + "/" + name) == cat(disk.path, "/mnt/idea0/2024-03-05/" + name)) << name;
        }
        const std::string again = dir.file("rsync-again.txt");
        EXPECT_EQ(shell("rsync -ai --dry-run " + inQuotes(day + "/") + " " + inQuotes(copy + "/") + " >" +
                        inQuotes(again)),
                  0);
        EXPECT_EQ(slurp(again), "") << "a second rsync would copy again";
        shell("chmod -R u+w " + inQuotes(copy));
    }

    {
        const std::string folder = file.substr(0, file.rfind('/'));
        const std::string fresh = folder + "/new.h264";
        struct Change {
            const char *what;
            std::function<int()> call;
        };
        const timespec times[2] = {{0, 0}, {0, 0}};
        const Change changes[] = {
            {"open for writing", [&] { return open(file.c_str(), O_WRONLY); }},
            {"open for reading and writing", [&] { return open(file.c_str(), O_RDWR); }},
            {"open truncating", [&] { return open(file.c_str(), O_RDONLY | O_TRUNC); }},
            {"create", [&] { return open(fresh.c_str(), O_WRONLY | O_CREAT, 0644); }},
            {"mknod", [&] { return mknod(fresh.c_str(), S_IFREG | 0644, 0); }},
            {"unlink", [&] { return unlink(file.c_str()); }},
            {"rename", [&] { return rename(file.c_str(), fresh.c_str()); }},
            {"mkdir", [&] { return mkdir((folder + "/new").c_str(), 0755); }},
            {"rmdir", [&] { return rmdir(folder.c_str()); }},
            {"symlink", [&] { return symlink(file.c_str(), fresh.c_str()); }},
            {"link", [&] { return link(file.c_str(), fresh.c_str()); }},
            {"chmod", [&] { return chmod(file.c_str(), 0644); }},
            {"chown", [&] { return chown(file.c_str(), getuid(), getgid()); }},
            {"truncate", [&] { return truncate(file.c_str(), 0); }},
            {"utimensat", [&] { return utimensat(AT_FDCWD, file.c_str(), times, 0); }},
            {"setxattr", [&] { return setxattr(file.c_str(), "user.note", "x", 1, 0); }},
            {"removexattr", [&] { return removexattr(file.c_str(), "user.note"); }},
        };
        for (const Change &change : changes) {
            errno = 0;
            EXPECT_EQ(change.call(), -1) << change.what;
            EXPECT_EQ(errno, EROFS) << change.what << ": " << strerror(errno);
        }
        struct stat st;
        errno = 0;
        EXPECT_EQ(stat((folder + "/09.00.00-09.01.00[R][@7][0].h264").c_str(), &st), -1);
        EXPECT_EQ(errno, ENOENT);
        errno = 0;
        EXPECT_EQ(open(mount.path("idea1/2024-03-05").c_str(), O_RDONLY), -1);
        EXPECT_EQ(errno, ENOENT);
        EXPECT_TRUE(slurp(file) == cat(disk.path, h264)) << "the recording is unchanged";
    }

    // SIGTERM, then SIGINT: the foreground program unmounts and ends with status 0.
    ASSERT_EQ(kill(mount.child(), SIGTERM), 0);
    ASSERT_TRUE(waitFor([&] { return mount.exited(); })) << "SIGTERM did not end the mount";
    EXPECT_EQ(mount.exitStatus(), 0) << mount.log();
    EXPECT_FALSE(isMounted(mount.point()));
    Mount again(dir, disk.path, "mnt", true);
    ASSERT_EQ(again.status, 0) << again.log();
    ASSERT_EQ(kill(again.child(), SIGINT), 0);
    ASSERT_TRUE(waitFor([&] { return again.exited(); })) << "SIGINT did not end the mount";
    EXPECT_EQ(again.exitStatus(), 0) << again.log();
    EXPECT_FALSE(isMounted(again.point()));
    EXPECT_EQ(fileDigest(disk.path), digest);
}

// A recording whose chain ends early reads up to that point, then EIO; an image cut short under
// the mount fails its reads with EIO while the mount answers; a mount point that is missing or in
// use ends the command with status 1 and says why.
TEST_F(MountTest, DamageFailsReadsNeverTheMount)
{
    sim::Scenario scenario;
    std::string error;
    ASSERT_TRUE(sim::loadScenarioFile(KORVANE_SOURCE_DIR "/resources/sim/example.json", scenario, error))
        << error;
    SimDisk sound(dir, "sound.img", scenario);
    ASSERT_TRUE(sound.ok);
    const char damagedPath[] = "/mnt/idea0/2024-03-05/001/09.00.30-09.01.30[M][@70][0].h264";
    const std::string good = cat(sound.path, damagedPath);
    ASSERT_EQ(good.size(), 480u * 1024);

    {
        // The first directory item of cluster 0x70 claims more sectors than its chain holds.
        const sim::PartitionResult &p = sound.manifest.partitions[0];
        const uint16_t endLength = 0xFFFF;
        sim::Patch patch;
        patch.block = p.startSector + p.dirOffset + 0x70 / 16 + (0x70 % 16 * 32 + 22) / 512;
        patch.offset = (0x70 % 16 * 32 + 22) % 512;
        patch.bytes.assign((const uint8_t *)&endLength, (const uint8_t *)&endLength + 2);
        sim::Scenario damaged = scenario;
        damaged.patches = {patch};
        SimDisk disk(dir, "short.img", damaged);
        ASSERT_TRUE(disk.ok);
        Mount mount(dir, disk.path, "mnt-short");
        ASSERT_EQ(mount.status, 0) << mount.err;
        const std::string file = mount.path(std::string(damagedPath).substr(strlen("/mnt/")));
        struct stat st;
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_GT(st.st_size, (off_t)good.size()) << "the listed length";
        int fd = open(file.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        std::string got;
        std::vector<char> chunk(1 << 20);
        ssize_t n;
        while ((n = read(fd, chunk.data(), chunk.size())) > 0)
            got.append(chunk.data(), (size_t)n);
        EXPECT_EQ(n, -1) << "the end of the chain read as the end of the file";
        EXPECT_EQ(errno, EIO);
        EXPECT_TRUE(got == good) << got.size() << " bytes, the chain holds " << good.size();
        errno = 0;
        EXPECT_EQ(pread(fd, chunk.data(), 4096, (off_t)good.size() + 8192), -1);
        EXPECT_EQ(errno, EIO) << "past the chain's end, inside the listed length";
        close(fd);
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_GT(st.st_size, (off_t)good.size()) << "a failed read does not shorten the file";
    }

    {
        // A copy of the image, cut inside the first recording's data while mounted.
        const std::string image = dir.file("vanishing.img");
        std::filesystem::copy_file(sound.path, image);
        const std::string first = "/mnt/idea0/2024-03-05/000/09.00.00-09.02.00[R][@1][0].h264";
        const std::string whole = cat(image, first);
        Mount mount(dir, image, "mnt-vanishing");
        ASSERT_EQ(mount.status, 0) << mount.err;
        const sim::PartitionResult &p = sound.manifest.partitions[0];
        const sim::RecordingResult &r = sound.manifest.recordings[0];
        const uint64_t data = (sound.manifest.baseSector + p.startSector + p.dataOffset +
                               (uint64_t)r.firstCluster * p.secPerClus) *
                              512;
        ASSERT_EQ(truncate(image.c_str(), (off_t)(data + 200000)), 0);
        int fd = open(mount.path(first.substr(strlen("/mnt/"))).c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        std::string got;
        std::vector<char> chunk(65536);
        ssize_t n;
        while ((n = read(fd, chunk.data(), chunk.size())) > 0)
            got.append(chunk.data(), (size_t)n);
        EXPECT_EQ(n, -1);
        EXPECT_EQ(errno, EIO);
        EXPECT_LE(got.size(), 200000u);
        EXPECT_TRUE(got == whole.substr(0, got.size())) << "other bytes than the recording's";
        close(fd);
        // Still answering: every file and folder, the texts, and the unmount.
        EXPECT_NE(shell("cat " + inQuotes(mount.point()) + "/idea*/*/*/* >/dev/null 2>&1"), 0);
        EXPECT_EQ(filesUnder(mount.point()).size(), 5u);
        EXPECT_EQ(slurp(mount.path(".korvane/recordings.tsv")), runCli(dir, "list", sound.path).out);
        EXPECT_EQ(shell("fusermount3 -u " + inQuotes(mount.point())), 0);
    }

    {
        Mount first(dir, sound.path, "mnt-used");
        ASSERT_EQ(first.status, 0) << first.err;
        CliRun second = runCli(dir, "mount", sound.path, first.point());
        EXPECT_EQ(second.status, 1);
        EXPECT_NE(second.err.find(first.point() + " is in use"), std::string::npos) << second.err;
        EXPECT_EQ(processesServing(first.point()).size(), 1u);

        CliRun missing = runCli(dir, "mount", sound.path, dir.file("nowhere"));
        EXPECT_EQ(missing.status, 1);
        EXPECT_NE(missing.err.find("the mount point " + dir.file("nowhere") + " does not exist"),
                  std::string::npos)
            << missing.err;
    }
}

// A machine without the device: /dev hidden in a mount namespace of its own.
TEST_F(MountTest, WithoutTheFuseDeviceTheCommandSaysSo)
{
    if (shell("unshare -m sh -c 'mount -t tmpfs none /dev' 2>/dev/null") != 0)
        GTEST_SKIP() << "no mount namespace of its own can hide /dev/fuse here (unshare -m needs root)";
    SimDisk disk(dir, "disk.img", twoDays());
    ASSERT_TRUE(disk.ok);
    const std::string err = dir.file("nodev.err"), point = dir.file("mnt");
    std::filesystem::create_directory(point);
    const int rc = shell("unshare -m sh -c 'mount -t tmpfs none /dev && exec \"$0\" \"$@\"' " KORVANE_CLI
                         " mount --no-devices --image " +
                         inQuotes(disk.path) + " " + inQuotes(point) + " 2>" + inQuotes(err));
    EXPECT_EQ(rc, 1);
    EXPECT_NE(slurp(err).find("/dev/fuse is missing"), std::string::npos) << slurp(err);
    EXPECT_FALSE(isMounted(point));
}
