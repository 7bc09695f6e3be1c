#include "cdiskmanagepage.h"

#include "calendar/ccalendar.h"
#include "catalogue/cdiskprobe.h"
#include "catalogue/crecordloader.h"
#include "common/crecordname.h"
#include "catalogue/csyncplayplan.h"
#include "common/cdiskimage.h"
#include "common/cfsfile.h"
#include "common/cdiskreadlocker.h"
#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "export/cexportdialog.h"
#include "map/cgpstrackexport.h"
#include "widgets/cmessagebox.h"
#include "widgets/cmytreeview.h"
#include "widgets/cwaitframe.h"
#include "widgets/fancymessagebox.h"

#include "wfs.h"
#include "wfs_device.h"
#include "wfs_stream.h"
#include "wfs_volume.h"

#include <QCursor>
#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMutex>
#include <QMutexLocker>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <atomic>
#include <cstdio>

// What the loader thread shares with the page. The page may go while a load still
// runs: it then detaches, and the thread reaches no page any more.
struct CDiskManagePage::LoadContext {
    std::atomic<bool> idle{true}; // no load runs; set, it also stops the loader's loops
    std::atomic<int> ideNum{0};
    int recordFormat = 0;
    QMutex pageMutex;
    CDiskManagePage *page = nullptr;

    template <typename F> void toPage(F f)
    {
        QMutexLocker locker(&pageMutex);
        if (page) f(page);
    }
};

namespace {
const int PARTITIONS = 4;
const int STANDBY_MINUTES = 10;
const uint32_t FILE_TIME_LIMIT = 86400;
const int CALENDAR_HEIGHT = 190;
const int CALENDAR_BUTTON_HEIGHT = 20;
const int AUTO_EXPAND_DELAY_MS = 800;

QString dateText(const QDate &date)
{
    return date.toString("yyyy-MM-dd");
}

QString dateKey(int nDisk, int nPart, const QDate &date)
{
    return QString("%1-%2-%3").arg(nDisk).arg(nPart).arg(dateText(date));
}

QString hhmmss(int nSeconds)
{
    return QString::asprintf("%02d%02d%02d", nSeconds / 3600, nSeconds / 60 % 60, nSeconds % 60);
}

void bringUpLibrary()
{
    wfs_bring_up(STANDBY_MINUTES, FILE_TIME_LIMIT);
    wfs_register_stream_ops();
}
} // namespace

CDiskManagePage::CDiskManagePage(QWidget *parent)
    : QWidget(parent), m_pLoad(new LoadContext)
{
    qRegisterMetaType<QVector<QPair<QString, QString>>>("QVector<QPair<QString, QString>>");
    m_pLoad->page = this;
    m_pThread = new CMyThread(&CDiskManagePage::loadThread, m_pLoad);

    const QString icons = CGlobalAppData::instance()->appPath() + "/skin/icons/";
    m_diskIcon = QIcon(icons + "Disk.png");
    m_dirIcon = QIcon(icons + "Dir.png");
    m_fileIcon = QIcon(icons + "File.png");

    createLayout();
    connectSignals();
}

CDiskManagePage::~CDiskManagePage()
{
    if (m_nTimerId) killTimer(m_nTimerId);
    stopLoader();
}

// A running load is told to stop and given a bounded time; a load that cannot stop
// that soon (a long mount) finishes on its own and cleans up after itself.
void CDiskManagePage::stopLoader()
{
    m_pLoad->idle = true;
    {
        QMutexLocker locker(&m_pLoad->pageMutex);
        m_pLoad->page = nullptr;
    }
    if (m_pThread->wait(QDeadlineTimer(CLOSE_WAIT_MS))) {
        delete m_pThread;
        delete m_pLoad;
        return;
    }
    qWarning() << "disk loader still running at close; it is left to finish";
    CMyThread *thread = m_pThread;
    LoadContext *load = m_pLoad;
    connect(thread, &QThread::finished, thread, [thread, load] {
        delete load;
        thread->deleteLater();
    });
    if (thread->isFinished()) {
        delete load;
        delete thread;
    }
}

