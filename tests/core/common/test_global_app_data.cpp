// CGlobalAppData: Config.ini defaults and write-back, folders, the XDG fallback and
// installed copies, the map page key (in the user's copy of the page when installed),
// build texts and the per-window path queues.
#include "common/cglobalappdata.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

void writeFile(const QString &strPath, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray readFile(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class GlobalAppDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_strPreviousOverride = CGlobalAppData::appPathOverride();
        CGlobalAppData::setAppPathOverride(m_dir.path());
    }
    void TearDown() override
    {
        CGlobalAppData::saveAndRelease();
        CGlobalAppData::setAppPathOverride(m_strPreviousOverride);
    }
    QString path(const QString &strName) const { return m_dir.path() + strName; }

    QTemporaryDir m_dir;
    QString m_strPreviousOverride;
};

TEST_F(GlobalAppDataTest, MissingConfigGivesDefaultsAndCreatesBackupFolders)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    EXPECT_EQ(pData->appPath(), m_dir.path());
    EXPECT_EQ(pData->capturePath(), path("/Backup/Picture"));
    EXPECT_EQ(pData->recordPath(), path("/Backup/Record"));
    EXPECT_TRUE(QDir(path("/Backup/Picture")).exists());
    EXPECT_TRUE(QDir(path("/Backup/Record")).exists());
    EXPECT_EQ(pData->recordFormat(), 0);
    EXPECT_EQ(pData->language(), "English");
    EXPECT_TRUE(pData->languageFile().isEmpty());
    EXPECT_EQ(pData->license(), 1);
    EXPECT_EQ(pData->logLevel(), 0);
    EXPECT_EQ(pData->mapType(), CGlobalAppData::mapOpenStreetMap) << "a new user gets the map that needs no key";
    EXPECT_TRUE(pData->hasMapPage());
    EXPECT_EQ(pData->outChina(), 1);
    EXPECT_EQ(pData->mapPath(), path("/map/osmMap.html"));
    EXPECT_TRUE(pData->mapKey().isEmpty());
    EXPECT_TRUE(pData->securityCode().isEmpty());
    EXPECT_FALSE(QFile::exists(path("/Config.ini")));
}

