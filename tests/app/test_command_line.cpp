// The program's command line: disk images in order as absolute paths, the device
// switch, and their hand-over to the disk layer.
#include "sim_disk.h"

#include "common/ccommandline.h"
#include "wfs_device.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(CommandLine, ImagesInOrderAndDeviceSwitch)
{
    const CCommandLine options({"korvane", "--image", "/tmp/a.img", "-platform", "offscreen", "--image=b.img",
                                "--no-devices", "--disable-web-security", "--image"});
    EXPECT_EQ(options.images(), QStringList({"/tmp/a.img", QDir::current().absoluteFilePath("b.img")}));
    EXPECT_FALSE(options.scanDevices());
    EXPECT_TRUE(CCommandLine({"korvane"}).scanDevices());
    EXPECT_TRUE(CCommandLine({"korvane"}).images().isEmpty());
    EXPECT_FALSE(options.verbose());
    EXPECT_TRUE(CCommandLine({"korvane", "--verbose"}).verbose());
}

TEST(CommandLine, ImagesReachTheDiskLayer)
{
    ScratchDir dir;
    sim::Scenario scenario;
    scenario.partitions = {partition(4000)};
    scenario.recordings.push_back(recording(0, sim::makeTime(2026, 3, 5, 8, 0, 0), 60, 0));
    sim::WriteOptions writeOptions;
    writeOptions.metadataOnly = true;
    const std::string path = dir.file("cmdline.img");
    ASSERT_TRUE(sim::writeDisk(scenario, path, writeOptions, nullptr).ok);

    const QString strRelative = QDir::current().relativeFilePath(QString::fromStdString(path));
    CCommandLine({"korvane", "--no-devices", "--image", strRelative}).applyToDiskLayer();
    ASSERT_EQ(ide_init(), 0);
    IdeInfo info = {};
    ide_get_info(&info);
    ASSERT_EQ(info.ide_num, 1u) << "only the image, no block device";
    EXPECT_STREQ(ide_get_drive_path(0), path.c_str());
    ide_set_images(nullptr, 0);
    ide_init();
}

} // namespace