void CDiskManagePage::createLayout()
{
    m_pModel = new QStandardItemModel(this);
    m_pTreeView = new CMyTreeView(this);
    m_pTreeView->setModel(m_pModel);
    m_pTreeView->setHeaderHidden(true);
    m_pTreeView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTreeView->setUniformRowHeights(true);
    m_pTreeView->setAutoExpandDelay(AUTO_EXPAND_DELAY_MS);
    m_pTreeView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_pWaitFrame = new CWaitFrame(this);
    m_pWaitFrame->setBackground(QColor(41, 41, 41), 1.0);
    m_pWaitFrame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pWaitFrame->hide();

    m_pEmptyPanel = new QWidget(this);
    m_pEmptyPanel->setObjectName("EmptyTreePanel");
    m_pEmptyText = new QLabel(m_pEmptyPanel);
    m_pEmptyText->setObjectName("EmptyTreeText");
    m_pEmptyText->setWordWrap(true);
    m_pEmptyText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pEmptyText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pOpenImageButton = new QPushButton(tr("Open Disk Image..."), m_pEmptyPanel);
    auto *pEmptyLayout = new QVBoxLayout(m_pEmptyPanel);
    pEmptyLayout->setContentsMargins(10, 12, 10, 12);
    pEmptyLayout->setSpacing(10);
    pEmptyLayout->addWidget(m_pEmptyText);
    pEmptyLayout->addWidget(m_pOpenImageButton, 0, Qt::AlignLeft);
    pEmptyLayout->addStretch();
    m_pEmptyPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pEmptyPanel->hide();

    m_pCalendarButton = new QToolButton(this);
    m_pCalendarButton->setText(tr("Calendar"));
    m_pCalendarButton->setObjectName("TabButton");
    m_pCalendarButton->setFixedHeight(CALENDAR_BUTTON_HEIGHT);
    m_pCalendarButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_pCalendar = new CCalendar(CGlobalAppData::sourceDisk, this);
    m_pCalendar->setFixedHeight(CALENDAR_HEIGHT);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pTreeView, 1);
    layout->addWidget(m_pWaitFrame, 1);
    layout->addWidget(m_pEmptyPanel, 1);
    layout->addWidget(m_pCalendarButton);
    layout->addWidget(m_pCalendar);
}

void CDiskManagePage::connectSignals()
{
    connect(m_pTreeView, &QTreeView::clicked, this, &CDiskManagePage::onRecordTreeClicked);
    connect(m_pTreeView, &QTreeView::collapsed, this, &CDiskManagePage::onRecordTreeClicked);
    connect(m_pTreeView, &QTreeView::expanded, this, &CDiskManagePage::onRecordTreeClicked);
    connect(m_pTreeView, &QTreeView::doubleClicked, this, &CDiskManagePage::onRecordTreeDoubleClicked);
    connect(m_pTreeView, &CMyTreeView::rightClicked, this, &CDiskManagePage::onRecordTreeRightClicked);
    m_pTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pTreeView, &QWidget::customContextMenuRequested, this, &CDiskManagePage::onTreeContextMenu);
    connect(m_pOpenImageButton, &QPushButton::clicked, this, &CDiskManagePage::onOpenDiskImage);
    connect(CGlobalAppData::instance(), &CGlobalAppData::diskImagesChanged, this,
            &CDiskManagePage::onDiskImagesChanged);
    connect(m_pCalendarButton, &QToolButton::clicked, this, &CDiskManagePage::onCalenderClicked);
    connect(m_pCalendar, &CCalendar::clicked, this, &CDiskManagePage::onDateChanged);
    connect(this, &CDiskManagePage::appendNewRecord, this, &CDiskManagePage::onAppendNewRecord,
            Qt::QueuedConnection);
    connect(this, &CDiskManagePage::enabledControl, this, &CDiskManagePage::onEnabledControl);
}

void CDiskManagePage::start()
{
    QTimer::singleShot(FIRST_LOAD_DELAY_MS, this, &CDiskManagePage::startLoad);
    if (!m_nTimerId) m_nTimerId = startTimer(DRIVE_CHECK_MS, Qt::VeryCoarseTimer);
}

bool CDiskManagePage::isLoading() const
{
    return !m_pLoad->idle;
}

int CDiskManagePage::ideNum() const
{
    return m_pLoad->ideNum;
}