TEST_F(GlobalAppDataTest, SaveWritesBackOnlyTheKeysKeptAtExit)
{
    writeFile(path("/Config.ini"), "[Info]\nLogLevel=4\n[themes]\nLicense=0\nSolution=SimpChinese\n"
                                   "[Map]\nMapType=1\nOutChina=0\n[Record]\nFormat=5\n");
    CGlobalAppData *pData = CGlobalAppData::instance();
    EXPECT_EQ(pData->logLevel(), 4);
    EXPECT_EQ(pData->license(), 0);
    EXPECT_EQ(pData->recordFormat(), 5);
    EXPECT_EQ(pData->languageFile(), path("/language/korvane_zh.qm"));
    EXPECT_EQ(pData->mapPath(), path("/map/gaodeMap.html"));
    pData->setCapturePath(path("/pics"));
    pData->setRecordFormat(1);
    pData->setLanguage("German");
    CGlobalAppData::saveAndRelease();

    QSettings settings(path("/Config.ini"), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Paths/capture").toString(), path("/pics"));
    EXPECT_EQ(settings.value("Paths/record").toString(), path("/Backup/Record"));
    EXPECT_EQ(settings.value("Record/Format").toInt(), 1);
    EXPECT_EQ(settings.value("themes/Solution").toString(), "German");
    EXPECT_EQ(settings.value("Map/MapType").toInt(), 1);
    EXPECT_EQ(settings.value("Map/OutChina").toInt(), 0);
    // Read at start, never written: the values in the file stay the user's.
    EXPECT_EQ(settings.value("Info/LogLevel").toInt(), 4);
    EXPECT_EQ(settings.value("themes/License").toInt(), 0);

    CGlobalAppData *pAgain = CGlobalAppData::instance();
    EXPECT_EQ(pAgain->capturePath(), path("/pics"));
    EXPECT_EQ(pAgain->languageFile(), path("/language/korvane_de.qm"));
}

TEST_F(GlobalAppDataTest, CorruptConfigFallsBackToDefaultsAndIsRewritten)
{
    static const char garbage[] = "\x00\xff\xfe[[[garbage\n=\n[Map\nMapType=abc\n";
    writeFile(path("/Config.ini"), QByteArray(garbage, sizeof(garbage) - 1));
    CGlobalAppData *pData = CGlobalAppData::instance();
    EXPECT_EQ(pData->mapType(), 0);
    EXPECT_EQ(pData->language(), "English");
    EXPECT_EQ(pData->recordPath(), path("/Backup/Record"));
    CGlobalAppData::saveAndRelease();
    QSettings settings(path("/Config.ini"), QSettings::IniFormat);
    EXPECT_EQ(settings.value("themes/Solution").toString(), "English");
    EXPECT_EQ(settings.value("Paths/record").toString(), path("/Backup/Record"));
}

TEST_F(GlobalAppDataTest, UnwritableApplicationFolderUsesXdgLocations)
{
    // procfs refuses new files even to root, unlike permission bits.
    ASSERT_FALSE(CGlobalAppData::isFolderWritable("/proc"));
    EXPECT_TRUE(CGlobalAppData::isFolderWritable(m_dir.path()));
    CGlobalAppData::setAppPathOverride("/proc");
    CGlobalAppData *pData = CGlobalAppData::instance();
    const QString strData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString strConfig = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_EQ(pData->appPath(), "/proc");
    EXPECT_EQ(pData->dataPath(), strData);
    EXPECT_EQ(pData->configFilePath(), strConfig + "/Config.ini");
    EXPECT_EQ(pData->logPath(), strData + "/Log");
    EXPECT_TRUE(QDir(strData + "/Backup/Picture").exists());
    EXPECT_TRUE(QDir(strData + "/Backup/Record").exists());
    EXPECT_EQ(pData->mapPath(), "/proc/map/osmMap.html");
    CGlobalAppData::saveAndRelease();
    EXPECT_TRUE(QFile::exists(strConfig + "/Config.ini"));
}

TEST_F(GlobalAppDataTest, LanguageTable)
{
    EXPECT_EQ(CGlobalAppData::languageFileName("SimpChinese"), "/language/korvane_zh.qm");
    EXPECT_EQ(CGlobalAppData::languageFileName("TradChinese"), "/language/korvane_td.qm");
    EXPECT_EQ(CGlobalAppData::languageFileName("Turkish"), "/language/korvane_tr.qm");
    EXPECT_TRUE(CGlobalAppData::languageFileName("English").isEmpty());
    EXPECT_TRUE(CGlobalAppData::languageFileName("Klingon").isEmpty());
    EXPECT_EQ(CGlobalAppData::languageNames().size(), 10);
}

TEST_F(GlobalAppDataTest, VersionAndBuildTexts)
{
    EXPECT_TRUE(CGlobalAppData::instance()->version().startsWith("V"));
    EXPECT_EQ(CGlobalAppData::buildTimeText("Aug  2 2026", "09:05:01"), "2026.08.02 09:05:01");
    EXPECT_EQ(CGlobalAppData::buildTimeText("Dec 24 2025", "23:59:59"), "2025.12.24 23:59:59");
    const QRegularExpression pattern("^\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}$");
    EXPECT_TRUE(pattern.match(CGlobalAppData::instance()->buildTime()).hasMatch());
}

TEST_F(GlobalAppDataTest, MapKeyIsReadFromKeyAndAkLines)
{
    const QString strPage = path("/baidu.html");
    writeFile(strPage, "<html>\n<script src=\"http://api.map.baidu.com/api?v=3.0&ak=AK111&services=1\"></script>\n"
                       "<script src=\"http://x/maps?key=KEY222&sensor=false\"></script>\n</html>");
    QString strKey, strCode;
    ASSERT_TRUE(CGlobalAppData::readMapKey(strPage, 0, strKey, strCode));
    EXPECT_EQ(strKey, "KEY222"); // the last match wins
    EXPECT_TRUE(strCode.isEmpty());

    writeFile(strPage, "<script src=\"http://api.map.baidu.com/api?v=3.0&ak=AK111&services=1\"></script>\n");
    ASSERT_TRUE(CGlobalAppData::readMapKey(strPage, 0, strKey, strCode));
    EXPECT_EQ(strKey, "AK111");
}

TEST_F(GlobalAppDataTest, SecurityCodeOnlyForGaode)
{
    const QString strPage = path("/gaode.html");
    writeFile(strPage, "window._AMapSecurityConfig = { securityJsCode: 'CODE333', };\n"
                       "<script src=\"https://webapi.amap.com/maps?v=2.0&key=GKEY&services=x\"></script>\n");
    QString strKey, strCode;
    ASSERT_TRUE(CGlobalAppData::readMapKey(strPage, 1, strKey, strCode));
    EXPECT_EQ(strKey, "GKEY");
    EXPECT_EQ(strCode, "CODE333");
    ASSERT_TRUE(CGlobalAppData::readMapKey(strPage, 2, strKey, strCode));
    EXPECT_TRUE(strCode.isEmpty());
}

TEST_F(GlobalAppDataTest, InstalledCopyKeepsNothingInItsFolderEvenWhenWritable)
{
    writeFile(path("/INSTALLED"), "installed\n");
    ASSERT_TRUE(CGlobalAppData::isFolderWritable(m_dir.path()));
    CGlobalAppData *pData = CGlobalAppData::instance();
    const QString strData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    EXPECT_EQ(pData->appPath(), m_dir.path());
    EXPECT_EQ(pData->dataPath(), strData);
    EXPECT_EQ(pData->recordPath(), strData + "/Backup/Record");
    CGlobalAppData::saveAndRelease();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList("INSTALLED"));
}

