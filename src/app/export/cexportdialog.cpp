#include "cexportdialog.h"

#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordloader.h"
#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "common/crecordname.h"
#include "export/cexportlog.h"
#include "shell/ctitlewidget.h"
#include "widgets/cbuttonsize.h"
#include "widgets/cmessagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItem>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {
const int TITLE_HEIGHT = 36;
const int BUTTON_WIDTH = 75;
const int BUTTON_HEIGHT = 25;
const int SELECT_WIDTH = 70;
const int SELECT_HEIGHT = 22;
const int FORMAT_WIDTH = 120;
const int FORMAT_HEIGHT = 30;
const int LINE_HEIGHT = 25;
const int CHANNELS_PER_ROW = 16;
const int REMOVE_DELAY_MS = 2000;
const int COLUMN_WIDTHS[] = {30, 60, 240, 120, 240};
const int COLUMNS = 5;

QPushButton *createButton(const QString &strText, QWidget *parent, int nWidth = BUTTON_WIDTH,
                          int nHeight = BUTTON_HEIGHT, const char *pObjectName = "NormalToolButton")
{
    auto *pButton = new QPushButton(strText, parent);
    pButton->setObjectName(pObjectName);
    CButtonSize::fit(pButton, QSize(nWidth, nHeight));
    return pButton;
}
} // namespace

CExportDialog::CExportDialog(int nNodeType, QStandardItem *pItem, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_nNodeType(nNodeType)
{
    setObjectName("DialogFrame");
    setAttribute(Qt::WA_StyledBackground);
    setModal(true);
    setFixedSize(WIDTH, HEIGHT);
    setWindowTitle(tr("Export"));

    m_pWorker = new CExportWorker(this);
    QVector<ExportEntry> entries;
    if (pItem) collectEntries(pItem, entries);
    m_pWorker->setEntries(entries);
    CExportWorker::recordRange(entries, m_recordBegin, m_recordEnd);
    m_pThread = new CMyThread(&CExportDialog::workerBody, this, this);

    createWidgets();
    fillFileList();
    rebuildTimeList();

    connect(m_pWorker, &CExportWorker::updateTableStatus, this, &CExportDialog::updateTableStatus);
    connect(m_pWorker, &CExportWorker::exportFinish, this, &CExportDialog::exportFinish);
    connect(m_pWorker, &CExportWorker::removeSrcFile, this, &CExportDialog::removeSrcFile);
    connect(this, &CExportDialog::exportFinish, this, &CExportDialog::onExportFinish);
    connect(this, &CExportDialog::updateTableStatus, this, &CExportDialog::onUpdateTableStatus);
    // The application, not the dialog, owns the delayed removal: it happens even once the dialog is
    // gone, and only to the very file that was converted (same inode and size).
    connect(this, &CExportDialog::removeSrcFile, qApp, [](const QString &strPath) {
        struct stat converted {};
        if (stat(QFile::encodeName(strPath).constData(), &converted) != 0) return;
        QTimer::singleShot(REMOVE_DELAY_MS, qApp, [strPath, converted] {
            struct stat now {};
            if (stat(QFile::encodeName(strPath).constData(), &now) == 0 && now.st_ino == converted.st_ino &&
                now.st_dev == converted.st_dev && now.st_size == converted.st_size)
                QFile::remove(strPath);
        });
    });
    m_pWorker->attachConverter();
}

CExportDialog::~CExportDialog()
{
    if (m_pCancel) m_pCancel->wait();
    stopWorker();
    m_pWorker->detachConverter();
}

bool CExportDialog::getVideoParams(const QString &strPath, VideoParams &params)
{
    return CExportWorker::getVideoParams(strPath, params);
}

void CExportDialog::workerBody(void *pDialog)
{
    static_cast<CExportDialog *>(pDialog)->m_pWorker->run();
}

void CExportDialog::collectEntries(QStandardItem *pItem, QVector<ExportEntry> &entries) const
{
    if (pItem->data(CDiskManagePage::RoleLevel).toInt() == CDiskManagePage::LevelRecord) {
        const int nChannel = pItem->data(CDiskManagePage::RoleChannel).toInt();
        const QString strPath = CRecordName::recordPath(
            pItem->data(CDiskManagePage::RoleDisk).toInt(), pItem->data(CDiskManagePage::RolePart).toInt(),
            pItem->data(CDiskManagePage::RoleDate).toDate(), nChannel, pItem->data(CDiskManagePage::RoleKey).toString());
        entries.append(ExportEntry::fromRecorderPath(strPath, nChannel));
        return;
    }
    for (int nRow = 0; nRow < pItem->rowCount(); ++nRow)
        if (QStandardItem *pChild = pItem->child(nRow)) collectEntries(pChild, entries);
}

// ---- widgets

void CExportDialog::createWidgets()
{
    m_pTitle = new CTitleWidget(this, true);
    m_pTitle->setTitle(tr("Export"));
    m_pTitle->setFixedHeight(TITLE_HEIGHT);
    connect(m_pTitle, &CTitleWidget::closeSignal, this, &CExportDialog::on_btnCancel_clicked);

    m_pTabWidget = new QTabWidget(this);
    m_pTabWidget->addTab(createFileTab(), tr("Export by File"));
    m_pTabWidget->addTab(createTimeTab(), tr("Export by Time"));
    connect(m_pTabWidget, &QTabWidget::currentChanged, this, &CExportDialog::onModeChanged);

    m_pBtnOK = createButton(tr("OK"), this);
    m_pBtnCancel = createButton(tr("Cancel"), this);
    connect(m_pBtnOK, &QPushButton::clicked, this, &CExportDialog::on_btnOK_clicked);
    connect(m_pBtnCancel, &QPushButton::clicked, this, &CExportDialog::on_btnCancel_clicked);

    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pBtnOK);
    pButtons->addWidget(m_pBtnCancel);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 10);
    pLayout->setSpacing(6);
    pLayout->addWidget(m_pTitle);
    auto *pBody = new QVBoxLayout;
    pBody->setContentsMargins(10, 0, 10, 0);
    pBody->addWidget(m_pTabWidget, 1);
    pBody->addLayout(pButtons);
    pLayout->addLayout(pBody, 1);
}

