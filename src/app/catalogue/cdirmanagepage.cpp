#include "cdirmanagepage.h"

#include "calendar/ccalendar.h"
#include "catalogue/cdiskmanagepage.h"
#include "catalogue/csyncplayplan.h"
#include "common/cglobalappdata.h"
#include "common/crecordname.h"
#include "export/cexportindex.h"
#include "export/ccutfiledlg.h"
#include "map/cgpstrackexport.h"
#include "widgets/cmytreeview.h"
#include "widgets/fancymessagebox.h"

#include <QCursor>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMutexLocker>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QToolButton>
#include <QVBoxLayout>


namespace {
const int ADD_BUTTON_HEIGHT = 25;
const int CALENDAR_BUTTON_HEIGHT = 20;
const int CALENDAR_HEIGHT = 190;
const int AUTO_EXPAND_DELAY_MS = 800;

enum Role {
    RoleKey = CDiskManagePage::RoleKey,
    RoleLevel = CDiskManagePage::RoleLevel,
    RoleRoot = CDiskManagePage::RoleDisk,
    RolePart = CDiskManagePage::RolePart,
    RoleDate = CDiskManagePage::RoleDate,
    RoleChannel = CDiskManagePage::RoleChannel,
};

QString hhmmss(int nSeconds)
{
    return QString::asprintf("%02d%02d%02d", nSeconds / 3600, nSeconds / 60 % 60, nSeconds % 60);
}

} // namespace

CDirManagePage::CDirManagePage(QWidget *parent)
    : QWidget(parent)
{
    const QString icons = CGlobalAppData::instance()->appPath() + "/skin/icons/";
    m_diskIcon = QIcon(icons + "Disk.png");
    m_dirIcon = QIcon(icons + "Dir.png");
    m_fileIcon = QIcon(icons + "File.png");
    createLayout();
    connect(m_pTreeView, &QTreeView::clicked, this, &CDirManagePage::onRecordTreeClicked);
    connect(m_pTreeView, &QTreeView::collapsed, this, &CDirManagePage::onRecordTreeClicked);
    connect(m_pTreeView, &QTreeView::expanded, this, &CDirManagePage::onRecordTreeClicked);
    connect(m_pTreeView, &QTreeView::doubleClicked, this, &CDirManagePage::onRecordTreeDoubleClicked);
    connect(m_pTreeView, &CMyTreeView::rightClicked, this, &CDirManagePage::onRecordTreeRightClicked);
    connect(m_pAddButton, &QPushButton::clicked, this, &CDirManagePage::onAddLocalDir);
    connect(m_pCalendar, &CCalendar::clicked, this, &CDirManagePage::onDateChanged);
    connect(m_pCalendarButton, &QToolButton::clicked, this, &CDirManagePage::onCalenderClicked);
}

void CDirManagePage::createLayout()
{
    m_pAddButton = new QPushButton(tr("Add Local Record"), this);
    m_pAddButton->setObjectName("AddDirButton");
    m_pAddButton->setFixedHeight(ADD_BUTTON_HEIGHT);

    m_pModel = new QStandardItemModel(this);
    m_pTreeView = new CMyTreeView(this);
    m_pTreeView->setModel(m_pModel);
    m_pTreeView->setHeaderHidden(true);
    m_pTreeView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTreeView->setUniformRowHeights(true);
    m_pTreeView->setAutoExpandDelay(AUTO_EXPAND_DELAY_MS);

    m_pCalendarButton = new QToolButton(this);
    m_pCalendarButton->setText(tr("Calendar"));
    m_pCalendarButton->setObjectName("TabButton");
    m_pCalendarButton->setFixedHeight(CALENDAR_BUTTON_HEIGHT);
    m_pCalendarButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_pCalendar = new CCalendar(CGlobalAppData::sourceLocal, this);
    m_pCalendar->setFixedHeight(CALENDAR_HEIGHT);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pAddButton);
    pLayout->addWidget(m_pTreeView, 1);
    pLayout->addWidget(m_pCalendarButton);
    pLayout->addWidget(m_pCalendar);
}

