#include "cglobalappdata.h"

#include "common/cdiskimage.h"
#include "common/cfsfile.h"
#include "wfs_device.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTextStream>

#include <vector>

#ifndef KORVANE_VERSION
#define KORVANE_VERSION "0.0.0"
#endif

namespace {

CGlobalAppData *g_instance = nullptr;
QString g_appPathOverride;

const char *const keyCapture = "Paths/capture";
const char *const keyRecord = "Paths/record";
const char *const keyFormat = "Record/Format";
const char *const keyLanguage = "themes/Solution";
const char *const keyLicense = "themes/License";
const char *const keyLogLevel = "Info/LogLevel";
const char *const keyMapType = "Map/MapType";
const char *const keyOutChina = "Map/OutChina";
const char *const keyDiskImages = "Disk/Images";
const char *const keyWindowSize = "Window/Size";
const char *const keyWindowMaximized = "Window/Maximized";
const char *const keyRecordListWidth = "Window/RecordListWidth";
const char *const keyWindowLabels = "Window/Labels";
const char *const mapScript = "/map/mapcommon.js";

QString readText(const QString &strPath, bool &bOk)
{
    QFile file(strPath);
    bOk = file.open(QIODevice::ReadOnly | QIODevice::Text);
    return bOk ? QString::fromUtf8(file.readAll()) : QString();
}

// Text between the first single quote of a line and the next one.
QString quoted(const QString &strLine, int &nStart, int &nEnd)
{
    nStart = strLine.indexOf('\'');
    nEnd = nStart < 0 ? -1 : strLine.indexOf('\'', nStart + 1);
    return nEnd < 0 ? QString() : strLine.mid(nStart + 1, nEnd - nStart - 1);
}

// A line with the key after "key=" or "ak=" (at position >= 1) rewritten; the line itself otherwise.
bool replaceKey(QString &strLine, const QString &strKey)
{
    for (const QString &strTag : {QStringLiteral("key="), QStringLiteral("ak=")}) {
        const int nPos = strLine.indexOf(strTag);
        if (nPos < 1)
            continue;
        const int nSe = strLine.indexOf("&se");
        strLine = strLine.left(nPos) + strTag + strKey + (nSe < 0 ? QString() : strLine.mid(nSe));
        return true;
    }
    return false;
}

} // namespace

CGlobalAppData *CGlobalAppData::instance()
{
    if (!g_instance) {
        g_instance = new CGlobalAppData;
        g_instance->loadSettings();
    }
    return g_instance;
}

void CGlobalAppData::saveAndRelease()
{
    if (!g_instance)
        return;
    g_instance->saveSettings();
    delete g_instance;
    g_instance = nullptr;
}

void CGlobalAppData::setAppPathOverride(const QString &strAppPath)
{
    g_appPathOverride = strAppPath;
}

QString CGlobalAppData::appPathOverride()
{
    return g_appPathOverride;
}

void CGlobalAppData::printDebugInfo(const char *pText)
{
    qDebug().noquote() << QString::fromLocal8Bit(pText).trimmed();
}

CGlobalAppData::CGlobalAppData()
{
    choosePaths();
}

CGlobalAppData::~CGlobalAppData() = default;

bool CGlobalAppData::isFolderWritable(const QString &strPath)
{
    // A real probe: permission bits say nothing for root or read-only mounts.
    QTemporaryFile probe(strPath + "/.korvane-write-probe-XXXXXX");
    return QFileInfo(strPath).isDir() && probe.open();
}

bool CGlobalAppData::isInstalledCopy(const QString &strAppPath)
{
    return QFileInfo::exists(strAppPath + "/" + installedMarker);
}

void CGlobalAppData::choosePaths()
{
    m_strAppPath = g_appPathOverride.isEmpty() ? QCoreApplication::applicationDirPath() : g_appPathOverride;
    if (!isInstalledCopy(m_strAppPath) && isFolderWritable(m_strAppPath)) {
        m_strDataPath = m_strAppPath;
        m_strConfigFile = m_strAppPath + "/Config.ini";
        return;
    }
    m_strDataPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString strConfigDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(m_strDataPath);
    QDir().mkpath(strConfigDir);
    m_strConfigFile = strConfigDir + "/Config.ini";
}