// Format, merge and save rows of a tab.
QLayout *CExportDialog::createOptionRows(int nTab, bool bMerge)
{
    TabWidgets &tab = m_tabs[nTab];
    QWidget *pPage = m_pTabWidget;
    tab.pFormat = new QComboBox(pPage);
    tab.pFormat->addItems({tr("H264/H265"), tr("MP4")});
    tab.pFormat->setFixedSize(FORMAT_WIDTH, FORMAT_HEIGHT);
    tab.pMerge = new QCheckBox(tr("Merge Export"), pPage);
    tab.pMerge->setChecked(bMerge);
    tab.pForcedMerge = new QCheckBox(tr("Forced Merge"), pPage);
    tab.pForcedMerge->setChecked(false);
    tab.pSavePath = new QLineEdit(CGlobalAppData::instance()->recordPath(), pPage);
    tab.pSavePath->setFixedHeight(LINE_HEIGHT);
    QPushButton *pBrowse = createButton(tr("Browse..."), pPage, BUTTON_WIDTH, BUTTON_HEIGHT, "SmallButton");
    if (nTab == tabFile) {
        connect(tab.pFormat, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &CExportDialog::onComboBoxFormatFileCurrentIndexChanged);
        connect(tab.pMerge, &QCheckBox::clicked, this, &CExportDialog::onCheckMergeClicked);
        connect(pBrowse, &QPushButton::clicked, this, &CExportDialog::onBtnBrowseFileClicked);
    } else {
        connect(tab.pFormat, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &CExportDialog::onComboBoxFormatTimeCurrentIndexChanged);
        connect(tab.pMerge, &QCheckBox::clicked, this, &CExportDialog::onCheckTimeMergeClicked);
        connect(pBrowse, &QPushButton::clicked, this, &CExportDialog::on_btnBrowseTime_clicked);
    }
    applyForcedMergeRule(nTab);

    auto *pRows = new QGridLayout;
    pRows->addWidget(new QLabel(tr("Format:"), pPage), 0, 0);
    auto *pFormatRow = new QHBoxLayout;
    pFormatRow->addWidget(tab.pFormat);
    pFormatRow->addSpacing(20);
    pFormatRow->addWidget(tab.pMerge);
    pFormatRow->addWidget(tab.pForcedMerge);
    pFormatRow->addStretch();
    pRows->addLayout(pFormatRow, 0, 1);
    pRows->addWidget(new QLabel(tr("Save to:"), pPage), 1, 0);
    auto *pSaveRow = new QHBoxLayout;
    pSaveRow->addWidget(tab.pSavePath, 1);
    pSaveRow->addWidget(pBrowse);
    pRows->addLayout(pSaveRow, 1, 1);
    return pRows;
}