void CDirManagePage::onCalenderClicked()
{
    m_pCalendar->setVisible(!m_pCalendar->isVisible());
}

// ---- loading

void CDirManagePage::onAddLocalDir()
{
    const QString strFolder = QFileDialog::getExistingDirectory(this, tr("Select the path for record"),
                                                                CGlobalAppData::instance()->recordPath(),
                                                                QFileDialog::ShowDirsOnly);
    if (!strFolder.isEmpty()) loadFolder(strFolder);
}

void CDirManagePage::clear()
{
    QMutexLocker locker(&m_mutex);
    m_records.clear();
    m_currentIndex = QModelIndex();
    m_pModel->removeRows(0, m_pModel->rowCount());
    m_bLoaded = false;
    CGlobalAppData::instance()->clearRecordDates(CGlobalAppData::sourceLocal);
}

bool CDirManagePage::loadFolder(const QString &strFolder)
{
    clear();
    m_strRootPath = QString(strFolder).replace('\\', '/');
    if (!QFileInfo(m_strRootPath + "/index.data").isFile()) {
        FancyMessageBox::showMessage(tr("Index file not found"));
        return false;
    }
    {
        QMutexLocker locker(&m_mutex);
        for (const QString &strRelative : CExportIndex::read(m_strRootPath)) m_records.insert(strRelative, strRelative);
    }
    if (m_records.isEmpty()) {
        FancyMessageBox::showMessage(tr("No matching record file"));
        return false;
    }
    LoadRecordByRecordPath(m_strRootPath);
    return true;
}

void CDirManagePage::LoadRecordByRecordPath(QString strPath)
{
    QMutexLocker locker(&m_mutex);
    m_strRootPath = strPath.replace('\\', '/');
    CGlobalAppData *pApp = CGlobalAppData::instance();
    m_latestDate = pApp->curRecordDate();
    QDate previousDate;
    m_pTreeView->setUpdatesEnabled(false);
    for (const QString &strRelative : m_records)
        if (QFileInfo(m_strRootPath + "/" + strRelative).isFile()) addFile(strRelative, previousDate);
    m_pTreeView->setUpdatesEnabled(true);
    m_pTreeView->expand(m_pModel->index(0, 0));
    m_pCalendar->refreshRecordDays();
    m_bLoaded = true;
    pApp->setCurRecordDate(m_latestDate);
}

void CDirManagePage::addFile(const QString &strRelative, QDate &previousDate)
{
    const CRecordName name(strRelative);
    if (!name.hasFolders()) return;
    const QDate date = name.date();
    const int nChannel = name.channel();
    const QString strPart = strRelative.left(strRelative.indexOf('/')), strDate = date.toString("yyyy-MM-dd");

    QStandardItem *pPart = childWithKey(folderItem(), LevelPart, strPart);
    if (!pPart) {
        pPart = newItem(strPart, m_dirIcon, LevelPart, strPart);
        pPart->setData(m_strRootPath, RoleRoot);
        folderItem()->appendRow(pPart);
    }
    QStandardItem *pDate = childWithKey(pPart, LevelDate, strDate);
    if (!pDate) {
        pDate = newItem(strDate, m_dirIcon, LevelDate, strDate);
        pDate->setData(m_strRootPath, RoleRoot);
        pDate->setData(strPart, RolePart);
        pDate->setData(date, RoleDate);
        pPart->appendRow(pDate);
    }
    QStandardItem *pChannel = childWithKey(pDate, LevelChannel, nChannel);
    if (!pChannel) {
        pChannel = newItem(CRecordName::channelLabel(nChannel), m_dirIcon, LevelChannel, nChannel);
        pChannel->setData(m_strRootPath, RoleRoot);
        pChannel->setData(strPart, RolePart);
        pChannel->setData(date, RoleDate);
        pDate->appendRow(pChannel);
    }
    QStandardItem *pFile = newItem(name.fileName(), m_fileIcon, LevelFile, name.fileName());
    pFile->setToolTip(name.fileName());
    pFile->setData(m_strRootPath, RoleRoot);
    pFile->setData(strPart, RolePart);
    pFile->setData(date, RoleDate);
    pFile->setData(nChannel, RoleChannel);
    pChannel->appendRow(pFile);

    if (date != previousDate) CGlobalAppData::instance()->addRecordDate(CGlobalAppData::sourceLocal, date);
    previousDate = date;
    if (!m_latestDate.isValid() || date >= m_latestDate) m_latestDate = date;
}