bool CDiskManagePage::startLoad()
{
    // Until the last load's end mark has been taken, its batches may still be queued here.
    if (!m_pLoad->idle || m_bAwaitingEndMark) return false;
    m_pThread->wait(); // a finished load may still be returning from its function
    clearTree();
    m_bLoaded = false;
    m_nRecordCount = 0;
    m_latestDate = QDate();
    m_pLoad->recordFormat = CGlobalAppData::instance()->recordFormat();
    m_pLoad->idle = false;
    m_bAwaitingEndMark = true;
    m_pThread->start();
    emit enabledControl(false);
    return true;
}

void CDiskManagePage::clearTree()
{
    m_currentIndex = QModelIndex();
    m_pModel->removeRows(0, m_pModel->rowCount());
    m_diskItems.clear();
    m_partItems.clear();
    m_dateItems.clear();
    m_channelItems.clear();
    CGlobalAppData::instance()->clearRecordDates(CGlobalAppData::sourceDisk);
}

void CDiskManagePage::loadThread(void *pContext)
{
    LoadContext *load = static_cast<LoadContext *>(pContext);
    load->toPage([](CDiskManagePage *page) { emit page->diskChanged(); });
    CGlobalAppData::instance()->clearWndPaths(-1);

    int ideNum = 0;
    {
        // Playback may be reading: it finishes its read first, and its stream is stale afterwards.
        CDiskReadLocker readLocker;
        QMutexLocker libraryLocker(&CFSFile::Lock());
        bringUpLibrary();
        IdeInfo info;
        ideNum = ide_get_info(&info);
    }
    CGlobalAppData::instance()->updateDriveNumbers(ideNum);
    load->ideNum = ideNum;

    CRecordLoader loader(
        load->recordFormat,
        [load](const RecordPairs &pairs, const QVector<wfs_file_info_v2> &) {
            load->toPage([&pairs](CDiskManagePage *page) { emit page->appendNewRecord(pairs, pairs.size()); });
        },
        &load->idle);
    loader.loadDataFromDisk(ideNum);
    load->idle = true;
}

void CDiskManagePage::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_nTimerId) return QWidget::timerEvent(event);
    int count = ide_rescan();
    if (count == ideNum() || isLoading()) return;
    qDebug("m_ideNum=%d ide_rescan()=%d\n", ideNum(), count);
    startLoad();
}

void CDiskManagePage::onAppendNewRecord(QVector<QPair<QString, QString>> arr, int count)
{
    qDebug() << "onAppendNewRecord " << count;
    m_pTreeView->setUpdatesEnabled(false);
    for (const QPair<QString, QString> &record : arr) addRecord(record);
    m_pTreeView->setUpdatesEnabled(true);
    m_pTreeView->update();
    if (m_bNewDates) m_pCalendar->refreshRecordDays();
    m_bNewDates = false;
    if (count != 0) return;
    m_bAwaitingEndMark = false;
    m_bLoaded = true;
    emit enabledControl(true);
    CGlobalAppData *app = CGlobalAppData::instance();
    app->setCurRecordDate(m_latestDate.isValid() ? m_latestDate : app->curRecordDate());
    if (m_bReloadPending) {
        m_bReloadPending = false;
        QTimer::singleShot(0, this, &CDiskManagePage::startLoad);
    }
}

void CDiskManagePage::addRecord(const QPair<QString, QString> &record)
{
    int disk, part, channel, year, month, day;
    if (sscanf(record.first.left(14).toLatin1().constData(), "%02d%02d%02d%04d%02d%02d", &disk, &part, &channel,
               &year, &month, &day) != 6)
        return;
    QDate date(year, month, day);
    if (!date.isValid()) return;
    QStandardItem *item = newItem(record.second, m_fileIcon, LevelRecord, record.second);
    item->setData(disk, RoleDisk);
    item->setData(part, RolePart);
    item->setData(date, RoleDate);
    item->setData(channel, RoleChannel);
    item->setToolTip(record.first);
    channelItem(disk, part, date, channel)->appendRow(item);
    ++m_nRecordCount;
    if (!m_latestDate.isValid() || date > m_latestDate) m_latestDate = date;
}

