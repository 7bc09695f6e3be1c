// The "Disk" page: on a loader thread it brings up the WFS library over the
// attached recorder disks and lists their recordings; on the interface thread it
// builds the tree disk / partition / date / channel / recording from the batches.
// From the tree the operator plays, plays a day in step and views a disk's space;
// a periodic drive check reloads the tree when disks come or go.
#pragma once

#include <QDate>
#include <QHash>
#include <QIcon>
#include <QMap>
#include <QPair>
#include <QPersistentModelIndex>
#include <QVector>
#include <QWidget>

class CCalendar;
class CMyThread;
class CMyTreeView;
class CWaitFrame;
struct SyncPlayFile;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QToolButton;

class CDiskManagePage : public QWidget
{
    Q_OBJECT
public:
    // Item data of the tree (user roles).
    enum ItemRole {
        RoleKey = Qt::UserRole + 2,     // 258: disk, partition, date text, channel or file name
        RoleLevel = Qt::UserRole + 4,   // 260
        RoleDisk = Qt::UserRole + 5,    // 261
        RolePart = Qt::UserRole + 6,    // 262
        RoleDate = Qt::UserRole + 7,    // 263
        RoleChannel = Qt::UserRole + 8, // 264
    };
    enum ItemLevel { LevelDisk = 0, LevelPart, LevelDate, LevelChannel, LevelRecord };
    enum Command { CmdDiskInfo = 1, CmdExport, CmdPlay, CmdCut, CmdSyncPlay, CmdExportGpsTrack, CmdOpenImage };

    static constexpr int FIRST_LOAD_DELAY_MS = 500;
    static constexpr int DRIVE_CHECK_MS = 10000;
    static constexpr int CLOSE_WAIT_MS = 2000;

    explicit CDiskManagePage(QWidget *parent = nullptr);
    ~CDiskManagePage() override;

    // First load after 500 ms, then a drive check every 10 s.
    void start();
    // Starts a (re)load; refused (false) while one runs.
    bool startLoad();
    bool isLoading() const;
    bool isLoaded() const { return m_bLoaded; }
    int ideNum() const;
    int recordCount() const { return m_nRecordCount; }
    QDate latestRecordDate() const { return m_latestDate; }

    QStandardItemModel *model() const { return m_pModel; }
    CMyTreeView *treeView() const { return m_pTreeView; }
    CCalendar *calendar() const { return m_pCalendar; }
    CWaitFrame *waitFrame() const { return m_pWaitFrame; }
    // Shown in the tree's place while a finished load found nothing to list.
    QWidget *emptyPanel() const { return m_pEmptyPanel; }
    QLabel *emptyText() const { return m_pEmptyText; }
    QPushButton *openImageButton() const { return m_pOpenImageButton; }
    QModelIndex currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(const QModelIndex &index) { m_currentIndex = index; }

    // The "/mnt/ide" path of a recording item; empty for other items.
    static QString recordPath(const QModelIndex &index);
    // The space report of one disk, as "Disk Info" shows it.
    static QString diskInfoText(int nDisk);
    // The menu of an item, or none (partitions); the caller owns it.
    QMenu *createContextMenu(const QModelIndex &index);
    // The menu of the tree's empty area ("Open Disk Image..."); the caller owns it.
    QMenu *createEmptyAreaMenu();
    // Why the tree is empty: no WFS disk (or disks without recordings of the chosen stream),
    // devices that cannot be read, images that were skipped, and how to open an image.
    static QString emptyTreeText(int nIdeNum, const QStringList &unreadableDevices, const QStringList &skippedImages);
    // Checks an image file, adds it to the images of the settings and reloads; a file that
    // cannot be used is reported and not added. False then.
    bool openDiskImage(const QString &strPath);

signals:
    void calenderClicked();
    void playRecord(QString strFilePath, bool bSync);
    void playRecord(QString strFilePath);
    void selectVideoWnd(QString strFileName);
    void changeWndMode(int nMode);
    void syncPlay(int nStartSecond);
    void diskChanged();
    void enabledControl(bool bEnabled);
    void appendNewRecord(QVector<QPair<QString, QString>> arr, int count);

public slots:
    void onCalenderClicked();
    void onRecordTreeClicked(QModelIndex index);
    void onRecordTreeDoubleClicked(QModelIndex index);
    void onRecordTreeRightClicked(QModelIndex index);
    void onCommand(QAction *pAction);
    void onPlayRecordResponse();
    void onDateChanged(QDate date);
    void onSelectRecord(QString strFilePath);
    void onExportFile();
    void onCutFile();
    void onSyncPlay();
    // The current recording's GPS positions as a GPX file.
    void onExportGpsTrack();
    void onShowDiskInfo();
    void onAppendNewRecord(QVector<QPair<QString, QString>> arr, int count);
    void onEnabledControl(bool bEnabled);
    void onOpenDiskImage();
    void onDiskImagesChanged();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    struct LoadContext;

    static void loadThread(void *pContext);
    void createLayout();
    void connectSignals();
    void stopLoader();
    void updateEmptyText();
    void noticeSkippedCommandLineImages();
    // Each image that is not a readable WFS disk image, as "path: what is wrong".
    static QStringList skippedImages(const QStringList &images);
    void onTreeContextMenu(const QPoint &pos);
    void clearTree();
    void addRecord(const QPair<QString, QString> &record);
    QStandardItem *diskItem(int nDisk);
    QStandardItem *partItem(int nDisk, int nPart);
    QStandardItem *dateItem(int nDisk, int nPart, const QDate &date);
    QStandardItem *channelItem(int nDisk, int nPart, const QDate &date, int nChannel);
    QStandardItem *newItem(const QString &strText, const QIcon &icon, int nLevel, const QVariant &key);
    void openExportDialog(int nTab);
    static QVector<SyncPlayFile> dayFiles(QStandardItem *pDate);

    CMyTreeView *m_pTreeView = nullptr;
    QStandardItemModel *m_pModel = nullptr;
    CWaitFrame *m_pWaitFrame = nullptr;
    QWidget *m_pEmptyPanel = nullptr;
    QLabel *m_pEmptyText = nullptr;
    QPushButton *m_pOpenImageButton = nullptr;
    QToolButton *m_pCalendarButton = nullptr;
    CCalendar *m_pCalendar = nullptr;
    QIcon m_diskIcon;
    QIcon m_dirIcon;
    QIcon m_fileIcon;

    CMyThread *m_pThread = nullptr;
    LoadContext *m_pLoad = nullptr;
    bool m_bLoaded = false;
    bool m_bCommandLineNoticed = false;
    bool m_bAwaitingEndMark = false;
    bool m_bReloadPending = false; // the disks to offer changed during a load
    int m_nRecordCount = 0;
    int m_nTimerId = 0;
    QPersistentModelIndex m_currentIndex;
    QDate m_latestDate;
    bool m_bNewDates = false;

    QMap<int, QStandardItem *> m_diskItems;
    QMap<QPair<int, int>, QStandardItem *> m_partItems;
    QHash<QString, QStandardItem *> m_dateItems;
    QHash<QString, QStandardItem *> m_channelItems;
};