QStandardItem *CDirManagePage::newItem(const QString &strText, const QIcon &icon, int nLevel, const QVariant &key)
{
    auto *pItem = new QStandardItem(icon, strText);
    pItem->setEditable(false);
    pItem->setData(nLevel, RoleLevel);
    pItem->setData(key, RoleKey);
    return pItem;
}

QStandardItem *CDirManagePage::folderItem()
{
    if (QStandardItem *pItem = m_pModel->item(0)) return pItem;
    QStandardItem *pItem = newItem(m_strRootPath, m_diskIcon, LevelFolder, m_strRootPath);
    m_pModel->appendRow(pItem);
    return pItem;
}

// A date occurs once per partition, a channel once per date: each is looked for under its parent only.
QStandardItem *CDirManagePage::childWithKey(QStandardItem *pParent, int nLevel, const QVariant &key) const
{
    for (int nRow = 0; nRow < pParent->rowCount(); ++nRow) {
        QStandardItem *pChild = pParent->child(nRow);
        if (pChild->data(RoleLevel).toInt() == nLevel && pChild->data(RoleKey) == key) return pChild;
    }
    return nullptr;
}

QList<QStandardItem *> CDirManagePage::itemsOfLevel(int nLevel) const
{
    QList<QStandardItem *> items;
    QList<QStandardItem *> pending = {m_pModel->invisibleRootItem()};
    while (!pending.isEmpty()) {
        QStandardItem *pItem = pending.takeFirst();
        for (int nRow = 0; nRow < pItem->rowCount(); ++nRow) {
            QStandardItem *pChild = pItem->child(nRow);
            if (pChild->data(RoleLevel).toInt() == nLevel) items.append(pChild);
            if (pChild->data(RoleLevel).toInt() < nLevel) pending.append(pChild);
        }
    }
    return items;
}

QString CDirManagePage::localPath(const QModelIndex &index)
{
    if (!index.isValid() || index.data(RoleLevel).toInt() != LevelFile) return QString();
    const QDate date = index.data(RoleDate).toDate();
    return QString("%1/%2/%3/%4/%5")
        .arg(index.data(RoleRoot).toString(), index.data(RolePart).toString(), date.toString("yyyy-MM-dd"))
        .arg(CRecordName::channelLabel(index.data(RoleChannel).toInt()), index.data(RoleKey).toString());
}

// ---- the tree

void CDirManagePage::onRecordTreeClicked(QModelIndex index)
{
    if (!index.isValid()) return;
    m_currentIndex = index;
    const int nLevel = index.data(RoleLevel).toInt();
    if (nLevel == LevelFile) {
        emit selectVideoWnd(localPath(index));
    } else {
        m_pTreeView->resizeColumnToContents(0);
        if (nLevel != LevelDate && nLevel != LevelChannel) return;
    }
    CGlobalAppData::instance()->setCurRecordDate(index.data(RoleDate).toDate());
}

void CDirManagePage::onRecordTreeDoubleClicked(QModelIndex index)
{
    if (index.isValid() && index.data(RoleLevel).toInt() == LevelFile) emit playRecord(localPath(index), false);
}

void CDirManagePage::onPlayRecordResponse()
{
    onRecordTreeDoubleClicked(m_currentIndex);
}

QMenu *CDirManagePage::createContextMenu(const QModelIndex &index)
{
    if (!index.isValid() || index.data(RoleLevel).toInt() != LevelFile) return nullptr;
    QMenu *pMenu = new QMenu(this);
    for (const auto &command : QList<QPair<QString, int>>{{tr("Play"), CmdPlay},
                                                          {tr("Cut"), CmdCut},
                                                          {tr("Sync Play"), CmdSyncPlay},
                                                          {tr("Export GPS Track"), CmdExportGpsTrack}})
        pMenu->addAction(command.first)->setData(command.second);
    connect(pMenu, &QMenu::triggered, this, &CDirManagePage::onCommand);
    return pMenu;
}