QStandardItem *CDiskManagePage::newItem(const QString &strText, const QIcon &icon, int nLevel, const QVariant &key)
{
    QStandardItem *item = new QStandardItem(icon, strText);
    item->setEditable(false);
    item->setData(nLevel, RoleLevel);
    item->setData(key, RoleKey);
    return item;
}

QStandardItem *CDiskManagePage::diskItem(int nDisk)
{
    if (QStandardItem *item = m_diskItems.value(nDisk)) return item;
    QString label = QString("PhysicalDrive%1").arg(CGlobalAppData::instance()->driveNumber(nDisk));
    QStandardItem *item = newItem(label, m_diskIcon, LevelDisk, nDisk);
    if (const char *path = ide_get_drive_path(nDisk)) item->setToolTip(QString::fromLocal8Bit(path));
    m_pModel->appendRow(item);
    m_diskItems.insert(nDisk, item);
    return item;
}

QStandardItem *CDiskManagePage::partItem(int nDisk, int nPart)
{
    QPair<int, int> key(nDisk, nPart);
    if (QStandardItem *item = m_partItems.value(key)) return item;
    QString label = QString("ide%1%2").arg(QChar('a' + nDisk)).arg(nPart);
    QStandardItem *item = newItem(label, m_dirIcon, LevelPart, nPart);
    item->setData(nDisk, RoleDisk);
    diskItem(nDisk)->appendRow(item);
    m_partItems.insert(key, item);
    return item;
}

QStandardItem *CDiskManagePage::dateItem(int nDisk, int nPart, const QDate &date)
{
    QString key = dateKey(nDisk, nPart, date);
    if (QStandardItem *item = m_dateItems.value(key)) return item;
    QStandardItem *item = newItem(dateText(date), m_dirIcon, LevelDate, dateText(date));
    item->setData(nDisk, RoleDisk);
    item->setData(nPart, RolePart);
    item->setData(date, RoleDate);
    partItem(nDisk, nPart)->appendRow(item);
    m_dateItems.insert(key, item);
    CGlobalAppData::instance()->addRecordDate(CGlobalAppData::sourceDisk, date);
    m_bNewDates = true;
    return item;
}

QStandardItem *CDiskManagePage::channelItem(int nDisk, int nPart, const QDate &date, int nChannel)
{
    QString key = dateKey(nDisk, nPart, date) + QString("-%1").arg(nChannel);
    if (QStandardItem *item = m_channelItems.value(key)) return item;
    QString label = CRecordName::channelLabel(nChannel);
    QStandardItem *item = newItem(label, m_dirIcon, LevelChannel, nChannel);
    item->setData(nDisk, RoleDisk);
    item->setData(nPart, RolePart);
    item->setData(date, RoleDate);
    dateItem(nDisk, nPart, date)->appendRow(item);
    m_channelItems.insert(key, item);
    return item;
}

void CDiskManagePage::onEnabledControl(bool bEnabled)
{
    const bool bEmpty = bEnabled && m_bLoaded && m_pModel->rowCount() == 0;
    if (bEmpty) updateEmptyText();
    else if (bEnabled && m_bLoaded) noticeSkippedCommandLineImages();
    m_pTreeView->setVisible(bEnabled && !bEmpty);
    m_pEmptyPanel->setVisible(bEmpty);
    m_pWaitFrame->setVisible(!bEnabled);
    setEnabled(bEnabled);
}

QString CDiskManagePage::emptyTreeText(int nIdeNum, const QStringList &unreadableDevices,
                                       const QStringList &skippedImages)
{
    QStringList paragraphs;
    if (nIdeNum == 0)
        paragraphs << tr("No recorder disk (WFS) was found.");
    else
        paragraphs << tr("%n recorder disk(s) found, but none holds recordings of the record stream chosen "
                         "in the settings.", "", nIdeNum);
    if (!unreadableDevices.isEmpty())
        paragraphs << tr("These disks exist but cannot be opened for reading: %1. Reading them needs membership "
                         "of the \"disk\" group (log in again after joining it) or running Korvane with read "
                         "permission for them.")
                          .arg(unreadableDevices.join(", "));
    if (!skippedImages.isEmpty())
        paragraphs << tr("Disk images skipped:") + "\n" + skippedImages.join("\n");
    paragraphs << tr("A disk image file (.img, .dd, .001) opens with \"Open Disk Image...\" below or in the "
                     "menu of this list, or with --image FILE on the command line.");
    return paragraphs.join("\n\n");
}