QWidget *CExportDialog::createFileTab()
{
    auto *pPage = new QWidget(m_pTabWidget);
    auto *pLayout = new QVBoxLayout(pPage);
    pLayout->addLayout(createOptionRows(tabFile, false));

    QPushButton *pAll = createButton(tr("Select All"), pPage, SELECT_WIDTH, SELECT_HEIGHT, "SmallButton");
    QPushButton *pNone = createButton(tr("Select None"), pPage, SELECT_WIDTH, SELECT_HEIGHT, "SmallButton");
    connect(pAll, &QPushButton::clicked, this, &CExportDialog::onCheckAllFiles);
    connect(pNone, &QPushButton::clicked, this, &CExportDialog::onUncheckAllFiles);
    auto *pSelectRow = new QHBoxLayout;
    pSelectRow->addWidget(pAll);
    pSelectRow->addWidget(pNone);
    pSelectRow->addWidget(createChannelBoxes(m_fileChannels, nullptr), 1);
    pLayout->addLayout(pSelectRow);
    for (const auto &box : m_fileChannels) {
        const int nChannel = box.second;
        connect(box.first, &QCheckBox::toggled, this,
                [this, nChannel](bool bChecked) { onChannelFilterToggled(nChannel, bChecked); });
    }

    m_pFileList = createList(QString());
    connect(m_pFileList, &QTreeWidget::itemChanged, this, &CExportDialog::onFileItemChanged);
    pLayout->addWidget(m_pFileList, 1);
    return pPage;
}

QWidget *CExportDialog::createTimeTab()
{
    auto *pPage = new QWidget(m_pTabWidget);
    auto *pLayout = new QVBoxLayout(pPage);
    pLayout->addLayout(createOptionRows(tabTime, true));

    m_pStartTime = new QTimeEdit(m_recordBegin, pPage);
    m_pEndTime = new QTimeEdit(m_recordEnd, pPage);
    for (QTimeEdit *pEdit : {m_pStartTime, m_pEndTime}) {
        pEdit->setDisplayFormat("HH:mm:ss");
        pEdit->setFixedHeight(LINE_HEIGHT);
    }
    m_pRangeLabel = new QLabel(QString("(%1: %2 ~ %3)")
                                   .arg(tr("Record Time Range"), m_recordBegin.toString("hh:mm:ss"),
                                        m_recordEnd.toString("hh:mm:ss")),
                               pPage);
    auto *pTimeRow = new QHBoxLayout;
    pTimeRow->addWidget(new QLabel(tr("Start Time:"), pPage));
    pTimeRow->addWidget(m_pStartTime);
    pTimeRow->addSpacing(20);
    pTimeRow->addWidget(new QLabel(tr("End Time:"), pPage));
    pTimeRow->addWidget(m_pEndTime);
    pTimeRow->addWidget(m_pRangeLabel);
    pTimeRow->addStretch();
    pLayout->addLayout(pTimeRow);

    m_pTimeAll = new QCheckBox(tr("All"), pPage);
    m_pTimeAll->setChecked(true);
    connect(m_pTimeAll, &QCheckBox::toggled, this, &CExportDialog::onTimeCheckAllToggled);
    pLayout->addWidget(createChannelBoxes(m_timeChannels, m_pTimeAll));
    for (const auto &box : m_timeChannels)
        connect(box.first, &QCheckBox::toggled, this, &CExportDialog::onTimeChannelToggled);

    m_pTimeList = createList(" ");
    connect(m_pTimeList, &QTreeWidget::itemChanged, this, &CExportDialog::onTimeItemChanged);
    pLayout->addWidget(m_pTimeList, 1);
    return pPage;
}