void CDirManagePage::onRecordTreeRightClicked(QModelIndex index)
{
    m_currentIndex = index;
    QMenu *pMenu = createContextMenu(index);
    if (!pMenu) return;
    pMenu->exec(QCursor::pos());
    delete pMenu;
}

void CDirManagePage::onCommand(QAction *pAction)
{
    if (!pAction || !m_currentIndex.isValid()) return;
    switch (pAction->data().toInt()) {
    case CmdCut: onCutFile(); break;
    case CmdPlay: onPlayRecordResponse(); break;
    case CmdSyncPlay: onSyncPlay(); break;
    case CmdExportGpsTrack: onExportGpsTrack(); break;
    default: break;
    }
}

void CDirManagePage::onCutFile()
{
    if (m_currentIndex.data(RoleLevel).toInt() != LevelFile) return;
    CCutFileDlg dialog(localPath(m_currentIndex), this);
    dialog.exec();
}

void CDirManagePage::onExportGpsTrack()
{
    const QString strPath = localPath(m_currentIndex);
    if (!strPath.isEmpty()) CGpsTrackExport::exportTrack(this, strPath);
}

void CDirManagePage::onSyncPlay()
{
    CGlobalAppData *pApp = CGlobalAppData::instance();
    pApp->clearWndPaths(-1);
    const QModelIndex index = m_currentIndex;
    if (index.data(RoleLevel).toInt() != LevelFile) return;
    QStandardItem *pDate = m_pModel->itemFromIndex(index.parent().parent());
    if (!pDate || pDate->data(RoleLevel).toInt() != LevelDate || !pDate->hasChildren()) return;
    QVector<SyncPlayFile> files;
    for (int nRow = 0; nRow < pDate->rowCount(); ++nRow) {
        QStandardItem *pChannel = pDate->child(nRow);
        for (int nFile = 0; nFile < pChannel->rowCount(); ++nFile) {
            const QModelIndex file = pChannel->child(nFile)->index();
            files.append({pChannel->data(RoleKey).toInt(), file.data(RoleKey).toString(), localPath(file)});
        }
    }
    const CSyncPlayPlan plan(index.data(RoleKey).toString(), files);
    if (!plan.isValid()) return;
    qDebug().noquote() << "start Time " << hhmmss(plan.beginSecond()) << "  endTime " << hhmmss(plan.endSecond());
    // The wall stops every window before the new queues exist: no window still playing takes from them.
    emit changeWndMode(plan.windowCount());
    plan.fillQueues(pApp);
    const QString strNotice = plan.withoutWindowMessage();
    if (!strNotice.isEmpty()) {
        qWarning().noquote() << strNotice;
        FancyMessageBox::showMessage(strNotice);
    }
    emit syncPlay(plan.beginSecond());
}

void CDirManagePage::onDateChanged(QDate date)
{
    if (!m_bLoaded) return;
    const QString strDate = date.toString("yyyy-MM-dd");
    QModelIndex found;
    for (QStandardItem *pDate : itemsOfLevel(LevelDate)) {
        if (pDate->text() != strDate) continue;
        found = pDate->index();
        m_pTreeView->expand(found);
    }
    if (!found.isValid()) return;
    m_pTreeView->setCurrentIndex(found);
    m_pTreeView->scrollTo(found);
    m_currentIndex = found;
}

void CDirManagePage::onSelectRecord(QString strFilePath)
{
    if (!m_bLoaded) return;
    const QString strName = strFilePath.mid(strFilePath.lastIndexOf('/') + 1);
    for (QStandardItem *pFile : itemsOfLevel(LevelFile)) {
        if (pFile->data(RoleKey).toString() != strName) continue;
        m_pTreeView->setCurrentIndex(pFile->index());
        m_pTreeView->scrollTo(pFile->index());
        m_currentIndex = pFile->index();
        if (localPath(pFile->index()) == strFilePath) return;
    }
}