QStringList CDiskManagePage::skippedImages(const QStringList &images)
{
    QStringList skipped;
    for (const QString &strImage : images) {
        const CDiskImage::Problem problem = CDiskImage::check(strImage);
        const QString strLine = QString("%1: %2").arg(strImage, CDiskImage::problemText(problem));
        if (problem != CDiskImage::problemNone && !skipped.contains(strLine)) skipped << strLine;
    }
    return skipped;
}

void CDiskManagePage::updateEmptyText()
{
    const CGlobalAppData *app = CGlobalAppData::instance();
    const QStringList skipped = skippedImages(app->commandLineImages() + app->diskImages());
    const QStringList unreadable =
        app->scanDevices() ? CDiskProbe::unreadable(CDiskProbe::blockDevices()) : QStringList();
    m_pEmptyText->setText(emptyTreeText(ideNum(), unreadable, skipped));
}

void CDiskManagePage::noticeSkippedCommandLineImages()
{
    // With other disks in the tree the empty-tree text does not show; the images just asked
    // for on the command line are named once in a notice instead.
    if (m_bCommandLineNoticed) return;
    m_bCommandLineNoticed = true;
    const QStringList skipped = skippedImages(CGlobalAppData::instance()->commandLineImages());
    if (!skipped.isEmpty()) FancyMessageBox::showMessage(tr("Disk images skipped:") + "\n" + skipped.join("\n"));
}

QMenu *CDiskManagePage::createEmptyAreaMenu()
{
    QMenu *menu = new QMenu(this);
    menu->addAction(tr("Open Disk Image..."))->setData(CmdOpenImage);
    connect(menu, &QMenu::triggered, this, [this](QAction *pAction) {
        if (pAction->data().toInt() == CmdOpenImage) onOpenDiskImage();
    });
    return menu;
}

void CDiskManagePage::onTreeContextMenu(const QPoint &pos)
{
    if (m_pTreeView->indexAt(pos).isValid()) return; // items have their own menus
    QMenu *menu = createEmptyAreaMenu();
    menu->exec(m_pTreeView->viewport()->mapToGlobal(pos));
    delete menu;
}

void CDiskManagePage::onOpenDiskImage()
{
    const QStringList images = CGlobalAppData::instance()->diskImages();
    const QString strStart = images.isEmpty() ? QDir::homePath() : QFileInfo(images.last()).absolutePath();
    const QString strPath = QFileDialog::getOpenFileName(this, tr("Open Disk Image"), strStart,
                                                         CDiskImage::fileFilter());
    if (!strPath.isEmpty()) openDiskImage(strPath);
}

bool CDiskManagePage::openDiskImage(const QString &strPath)
{
    const QString strImage = QFileInfo(strPath).absoluteFilePath();
    const CDiskImage::Problem problem = CDiskImage::check(strImage);
    if (problem != CDiskImage::problemNone) {
        qWarning().noquote() << "Disk image not opened:" << strImage << "-" << CDiskImage::problemText(problem);
        CMessageBox::message(this, tr("Open Disk Image"),
                             QString("%1\n%2").arg(strImage, CDiskImage::problemText(problem)), {tr("OK")});
        return false;
    }
    CGlobalAppData *app = CGlobalAppData::instance();
    if (app->diskImages().contains(strImage) || app->commandLineImages().contains(strImage)) {
        app->applyDiskImages(); // listed already, perhaps unreadable until now: offered anew and read again
        onDiskImagesChanged();
    } else {
        app->addDiskImage(strImage);
    }
    app->saveSettings();
    return true;
}

void CDiskManagePage::onDiskImagesChanged()
{
    if (!startLoad()) m_bReloadPending = true;
}

QString CDiskManagePage::recordPath(const QModelIndex &index)
{
    if (!index.isValid() || index.data(RoleLevel).toInt() != LevelRecord) return QString();
    return CRecordName::recordPath(index.data(RoleDisk).toInt(), index.data(RolePart).toInt(),
                                     index.data(RoleDate).toDate(), index.data(RoleChannel).toInt(),
                                     index.data(RoleKey).toString());
}

