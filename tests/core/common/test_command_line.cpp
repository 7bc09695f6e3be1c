// The program's command line: disk images in order as absolute paths, the device
// switch, Qt's own options left alone, wrong options, help and version, images that
// cannot be used, and the hand-over to the disk layer.
#include "sim_disk.h"

#include "common/ccommandline.h"
#include "common/cdiskimage.h"
#include "wfs_device.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

TEST(CommandLine, ImagesInOrderAndDeviceSwitch)
{
    const CCommandLine options({"korvane", "--image", "/tmp/a.img", "-platform", "offscreen", "--image=b.img",
                                "--no-devices", "-style=fusion", "--reverse", "c.img"});
    EXPECT_EQ(options.action(), CCommandLine::actionRun) << qPrintable(options.error());
    EXPECT_EQ(options.images(), QStringList({"/tmp/a.img", QDir::current().absoluteFilePath("b.img"),
                                             QDir::current().absoluteFilePath("c.img")}))
        << "Qt's options and their values are Qt's, a bare file is an image";
    EXPECT_FALSE(options.scanDevices());
    EXPECT_TRUE(CCommandLine({"korvane"}).scanDevices());
    EXPECT_TRUE(CCommandLine({"korvane"}).images().isEmpty());
    EXPECT_FALSE(options.verbose());
    EXPECT_TRUE(CCommandLine({"korvane", "--verbose"}).verbose());
}

TEST(CommandLine, WrongOptionsAreNamedInOneLine)
{
    const QList<QPair<QStringList, QString>> cases = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--no-devices", "-x"}, "unknown option -x"},
        {{"--disable-web-security"}, "unknown option --disable-web-security"},
        {{"--no-devices", "--image"}, "--image needs a file"},
        {{"--image", "--no-devices"}, "--image needs a file"},
        {{"--image="}, "--image needs a file"},
        {{"--no-devices", "--no-devices"}, "--no-devices given twice"},
        {{"--verbose", "--image", "a.img", "--verbose"}, "--verbose given twice"},
        {{"--verbose=yes"}, "--verbose takes no value"},
        {{"--bogus", "--other"}, "unknown option --bogus"},
    };
    for (const auto &c : cases) {
        const CCommandLine options(QStringList("korvane") + c.first);
        EXPECT_EQ(options.action(), CCommandLine::actionError) << qPrintable(c.first.join(' '));
        EXPECT_TRUE(options.error().startsWith(c.second))
            << qPrintable(c.first.join(' ')) << " gave: " << qPrintable(options.error());
        EXPECT_FALSE(options.error().contains('\n'));
    }
    EXPECT_EQ(CCommandLine({"korvane", "--image", "--x.img"}).action(), CCommandLine::actionError);
    EXPECT_EQ(CCommandLine({"korvane", "--image=--x.img"}).images(),
              QStringList(QDir::current().absoluteFilePath("--x.img")));
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse)
{
    EXPECT_EQ(CCommandLine({"korvane", "--bogus", "--help"}).action(), CCommandLine::actionHelp);
    EXPECT_EQ(CCommandLine({"korvane", "-h"}).action(), CCommandLine::actionHelp);
    EXPECT_EQ(CCommandLine({"korvane", "--image", "x.img", "--version"}).action(), CCommandLine::actionVersion);
    for (const char *pOption : {"--image FILE", "--no-devices", "--verbose", "--help", "--version"})
        EXPECT_TRUE(CCommandLine::helpText().contains(pOption)) << pOption;
    const QString strVersion = CCommandLine::versionText();
    EXPECT_TRUE(strVersion.startsWith("korvane V" KORVANE_VERSION ", built ")) << qPrintable(strVersion);
    EXPECT_TRUE(QRegularExpression(R"(built \d{4}\.\d\d\.\d\d \d\d:\d\d:\d\d\n$)").match(strVersion).hasMatch())
        << qPrintable(strVersion);
}

TEST(CommandLine, UnusableImagesAreNamedWithTheirProblem)
{
    ScratchDir dir;
    const QString strMissing = QString::fromStdString(dir.file("missing.img"));
    const QString strFolder = QString::fromStdString(dir.file("folder"));
    const QString strNotWfs = QString::fromStdString(dir.file("zeros.img"));
    ASSERT_TRUE(QDir().mkpath(strFolder));
    QFile zeros(strNotWfs);
    ASSERT_TRUE(zeros.open(QIODevice::WriteOnly));
    zeros.resize(1 << 20);
    zeros.close();

    const CCommandLine options({"korvane", "--image", strMissing, strFolder, "--image=" + strNotWfs});
    const QStringList lines = options.unusableImages();
    ASSERT_EQ(lines.size(), 2) << qPrintable(lines.join('\n'));
    EXPECT_EQ(lines[0], strMissing + ": " + CDiskImage::problemText(CDiskImage::problemMissing));
    EXPECT_EQ(lines[1], strFolder + ": " + CDiskImage::problemText(CDiskImage::problemFolder));
    // A file without WFS is still offered: the disk layer decides, and the Disk page says so.
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
