// The export dialog: copies the recordings under a date, channel or recording of
// the disk tree into a folder on the computer, whole files ("Export by File") or
// the frames inside a time range ("Export by Time"), raw or as MP4, single or
// merged per channel. It collects the choices, runs the export worker on a thread
// of its own, shows each file's progress and, when a run ends, writes the day's
// export log. Several runs may follow each other in one opening.
#pragma once

#include "export/cexportworker.h"

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QList>
#include <QPair>
#include <QVector>

class CMyThread;
class CTitleWidget;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItem;
class QTabWidget;
class QTimeEdit;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

class CExportDialog : public QDialog
{
    Q_OBJECT
public:
    enum Tab { tabFile = 0, tabTime = 1 };
    static constexpr int WIDTH = 950;
    static constexpr int HEIGHT = 600;
    static constexpr int WORKER_WAIT_MS = 2000;

    CExportDialog(int nNodeType, QStandardItem *pItem, QWidget *parent = nullptr);
    ~CExportDialog() override;

    static bool getVideoParams(const QString &strPath, VideoParams &params);
    int exportByTime() { return m_pWorker->exportByTime(); }
    QString renameMergFile(const QList<int> &entries, const QString &strPath, const QTime &begin, const QTime &end)
    {
        return m_pWorker->renameMergFile(entries, strPath, begin, end);
    }
    void convertToMp4(const QList<int> &entries, const QString &strSrcPath, int nRetry)
    {
        m_pWorker->convertToMp4(entries, strSrcPath, nRetry);
    }
    int dealWithConvertProcess(int nHandle, int nValue) { return m_pWorker->dealWithConvertProcess(nHandle, nValue); }

    CExportWorker *worker() const { return m_pWorker; }
    const QVector<ExportEntry> &entries() const { return m_pWorker->entries(); }
    bool isIdle() const { return m_bIdle; }
    QTime recordBegin() const { return m_recordBegin; }
    QTime recordEnd() const { return m_recordEnd; }

    QTabWidget *tabWidget() const { return m_pTabWidget; }
    QTreeWidget *fileList() const { return m_pFileList; }
    QTreeWidget *timeList() const { return m_pTimeList; }
    QPushButton *okButton() const { return m_pBtnOK; }
    QPushButton *cancelButton() const { return m_pBtnCancel; }
    // The widgets of a tab: format combo, merge and forced merge boxes, save path.
    QComboBox *formatCombo(int nTab) const { return m_tabs[nTab].pFormat; }
    QCheckBox *mergeBox(int nTab) const { return m_tabs[nTab].pMerge; }
    QCheckBox *forcedMergeBox(int nTab) const { return m_tabs[nTab].pForcedMerge; }
    QLineEdit *savePathEdit(int nTab) const { return m_tabs[nTab].pSavePath; }
    QTimeEdit *startTimeEdit() const { return m_pStartTime; }
    QTimeEdit *endTimeEdit() const { return m_pEndTime; }
    QLabel *rangeLabel() const { return m_pRangeLabel; }
    QCheckBox *timeAllBox() const { return m_pTimeAll; }
    QList<QPair<QCheckBox *, int>> fileChannelBoxes() const { return m_fileChannels; }
    QList<QPair<QCheckBox *, int>> timeChannelBoxes() const { return m_timeChannels; }

signals:
    void exportFinish();
    void removeSrcFile(QString strPath);
    void updateTableStatus(int nType, int nRow, int nCol, QString strStatus);

public slots:
    void onModeChanged(int index);
    void onCheckAllFiles();
    void onUncheckAllFiles();
    void onChannelFilterToggled(int nChannel, bool bChecked);
    void onFileItemChanged(QTreeWidgetItem *item, int column);
    void onBtnBrowseFileClicked();
    void onCheckMergeClicked();
    void onCheckTimeMergeClicked();
    void onComboBoxFormatFileCurrentIndexChanged(int nIndex);
    void onComboBoxFormatTimeCurrentIndexChanged(int nIndex);
    void on_btnBrowseTime_clicked();
    void onTimeCheckAllToggled(bool checked);
    void onTimeItemChanged(QTreeWidgetItem *item, int column);
    void on_btnOK_clicked();
    void on_btnCancel_clicked();
    void onExportFinish();
    void onUpdateTableStatus(int nType, int nRow, int nCol, QString strStatus);
    void reject() override;

private slots:
    void onTimeChannelToggled();

private:
    // The widgets one tab has of each kind.
    struct TabWidgets {
        QComboBox *pFormat = nullptr;
        QCheckBox *pMerge = nullptr;
        QCheckBox *pForcedMerge = nullptr;
        QLineEdit *pSavePath = nullptr;
    };

    static void workerBody(void *pDialog);
    void collectEntries(QStandardItem *pItem, QVector<ExportEntry> &entries) const;
    void createWidgets();
    QWidget *createFileTab();
    QWidget *createTimeTab();
    QLayout *createOptionRows(int nTab, bool bMerge);
    QTreeWidget *createList(const QString &strFirstHeader);
    QTreeWidgetItem *createListItem(int nIndex, bool bCheckable);
    QWidget *createChannelBoxes(QList<QPair<QCheckBox *, int>> &boxes, QCheckBox *pAll);
    void fillFileList();
    void rebuildTimeList();
    void applyForcedMergeRule(int nTab);
    void browse(QLineEdit *pEdit);
    bool checkTimeChoices(CExportWorker::Choices &choices);
    bool checkFileChoices(CExportWorker::Choices &choices);
    bool acceptChoices(const CExportWorker::Choices &choices);
    void readTabChoices(int nTab, CExportWorker::Choices &choices) const;
    void clearResults(QTreeWidget *pList);
    void startRun(const CExportWorker::Choices &choices);
    void writeExportLog();
    void stopWorker();
    void lockChoices(bool bLocked);
    void beginCancel();
    void onCancelFinished();

    CExportWorker *m_pWorker = nullptr;
    CMyThread *m_pThread = nullptr;
    QThread *m_pCancel = nullptr; // stops the run when the user cancels it
    int m_nNodeType;
    QTime m_recordBegin;
    QTime m_recordEnd;
    bool m_bIdle = true;
    QDateTime m_startTime;

    CTitleWidget *m_pTitle = nullptr;
    QTabWidget *m_pTabWidget = nullptr;
    TabWidgets m_tabs[2];
    QTreeWidget *m_pFileList = nullptr;
    QTreeWidget *m_pTimeList = nullptr;
    QTimeEdit *m_pStartTime = nullptr;
    QTimeEdit *m_pEndTime = nullptr;
    QLabel *m_pRangeLabel = nullptr;
    QCheckBox *m_pTimeAll = nullptr;
    QList<QPair<QCheckBox *, int>> m_fileChannels;
    QList<QPair<QCheckBox *, int>> m_timeChannels;
    QHash<int, QTreeWidgetItem *> m_timeItems; // entry index -> item of the time list
    QPushButton *m_pBtnOK = nullptr;
    QPushButton *m_pBtnCancel = nullptr;
};