void CGlobalAppData::loadSettings()
{
    QSettings settings(m_strConfigFile, QSettings::IniFormat);
    m_strCapturePath = settings.value(keyCapture, QString()).toString();
    m_strRecordPath = settings.value(keyRecord, QString()).toString();
    m_nRecordFormat = settings.value(keyFormat, 0).toInt();
    m_strLanguage = settings.value(keyLanguage, "English").toString();
    m_nLicense = settings.value(keyLicense, 1).toInt();
    m_nLogLevel = settings.value(keyLogLevel, 0).toInt();
    // Without a stored choice the map that needs no key and no network.
    m_nMapType = settings.value(keyMapType, int(mapOpenStreetMap)).toInt();
    m_nOutChina = settings.value(keyOutChina, 1).toInt();
    m_diskImages = settings.value(keyDiskImages, QStringList()).toStringList();
    m_diskImages.removeAll(QString());
    m_windowSize = settings.value(keyWindowSize, QSize()).toSize();
    m_bWindowMaximized = settings.value(keyWindowMaximized, false).toBool();
    m_nRecordListWidth = settings.value(keyRecordListWidth, 0).toInt();
    m_bWindowLabels = settings.value(keyWindowLabels, true).toBool();
    if (settings.status() != QSettings::NoError)
        qWarning() << "Config.ini could not be read completely, defaults used:" << m_strConfigFile;

    m_strVersion = versionText();
    m_strBuildTime = buildText();
    updateMapPath();
    readMapKey(m_strMapPath, m_nMapType, m_strMapKey, m_strSecurityCode);
    fillDefaultFolders();
    setLanguage(m_strLanguage);
}

void CGlobalAppData::saveSettings() const
{
    QDir().mkpath(QFileInfo(m_strConfigFile).absolutePath());
    QSettings settings(m_strConfigFile, QSettings::IniFormat);
    settings.setValue(keyCapture, m_strCapturePath);
    settings.setValue(keyRecord, m_strRecordPath);
    settings.setValue(keyFormat, m_nRecordFormat);
    settings.setValue(keyLanguage, m_strLanguage);
    settings.setValue(keyMapType, m_nMapType);
    settings.setValue(keyOutChina, m_nOutChina);
    settings.setValue(keyDiskImages, m_diskImages);
    if (m_windowSize.isValid())
        settings.setValue(keyWindowSize, m_windowSize);
    settings.setValue(keyWindowMaximized, m_bWindowMaximized);
    if (m_nRecordListWidth > 0)
        settings.setValue(keyRecordListWidth, m_nRecordListWidth);
    settings.setValue(keyWindowLabels, m_bWindowLabels);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning() << "Config.ini could not be written:" << m_strConfigFile;
}

void CGlobalAppData::fillDefaultFolders()
{
    if (m_strCapturePath.isEmpty())
        m_strCapturePath = m_strDataPath + "/Backup/Picture";
    if (m_strRecordPath.isEmpty())
        m_strRecordPath = m_strDataPath + "/Backup/Record";
    for (const QString &strPath : {m_strCapturePath, m_strRecordPath}) {
        if (!QDir().mkpath(strPath))
            qWarning() << "Cannot create folder" << strPath;
    }
}

void CGlobalAppData::setCapturePath(const QString &strPath)
{
    m_strCapturePath = strPath;
}

void CGlobalAppData::setRecordPath(const QString &strPath)
{
    m_strRecordPath = strPath;
}

QStringList CGlobalAppData::languageNames()
{
    return {"English", "SimpChinese", "TradChinese", "Russian", "Turkish",
            "Arabic", "Japanese", "Spanish", "German", "Portuguese"};
}

QString CGlobalAppData::languageFileName(const QString &strLanguage)
{
    static const QMap<QString, QString> files = {
        {"SimpChinese", "/language/korvane_zh.qm"}, {"TradChinese", "/language/korvane_td.qm"},
        {"Russian", "/language/korvane_ru.qm"},     {"Arabic", "/language/korvane_ar.qm"},
        {"Portuguese", "/language/korvane_pt.qm"},  {"Spanish", "/language/korvane_es.qm"},
        {"Japanese", "/language/korvane_ja.qm"},    {"German", "/language/korvane_de.qm"},
        {"Turkish", "/language/korvane_tr.qm"},
    };
    return files.value(strLanguage);
}

void CGlobalAppData::setLanguage(const QString &strLanguage)
{
    m_strLanguage = strLanguage;
    const QString strFile = languageFileName(strLanguage);
    m_strLanguageFile = strFile.isEmpty() ? QString() : m_strAppPath + strFile;
}

