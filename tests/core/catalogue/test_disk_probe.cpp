// CDiskProbe: the whole-disk block devices as the disk layer picks them from /sys/block,
// and which of them refuse to be read.
#include "catalogue/cdiskprobe.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(DiskProbe, WholeDisksOnlyInNameOrder)
{
    QTemporaryDir sys;
    for (const char *pName : {"vda", "sdb", "sda", "nvme0n1", "nvme0n1p1", "nvme0", "mmcblk0", "mmcblk0boot0",
                              "mmcblk0rpmb", "loop0", "loop1", "sr0", "dm-0", "zram0"})
        ASSERT_TRUE(QDir(sys.path()).mkdir(pName));
    ASSERT_TRUE(QDir().mkpath(sys.path() + "/loop1/loop"));
    QFile backing(sys.path() + "/loop1/loop/backing_file");
    ASSERT_TRUE(backing.open(QIODevice::WriteOnly));
    backing.close();
    EXPECT_EQ(CDiskProbe::blockDevices(sys.path(), "/dev"),
              QStringList({"/dev/loop1", "/dev/mmcblk0", "/dev/nvme0n1", "/dev/sda", "/dev/sdb", "/dev/vda"}));
    EXPECT_TRUE(CDiskProbe::blockDevices(sys.path() + "/none").isEmpty());
}

TEST(DiskProbe, OnlyDevicesThatExistAndCannotBeReadAreUnreadable)
{
    QTemporaryDir dir;
    QFile readable(dir.path() + "/sda");
    ASSERT_TRUE(readable.open(QIODevice::WriteOnly));
    readable.close();
    EXPECT_TRUE(CDiskProbe::unreadable({dir.path() + "/sda", dir.path() + "/missing"}).isEmpty());
}

} // namespace