TEST_F(GlobalAppDataTest, InstalledCopyWritesTheMapKeyIntoTheUsersCopyOfThePage)
{
    const QByteArray page = readFile(KORVANE_SOURCE_DIR "/resources/map/googleMap.html");
    ASSERT_FALSE(page.isEmpty());
    writeFile(path("/INSTALLED"), "installed\n");
    writeFile(path("/map/googleMap.html"), page);
    writeFile(path("/map/mapcommon.js"), "// version 2\n");
    const QString strUserMap = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/map";
    QDir(strUserMap).removeRecursively();
    QFile::setPermissions(path("/map/googleMap.html"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    CGlobalAppData *pData = CGlobalAppData::instance();
    EXPECT_EQ(pData->mapPath(), path("/map/osmMap.html")) << "a page without key stays the program's";
    ASSERT_TRUE(pData->setMapSettings(CGlobalAppData::mapGoogle, "USERKEY", QString()));
    EXPECT_EQ(pData->mapPath(), strUserMap + "/googleMap.html");
    EXPECT_EQ(readFile(path("/map/googleMap.html")), page) << "the program's page is left alone";
    EXPECT_EQ(readFile(strUserMap + "/mapcommon.js"), "// version 2\n") << "the script the copy loads";
    EXPECT_TRUE(QFileInfo(strUserMap + "/googleMap.html").isWritable());

    // The next start reads the key from the copy and brings its script up to date.
    CGlobalAppData::saveAndRelease();
    writeFile(path("/map/mapcommon.js"), "// version 3\n");
    pData = CGlobalAppData::instance();
    EXPECT_EQ(pData->mapPath(), strUserMap + "/googleMap.html");
    EXPECT_EQ(pData->mapKey(), "USERKEY");
    EXPECT_EQ(readFile(strUserMap + "/mapcommon.js"), "// version 3\n");
    ASSERT_TRUE(pData->setMapSettings(CGlobalAppData::mapGoogle, "SECOND", QString()));
    QString strKey, strCode;
    CGlobalAppData::readMapKey(strUserMap + "/googleMap.html", CGlobalAppData::mapGoogle, strKey, strCode);
    EXPECT_EQ(strKey, "SECOND");
    QDir(strUserMap).removeRecursively();
}

TEST_F(GlobalAppDataTest, MissingMapPageGivesEmptyKey)
{
    QString strKey = "old", strCode = "old";
    EXPECT_FALSE(CGlobalAppData::readMapKey(path("/none.html"), 1, strKey, strCode));
    EXPECT_TRUE(strKey.isEmpty());
    EXPECT_TRUE(strCode.isEmpty());
    EXPECT_FALSE(CGlobalAppData::writeMapKey(path("/none.html"), 1, "k", "c"));
    EXPECT_FALSE(QFile::exists(path("/none.html")));
}

TEST_F(GlobalAppDataTest, MapKeyRewriteKeepsTheRestOfThePage)
{
    const QString strPage = path("/map/gaodeMap.html");
    writeFile(strPage, "<html>\n  securityJsCode: 'OLDCODE',\n"
                       "<script src=\"https://webapi.amap.com/maps?v=2.0&key=OLDKEY&services=x\"></script>\n"
                       "<script src=\"http://api.map.baidu.com/api?v=3.0&ak=OLDAK&services=1\"></script>\n"
                       "</html>");
    CGlobalAppData *pData = CGlobalAppData::instance();
    ASSERT_TRUE(pData->setMapSettings(1, "NEWKEY", "NEWCODE"));
    EXPECT_EQ(pData->mapPath(), strPage);
    EXPECT_EQ(readFile(strPage),
              QByteArray("<html>\n  securityJsCode: 'NEWCODE',\n"
                         "<script src=\"https://webapi.amap.com/maps?v=2.0&key=NEWKEY&services=x\"></script>\n"
                         "<script src=\"http://api.map.baidu.com/api?v=3.0&ak=NEWKEY&services=1\"></script>\n"
                         "</html>"));
    QString strKey, strCode;
    CGlobalAppData::readMapKey(strPage, 1, strKey, strCode);
    EXPECT_EQ(strKey, "NEWKEY");
    EXPECT_EQ(strCode, "NEWCODE");
}

TEST_F(GlobalAppDataTest, MapKeyRewriteOnBaiduLeavesSecurityLineAlone)
{
    const QString strPage = path("/map/baiduMap.html");
    writeFile(strPage, "securityJsCode: 'KEEP'\n<script src=\"a?v=3.0&ak=A&services=1\"></script>\n");
    ASSERT_TRUE(CGlobalAppData::writeMapKey(strPage, 0, "B", "X"));
    EXPECT_EQ(readFile(strPage), QByteArray("securityJsCode: 'KEEP'\n<script src=\"a?v=3.0&ak=B&services=1\"></script>\n"));
}

TEST_F(GlobalAppDataTest, WindowPathQueues)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->appendWndPaths(0, {"/mnt/idea0/a", "/mnt/idea0/b"});
    pData->appendWndPaths(3, {"/mnt/idea0/c"});
    EXPECT_EQ(pData->takeWndPath(0), "/mnt/idea0/a");
    EXPECT_EQ(pData->wndPathCount(0), 1);
    EXPECT_TRUE(pData->takeWndPath(1).isEmpty());
    pData->clearWndPaths(0);
    EXPECT_TRUE(pData->takeWndPath(0).isEmpty());
    EXPECT_EQ(pData->wndPathCount(3), 1);
    pData->appendWndPaths(5, {"x"});
    pData->clearWndPaths(-1);
    EXPECT_EQ(pData->wndPathCount(3), 0);
    EXPECT_EQ(pData->wndPathCount(5), 0);
}

TEST_F(GlobalAppDataTest, RecordDatesSourcesAndCurrentDate)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    const QDate day(2024, 3, 5);
    pData->addRecordDate(CGlobalAppData::sourceDisk, day);
    EXPECT_TRUE(pData->hasRecordDate(CGlobalAppData::sourceDisk, day));
    EXPECT_FALSE(pData->hasRecordDate(CGlobalAppData::sourceLocal, day));
    pData->clearRecordDates(CGlobalAppData::sourceDisk);
    EXPECT_TRUE(pData->recordDates(CGlobalAppData::sourceDisk).isEmpty());

    QSignalSpy spy(pData, &CGlobalAppData::updateRecord);
    pData->setCurRecordDate(day);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toDate(), day);
    EXPECT_EQ(pData->curRecordDate(), day);

    EXPECT_EQ(pData->slowestWnd(), -1);
    EXPECT_EQ(pData->fastestWnd(), -1);
    pData->setDriveNumbers({0, 3});
    EXPECT_EQ(pData->driveNumber(1), 3);
    EXPECT_EQ(pData->driveNumber(7), 7);
}

} // namespace