// One ticked box per distinct channel of the entries, ascending, after the optional "All" box.
QWidget *CExportDialog::createChannelBoxes(QList<QPair<QCheckBox *, int>> &boxes, QCheckBox *pAll)
{
    QList<int> channels;
    for (const ExportEntry &entry : entries())
        if (!channels.contains(entry.nChannel)) channels.append(entry.nChannel);
    std::sort(channels.begin(), channels.end());

    auto *pFlow = new QWidget(m_pTabWidget);
    auto *pGrid = new QGridLayout(pFlow);
    pGrid->setContentsMargins(0, 0, 0, 0);
    int nCell = 0;
    if (pAll) pGrid->addWidget(pAll, 0, nCell++);
    for (int nChannel : channels) {
        auto *pBox = new QCheckBox(CRecordName::channelLabel(nChannel), pFlow);
        pBox->setChecked(true);
        boxes.append({pBox, nChannel});
        pGrid->addWidget(pBox, nCell / CHANNELS_PER_ROW, nCell % CHANNELS_PER_ROW);
        ++nCell;
    }
    pGrid->setColumnStretch(CHANNELS_PER_ROW, 1);
    return pFlow;
}

QTreeWidget *CExportDialog::createList(const QString &strFirstHeader)
{
    auto *pList = new QTreeWidget(m_pTabWidget);
    pList->setColumnCount(COLUMNS);
    pList->setHeaderLabels({strFirstHeader, tr("Channel"), tr("File Name"), tr("Status"), tr("Export Path")});
    for (int nColumn = 0; nColumn < COLUMNS; ++nColumn) pList->setColumnWidth(nColumn, COLUMN_WIDTHS[nColumn]);
    pList->header()->setStretchLastSection(true);
    pList->header()->setDefaultAlignment(Qt::AlignCenter);
    pList->setRootIsDecorated(false);
    pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    return pList;
}

QTreeWidgetItem *CExportDialog::createListItem(int nIndex, bool bCheckable)
{
    const ExportEntry &entry = entries()[nIndex];
    auto *pItem = new QTreeWidgetItem;
    pItem->setData(0, Qt::UserRole, nIndex);
    if (bCheckable) pItem->setCheckState(0, entry.bTicked ? Qt::Checked : Qt::Unchecked);
    pItem->setText(1, CRecordName::channelLabel(entry.nChannel));
    pItem->setText(2, entry.strName);
    for (int nColumn = 0; nColumn < COLUMNS; ++nColumn) pItem->setTextAlignment(nColumn, Qt::AlignCenter);
    return pItem;
}

void CExportDialog::fillFileList()
{
    QSignalBlocker blocker(m_pFileList);
    for (int i = 0; i < entries().size(); ++i) m_pFileList->addTopLevelItem(createListItem(i, true));
}

void CExportDialog::rebuildTimeList()
{
    QSignalBlocker blocker(m_pTimeList);
    m_pTimeList->clear();
    m_timeItems.clear();
    QList<int> ticked;
    for (const auto &box : m_timeChannels)
        if (box.first->isChecked()) ticked.append(box.second);
    for (int i = 0; i < entries().size(); ++i) {
        if (!ticked.contains(entries()[i].nChannel)) continue;
        QTreeWidgetItem *pItem = createListItem(i, false);
        m_pTimeList->addTopLevelItem(pItem);
        m_timeItems.insert(i, pItem);
    }
}