void CGlobalAppData::setDiskImages(const QStringList &images)
{
    if (images == m_diskImages)
        return;
    m_diskImages = images;
    applyDiskImages();
    emit diskImagesChanged();
}

void CGlobalAppData::addDiskImage(const QString &strPath)
{
    const QString strImage = QFileInfo(strPath).absoluteFilePath();
    if (!m_diskImages.contains(strImage))
        setDiskImages(m_diskImages + QStringList(strImage));
}

QStringList CGlobalAppData::offeredImages() const
{
    QStringList offered;
    for (const QString &strImage : m_commandLineImages)
        if (!offered.contains(strImage)) offered << strImage;
    for (const QString &strImage : m_diskImages) {
        if (offered.contains(strImage)) continue;
        const CDiskImage::Problem problem = CDiskImage::check(strImage);
        if (CDiskImage::isReadable(problem))
            offered << strImage;
        else
            qWarning().noquote() << "Disk image skipped:" << strImage << "-" << CDiskImage::problemText(problem);
    }
    return offered;
}

void CGlobalAppData::applyDiskImages() const
{
    const QStringList images = offeredImages();
    std::vector<QByteArray> paths;
    std::vector<const char *> pointers;
    for (const QString &strImage : images)
        paths.push_back(QFile::encodeName(strImage));
    for (const QByteArray &path : paths)
        pointers.push_back(path.constData());
    // The disk loader reads the list while it holds the file lock.
    QMutexLocker locker(&CFSFile::Lock());
    ide_set_images(pointers.data(), int(pointers.size()));
    ide_set_scan_devices(m_bScanDevices);
}

QString CGlobalAppData::mapPageName(int nMapType)
{
    switch (nMapType) {
    case 0: return "/map/baiduMap.html";
    case 1: return "/map/gaodeMap.html";
    case 3: return "/map/osmMap.html";
    default: return "/map/googleMap.html";
    }
}

void CGlobalAppData::updateMapPath()
{
    const QString strName = mapPageName(m_nMapType);
    m_strMapPath = m_strAppPath + strName;
    if (m_strDataPath != m_strAppPath && QFileInfo::exists(m_strDataPath + strName)) {
        m_strMapPath = m_strDataPath + strName;
        copyMapScript(); // the page's script as this version of the program has it
    }
}

void CGlobalAppData::copyMapScript() const
{
    QFile::remove(m_strDataPath + mapScript);
    if (!QFile::copy(m_strAppPath + mapScript, m_strDataPath + mapScript))
        qWarning() << "Cannot copy the map script to" << m_strDataPath + mapScript;
}

bool CGlobalAppData::useUserMapPage()
{
    if (m_strDataPath == m_strAppPath || m_strMapPath.startsWith(m_strDataPath + "/")) return true;
    const QString strPage = m_strDataPath + mapPageName(m_nMapType);
    QDir().mkpath(m_strDataPath + "/map");
    if (!QFile::copy(m_strMapPath, strPage)) return false;
    // The copy of an installed page must stay writable by its user.
    QFile::setPermissions(strPage, QFile::permissions(strPage) | QFile::WriteOwner);
    m_strMapPath = strPage;
    copyMapScript();
    return true;
}

bool CGlobalAppData::setMapSettings(int nMapType, const QString &strMapKey, const QString &strSecurityCode)
{
    m_nMapType = nMapType;
    m_strMapKey = strMapKey;
    m_strSecurityCode = strSecurityCode;
    updateMapPath();
    if (!mapTypeNeedsKey(m_nMapType)) return true; // its page has no key to write
    // The program's folder is not the user's to change: the key goes into the user's copy of the page.
    const bool bOk = useUserMapPage() && writeMapKey(m_strMapPath, m_nMapType, m_strMapKey, m_strSecurityCode);
    if (!bOk)
        qWarning() << "Cannot write the map key into" << m_strMapPath;
    return bOk;
}

