// The process-wide settings and shared state: "Config.ini", folders, language,
// map page and key, version texts, the per-window path queues, the disk read
// lock, record dates, the current source and date, and the sync pacing windows.
// Qt Core only, so tools and tests can use it without widgets.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>

class CGlobalAppData : public QObject
{
    Q_OBJECT
public:
    enum RecordSource { sourceDisk = 0, sourceLocal = 1 };
    // Map types of the settings; any other value shows the Google page.
    enum MapType { mapBaidu = 0, mapGaode = 1, mapGoogle = 2, mapOpenStreetMap = 3 };

    // The single object, created and loaded on first use.
    static CGlobalAppData *instance();
    // Writes the settings kept at exit and destroys the object; a later instance() loads anew.
    static void saveAndRelease();
    // Before the first instance(): the application folder to use instead of the executable's
    // (tools and tests); empty restores the default.
    static void setAppPathOverride(const QString &strAppPath);
    static QString appPathOverride();
    // Text in the local 8-bit encoding, logged as a debug message (the WFS library's channel).
    static void printDebugInfo(const char *pText);

    // Folders. Resources (skin, language, map, copyright, license) are read from the
    // application folder; settings, logs and the Backup folders live beside it when it is
    // writable and not an installed copy, otherwise in the user's XDG configuration and data folders.
    QString appPath() const { return m_strAppPath; }
    QString dataPath() const { return m_strDataPath; }
    QString configFilePath() const { return m_strConfigFile; }
    QString logPath() const { return m_strDataPath + "/Log"; }
    static bool isFolderWritable(const QString &strPath);
    // An installed copy has this file beside its executable and keeps nothing in its folder,
    // even when its user may write there (root).
    static constexpr const char *installedMarker = "INSTALLED";
    static bool isInstalledCopy(const QString &strAppPath);

    QString capturePath() const { return m_strCapturePath; }
    void setCapturePath(const QString &strPath);
    QString recordPath() const { return m_strRecordPath; }
    void setRecordPath(const QString &strPath);
    int recordFormat() const { return m_nRecordFormat; }
    void setRecordFormat(int nFormat) { m_nRecordFormat = nFormat; }

    QString language() const { return m_strLanguage; }
    void setLanguage(const QString &strLanguage);
    // Full path of the translation file, empty for English and unknown names.
    QString languageFile() const { return m_strLanguageFile; }
    static QString languageFileName(const QString &strLanguage);
    static QStringList languageNames();

    int license() const { return m_nLicense; }
    int logLevel() const { return m_nLogLevel; }

    int mapType() const { return m_nMapType; }
    int outChina() const { return m_nOutChina; }
    void setOutChina(int nOutChina) { m_nOutChina = nOutChina; }
    QString mapPath() const { return m_strMapPath; }
    QString mapKey() const { return m_strMapKey; }
    QString securityCode() const { return m_strSecurityCode; }
    // Stores the map settings, chooses the page of the type and rewrites key and code in it.
    // When settings live apart from the program folder, the keyed page is the user's copy in
    // dataPath()/map, made on the first key written; a page without key stays the program's.
    bool setMapSettings(int nMapType, const QString &strMapKey, const QString &strSecurityCode);
    static QString mapPageName(int nMapType);
    // The OpenStreetMap page needs no key; the service pages do.
    static bool mapTypeNeedsKey(int nMapType) { return nMapType != mapOpenStreetMap; }
    // The map page can be shown: its type needs no key, or the key is set.
    bool hasMapPage() const { return !mapTypeNeedsKey(m_nMapType) || !m_strMapKey.isEmpty(); }
    // Key and security code as found in a map page; false when the page cannot be read.
    static bool readMapKey(const QString &strPagePath, int nMapType, QString &strKey, QString &strSecurityCode);
    static bool writeMapKey(const QString &strPagePath, int nMapType, const QString &strKey,
                            const QString &strSecurityCode);

    // Disk image files offered to the disk layer: those of the command line ("--image"), then
    // those of the settings ("Disk/Images"). Images of the settings that cannot be read are
    // left out, never opened for writing.
    QStringList diskImages() const { return m_diskImages; }
    // Stores the list; when it changed, offers the images to the disk layer and emits diskImagesChanged.
    void setDiskImages(const QStringList &images);
    // Adds an image to the list of the settings (nothing when it is listed already).
    void addDiskImage(const QString &strPath);
    void setCommandLineImages(const QStringList &images) { m_commandLineImages = images; }
    QStringList commandLineImages() const { return m_commandLineImages; }
    void setScanDevices(bool bScan) { m_bScanDevices = bScan; }
    bool scanDevices() const { return m_bScanDevices; }
    // The images the disk layer is given, in order, each once.
    QStringList offeredImages() const;
    // Hands offeredImages() and the device choice to the disk layer.
    void applyDiskImages() const;