// ---- widget rules

void CExportDialog::onModeChanged(int) {}

void CExportDialog::applyForcedMergeRule(int nTab)
{
    TabWidgets &tab = m_tabs[nTab];
    const bool bOffered = tab.pMerge->isChecked() && tab.pFormat->currentIndex() == CExportWorker::formatRaw;
    if (!bOffered) tab.pForcedMerge->setChecked(false);
    tab.pForcedMerge->setVisible(bOffered);
}

void CExportDialog::onCheckMergeClicked() { applyForcedMergeRule(tabFile); }
void CExportDialog::onCheckTimeMergeClicked() { applyForcedMergeRule(tabTime); }
void CExportDialog::onComboBoxFormatFileCurrentIndexChanged(int) { applyForcedMergeRule(tabFile); }
void CExportDialog::onComboBoxFormatTimeCurrentIndexChanged(int) { applyForcedMergeRule(tabTime); }

void CExportDialog::onFileItemChanged(QTreeWidgetItem *item, int column)
{
    if (!item || column != 0) return;
    const int nIndex = item->data(0, Qt::UserRole).toInt();
    if (nIndex >= 0 && nIndex < entries().size())
        m_pWorker->entries()[nIndex].bTicked = item->checkState(0) == Qt::Checked;
}

void CExportDialog::onChannelFilterToggled(int nChannel, bool bChecked)
{
    QSignalBlocker blocker(m_pFileList);
    for (int nRow = 0; nRow < m_pFileList->topLevelItemCount(); ++nRow) {
        QTreeWidgetItem *pItem = m_pFileList->topLevelItem(nRow);
        ExportEntry &entry = m_pWorker->entries()[pItem->data(0, Qt::UserRole).toInt()];
        if (entry.nChannel != nChannel) continue;
        entry.bTicked = bChecked;
        pItem->setCheckState(0, bChecked ? Qt::Checked : Qt::Unchecked);
    }
}

void CExportDialog::onCheckAllFiles()
{
    for (const auto &box : m_fileChannels) {
        QSignalBlocker boxBlocker(box.first);
        box.first->setChecked(true);
    }
    QSignalBlocker blocker(m_pFileList);
    for (int nRow = 0; nRow < m_pFileList->topLevelItemCount(); ++nRow) {
        m_pFileList->topLevelItem(nRow)->setCheckState(0, Qt::Checked);
        m_pWorker->entries()[nRow].bTicked = true;
    }
}

void CExportDialog::onUncheckAllFiles()
{
    for (const auto &box : m_fileChannels) {
        QSignalBlocker boxBlocker(box.first);
        box.first->setChecked(false);
    }
    QSignalBlocker blocker(m_pFileList);
    for (int nRow = 0; nRow < m_pFileList->topLevelItemCount(); ++nRow) {
        m_pFileList->topLevelItem(nRow)->setCheckState(0, Qt::Unchecked);
        m_pWorker->entries()[nRow].bTicked = false;
    }
}

void CExportDialog::onTimeChannelToggled()
{
    if (!m_bIdle) return;
    rebuildTimeList();
    bool bAll = true;
    for (const auto &box : m_timeChannels) bAll = bAll && box.first->isChecked();
    QSignalBlocker blocker(m_pTimeAll);
    m_pTimeAll->setChecked(bAll);
}

void CExportDialog::onTimeCheckAllToggled(bool checked)
{
    if (!m_bIdle) return;
    for (const auto &box : m_timeChannels) {
        QSignalBlocker blocker(box.first);
        box.first->setChecked(checked);
    }
    rebuildTimeList();
}

void CExportDialog::onTimeItemChanged(QTreeWidgetItem *, int) {}

void CExportDialog::browse(QLineEdit *pEdit)
{
    const QString strDir = QFileDialog::getExistingDirectory(this, tr("Select the path for record"),
                                                             CGlobalAppData::instance()->recordPath(),
                                                             QFileDialog::ShowDirsOnly);
    if (strDir.isEmpty()) return;
    pEdit->setText(strDir);
    pEdit->setCursorPosition(0);
}