bool CGlobalAppData::readMapKey(const QString &strPagePath, int nMapType, QString &strKey,
                                QString &strSecurityCode)
{
    strKey.clear();
    strSecurityCode.clear();
    bool bOk = false;
    const QStringList lines = readText(strPagePath, bOk).split("\n");
    for (const QString &strLine : lines) {
        int nPos = strLine.indexOf("key=");
        if (nPos < 1)
            nPos = strLine.indexOf("&ak=");
        if (nPos >= 0)
            strKey = strLine.mid(nPos + 4, strLine.indexOf("&se") - nPos - 4);
        if (nMapType == 1 && strLine.contains("securityJsCode")) {
            int nStart = 0, nEnd = 0;
            strSecurityCode = quoted(strLine, nStart, nEnd);
        }
    }
    return bOk;
}

bool CGlobalAppData::writeMapKey(const QString &strPagePath, int nMapType, const QString &strKey,
                                 const QString &strSecurityCode)
{
    bool bOk = false;
    const QStringList lines = readText(strPagePath, bOk).split("\n");
    if (!bOk)
        return false;
    QString strOut;
    for (int i = 0; i < lines.size(); ++i) {
        QString strLine = lines[i];
        bool bChanged = replaceKey(strLine, strKey);
        int nStart = 0, nEnd = 0;
        if (!bChanged && nMapType == 1 && strLine.contains("securityJsCode")) {
            quoted(strLine, nStart, nEnd);
            if (nEnd > nStart) {
                strLine = strLine.left(nStart + 1) + strSecurityCode + strLine.mid(nEnd);
                bChanged = true;
            }
        }
        strOut += strLine;
        if (bChanged || i + 1 < lines.size())
            strOut += "\n";
    }
    QFile file(strPagePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    return file.write(strOut.toUtf8()) >= 0;
}

QString CGlobalAppData::versionText()
{
    const QString strVersion = QCoreApplication::applicationVersion();
    return "V" + (strVersion.isEmpty() ? QStringLiteral(KORVANE_VERSION) : strVersion);
}

QString CGlobalAppData::buildText()
{
    return buildTimeText(__DATE__, __TIME__);
}

QString CGlobalAppData::buildTimeText(const QString &strDate, const QString &strTime)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QString strDay = strDate;
    strDay.replace("  ", " 0");
    const QDate date = english.toDate(strDay, "MMM dd yyyy");
    const QTime time = QTime::fromString(strTime, "hh:mm:ss");
    return QString("%1 %2").arg(date.toString("yyyy.MM.dd"), time.toString("hh:mm:ss"));
}

void CGlobalAppData::appendWndPaths(int nWnd, const QStringList &paths)
{
    QMutexLocker locker(&m_wndPathMutex);
    m_wndPaths[nWnd] += paths;
}

QString CGlobalAppData::takeWndPath(int nWnd)
{
    QMutexLocker locker(&m_wndPathMutex);
    auto it = m_wndPaths.find(nWnd);
    return it == m_wndPaths.end() || it->isEmpty() ? QString() : it->takeFirst();
}

void CGlobalAppData::clearWndPaths(int nWnd)
{
    QMutexLocker locker(&m_wndPathMutex);
    if (nWnd == -1)
        m_wndPaths.clear();
    else
        m_wndPaths.remove(nWnd);
}

int CGlobalAppData::wndPathCount(int nWnd)
{
    QMutexLocker locker(&m_wndPathMutex);
    return m_wndPaths.value(nWnd).size();
}

void CGlobalAppData::updateDriveNumbers(int nIdeNum)
{
    m_driveNumbers.clear();
    for (int nDisk = 0; nDisk < nIdeNum; ++nDisk)
        m_driveNumbers.append(ide_get_drive_number(nDisk));
}

int CGlobalAppData::driveNumber(int nDisk) const
{
    return nDisk >= 0 && nDisk < m_driveNumbers.size() ? m_driveNumbers[nDisk] : nDisk;
}

void CGlobalAppData::addRecordDate(int nSource, const QDate &date)
{
    (nSource == sourceDisk ? m_diskRecordDates : m_localRecordDates).insert(date);
}

bool CGlobalAppData::hasRecordDate(int nSource, const QDate &date) const
{
    return recordDates(nSource).contains(date);
}

void CGlobalAppData::clearRecordDates(int nSource)
{
    (nSource == sourceDisk ? m_diskRecordDates : m_localRecordDates).clear();
}

const QSet<QDate> &CGlobalAppData::recordDates(int nSource) const
{
    return nSource == sourceDisk ? m_diskRecordDates : m_localRecordDates;
}

void CGlobalAppData::setCurRecordDate(const QDate &date)
{
    m_curRecordDate = date;
    emit updateRecord(date);
}
