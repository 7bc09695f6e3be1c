#include "common/cfsfile.h"
#include "common/cfsfilefind.h"

#include "wfs_mount.h"
#include "wfs_test_image.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <atomic>
#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace {
std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string &path, const std::string &text) { std::ofstream(path, std::ios::binary) << text; }

bool exists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

QStringList g_messages;

void collectMessage(QtMsgType, const QMessageLogContext &, const QString &text) { g_messages << text; }

class PcFileTest : public ::testing::Test {
protected:
    std::string file(const std::string &name) const { return m_dir.file(name); }
    QString qfile(const std::string &name) const { return QString::fromStdString(file(name)); }

    // Opens, writes the text and closes.
    bool writeWith(const std::string &name, unsigned flags, const std::string &text)
    {
        CFSFile f;
        if (!f.Open(qfile(name), flags)) return false;
        EXPECT_EQ(f.Write(text.data(), (qint64)text.size()), (qint64)text.size());
        return true;
    }

    ScratchDir m_dir;
};
} // namespace

// ---- open flags

TEST_F(PcFileTest, ReadingNeedsAnExistingFileAndStoresThePathAnyway)
{
    CFSFile f;
    EXPECT_FALSE(f.Open(qfile("none"), CFSFile::modeRead));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.GetFilePath(), qfile("none"));
    EXPECT_FALSE(exists(file("none")));
}

TEST_F(PcFileTest, CreateTruncatesUnlessContentIsKept)
{
    writeFile(file("t"), "hello world");
    ASSERT_TRUE(writeWith("t", CFSFile::modeCreate | CFSFile::modeWrite, "abc"));
    EXPECT_EQ(contents(file("t")), "abc");
    ASSERT_TRUE(writeWith("t", CFSFile::modeCreate | CFSFile::modeNoTruncate | CFSFile::modeWrite, "def"));
    EXPECT_EQ(contents(file("t")), "abcdef") << "\"ab\": appended";
}

TEST_F(PcFileTest, WritingWithoutCreateNeedsTheFileAndOverwritesFromTheStart)
{
    EXPECT_FALSE(writeWith("new", CFSFile::modeWrite, "x"));
    EXPECT_FALSE(exists(file("new")));
    writeFile(file("old"), "hello");
    ASSERT_TRUE(writeWith("old", CFSFile::modeWrite, "J"));
    EXPECT_EQ(contents(file("old")), "Jello") << "opened without truncation";
}

TEST_F(PcFileTest, ReadWriteWithoutCreateReadsAndKeepsTheRest)
{
    writeFile(file("rw"), "hello");
    CFSFile f;
    ASSERT_TRUE(f.Open(qfile("rw"), CFSFile::modeReadWrite));
    char text[8] = {};
    EXPECT_EQ(f.Read(text, 5), 5);
    EXPECT_STREQ(text, "hello");
    EXPECT_EQ(f.Seek(0, SEEK_SET), 0);
    EXPECT_EQ(f.Write("J", 1), 1);
    f.Close();
    EXPECT_EQ(contents(file("rw")), "Jello");
    EXPECT_FALSE(f.Open(qfile("missing"), CFSFile::modeReadWrite | CFSFile::modeNoTruncate));
}

TEST_F(PcFileTest, ReadWriteCreateStartsEmptyAndReadsBack)
{
    writeFile(file("c"), "old content");
    CFSFile f;
    ASSERT_TRUE(f.Open(qfile("c"), CFSFile::modeCreate | CFSFile::modeReadWrite));
    EXPECT_EQ(f.GetLength(), 0);
    EXPECT_EQ(f.Write("xyz", 3), 3);
    EXPECT_EQ(f.Seek(0, SEEK_SET), 0);
    char text[4] = {};
    EXPECT_EQ(f.Read(text, 3), 3);
    EXPECT_STREQ(text, "xyz");
}