void CExportDialog::onBtnBrowseFileClicked() { browse(m_tabs[tabFile].pSavePath); }
void CExportDialog::on_btnBrowseTime_clicked() { browse(m_tabs[tabTime].pSavePath); }

// ---- running

void CExportDialog::readTabChoices(int nTab, CExportWorker::Choices &choices) const
{
    const TabWidgets &tab = m_tabs[nTab];
    choices.nMode = nTab;
    choices.strSavePath = tab.pSavePath->text();
    choices.nFormat = tab.pFormat->currentIndex();
    choices.nExportType = !tab.pMerge->isChecked()     ? CExportWorker::typeSingle
                          : tab.pForcedMerge->isChecked() ? CExportWorker::typeForcedMerge
                                                          : CExportWorker::typeMerge;
}

bool CExportDialog::checkTimeChoices(CExportWorker::Choices &choices)
{
    readTabChoices(tabTime, choices);
    choices.rangeBegin = m_pStartTime->time();
    choices.rangeEnd = m_pEndTime->time();
    for (const auto &box : m_timeChannels)
        if (box.first->isChecked()) choices.channels.append(box.second);
    if (!acceptChoices(choices)) return false;
    clearResults(m_pTimeList);
    return true;
}

// The worker's checks; false after showing its message.
bool CExportDialog::acceptChoices(const CExportWorker::Choices &choices)
{
    const QString strRefusal = m_pWorker->checkChoices(choices);
    if (strRefusal.isEmpty()) return true;
    CMessageBox::prompt(this, strRefusal, tr("OK"));
    return false;
}

bool CExportDialog::checkFileChoices(CExportWorker::Choices &choices)
{
    readTabChoices(tabFile, choices);
    for (const auto &box : m_fileChannels)
        if (box.first->isChecked()) choices.channels.append(box.second);
    if (!acceptChoices(choices)) return false;
    clearResults(m_pFileList);
    return true;
}

void CExportDialog::clearResults(QTreeWidget *pList)
{
    for (int nRow = 0; nRow < pList->topLevelItemCount(); ++nRow) {
        pList->topLevelItem(nRow)->setText(CExportWorker::colPath, QString());
        pList->topLevelItem(nRow)->setText(CExportWorker::colStatus, QString());
    }
}

void CExportDialog::on_btnOK_clicked()
{
    if (!m_bIdle) return;
    CExportWorker::Choices choices;
    const bool bValid = m_pTabWidget->currentIndex() == tabTime ? checkTimeChoices(choices) : checkFileChoices(choices);
    if (bValid) startRun(choices);
}

void CExportDialog::startRun(const CExportWorker::Choices &choices)
{
    m_pThread->wait(); // the previous run's thread may still be returning
    m_pWorker->setChoices(choices);
    m_pWorker->prepareRun();
    m_bIdle = false;
    lockChoices(true);
    m_startTime = QDateTime::currentDateTime();
    m_pThread->start();
}

// While a run goes on, nothing that chose it can change: the mode, the files, the channels, the options.
void CExportDialog::lockChoices(bool bLocked)
{
    m_pBtnOK->setEnabled(!bLocked);
    m_pTabWidget->tabBar()->setEnabled(!bLocked);
    for (const TabWidgets &tab : m_tabs)
        for (QWidget *pWidget : {static_cast<QWidget *>(tab.pSavePath), static_cast<QWidget *>(tab.pFormat),
                                 static_cast<QWidget *>(tab.pMerge), static_cast<QWidget *>(tab.pForcedMerge)})
            if (pWidget) pWidget->setEnabled(!bLocked);
    for (const auto &box : m_fileChannels + m_timeChannels) box.first->setEnabled(!bLocked);
    m_pTimeAll->setEnabled(!bLocked);
    m_pStartTime->setEnabled(!bLocked);
    m_pEndTime->setEnabled(!bLocked);
    for (int nRow = 0; nRow < m_pFileList->topLevelItemCount(); ++nRow) {
        QTreeWidgetItem *pItem = m_pFileList->topLevelItem(nRow);
        pItem->setFlags(bLocked ? pItem->flags() & ~Qt::ItemIsUserCheckable : pItem->flags() | Qt::ItemIsUserCheckable);
    }
}

