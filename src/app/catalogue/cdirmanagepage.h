// The "Local" page: recordings an earlier export wrote into a folder on the computer,
// found only through that folder's "index.data", in the same disk / partition / date /
// channel / file tree as the Disk page. From the tree the operator plays a copy, plays
// a day's channels in step from a chosen file, or cuts a piece out of one.
#pragma once

#include <QDate>
#include <QIcon>
#include <QMap>
#include <QMutex>
#include <QPersistentModelIndex>
#include <QWidget>

class CCalendar;
class CMyTreeView;
class QAction;
class QMenu;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QToolButton;

class CDirManagePage : public QWidget
{
    Q_OBJECT
public:
    enum ItemLevel { LevelFolder = 0, LevelPart, LevelDate, LevelChannel, LevelFile };
    enum Command { CmdCut = 2, CmdPlay = 3, CmdSyncPlay = 4, CmdExportGpsTrack };

    explicit CDirManagePage(QWidget *parent = nullptr);

    // Loads a folder as "Add Local Record" does after its chooser; false with a notice when nothing is listed.
    bool loadFolder(const QString &strFolder);
    // The relative paths of an index file that follow the export layout and name a file
    // inside the folder, sorted, each once.

    QString rootPath() const { return m_strRootPath; }
    bool isLoaded() const { return m_bLoaded; }
    QStandardItemModel *model() const { return m_pModel; }
    CMyTreeView *treeView() const { return m_pTreeView; }
    CCalendar *calendar() const { return m_pCalendar; }
    QPushButton *addButton() const { return m_pAddButton; }
    QModelIndex currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(const QModelIndex &index) { m_currentIndex = index; }
    // The local path of a file item; empty for other items.
    static QString localPath(const QModelIndex &index);
    // The menu of an item, or none; the caller owns it.
    QMenu *createContextMenu(const QModelIndex &index);

signals:
    void playRecord(QString strFilePath, bool bSync = false);
    void selectVideoWnd(QString strFileName);
    void changeWndMode(int nMode);
    void syncPlay(int nStartSecond);

public slots:
    void onCalenderClicked();
    void onRecordTreeClicked(QModelIndex index);
    void onRecordTreeDoubleClicked(QModelIndex index);
    void onRecordTreeRightClicked(QModelIndex index);
    void onCommand(QAction *pAction);
    void onPlayRecordResponse();
    void onDateChanged(QDate date);
    void onSelectRecord(QString strFilePath);
    void onAddLocalDir();
    void LoadRecordByRecordPath(QString strPath);
    void onCutFile();
    void onSyncPlay();
    void onExportGpsTrack();

private:
    void createLayout();
    void clear();
    QStandardItem *newItem(const QString &strText, const QIcon &icon, int nLevel, const QVariant &key);
    QStandardItem *childWithKey(QStandardItem *pParent, int nLevel, const QVariant &key) const;
    QStandardItem *folderItem();
    void addFile(const QString &strRelative, QDate &previousDate);
    QList<QStandardItem *> itemsOfLevel(int nLevel) const;

    QString m_strRootPath;
    QMap<QString, QString> m_records; // relative path -> relative path, sorted
    QMutex m_mutex;
    bool m_bLoaded = false;
    QDate m_latestDate;
    QPersistentModelIndex m_currentIndex;

    QPushButton *m_pAddButton = nullptr;
    CMyTreeView *m_pTreeView = nullptr;
    QStandardItemModel *m_pModel = nullptr;
    QToolButton *m_pCalendarButton = nullptr;
    CCalendar *m_pCalendar = nullptr;
    QIcon m_diskIcon;
    QIcon m_dirIcon;
    QIcon m_fileIcon;
};