TEST_F(PcFileTest, ExportFlagsCreateOnceAndThenAppend)
{
    const unsigned exportFlags = CFSFile::modeCreate | CFSFile::modeNoTruncate | CFSFile::modeReadWrite;
    ASSERT_TRUE(writeWith("export.h264", exportFlags, "first "));
    ASSERT_TRUE(writeWith("export.h264", exportFlags, "second"));
    EXPECT_EQ(contents(file("export.h264")), "first second");
    CFSFile f;
    ASSERT_TRUE(f.Open(qfile("export.h264"), CFSFile::modeNoTruncate | CFSFile::modeReadWrite));
    EXPECT_EQ(f.GetLength(), 12);
}

// ---- positions

TEST_F(PcFileTest, LengthLeavesThePositionWhereItWas)
{
    writeFile(file("len"), std::string(1000, 'x'));
    CFSFile f;
    ASSERT_TRUE(f.Open(qfile("len"), CFSFile::modeRead));
    char buf[10];
    ASSERT_EQ(f.Read(buf, 10), 10);
    EXPECT_EQ(f.GetLength(), 1000);
    EXPECT_EQ(f.GetPosition(), 10);
    EXPECT_EQ(f.Seek(-10, SEEK_END), 990);
    EXPECT_EQ(f.Seek(5, SEEK_CUR), 995);
    EXPECT_EQ(f.Read(buf, 10), 5);
}

TEST_F(PcFileTest, FailedSeekIsLoggedAndAnswersZero)
{
    writeFile(file("s"), "0123456789");
    CFSFile f;
    ASSERT_TRUE(f.Open(qfile("s"), CFSFile::modeRead));
    ASSERT_EQ(f.Seek(4, SEEK_SET), 4);
    g_messages.clear();
    QtMessageHandler previous = qInstallMessageHandler(collectMessage);
    EXPECT_EQ(f.Seek(-5, SEEK_SET), 0);
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_messages, QStringList{"CFSFile::Seek pos=-1"});
    EXPECT_EQ(f.GetPosition(), 4);
}

TEST_F(PcFileTest, ClosedFileAnswersZeroEverywhere)
{
    CFSFile f;
    char buf[4];
    EXPECT_EQ(f.Read(buf, 4), 0);
    EXPECT_EQ(f.Write("abcd", 4), 0);
    EXPECT_EQ(f.Seek(1, SEEK_SET), 0);
    EXPECT_EQ(f.GetPosition(), 0);
    EXPECT_EQ(f.GetLength(), 0);
    EXPECT_FALSE(f.Flush());
    EXPECT_EQ(f.ReadString(buf, 4), nullptr);
    EXPECT_FALSE(f.WriteString("x"));
}

TEST_F(PcFileTest, LinesGoOutAndComeBackOneAtATime)
{
    {
        CFSFile f;
        ASSERT_TRUE(f.Open(qfile("lines"), CFSFile::modeCreate | CFSFile::modeWrite));
        EXPECT_TRUE(f.WriteString("one\n"));
        EXPECT_TRUE(f.WriteString("two\n"));
        EXPECT_TRUE(f.Flush());
    }
    CFSFile f;
    ASSERT_TRUE(f.Open(qfile("lines"), CFSFile::modeRead));
    char line[16];
    ASSERT_NE(f.ReadString(line, sizeof line), nullptr);
    EXPECT_STREQ(line, "one\n");
    ASSERT_NE(f.ReadString(line, sizeof line), nullptr);
    EXPECT_STREQ(line, "two\n");
    EXPECT_EQ(f.ReadString(line, sizeof line), nullptr);
}

// ---- paths

TEST_F(PcFileTest, FoldersAndFilesAreMadeRenamedAndRemoved)
{
    EXPECT_TRUE(CFSFile::MakeDir(qfile("sub")));
    EXPECT_FALSE(CFSFile::MakeDir(qfile("sub")));
    EXPECT_TRUE(CFSFile::Access(qfile("sub"), 0));
    writeFile(file("sub/a.part"), "data");
    EXPECT_TRUE(CFSFile::Rename(qfile("sub/a.part"), qfile("sub/a.h264")));
    EXPECT_FALSE(CFSFile::Access(qfile("sub/a.part"), 0));
    EXPECT_EQ(contents(file("sub/a.h264")), "data");
    EXPECT_FALSE(CFSFile::RemoveDir(qfile("sub"))) << "not empty";
    EXPECT_TRUE(CFSFile::Remove(qfile("sub/a.h264")));
    EXPECT_FALSE(CFSFile::Remove(qfile("sub/a.h264")));
    EXPECT_TRUE(CFSFile::RemoveDir(qfile("sub")));
    EXPECT_FALSE(CFSFile::Access(qfile("sub"), 0));
}