void CExportDialog::on_btnCancel_clicked()
{
    if (m_pCancel) return; // already cancelling
    if (!m_bIdle) {
        const int nAnswer =
            CMessageBox::prompt(this, tr("Whether to cancel export recording"), tr("OK"), tr("NO"));
        if (nAnswer != 0 || m_bIdle) return;
        beginCancel();
        return;
    }
    QDialog::reject();
}

// The run and its conversions stop on a thread of their own, so the window never waits for them;
// the dialog writes the export log with the final statuses and closes once they have stopped.
void CExportDialog::beginCancel()
{
    m_pBtnCancel->setEnabled(false);
    m_pWorker->stop();
    CExportWorker *pWorker = m_pWorker;
    CMyThread *pThread = m_pThread;
    m_pCancel = QThread::create([pWorker, pThread] {
        pWorker->cancel();
        pThread->wait();
    });
    connect(m_pCancel, &QThread::finished, this, &CExportDialog::onCancelFinished, Qt::QueuedConnection);
    m_pCancel->start();
}

void CExportDialog::onCancelFinished()
{
    m_pCancel->wait();
    delete m_pCancel;
    m_pCancel = nullptr;
    QCoreApplication::processEvents(); // the worker's last statuses, queued before it stopped
    m_pWorker->resolveHeld(false);
    writeExportLog();
    m_bIdle = true;
    lockChoices(false);
    m_pBtnCancel->setEnabled(true);
    QDialog::reject();
}

void CExportDialog::reject()
{
    on_btnCancel_clicked();
}

// The worker stops within a chunk; the dialog never goes while it still runs.
void CExportDialog::stopWorker()
{
    if (!m_pThread->isRunning()) return;
    m_pWorker->stop();
    if (!m_pThread->wait(QDeadlineTimer(WORKER_WAIT_MS))) {
        qWarning() << "export worker still busy after" << WORKER_WAIT_MS << "ms; waiting for its read to end";
        m_pThread->wait();
    }
}

void CExportDialog::onExportFinish()
{
    if (m_bIdle || m_pCancel) return;
    const QStringList held = m_pWorker->heldFiles();
    if (!held.isEmpty()) {
        const QString strQuestion =
            tr("%1 files of this export already exist in the folder with other contents (the first: %2). "
               "Replace them?")
                .arg(held.size())
                .arg(QDir(m_pWorker->choices().strSavePath).relativeFilePath(held.first()));
        m_pWorker->resolveHeld(CMessageBox::prompt(this, strQuestion, tr("Replace"), tr("Cancel")) == 0);
    }
    writeExportLog();
    m_bIdle = true;
    lockChoices(false);
    CMessageBox::prompt(this, m_pWorker->finishText(), tr("OK"));
}

void CExportDialog::onUpdateTableStatus(int nType, int nRow, int nCol, QString strStatus)
{
    QTreeWidgetItem *pItem = nType != CExportWorker::modeFile ? m_timeItems.value(nRow)
                                                              : m_pFileList->topLevelItem(nRow);
    if (!pItem || nCol < 0 || nCol >= COLUMNS) return;
    pItem->setText(nCol, strStatus);
    QString strContent;
    for (int nColumn = 0; nColumn < COLUMNS; ++nColumn)
        strContent += QString("[%1]:%2 ").arg(nColumn).arg(pItem->text(nColumn));
    qInfo().noquote() << (nType != CExportWorker::modeFile ? "TimeMode Row" : "FileMode Row") << nRow << "Content:"
                      << strContent;
}

void CExportDialog::writeExportLog()
{
    m_pWorker->writeLog(m_startTime);
}