    // The main window's size and the width of its record list, as last left ("Window/...").
    QSize windowSize() const { return m_windowSize; }
    void setWindowSize(const QSize &size) { m_windowSize = size; }
    bool windowMaximized() const { return m_bWindowMaximized; }
    void setWindowMaximized(bool bMaximized) { m_bWindowMaximized = bMaximized; }
    int recordListWidth() const { return m_nRecordListWidth; }
    void setRecordListWidth(int nWidth) { m_nRecordListWidth = nWidth; }
    // Whether playing windows show their channel and date-time in a corner.
    bool windowLabels() const { return m_bWindowLabels; }
    void setWindowLabels(bool bOn) { m_bWindowLabels = bOn; }

    QString version() const { return m_strVersion; }
    QString buildTime() const { return m_strBuildTime; }
    // The same texts without settings, for --version: "V" + version, and the build date and time.
    static QString versionText();
    static QString buildText();
    // "yyyy.MM.dd hh:mm:ss" from compiler texts such as "Aug  2 2026" and "09:05:01".
    static QString buildTimeText(const QString &strDate, const QString &strTime);

    // Per-window recording path queues (window = playback port 0..15).
    void appendWndPaths(int nWnd, const QStringList &paths);
    QString takeWndPath(int nWnd);
    void clearWndPaths(int nWnd); // -1 clears every queue
    int wndPathCount(int nWnd);
    QMutex &wndPathMutex() { return m_wndPathMutex; }

    // Held around every read of a recording; released before output is written.
    QMutex &diskReadMutex() { return m_diskReadMutex; }
    // Readers waiting for that lock (see CDiskReadLocker).
    std::atomic<int> &diskReadWaiters() { return m_nDiskReadWaiters; }

    // Physical drive number of each disk index, for the label "PhysicalDrive%1".
    void setDriveNumbers(const QVector<int> &driveNumbers) { m_driveNumbers = driveNumbers; }
    // Fills the drive numbers of the first nIdeNum disks from the disk layer.
    void updateDriveNumbers(int nIdeNum);
    int driveNumber(int nDisk) const; // the disk index itself when unknown

    // Days that hold recordings, one set per source (disk page, local page).
    void addRecordDate(int nSource, const QDate &date);
    bool hasRecordDate(int nSource, const QDate &date) const;
    void clearRecordDates(int nSource);
    const QSet<QDate> &recordDates(int nSource) const;

    int curSource() const { return m_nCurSource; }
    void setCurSource(int nSource) { m_nCurSource = nSource; }
    QDate curRecordDate() const { return m_curRecordDate; }
    void setCurRecordDate(const QDate &date); // emits updateRecord

    // Synchronised windows held back or ahead by the pacing timer, -1 = none.
    int slowestWnd() const { return m_nSlowestWnd; }
    void setSlowestWnd(int nWnd) { m_nSlowestWnd = nWnd; }
    int fastestWnd() const { return m_nFastestWnd; }
    void setFastestWnd(int nWnd) { m_nFastestWnd = nWnd; }

    void loadSettings();
    void saveSettings() const;

signals:
    void updateRecord(QDate date);
    void updateStopStatus();
    void refreshPlay();
    void showConfig();
    void diskImagesChanged();

private:
    CGlobalAppData();
    ~CGlobalAppData() override;
    void choosePaths();
    void fillDefaultFolders();
    void updateMapPath();
    bool useUserMapPage();
    void copyMapScript() const;

    QString m_strAppPath;
    QString m_strDataPath;
    QString m_strConfigFile;
    QString m_strCapturePath;
    QString m_strRecordPath;
    int m_nRecordFormat = 0;
    QString m_strLanguage;
    QString m_strLanguageFile;
    int m_nLicense = 1;
    int m_nLogLevel = 0;
    int m_nMapType = mapOpenStreetMap;
    int m_nOutChina = 1;
    QString m_strMapPath;
    QString m_strMapKey;
    QString m_strSecurityCode;
    QString m_strVersion;
    QString m_strBuildTime;
    QStringList m_diskImages;
    QStringList m_commandLineImages;
    bool m_bScanDevices = true;
    QSize m_windowSize;
    bool m_bWindowMaximized = false;
    int m_nRecordListWidth = 0;
    bool m_bWindowLabels = true;

    QMutex m_wndPathMutex;
    QMap<int, QStringList> m_wndPaths;
    QMutex m_diskReadMutex;
    std::atomic<int> m_nDiskReadWaiters{0};
    QVector<int> m_driveNumbers;
    QSet<QDate> m_diskRecordDates;
    QSet<QDate> m_localRecordDates;
    int m_nCurSource = sourceDisk;
    QDate m_curRecordDate;
    std::atomic<int> m_nSlowestWnd{-1};
    std::atomic<int> m_nFastestWnd{-1};
};