TEST_F(PcFileTest, DiskSpaceOfAFolder)
{
    quint64 freeBytes = 0, total = 0, freeAgain = 0;
    ASSERT_TRUE(CFSFile::GetDiskSpace(qfile(""), &freeBytes, &total, &freeAgain));
    EXPECT_GT(total, 0u);
    EXPECT_LE(freeBytes, total);
    EXPECT_GE(freeAgain, freeBytes);
    EXPECT_FALSE(CFSFile::GetDiskSpace(qfile("missing/folder"), &freeBytes, &total));
}

// ---- directory search

TEST_F(PcFileTest, FindListsTheMatchingEntriesWithTheirAttributes)
{
    writeFile(file("a.h264"), std::string(2048, 'a'));
    writeFile(file("b.h264"), "b");
    writeFile(file("c.txt"), "c");
    ASSERT_TRUE(CFSFile::MakeDir(qfile("d.h264")));
    writeFile(file(".e.h264"), "e");
    chmod(file("b.h264").c_str(), 0444);

    CFSFileFind find;
    ASSERT_TRUE(find.FindFile(qfile("*.h264")));
    std::set<std::string> names;
    do {
        const std::string name = find.GetFileName().toStdString();
        names.insert(name);
        EXPECT_EQ(find.GetFilePath(), qfile(name));
        EXPECT_EQ(find.IsDirectory(), name == "d.h264") << name;
        EXPECT_EQ(find.IsReadOnly(), name == "b.h264") << name;
        EXPECT_EQ(find.IsHidden(), name == ".e.h264") << name;
        EXPECT_EQ(find.IsNormal(), name == "a.h264") << name;
        if (name == "a.h264") {
            EXPECT_EQ(find.GetLength(), 2);
        }
    } while (find.FindNextFile());
    EXPECT_EQ(names, (std::set<std::string>{"a.h264", "b.h264", "d.h264", ".e.h264"}));
    EXPECT_FALSE(find.FindNextFile());
    EXPECT_FALSE(find.FindFile(qfile("*.mp4")));
    EXPECT_FALSE(find.FindFile(qfile("missing/*")));
}

// ---- the process-wide lock

namespace {
std::atomic<int> g_inside{0};
std::atomic<bool> g_overlap{false};
char g_stream;

// A table whose operations notice when another operation runs at the same time.
void *fakeOpen(const char *, const char *) { return &g_stream; }
int fakeClose(void *) { return 0; }
size_t fakeRead(void *, size_t size, size_t count, void *)
{
    if (g_inside.fetch_add(1) > 0) g_overlap = true;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    g_inside.fetch_sub(1);
    return size * count;
}
int fakeSeek(void *, int64_t, int) { return fakeRead(nullptr, 1, 1, nullptr) == 1 ? 0 : -1; }
int64_t fakeTell(void *) { return (int64_t)fakeRead(nullptr, 1, 0, nullptr); }
} // namespace

TEST(CFSFileLock, OperationsOfDifferentFilesNeverOverlap)
{
    wfs_fs_ops ops = *wfs_default_ops();
    ops.fopen = fakeOpen;
    ops.fclose = fakeClose;
    ops.fread = fakeRead;
    ops.fseek = fakeSeek;
    ops.ftell = fakeTell;
    ASSERT_NE(wfs_mount_register("/locktest", &ops), -1);
    auto worker = [] {
        CFSFile f;
        if (!f.Open("/locktest/x", CFSFile::modeRead)) return;
        char buf[8];
        for (int i = 0; i < 100; ++i) {
            f.Read(buf, sizeof buf);
            f.Seek(i, SEEK_SET);
        }
    };
    std::thread first(worker), second(worker), third(worker);
    first.join();
    second.join();
    third.join();
    wfs_mount_register("/locktest", nullptr);
    EXPECT_FALSE(g_overlap);
}