void CDiskManagePage::onCalenderClicked()
{
    m_pCalendar->setVisible(!m_pCalendar->isVisible());
    emit calenderClicked();
}

void CDiskManagePage::onRecordTreeClicked(QModelIndex index)
{
    if (!index.isValid()) return;
    m_currentIndex = index;
    int level = index.data(RoleLevel).toInt();
    if (level == LevelRecord) {
        emit selectVideoWnd(recordPath(index));
    } else {
        m_pTreeView->resizeColumnToContents(0);
        if (level < LevelDate) return;
    }
    CGlobalAppData::instance()->setCurRecordDate(index.data(RoleDate).toDate());
}

void CDiskManagePage::onRecordTreeDoubleClicked(QModelIndex index)
{
    if (index.data(RoleLevel).toInt() == LevelRecord && index.isValid()) emit playRecord(recordPath(index), false);
}

void CDiskManagePage::onPlayRecordResponse()
{
    onRecordTreeDoubleClicked(m_currentIndex);
}

QMenu *CDiskManagePage::createContextMenu(const QModelIndex &index)
{
    if (!index.isValid()) return nullptr;
    QList<QPair<QString, int>> commands;
    switch (index.data(RoleLevel).toInt()) {
    case LevelDisk: commands = {{tr("Disk Info"), CmdDiskInfo}}; break;
    case LevelDate:
    case LevelChannel: commands = {{tr("Export"), CmdExport}}; break;
    case LevelRecord:
        commands = {{tr("Play"), CmdPlay}, {tr("Export"), CmdExport}, {tr("Cut"), CmdCut}, {tr("Sync Play"), CmdSyncPlay}};
        break;
    default: return nullptr;
    }
    if (index.data(RoleLevel).toInt() == LevelRecord) commands.append({tr("Export GPS Track"), CmdExportGpsTrack});
    QMenu *menu = new QMenu(this);
    for (const auto &command : commands) {
        QAction *action = menu->addAction(command.first);
        action->setData(command.second);
    }
    connect(menu, &QMenu::triggered, this, &CDiskManagePage::onCommand);
    return menu;
}

void CDiskManagePage::onRecordTreeRightClicked(QModelIndex index)
{
    m_currentIndex = index;
    QMenu *menu = createContextMenu(index);
    if (!menu) return;
    menu->exec(QCursor::pos());
    delete menu;
}

void CDiskManagePage::onCommand(QAction *pAction)
{
    if (!pAction || !m_currentIndex.isValid()) return;
    switch (pAction->data().toInt()) {
    case CmdDiskInfo: onShowDiskInfo(); break;
    case CmdExport: onExportFile(); break;
    case CmdCut: onCutFile(); break;
    case CmdPlay: onPlayRecordResponse(); break;
    case CmdSyncPlay: onSyncPlay(); break;
    case CmdExportGpsTrack: onExportGpsTrack(); break;
    default: break;
    }
}

void CDiskManagePage::openExportDialog(int nTab)
{
    const int nLevel = m_currentIndex.data(RoleLevel).toInt();
    QStandardItem *pItem = m_pModel->itemFromIndex(m_currentIndex);
    if (!pItem || nLevel < LevelDate) return;
    CExportDialog dialog(nLevel, pItem, this);
    dialog.tabWidget()->setCurrentIndex(nTab);
    dialog.exec();
}

void CDiskManagePage::onExportFile()
{
    openExportDialog(CExportDialog::tabFile);
}

// Cutting from the disk is an export of a time range.
void CDiskManagePage::onCutFile()
{
    openExportDialog(CExportDialog::tabTime);
}

void CDiskManagePage::onExportGpsTrack()
{
    const QString strPath = recordPath(m_currentIndex);
    if (!strPath.isEmpty()) CGpsTrackExport::exportTrack(this, strPath);
}

void CDiskManagePage::onDateChanged(QDate date)
{
    if (!m_bLoaded) return;
    QModelIndex found;
    for (auto it = m_partItems.cbegin(); it != m_partItems.cend(); ++it) {
        QStandardItem *item = m_dateItems.value(dateKey(it.key().first, it.key().second, date));
        if (!item) continue;
        found = item->index();
        m_pTreeView->expand(found);
    }
    if (!found.isValid()) return;
    m_pTreeView->setCurrentIndex(found);
    m_pTreeView->scrollTo(found);
    m_currentIndex = found;
}

