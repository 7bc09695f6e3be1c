#include "common/cfsfile.h"

#include "sim_recording.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {
const sim::Seconds DAY = sim::makeTime(2024, 3, 5, 14, 0, 0);

struct CliRun {
    int status;
    std::string out, err;
};

std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::Scenario s;
        s.partitions = {partition(1024)};
        s.recordings.push_back(recording(2, DAY, 45));
        s.recordings.back().dhiiSectors = 2;
        s.recordings.push_back(recording(2, DAY + 60, 10));
        m_disk = std::make_unique<SimDisk>(m_dir, "cli.img", s);
        ASSERT_TRUE(m_disk->ok);
    }

    CliRun cli(const std::string &command, const std::string &arg) const
    {
        const std::string out = m_dir.file("stdout"), err = m_dir.file("stderr");
        const std::string line = std::string(KORVANE_CLI) + " " + command + " --no-devices --image '" + m_disk->path +
                                 "' '" + arg + "' >'" + out + "' 2>'" + err + "'";
        int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(out), contents(err)};
    }

    std::string pathOf(size_t index) const
    {
        const sim::RecordingResult &r = resultOf(m_disk->manifest, index);
        return recordPath(0, r, r.firstCluster);
    }

    ScratchDir m_dir;
    std::unique_ptr<SimDisk> m_disk;
};

// The recording as the file wrapper reads it in this process.
std::string readThroughCFSFile(const std::string &image, const std::string &path)
{
    EXPECT_EQ(mountImages({image}), WFS_OK);
    wfs_register_stream_ops();
    CFSFile f;
    EXPECT_TRUE(f.Open(QString::fromStdString(path), CFSFile::modeRead));
    std::string out;
    char chunk[32768];
    qint64 n;
    while ((n = f.Read(chunk, sizeof chunk)) > 0) out.append(chunk, (size_t)n);
    f.Close();
    wfs_mount_register(WFS_STREAM_PREFIX, nullptr);
    return out;
}
} // namespace

TEST_F(CliTest, CatWritesTheRecordingAsTheFileWrapperReadsIt)
{
    const std::string path = pathOf(0);
    CliRun run = cli("cat", path);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string want = readThroughCFSFile(m_disk->path, path);
    ASSERT_GT(want.size(), 100000u);
    EXPECT_EQ(run.out.size(), want.size());
    EXPECT_TRUE(run.out == want) << "the bytes differ";
    EXPECT_EQ(run.out.substr(0, 4), std::string("\0\0\1\xFC", 4)) << "the header is not part of the output";
}

TEST_F(CliTest, CatOfAPathThatDoesNotOpenFailsWithAMessage)
{
    std::string path = pathOf(0);
    path.replace(path.find("/002/"), 5, "/007/");
    path.replace(path.find("[@"), path.find(']', path.find("[@")) - path.find("[@"), "[@0");
    CliRun run = cli("cat", path);
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("cannot open " + path), std::string::npos) << run.err;
}

TEST_F(CliTest, FindListsNameSizeAndTimeSeparatedByTabs)
{
    CliRun run = cli("find", "/mnt/idea0/2024-03-05/002/*");
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, size, time;
        ASSERT_TRUE(std::getline(fields, name, '\t') && std::getline(fields, size, '\t') && std::getline(fields, time));
        names.push_back(name);
        EXPECT_GT(std::stoll(size), 0) << line;
        EXPECT_EQ(time.substr(0, 13), "2024-03-05 14") << line;
    }
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ("/mnt/idea0/2024-03-05/002/" + names[0].substr(0, 17), pathOf(0).substr(0, 43));
    EXPECT_EQ(names[1].substr(0, 17), "14.01.00-14.01.10");
}

TEST_F(CliTest, FindOfAnEmptyDayFails)
{
    CliRun run = cli("find", "/mnt/idea0/2024-03-06/002/*");
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
}