void CDiskManagePage::onSelectRecord(QString strFilePath)
{
    if (!m_bLoaded || m_pModel->rowCount() == 0) return;
    QString name = strFilePath.mid(strFilePath.lastIndexOf('/') + 1);
    const QModelIndexList hits = m_pModel->match(m_pModel->index(0, 0), RoleKey, name, -1,
                                                 Qt::MatchExactly | Qt::MatchRecursive);
    for (const QModelIndex &hit : hits) {
        if (hit.data(RoleLevel).toInt() != LevelRecord) continue;
        m_pTreeView->setCurrentIndex(hit);
        m_pTreeView->scrollTo(hit);
        m_currentIndex = hit;
        if (recordPath(hit) == strFilePath) return;
    }
}

// Every recording of a date item's channels, for the step-play rule.
QVector<SyncPlayFile> CDiskManagePage::dayFiles(QStandardItem *pDate)
{
    QVector<SyncPlayFile> files;
    for (int row = 0; row < pDate->rowCount(); ++row) {
        QStandardItem *channel = pDate->child(row);
        for (int n = 0; n < channel->rowCount(); ++n) {
            const QModelIndex record = channel->child(n)->index();
            files.append({channel->data(RoleKey).toInt(), record.data(RoleKey).toString(), recordPath(record)});
        }
    }
    return files;
}

void CDiskManagePage::onSyncPlay()
{
    CGlobalAppData *app = CGlobalAppData::instance();
    app->clearWndPaths(-1);
    QModelIndex index = m_currentIndex;
    if (index.data(RoleLevel).toInt() != LevelRecord) return;
    QStandardItem *date = m_pModel->itemFromIndex(index.parent().parent());
    if (!date || date->data(RoleLevel).toInt() != LevelDate || !date->hasChildren()) return;
    const CSyncPlayPlan plan(index.data(RoleKey).toString(), dayFiles(date));
    if (!plan.isValid()) return;
    qDebug().noquote() << "start Time " << hhmmss(plan.beginSecond()) << " endTime " << hhmmss(plan.endSecond());
    // The wall stops every window before the new queues exist: no window still playing takes from them.
    emit changeWndMode(plan.windowCount());
    plan.fillQueues(app);
    const QString strNotice = plan.withoutWindowMessage();
    if (!strNotice.isEmpty()) {
        qWarning().noquote() << strNotice;
        FancyMessageBox::showMessage(strNotice);
    }
    emit syncPlay(plan.beginSecond());
}

QString CDiskManagePage::diskInfoText(int nDisk)
{
    quint64 total = 0, free = 0, pictureTotal = 0, pictureFree = 0, recordTotal = 0, recordFree = 0;
    for (int part = 0; part < PARTITIONS; ++part) {
        wfs_driver_info info = {};
        QMutexLocker locker(&CFSFile::Lock()); // it refreshes the live section through the shared cache
        if (wfs_get_driver_info((uint32_t)nDisk, (uint32_t)part, &info) != WFS_OK) continue;
        bool picture = info.driver_type == WFS_DRIVER_PICTURE;
        (picture ? pictureTotal : recordTotal) += info.total_mib;
        (picture ? pictureFree : recordFree) += info.free_mib;
        total += info.total_mib;
        free += info.free_mib;
    }
    return QString("%1:%2 MB,%3:%4 MB\r\n%5:%6 MB,%7:%8 MB\r\n%9:%10 MB,%11:%12 MB")
        .arg(tr("Total Space")).arg(total).arg(tr("Remain Space")).arg(free)
        .arg(tr("Picture Total Space")).arg(pictureTotal).arg(tr("Remain Space")).arg(pictureFree)
        .arg(tr("Record Total Space")).arg(recordTotal).arg(tr("Remain Space")).arg(recordFree);
}

void CDiskManagePage::onShowDiskInfo()
{
    if (m_currentIndex.data(RoleLevel).toInt() != LevelDisk || !m_currentIndex.isValid()) return;
    QString text = diskInfoText(m_currentIndex.data(RoleKey).toInt());
    CMessageBox::message(this, tr("Disk Info"), text, {tr("OK")});
}
